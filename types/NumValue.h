#pragma once

#include "IFileStream.h"
#include "INumValue.h"
#include "IStream.h"
#include "NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <limits>
#include <type_traits>

namespace CType {

// Sign set of a numeric field.
enum tNumFlags {
    // Changes nothing observable; kept because stored declarations name it.
    NumFlagReserved = 1,
    // Zero is an allowed value.
    NumFlagZero = 2,
    // Values of the sign opposite to Scale's sign are allowed too.
    NumFlagBothSigns = 4,
};

// A numeric field held as T in program units and stored in the file as the
// integer type S equal to the value times Scale. A negative Scale stores a
// negative program value (a level below zero dB) as a positive file number.
// S is one of qint16, quint16 and qint32; T is float, double, unsigned int,
// qint32 or qint16.
template<typename T, typename S, int Scale, int Flags> class NumValue : public INumValue, public FileStreams::IStream
{
    static_assert(Scale != 0, "a zero scale cannot store anything");
    static_assert(std::is_same_v<S, qint16> || std::is_same_v<S, quint16> || std::is_same_v<S, qint32>,
        "the file holds 16- or 32-bit integers");

public:
    NumValue() = default;
    NumValue(T value) : m_value(value) { }
    NumValue& operator=(T value)
    {
        m_value = value;
        return *this;
    }
    operator T() const { return m_value; }
    T Value() const { return m_value; }

    static constexpr bool Real = std::is_floating_point_v<T>;

    // The smallest amount the value moves by at a limit.
    static constexpr T Step()
    {
        if constexpr (Real) {
            T step = 1;
            for (int i = 0; i < std::numeric_limits<T>::digits10; ++i)
                step /= 10;
            return step < std::numeric_limits<T>::epsilon() ? std::numeric_limits<T>::epsilon() : step;
        } else {
            return 1;
        }
    }

    static constexpr T Min() { return Limits().first; }
    static constexpr T Max() { return Limits().second; }

    IValue* Clone() const override { return new NumValue(*this); }
    INumValue* CloneNum() const override { return new NumValue(*this); }

    QString ToString() const override { return TextOf(m_value); }

    bool FromString(const QString& text) override
    {
        if constexpr (std::is_same_v<T, float>) {
            return NumberText::ToFloat(text, m_value);
        } else if constexpr (std::is_same_v<T, double>) {
            return NumberText::ToDouble(text, m_value);
        } else if constexpr (std::is_unsigned_v<T>) {
            qulonglong parsed = 0;
            if (!NumberText::ToUnsigned(text, parsed) || parsed > std::numeric_limits<T>::max())
                return false;
            m_value = static_cast<T>(parsed);
            return true;
        } else {
            qlonglong parsed = 0;
            if (!NumberText::ToInteger(text, parsed) || parsed < std::numeric_limits<T>::min()
                || parsed > std::numeric_limits<T>::max())
                return false;
            m_value = static_cast<T>(parsed);
            return true;
        }
    }

    bool IsReal() const override { return Real; }
    bool CanBeZero() const override { return (Flags & NumFlagZero) != 0; }
    bool ZeroAtRangeEdge() const override { return CanBeZero() && (Min() >= 0 || Max() <= 0); }
    bool CanBeNegative() const override { return Min() < 0; }
    bool CanBePositive() const override { return Max() > 0; }
    int MaxLength() const override { return std::numeric_limits<T>::digits10 + (Real ? 2 : 0); }
    QString MinText() const override { return TextOf(Min()); }
    QString MaxText() const override { return TextOf(Max()); }
    bool IsZero() const override { return m_value == 0; }
    bool IsBelowMin() const override { return m_value < Min(); }
    bool IsAboveMax() const override { return m_value > Max(); }

    void Serialize(FileStreams::IFileStream& stream) override
    {
        if (stream.IsWriting()) {
            S fileValue = m_fileValueAsRead;
            if (!(m_hasFileValue && SameValue(m_value, m_valueAsRead))) {
                if (!Acceptable(m_value))
                    stream.OnInternalError();
                // The product is formed in double precision so that the rounding
                // does not depend on T; a result outside S is refused, not wrapped.
                const double scaled = std::floor(static_cast<double>(m_value) * Scale + 0.5);
                if (!(scaled >= std::numeric_limits<S>::min() && scaled <= std::numeric_limits<S>::max()))
                    stream.OnInternalError();
                fileValue = static_cast<S>(scaled);
            }
            SerializeFileValue(stream, fileValue);
            return;
        }

        S fileValue = 0;
        SerializeFileValue(stream, fileValue);
        // The limits are values of T, so the quotient is tested as T holds it;
        // an integer T is tested before the conversion, which could overflow.
        long double quotient = static_cast<long double>(fileValue) / Scale;
        const bool keep = stream.KeepsFileValues();
        if constexpr (!Real) {
            if (quotient < static_cast<long double>(Min()) || quotient > static_cast<long double>(Max())) {
                if (!keep)
                    stream.OnLoadFormatError();
                // Kept: held as the nearest value T can hold; the file value stays as read.
                quotient = std::clamp(quotient, static_cast<long double>(std::numeric_limits<T>::lowest()),
                    static_cast<long double>(std::numeric_limits<T>::max()));
            }
        }
        if (!keep && !Acceptable(static_cast<T>(quotient), false))
            stream.OnLoadFormatError();
        m_value = static_cast<T>(quotient);
        // An unedited value is written back as the integer it came from, even
        // where T cannot hold the quotient exactly.
        m_hasFileValue = true;
        m_fileValueAsRead = fileValue;
        m_valueAsRead = m_value;
    }

private:
    // The allowed range. A value read from a file only has to be one the file
    // type can hold (a file written with the largest integer loads);
    // `savable` narrows a real range to the values whose own file integer
    // fits, which is what the editor accepts.
    static constexpr std::pair<T, T> Limits(bool savable = true)
    {
        using Wide = long double;
        Wide a = static_cast<Wide>(std::numeric_limits<S>::min()) / Scale;
        Wide b = static_cast<Wide>(std::numeric_limits<S>::max()) / Scale;
        if (!Real) {
            // An integer value holds whole file units only.
            a = a < 0 ? -static_cast<Wide>(static_cast<long long>(-a)) : static_cast<Wide>(static_cast<long long>(a));
            b = b < 0 ? -static_cast<Wide>(static_cast<long long>(-b)) : static_cast<Wide>(static_cast<long long>(b));
        }
        Wide lo = a < b ? a : b;
        Wide hi = a < b ? b : a;
        if (!(Flags & NumFlagBothSigns)) {
            if (Scale > 0 && lo < 0)
                lo = 0;
            if (Scale < 0 && hi > 0)
                hi = 0;
        }
        // An unsigned value cannot go below zero whatever the file type allows.
        if (std::is_unsigned_v<T> && lo < 0)
            lo = 0;
        T tlo = static_cast<T>(lo);
        T thi = static_cast<T>(hi);
        if constexpr (Real) {
            // The nearest T to a limit may lie just outside it (214748364.7
            // becomes the float 214748368, whose file integer overflows): a
            // limit is the largest value whose file integer still fits, so
            // that every value the editor accepts can be saved.
            while (savable && !FitsFile(thi))
                thi = TowardZero(thi);
            while (savable && !FitsFile(tlo))
                tlo = TowardZero(tlo);
        }
        if (!(Flags & NumFlagZero)) {
            if (tlo == 0)
                tlo = Step();
            if (thi == 0)
                thi = -Step();
        }
        return { tlo, thi };
    }

    // Whether the file integer Serialize would write for `value` lies within S.
    static constexpr bool FitsFile(T value)
    {
        const double scaled = static_cast<double>(value) * Scale + 0.5;
        return scaled >= static_cast<double>(std::numeric_limits<S>::min())
            && scaled < static_cast<double>(std::numeric_limits<S>::max()) + 1.0;
    }

    // The next value of T toward zero (a real T, not zero).
    static constexpr T TowardZero(T value)
    {
        T magnitude = value < 0 ? -value : value;
        T power = 1;
        while (power * 2 <= magnitude)
            power *= 2;
        while (power > magnitude)
            power /= 2;
        // Values in [power, 2 * power) lie this far apart; below a power of
        // two the spacing halves.
        T spacing = power * std::numeric_limits<T>::epsilon();
        if (magnitude == power)
            spacing /= 2;
        magnitude -= spacing;
        return value < 0 ? -magnitude : magnitude;
    }

    static bool Acceptable(T value, bool savable = true)
    {
        if constexpr (Real) {
            if (std::isnan(value))
                return false;
        }
        if (value == 0)
            return (Flags & NumFlagZero) != 0;
        const std::pair<T, T> limits = Limits(savable);
        return value >= limits.first && value <= limits.second;
    }

    static bool SameValue(T a, T b) { return a == b; }

    static QString TextOf(T value)
    {
        if constexpr (Real)
            return NumberText::FromReal(value);
        else if constexpr (std::is_unsigned_v<T>)
            return NumberText::FromUnsigned(value);
        else
            return NumberText::FromInteger(value);
    }

    static void SerializeFileValue(FileStreams::IFileStream& stream, S& value)
    {
        if constexpr (std::is_same_v<S, qint16>)
            stream.SerializeInt16(value);
        else if constexpr (std::is_same_v<S, quint16>)
            stream.SerializeUInt16(value);
        else
            stream.SerializeInt32(value);
    }

    T m_value = 0;
    bool m_hasFileValue = false;
    S m_fileValueAsRead = 0;
    T m_valueAsRead = 0;
};

} // namespace CType
