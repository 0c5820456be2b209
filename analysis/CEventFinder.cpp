#include "CEventFinder.h"

#include "CSelection.h"

#include <algorithm>
#include <cmath>
#include <utility>

namespace analysis {

namespace {

// Significance of a step, in standard deviations of the step detector.
constexpr double kStepZ = 5.0;
// A step found over a whole section reaches the smallest step by this many
// of its standard deviations.
constexpr double kMarginZ = 2.0;
// A step starts where the trace is off the line before it by this share of
// the step.
constexpr double kStepEdge = 0.02;
// Significance of a reflection's height, in standard deviations of a sample.
constexpr double kPeakZ = 5.0;
// Pulse lengths a reflection's rise may take before its top: one, and
// a little for the receiver.
constexpr double kRisePulses = 1.25;
// The smallest reflection height taken, sample units (0.001 dB).
constexpr double kMinPeak = 30.0;
// A reflection this much weaker than the strongest of a group still counts
// as its own (the group then starts at it).
constexpr double kCloseReflection = 0.05;
// The steepest backscatter the settling test allows for, sample units per metre (dB/km).
constexpr double kMaxAttenuation = 1.0;
// Sample noise at which a trace is in its noise floor, sample units.
constexpr double kNoiseSigma = 300.0;
// How much noisier a block may be than the quietest block after it.
constexpr double kNoiseRise = 2.0;
// MAD to standard deviation of a normal distribution.
constexpr double kMadToSigma = 1.4826;

// The highest and the lowest level of a trace (the smallest and the largest
// sample) in one pass the compiler can vectorise; 0 for no samples.
void TopAndBottom(const std::vector<quint16>& samples, quint16& top, quint16& bottom)
{
    const quint16* p = samples.data();
    const size_t n = samples.size();
    quint16 low = n > 0 ? p[0] : 0;
    quint16 high = low;
    for (size_t i = 0; i < n; ++i) {
        low = p[i] < low ? p[i] : low;
        high = p[i] > high ? p[i] : high;
    }
    top = low;
    bottom = high;
}

// Samples of p[0, n) that lie within two units of `bottom` or lower.
qint64 AtBottom(const quint16* p, qint64 n, quint16 bottom)
{
    const int level = int(bottom) - 2;
    qint64 count = 0;
    for (qint64 i = 0; i < n; ++i)
        count += int(p[i]) >= level ? 1 : 0;
    return count;
}

// Variance of a least-squares line over n samples taken `distance` samples
// from its middle, in units of one sample's variance.
double LineVariance(qint64 n, double distance)
{
    const double dn = double(std::max<qint64>(n, 2));
    return 1.0 / dn + 12.0 * distance * distance / (dn * (dn * dn - 1.0));
}

double Median(std::vector<double>& values)
{
    if (values.empty())
        return 0.0;
    return CSelection::Kth(values.data(), values.size(), values.size() / 2);
}

} // namespace

CEventFinder::CEventFinder(const std::vector<quint16>& samples, double pulseSamples, double spacingM, qint64 origin)
    : m_samples(samples)
    , m_fit(samples, 0)
    , m_nCount(qint64(samples.size()))
    , m_fPulse(std::max(1.0, pulseSamples))
    , m_fSpacing(spacingM)
    , m_nOrigin(std::clamp<qint64>(origin, 0, qint64(samples.size())))
{
    m_nGap = qint64(std::ceil(0.6 * m_fPulse)) + 1;
    m_nLength = std::max<qint64>(qint64(std::ceil(3.0 * m_fPulse)), 12);
    m_nMinFit = std::max<qint64>(qint64(std::ceil(0.5 * m_fPulse)), 5);
    m_nBlock = std::clamp<qint64>(4 * m_nLength, 64, std::max<qint64>(64, m_nCount / 4));
    TopAndBottom(samples, m_nTop, m_nBottom);
    EstimateNoise();
    FindLaunch();
    FindNoiseStart();
    CapEventBlocks();
}

double CEventFinder::LineAt(qint64 first, qint64 last, double x) const
{
    return m_fit.At(first, last, x);
}

double CEventFinder::Step(qint64 i, qint64 length, qint64 gap) const
{
    const double left = LineAt(i - gap - length, i - gap, double(i));
    const double right = LineAt(i + gap + 1, i + gap + 1 + length, double(i));
    return right - left;
}

qint64 CEventFinder::BlockOf(qint64 i) const
{
    if (m_noise.empty())
        return 0;
    return std::clamp<qint64>(i / m_nBlock, 0, qint64(m_noise.size()) - 1);
}

double CEventFinder::SampleNoise(qint64 i) const
{
    return m_noise.empty() ? 0.0 : m_noise[size_t(BlockOf(i))].sample;
}

void CEventFinder::EstimateNoise()
{
    const qint64 blocks = m_nCount / m_nBlock;
    std::vector<tBlockNoise> raw(size_t(std::max<qint64>(blocks, 0)));
    std::vector<double> values;
    for (qint64 b = 0; b < blocks; ++b) {
        const qint64 first = b * m_nBlock;
        const qint64 last = first + m_nBlock;
        // The running sums are added up block by block, just ahead of the
        // lines over the block and its steps, which then read them from the cache.
        m_fit.Reach(last + m_nGap + 1 + m_nLength);
        // A sample of the block's values is as good as all of them.
        const qint64 stride = std::max<qint64>(1, m_nBlock / 128);
        raw[size_t(b)].sample = Spread(first, last, stride);
        // The noise is either scattered, or held at the instrument's lowest level.
        const qint64 clipped = AtBottom(m_samples.data() + first, last - first, m_nBottom);
        raw[size_t(b)].noisy = raw[size_t(b)].sample >= kNoiseSigma || clipped * 10 >= m_nBlock;
        values.clear();
        for (qint64 i = first; i < last; i += stride) {
            if (i - m_nGap - m_nLength >= 0 && i + m_nGap + 1 + m_nLength <= m_nCount)
                values.push_back(std::abs(Step(i, m_nLength, m_nGap)));
        }
        raw[size_t(b)].step = kMadToSigma * Median(values);
    }
    // A block with an event in it is noisier than its neighbours: the median
    // of five neighbouring blocks stands for each.
    m_noise.resize(raw.size());
    std::vector<double> samples;
    std::vector<double> steps;
    for (qint64 b = 0; b < blocks; ++b) {
        samples.clear();
        steps.clear();
        for (qint64 k = std::max<qint64>(0, b - 2); k <= std::min(blocks - 1, b + 2); ++k) {
            samples.push_back(raw[size_t(k)].sample);
            steps.push_back(raw[size_t(k)].step);
        }
        // Samples are whole units: the noise is never taken below one unit.
        m_noise[size_t(b)].sample = std::max(1.0, Median(samples));
        m_noise[size_t(b)].step = std::max(1.0, Median(steps));
        m_noise[size_t(b)].noisy = raw[size_t(b)].noisy;
    }
    m_fit.Reach(m_nCount);
}

void CEventFinder::CapEventBlocks()
{
    // The noise grows along a fibre as its backscatter falls: a block with
    // events in it (the launch and a reflection close after it) takes not
    // much more than the blocks after it show.
    double sample = -1;
    double step = -1;
    for (qint64 b = std::min(qint64(m_noise.size()), m_nNoiseStart / m_nBlock) - 1; b >= 0; --b) {
        tBlockNoise& n = m_noise[size_t(b)];
        if (sample >= 0) {
            n.sample = std::min(n.sample, kNoiseRise * sample);
            n.step = std::min(n.step, kNoiseRise * step);
        }
        sample = sample >= 0 ? std::min(sample, n.sample) : n.sample;
        step = step >= 0 ? std::min(step, n.step) : n.step;
    }
}

void CEventFinder::FindNoiseStart()
{
    // The first noisy block after which at least four in five blocks are noisy.
    m_nNoiseStart = m_nCount;
    const qint64 blocks = qint64(m_noise.size());
    qint64 noisy = 0;
    // Three noisy blocks in a row (or up to the end): one or two may hold an
    // event, or the launch.
    qint64 run = 0;
    for (qint64 b = blocks - 1; b >= BlockOf(m_nLaunchEnd); --b) {
        noisy += m_noise[size_t(b)].noisy ? 1 : 0;
        run = m_noise[size_t(b)].noisy ? run + 1 : 0;
        if (run >= std::min<qint64>(3, blocks - b) && noisy * 5 >= (blocks - b) * 4)
            m_nNoiseStart = b * m_nBlock;
    }
    if (m_nNoiseStart == m_nCount && blocks * m_nBlock < m_nCount && blocks > 0 && m_noise.back().noisy)
        m_nNoiseStart = blocks * m_nBlock;
    if (m_nNoiseStart >= m_nCount)
        return;
    // Noise from the first block on: a short fibre ends within it, after a
    // clear drop, or the trace is noise throughout.
    const bool fromStart = m_nNoiseStart <= BlockOf(m_nLaunchEnd) * m_nBlock;
    // The blocks are coarse: the noise starts after the largest drop near the
    // first noisy block.
    const qint64 width = std::max<qint64>(qint64(std::ceil(0.5 * m_fPulse)), fromStart ? 16 : 8);
    const qint64 from = std::max(m_nLaunchEnd, m_nNoiseStart - m_nBlock) + m_nGap + width;
    // A short fibre may end a few blocks after the launch: the first blocks
    // hold the launch and the end reflection, and look noisy for it.
    const qint64 to = std::min(m_nCount - m_nGap - width - 1, m_nNoiseStart + (fromStart ? 4 : 1) * m_nBlock);
    qint64 best = -1;
    double drop = fromStart ? 5000.0 : 1000.0;
    for (qint64 i = from; i <= to; ++i) {
        const double before = double(m_fit.Sum(i - m_nGap - width, i - m_nGap));
        const double after = double(m_fit.Sum(i + m_nGap, i + m_nGap + width));
        const double d = (after - before) / double(width);
        if (d > drop) {
            drop = d;
            best = i;
        }
    }
    if (best >= 0)
        m_nNoiseStart = best + m_nGap;
    else if (fromStart)
        m_nNoiseStart = m_nLaunchEnd;
    // The mean, as the levels it is compared with are means: noise held at
    // the instrument's lowest level has its median there, far below its mean.
    m_fFloor = MeanOver(m_nNoiseStart, m_nCount);
}

double CEventFinder::MeanOver(qint64 first, qint64 last) const
{
    first = std::clamp<qint64>(first, 0, m_nCount);
    last = std::clamp<qint64>(last, first, m_nCount);
    return last > first ? double(m_fit.Sum(first, last)) / double(last - first) : 0.0;
}

double CEventFinder::LocalNoise(qint64 first, qint64 last) const
{
    first = std::max<qint64>(first, 0);
    last = std::min(last, m_nCount);
    if (last - first < m_nMinFit)
        return SampleNoise(first);
    return std::max(1.0, Spread(first, last, std::max<qint64>(1, (last - first) / 256)));
}

double CEventFinder::Spread(qint64 first, qint64 last, qint64 stride) const
{
    const double at0 = LineAt(first, last, 0.0);
    const double slope = LineAt(first, last, 1.0) - at0;
    // The thread's memory for the distances, taken again at every block.
    thread_local std::vector<double> values;
    values.clear();
    for (qint64 i = first; i < last; i += stride)
        values.push_back(std::abs(double(m_samples[size_t(i)]) - (at0 + slope * double(i))));
    return kMadToSigma * Median(values);
}

double CEventFinder::StepNoise(qint64 i) const
{
    return m_noise.empty() ? 0.0 : m_noise[size_t(BlockOf(i))].step;
}

qint64 CEventFinder::Settled(qint64 peak, double reachPulses) const
{
    const qint64 half = std::max<qint64>(qint64(std::ceil(0.5 * m_fPulse)), 2);
    const qint64 limit = reachPulses > 0 ? std::min(m_nCount, peak + qint64(reachPulses * m_fPulse) + 10) : m_nCount;
    qint64 j = peak;
    // A saturated peak is flat on top, and a long pulse's reflection is a
    // plateau a pulse long that falls no faster than a fibre until the
    // pulse has passed.
    const qint64 top = peak + qint64(std::ceil(m_fPulse));
    const auto onTop = [&](qint64 i) {
        const double rise = double(m_samples[size_t(i)]) - double(m_samples[size_t(peak)]);
        return rise <= 2.0 || (i < top && rise <= 2.0 + kMaxAttenuation * m_fSpacing * double(i - peak));
    };
    while (j + 1 < limit && onTop(j + 1))
        ++j;
    while (j + 2 * half < limit) {
        const double first = double(m_fit.Sum(j, j + half)) / double(half);
        const double second = double(m_fit.Sum(j + half, j + 2 * half)) / double(half);
        const double allowed = std::max(3.0 * SampleNoise(j) / std::sqrt(double(half)), 5.0)
            + kMaxAttenuation * m_fSpacing * double(half);
        if (second - first <= allowed)
            break;
        ++j;
    }
    return std::min(m_nCount, j + half);
}

void CEventFinder::FindLaunch()
{
    m_nLaunchEnd = 0;
    m_nLaunchEnd = m_nOrigin;
    const qint64 from = std::max<qint64>(0, m_nOrigin - 2);
    const qint64 look = std::min(m_nCount, m_nOrigin + qint64(2.0 * m_fPulse) + 4);
    if (look <= from)
        return;
    const qint64 peak
        = qint64(std::min_element(m_samples.begin() + from, m_samples.begin() + look) - m_samples.begin());
    // A trace whose first samples are no higher than what follows has no
    // front reflection to skip.
    const qint64 after = std::min(m_nCount, Settled(peak));
    if (after >= m_nCount)
        return;
    if (double(m_samples[size_t(after)]) - double(m_samples[size_t(peak)]) < kMinPeak)
        return;
    m_nLaunchEnd = after;
}

void CEventFinder::Collect(const std::vector<qint64>& lengths, qint64 gap, double z, double minStep,
    std::vector<std::vector<qint64>>& centres) const
{
    // Next to the launch the line before is shorter: an event there is
    // still found, against a higher threshold.
    const qint64 origin = std::max<qint64>(m_nLaunchEnd, 0);
    // One scan along the trace for each line length.
    struct tScan
    {
        qint64 length = 0;
        qint64 first = 0;
        qint64 last = 0;
        // The detector's noise at this scale, relative to the one the blocks measured.
        double scale = 1;
        CLineFit::tWindow window;
        // A long line changes little from one sample to the next: it is
        // looked at every few samples, and where it stands out, at every sample.
        qint64 stride = 1;
        // The next sample looked at, and the strongest step of the run of
        // steps beyond the threshold that the scan is in.
        qint64 next = 0;
        qint64 best = -1;
        double bestValue = 0;
        int runSign = 0;
    };
    std::vector<tScan> scans;
    for (const qint64 length : lengths) {
        tScan scan;
        scan.length = length;
        scan.first = origin + gap + std::min(length, m_nMinFit);
        scan.last = std::min(m_nCount - gap - length - 1, m_nNoiseStart + m_nBlock);
        scan.scale = std::sqrt(double(m_nLength) / double(length));
        scan.window = CLineFit::Window(length);
        scan.stride = std::max<qint64>(1, length / 64);
        scan.next = scan.first;
        scans.push_back(scan);
    }
    const auto step = [&](const tScan& scan, qint64 i) {
        const qint64 length = scan.length;
        const qint64 before = std::min(length, i - gap - origin);
        if (before < length)
            return LineAt(i + gap + 1, i + gap + 1 + length, double(i)) - LineAt(i - gap - before, i - gap, double(i));
        return m_fit.At(i + gap + 1, scan.window, double(i)) - m_fit.At(i - gap - length, scan.window, double(i));
    };
    const auto keep = [&](const tScan& scan, std::vector<qint64>& found) {
        qint64 at = scan.best;
        double value = std::abs(step(scan, scan.best));
        const qint64 to = std::min(scan.last + 1, scan.best + scan.stride);
        for (qint64 i = std::max(scan.first, scan.best - scan.stride + 1); i < to; ++i) {
            const double d = std::abs(step(scan, i));
            if (d > value) {
                value = d;
                at = i;
            }
        }
        found.push_back(at);
    };
    // The scans go along the trace side by side, a stretch at a time: the
    // running sums all of them read about one stretch come from main memory
    // once, not once for each scan.
    constexpr qint64 kStretch = 4096;
    centres.assign(scans.size(), {});
    bool more = true;
    for (qint64 end = origin + kStretch; more; end += kStretch) {
        more = false;
        for (size_t k = 0; k < scans.size(); ++k) {
            tScan& scan = scans[k];
            for (; scan.next <= std::min(scan.last, end); scan.next += scan.stride) {
                const qint64 i = scan.next;
                const qint64 before = std::min(scan.length, i - gap - origin);
                const double d = step(scan, i);
                const double shortened
                    = before < scan.length ? std::sqrt(0.5 * (double(scan.length) / double(before) + 1.0)) : 1.0;
                const double threshold
                    = std::max(z * m_noise[size_t(BlockOf(i))].step * scan.scale * shortened, minStep);
                const int sign = std::abs(d) >= threshold ? (d > 0 ? 1 : -1) : 0;
                if (sign != scan.runSign && scan.best >= 0) {
                    keep(scan, centres[k]);
                    scan.best = -1;
                }
                scan.runSign = sign;
                if (sign != 0 && std::abs(d) > scan.bestValue * (scan.best >= 0 ? 1.0 : 0.0)) {
                    scan.best = i;
                    scan.bestValue = std::abs(d);
                }
            }
            more = more || scan.next <= scan.last;
        }
    }
    for (size_t k = 0; k < scans.size(); ++k)
        if (scans[k].best >= 0)
            keep(scans[k], centres[k]);
}

qint64 CEventFinder::SectionStep(qint64 first, qint64 last, double minStep) const
{
    first = std::max<qint64>(first, 0);
    last = std::min(last, m_nCount);
    // The shortest line on either side: a step closer to an event than this
    // the detector's own windows see.
    const qint64 side = 4 * m_nLength;
    if (last - first < 2 * (side + m_nGap) + 1)
        return -1;
    const auto lineVariance = [&](qint64 i) {
        const qint64 left = i - m_nGap - first;
        const qint64 right = last - i - m_nGap - 1;
        return LineVariance(left, 0.5 * double(left + 1) + double(m_nGap))
            + LineVariance(right, 0.5 * double(right - 1) + double(m_nGap) + 1.0);
    };
    const auto step = [&](qint64 i) {
        return LineAt(i + m_nGap + 1, last, double(i)) - LineAt(first, i - m_nGap, double(i));
    };
    const qint64 from = first + m_nGap + side;
    const qint64 to = last - m_nGap - 1 - side;
    const qint64 stride = std::max<qint64>(1, side / 64);
    qint64 best = -1;
    double bestZ = 0;
    const auto look = [&](qint64 i) {
        const double z = std::abs(step(i)) / std::sqrt(lineVariance(i));
        if (z > bestZ) {
            bestZ = z;
            best = i;
        }
    };
    for (qint64 i = from; i <= to; i += stride)
        look(i);
    if (best < 0)
        return -1;
    for (qint64 i = std::max(from, best - stride + 1); i <= std::min(to, best + stride - 1); ++i)
        look(i);
    const double d = step(best);
    if (std::abs(d) < minStep)
        return -1;
    // The section's noise about the two lines, over stretches from the
    // detector's length to a quarter of the shorter side: slow wander of the
    // trace counts as much as the scatter of single samples.
    const qint64 shorter = std::min(best - m_nGap - first, last - best - m_nGap - 1);
    double sigma = 0;
    qint64 block = m_nLength;
    thread_local std::vector<double> means;
    for (; block <= shorter / 4; block *= 2) {
        means.clear();
        for (const auto& [a, b] : { std::pair(first, best - m_nGap), std::pair(best + m_nGap + 1, last) }) {
            const double at0 = LineAt(a, b, 0.0);
            const double slope = LineAt(a, b, 1.0) - at0;
            for (qint64 k = a; k + block <= b; k += block) {
                const double line = at0 + slope * (double(k) + 0.5 * double(block - 1));
                means.push_back(std::abs(double(m_fit.Sum(k, k + block)) / double(block) - line));
            }
        }
        sigma = std::max(sigma, kMadToSigma * Median(means) * std::sqrt(double(block)));
    }
    if (!(sigma > 0))
        return -1;
    // Out of the noise, and beyond the smallest step by more than its own
    // uncertainty: a step only lines this long show is no clearer than that.
    const double stepSigma = sigma * std::sqrt(lineVariance(best));
    if (std::abs(d) < kStepZ * stepSigma || std::abs(d) - kMarginZ * stepSigma < minStep)
        return -1;
    // The lines reach past the step's fall (a long pulse's, with its tail):
    // the step starts where the trace leaves the line before it, at most two
    // pulse lengths back. Its middle is returned, as for any step.
    const qint64 back = std::max(first + m_nMinFit, best - m_nGap - qint64(std::ceil(2.0 * m_fPulse)));
    const qint64 start = LeavesLine(best, back, first, best - m_nGap, d, LocalNoise(first, best - m_nGap));
    return std::min(best, start + qint64(std::lround(0.5 * m_fPulse)));
}

qint64 CEventFinder::LeavesLine(qint64 at, qint64 earliest, qint64 lineFirst, qint64 lineLast, double step, double sigma) const
{
    const double at0 = LineAt(lineFirst, lineLast, 0.0);
    const double slope = LineAt(lineFirst, lineLast, 1.0) - at0;
    const double sign = step > 0 ? 1.0 : -1.0;
    const double edge = std::max(3.0 * sigma, kStepEdge * std::abs(step));
    qint64 j = at;
    while (j > earliest && (double(m_samples[size_t(j - 1)]) - at0 - slope * double(j - 1)) * sign > edge)
        --j;
    return j;
}

std::vector<CEventFinder::tCandidate> CEventFinder::Find(double minStep) const
{
    std::vector<tCandidate> found;
    if (m_noise.empty())
        return found;
    // Longer lines find smaller steps; a step a shorter line found already is
    // not taken twice.
    const qint64 wide = 4 * m_nLength;
    std::vector<qint64> lengths { m_nLength };
    for (const qint64 length : { wide, 4 * wide }) {
        if (m_nCount <= 8 * length)
            break;
        lengths.push_back(length);
    }
    std::vector<std::vector<qint64>> scales;
    Collect(lengths, m_nGap, kStepZ, minStep, scales);
    std::vector<qint64> centres = scales[0];
    for (size_t k = 1; k < lengths.size(); ++k) {
        const qint64 length = lengths[k];
        const std::vector<qint64>& more = scales[k];
        std::vector<qint64> added;
        for (const qint64 c : more) {
            // A longer line reaching over an event already found sees that
            // event, not a step of its own.
            const qint64 reach = length + m_nGap;
            const auto near = std::lower_bound(centres.begin(), centres.end(), c - reach);
            const bool known = near != centres.end() && *near <= c + reach;
            if (!known)
                added.push_back(c);
        }
        centres.insert(centres.end(), added.begin(), added.end());
        std::sort(centres.begin(), centres.end());
    }
    std::sort(centres.begin(), centres.end());
    centres.erase(std::unique(centres.begin(), centres.end()), centres.end());

    // Centres closer than this belong to one event: a step's detector
    // response has side lobes a line length and a gap away.
    const qint64 join = 2 * m_nGap + 2 * qint64(std::ceil(m_fPulse)) + 1;
    size_t k = 0;
    while (k < centres.size()) {
        size_t e = k;
        while (e + 1 < centres.size() && centres[e + 1] - centres[e] <= join)
            ++e;
        const qint64 c0 = centres[k];
        const qint64 c1 = centres[e];
        k = e + 1;

        tCandidate candidate;
        // A group that starts with a fall into the noise may be an end
        // reflection whose rise the detector missed, its line after reaching
        // over the peak into the fall: the peak is looked for a whole line
        // length before.
        const bool fall = Step(c0, m_nLength, m_nGap) > 0 && c0 + m_nLength + m_nGap >= m_nNoiseStart;
        const qint64 leftEnd = std::max(m_nLaunchEnd, c0 - m_nGap - qint64(m_fPulse) - (fall ? m_nLength : 0));
        const qint64 leftBegin = std::max(m_nLaunchEnd, leftEnd - wide);
        const bool hasLeft = leftEnd - leftBegin >= m_nMinFit;
        const qint64 from = std::max<qint64>(0, leftEnd);
        // The detector sees a rising edge as soon as its line after reaches it.
        const qint64 to = std::min(m_nCount - 1, c1 + m_nGap + 1 + m_nLength);
        // The highest point above the backscatter line, which falls along a
        // long pulse's reflection as much as a weak reflection rises.
        qint64 peak = from;
        double highest = 0;
        const double slope = hasLeft ? LineAt(leftBegin, leftEnd, 1.0) - LineAt(leftBegin, leftEnd, 0.0) : 0.0;
        for (qint64 i = from; i <= to; ++i) {
            const double above = slope * double(i - from) - double(m_samples[size_t(i)]);
            if (i == from || above > highest) {
                highest = above;
                peak = i;
            }
        }
        // The peak stands out of the noise of the backscatter before it.
        const double sigma = hasLeft ? std::min(SampleNoise(leftBegin), LocalNoise(leftBegin, leftEnd))
                                     : std::min(SampleNoise(peak), LocalNoise(from, std::max(from + m_nMinFit, peak - qint64(std::ceil(m_fPulse)))));
        const double base = hasLeft ? LineAt(leftBegin, leftEnd, double(peak)) : double(m_samples[size_t(from)]);
        const double height = base - double(m_samples[size_t(peak)]);
        const qint64 settled = Settled(peak);
        const qint64 rightEnd = std::min(m_nCount, settled + m_nLength);
        const double after = settled < rightEnd ? double(m_fit.Sum(settled, rightEnd))
                / double(rightEnd - settled)
                                                : base;
        const double threshold = std::max(kPeakZ * sigma, kMinPeak);
        // The tail of the reflection found before: no event of its own.
        if (!found.empty() && found.back().reflective && peak < found.back().settled) {
            found.back().settled = std::max(found.back().settled, Settled(peak));
            continue;
        }
        if (height > threshold && after - double(m_samples[size_t(peak)]) > std::max(threshold, 0.5 * height)) {
            candidate.reflective = true;
            candidate.peak = peak;
            candidate.height = height;
            qint64 j = peak;
            const double edge = std::max(3.0 * sigma, 0.1 * height);
            // Back to the leading edge over the reflection's top, against the
            // backscatter line where each sample lies.
            const auto above = [&](qint64 i) {
                return (hasLeft ? LineAt(leftBegin, leftEnd, double(i)) : base) - double(m_samples[size_t(i)]);
            };
            while (j > from && above(j - 1) > edge)
                --j;
            // A reflection rises within about a pulse length of where its
            // top begins (the first sample within the edge of its peak: a
            // clipped top is flat, a long pulse's falls). A walk further
            // back followed a line the trace had already left (one bent by
            // an event before it); the edge is then sought against the
            // backscatter just before the reflection.
            qint64 top = j;
            while (top < peak && above(top) < above(peak) - edge)
                ++top;
            const qint64 rise = top - qint64(std::ceil(kRisePulses * m_fPulse));
            const qint64 localBegin = rise - std::max(m_nMinFit, qint64(std::ceil(m_fPulse)));
            if (j < rise && localBegin >= std::max(m_nLaunchEnd, from)) {
                j = peak;
                while (j > rise && LineAt(localBegin, rise, double(j - 1)) - double(m_samples[size_t(j - 1)]) > edge)
                    --j;
            }
            // A weaker reflection before the strongest one, the trace
            // falling below half its height between them: closer than the
            // detector separates and not back on the backscatter between
            // them, the two are one event, which starts at the first one's
            // leading edge; otherwise an event of its own.
            const double weakest = std::max(threshold, kCloseReflection * height);
            for (qint64 i = from; i < j; ++i) {
                if (above(i) <= weakest)
                    continue;
                // Its top, and the trough after it.
                qint64 top = i;
                for (qint64 k = i; k < j && above(k) > 0.5 * above(top); ++k)
                    top = above(k) > above(top) ? k : top;
                qint64 trough = top;
                while (trough < j && above(trough) > 0.5 * above(top))
                    ++trough;
                if (trough >= j)
                    break;
                const double firstEdge = std::max(3.0 * sigma, 0.1 * above(top));
                qint64 lead = i;
                while (lead > from && above(lead - 1) > firstEdge)
                    --lead;
                // Back on the backscatter between them, the two are seen apart.
                double lowest = above(trough);
                for (qint64 k = trough; k < j; ++k)
                    lowest = std::min(lowest, above(k));
                if (j - top > join || lowest <= firstEdge) {
                    // Found already as the group before.
                    if (!found.empty() && found.back().reflective && top < found.back().settled)
                        break;
                    tCandidate weaker;
                    weaker.reflective = true;
                    weaker.start = lead;
                    weaker.peak = top;
                    weaker.height = above(top);
                    weaker.settled = std::min(Settled(top), j);
                    found.push_back(weaker);
                } else {
                    j = lead;
                    candidate.merged = true;
                }
                break;
            }
            candidate.start = j;
            // A reflection lasts a pulse length from its leading edge: the
            // top of a long pulse's reflection falls with the fibre, and the
            // trace settles only after its falling edge.
            const qint64 fall = std::min(m_nCount - 1, j + qint64(std::ceil(m_fPulse)));
            candidate.settled = std::max({ settled, peak + 1, fall > peak ? Settled(fall) : 0 });
            candidate.saturated = m_samples[size_t(peak)] <= m_nTop + 1
                && ((peak > 0 && m_samples[size_t(peak - 1)] <= m_nTop + 1)
                    || (peak + 1 < m_nCount && m_samples[size_t(peak + 1)] <= m_nTop + 1));
            // A step of the group after the reflection has settled is an
            // event of its own (a splice just past a connector's dead zone);
            // the analysis drops it if the lines beside it show no loss.
            qint64 after = -1;
            double strongest = -1;
            for (qint64 c : centres) {
                if (c < c0 || c > c1 || c - qint64(std::lround(0.5 * m_fPulse)) < candidate.settled + m_nGap)
                    continue;
                const double d = std::abs(Step(c, m_nLength, m_nGap));
                if (d > strongest) {
                    strongest = d;
                    after = c;
                }
            }
            if (after >= 0) {
                found.push_back(candidate);
                candidate = tCandidate();
                candidate.peak = after;
                candidate.start = after - qint64(std::lround(0.5 * m_fPulse));
                candidate.settled = std::min(m_nCount, c1 + m_nGap);
            }
        } else {
            // The strongest step of the group marks its middle.
            qint64 centre = c0;
            double strongest = -1;
            for (qint64 c : centres) {
                if (c < c0 || c > c1)
                    continue;
                const double d = std::abs(Step(c, m_nLength, m_nGap));
                if (d > strongest) {
                    strongest = d;
                    centre = c;
                }
            }
            candidate.peak = centre;
            candidate.start = std::max<qint64>(0, centre - qint64(std::lround(0.5 * m_fPulse)));
            // A large step (the fall at a fibre's end) starts where the trace
            // leaves the line before it, which may lie well before the middle.
            // Its fall lasts about a pulse length.
            if (hasLeft) {
                const qint64 earliest = std::max(from, centre - qint64(std::ceil(m_fPulse)));
                candidate.start = std::min(candidate.start,
                    LeavesLine(centre, earliest, leftBegin, leftEnd, Step(centre, m_nLength, m_nGap), sigma));
            }
            candidate.settled = std::min(m_nCount, std::max(c1, centre) + m_nGap);
            // Found twice on different scales: the same step.
            if (!found.empty() && !found.back().reflective && candidate.peak - found.back().peak <= join) {
                found.back().settled = std::max(found.back().settled, candidate.settled);
                continue;
            }
        }
        found.push_back(candidate);
    }
    return found;
}

} // namespace analysis
