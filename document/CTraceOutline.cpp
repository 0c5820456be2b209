#include "CTraceOutline.h"

#include <algorithm>

namespace sor {

CTraceOutline::CTraceOutline(const std::vector<quint16>& samples) : m_nCount(int(samples.size()))
{
    const int buckets = std::min<int>(kBuckets, m_nCount);
    m_low.resize(size_t(buckets));
    m_high.resize(size_t(buckets));
    for (int bucket = 0; bucket < buckets; ++bucket) {
        const auto first = samples.begin() + BucketStart(bucket);
        const auto end = samples.begin() + BucketStart(bucket + 1);
        const auto [low, high] = std::minmax_element(first, end);
        m_low[size_t(bucket)] = *low;
        m_high[size_t(bucket)] = *high;
    }
    if (buckets > 0)
        m_nLargest = *std::max_element(m_high.begin(), m_high.end());
}

} // namespace sor
