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

} // namespace analysis
