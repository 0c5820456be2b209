#pragma once

#include <QByteArray>
#include <QString>

#include <type_traits>
#include <vector>

// Writes JSON text straight into a byte array, indented two spaces per level.
// Numbers are written in their shortest form that reads back to the same
// float or double, integers as integers; long runs of samples go on one line
// without building a JSON value per sample.
class CJsonWriter
{
public:
    void BeginObject();
    void EndObject();
    void BeginArray();
    void EndArray();
    // The key of the next value inside an object.
    void Key(const char* key);

    void Value(const QString& text);
    void Value(const char* text);
    void Value(float number);
    void Value(double number);
    // `number` with exactly `decimals` decimals ("-0.00" written as "0.00").
    void Fixed(double number, int decimals);
    void Null();
    void Boolean(bool value);
    template<typename T, typename = std::enable_if_t<std::is_integral_v<T>>> void Value(T number)
    {
        if constexpr (std::is_signed_v<T>)
            Integer(static_cast<long long>(number));
        else
            Unsigned(static_cast<unsigned long long>(number));
    }

    template<typename T> void Field(const char* key, const T& value)
    {
        Key(key);
        Value(value);
    }

    // `key` with an array of the integers in `values`.
    template<typename Range> void IntegerArrayField(const char* key, const Range& values)
    {
        Key(key);
        BeginArray();
        for (const auto number : values)
            Value(number);
        EndArray();
    }

    // Everything on one line, without spaces (one object a line: JSON Lines).
    void SetCompact(bool compact) { m_bCompact = compact; }
    // With the compact form: a space after every comma and colon, for lines
    // a person reads too.
    void SetSpaced(bool spaced) { m_bSpaced = spaced; }

    // A whole array of samples, written on one line.
    void Samples(const quint16* samples, size_t count);

    // The text written so far; complete once every object and array is closed.
    const QByteArray& Text() const { return m_text; }

private:
    void BeforeValue();
    void Open(char bracket);
    void Close(char bracket);
    void NewLine();
    void Integer(long long number);
    void Unsigned(unsigned long long number);

    QByteArray m_text;
    // One entry per open object or array: whether it holds a member yet.
    std::vector<bool> m_hasMembers;
    bool m_afterKey = false;
    bool m_bCompact = false;
    bool m_bSpaced = false;
};
