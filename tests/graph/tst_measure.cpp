#include "CCursors.h"
#include "TestTraces.h"
#include "tGraphState.h"

#include <CFile.h>

#include <QSignalSpy>
#include <QTest>

#include <cmath>
#include <memory>

using TestTraces::Line;
using TestTraces::tTrace;

namespace {

// One trace on a plot of 800 x 400 px, with its cursor set.
class tMeasurePlot
{
public:
    explicit tMeasurePlot(const tTrace& trace)
    {
        files.push_back(TestTraces::Load(dir, trace));
        geometry.Resize(QSize(800, 400));
        geometry.SetFiles(&files);
    }
    explicit tMeasurePlot(const std::vector<quint16>& samples) : tMeasurePlot(tTrace { samples, 100, 800, {} }) { }

    bool IsLoaded() const { return files.back() && files.back()->file; }
    CCursors& Cursors() { return *geometry.cursors; }
    sor::CFile& Document() { return *files.back()->file; }
    double Resolution() { return Document().Resolution(); }
    // Places the five cursors, left to right, moving each once.
    void Place(float outerLeft, float leftMarker, float centre, float rightMarker, float outerRight)
    {
        CCursors& set = Cursors();
        // Moved from the outside in, no cursor pushes another one already placed.
        set.MoveTo(set.OuterRight(), std::max(outerRight, set.OuterRight().fPosition));
        set.MoveTo(set.OuterLeft(), std::min(outerLeft, set.OuterLeft().fPosition));
        set.MoveTo(set.RightMarker(), rightMarker);
        set.MoveTo(set.LeftMarker(), leftMarker);
        set.MoveTo(set.Centre(), centre);
        set.MoveTo(set.OuterLeft(), outerLeft);
        set.MoveTo(set.OuterRight(), outerRight);
    }

    QTemporaryDir dir;
    tFileSet files;
    tGraphState geometry;
};
// With no peak the reflectance is 10 log10(100 ns) - 80 dB.
constexpr float kNoPeak = -60.0f;

} // namespace

// The measurement arithmetic of the cursor set on traces of known shape.
class TstMeasure : public QObject
{
    Q_OBJECT

private slots:
    void straightTrace();
    void stepGivesItsLoss_data();
    void stepGivesItsLoss();
    void attenuationNeedsAnInterval_data();
    void attenuationNeedsAnInterval();
    void intervalsAtTheTraceEnds();
    void reflectance_data();
    void reflectance();
    void replaceOrAppend_data();
    void replaceOrAppend();
    void nothingToMeasureOn();
};

void TstMeasure::straightTrace()
{
    // 1.5 dB/km: the slope in sample units per metre is dB per km.
    tMeasurePlot plot(Line(5000, 1000, 3));
    QVERIFY(plot.IsLoaded());
    CCursors& set = plot.Cursors();
    const double slope = 3 / plot.Resolution();

    // Outside a measurement the coefficient is that between the markers.
    plot.Place(300, 1100, 2500, 4000, 6000);
    QVERIFY(std::abs(set.AttenuationCoefficient() - slope) < 1e-4);

    set.StartMeasure(CCursors::MeasureSplice);
    QVERIFY(std::abs(set.SpliceLoss()) < 1e-4);
    QVERIFY(std::abs(set.AttenuationCoefficient() - slope) < 1e-4);
    // Each line passes through the trace: 1000 at distance 0.
    QVERIFY(std::abs(set.fLeftIntercept - 1000) < 0.01);
    QVERIFY(std::abs(set.fRightIntercept - 1000) < 0.05);
}

void TstMeasure::stepGivesItsLoss_data()
{
    QTest::addColumn<int>("step");
    QTest::addColumn<float>("loss");
    QTest::newRow("loss") << 500 << 0.5f;
    QTest::newRow("gain") << -300 << -0.3f;
}

void TstMeasure::stepGivesItsLoss()
{
    QFETCH(int, step);
    QFETCH(float, loss);

    // A straight line rising one unit per sample that jumps at 3000 m.
    std::vector<quint16> samples = Line(5000, 5000, 1);
    for (size_t i = 1500; i < samples.size(); ++i)
        samples[i] = quint16(samples[i] + step);
    tMeasurePlot plot(samples);
    QVERIFY(plot.IsLoaded());
    CCursors& set = plot.Cursors();
    set.StartMeasure(CCursors::MeasureSplice);
    // Wherever the centre stands between the intervals, the lines are parallel.
    for (const float centre : { 2500.0f, 3000.0f, 3200.0f }) {
        plot.Place(1000, 2400, centre, 3500, 6000);
        QVERIFY2(std::abs(set.SpliceLoss() - loss) < 1e-4, qPrintable(QString::number(set.SpliceLoss())));
    }
}

void TstMeasure::attenuationNeedsAnInterval_data()
{
    QTest::addColumn<bool>("measuring");
    QTest::addColumn<float>("width");
    QTest::addColumn<bool>("zero");

    // At 2 m per sample the limit is 0.002 m; both intervals reach over the
    // boundary between samples 500 and 501, so any width has two samples.
    QTest::newRow("markers closer than r/1000") << false << 0.0015f << true;
    QTest::newRow("outer left just beyond r/1000") << true << 0.0025f << false;
}

void TstMeasure::attenuationNeedsAnInterval()
{
    QFETCH(bool, measuring);
    QFETCH(float, width);
    QFETCH(bool, zero);

    tMeasurePlot plot(Line(5000, 1000, 4));
    QVERIFY(plot.IsLoaded());
    CCursors& set = plot.Cursors();
    const float start = 1000.999f;
    if (measuring) {
        set.StartMeasure(CCursors::MeasureSplice);
        plot.Place(start, start + width, 1500, 2000, 2500);
    } else {
        plot.Place(500, start, start + width, start + width, 2500);
    }
    const float coefficient = set.AttenuationCoefficient();
    if (zero)
        QCOMPARE(coefficient, 0.0f);
    else
        QVERIFY2(coefficient > 0.5f, qPrintable(QString::number(coefficient)));
}

void TstMeasure::intervalsAtTheTraceEnds()
{
    // 100 samples: the last one lies at 198 m. The cursors stand before the
    // start and far beyond the end; only the samples there are count.
    std::vector<quint16> samples = Line(100, 3000, 2);
    for (size_t i = 50; i < samples.size(); ++i)
        samples[i] = quint16(samples[i] + 700);
    tMeasurePlot plot(samples);
    QVERIFY(plot.IsLoaded());
    CCursors& set = plot.Cursors();
    set.StartMeasure(CCursors::MeasureReflection);
    plot.Place(-500, 60, 99, 150, 20000);
    QCOMPARE(set.OuterLeft().Position(), 0.0f);
    QVERIFY(std::abs(set.OuterRight().Position() - 198) < 0.001f);

    const double slope = 2 / plot.Resolution();
    QVERIFY(std::abs(set.fLeftSlope - slope) < 1e-5);
    QVERIFY(std::abs(set.fRightSlope - slope) < 1e-5);
    QVERIFY(std::abs(set.SpliceLoss() - 0.7f) < 1e-4);
    QVERIFY(std::abs(set.AttenuationCoefficient() - slope) < 1e-4);
    // The level only falls: no peak up to the right marker.
    QVERIFY(std::abs(set.Reflectance() - kNoPeak) < 1e-4);

    // The search starts at the very last sample and finds nothing after it.
    plot.Place(0, 190, 198, 198, 198);
    QVERIFY(std::abs(set.Reflectance() - kNoPeak) < 1e-4);
}

void TstMeasure::reflectance_data()
{
    QTest::addColumn<int>("peakAt");
    QTest::addColumn<double>("expected");

    // A flat trace, 100 ns and -80 dB; the centre cursor at 1500 m, the right
    // marker at 2000 m; the peak is 3 dB high.
    QTest::newRow("no peak") << -1 << double(kNoPeak);
    QTest::newRow("3 dB peak") << 1800 << -55.26;
    QTest::newRow("peak beyond the right marker") << 2100 << double(kNoPeak);
}

void TstMeasure::reflectance()
{
    QFETCH(int, peakAt);
    QFETCH(double, expected);

    tTrace trace { Line(5000, 10000, 0), 100, 800, {} };
    for (int i = peakAt / 2; peakAt >= 0 && i < peakAt / 2 + 3; ++i)
        trace.samples[size_t(i)] = 10000 - 3000;
    tMeasurePlot plot(trace);
    QVERIFY(plot.IsLoaded());
    CCursors& set = plot.Cursors();
    set.StartMeasure(CCursors::MeasureReflection);
    plot.Place(500, 1000, 1500, 2000, 2500);
    QVERIFY2(std::abs(set.Reflectance() - expected) < 0.005, qPrintable(QString::number(set.Reflectance())));
}

void TstMeasure::replaceOrAppend_data()
{
    QTest::addColumn<double>("samples");
    QTest::addColumn<bool>("replaces");

    QTest::newRow("4.9 samples before") << -4.9 << true;
    QTest::newRow("5.0 samples after") << 5.0 << false;
}

void TstMeasure::replaceOrAppend()
{
    QFETCH(double, samples);
    QFETCH(bool, replaces);

    // A straight trace with an event at 3000 m.
    SorBuilder::tEvent existing;
    existing.time = TestTraces::FileTime(3000);
    existing.code = "0F1234";
    existing.technique = "2P";
    existing.comment = "Joint 7";
    tTrace trace { Line(5000, 1000, 1), 100, 800, { existing } };
    tMeasurePlot plot(trace);
    QVERIFY(plot.IsLoaded());
    sor::CFile& document = plot.Document();
    QCOMPARE(document.KeyEvents().size(), size_t(1));
    const float eventAt = document.TimeToDistance(document.KeyEvents().front().time);
    QSignalSpy changed(&document, &sor::CFile::sigFileChanged);

    CCursors& set = plot.Cursors();
    set.StartMeasure(CCursors::MeasureSplice);
    const double r = plot.Resolution();
    float centre = float(eventAt + samples * r);
    plot.Place(1000, 2000, centre, 4000, 6000);
    // Neither 2 m nor the positions are exact in binary: at the boundary the
    // centre is the first float at least five samples away.
    if (std::abs(samples) == 5.0) {
        while (std::abs(centre / r - eventAt / r) < 5.0)
            centre = std::nextafter(centre, samples > 0 ? 1e9f : 0.0f);
        QVERIFY(std::abs(centre - float(eventAt + samples * r)) < 1e-3f);
    }
    set.Centre().fPosition = centre;
    set.AddEvent(true);
    QVERIFY(!set.IsMeasuring());
    QVERIFY(document.IsModified());
    QCOMPARE(changed.count(), 1);
    QCOMPARE(changed.front().front().toBool(), true);

    const std::deque<sor::tKeyEvent>& events = document.KeyEvents();
    QCOMPARE(events.size(), replaces ? size_t(1) : size_t(2));
    // Sorted by time and numbered from 1.
    for (size_t i = 0; i < events.size(); ++i)
        QCOMPARE(events[i].number.Value(), unsigned(i + 1));
    QVERIFY(std::is_sorted(events.begin(), events.end(),
        [](const sor::tKeyEvent& a, const sor::tKeyEvent& b) { return float(a.time) < float(b.time); }));

    const auto measured = std::find_if(events.begin(), events.end(), [&](const sor::tKeyEvent& event) {
        return std::abs(float(event.time) - document.DistanceToTime(centre)) < 1e-3f;
    });
    QVERIFY(measured != events.end());
    // A splice is stored as a non-reflective event.
    QCOMPARE(measured->codeType, quint32(sor::tKeyEvent::NonReflective));
    QCOMPARE(measured->technique, quint32(sor::tKeyEvent::LeastSquares));
    QVERIFY(std::abs(float(measured->loss)) < 1e-4f);
    QVERIFY(std::abs(float(measured->attenuation) - 1 / plot.Resolution()) < 1e-4);
    QCOMPARE(float(measured->reflectance), 0.0f);
    if (replaces) {
        // Measured in place of the old event, which keeps its comment and the
        // rest of its code.
        QCOMPARE(measured->codeOrigin, quint32(1));
        QCOMPARE(measured->comment.Text(), QStringLiteral("Joint 7"));
        QCOMPARE(QByteArray(measured->codeRest.data(), 4), QByteArray("1234"));
    } else {
        QCOMPARE(measured->codeOrigin, quint32(0));
        QVERIFY(measured->comment.Text().isEmpty());
        QCOMPARE(QByteArray(measured->codeRest.data(), 4), QByteArray("9999"));
        const sor::tKeyEvent& other = events[measured == events.begin() ? 1 : 0];
        QCOMPARE(other.comment.Text(), QStringLiteral("Joint 7"));
        QCOMPARE(other.codeOrigin, quint32(3));
    }
}

void TstMeasure::nothingToMeasureOn()
{
    // No trace shown: every result is 0 and nothing is stored anywhere.
    tGraphState geometry;
    geometry.Resize(QSize(800, 400));
    const tFileSet none;
    geometry.SetFiles(&none);
    CCursors& set = *geometry.cursors;
    set.StartMeasure(CCursors::MeasureSplice);
    QCOMPARE(set.SpliceLoss(), 0.0f);
    QCOMPARE(set.AttenuationCoefficient(), 0.0f);
    QCOMPARE(set.Reflectance(), 0.0f);
    set.AddEvent(true);
    QVERIFY(!set.IsMeasuring());

    // A trace of a single sample has no interval to fit: no number, and
    // no event is stored.
    tMeasurePlot plot(std::vector<quint16> { 4000 });
    QVERIFY(plot.IsLoaded());
    plot.Cursors().StartMeasure(CCursors::MeasureReflection);
    QVERIFY(!plot.Cursors().AttenuationFits());
    QVERIFY(!plot.Cursors().MeasurementFits());
    plot.Cursors().AddEvent(true);
    QVERIFY(plot.Document().KeyEvents().empty());
    QVERIFY(!plot.Document().IsModified());
}

QTEST_MAIN(TstMeasure)
#include "tst_measure.moc"
