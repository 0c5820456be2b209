#pragma once

#include <QtGlobal>

#include <vector>

namespace sor {

// A small picture of a trace that stays in memory when its samples do not:
// the samples split into at most kBuckets equal runs, with the smallest and
// the largest value of each, the number of samples and the largest of all.
// Enough to draw the whole trace a few hundred pixels wide.
class CTraceOutline
{
public:
    static constexpr int kBuckets = 512;

    CTraceOutline() = default;
    explicit CTraceOutline(const std::vector<quint16>& samples);

    int PointCount() const { return m_nCount; }
    quint16 Largest() const { return m_nLargest; }
    int Buckets() const { return int(m_low.size()); }
    // The index of the first sample of bucket `bucket`; Buckets() gives the end.
    int BucketStart(int bucket) const { return int(qint64(bucket) * m_nCount / Buckets()); }
    quint16 Low(int bucket) const { return m_low[size_t(bucket)]; }
    quint16 High(int bucket) const { return m_high[size_t(bucket)]; }

private:
    std::vector<quint16> m_low;
    std::vector<quint16> m_high;
    int m_nCount = 0;
    quint16 m_nLargest = 0;
};

} // namespace sor
