#include "CLineFit.h"

#include <algorithm>
#include <cmath>

namespace analysis {

namespace {

// The samples nearest to an interval a ... b (metres), limited to the samples
// there are. `first` > `last` when none is inside; `start` is the unlimited
// index of a, where the interval's own x counts from.
struct tSampleSpan
{
    double start = 0;
    qint64 first = 0;
    qint64 last = -1;
};

tSampleSpan SpanOf(int count, double resolution, double a, double b)
{
    tSampleSpan span;
    if (!(resolution > 0.0) || count <= 0)
        return span;
    // Limited before the conversion, so that no distance overflows an index.
    const auto index
        = [&](double d) { return std::clamp(std::floor(d / resolution + 0.5), -1.0, double(count)); };
    span.start = index(a);
    span.first = qint64(std::max(0.0, span.start));
    span.last = qint64(std::min(index(b), double(count - 1)));
    return span;
}

// Running sums left by the thread's last trace: a trace of a million samples
// needs 16 MB of them, and fresh memory costs as much as the analysis.
struct tSpareSums
{
    std::vector<qint64> sum;
    std::vector<qint64> sumX;
    bool taken = false;
};

thread_local tSpareSums spare;

} // namespace

double CLineFit::Mean(const quint16* samples, int count, double resolution, double a, double b)
{
    const tSampleSpan span = SpanOf(count, resolution, a, b);
    if (span.first > span.last)
        return 0.0;
    double sum = 0;
    for (qint64 i = span.first; i <= span.last; ++i)
        sum += samples[i];
    return sum / double(span.last - span.first + 1);
}

double CLineFit::Slope(
    const quint16* samples, int count, double resolution, double a, double b, double m, double v)
{
    const tSampleSpan span = SpanOf(count, resolution, a, b);
    double x = a + (double(span.first) - span.start) * resolution;
    double sxy = 0;
    double sxx = 0;
    for (qint64 i = span.first; i <= span.last; ++i, x += resolution) {
        sxy += (samples[i] - v) * (x - m);
        sxx += (x - m) * (x - m);
    }
    return sxx != 0.0 ? sxy / sxx : 0.0;
}

tLine CLineFit::Fit(const quint16* samples, int count, double resolution, double a, double b)
{
    const double v = Mean(samples, count, resolution, a, b);
    const double m = (a + b) / 2;
    const double s = Slope(samples, count, resolution, a, b, m, v);
    return { s, v - s * m };
}

qint64 CLineFit::SampleCount(int count, double resolution, double a, double b)
{
    const tSampleSpan span = SpanOf(count, resolution, a, b);
    return std::max<qint64>(0, span.last - span.first + 1);
}

CLineFit::CLineFit(const std::vector<quint16>& samples)
    : CLineFit(samples, qint64(samples.size()))
{
}

CLineFit::CLineFit(const std::vector<quint16>& samples, qint64 reached)
    : m_pSamples(samples.data())
    , m_nCount(qint64(samples.size()))
{
    if (!spare.taken) {
        spare.taken = true;
        m_bSpare = true;
        m_sum.swap(spare.sum);
        m_sumX.swap(spare.sumX);
    }
    m_sum.resize(samples.size() + 1);
    m_sumX.resize(samples.size() + 1);
    m_sum[0] = 0;
    m_sumX[0] = 0;
    Reach(reached);
}

void CLineFit::Extend(qint64 last)
{
    last = std::min(last, m_nCount);
    qint64 sum = m_sum[size_t(m_nReached)];
    qint64 sumX = m_sumX[size_t(m_nReached)];
    for (qint64 i = m_nReached; i < last; ++i) {
        sum += m_pSamples[i];
        sumX += i * qint64(m_pSamples[i]);
        m_sum[size_t(i + 1)] = sum;
        m_sumX[size_t(i + 1)] = sumX;
    }
    m_nReached = last;
}

CLineFit::~CLineFit()
{
    if (m_bSpare) {
        m_sum.swap(spare.sum);
        m_sumX.swap(spare.sumX);
        spare.taken = false;
    }
}

qint64 CLineFit::Sum(qint64 first, qint64 last) const
{
    first = std::clamp<qint64>(first, 0, m_nCount);
    last = std::clamp<qint64>(last, first, m_nCount);
    return m_sum[size_t(last)] - m_sum[size_t(first)];
}

double CLineFit::At(qint64 first, qint64 last, double x) const
{
    first = std::max<qint64>(first, 0);
    last = std::min(last, m_nCount);
    const qint64 m = last - first;
    if (m <= 0)
        return 0.0;
    const double sy = double(m_sum[size_t(last)] - m_sum[size_t(first)]);
    const double mean = sy / double(m);
    if (m == 1)
        return mean;
    const double xm = 0.5 * double(first + last - 1);
    const double sxy = double(m_sumX[size_t(last)] - m_sumX[size_t(first)]) - xm * sy;
    const double sxx = double(m) * (double(m) * double(m) - 1.0) / 12.0;
    return mean + sxy / sxx * (x - xm);
}

CLineFit::tWindow CLineFit::Window(qint64 length)
{
    tWindow window;
    window.length = length;
    if (length > 0)
        window.inverse = 1.0 / double(length);
    if (length > 1)
        window.inverseSxx = 12.0 / (double(length) * (double(length) * double(length) - 1.0));
    return window;
}

tLine CLineFit::Line(qint64 first, qint64 last, double resolution) const
{
    const double at0 = At(first, last, 0.0);
    const double perSample = At(first, last, 1.0) - at0;
    return { resolution > 0 ? perSample / resolution : 0.0, at0 };
}

} // namespace analysis
