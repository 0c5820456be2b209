#include "CGeneralParameters.h"

#include "CFileStream.h"
#include "Exception.h"
#include "FieldCodes.h"

namespace bc {

namespace {
constexpr quint8 kModule = Exception::ModuleBlocks;
constexpr const char* kLanguages[] = { "EN", "FR", "JA", "SP", "GE", "CH", "RU" };
constexpr const char* kConditions[] = { "BC", "CC", "RC", "OT" };
} // namespace

quint32 CGeneralParameters::CodepageOf(const std::array<char, 2>& code)
{
    return FieldCodes::IndexOf(code, kLanguages, 7);
}

void CGeneralParameters::Serialize(CFileStream& stream)
{
    const bool later = stream.LaterLayout();
    BC_LOCATED(kModule, stream.SerializeBytes(language.data(), 2));
    BC_LOCATED(kModule, stream.SetCodepage(CodepageOf(language)));
    BC_LOCATED(kModule, cableId.Serialize(stream));
    BC_LOCATED(kModule, fiberId.Serialize(stream));
    if (later)
        BC_LOCATED(kModule, fiberType.Serialize(stream));
    BC_LOCATED(kModule, wavelength.Serialize(stream));
    BC_LOCATED(kModule, originatingLocation.Serialize(stream));
    BC_LOCATED(kModule, terminatingLocation.Serialize(stream));
    BC_LOCATED(kModule, cableCode.Serialize(stream));
    BC_LOCATED(kModule, FieldCodes::SerializeCode(stream, currentDataFlag, kConditions, currentDataFlagCode));
    BC_LOCATED(kModule, userOffset.Serialize(stream));
    if (later)
        BC_LOCATED(kModule, userOffsetDistance.Serialize(stream));
    BC_LOCATED(kModule, operatorName.Serialize(stream));
    BC_LOCATED(kModule, comment.Serialize(stream));
}

} // namespace bc
