#pragma once

#include <NumValue.h>
#include <StrValue.h>

#include <array>

namespace sor {

// Condition of the fibre when it was measured (file codes "BC", "CC", "RC", "OT").
enum tCurrentDataFlag : quint32 { AsBuilt = 0, CurrentCondition = 1, AsRepaired = 2, OtherCondition = 3 };

// Description of the measured fibre.
struct tGeneralParameters
{
    CType::StrValue<101> cableId;
    CType::StrValue<101> fiberId;
    // ITU-T recommendation number of the fibre (652 ...); later layout only.
    CType::NumValue<qint16, qint16, 1, 2> fiberType;
    // Nominal wavelength, nm.
    CType::NumValue<float, qint16, 1, 0> wavelength;
    CType::StrValue<101> originatingLocation;
    CType::StrValue<101> terminatingLocation;
    CType::StrValue<101> cableCode;
    // Index into the condition table (tCurrentDataFlag).
    quint32 currentDataFlag = AsBuilt;
    // The code as the file holds it; an index past the table means this code.
    std::array<char, 2> currentDataFlagCode { { 'B', 'C' } };
    // ns.
    CType::NumValue<float, qint32, 10, 2> userOffset;
    // User offset as a distance, in the instrument's own units; later layout only.
    CType::NumValue<qint32, qint32, 1, 7> userOffsetDistance;
    CType::StrValue<101> operatorName;
    CType::StrValue<101> comment;
};

} // namespace sor
