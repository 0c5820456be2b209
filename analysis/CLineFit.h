#pragma once

#include <QtGlobal>

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
};

} // namespace analysis
