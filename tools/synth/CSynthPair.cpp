#include "CSynthPair.h"

#include <CBellcore.h>
#include <CFileStream.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kSpeedOfLight = 299792458.0; // m/s

// Metres per ns of one-way time in a fibre of `groupIndex`.
double MetresPerNs(double groupIndex)
{
    return kSpeedOfLight / groupIndex / 1e9;
}

} // namespace

double CSynthPair::BendDistanceM() const
{
    if (m_options.bendKm >= 0)
        return m_options.bendKm * 1000.0;
    // Half-way along the longest section between two events, where it is
    // clear of every other event.
    CSynthTrace::tOptions trace = m_options.trace;
    trace.wavelength = m_options.longNm;
    bc::CBellcore file;
    CSynthTrace(trace).Build(file);
    const double metresPerNs = MetresPerNs(double(float(file.fixed.params.groupIndex)));
    double from = 0;
    double best = 0;
    double bestGap = -1;
    for (const sor::tKeyEvent& event : file.keyEvents.events) {
        const double at = double(float(event.time)) * metresPerNs;
        if (at - from > bestGap) {
            bestGap = at - from;
            best = (at + from) / 2;
        }
        from = at;
    }
    return bestGap > 0 ? best : m_options.trace.lengthKm * 500.0;
}

void CSynthPair::AddLoss(bc::CBellcore& file, double distanceM, double lossDb, const QString& comment)
{
    const sor::tFixedParameters& fixed = file.fixed.params;
    const double metresPerNs = MetresPerNs(double(float(fixed.groupIndex)));
    std::deque<sor::tKeyEvent>& events = file.keyEvents.events;
    const double time = std::round(distanceM / metresPerNs * 10.0) / 10.0;
    const double endTime = events.empty() ? 0 : double(float(events.back().time));

    sor::tKeyEvent event;
    event.time = float(time);
    event.loss = float(std::round(lossDb * 1000.0) / 1000.0);
    event.reflectance = 0.0f;
    event.codeType = sor::tKeyEvent::NonReflective;
    event.codeOrigin = 3; // 'F': found by the analysis
    event.technique = sor::tKeyEvent::LeastSquares;
    auto at = std::find_if(
        events.begin(), events.end(), [time](const sor::tKeyEvent& e) { return double(float(e.time)) > time; });
    if (at != events.end())
        event.attenuation = float(at->attenuation);
    event.comment = comment;
    events.insert(at, event);
    unsigned number = 0;
    for (sor::tKeyEvent& e : events)
        e.number = ++number;
    file.keyEvents.endToEndLoss = file.keyEvents.endToEndLoss + qint32(std::llround(lossDb * 1000.0));

    // The backscatter steps down over one pulse length after the bend; the
    // noise behind the fibre end stays where it was.
    if (file.dataPoints.groups.empty())
        return;
    std::vector<quint16>& samples = file.dataPoints.groups.front().points;
    const double spacing = double(float(fixed.dataSpacing)) * metresPerNs;
    const double pulseLength = std::max(double(float(fixed.pulseWidth)) * metresPerNs / 2.0, spacing);
    const double endM = endTime * metresPerNs;
    for (size_t i = 0; i < samples.size(); ++i) {
        const double x = double(i) * spacing;
        if (x <= distanceM || (endM > 0 && x >= endM))
            continue;
        const double share = std::min(1.0, (x - distanceM) / pulseLength);
        const long long value = samples[i] + std::llround(lossDb * 1000.0 * share);
        samples[i] = quint16(std::clamp<long long>(value, 0, 65535));
    }
}

void CSynthPair::Build(bc::CBellcore& shortFile, bc::CBellcore& longFile) const
{
    CSynthTrace::tOptions trace = m_options.trace;
    trace.wavelength = m_options.shortNm;
    CSynthTrace(trace).Build(shortFile);
    trace.wavelength = m_options.longNm;
    CSynthTrace(trace).Build(longFile);
    // One fibre: the same names on both traces.
    longFile.general.cableId = shortFile.general.cableId;
    longFile.general.fiberId = shortFile.general.fiberId;
    longFile.general.originatingLocation = shortFile.general.originatingLocation;
    longFile.general.terminatingLocation = shortFile.general.terminatingLocation;
    if (m_options.bend) {
        const double distance = BendDistanceM();
        const QString comment = m_options.trace.russian ? QStringLiteral("Изгиб") : QStringLiteral("Bend");
        AddLoss(shortFile, distance, m_options.bendShortDb, comment);
        AddLoss(longFile, distance, m_options.bendLongDb, comment);
    }
}

void CSynthPair::Write(const QString& shortPath, const QString& longPath) const
{
    bc::CBellcore shortFile;
    bc::CBellcore longFile;
    Build(shortFile, longFile);
    bc::CFileStream(shortPath).Save(shortFile);
    bc::CFileStream(longPath).Save(longFile);
}

void CSynthPair::WriteOneFile(const QString& path) const
{
    bc::CBellcore shortFile;
    bc::CBellcore longFile;
    Build(shortFile, longFile);
    shortFile.aTrailing = bc::CFileStream(path).SaveToData(longFile);
    bc::CFileStream(path).Save(shortFile);
}
