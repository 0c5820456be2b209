#pragma once

#include "IStream.h"
#include "tSupplierParameters.h"

namespace bc {

// The "SupParams" block.
class CSupplierParameters : public IStream, public sor::tSupplierParameters
{
public:
    void Serialize(CFileStream& stream) override;
};

} // namespace bc
