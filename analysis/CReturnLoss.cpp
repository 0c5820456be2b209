#include "CReturnLoss.h"

#include <algorithm>
#include <cmath>

namespace analysis {

namespace {

constexpr double kSpeedOfLight = 299792458.0; // m/s
constexpr double kLn10 = 2.302585092994046;

// The power that comes back through a one-way loss of `units` (0.001 dB).
double TwoWay(double units)
{
    return std::exp(-units * (kLn10 / 5000.0));
}

} // namespace

CReturnLoss::CReturnLoss(double spacingM, double groupIndex, double backscatterDb, double startLevel)
    : m_fSpacing(spacingM), m_fIndex(groupIndex), m_fBackscatter(backscatterDb), m_fStart(startLevel)
{
}

double CReturnLoss::PerSample() const
{
    // A metre of fibre returns what a pulse of its round-trip time would.
    const double nsPerSample = 2.0 * m_fIndex * m_fSpacing / kSpeedOfLight * 1e9;
    return std::pow(10.0, m_fBackscatter / 10.0) * nsPerSample;
}

void CReturnLoss::AddBackscatter(const tSection& section, qint64 until)
{
    if (until <= section.first)
        return;
    // The line falls evenly: each sample returns a fixed fraction of the one before.
    const double power = PerSample() * TwoWay(section.line.At(double(section.first) * m_fSpacing) - m_fStart);
    const double ratio = TwoWay(section.line.slope * m_fSpacing);
    // The sum of the geometric series over the section's samples.
    const double count = double(until - section.first);
    const double sum = std::abs(1.0 - ratio) < 1e-12 ? power * count : power * (1.0 - std::pow(ratio, count)) / (1.0 - ratio);
    m_fReturned += sum;
}

void CReturnLoss::AddTrace(const std::vector<quint16>& samples, qint64 first, qint64 last)
{
    // The trace is in the instrument's dB (5 log10 of the power), so a
    // sample's power against the start level's is TwoWay of their difference;
    // at the start level a sample returns PerSample, and a peak of the pulse's
    // length returns its reflectance.
    first = std::max<qint64>(first, 0);
    last = std::min<qint64>(last, qint64(samples.size()));
    double sum = 0;
    for (qint64 i = first; i < last; ++i)
        sum += TwoWay(double(samples[size_t(i)]) - m_fStart);
    m_fReturned += PerSample() * sum;
}

double CReturnLoss::Db() const
{
    return m_fReturned > 0 && std::isfinite(m_fReturned) ? -10.0 * std::log10(m_fReturned) : 0.0;
}

} // namespace analysis
