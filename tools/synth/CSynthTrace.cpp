#include "CSynthTrace.h"

#include "CSynthFibre.h"
#include "CSynthRandom.h"

#include <CBellcore.h>
#include <CFileStream.h>

#include <QStringList>

#include <algorithm>
#include <cmath>
#include <iterator>
#include <optional>

namespace {

constexpr double kSpeedOfLight = 299792458.0; // m/s
constexpr double kMinWavelength = 1260;
constexpr double kMaxWavelength = 1675;
constexpr int kMaxPoints = 1000000;
constexpr int kMaxEvents = 100;
constexpr int kMaxPulses = 8;
constexpr double kMaxLengthKm = 250;
// Pulse widths a reflectometer usually offers, ns.
constexpr int kPulseLadder[] = { 3, 5, 10, 20, 30, 50, 100, 200, 300, 500, 1000, 2000, 3000, 5000, 10000, 20000 };
// Sample spacings offered when the point count is not given, metres.
constexpr double kResolutionLadder[] = { 0.125, 0.25, 0.5, 1, 2, 4, 8, 16, 32 };
constexpr int kDefaultMaxPoints = 32000;

// Attenuation of standard single-mode fibre, dB/km, by wavelength in nm.
struct tAttenuation
{
    double wavelength;
    double attenuation;
};
constexpr tAttenuation kAttenuation[] = { { 1260, 0.36 }, { 1310, 0.33 }, { 1383, 0.28 }, { 1490, 0.21 },
    { 1550, 0.19 }, { 1625, 0.22 }, { 1675, 0.30 } };

double AttenuationAt(double wavelength)
{
    const auto* upper = std::find_if(std::begin(kAttenuation), std::end(kAttenuation),
        [wavelength](const tAttenuation& a) { return a.wavelength >= wavelength; });
    if (upper == std::begin(kAttenuation))
        return upper->attenuation;
    if (upper == std::end(kAttenuation))
        return std::prev(upper)->attenuation;
    const auto* lower = std::prev(upper);
    const double t = (wavelength - lower->wavelength) / (upper->wavelength - lower->wavelength);
    return lower->attenuation + t * (upper->attenuation - lower->attenuation);
}

double Rounded(double value, double units)
{
    return std::round(value * units) / units;
}

template<size_t N> QString Pick(CSynthRandom& random, const char16_t* const (&texts)[N])
{
    return QString::fromUtf16(texts[random.Integer(0, int(N) - 1)]);
}

// Texts of the general and supplier blocks and the event comments.
struct tTexts
{
    QString cableId;
    QString fiberId;
    QString origin;
    QString destination;
    QString cableCode;
    QString operatorName;
    QString comment;
    QString otherInfo;
    QString splice;
    QString connector;
    QString end;
};

tTexts MakeTexts(CSynthRandom& random, bool russian, quint32 seed)
{
    static constexpr const char16_t* kOriginsEn[]
        = { u"Central Office North", u"Exchange 7", u"Data Centre West", u"Head End 2" };
    static constexpr const char16_t* kDestinationsEn[]
        = { u"Node 14", u"Street Cabinet 31", u"Exchange 12", u"Business Park B" };
    static constexpr const char16_t* kOperatorsEn[] = { u"A. Smith", u"J. Brown", u"M. Taylor", u"K. Novak" };
    static constexpr const char16_t* kOriginsRu[]
        = { u"АТС-5 Центральная", u"Узел связи Северный", u"ЦОД Западный", u"Станция 2" };
    static constexpr const char16_t* kDestinationsRu[]
        = { u"Узел доступа 14", u"Шкаф 31, ул. Лесная", u"АТС-12", u"Бизнес-центр Б" };
    static constexpr const char16_t* kOperatorsRu[] = { u"И. Петров", u"А. Смирнова", u"С. Кузнецов", u"Е. Волкова" };

    tTexts t;
    const int cable = random.Integer(1, 199);
    const int fibre = random.Integer(1, 48);
    if (russian) {
        t.cableId = QStringLiteral("ОК-%1").arg(cable, 3, 10, QLatin1Char('0'));
        t.fiberId = QStringLiteral("ОВ %1").arg(fibre, 2, 10, QLatin1Char('0'));
        t.origin = Pick(random, kOriginsRu);
        t.destination = Pick(random, kDestinationsRu);
        t.cableCode = QStringLiteral("ОКЛ-01-6-48 G.652.D");
        t.operatorName = Pick(random, kOperatorsRu);
        t.comment = QStringLiteral("Синтетическая трасса, затравка %1").arg(seed);
        t.otherInfo = QStringLiteral("Синтетическая трасса");
        t.splice = QStringLiteral("Муфта");
        t.connector = QStringLiteral("Кросс");
        t.end = QStringLiteral("Конец волокна");
    } else {
        t.cableId = QStringLiteral("CBL-%1").arg(cable, 3, 10, QLatin1Char('0'));
        t.fiberId = QStringLiteral("F%1").arg(fibre, 2, 10, QLatin1Char('0'));
        t.origin = Pick(random, kOriginsEn);
        t.destination = Pick(random, kDestinationsEn);
        t.cableCode = QStringLiteral("SM 48F G.652.D");
        t.operatorName = Pick(random, kOperatorsEn);
        t.comment = QStringLiteral("Synthetic trace, seed %1").arg(seed);
        t.otherInfo = QStringLiteral("Synthetic trace");
        t.splice = QStringLiteral("Splice closure");
        t.connector = QStringLiteral("Patch panel");
        t.end = QStringLiteral("Fibre end");
    }
    return t;
}

} // namespace

QString CSynthTrace::Refusal(const tOptions& o)
{
    if (!(o.lengthKm > 0 && o.lengthKm <= kMaxLengthKm))
        return tr("The length must lie above 0 and up to %1 km.").arg(kMaxLengthKm);
    if (o.pulseNs < 1 || o.pulseNs > 20000)
        return tr("The pulse width must lie between 1 and 20000 ns.");
    if (o.wavelength < kMinWavelength || o.wavelength > kMaxWavelength)
        return tr("The wavelength must lie between %1 and %2 nm.").arg(kMinWavelength).arg(kMaxWavelength);
    if (o.events < 0 || o.events > kMaxEvents)
        return tr("The number of events must lie between 0 and %1.").arg(kMaxEvents);
    if (o.pulses < 1 || o.pulses > kMaxPulses)
        return tr("The number of pulse widths must lie between 1 and %1.").arg(kMaxPulses);
    if (o.points != 0 && (o.points < 100 || o.points > kMaxPoints))
        return tr("The number of points must lie between 100 and %1.").arg(kMaxPoints);
    return {};
}

// What TruthJson() needs of a built trace.
struct CSynthTrace::tTruth
{
    std::vector<CSynthFibre::tFeature> features;
    CSynthFibre::tOptics optics;
    double resolution = 0;
    double groupIndex = 0;
};

void CSynthTrace::Build(bc::CBellcore& file) const
{
    Build(file, nullptr);
}

void CSynthTrace::Build(bc::CBellcore& file, tTruth* truth) const
{
    const tOptions& o = m_options;
    CSynthRandom random(o.seed);
    const double wavelength = o.wavelength;

    // Optics of the fibre and the instrument, in the units the file stores.
    const double groupIndex = Rounded(1.4677 + (wavelength - 1310.0) * 0.0005 / 240.0, 1e5);
    const double backscatter = Rounded(-80.0 - 30.0 * std::log10(wavelength / 1550.0), 10);
    const double attenuation = Rounded(AttenuationAt(wavelength) * random.Uniform(0.97, 1.03), 1e3);
    const double length = o.lengthKm * 1000.0;
    const auto timeOf = [groupIndex](double metres) { return metres * groupIndex / kSpeedOfLight * 1e9; };
    const auto distanceOf = [groupIndex](double ns) { return ns * kSpeedOfLight / groupIndex / 1e9; };

    // The range runs a quarter past the fibre end, so that the end and the
    // noise floor behind it are on the trace. The data spacing is stored in
    // units of 1e-5 ns and rounded up, so the samples always cover the range.
    const double rangeTime = timeOf(std::max(length * 1.25, length + 500.0));
    qint64 spacingUnits = 0;
    qint64 count = o.points;
    if (count > 0) {
        spacingUnits = qint64(std::ceil(rangeTime * 1e5 / double(count)));
    } else {
        const double rangeMetres = distanceOf(rangeTime);
        const auto* resolution = std::find_if(std::begin(kResolutionLadder), std::end(kResolutionLadder),
            [rangeMetres](double r) { return rangeMetres / r <= kDefaultMaxPoints; });
        if (resolution == std::end(kResolutionLadder))
            resolution = std::prev(resolution);
        spacingUnits = std::max<qint64>(1, std::llround(timeOf(*resolution) * 1e5));
        count = qint64(std::ceil(rangeTime * 1e5 / double(spacingUnits)));
    }
    const double spacing = double(spacingUnits) / 1e5;
    // As the document places the samples: from the values held in single precision.
    const double resolution = double(float(spacing)) * kSpeedOfLight / double(float(groupIndex)) / 1e9;

    CSynthFibre::tOptics optics;
    optics.attenuation = attenuation;
    optics.backscatter = backscatter;
    optics.pulseWidth = o.pulseNs;
    optics.pulseLength = o.pulseNs * 1e-9 * kSpeedOfLight / (2.0 * groupIndex);
    optics.startLevel = Rounded(random.Uniform(3.5, 6.0), 1e3);
    // The dynamic range grows with the pulse energy; 1310 nm lasers give a
    // little less than the longer wavelengths.
    const double dynamicRange = std::clamp(
        18.0 + 7.5 * std::log10(o.pulseNs / 10.0) - (wavelength < 1400 ? 1.0 : 0.0) + random.Uniform(-1.0, 1.0), 10.0,
        48.0);
    optics.noiseFloor = Rounded(optics.startLevel + dynamicRange, 1e3);

    // A trace without listed events still shows a fibre with splices and an end.
    std::vector<CSynthFibre::tFeature> features = CSynthFibre::Layout(random, length, o.events > 0 ? o.events : 3);
    std::vector<qint32> times; // 0.1 ns, as the key events store them
    for (CSynthFibre::tFeature& feature : features) {
        times.push_back(qint32(std::llround(timeOf(feature.distance) * 10.0)));
        feature.distance = distanceOf(times.back() / 10.0);
        feature.loss = Rounded(feature.loss, 1e3);
        feature.reflectance = Rounded(feature.reflectance, 1e3);
    }
    const CSynthFibre fibre(optics, features);
    std::vector<quint16> samples = fibre.Render(random, size_t(count), resolution);
    if (truth)
        *truth = { features, optics, resolution, groupIndex };

    const tTexts texts = MakeTexts(random, o.russian, o.seed);

    // Block map: the blocks in their usual order, each entry with a provisional
    // size that saving corrects.
    file.map = bc::CBlockMap();
    file.map.nRevision = 100;
    const auto addEntry
        = [&file](const char* name, quint32 size) { file.map.entries.emplace_back(QByteArray(name), 100, size); };
    addEntry(bc::BlockName::General, 1);
    addEntry(bc::BlockName::Supplier, 1);
    addEntry(bc::BlockName::Fixed, 1);
    if (o.events > 0)
        addEntry(bc::BlockName::KeyEvents, 1);
    addEntry(bc::BlockName::DataPoints, 1);
    addEntry(bc::BlockName::Checksum, 2);

    bc::CGeneralParameters& g = file.general;
    g.language = o.russian ? std::array<char, 2> { { 'R', 'U' } } : std::array<char, 2> { { 'E', 'N' } };
    g.cableId = texts.cableId;
    g.fiberId = texts.fiberId;
    g.wavelength = float(o.wavelength);
    g.originatingLocation = texts.origin;
    g.terminatingLocation = texts.destination;
    g.cableCode = texts.cableCode;
    g.currentDataFlag = random.Chance(0.5) ? sor::AsBuilt : sor::CurrentCondition;
    g.userOffset = 0.0f;
    g.operatorName = texts.operatorName;
    g.comment = texts.comment;

    sor::tSupplierParameters& s = file.supplier;
    s.supplierName = QStringLiteral("Lumetrix Synth");
    s.mainframeId = QStringLiteral("LS-2000");
    s.mainframeSerial = QStringLiteral("LS2-%1").arg(random.Integer(0, 99999), 5, 10, QLatin1Char('0'));
    s.opticalModuleId = QStringLiteral("LSM-%1").arg(o.wavelength);
    s.opticalModuleSerial = QStringLiteral("M%1").arg(random.Integer(0, 999999), 6, 10, QLatin1Char('0'));
    s.softwareRevision = QStringLiteral("lumetrix-sor " LUMETRIX_VERSION);
    s.otherInfo = texts.otherInfo;

    sor::tFixedParameters& f = file.fixed.params;
    const QDateTime start(QDate(2023, 3, 1), QTime(0, 0), Qt::UTC);
    f.dateTime = start.addDays(random.Integer(0, 364)).addSecs(random.Integer(7 * 3600, 18 * 3600));
    f.distanceUnit = sor::Kilometres;
    f.actualWavelength = float(Rounded(wavelength + random.Uniform(-2.0, 2.0), 10));
    f.acquisitionOffset = 0.0f;
    f.noiseFloorScale = 1;
    f.pulses.clear();
    int pulse = o.pulseNs;
    const int* ladder = std::upper_bound(std::begin(kPulseLadder), std::end(kPulseLadder), pulse);
    const int* ladderDown = std::lower_bound(std::begin(kPulseLadder), std::end(kPulseLadder), pulse);
    for (int k = 0; k < o.pulses; ++k) {
        // Further pulses are the next longer widths (the next shorter ones at
        // the top of the ladder), each sampled twice as coarsely as the one before.
        if (k > 0) {
            if (ladder != std::end(kPulseLadder))
                pulse = *ladder++;
            else if (ladderDown != std::begin(kPulseLadder))
                pulse = *--ladderDown;
        }
        const qint64 units = std::min<qint64>(spacingUnits << k, 0x7FFFFFFF);
        sor::tPulse entry;
        entry.pulseWidth = float(pulse);
        entry.dataSpacing = float(double(units) / 1e5);
        entry.pointCount = k == 0 ? quint32(count) : quint32(std::ceil(rangeTime * 1e5 / double(units)));
        f.pulses.push_back(entry);
    }
    f.pulseWidth = f.pulses.front().pulseWidth;
    f.dataSpacing = f.pulses.front().dataSpacing;
    f.groupIndex = float(groupIndex);
    f.backscatter = float(backscatter);
    f.averages = 1u << random.Integer(10, 16);
    f.acquisitionRange = float(std::floor(double(count) * spacing * 10.0) / 10.0);
    f.frontPanelOffset = 0.0f;
    f.noiseFloor = -optics.noiseFloor;
    f.powerOffset = 0.0f;
    f.lossThreshold = 0.05f;
    f.reflectanceThreshold = -65.0f;
    f.endOfFiberThreshold = 3.0f;

    bc::CKeyEvents& k = file.keyEvents;
    k.events.clear();
    if (o.events > 0) {
        int splices = 0;
        int connectors = 0;
        for (size_t i = 0; i < features.size(); ++i) {
            const CSynthFibre::tFeature& feature = features[i];
            sor::tKeyEvent e;
            e.number = unsigned(i + 1);
            e.time = float(times[i] / 10.0);
            e.attenuation = float(attenuation);
            e.loss = float(feature.loss);
            e.reflectance = float(feature.reflectance);
            e.technique = sor::tKeyEvent::LeastSquares;
            switch (feature.kind) {
            case CSynthFibre::Splice:
                e.codeType = sor::tKeyEvent::NonReflective;
                e.codeOrigin = 3; // 'F': found by the analysis
                e.comment = QStringLiteral("%1 %2").arg(texts.splice).arg(++splices);
                break;
            case CSynthFibre::Connector:
                e.codeType = sor::tKeyEvent::Reflective;
                e.codeOrigin = 3;
                e.comment = QStringLiteral("%1 %2").arg(texts.connector).arg(++connectors);
                break;
            case CSynthFibre::End:
                e.codeType = sor::tKeyEvent::Reflective;
                e.codeOrigin = 2; // 'E': end of fibre
                e.comment = texts.end;
                break;
            }
            k.events.push_back(e);
        }
        const qint32 endTime = times.back();
        k.endToEndLoss = qint32(std::llround(fibre.EndToEndLoss() * 1000.0));
        k.endToEndMarkers.start = 0;
        k.endToEndMarkers.end = endTime;
        k.returnLoss = qint16(std::clamp<long long>(std::llround(fibre.ReturnLoss() * 1000.0), 0, 32767));
        k.returnLossMarkers.start = 0;
        k.returnLossMarkers.end = endTime;
    }

    bc::CDataPoints& d = file.dataPoints;
    d.totalPoints = quint32(count);
    d.groups.assign(1, bc::CDataPoints::tDataPointsGroup());
    d.groups.front().scaleFactor = 1.0f;
    d.groups.front().points = std::move(samples);
}

void CSynthTrace::Write(const QString& path) const
{
    bc::CBellcore file;
    Build(file);
    bc::CFileStream(path).Save(file);
}

QByteArray CSynthTrace::TruthJson(const QString& name) const
{
    bc::CBellcore file;
    tTruth truth;
    Build(file, &truth);
    const CSynthFibre::tOptics& o = truth.optics;
    // Where the backscatter reaches 3 dB above the noise floor, if before the end.
    double level = o.startLevel;
    double previous = 0;
    std::optional<double> noiseFrom;
    const double margin = 3.0;
    QStringList events;
    for (const CSynthFibre::tFeature& f : truth.features) {
        const double reached = level + o.attenuation * (f.distance - previous) / 1000.0;
        if (!noiseFrom && reached > o.noiseFloor - margin)
            noiseFrom = previous + (o.noiseFloor - margin - level) / o.attenuation * 1000.0;
        level = reached;
        previous = f.distance;
        // One sample's noise in dB where the backscatter is `reached`, and a
        // step's over lines of three pulse lengths on both sides.
        const double sigma = 5.0 / std::log(10.0) * std::pow(10.0, (reached - o.noiseFloor) / 5.0);
        const double fitSamples = std::max(3.0 * o.pulseLength / truth.resolution, 12.0);
        const double stepNoise = sigma * std::sqrt(8.0 / fitSamples);
        const bool visible = reached < o.noiseFloor - margin;
        // The analysis reports losses from the files' threshold on (0.05 dB).
        bool detectable = visible;
        if (f.kind == CSynthFibre::Splice)
            detectable = visible && std::abs(f.loss) >= std::max(0.05, 6.0 * stepNoise);
        else if (f.kind == CSynthFibre::Connector)
            detectable = visible && f.reflectance >= -65.0;
        const char* type = f.kind == CSynthFibre::Splice ? "non-reflective"
                                                          : (f.kind == CSynthFibre::End ? "end" : "reflective");
        const QString reflectance
            = f.kind == CSynthFibre::Splice ? QStringLiteral("null") : QString::number(f.reflectance, 'f', 3);
        events << QStringLiteral("{\"distance_m\": %1, \"type\": \"%2\", \"loss_db\": %3, \"reflectance_db\": %4, "
                                 "\"detectable\": %5}")
                      .arg(QString::number(f.distance, 'f', 3), QLatin1String(type),
                          f.kind == CSynthFibre::End ? QStringLiteral("null") : QString::number(f.loss, 'f', 3),
                          reflectance, QLatin1String(detectable ? "true" : "false"));
        if (f.kind != CSynthFibre::End)
            level += f.loss;
    }
    QString escaped = name;
    escaped.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('"'), QStringLiteral("\\\""));
    const QString text = QStringLiteral("{\"file\": \"%1\", \"pulse_ns\": %2, \"spacing_m\": %3, \"index\": %4, "
                                        "\"noise_from_m\": %5, \"events\": [%6]}\n")
                             .arg(escaped, QString::number(o.pulseWidth), QString::number(truth.resolution, 'g', 10),
                                 QString::number(truth.groupIndex, 'g', 8),
                                 noiseFrom ? QString::number(*noiseFrom, 'f', 1) : QStringLiteral("null"),
                                 events.join(QStringLiteral(", ")));
    return text.toUtf8();
}
