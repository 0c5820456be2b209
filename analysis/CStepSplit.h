#pragma once

#include <QtGlobal>

#include <vector>

namespace analysis {

// Steps closer together than lines fitted between them can measure, a pulse
// length and a half to three apart, look like one event to lines fitted
// around them; several small steps in one long stretch hide each other from lines
// fitted about any one of them. A stretch of trace is fitted here at once,
// by least squares, as one backscatter line with a ramp of a pulse length at
// each step: the way a step looks through the pulse. Works in sample
// indices and sample units.
class CStepSplit
{
public:
    struct tStep
    {
        // Where the ramp begins: the trace leaves the line before it.
        qint64 start = 0;
        // Sample units, positive for a loss, and its standard deviation.
        double size = 0;
        double sigma = 0;
    };

    // Steps are told apart from this many pulse lengths on: closer ones are
    // as well one wide transition (a slow receiver's) as two steps.
    static constexpr double kSeparation = 1.5;

    // `pulseSamples`: samples one pulse covers (at least 1).
    CStepSplit(const std::vector<quint16>& samples, double pulseSamples);

    // The steps inside samples [first, last) in distance order, up to five,
    // when the stretch holds at least `minSteps` that each stand out of the
    // stretch's own noise and exceed `minStep` sample units by more than
    // their uncertainty; empty otherwise. A long stretch is fitted on means
    // of samples, a thousand or so points in all.
    std::vector<tStep> Steps(qint64 first, qint64 last, double minStep, size_t minSteps = 2) const;

private:
    const std::vector<quint16>& m_samples;
    double m_fPulse;
};

} // namespace analysis
