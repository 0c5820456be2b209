#include "CDataPoints.h"

#include "CFileStream.h"
#include "Exception.h"

#include <QtEndian>

#include <algorithm>
#include <cmath>

namespace bc {

namespace {

constexpr quint8 kModule = Exception::ModuleBlocks;
#define BLOCK_THROW(Type) throw Type(kModule, __LINE__)

// A file sample as held in memory: times the factor, in single precision,
// saturated at the 16-bit maximum.
inline quint16 Held(quint16 fileSample, float factor)
{
    const float value = std::floor(float(fileSample) * factor + 0.5f);
    return (value >= 0.0f && value <= 65535.0f) ? quint16(value) : quint16(65535);
}

// A held sample as the file stores it: divided by the factor, saturated to
// the 16-bit range rather than wrapped.
inline quint16 Stored(quint16 heldSample, float factor)
{
    const float value = std::floor(float(heldSample) / factor + 0.5f);
    if (!(value >= 0.0f))
        return 0;
    return value <= 65535.0f ? quint16(value) : quint16(65535);
}

} // namespace

void CDataPoints::tDataPointsGroup::Serialize(CFileStream& stream)
{
    if (stream.IsWriting()) {
        if (points.empty())
            BLOCK_THROW(EInternalError);
        quint32 count = quint32(points.size());
        BC_LOCATED(kModule, stream.SerializeUInt32(count));
        BC_LOCATED(kModule, scaleFactor.Serialize(stream));
        const float factor = scaleFactor;
        QByteArray bytes(qsizetype(points.size() * 2), Qt::Uninitialized);
        if (factor == 1.0f) {
            qToLittleEndian<quint16>(points.data(), qsizetype(points.size()), bytes.data());
        } else {
            const bool haveFile = m_filePoints.size() == points.size();
            std::vector<quint16> stored(points.size());
            for (size_t i = 0; i < points.size(); ++i) {
                // A sample nobody changed goes back exactly as it came.
                if (haveFile && Held(m_filePoints[i], factor) == points[i])
                    stored[i] = m_filePoints[i];
                else
                    stored[i] = Stored(points[i], factor);
            }
            qToLittleEndian<quint16>(stored.data(), qsizetype(stored.size()), bytes.data());
        }
        BC_LOCATED(kModule, stream.WriteBytes(bytes.constData(), bytes.size()));
        return;
    }

    quint32 count = 0;
    BC_LOCATED(kModule, stream.SerializeUInt32(count));
    if (count == 0)
        BLOCK_THROW(EFileLoadInvalidFormat);
    BC_LOCATED(kModule, scaleFactor.Serialize(stream));
    // Check the count against the bytes that are there before allocating.
    if (qint64(count) * 2 > stream.Remaining())
        BLOCK_THROW(EFileLoadInvalidFormat);
    const char* bytes = nullptr;
    BC_LOCATED(kModule, bytes = stream.ReadSpan(qint64(count) * 2));
    points.resize(count);
    qFromLittleEndian<quint16>(bytes, qsizetype(count), points.data());
    const float factor = scaleFactor;
    if (factor == 1.0f) {
        m_filePoints.clear();
        return;
    }
    m_filePoints = points;
    ToHeld(m_filePoints.data(), points.size(), factor, points.data());
}

void CDataPoints::tDataPointsGroup::ToHeld(
    const quint16* __restrict file, size_t count, float factor, quint16* __restrict held)
{
    // The same single-precision product as Held, without a call per sample:
    // truncation equals floor for the values at or above 0, and everything
    // below 0 or above the 16-bit range saturates. Branch-free and in blocks
    // of a fixed length, so the compiler turns it into vector instructions.
    const auto one = [factor](quint16 sample) {
        const float value = float(sample) * factor + 0.5f;
        const qint32 whole = qint32(std::min(value, 65535.0f));
        return quint16(value >= 0.0f ? whole : 65535);
    };
    constexpr size_t kBlock = 16;
    size_t i = 0;
    for (; i + kBlock <= count; i += kBlock) {
        for (size_t k = 0; k < kBlock; ++k)
            held[i + k] = one(file[i + k]);
    }
    for (; i < count; ++i)
        held[i] = one(file[i]);
}

void CDataPoints::Serialize(CFileStream& stream)
{
    const bool writing = stream.IsWriting();
    if (writing && (groups.empty() || groups.size() > 0x7FFF))
        BLOCK_THROW(EInternalError);
    BC_LOCATED(kModule, stream.SerializeUInt32(totalPoints));
    qint16 count = qint16(groups.size());
    BC_LOCATED(kModule, stream.SerializeInt16(count));
    if (!writing) {
        groups.clear();
        if (count < 1)
            BLOCK_THROW(EFileLoadInvalidFormat);
        groups.resize(size_t(count));
    }
    for (tDataPointsGroup& group : groups)
        BC_LOCATED(kModule, group.Serialize(stream));
}

} // namespace bc
