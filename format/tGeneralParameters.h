#pragma once

#include <NumValue.h>
#include <StrValue.h>

namespace sor {

// Condition of the fibre when it was measured (file codes "BC", "CC", "RC", "OT").
enum tCurrentDataFlag : quint32 { AsBuilt = 0, CurrentCondition = 1, AsRepaired = 2, OtherCondition = 3 };

// Description of the measured fibre.
struct tGeneralParameters
{
    CType::StrValue<101> cableId;
    CType::StrValue<101> fiberId;
    // Nominal wavelength, nm.
    CType::NumValue<float, qint16, 1, 0> wavelength;
    CType::StrValue<101> originatingLocation;
    CType::StrValue<101> terminatingLocation;
    CType::StrValue<101> cableCode;
    // Index into the condition table (tCurrentDataFlag).
    quint32 currentDataFlag = AsBuilt;
    // ns.
    CType::NumValue<float, qint32, 10, 2> userOffset;
    CType::StrValue<101> operatorName;
    CType::StrValue<101> comment;
};

} // namespace sor
