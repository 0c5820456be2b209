#pragma once

#include "IStream.h"
#include "tFixedParameters.h"

namespace bc {

// The "FxdParams" block.
class CFixedParameters : public IStream
{
public:
    void Serialize(CFileStream& stream) override;

    sor::tFixedParameters params;

private:
    // The noise-floor level as the file holds it (before the scale factor),
    // so that an unedited level keeps its bytes.
    CType::NumValue<double, quint16, -1000, 2> m_noiseLevel;
};

} // namespace bc
