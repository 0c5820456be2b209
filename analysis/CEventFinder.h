#pragma once

#include "CLineFit.h"

#include <QtGlobal>

#include <vector>

namespace analysis {

// Where a trace leaves its backscatter line: the candidates the analysis
// measures. Works in sample indices and sample units (0.001 dB, larger is
// lower) on the samples as stored.
class CEventFinder
{
public:
    struct tCandidate
    {
        // Where the trace leaves the backscatter line (a reflection's leading edge).
        qint64 start = 0;
        // The reflection's highest sample, or the middle of a step.
        qint64 peak = 0;
        // The first sample back on a backscatter line after the event.
        qint64 settled = 0;
        bool reflective = false;
        bool saturated = false;
        // More than one event the analysis cannot separate.
        bool merged = false;
        // Peak height above the backscatter line, sample units; 0 for a step.
        double height = 0;
    };

    // `pulseSamples`: samples one pulse covers (at least 1); `spacingM`:
    // metres per sample; `origin`: the sample at the front panel, where the
    // launch reflection is.
    CEventFinder(const std::vector<quint16>& samples, double pulseSamples, double spacingM, qint64 origin);

    // Candidates in distance order whose step or peak stands out of the local
    // noise; steps smaller than `minStep` sample units are left out.
    std::vector<tCandidate> Find(double minStep) const;

    // The step that lines over the whole section [first, last) on either side
    // show best, where it stands out of the section's own noise and is at
    // least `minStep` sample units: its middle, or -1. Finds a step too
    // small for the detector's windows in a long section between events.
    qint64 SectionStep(qint64 first, qint64 last, double minStep) const;

    // The first sample of the noise the trace ends in (the end of the fibre
    // may lie within one block after it), or the sample count when the trace
    // does not reach the noise floor.
    qint64 NoiseStart() const { return m_nNoiseStart; }
    // The first sample after the reflection of the instrument's own front
    // connector (0 when the trace does not start with one).
    qint64 LaunchEnd() const { return m_nLaunchEnd; }
    // Standard deviation of one sample about the backscatter line near `i`.
    double SampleNoise(qint64 i) const;
    // The line fit over samples [first, last) evaluated at `x`, sample units.
    double LineAt(qint64 first, qint64 last, double x) const;
    // The same line with x in metres.
    tLine Line(qint64 first, qint64 last) const { return m_fit.Line(first, last, m_fSpacing); }
    // Samples a least-squares line needs at the least.
    qint64 MinFit() const { return m_nMinFit; }
    // The mean level of the noise after NoiseStart(), sample units; 0 when
    // the trace does not reach the noise.
    double FloorLevel() const { return m_fFloor; }
    // Mean sample value over [first, last); 0 when empty.
    double MeanOver(qint64 first, qint64 last) const;
    // Samples of one block of the noise estimate.
    qint64 Block() const { return m_nBlock; }
    // The first sample after `peak` where the trace falls no faster than the
    // backscatter any more, looking at most `reachPulses` pulse lengths on
    // (the whole trace when 0).
    qint64 Settled(qint64 peak, double reachPulses = 40.0) const;
    // Standard deviation of one sample about the line over [first, last):
    // the noise of a short section the blocks are too coarse for.
    double LocalNoise(qint64 first, qint64 last) const;
    // Standard deviation of the step detector near `i`, sample units.
    double StepNoise(qint64 i) const;
    // Samples on each side of the step detector.
    qint64 StepLength() const { return m_nLength; }
    // The highest sample value of the trace (lowest number): a peak there is saturated.
    quint16 Top() const { return m_nTop; }

private:
    struct tBlockNoise
    {
        double sample = 0; // one sample about a line
        double step = 0;   // of the step detector
        bool noisy = false; // the block lies in the noise floor
    };

    double Step(qint64 i, qint64 length, qint64 gap) const;
    void EstimateNoise();
    void FindNoiseStart();
    void CapEventBlocks();
    void FindLaunch();
    // The centres of the steps beyond the threshold that lines of each of
    // `lengths` samples find, one list for each length.
    void Collect(const std::vector<qint64>& lengths, qint64 gap, double z, double minStep,
        std::vector<std::vector<qint64>>& centres) const;
    qint64 BlockOf(qint64 i) const;
    // Where a step of `step` sample units at `at` starts: the first sample,
    // back to `earliest` at the most, of those off the line over
    // [lineFirst, lineLast) by more than three times `sigma` and a small
    // share of the step, in the step's direction.
    qint64 LeavesLine(qint64 at, qint64 earliest, qint64 lineFirst, qint64 lineLast, double step, double sigma) const;
    // Standard deviation of every `stride`-th sample of [first, last) about
    // the line over it, from the median of the distances.
    double Spread(qint64 first, qint64 last, qint64 stride) const;

    const std::vector<quint16>& m_samples;
    CLineFit m_fit;
    qint64 m_nCount = 0;
    double m_fPulse = 1;
    double m_fSpacing = 1;
    qint64 m_nGap = 1;
    qint64 m_nLength = 8;
    qint64 m_nMinFit = 5;
    qint64 m_nBlock = 64;
    quint16 m_nTop = 0;
    // The lowest level (largest sample) of the trace.
    quint16 m_nBottom = 0;
    std::vector<tBlockNoise> m_noise;
    qint64 m_nNoiseStart = 0;
    qint64 m_nLaunchEnd = 0;
    qint64 m_nOrigin = 0;
    double m_fFloor = 0;
};

} // namespace analysis
