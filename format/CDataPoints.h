#pragma once

#include "IStream.h"

#include <NumValue.h>

#include <vector>

namespace bc {

// The "DataPts" block: groups of samples, each with its own scale factor.
// Samples are held multiplied by their group's factor, in 0.001 dB below the
// reference (a larger value is a lower level).
class CDataPoints : public IStream
{
public:
    class tDataPointsGroup final : public IStream
    {
    public:
        void Serialize(CFileStream& stream) override;

        // File: factor times 1000.
        CType::NumValue<float, qint16, 1000, 5> scaleFactor = 1.0f;
        std::vector<quint16> points;

    private:
        // The samples as the file holds them, kept when the factor is not 1 so
        // that samples nobody changed are written back exactly.
        std::vector<quint16> m_filePoints;
    };

    void Serialize(CFileStream& stream) override;

    // As stated in the file; written back unchanged.
    quint32 totalPoints = 0;
    std::vector<tDataPointsGroup> groups;
};

} // namespace bc
