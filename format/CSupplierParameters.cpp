#include "CSupplierParameters.h"

#include "CFileStream.h"
#include "Exception.h"

namespace bc {

void CSupplierParameters::Serialize(CFileStream& stream)
{
    constexpr quint8 kModule = Exception::ModuleBlocks;
    BC_LOCATED(kModule, supplierName.Serialize(stream));
    BC_LOCATED(kModule, mainframeId.Serialize(stream));
    BC_LOCATED(kModule, mainframeSerial.Serialize(stream));
    BC_LOCATED(kModule, opticalModuleId.Serialize(stream));
    BC_LOCATED(kModule, opticalModuleSerial.Serialize(stream));
    BC_LOCATED(kModule, softwareRevision.Serialize(stream));
    BC_LOCATED(kModule, otherInfo.Serialize(stream));
}

} // namespace bc
