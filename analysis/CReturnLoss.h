#pragma once

#include "CLineFit.h"

#include <vector>

namespace analysis {

// Optical return loss of a span from its trace: the Rayleigh backscatter of
// every metre up to the fibre end plus every reflection, each coming back
// through twice the loss in front of it. Backscatter is taken from the
// sections' lines; the trace itself where events disturb it, so that each
// reflection counts with the light its whole peak returns.
class CReturnLoss
{
public:
    // One stretch of backscatter: samples [first, last) on `line`.
    struct tSection
    {
        qint64 first = 0;
        qint64 last = 0;
        tLine line;
    };

    // `backscatterDb`: dB for a 1 ns pulse; `startLevel`: the backscatter at
    // the trace start, sample units; `groupIndex` turns metres into the
    // pulse's time.
    CReturnLoss(double spacingM, double groupIndex, double backscatterDb, double startLevel);

    // Backscatter over [section.first, until) on the section's line.
    void AddBackscatter(const tSection& section, qint64 until);
    // The light the trace itself shows over samples [first, last): a
    // reflection's peak together with the backscatter under it.
    void AddTrace(const std::vector<quint16>& samples, qint64 first, qint64 last);
    // dB, positive; 0 when nothing returned.
    double Db() const;

private:
    // Continuous light one sample of backscatter at the start level returns.
    double PerSample() const;

    double m_fSpacing;
    double m_fIndex;
    double m_fBackscatter;
    double m_fStart;
    double m_fReturned = 0;
};

} // namespace analysis
