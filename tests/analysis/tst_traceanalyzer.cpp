#include <CEventSource.h>
#include <CFile.h>
#include <CLineFit.h>
#include <CSynthFibre.h>
#include <CSynthRandom.h>
#include <CTraceAnalyzer.h>
#include <TestPaths.h>
#include <tTraceInput.h>

#include <QtTest>

#include <cmath>

using analysis::CTraceAnalyzer;
using analysis::tAnalysisResult;
using analysis::tFoundEvent;
using Feature = CSynthFibre::tFeature;

namespace {

constexpr double kC = 299792458.0;
constexpr double kIndex = 1.468;

struct tLink
{
    double pulseNs = 100;
    double lengthM = 10000;
    double spacingM = 1;
    double noiseFloor = 40; // dB below the reference
    double startLevel = 5;
    std::vector<Feature> features;
    quint32 seed = 7;
};

// A trace's settings without samples, for traces drawn by hand.
analysis::tTraceInput Settings(double spacingM, double pulseNs)
{
    analysis::tTraceInput input;
    input.spacingM = spacingM;
    input.pulseNs = pulseNs;
    input.groupIndex = kIndex;
    input.backscatterDb = -80;
    return input;
}

analysis::tTraceInput Render(const tLink& link)
{
    CSynthFibre::tOptics optics;
    optics.pulseWidth = link.pulseNs;
    optics.pulseLength = link.pulseNs * 1e-9 * kC / (2 * kIndex);
    optics.noiseFloor = link.noiseFloor;
    optics.startLevel = link.startLevel;
    optics.backscatter = -80;
    CSynthRandom random(link.seed);
    const CSynthFibre fibre(optics, link.features);
    analysis::tTraceInput input = Settings(link.spacingM, link.pulseNs);
    const double range = std::max(link.lengthM * 1.25, link.lengthM + 500);
    input.samples = fibre.Render(random, size_t(range / link.spacingM), link.spacingM);
    return input;
}

Feature Make(CSynthFibre::tKind kind, double distance, double loss, double reflectance = 0)
{
    Feature f;
    f.kind = kind;
    f.distance = distance;
    f.loss = loss;
    f.reflectance = reflectance;
    return f;
}

// The event found within `tolerance` metres of `distance`, or null.
const tFoundEvent* Near(const tAnalysisResult& result, double distance, double tolerance)
{
    for (const tFoundEvent& e : result.events)
        if (std::abs(e.distanceM - distance) <= tolerance)
            return &e;
    return nullptr;
}

double Tolerance(const tLink& link)
{
    return std::max({ 3 * link.pulseNs * 1e-9 * kC / (2 * kIndex), 3 * link.spacingM, 10.0 });
}

} // namespace

class TstTraceAnalyzer : public QObject
{
    Q_OBJECT

private slots:
    // Every splice, connector and end of a link across pulse widths, lengths
    // and noise, with its loss and reflectance.
    void findsTheLink_data();
    void findsTheLink();
    // A 0.05 dB splice, a gainer, an end with and without a Fresnel peak, a
    // saturated connector, two events in one dead zone, an echo.
    void findsTheHardCases();
    // A small splice between two connectors, too close to them for the
    // detector's long windows, is found against lines over the whole section.
    void findsASmallStepBetweenCloseEvents();
    // Splices a pulse length and a half to three apart, a gainer among them,
    // have no line between them of their own: each is still found, with its
    // loss.
    void findsStepsAPulseOrTwoApart();
    // A weak reflection of a long pulse a few kilometres past a splice: the
    // line before it, bent by the splice, does not draw its leading edge
    // back towards the splice.
    void placesAWeakReflectionAfterASplice();
    // A long pulse over a long link: small splices ten pulse lengths apart,
    // several between two connectors, each found with its loss.
    void findsSeveralSmallStepsInOneSection();
    // A reflection whose tail runs into the end reflection, no backscatter
    // between them: one end, from the first leading edge.
    void joinsAReflectionTouchingTheEnd();
    // An end reflection whose fall into the noise follows its rise within
    // the detector's length: the end is at its rise, a reflection.
    void findsAnEndReflectionBeforeItsFall_data();
    void findsAnEndReflectionBeforeItsFall();
    // The return loss counts all the light each peak returns, the end's too,
    // through twice the loss in front of it; an echo returns none.
    void countsEveryPeakInTheReturnLoss_data();
    void countsEveryPeakInTheReturnLoss();
    // A 10 us pulse: the front connector's and a connector's reflections are
    // plateaus a kilometre long, each one reflective event, not a gain and a loss.
    void readsLongPulseReflections();
    // A trace that sinks into the noise before its end has no events there.
    void staysOutOfTheNoise();
    // A launch cord before the distance origin: the connector at its far end
    // is the link's first event, measured on the cord's backscatter, and the
    // span starts before it; a splice a few pulse lengths after a connector
    // is measured on its own.
    void measuresFromTheLaunchCord();
    // A file says its samples start a front panel offset before the panel.
    // Where they do, events count from the panel; where a program cut them
    // at the panel (its reflection at the first samples), the event times
    // still count from the instrument's first sample. An instrument's file
    // and a program's re-saved copy of it.
    void readsSamplesCutAtThePanel_data();
    void readsSamplesCutAtThePanel();
    void refusesBadInput_data();
    void refusesBadInput();
    // The shared real files: the stored events are found with their losses.
    void realFiles();
    // The analysis' lines from running sums are the splice measurement's lines.
    void sharesTheLineFit_data();
    void sharesTheLineFit();
};

void TstTraceAnalyzer::findsTheLink_data()
{
    QTest::addColumn<double>("pulse");
    QTest::addColumn<double>("length");
    QTest::addColumn<double>("spacing");
    QTest::addColumn<double>("floor");
    QTest::newRow("10 ns, 0.5 km") << 10.0 << 500.0 << 0.25 << 40.0;
    QTest::newRow("100 ns, 10 km") << 100.0 << 10000.0 << 1.0 << 40.0;
    QTest::newRow("1 us, 40 km") << 1000.0 << 40000.0 << 4.0 << 40.0;
    QTest::newRow("noisy, 20 km") << 300.0 << 20000.0 << 2.0 << 14.0;
    QTest::newRow("10 us, 120 km") << 10000.0 << 120000.0 << 16.0 << 45.0;
}

void TstTraceAnalyzer::findsTheLink()
{
    QFETCH(double, pulse);
    QFETCH(double, length);
    QFETCH(double, spacing);
    QFETCH(double, floor);
    tLink link { pulse, length, spacing, floor, 5, {}, 3 };
    const double pulseM = pulse * 1e-9 * kC / (2 * kIndex);
    const double gap = std::max(length / 5, 30 * pulseM);
    // Splices and a connector with room between them; the end reflects.
    link.features = { Make(CSynthFibre::Splice, gap, 0.3), Make(CSynthFibre::Connector, 2 * gap, 0.5, -45),
        Make(CSynthFibre::Splice, 3 * gap, 0.2), Make(CSynthFibre::End, length, 0, -20) };
    const tAnalysisResult result = CTraceAnalyzer::Analyze(Render(link));
    QVERIFY2(result.reason.isEmpty(), qPrintable(result.reason));
    for (const Feature& f : link.features) {
        const tFoundEvent* e = Near(result, f.distance, Tolerance(link));
        QVERIFY2(e, qPrintable(QStringLiteral("nothing found at %1 m").arg(f.distance)));
        if (f.kind == CSynthFibre::End) {
            QCOMPARE(e->kind, tFoundEvent::End);
            continue;
        }
        QVERIFY2(std::abs(*e->lossDb - f.loss) < 0.06, qPrintable(QString::number(*e->lossDb)));
        QCOMPARE(e->kind, f.kind == CSynthFibre::Splice ? tFoundEvent::NonReflective : tFoundEvent::Reflective);
        // A peak that reaches the top of the trace gives a lower bound.
        if (f.kind == CSynthFibre::Connector)
            QVERIFY2(e->saturated ? *e->reflectanceDb < f.reflectance + 1.0 : std::abs(*e->reflectanceDb - f.reflectance) < 1.0,
                qPrintable(QString::number(*e->reflectanceDb)));
    }
    QCOMPARE(int(result.events.size()), int(link.features.size()));
    QVERIFY(result.fiberEndM && std::abs(*result.fiberEndM - length) < Tolerance(link));
    // The span: the fibre and the three events.
    const double expected = 0.19 * length / 1000 + 1.0;
    QVERIFY2(result.endToEndLossDb && std::abs(*result.endToEndLossDb - expected) < 0.1,
        qPrintable(QString::number(result.endToEndLossDb.value_or(-1))));
    QVERIFY(result.orlDb && *result.orlDb > 10 && *result.orlDb < 50);
}

void TstTraceAnalyzer::findsTheHardCases()
{
    tLink link;
    link.noiseFloor = 35;
    const double pulseM = link.pulseNs * 1e-9 * kC / (2 * kIndex);
    link.features = { Make(CSynthFibre::Connector, 1000, 0.3, -30), Make(CSynthFibre::Splice, 2500, 0.05),
        Make(CSynthFibre::Splice, 4000, -0.1), Make(CSynthFibre::Splice, 5500, 0.3),
        Make(CSynthFibre::Splice, 5500 + 0.5 * pulseM, 0.3), Make(CSynthFibre::Connector, 7000, 0.4, -12),
        Make(CSynthFibre::End, 10000, 0, -90) };
    tAnalysisResult result = CTraceAnalyzer::Analyze(Render(link));
    QVERIFY2(result.reason.isEmpty(), qPrintable(result.reason));
    const double tolerance = Tolerance(link);
    const tFoundEvent* small = Near(result, 2500, tolerance);
    QVERIFY(small && small->kind == tFoundEvent::NonReflective && std::abs(*small->lossDb - 0.05) < 0.03);
    const tFoundEvent* gainer = Near(result, 4000, tolerance);
    QVERIFY(gainer && std::abs(*gainer->lossDb + 0.1) < 0.03);
    const tFoundEvent* pair = Near(result, 5500, tolerance);
    // Closer than a pulse: one event with the loss of both.
    QVERIFY(pair && std::abs(*pair->lossDb - 0.6) < 0.06);
    QCOMPARE(std::count_if(result.events.begin(), result.events.end(),
                 [&](const tFoundEvent& e) { return std::abs(e.distanceM - 5500) < 3 * pulseM; }),
        1);
    const tFoundEvent* bright = Near(result, 7000, tolerance);
    QVERIFY(bright && bright->kind == tFoundEvent::Reflective && bright->saturated);
    const tFoundEvent* end = Near(result, 10000, tolerance);
    QVERIFY(end && end->kind == tFoundEvent::End && !end->reflectiveEnd);

    // An echo of a strong reflection at twice its distance: a peak without loss.
    link.features = { Make(CSynthFibre::Connector, 3000, 0.3, -20), Make(CSynthFibre::Connector, 6000, 0, -58),
        Make(CSynthFibre::End, 9000, 0, -16) };
    result = CTraceAnalyzer::Analyze(Render(link));
    const tFoundEvent* echo = Near(result, 6000, tolerance);
    QVERIFY(echo && echo->kind == tFoundEvent::Echo && !echo->lossDb);
    const tFoundEvent* fresnel = Near(result, 9000, tolerance);
    QVERIFY(fresnel && fresnel->kind == tFoundEvent::End && fresnel->reflectiveEnd);

    // A weak reflection before a strong end: with the backscatter between
    // them two events, the end at the strong one; closer, one event from the
    // first one's leading edge.
    for (const double apart : { 4.0, 1.2 }) {
        link.features = { Make(CSynthFibre::Connector, 5000, 0.2, -45),
            Make(CSynthFibre::Connector, 10000 - apart * pulseM, 0, -40), Make(CSynthFibre::End, 10000, 0, -14) };
        result = CTraceAnalyzer::Analyze(Render(link));
        const double end = apart > 2 ? 10000 : 10000 - apart * pulseM;
        QVERIFY2(result.fiberEndM && std::abs(*result.fiberEndM - end) < 0.5 * pulseM,
            qPrintable(QString::number(result.fiberEndM.value_or(-1))));
        QCOMPARE(result.events.size(), apart > 2 ? size_t(3) : size_t(2));
    }
}

void TstTraceAnalyzer::findsASmallStepBetweenCloseEvents()
{
    tLink link { 10, 3000, 0.25, 14, 5, {}, 3 };
    link.features = { Make(CSynthFibre::Connector, 1000, 0.3, -45), Make(CSynthFibre::Splice, 1060, 0.08),
        Make(CSynthFibre::Connector, 1120, 0.3, -45), Make(CSynthFibre::End, 3000, 0, -20) };
    for (const quint32 seed : { 3, 4, 5, 7 }) {
        link.seed = seed;
        const tAnalysisResult result = CTraceAnalyzer::Analyze(Render(link));
        const tFoundEvent* splice = Near(result, 1060, Tolerance(link));
        QVERIFY2(splice && splice->lossDb && std::abs(*splice->lossDb - 0.08) < 0.03, qPrintable(QString::number(seed)));
    }
}

void TstTraceAnalyzer::findsStepsAPulseOrTwoApart()
{
    tLink link { 1000, 40000, 2, 40, 5, {}, 11 };
    const double pulseM = link.pulseNs * 1e-9 * kC / (2 * kIndex);
    link.features = { Make(CSynthFibre::Splice, 10000, 0.3), Make(CSynthFibre::Splice, 20000, 0.08),
        Make(CSynthFibre::Splice, 20000 + 1.7 * pulseM, -0.06), Make(CSynthFibre::Splice, 20000 + 5.3 * pulseM, 0.1),
        Make(CSynthFibre::End, 40000, 0, -20) };
    const tAnalysisResult result = CTraceAnalyzer::Analyze(Render(link));
    QCOMPARE(int(result.events.size()), int(link.features.size()));
    for (const Feature& f : link.features) {
        // Within a pulse length, as the fit places its ramps.
        const tFoundEvent* e = Near(result, f.distance, pulseM);
        QVERIFY2(e, qPrintable(QStringLiteral("nothing found at %1 m").arg(f.distance)));
        if (f.kind == CSynthFibre::Splice)
            QVERIFY2(std::abs(*e->lossDb - f.loss) < 0.03, qPrintable(QString::number(*e->lossDb)));
    }
}

void TstTraceAnalyzer::placesAWeakReflectionAfterASplice()
{
    tLink link { 3000, 80000, 4, 40, 5, {}, 0 };
    link.features = { Make(CSynthFibre::Splice, 20900, 0.12), Make(CSynthFibre::Connector, 24800, 0.4, -54),
        Make(CSynthFibre::Splice, 32400, 0.1), Make(CSynthFibre::End, 80000, 0, -20) };
    const double pulseM = link.pulseNs * 1e-9 * kC / (2 * kIndex);
    for (const quint32 seed : { 1, 2, 3 }) {
        link.seed = seed;
        const tAnalysisResult result = CTraceAnalyzer::Analyze(Render(link));
        const tFoundEvent* e = Near(result, 24800, pulseM);
        QVERIFY2(e && e->kind == tFoundEvent::Reflective, qPrintable(QString::number(seed)));
    }
}

void TstTraceAnalyzer::findsSeveralSmallStepsInOneSection()
{
    tLink link { 10000, 120000, 16, 35, 5, {}, 0 };
    link.features = { Make(CSynthFibre::Connector, 20000, 0.3, -45) };
    for (double at = 30000; at < 80000; at += 10000)
        link.features.push_back(Make(CSynthFibre::Splice, at, 0.12));
    link.features.push_back(Make(CSynthFibre::Connector, 90000, 0.3, -45));
    link.features.push_back(Make(CSynthFibre::End, 120000, 0, -20));
    for (const quint32 seed : { 1, 2, 3 }) {
        link.seed = seed;
        const tAnalysisResult result = CTraceAnalyzer::Analyze(Render(link));
        QCOMPARE(int(result.events.size()), int(link.features.size()));
        for (const Feature& f : link.features) {
            const tFoundEvent* e = Near(result, f.distance, Tolerance(link));
            QVERIFY2(e && (f.kind != CSynthFibre::Splice || std::abs(*e->lossDb - f.loss) < 0.05),
                qPrintable(QStringLiteral("seed %1, %2 m").arg(seed).arg(f.distance)));
        }
    }
}

void TstTraceAnalyzer::joinsAReflectionTouchingTheEnd()
{
    analysis::tTraceInput input = Settings(0.16, 10);
    CSynthRandom random(5);
    const int first = 3000;
    const int end = 3030;
    for (int i = 0; i < 8000; ++i) {
        const double line = 20000 + 0.35 * 0.16 * i + random.Uniform(-30, 30);
        double v = line;
        if (i < 12)
            v = line - 15000; // the instrument's own connector
        else if (i >= first && i < end)
            v = line - 7000 * std::exp(-(i - first) / 15.0);
        else if (i >= end && i < end + 20)
            v = 0; // held at the top
        else if (i >= end + 20)
            v = std::min(55000.0, line + 3000.0 * (i - end - 20)) + random.Uniform(-400, 400);
        input.samples.push_back(quint16(std::clamp(v, 0.0, 65535.0)));
    }
    const tAnalysisResult result = CTraceAnalyzer::Analyze(input);
    QVERIFY2(!result.events.empty(), qPrintable(result.reason));
    const tFoundEvent& last = result.events.back();
    QCOMPARE(last.kind, tFoundEvent::End);
    QVERIFY2(std::abs(last.distanceM - first * 0.16) < 1.0, qPrintable(QString::number(last.distanceM)));
    QVERIFY(last.merged && last.reflectiveEnd && last.saturated);
    QCOMPARE(int(result.events.size()), 1);
}

void TstTraceAnalyzer::findsAnEndReflectionBeforeItsFall_data()
{
    QTest::addColumn<double>("pulse");
    QTest::addColumn<double>("spacing");
    QTest::addColumn<double>("launch");
    QTest::addColumn<double>("riseLength");
    QTest::addColumn<double>("height");
    QTest::addColumn<double>("fallLength");
    // A slow receiver: the peak and the fall within one detector line.
    QTest::newRow("30 ns") << 30.0 << 0.255 << 20.0 << 4.5 << 5500.0 << 14.0;
    // A fibre shorter than the detector's line, after a long launch tail.
    QTest::newRow("160 ns, short fibre") << 160.0 << 0.128 << 35.0 << 8.0 << 3000.0 << 30.0;
}

void TstTraceAnalyzer::findsAnEndReflectionBeforeItsFall()
{
    QFETCH(double, pulse);
    QFETCH(double, spacing);
    QFETCH(double, launch);
    QFETCH(double, riseLength);
    QFETCH(double, height);
    QFETCH(double, fallLength);
    analysis::tTraceInput input = Settings(spacing, pulse);
    CSynthRandom random(9);
    const double rise = 61.5;
    const double line = 52500;
    for (double x = 0; x < 400; x += spacing) {
        double v = line + random.Uniform(-40, 40);
        if (x < launch / 2)
            v = 41800; // the front connector, held at the top
        else if (x < launch)
            v = line - 10700 * (launch - x) / (launch / 2);
        else if (x >= rise && x < rise + riseLength)
            v = line - height * (x - rise) / riseLength;
        else if (x >= rise + riseLength)
            v = std::min(60000.0, line - height + (7500 + height) * (x - rise - riseLength) / fallLength)
                + random.Uniform(-700, 700);
        input.samples.push_back(quint16(v));
    }
    const tAnalysisResult result = CTraceAnalyzer::Analyze(input);
    QVERIFY2(result.fiberEndM && std::abs(*result.fiberEndM - rise) < 1.5,
        qPrintable(QString::number(result.fiberEndM.value_or(-1))));
    QCOMPARE(int(result.events.size()), 1);
}

void TstTraceAnalyzer::countsEveryPeakInTheReturnLoss_data()
{
    QTest::addColumn<double>("connector");
    QTest::addColumn<double>("echo");
    QTest::addColumn<double>("end");
    QTest::addColumn<int>("spread");
    QTest::newRow("bright end") << -30.0 << 0.0 << -14.0 << 10;
    // A slow receiver spreads a peak's light over twice the pulse at half
    // its height: the peak's reflectance reads 3 dB low, its light is the same.
    QTest::newRow("slow receiver, end without a peak, an echo") << -25.0 << -40.0 << 0.0 << 20;
}

void TstTraceAnalyzer::countsEveryPeakInTheReturnLoss()
{
    QFETCH(double, connector);
    QFETCH(double, echo);
    QFETCH(double, end);
    QFETCH(int, spread);
    // Ten samples to a 100 ns pulse, 0.2 dB/km, a -45 dB front connector,
    // the connector at 1.5 km, its echo at 3 km, the end at 5 km.
    const double pulse = 100;
    const double spacing = pulse * 1e-9 * kC / (2 * kIndex) / 10;
    analysis::tTraceInput input = Settings(spacing, pulse);
    const qint64 at[] = { 0, qint64(1500 / spacing), qint64(3000 / spacing), qint64(5000 / spacing) };
    const double reflectances[] = { -45, connector, echo, end };
    CSynthRandom random(4);
    for (qint64 i = 0; i < qint64(6000 / spacing); ++i) {
        double v = 25000 + 0.2 * double(i) * spacing + random.Uniform(-30, 30);
        // The backscatter fades over a pulse length after the end.
        if (i >= at[3] + 10)
            v = 50000 + random.Uniform(-1500, 1500);
        else if (i >= at[3] && end == 0)
            v = std::min(50000.0, v - 5000 * std::log10(1 - double(i - at[3]) / 10));
        // A peak's light over the backscatter's, as the reflectance formula has it.
        for (int k = 0; k < 4; ++k)
            if (const int width = k == 0 ? 10 : spread; reflectances[k] < 0 && i >= at[k] && i < at[k] + width)
                v -= 5000 * std::log10(1 + std::pow(10.0, (reflectances[k] + 80) / 10) / pulse * 10 / width);
        input.samples.push_back(quint16(std::lround(v)));
    }
    const tAnalysisResult result = CTraceAnalyzer::Analyze(input);
    QVERIFY2(result.fiberEndM && std::abs(*result.fiberEndM - double(at[3]) * spacing) < 5,
        qPrintable(QString::number(result.fiberEndM.value_or(-1))));
    // Rayleigh backscatter of 5 km, -80 dB for 1 ns, 2n/c ns per metre of
    // fibre, fading with twice the attenuation; each reflection likewise.
    const double twoWayPerM = 2 * 0.2e-3 * std::log(10.0) / 10;
    const double length = double(at[3]) * spacing;
    double light = 1e-8 * 2 * kIndex / kC * 1e9 * (1 - std::exp(-twoWayPerM * length)) / twoWayPerM;
    light += std::pow(10.0, -4.5);
    for (int k : { 1, 3 })
        if (double r = k == 1 ? connector : end; r < 0)
            light += std::pow(10.0, r / 10) * std::exp(-twoWayPerM * double(at[k]) * spacing);
    QVERIFY2(result.orlDb && std::abs(*result.orlDb + 10 * std::log10(light)) < 0.05,
        qPrintable(QStringLiteral("%1 against %2").arg(result.orlDb.value_or(-1)).arg(-10 * std::log10(light))));
}

void TstTraceAnalyzer::readsLongPulseReflections()
{
    // The front reflection just short of the top of the trace, as it is drawn.
    tLink link { 10000, 60000, 8, 45, 5.5, {}, 12 };
    link.features = { Make(CSynthFibre::Connector, 10200, 0.47, -42), Make(CSynthFibre::End, 60000, 0, -24) };
    const tAnalysisResult result = CTraceAnalyzer::Analyze(Render(link));
    QCOMPARE(int(result.events.size()), 2);
    const tFoundEvent* connector = Near(result, 10200, Tolerance(link));
    QVERIFY(connector && connector->kind == tFoundEvent::Reflective);
    QVERIFY2(std::abs(*connector->lossDb - 0.47) < 0.06, qPrintable(QString::number(*connector->lossDb)));
    QVERIFY2(result.endToEndLossDb && std::abs(*result.endToEndLossDb - (0.19 * 60 + 0.47)) < 0.1,
        qPrintable(QString::number(result.endToEndLossDb.value_or(-1))));
}

void TstTraceAnalyzer::staysOutOfTheNoise()
{
    // 100 km at 0.19 dB/km falls 19 dB: with 20 dB of range the trace is in
    // the noise long before the end.
    tLink link { 100, 100000, 4, 20, 5, {}, 5 };
    link.features = { Make(CSynthFibre::Splice, 20000, 0.3), Make(CSynthFibre::End, 100000, 0, -20) };
    const tAnalysisResult result = CTraceAnalyzer::Analyze(Render(link));
    QVERIFY(Near(result, 20000, Tolerance(link)));
    for (const tFoundEvent& e : result.events) {
        QVERIFY2(e.distanceM < 80000 || e.kind == tFoundEvent::Echo, qPrintable(QString::number(e.distanceM)));
        QVERIFY(!e.lossDb || std::isfinite(*e.lossDb));
    }
}

void TstTraceAnalyzer::measuresFromTheLaunchCord()
{
    tLink link { 30, 4000, 0.25, 35, 5, {}, 11 };
    const double cord = 500;
    const double pulseM = link.pulseNs * 1e-9 * kC / (2 * kIndex);
    link.features = { Make(CSynthFibre::Connector, cord, 0.5, -45), Make(CSynthFibre::Connector, cord + 1500, 0.3, -50),
        Make(CSynthFibre::Splice, cord + 1500 + 6 * pulseM, 0.3), Make(CSynthFibre::End, cord + 3500, 0, -20) };
    analysis::tTraceInput input = Render(link);
    input.offsetM = cord;
    const tAnalysisResult result = CTraceAnalyzer::Analyze(input);
    QVERIFY2(result.reason.isEmpty(), qPrintable(result.reason));
    QCOMPARE(int(result.events.size()), 4);
    const tFoundEvent& connector = result.events.front();
    QVERIFY2(connector.distanceM < 2 && connector.lossDb && std::abs(*connector.lossDb - 0.5) < 0.05,
        qPrintable(QString::number(connector.lossDb.value_or(-1))));
    const tFoundEvent* splice = Near(result, 1500 + 6 * pulseM, pulseM);
    QVERIFY(splice && splice->lossDb && std::abs(*splice->lossDb - 0.3) < 0.06);
    // The connector at the origin, the other two events and 3.5 km of fibre.
    const double expected = 0.5 + 0.3 + 0.3 + 0.19 * 3.5;
    QVERIFY2(result.endToEndLossDb && std::abs(*result.endToEndLossDb - expected) < 0.1,
        qPrintable(QString::number(result.endToEndLossDb.value_or(-1))));
}

void TstTraceAnalyzer::readsSamplesCutAtThePanel_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("from the instrument's first sample") << QStringLiteral("example1-noyes-ofl280.sor");
    QTest::newRow("cut at the panel") << QStringLiteral("example1-noyes-ofl280-fastreporter-save.sor");
}

void TstTraceAnalyzer::readsSamplesCutAtThePanel()
{
    QFETCH(QString, name);
    const QString path = QDir(TestPaths::SharedSamplesDir(QStringLiteral("v2"))).filePath(name);
    if (!QFile::exists(path))
        QSKIP("the shared instrument file is not there");
    quint32 warnings = 0;
    const sor::CFile file(path, warnings);
    const tAnalysisResult stored = analysis::CEventSource::Stored(file);
    const tAnalysisResult result
        = CTraceAnalyzer::Analyze(analysis::tTraceInput::FromFile(file, 0, analysis::tThresholds()));
    // The connector at the far end of the launch cord, the splice after it
    // and the end, where the file's own events have them.
    QVERIFY(stored.events.size() >= 3);
    for (size_t i = 0; i < 3; ++i) {
        const double at = stored.events[i].distanceM;
        QVERIFY2(Near(result, at, 1.0), qPrintable(QStringLiteral("nothing found at %1 m").arg(at)));
    }
}

void TstTraceAnalyzer::sharesTheLineFit_data()
{
    QTest::addColumn<qint64>("first");
    QTest::addColumn<qint64>("last");
    QTest::newRow("inside") << qint64(100) << qint64(900);
    QTest::newRow("one sample") << qint64(5) << qint64(6);
    QTest::newRow("up to the last sample") << qint64(990) << qint64(1000);
}

void TstTraceAnalyzer::sharesTheLineFit()
{
    QFETCH(qint64, first);
    QFETCH(qint64, last);
    std::vector<quint16> samples(1000);
    CSynthRandom random(3);
    for (size_t i = 0; i < samples.size(); ++i)
        samples[i] = quint16(20000.0 + 3.0 * double(i) + 40.0 * random.Gauss());
    const double resolution = 0.5;
    const analysis::tLine expected = analysis::CLineFit::Fit(
        samples.data(), int(samples.size()), resolution, double(first) * resolution, double(last - 1) * resolution);
    const analysis::CLineFit sums(samples);
    const analysis::tLine line = sums.Line(first, last, resolution);
    QVERIFY(std::abs(line.slope - expected.slope) < 1e-6);
    QVERIFY(std::abs(line.At(first * resolution) - expected.At(first * resolution)) < 1e-6);
    QVERIFY(std::abs(sums.At(first, last, double(last)) - expected.At(double(last) * resolution)) < 1e-6);
    // Sums added up in steps, as a scan along the trace asks for them, give the same line to the last bit.
    analysis::CLineFit stepwise(samples, first / 2);
    stepwise.Reach(first + 1);
    stepwise.Reach(last);
    QVERIFY(stepwise.At(first, last, double(last)) == sums.At(first, last, double(last)));
}

void TstTraceAnalyzer::refusesBadInput_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("flat");
    QTest::addColumn<double>("spacing");
    QTest::addColumn<double>("pulse");
    QTest::addColumn<double>("floor");
    QTest::newRow("too short") << 20 << false << 1.0 << 100.0 << 40.0;
    QTest::newRow("all equal") << 5000 << true << 1.0 << 100.0 << 40.0;
    QTest::newRow("spacing 0") << 5000 << false << 0.0 << 100.0 << 40.0;
    QTest::newRow("pulse 0") << 5000 << false << 1.0 << 0.0 << 40.0;
    QTest::newRow("all noise") << 5000 << false << 1.0 << 100.0 << 2.0;
}

void TstTraceAnalyzer::refusesBadInput()
{
    QFETCH(int, count);
    QFETCH(bool, flat);
    QFETCH(double, spacing);
    QFETCH(double, pulse);
    QFETCH(double, floor);
    tLink link { 100, 4000, 1, floor, 5, { Make(CSynthFibre::End, 4000, 0, -20) }, 9 };
    analysis::tTraceInput input = Render(link);
    input.samples.resize(size_t(count), 12345);
    if (flat)
        std::fill(input.samples.begin(), input.samples.end(), quint16(12345));
    input.spacingM = spacing;
    input.pulseNs = pulse;
    const tAnalysisResult result = CTraceAnalyzer::Analyze(input);
    QVERIFY(result.events.empty());
    QVERIFY(!result.reason.isEmpty());
    QVERIFY(!result.endToEndLossDb && !result.orlDb);
}

void TstTraceAnalyzer::realFiles()
{
    QStringList files = TestPaths::SorFiles(TestPaths::SharedSamplesDir(QStringLiteral("v1")))
        + TestPaths::SorFiles(TestPaths::SharedSamplesDir(QStringLiteral("v2")));
    if (files.isEmpty())
        QSKIP("the shared instrument files are not there");
    int stored = 0;
    int matched = 0;
    int found = 0;
    for (const QString& path : files) {
        quint32 warnings = 0;
        const sor::CFile file(path, warnings);
        const tAnalysisResult truth = analysis::CEventSource::Stored(file);
        const tAnalysisResult result
            = CTraceAnalyzer::Analyze(analysis::tTraceInput::FromFile(file, 0, analysis::tThresholds()));
        const double pulseM = result.pulseNs * 1e-9 * kC / (2 * double(file.FixedParameters().groupIndex));
        const double tolerance = std::max({ 3 * pulseM, 3 * file.Resolution(), 10.0 });
        // The launch and what lies past the stored end say nothing of the analysis.
        for (const tFoundEvent& t : truth.events) {
            if (t.distanceM <= tolerance || (truth.fiberEndM && t.distanceM > *truth.fiberEndM + tolerance))
                continue;
            ++stored;
            matched += Near(result, t.distanceM, tolerance) ? 1 : 0;
        }
        for (const tFoundEvent& e : result.events)
            found += e.kind != tFoundEvent::Echo ? 1 : 0;
    }
    qDebug() << matched << stored << found;
    // Recall over every stored event of every file, and no flood of extra events.
    QVERIFY2(matched >= 0.9 * stored, qPrintable(QStringLiteral("%1 of %2").arg(matched).arg(stored)));
    QVERIFY2(found <= 1.1 * stored, qPrintable(QStringLiteral("%1 found, %2 stored").arg(found).arg(stored)));
}

QTEST_MAIN(TstTraceAnalyzer)
#include "tst_traceanalyzer.moc"
