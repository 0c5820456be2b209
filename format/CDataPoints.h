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

        // Samples as the file stores them to samples as held: times `factor`,
        // rounded half up in single precision, saturated at the 16-bit maximum.
        static void ToHeld(const quint16* file, size_t count, float factor, quint16* held);

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
