#pragma once

#include <QtGlobal>

#include <vector>

namespace analysis {

// A straight line over a trace: value = slope * x + intercept, x in metres,
// values in the trace's sample units (0.001 dB, larger is lower). A slope in
// sample units per metre is dB per km.
struct tLine
{
    double slope = 0;
    double intercept = 0;

    double At(double x) const { return slope * x + intercept; }
};

// Least-squares lines through the samples of a trace between two distances,
// as the splice measurement and the analysis take them. Samples lie
// `resolution` metres apart from 0; an interval a ... b (metres) takes the
// samples nearest to its ends, limited to those the trace has.
class CLineFit
{
public:
    // The line through a ... b; slope 0 through the mean when a single sample
    // lies inside, and 0 when none does.
    static tLine Fit(const quint16* samples, int count, double resolution, double a, double b);
    // Mean sample value over a ... b; 0 when no sample lies in it.
    static double Mean(const quint16* samples, int count, double resolution, double a, double b);
    // Least-squares slope over a ... b about the centre m and the mean v. The
    // distance of the first sample is taken as a itself, not as its index
    // times the resolution.
    static double Slope(const quint16* samples, int count, double resolution, double a, double b, double m, double v);
    // Samples in a ... b.
    static qint64 SampleCount(int count, double resolution, double a, double b);

    // The same lines over one whole trace, by sample index, each in constant
    // time: running sums of the samples are kept.
    explicit CLineFit(const std::vector<quint16>& samples);
    // The running sums only up to sample `reached` at first, the rest as
    // Reach() asks for them: a scan along the trace that reads the sums just
    // after they are added up finds them in the cache, where the whole
    // trace's sums (16 MB for a million samples) would have left it.
    CLineFit(const std::vector<quint16>& samples, qint64 reached);
    // Adds the running sums up to sample `last` (at most the sample count):
    // lines may then end there.
    void Reach(qint64 last)
    {
        if (last > m_nReached)
            Extend(last);
    }
    ~CLineFit();
    CLineFit(const CLineFit&) = delete;
    CLineFit& operator=(const CLineFit&) = delete;

    // The line through samples [first, last) (limited to the trace) at
    // index x; the mean where one sample lies inside, 0 where none does.
    double At(qint64 first, qint64 last, double x) const;
    // The same for `length` samples from `first`, all within the trace,
    // with the window's constants from Window(length).
    struct tWindow
    {
        qint64 length = 0;
        double inverse = 0;
        double inverseSxx = 0;
    };
    static tWindow Window(qint64 length);
    double At(qint64 first, const tWindow& window, double x) const
    {
        const qint64 last = first + window.length;
        const double sy = double(m_sum[size_t(last)] - m_sum[size_t(first)]);
        const double xm = 0.5 * double(first + last - 1);
        const double sxy = double(m_sumX[size_t(last)] - m_sumX[size_t(first)]) - xm * sy;
        return sy * window.inverse + sxy * window.inverseSxx * (x - xm);
    }
    // The same line with x in metres, samples `resolution` apart from 0.
    tLine Line(qint64 first, qint64 last, double resolution) const;
    // The sum of samples [first, last), within the trace.
    qint64 Sum(qint64 first, qint64 last) const;

private:
    void Extend(qint64 last);

    const quint16* m_pSamples = nullptr;
    qint64 m_nCount = 0;
    // The running sums are added up to this sample.
    qint64 m_nReached = 0;
    // Running sums of the samples and of index times sample, one more than
    // the samples; memory kept for the thread's next trace.
    std::vector<qint64> m_sum;
    std::vector<qint64> m_sumX;
    // The sums' memory is the thread's spare, to be handed back.
    bool m_bSpare = false;
};

} // namespace analysis
