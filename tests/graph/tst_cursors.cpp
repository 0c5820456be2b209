#include "CCursors.h"
#include "CGraphView.h"
#include "TestTraces.h"
#include "tGraphState.h"

#include <CFile.h>

#include <QAction>
#include <QRandomGenerator>
#include <QSignalSpy>
#include <QTest>

#include <array>
#include <cmath>
#include <memory>

using TestTraces::Line;
using TestTraces::Load;
using TestTraces::Ramp;
using TestTraces::tTrace;

namespace {

// Raw positions, left to right along the chain.
using tPositions = std::array<float, 5>;

tPositions RawPositions(const CCursors& set)
{
    return { set.OuterLeft().fPosition, set.LeftMarker().fPosition, set.Centre().fPosition, set.RightMarker().fPosition,
        set.OuterRight().fPosition };
}

CCursors::CEditableCursor& CursorByIndex(CCursors& set, int index)
{
    CCursors::CEditableCursor* const chain[]
        = { &set.OuterLeft(), &set.LeftMarker(), &set.Centre(), &set.RightMarker(), &set.OuterRight() };
    return *chain[index];
}

QString Describe(const tPositions& positions)
{
    QStringList texts;
    for (float position : positions)
        texts << QString::number(position);
    return texts.join(QStringLiteral(", "));
}

// One trace on a plot of 800 x 400 px, with its cursor set.
class tMeasurePlot
{
public:
    explicit tMeasurePlot(const tTrace& trace)
    {
        files.push_back(TestTraces::Load(dir, trace));
        geometry.Resize(QSize(800, 400));
        geometry.SetFiles(&files);
        QVERIFY(files.back() && files.back()->file);
    }
    explicit tMeasurePlot(const std::vector<quint16>& samples) : tMeasurePlot(tTrace { samples, 100, 800, {} }) { }

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

Q_DECLARE_METATYPE(tPositions)

class TstCursors : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        m_short.push_back(Load(m_dir, Ramp(20, 3000)));
        m_long.push_back(Load(m_dir, Ramp(5000, 20000)));
        QVERIFY(m_short.back() && m_long.back());
    }

    void unlockedMoves_data()
    {
        QTest::addColumn<int>("cursor");
        QTest::addColumn<float>("target");
        QTest::addColumn<tPositions>("expected");

        // From 500, 1000, 1500, 2000, 2500. A marker carries its outer cursor
        // along; whatever it reaches is pushed.
        QTest::newRow("left marker left") << 1 << 800.0f << tPositions { 300, 800, 1500, 2000, 2500 };
        QTest::newRow("left marker past the centre") << 1 << 1700.0f << tPositions { 1200, 1700, 1700, 2000, 2500 };
        QTest::newRow("left marker past the right marker")
            << 1 << 2200.0f << tPositions { 1700, 2200, 2200, 2200, 2700 };
        QTest::newRow("centre past the left marker") << 2 << 400.0f << tPositions { -100, 400, 400, 2000, 2500 };
        QTest::newRow("right marker past the centre") << 3 << 1000.0f << tPositions { 500, 1000, 1000, 1000, 1500 };
    }

    void unlockedMoves()
    {
        QFETCH(int, cursor);
        QFETCH(float, target);
        QFETCH(tPositions, expected);

        CCursors set;
        set.MoveTo(CursorByIndex(set, cursor), target);
        QVERIFY2(RawPositions(set) == expected, qPrintable(Describe(RawPositions(set))));
    }

    void lockedMovesAreRigid()
    {
        for (int cursor = 0; cursor < 5; ++cursor) {
            for (const float delta : { 300.0f, -200.0f }) {
                CCursors set;
                set.SetLocked(true);
                set.MoveBy(CursorByIndex(set, cursor), delta);
                const tPositions expected { 500 + delta, 1000 + delta, 1500 + delta, 2000 + delta, 2500 + delta };
                QVERIFY2(RawPositions(set) == expected, qPrintable(Describe(RawPositions(set))));
            }
        }
    }

    void chainNeverCrosses()
    {
        CCursors set;
        QRandomGenerator random(20240611);
        for (int i = 0; i < 2000; ++i) {
            set.SetLocked(random.bounded(10) == 0);
            const float delta = float(random.bounded(4000) - 2000);
            set.MoveBy(CursorByIndex(set, random.bounded(5)), delta);
            const tPositions positions = RawPositions(set);
            QVERIFY2(std::is_sorted(positions.begin(), positions.end()),
                qPrintable(QStringLiteral("move %1: %2").arg(i).arg(Describe(positions))));
        }
    }

    void stepping_data()
    {
        QTest::addColumn<float>("start");
        QTest::addColumn<bool>("right");
        QTest::addColumn<float>("first");
        QTest::addColumn<float>("second");

        // 2 m between samples.
        QTest::newRow("left from a sample") << 1000.0f << false << 998.0f << 996.0f;
        QTest::newRow("left from between samples") << 1001.0f << false << 1000.0f << 998.0f;
        QTest::newRow("right from between samples") << 1001.5f << true << 1002.0f << 1004.0f;
        QTest::newRow("right from beyond the trace") << 20000.0f << true << 10000.0f << 10000.0f;
    }

    void stepping()
    {
        QFETCH(float, start);
        QFETCH(bool, right);
        QFETCH(float, first);
        QFETCH(float, second);

        tMeasurePlot plot(Ramp(5000, 20000));
        CCursors& set = plot.Cursors();
        CCursors::CEditableCursor& marker = set.RightMarker();
        set.MoveTo(marker, start);

        for (float expected : { first, second }) {
            right ? set.StepRight(marker) : set.StepLeft(marker);
            QVERIFY2(std::abs(marker.fPosition - expected) < 0.01f, qPrintable(QString::number(marker.fPosition)));
        }
    }

    void newFilesBringTheLastCursorBack()
    {
        tGraphState geometry;
        geometry.Resize(QSize(800, 400));
        CCursors& set = *geometry.cursors;

        // Outside a measurement the right marker is the last cursor in use; it
        // comes back to 38 m and pushes the others before it.
        geometry.SetFiles(&m_short);
        for (const float position : { set.MaxDistance(), set.RightMarker().fPosition, set.LeftMarker().fPosition })
            QVERIFY(std::abs(position - 38.0f) < 0.001f);

        // While measuring it is the outer right cursor.
        set.MoveTo(set.OuterRight(), 3000);
        set.StartMeasure(CCursors::MeasureSplice);
        geometry.SetFiles(&m_long);
        geometry.SetFiles(&m_short);
        QVERIFY(std::abs(set.OuterRight().fPosition - 38.0f) < 0.001f);
    }

    // A measurement whose fit lies in the noise is refused with the reason
    // and stores nothing: below the file's noise floor, or scattering more
    // than the step it measures.
    void measurementInTheNoiseRefused()
    {
        tMeasurePlot plot(Ramp(5000, 20000));
        CCursors& set = plot.Cursors();
        plot.Place(6000, 6500, 7000, 7500, 8000);
        set.StartMeasure(CCursors::MeasureSplice);
        QCOMPARE(set.MeasurementRefusal(), QString());
        plot.Document().FixedParameters().noiseFloor = -10.0;
        QVERIFY(set.MeasurementRefusal().contains(QLatin1String("noise floor of the file (-10.00 dB)")));
        set.AddEvent(true);
        QVERIFY(plot.Document().KeyEvents().empty());

        std::vector<quint16> noise(5000);
        for (size_t i = 0; i < noise.size(); ++i)
            noise[i] = i % 2 ? 20000 : 30000;
        tMeasurePlot noisy(noise);
        noisy.Place(6000, 6500, 7000, 7500, 8000);
        noisy.Cursors().StartMeasure(CCursors::MeasureSplice);
        QVERIFY(noisy.Cursors().MeasurementRefusal().startsWith(QLatin1String("The trace scatters")));
        noisy.Cursors().AddEvent(true);
        QVERIFY(noisy.Document().KeyEvents().empty());
    }

    void spreadOverTheView()
    {
        // 10 km in view; markers apart inside it stay, the other three go
        // between them and the ends of the view.
        tMeasurePlot plot(Ramp(5000, 20000));
        CCursors& set = plot.Cursors();
        const auto near = [&set](const tPositions& expected) {
            const tPositions raw = RawPositions(set);
            for (size_t i = 0; i < expected.size(); ++i) {
                if (std::abs(raw[i] - expected[i]) > 0.01f)
                    return false;
            }
            return true;
        };
        // The trace's last sample is at 9998 m.
        set.SpreadOverView();
        QVERIFY2(near({ 500, 1000, 1500, 2000, 5999 }), qPrintable(Describe(RawPositions(set))));
        // Markers together at the start: all five spread over the view.
        set.MoveTo(set.RightMarker(), 0);
        set.MoveTo(set.LeftMarker(), 0);
        set.SpreadOverView();
        QVERIFY2(near({ 999.8f, 2999.4f, 4999, 6998.6f, 8998.2f }), qPrintable(Describe(RawPositions(set))));
    }

    void startMeasureClampsTheCentre()
    {
        tMeasurePlot plot(Ramp(5000, 20000));
        CCursors& set = plot.Cursors();
        plot.Place(500, 10200, 10500, 11000, 12000);

        // The centre comes back to the trace end and pushes the left marker; the right one stays.
        set.StartMeasure(CCursors::MeasureReflection);
        QVERIFY(std::abs(set.Centre().fPosition - 9998.0f) < 0.01f);
        QCOMPARE(set.LeftMarker().fPosition, set.Centre().fPosition);
        QCOMPARE(set.RightMarker().fPosition, 11000.0f);
    }

    void measurementActions()
    {
        tMeasurePlot plot(Ramp(5000, 20000));
        CGraphView view(&plot.geometry);
        QAction splice;
        QAction reflection;
        splice.setCheckable(true);
        reflection.setCheckable(true);
        view.SetSpliceAction(&splice);
        view.SetReflectionAction(&reflection);
        const CCursors& set = plot.Cursors();
        const sor::CFile& document = plot.Document();
        splice.setChecked(true);
        view.OnJunctionMeas();
        QVERIFY(set.IsMeasuring());
        QCOMPARE(set.MeasureKind(), quint32(CCursors::MeasureSplice));

        // The other action switches the kind.
        reflection.setChecked(true);
        view.OnReflectionMeas();
        QVERIFY(set.IsMeasuring());
        QVERIFY(!splice.isChecked());
        QCOMPARE(set.MeasureKind(), quint32(CCursors::MeasureReflection));

        // Its own action pressed again cancels it, and nothing is stored.
        reflection.setChecked(false);
        view.OnReflectionMeas();
        QVERIFY(!set.IsMeasuring());
        QVERIFY(document.KeyEvents().empty());

        splice.setChecked(true);
        view.OnJunctionMeas();
        QStringList order;
        connect(&view, &CGraphView::editingEnd, this, [&order] { order << QStringLiteral("end"); });
        connect(&view, &CGraphView::sigUpdate, this, [&order] { order << QStringLiteral("update"); });
        view.OnEndMeas();
        QVERIFY(!set.IsMeasuring());
        QVERIFY(!splice.isChecked());
        QVERIFY(!reflection.isChecked());
        QCOMPARE(order, (QStringList { QStringLiteral("end"), QStringLiteral("update") }));
        // "Add event" stored the splice at the centre cursor.
        QCOMPARE(document.KeyEvents().size(), size_t(1));
        QVERIFY(std::abs(document.TimeToDistance(document.KeyEvents().front().time) - set.Centre().Position()) < 0.01f);

        // Without a running measurement "Add event" stores nothing more.
        view.OnEndMeas();
        QCOMPARE(document.KeyEvents().size(), size_t(1));
    }

    void straightTrace()
    {
        // 1.5 dB/km: the slope in sample units per metre is dB per km.
        tMeasurePlot plot(Line(5000, 1000, 3));
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

    void stepGivesAGain()
    {
        // A line rising one unit per sample that drops 300 units at 3000 m: a gain.
        std::vector<quint16> samples = Line(5000, 5000, 1);
        for (size_t i = 1500; i < samples.size(); ++i)
            samples[i] = quint16(samples[i] - 300);
        tMeasurePlot plot(samples);
        CCursors& set = plot.Cursors();
        set.StartMeasure(CCursors::MeasureSplice);
        // Wherever the centre stands between the intervals, the lines are parallel.
        for (const float centre : { 2500.0f, 3000.0f, 3200.0f }) {
            plot.Place(1000, 2400, centre, 3500, 6000);
            QVERIFY2(std::abs(set.SpliceLoss() + 0.3f) < 1e-4, qPrintable(QString::number(set.SpliceLoss())));
        }
    }

    void attenuationNeedsAnInterval_data()
    {
        QTest::addColumn<bool>("measuring");
        QTest::addColumn<float>("width");
        QTest::addColumn<bool>("zero");

        // The limit is r/1000 = 0.002 m; both intervals span samples 500 and 501.
        QTest::newRow("markers closer than r/1000") << false << 0.0015f << true;
        QTest::newRow("outer left just beyond r/1000") << true << 0.0025f << false;
    }

    void attenuationNeedsAnInterval()
    {
        QFETCH(bool, measuring);
        QFETCH(float, width);
        QFETCH(bool, zero);

        tMeasurePlot plot(Line(5000, 1000, 4));
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

    void intervalsAtTheTraceEnds()
    {
        // 100 samples, the last at 198 m; the cursors stand before the start and beyond the end.
        std::vector<quint16> samples = Line(100, 3000, 2);
        for (size_t i = 50; i < samples.size(); ++i)
            samples[i] = quint16(samples[i] + 700);
        tMeasurePlot plot(samples);
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

    void reflectance_data()
    {
        QTest::addColumn<int>("peakAt");
        QTest::addColumn<double>("expected");

        // A flat trace, 100 ns and -80 dB, a 3 dB peak; centre at 1500 m, right marker at 2000 m.
        QTest::newRow("3 dB peak") << 1800 << -55.26;
        QTest::newRow("peak beyond the right marker") << 2100 << double(kNoPeak);
    }

    void reflectance()
    {
        QFETCH(int, peakAt);
        QFETCH(double, expected);

        tTrace trace { Line(5000, 10000, 0), 100, 800, {} };
        for (int i = peakAt / 2; i < peakAt / 2 + 3; ++i)
            trace.samples[size_t(i)] = 10000 - 3000;
        tMeasurePlot plot(trace);
        CCursors& set = plot.Cursors();
        set.StartMeasure(CCursors::MeasureReflection);
        plot.Place(500, 1000, 1500, 2000, 2500);
        QVERIFY2(std::abs(set.Reflectance() - expected) < 0.005, qPrintable(QString::number(set.Reflectance())));
    }

    void replaceOrAppend_data()
    {
        QTest::addColumn<double>("samples");
        QTest::addColumn<bool>("replaces");

        QTest::newRow("4.9 samples before") << -4.9 << true;
        QTest::newRow("5.0 samples after") << 5.0 << false;
    }

    void replaceOrAppend()
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
        sor::CFile& document = plot.Document();
        const float eventAt = document.TimeToDistance(document.KeyEvents().front().time);
        QSignalSpy changed(&document, &sor::CFile::sigFileChanged);

        CCursors& set = plot.Cursors();
        set.StartMeasure(CCursors::MeasureSplice);
        const double r = plot.Resolution();
        float centre = float(eventAt + samples * r);
        plot.Place(1000, 2000, centre, 4000, 6000);
        // At the boundary the centre is the first float at least five samples away.
        if (std::abs(samples) == 5.0) {
            while (std::abs(centre / r - eventAt / r) < 5.0)
                centre = std::nextafter(centre, samples > 0 ? 1e9f : 0.0f);
            QVERIFY(std::abs(centre - float(eventAt + samples * r)) < 1e-3f);
        }
        set.Centre().fPosition = centre;
        set.AddEvent(true);
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
        QVERIFY(std::abs(float(measured->loss)) < 1e-4f);
        if (replaces) {
            // In place of the old event, which keeps its comment and the rest of its code.
            QCOMPARE(measured->codeOrigin, quint32(1));
            QCOMPARE(measured->comment.Text(), QStringLiteral("Joint 7"));
            QCOMPARE(QByteArray(measured->codeRest.data(), 4), QByteArray("1234"));
        } else {
            const sor::tKeyEvent& other = events[measured == events.begin() ? 1 : 0];
            QCOMPARE(other.comment.Text(), QStringLiteral("Joint 7"));
            QCOMPARE(other.codeOrigin, quint32(3));
        }
    }

    void nothingToMeasureOn()
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
        plot.Cursors().StartMeasure(CCursors::MeasureReflection);
        QVERIFY(!plot.Cursors().AttenuationFits());
        QVERIFY(!plot.Cursors().MeasurementFits());
        plot.Cursors().AddEvent(true);
        QVERIFY(plot.Document().KeyEvents().empty());
        QVERIFY(!plot.Document().IsModified());
    }

private:
    QTemporaryDir m_dir;
    // 20 samples of 2 m: the cursors can reach 38 m.
    tFileSet m_short;
    tFileSet m_long;
};

QTEST_MAIN(TstCursors)
#include "tst_cursors.moc"
