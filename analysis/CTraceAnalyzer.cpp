#include "CTraceAnalyzer.h"

#include "CEventFinder.h"
#include "CLineFit.h"
#include "CReturnLoss.h"
#include "CStepSplit.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace analysis {

namespace {

constexpr double kSpeedOfLight = 299792458.0; // m/s
// Used where a file gives no group index or backscatter coefficient.
constexpr double kDefaultIndex = 1.4682;
constexpr double kDefaultBackscatter = -80.0;
// Fewer samples than this cannot hold a line before and after an event.
constexpr size_t kMinSamples = 32;
// Samples a section fit takes next to an event at the most, in pulse lengths.
constexpr double kFitPulses = 60.0;
// Below the backscatter by this much (sample units) and falling faster than
// this (dB/km) after an event, the trace is in the tail of the fibre end.
constexpr double kEndDrop = 3000.0;
constexpr double kTailSlope = 3.0;
// A section between events holds a backscatter line where it falls no
// steeper than this (dB/km), or is at least this many pulse lengths long.
constexpr double kSectionSlope = 5.0;
constexpr double kLongSection = 10.0;
// Half the last digit a loss is shown with, dB: a loss shown as the
// threshold reaches it.
constexpr double kShownDb = 0.0005;
// A loss counts where it stands this many standard deviations out of the noise.
constexpr double kLossZ = 3.0;
// A receiver recovering from an end reflection: steeper than any fibre
// (dB/km), and over the section after the event by at least this much
// (sample units).
constexpr double kRecoverySlope = 8.0;
constexpr double kRecoveryFall = 1000.0;
// A short section noisier than this times the fibre beside it is no backscatter.
constexpr double kNoiseRise = 2.0;
// An echo has about no loss: at most this much, dB.
constexpr double kEchoLoss = 0.1;
// Steps fitted together lie this many pulse lengths (at least this many
// samples) either side of the event that holds them.
constexpr double kSplitPulses = 6.0;
constexpr qint64 kSplitSamples = 100;

QString Tr(const char* text)
{
    return QCoreApplication::translate("analysis::CTraceAnalyzer", text);
}

// An event while it is being measured, in samples.
struct tWork
{
    CEventFinder::tCandidate at;
    tFoundEvent event;
    tLine left;
    tLine right;
    qint64 leftCount = 0;
    qint64 rightCount = 0;
    // Standard deviation of the measured loss, dB.
    double lossSigma = 0;
    bool merged = false;
    // The section after the event is too short for a slope of its own and
    // takes the fibre's from a long neighbour.
    bool rightFixed = false;
    // Standard deviation of the loss, dB, as one fit with the steps beside
    // it measured it; 0 for an event measured on its own.
    double jointSigma = 0;
};

class CMeasure
{
public:
    CMeasure(const tTraceInput& trace, const CEventFinder& finder, double pulseSamples, double offset)
        : m_trace(trace)
        , m_fOffset(offset)
        , m_finder(finder)
        , m_fPulse(pulseSamples)
        , m_nCount(qint64(trace.samples.size()))
        , m_nCap(std::max<qint64>(qint64(kFitPulses * pulseSamples), 200))
    {
    }

    tLine Fit(qint64 first, qint64 last) const
    {
        return m_finder.Line(first, last);
    }

    // Merges events whose section between them is too short for a line.
    void Merge(std::vector<tWork>& work) const
    {
        for (size_t k = 1; k < work.size();) {
            tWork& a = work[k - 1];
            const tWork& b = work[k];
            // Two reflections seen apart stay two events; the section
            // between them measures neither (see Measure).
            if (b.at.start - a.at.settled >= m_finder.MinFit()
                || (a.at.reflective && b.at.reflective && double(b.at.start - a.at.peak) >= m_fPulse)) {
                ++k;
                continue;
            }
            a.merged = true;
            // A step just before a reflection is the reflection's own flank.
            if (b.at.reflective && !a.at.reflective) {
                a.merged = false;
                a.at.start = b.at.start;
            }
            if (b.at.reflective && (!a.at.reflective || b.at.height > a.at.height)) {
                a.at.peak = b.at.peak;
                a.at.height = b.at.height;
                a.at.saturated = b.at.saturated;
            }
            a.at.reflective = a.at.reflective || b.at.reflective;
            a.at.settled = std::max(a.at.settled, b.at.settled);
            work.erase(work.begin() + std::ptrdiff_t(k));
        }
    }

    // Fits the sections on both sides of each event and measures it.
    void Measure(std::vector<tWork>& work, qint64 sectionsEnd) const
    {
        const double dx = m_trace.spacingM;
        for (size_t k = 0; k < work.size(); ++k) {
            tWork& w = work[k];
            const qint64 leftFirst = k == 0 ? m_finder.LaunchEnd() : work[k - 1].at.settled;
            const qint64 leftLast = w.at.start;
            const qint64 rightFirst = w.at.settled;
            const qint64 rightLast = k + 1 < work.size() ? work[k + 1].at.start : std::max(sectionsEnd, rightFirst);
            const qint64 lf = std::max(leftFirst, leftLast - m_nCap);
            const qint64 rl = std::min(rightLast, rightFirst + m_nCap);
            w.leftCount = std::max<qint64>(0, leftLast - lf);
            w.rightCount = std::max<qint64>(0, rl - rightFirst);
            w.left = Fit(lf, leftLast);
            w.right = Fit(rightFirst, rl);
            const double x = double(w.at.start) * dx;
            w.event = tFoundEvent();
            w.event.distanceM = std::max(0.0, x - m_fOffset);
            w.event.merged = w.merged;
            if (w.leftCount >= m_finder.MinFit() && w.rightCount >= m_finder.MinFit())
                w.event.lossDb = (w.right.At(x) - w.left.At(x)) / 1000.0;
            // Two lines of this many samples measure a step about as well as
            // the step detector does with its own.
            const double shorter = double(std::max<qint64>(1, std::min(w.leftCount, w.rightCount)));
            w.lossSigma = m_finder.StepNoise(w.at.start) * std::sqrt(double(m_finder.StepLength()) / shorter) / 1000.0;
            // The short lines between close steps know less of the loss than
            // the fit of the steps together.
            if (w.jointSigma > 0)
                w.lossSigma = std::min(w.lossSigma, w.jointSigma);
            if (leftLast - leftFirst >= std::max<qint64>(m_finder.MinFit(), qint64(2 * m_fPulse)))
                w.event.attenuationDbPerKm = Fit(leftFirst, leftLast).slope;
            MeasureReflection(w);
        }
        FixShortSections(work);
        // A section too short or too steep for a backscatter line (the trough
        // between two close reflections, a receiver recovering) measures
        // neither event beside it: the group is measured from the line before
        // its first event to the line after its last, and the first event
        // carries the loss.
        for (size_t k = 0; k + 1 < work.size(); ++k) {
            if (Usable(work[k]))
                continue;
            size_t j = k + 1;
            while (j + 1 < work.size() && !Usable(work[j]))
                ++j;
            tWork& w = work[k];
            const double x = double(w.at.start) * dx;
            w.right = work[j].right;
            w.rightCount = work[j].rightCount;
            w.event.lossDb.reset();
            if (Usable(work[j]) && w.leftCount >= m_finder.MinFit())
                w.event.lossDb = (w.right.At(x) - w.left.At(x)) / 1000.0;
            for (size_t i = k + 1; i <= j; ++i) {
                tWork& member = work[i];
                member.left = w.left;
                member.leftCount = w.leftCount;
                member.event.lossDb.reset();
                member.event.attenuationDbPerKm.reset();
                MeasureReflection(member);
            }
            k = j;
        }
    }

    // Whether the section after `w` holds a backscatter line to measure with.
    bool Usable(const tWork& w) const
    {
        return w.rightCount >= m_finder.MinFit()
            && (w.rightFixed || double(w.rightCount) >= kLongSection * m_fPulse
                || std::abs(w.right.slope) <= kSectionSlope);
    }

    // A section between two close events holds too few samples for its own
    // slope: where that slope differs from the fibre's beside it by no more
    // than its noise, the section is backscatter on the fibre's slope through
    // its own mean, and both events are measured with that line. A section
    // whose slope stands out (a receiver recovering) keeps its own.
    void FixShortSections(std::vector<tWork>& work) const
    {
        const double dx = m_trace.spacingM;
        const double longSection = kLongSection * m_fPulse;
        for (size_t k = 0; k + 1 < work.size(); ++k) {
            tWork& w = work[k];
            tWork& next = work[k + 1];
            const qint64 first = w.at.settled;
            const qint64 last = next.at.start;
            const qint64 count = last - first;
            if (count < m_finder.MinFit() || double(count) >= longSection)
                continue;
            const bool before = double(w.leftCount) >= longSection;
            const bool after = double(next.rightCount) >= longSection;
            if (!before && !after)
                continue;
            const bool fromBefore = before && (!after || w.leftCount >= next.rightCount);
            const double slope = fromBefore ? w.left.slope : next.right.slope;
            const double n = double(count);
            const double noise = m_finder.LocalNoise(first, last);
            const double slopeSigma = noise * std::sqrt(12.0 / (n * n * n)) / dx;
            if (std::abs(w.right.slope - slope) > kLossZ * slopeSigma)
                continue;
            // Noisier than the fibre beside it: the tail after the fibre end.
            const qint64 wideFirst = fromBefore ? w.at.start - w.leftCount : next.at.settled;
            const qint64 wideLast = fromBefore ? w.at.start : next.at.settled + next.rightCount;
            if (noise > kNoiseRise * m_finder.LocalNoise(wideFirst, wideLast))
                continue;
            const double mean = m_finder.MeanOver(first, last);
            const tLine line { slope, mean - slope * 0.5 * double(first + last - 1) * dx };
            w.right = line;
            w.rightFixed = true;
            next.left = line;
            for (tWork* e : { &w, &next }) {
                if (e->leftCount >= m_finder.MinFit() && e->rightCount >= m_finder.MinFit()) {
                    const double x = double(e->at.start) * dx;
                    e->event.lossDb = (e->right.At(x) - e->left.At(x)) / 1000.0;
                }
                MeasureReflection(*e);
            }
        }
    }

    // Reflectance from the peak's height above the line before the event.
    void MeasureReflection(tWork& w) const
    {
        const double dx = m_trace.spacingM;
        w.event.reflectanceDb.reset();
        if (w.at.reflective && w.leftCount >= m_finder.MinFit()) {
            const double h = (w.left.At(double(w.at.peak) * dx) - m_trace.samples[size_t(w.at.peak)]) / 1000.0;
            // A height too small for the formula's difference gives no figure.
            if (const double r = h > 0 ? Reflectance(h) : 0.0; h > 0 && std::isfinite(r))
                w.event.reflectanceDb = r;
        }
        w.event.kind = w.at.reflective && w.event.reflectanceDb ? tFoundEvent::Reflective : tFoundEvent::NonReflective;
        w.event.saturated = w.event.kind == tFoundEvent::Reflective && w.at.saturated;
    }

    double Reflectance(double heightDb) const
    {
        const double b = m_trace.backscatterDb < 0 ? m_trace.backscatterDb : kDefaultBackscatter;
        return b + 10.0 * std::log10((std::pow(10.0, heightDb / 5.0) - 1.0) * m_trace.pulseNs);
    }

    // Samples a section fit takes next to an event at the most.
    qint64 Cap() const { return m_nCap; }

private:
    const tTraceInput& m_trace;
    double m_fOffset;
    const CEventFinder& m_finder;
    double m_fPulse;
    qint64 m_nCount;
    qint64 m_nCap;
};

// Whether `event` lies where an echo of a stronger reflection would.
bool AtEchoOfStronger(const tFoundEvent& event, const std::vector<tFoundEvent>& events, double tolerance)
{
    if (!event.reflectanceDb)
        return false;
    for (const tFoundEvent& other : events) {
        if (&other == &event || !other.reflectanceDb || *other.reflectanceDb <= *event.reflectanceDb
            || other.distanceM <= tolerance)
            continue;
        for (int k = 2; k <= 4; ++k)
            if (std::abs(event.distanceM - k * other.distanceM) <= tolerance)
                return true;
    }
    return false;
}

} // namespace

tAnalysisResult CTraceAnalyzer::Analyze(const tTraceInput& trace)
{
    tAnalysisResult result;
    result.thresholds = trace.thresholds;
    result.pulseNs = trace.pulseNs;
    const std::vector<quint16>& s = trace.samples;
    if (!(trace.spacingM > 0) || !std::isfinite(trace.spacingM)) {
        result.reason = Tr(QT_TRANSLATE_NOOP("analysis::CTraceAnalyzer", "sample spacing is 0"));
        return result;
    }
    if (!(trace.pulseNs > 0) || !std::isfinite(trace.pulseNs)) {
        result.reason = Tr(QT_TRANSLATE_NOOP("analysis::CTraceAnalyzer", "pulse width is 0"));
        return result;
    }
    const double index = trace.groupIndex > 0 && std::isfinite(trace.groupIndex) ? trace.groupIndex : kDefaultIndex;
    const double pulseSamples = std::max(1.0, trace.pulseNs * 1e-9 * kSpeedOfLight / (2.0 * index) / trace.spacingM);
    if (s.size() < kMinSamples || double(s.size()) < 8.0 * pulseSamples) {
        result.reason = Tr(QT_TRANSLATE_NOOP("analysis::CTraceAnalyzer", "trace too short to analyse"));
        return result;
    }
    if (std::all_of(s.begin(), s.end(), [&](quint16 v) { return v == s.front(); })) {
        result.reason = Tr(QT_TRANSLATE_NOOP("analysis::CTraceAnalyzer", "all samples are equal"));
        return result;
    }
    // Negative where the first sample lies past the distance origin.
    const double offset = std::isfinite(trace.offsetM) ? trace.offsetM : 0.0;
    const qint64 origin = qint64(std::clamp(std::floor(offset / trace.spacingM + 0.5), 0.0, double(s.size())));
    // The launch reflection is at the front panel; a launch cord may lie
    // between it and the distance origin.
    const double cordEnd = std::max(0.0, offset);
    const double frontM = std::isfinite(trace.frontPanelM) ? std::clamp(trace.frontPanelM, 0.0, cordEnd) : cordEnd;
    const qint64 front = std::min(origin, qint64(std::floor(frontM / trace.spacingM + 0.5)));
    const CEventFinder finder(s, pulseSamples, trace.spacingM, front);
    if (finder.NoiseStart() <= finder.LaunchEnd() + 2 * finder.MinFit()) {
        result.reason = Tr(QT_TRANSLATE_NOOP("analysis::CTraceAnalyzer", "the trace is at the noise floor"));
        return result;
    }
    const tThresholds& t = trace.thresholds;
    const double dx = trace.spacingM;
    const CMeasure measure(trace, finder, pulseSamples, offset);

    std::vector<tWork> work;
    for (const CEventFinder::tCandidate& c : finder.Find(0.6 * std::abs(t.lossDb) * 1000.0)) {
        if (c.start < finder.LaunchEnd() || c.start >= finder.NoiseStart() + finder.Block())
            continue;
        tWork w;
        w.at = c;
        w.merged = c.merged;
        work.push_back(w);
    }
    const qint64 sectionsEnd = finder.NoiseStart();
    // After the event the trace lies at the noise floor: it fell at least
    // half way (in dB) from the backscatter to the floor.
    const auto toNoise = [&](const std::vector<tWork>& list, size_t k) {
        const tWork& w = list[k];
        const qint64 next = k + 1 < list.size() ? list[k + 1].at.start : qint64(s.size());
        if (w.at.settled + finder.MinFit() >= finder.NoiseStart() && next >= finder.NoiseStart())
            return true;
        if (finder.FloorLevel() <= 0)
            return false;
        const double before = w.left.At(double(w.at.start) * dx);
        // Over the next ten pulse lengths, whatever else seems to lie there:
        // the tail of an end reflection falls into the noise.
        const qint64 span = std::max<qint64>(4 * finder.MinFit(), qint64(10 * pulseSamples));
        const double after = finder.MeanOver(w.at.settled, w.at.settled + span);
        if (finder.FloorLevel() - before > 3000.0 && after - before >= 0.5 * (finder.FloorLevel() - before))
            return true;
        // Or it is well below the backscatter and keeps falling far faster
        // than any fibre: the receiver's tail after an end reflection.
        const qint64 last = std::min<qint64>(qint64(s.size()), w.at.settled + span);
        if (last - w.at.settled >= finder.MinFit() && after - before >= kEndDrop
            && measure.Fit(w.at.settled, last).slope > kTailSlope)
            return true;
        // Or the receiver recovers slowly from the end reflection: up to the
        // next event the trace falls steadily, far faster than a fibre.
        const qint64 tail = std::min(next, w.at.settled + measure.Cap());
        if (tail - w.at.settled < 4 * finder.MinFit())
            return false;
        const double slope = measure.Fit(w.at.settled, tail).slope;
        return slope > kRecoverySlope && slope * double(tail - w.at.settled) * dx >= kRecoveryFall;
    };
    // Events too small for the thresholds leave, and their neighbours are
    // measured again over the longer sections.
    const auto settle = [&] {
        for (int pass = 0; pass < 3; ++pass) {
            measure.Merge(work);
            measure.Measure(work, sectionsEnd);
            const size_t before = work.size();
            std::vector<tWork> kept;
            bool endSeen = false;
            for (size_t k = 0; k < work.size(); ++k) {
                const tWork& w = work[k];
                const bool reflects = w.event.reflectanceDb && *w.event.reflectanceDb >= t.reflectanceDb;
                const double loss = w.event.lossDb.value_or(0.0);
                if (endSeen || loss >= t.endDb || toNoise(work, k)) {
                    endSeen = true;
                    kept.push_back(w);
                } else if (reflects || (std::abs(loss) + kShownDb >= t.lossDb && std::abs(loss) >= kLossZ * w.lossSigma)) {
                    kept.push_back(w);
                }
            }
            work.swap(kept);
            for (tWork& w : work)
                if (w.event.reflectanceDb && *w.event.reflectanceDb < t.reflectanceDb) {
                    // Too weak a reflection for the threshold: a plain loss.
                    w.at.reflective = false;
                }
            if (work.size() == before && pass > 0)
                break;
        }
        measure.Merge(work);
        measure.Measure(work, sectionsEnd);
    };
    settle();
    // A step too small for the detector's windows may still stand out
    // against lines over a whole long section between two events.
    const double minStep = std::max(std::abs(t.lossDb), kShownDb) * 1000.0;
    const qint64 halfPulse = qint64(std::lround(0.5 * pulseSamples));
    const CStepSplit split(s, pulseSamples);
    // An event at a step of the joint fit: its ramp is a pulse long.
    const auto stepEvent = [&](const CStepSplit::tStep& step) {
        tWork w;
        w.at.start = step.start;
        w.at.peak = step.start + halfPulse;
        w.at.settled = step.start + qint64(std::ceil(pulseSamples)) + 1;
        w.jointSigma = step.sigma / 1000.0;
        return w;
    };
    for (int round = 0; round < 3; ++round) {
        std::vector<tWork> added;
        // Up to the last event before the end: the trace falls into the
        // noise after it.
        for (size_t k = 0; k < work.size(); ++k) {
            if (k > 0 && (work[k - 1].event.lossDb.value_or(0.0) >= t.endDb || toNoise(work, k - 1)))
                break;
            const qint64 first = k == 0 ? finder.LaunchEnd() : work[k - 1].at.settled;
            // Short of the next event by a pulse length or two: where a
            // large step starts is the least sure of its places.
            const qint64 last = work[k].at.start - qint64(std::ceil(2.0 * pulseSamples));
            const qint64 c = finder.SectionStep(first, last, minStep);
            if (c < 0 && k > 0) {
                // Two lines about one break miss steps where a section holds
                // several: its wander hides each. The whole section fitted at
                // once, with a ramp at each step, does not. Not the first
                // section, whose start the launch's tail may still bend.
                for (const CStepSplit::tStep& step : split.Steps(first, last, minStep, 1))
                    added.push_back(stepEvent(step));
            }
            if (c < 0)
                continue;
            tWork w;
            w.at.peak = c;
            w.at.start = c - halfPulse;
            w.at.settled = c + halfPulse + 1;
            added.push_back(w);
        }
        if (added.empty())
            break;
        work.insert(work.end(), added.begin(), added.end());
        std::sort(work.begin(), work.end(), [](const tWork& a, const tWork& b) { return a.at.start < b.at.start; });
        settle();
    }

    // Steps a pulse or two of fibre apart have no line between them to be
    // measured with and show as one event: the stretch around each step is
    // fitted at once, with a ramp at every step it holds.
    const qint64 reach = std::max<qint64>(qint64(std::ceil(kSplitPulses * pulseSamples)), kSplitSamples);
    std::vector<tWork> kept;
    for (size_t k = 0; k < work.size(); ++k) {
        const tWork& w = work[k];
        const bool last = w.event.lossDb.value_or(0.0) >= t.endDb || toNoise(work, k) || k + 1 == work.size();
        std::vector<CStepSplit::tStep> steps;
        if (!last && !w.at.reflective && w.at.height <= 0 && w.event.lossDb) {
            const qint64 first = std::max(k == 0 ? finder.LaunchEnd() : work[k - 1].at.settled, w.at.start - reach);
            steps = split.Steps(first, std::min(work[k + 1].at.start, w.at.start + reach), minStep);
        }
        if (steps.empty()) {
            kept.push_back(w);
            continue;
        }
        for (const CStepSplit::tStep& step : steps) {
            // A step between two events may be seen from both.
            if (!kept.empty() && double(step.start - kept.back().at.start) < CStepSplit::kSeparation * pulseSamples)
                continue;
            kept.push_back(stepEvent(step));
        }
    }
    if (kept.size() != work.size()) {
        work.swap(kept);
        std::sort(work.begin(), work.end(), [](const tWork& a, const tWork& b) { return a.at.start < b.at.start; });
        settle();
    }

    // Events on the launch cord, before the distance origin, are not the
    // link's: they only bound the cord's sections.
    const double tolerance = std::max({ 2.0 * pulseSamples * dx, 3.0 * dx, 5.0 });
    size_t cord = 0;
    while (cord < work.size() && double(work[cord].at.start) * dx - offset < -tolerance)
        ++cord;

    // The end: the first event whose loss reaches the threshold, or after
    // which the trace is in the noise.
    size_t end = work.size();
    for (size_t k = cord; k < work.size(); ++k) {
        if (work[k].event.lossDb.value_or(0.0) >= t.endDb || toNoise(work, k)) {
            end = k;
            break;
        }
    }
    // Two reflections with no backscatter at all between them (the first
    // one's tail runs into the second) are one event from the first one's
    // leading edge, with the stronger reflection and the loss across both.
    const auto fold = [&](size_t k) {
        tWork& a = work[k];
        const tWork& b = work[k + 1];
        if (b.event.reflectanceDb > a.event.reflectanceDb) {
            a.event.reflectanceDb = b.event.reflectanceDb;
            a.event.saturated = b.event.saturated;
        }
        if (!a.event.lossDb)
            a.event.lossDb = b.event.lossDb;
        a.event.merged = true;
        a.at.settled = std::max(a.at.settled, b.at.settled);
        work.erase(work.begin() + std::ptrdiff_t(k + 1));
    };
    const auto touching = [&](size_t k) {
        const tWork& a = work[k];
        const tWork& b = work[k + 1];
        if (!a.at.reflective || !b.at.reflective)
            return false;
        if (b.at.start - a.at.settled < finder.MinFit())
            return true;
        // The first one's tail runs into the second: the trace stays above
        // the backscatter line before them all the way.
        const double sigma = kLossZ * finder.SampleNoise(a.at.settled);
        for (qint64 i = a.at.settled; i < b.at.start; ++i)
            if (a.left.At(double(i) * dx) - s[size_t(i)] <= sigma)
                return false;
        return true;
    };
    while (end > cord && end < work.size() && touching(end - 1)) {
        fold(end - 1);
        --end;
    }
    // Reflections measured as one group with the end (no backscatter line
    // between them) end the fibre at the last of them; the others' own
    // losses cannot be told.
    while (end + 1 < work.size() && work[end + 1].at.reflective) {
        if (touching(end)) {
            fold(end);
            continue;
        }
        if (measure.Usable(work[end]) || work[end + 1].at.start - work[end].at.settled >= measure.Cap())
            break;
        work[end + 1].event.lossDb = work[end].event.lossDb;
        work[end].event.lossDb.reset();
        ++end;
    }
    for (size_t k = cord; k < work.size(); ++k) {
        tFoundEvent e = work[k].event;
        if (k == end) {
            e.reflectiveEnd = e.kind == tFoundEvent::Reflective;
            e.kind = tFoundEvent::End;
            result.fiberEndM = e.distanceM;
        } else if (k > end) {
            // Beyond the end only reflections stand out, and only as echoes.
            if (!work[k].at.reflective || !e.reflectanceDb)
                continue;
            e.kind = tFoundEvent::Echo;
            e.lossDb.reset();
            e.attenuationDbPerKm.reset();
        }
        // A figure the trace cannot give is left out rather than shown as
        // not a number.
        for (std::optional<double>* figure : { &e.lossDb, &e.reflectanceDb, &e.attenuationDbPerKm })
            if (*figure && !std::isfinite(**figure))
                figure->reset();
        result.events.push_back(e);
    }
    for (tFoundEvent& e : result.events)
        if (e.kind == tFoundEvent::Reflective && std::abs(e.lossDb.value_or(0.0)) <= std::max(kEchoLoss, t.lossDb)
            && AtEchoOfStronger(e, result.events, tolerance)) {
            e.kind = tFoundEvent::Echo;
            e.lossDb.reset();
        }

    // The span figures over the line of the section the origin lies on at
    // the start and the line before the end (or the last one the trace shows).
    const qint64 firstEnd = work.size() > cord ? work[cord].at.start : sectionsEnd;
    const qint64 firstBegin = cord > 0 ? work[cord - 1].at.settled : finder.LaunchEnd();
    const qint64 firstCount = firstEnd - firstBegin;
    if (firstCount >= finder.MinFit()) {
        tLine first = measure.Fit(firstBegin, firstEnd);
        // A first section too short or too steep for a backscatter line (the
        // launch's tail) does not give the start level: the first section
        // that does, taken back to the start with the losses before it.
        if (firstCount < std::max<qint64>(2 * finder.MinFit(), qint64(2 * pulseSamples))
            || std::abs(first.slope) > kSectionSlope) {
            double before = 0;
            for (size_t k = cord; k < work.size() && k < end; ++k) {
                before += work[k].event.lossDb.value_or(0.0) * 1000.0;
                if (measure.Usable(work[k])) {
                    first = { work[k].right.slope, work[k].right.intercept - before };
                    break;
                }
            }
        }
        const double start = first.At(double(origin) * dx);
        double endLevel = first.At(double(firstEnd) * dx);
        if (end < work.size()) {
            endLevel = work[end].left.At(double(work[end].at.start) * dx);
        } else if (!work.empty()) {
            const tWork& last = work.back();
            endLevel = last.right.At(double(std::max(last.at.settled, sectionsEnd - 1)) * dx);
        }
        result.endToEndLossDb = (endLevel - start) / 1000.0;

        CReturnLoss orl(dx, index, trace.backscatterDb < 0 ? trace.backscatterDb : kDefaultBackscatter, start);
        // The instrument's own connector at the start, when no launch cord
        // lies between it and the origin: the launch's dead zone as the trace
        // shows it.
        qint64 from = origin;
        if (front == origin && finder.LaunchEnd() > origin) {
            from = std::min(firstBegin, firstEnd);
            orl.AddTrace(s, std::max<qint64>(0, origin - 2), from);
        }
        const qint64 stop = end < work.size() ? work[end].at.start : sectionsEnd;
        CReturnLoss::tSection section { from, firstEnd, first };
        for (size_t k = cord; k <= std::min(end, work.size()); ++k) {
            const qint64 until = k < work.size() ? std::min(work[k].at.start, stop) : stop;
            orl.AddBackscatter(section, until);
            if (k >= work.size())
                break;
            const tWork& w = work[k];
            // An event's own stretch as the trace shows it, up to where the
            // next begins; an echo is no light the link returns, so its
            // stretch counts as the backscatter on the line after it.
            const qint64 next = k + 1 < work.size() && k < end ? work[k + 1].at.start : qint64(s.size());
            const qint64 settled = std::max(until, std::min(w.at.settled, next));
            if (result.events[k - cord].kind == tFoundEvent::Echo) {
                section = { w.at.start, settled, w.right };
                continue;
            }
            orl.AddTrace(s, std::max(until, w.at.start), settled);
            if (k >= end)
                break;
            section = { settled, next, w.right };
        }
        if (orl.Db() > 0)
            result.orlDb = orl.Db();
    }
    return result;
}

} // namespace analysis
