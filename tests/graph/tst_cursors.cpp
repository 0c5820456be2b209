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

using TestTraces::Load;
using TestTraces::Ramp;

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

} // namespace

Q_DECLARE_METATYPE(tPositions)

class TstCursors : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void unlockedMoves_data();
    void unlockedMoves();
    void lockedMovesAreRigid();
    void chainNeverCrosses();
    void stepping_data();
    void stepping();
    void newFilesBringTheLastCursorBack();
    void startMeasureClampsTheCentre();

    void measurementActions();

private:
    QTemporaryDir m_dir;
    // 20 samples of 2 m: the cursors can reach 38 m.
    tFileSet m_short;
    // 5000 samples of 2 m.
    tFileSet m_long;
};

void TstCursors::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_short.push_back(Load(m_dir, Ramp(20, 3000)));
    m_long.push_back(Load(m_dir, Ramp(5000, 20000)));
    QVERIFY(m_short.back() && m_long.back());
}

void TstCursors::unlockedMoves_data()
{
    QTest::addColumn<int>("cursor");
    QTest::addColumn<float>("target");
    QTest::addColumn<tPositions>("expected");

    // From 500, 1000, 1500, 2000, 2500. A marker carries its outer cursor
    // along; whatever it reaches is pushed.
    QTest::newRow("left marker left") << 1 << 800.0f << tPositions { 300, 800, 1500, 2000, 2500 };
    QTest::newRow("left marker past the centre") << 1 << 1700.0f << tPositions { 1200, 1700, 1700, 2000, 2500 };
    QTest::newRow("left marker past the right marker") << 1 << 2200.0f << tPositions { 1700, 2200, 2200, 2200, 2700 };
    QTest::newRow("centre past the left marker") << 2 << 400.0f << tPositions { -100, 400, 400, 2000, 2500 };
    QTest::newRow("right marker past the centre") << 3 << 1000.0f << tPositions { 500, 1000, 1000, 1000, 1500 };
}

void TstCursors::unlockedMoves()
{
    QFETCH(int, cursor);
    QFETCH(float, target);
    QFETCH(tPositions, expected);

    CCursors set;
    set.MoveTo(CursorByIndex(set, cursor), target);
    QVERIFY2(RawPositions(set) == expected, qPrintable(Describe(RawPositions(set))));
}

void TstCursors::lockedMovesAreRigid()
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

void TstCursors::chainNeverCrosses()
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

void TstCursors::stepping_data()
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

void TstCursors::stepping()
{
    QFETCH(float, start);
    QFETCH(bool, right);
    QFETCH(float, first);
    QFETCH(float, second);

    tGraphState geometry;
    geometry.Resize(QSize(800, 400));
    geometry.SetFiles(&m_long);
    CCursors& set = *geometry.cursors;
    CCursors::CEditableCursor& marker = set.RightMarker();
    set.MoveTo(marker, start);

    for (float expected : { first, second }) {
        right ? set.StepRight(marker) : set.StepLeft(marker);
        QVERIFY2(std::abs(marker.fPosition - expected) < 0.01f, qPrintable(QString::number(marker.fPosition)));
    }
}

void TstCursors::newFilesBringTheLastCursorBack()
{
    tGraphState geometry;
    geometry.Resize(QSize(800, 400));
    CCursors& set = *geometry.cursors;

    // Outside a measurement the right marker is the last cursor in use; it
    // comes back to 38 m and pushes the others before it.
    geometry.SetFiles(&m_short);
    QVERIFY(std::abs(set.MaxDistance() - 38.0f) < 0.001f);
    QVERIFY(std::abs(set.RightMarker().fPosition - 38.0f) < 0.001f);
    QVERIFY(std::abs(set.Centre().fPosition - 38.0f) < 0.001f);
    QVERIFY(std::abs(set.LeftMarker().fPosition - 38.0f) < 0.001f);

    // While measuring it is the outer right cursor.
    set.MoveTo(set.OuterRight(), 3000);
    set.StartMeasure(CCursors::MeasureSplice);
    geometry.SetFiles(&m_long);
    geometry.SetFiles(&m_short);
    QVERIFY(std::abs(set.OuterRight().fPosition - 38.0f) < 0.001f);
}

void TstCursors::startMeasureClampsTheCentre()
{
    tGraphState geometry;
    geometry.Resize(QSize(800, 400));
    geometry.SetFiles(&m_long);
    CCursors& set = *geometry.cursors;
    set.MoveTo(set.OuterRight(), 12000);
    set.MoveTo(set.RightMarker(), 11000);
    set.MoveTo(set.Centre(), 10500);
    set.MoveTo(set.LeftMarker(), 10200);

    // The centre comes back to the end of the trace and pushes the left
    // marker; the right marker stays beyond.
    set.StartMeasure(CCursors::MeasureReflection);
    QVERIFY(set.IsMeasuring());
    QCOMPARE(set.MeasureKind(), quint32(CCursors::MeasureReflection));
    QVERIFY(std::abs(set.Centre().fPosition - 9998.0f) < 0.01f);
    QCOMPARE(set.LeftMarker().fPosition, set.Centre().fPosition);
    QCOMPARE(set.RightMarker().fPosition, 11000.0f);
}

void TstCursors::measurementActions()
{
    tGraphState geometry;
    CGraphView view(&geometry);
    geometry.Resize(QSize(800, 400));
    QAction splice;
    QAction reflection;
    splice.setCheckable(true);
    reflection.setCheckable(true);
    view.SetSpliceAction(&splice);
    view.SetReflectionAction(&reflection);
    const CCursors& set = *geometry.cursors;
    geometry.SetFiles(&m_long);
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
    const sor::CFile& document = *m_long.back()->file;
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

QTEST_MAIN(TstCursors)
#include "tst_cursors.moc"
