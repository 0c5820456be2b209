#include "CSynthLink.h"

#include "CSynthFibre.h"
#include "CSynthRandom.h"

#include <CBellcore.h>
#include <CFileStream.h>

#include <algorithm>
#include <cmath>

namespace {

constexpr double kSpeedOfLight = 299792458.0; // m/s
// Salts the seed so the link does not repeat the single trace's choices.
constexpr quint32 kLinkSalt = 0x9e3779b9u;

double Rounded(double value, double units)
{
    return std::round(value * units) / units;
}

} // namespace

CSynthLink::CSynthLink(const CSynthTrace::tOptions& options) : m_options(options)
{
    m_options.events = std::max(m_options.events, 2);
    CSynthRandom random(m_options.seed ^ kLinkSalt);
    const int joints = m_options.events - 1;
    const double slot = Length() / m_options.events;
    m_sections.push_back(0.0);
    for (int k = 0; k < joints; ++k) {
        tJoint joint;
        joint.distance = slot * (k + 1) + random.Uniform(-0.25, 0.25) * slot;
        const bool connector = k > 0 && random.Chance(0.25);
        joint.loss = Rounded(connector ? random.Uniform(0.15, 0.5) : random.Uniform(0.02, 0.15), 1e3);
        joint.reflectance = connector ? Rounded(random.Uniform(-58.0, -40.0), 1e3) : 0.0;
        m_joints.push_back(joint);
        // The first joint's next fibre scatters back enough more that A→B
        // sees it as a gain; the others differ either way.
        double step = k == 0 ? 2.0 * (joint.loss + random.Uniform(0.03, 0.1))
                             : random.Uniform(0.1, 0.5) * (random.Chance(0.5) ? 1.0 : -1.0);
        // Fibres of one type differ by a dB at most: the step turns back at the limits.
        if (std::abs(m_sections.back() + step) > 0.8)
            step = -step;
        m_sections.push_back(Rounded(m_sections.back() + step, 1e3));
    }
    m_endReflectance[0] = Rounded(random.Uniform(-55.0, -45.0), 1e3);
    m_endReflectance[1] = Rounded(random.Uniform(-30.0, -14.0), 1e3);
}

double CSynthLink::OneWayLoss(int index, tDirection direction) const
{
    // The level shown is half the backscattered power in dB: more backscatter
    // after the joint lifts the trace by half the difference.
    const double before = m_sections[size_t(index)];
    const double after = m_sections[size_t(index) + 1];
    const double apparent = direction == AToB ? (before - after) / 2.0 : (after - before) / 2.0;
    return Rounded(m_joints[size_t(index)].loss + apparent, 1e3);
}

void CSynthLink::Build(bc::CBellcore& file, tDirection direction) const
{
    // The blocks of a single trace of these options, then this link's events
    // and samples in place of the single trace's.
    CSynthTrace(m_options).Build(file);
    const bool fromB = direction == BToA;
    CSynthRandom random(m_options.seed * 2u + (fromB ? 1u : 0u));

    sor::tFixedParameters& f = file.fixed.params;
    const double groupIndex = double(float(f.groupIndex));
    const double spacing = double(float(f.dataSpacing));
    const double resolution = spacing * kSpeedOfLight / groupIndex / 1e9;
    const auto timeOf = [groupIndex](double metres) { return metres * groupIndex / kSpeedOfLight * 1e9; };
    const auto distanceOf = [groupIndex](double ns) { return ns * kSpeedOfLight / groupIndex / 1e9; };
    bc::CKeyEvents& k = file.keyEvents;
    const double attenuation = k.events.empty() ? 0.19 : double(float(k.events.front().attenuation));

    CSynthFibre::tOptics optics;
    optics.attenuation = attenuation;
    optics.backscatter = double(float(f.backscatter));
    optics.pulseWidth = m_options.pulseNs;
    optics.pulseLength = m_options.pulseNs * 1e-9 * kSpeedOfLight / (2.0 * groupIndex);
    optics.startLevel = Rounded(random.Uniform(3.5, 6.0), 1e3);
    optics.noiseFloor = -double(f.noiseFloor);

    // The features in this direction's order and distances.
    std::vector<CSynthFibre::tFeature> features;
    std::vector<qint32> times;
    const int count = int(m_joints.size());
    for (int n = 0; n < count; ++n) {
        const int index = fromB ? count - 1 - n : n;
        const tJoint& joint = m_joints[size_t(index)];
        CSynthFibre::tFeature feature;
        feature.kind = joint.reflectance != 0 ? CSynthFibre::Connector : CSynthFibre::Splice;
        times.push_back(qint32(std::llround(timeOf(fromB ? Length() - joint.distance : joint.distance) * 10.0)));
        feature.distance = distanceOf(times.back() / 10.0);
        feature.loss = OneWayLoss(index, direction);
        // The reflectance read off a trace depends a little on the side.
        feature.reflectance
            = joint.reflectance != 0 ? Rounded(joint.reflectance + random.Uniform(-1.5, 1.5), 1e3) : 0.0;
        features.push_back(feature);
    }
    CSynthFibre::tFeature end;
    end.kind = CSynthFibre::End;
    times.push_back(qint32(std::llround(timeOf(Length()) * 10.0)));
    end.distance = distanceOf(times.back() / 10.0);
    end.reflectance = m_endReflectance[fromB ? 0 : 1];
    features.push_back(end);

    const CSynthFibre fibre(optics, features);
    bc::CDataPoints& d = file.dataPoints;
    d.groups.front().points = fibre.Render(random, size_t(d.totalPoints), resolution);

    std::deque<sor::tKeyEvent> previous = k.events;
    const sor::tKeyEvent pattern = previous.empty() ? sor::tKeyEvent() : previous.front();
    k.events.clear();
    int splices = 0;
    int connectors = 0;
    for (size_t i = 0; i < features.size(); ++i) {
        const CSynthFibre::tFeature& feature = features[i];
        sor::tKeyEvent e = pattern;
        e.number = unsigned(i + 1);
        e.time = float(times[i] / 10.0);
        e.attenuation = float(attenuation);
        e.loss = float(feature.kind == CSynthFibre::End ? 0.0 : feature.loss);
        e.reflectance = float(feature.reflectance);
        e.technique = sor::tKeyEvent::LeastSquares;
        e.codeOrigin = 3; // 'F': found by the analysis
        switch (feature.kind) {
        case CSynthFibre::Splice:
            e.codeType = sor::tKeyEvent::NonReflective;
            e.comment = QStringLiteral("Splice %1").arg(++splices);
            break;
        case CSynthFibre::Connector:
            e.codeType = sor::tKeyEvent::Reflective;
            e.comment = QStringLiteral("Connector %1").arg(++connectors);
            break;
        case CSynthFibre::End:
            e.codeType = sor::tKeyEvent::Reflective;
            e.codeOrigin = 2; // 'E': end of fibre
            e.comment = QStringLiteral("Fibre end");
            break;
        }
        k.events.push_back(e);
    }
    k.endToEndLoss = qint32(std::llround(fibre.EndToEndLoss() * 1000.0));
    k.endToEndMarkers.start = 0;
    k.endToEndMarkers.end = times.back();
    k.returnLoss = qint16(std::clamp<long long>(std::llround(fibre.ReturnLoss() * 1000.0), 0, 32767));
    k.returnLossMarkers.start = 0;
    k.returnLossMarkers.end = times.back();

    if (fromB) {
        bc::CGeneralParameters& g = file.general;
        const QString origin = g.originatingLocation;
        g.originatingLocation = QString(g.terminatingLocation);
        g.terminatingLocation = origin;
        f.dateTime = f.dateTime.addSecs(3600);
    }
}

void CSynthLink::Write(const QString& path, tDirection direction) const
{
    bc::CBellcore file;
    Build(file, direction);
    bc::CFileStream(path).Save(file);
}
