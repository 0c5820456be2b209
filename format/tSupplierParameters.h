#pragma once

#include <StrValue.h>

namespace sor {

// The instrument that made the trace.
struct tSupplierParameters
{
    CType::StrValue<32> supplierName;
    CType::StrValue<101> mainframeId;
    CType::StrValue<101> mainframeSerial;
    CType::StrValue<101> opticalModuleId;
    CType::StrValue<32> opticalModuleSerial;
    CType::StrValue<101> softwareRevision;
    CType::StrValue<101> otherInfo;
};

} // namespace sor
