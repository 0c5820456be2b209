#pragma once

#include <NumValue.h>
#include <StrValue.h>

#include <array>

namespace sor {

// One key event of the fibre: splice, connector or fibre end.
struct tKeyEvent
{
    // Characters of the event code and technique, by index.
    static constexpr char kCodeTypes[] = "012";
    static constexpr char kCodeOrigins[] = "AMEFO";
    static constexpr const char* kTechniques[] = { "2P", "LS" };
    // Marker locations of the later layout, by index.
    enum tMarker { EndOfPrevious = 0, StartOfEvent = 1, EndOfEvent = 2, StartOfNext = 3, Peak = 4 };

    // Event types that the program itself assigns.
    enum tCodeType : quint32 { NonReflective = 0, Reflective = 1, Saturated = 2 };
    enum tTechnique : quint32 { TwoPoint = 0, LeastSquares = 1 };

    tKeyEvent() = default;
    tKeyEvent(const tKeyEvent&) = default;
    tKeyEvent& operator=(const tKeyEvent&) = default;
    virtual ~tKeyEvent() = default;

    // The six characters of the event code; a type or origin outside the
    // tables as the file held it.
    std::array<char, 6> Code() const
    {
        return { { codeType < 3 ? kCodeTypes[codeType] : codeTypeAsRead,
            codeOrigin < 5 ? kCodeOrigins[codeOrigin] : codeOriginAsRead, codeRest[0], codeRest[1], codeRest[2],
            codeRest[3] } };
    }

    // 1-based position in the list.
    CType::NumValue<unsigned int, qint16, 1, 0> number;
    // One-way propagation time from the front panel, ns.
    CType::NumValue<float, qint32, 10, 2> time;
    // dB/km of the fibre before the event.
    CType::NumValue<float, qint16, 1000, 7> attenuation = 1.0f;
    // dB.
    CType::NumValue<float, qint16, 1000, 7> loss;
    // dB.
    CType::NumValue<float, qint32, 1000, 7> reflectance;
    // Index into kCodeTypes: first character of the event code.
    quint32 codeType = NonReflective;
    // Index into kCodeOrigins: second character of the event code.
    quint32 codeOrigin = 0;
    // Characters 3 to 6 of the event code, as raw bytes.
    std::array<char, 4> codeRest { { '9', '9', '9', '9' } };
    // Index into kTechniques.
    quint32 technique = LeastSquares;
    // The codes as the file holds them; an index past its table means this code.
    char codeTypeAsRead = '0';
    char codeOriginAsRead = 'A';
    std::array<char, 2> techniqueCode { { 'L', 'S' } };
    // Later layout only: where the event's analysis put its markers, in the
    // file's units of the time (0.1 ns), indexed by tMarker.
    std::array<qint32, 5> markers {};
    CType::StrValue<101> comment;
};

} // namespace sor
