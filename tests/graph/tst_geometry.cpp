#include "CGraphPix.h"
#include "CGraphView.h"
#include "TestTraces.h"
#include "tGraphState.h"

#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

#include <cmath>

using TestTraces::Load;
using TestTraces::Ramp;

namespace {

// 25 000 samples of 2 m: a 50 km trace whose largest value is 30 dB.
constexpr int kLongCount = 25000;
constexpr quint16 kLongMax = 30000;
const QSize kView(1000, 500);

bool Near(double actual, double expected, double tolerance)
{
    return std::abs(actual - expected) <= tolerance;
}

} // namespace

class TstGeometry : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();

    void applyZoomFactor_data();
    void applyZoomFactor();
    void zoomStepsAndLimits();
    void shortTraceKeepsItsSmallZoom();
    void recomputeClampsTheCentre_data();
    void recomputeClampsTheCentre();
    void zoomKeepsThePointUnderThePointer_data();
    void zoomKeepsThePointUnderThePointer();
    void zoomToRect_data();
    void zoomToRect();
    void scrollTo();
    void pointsOfTheWholeExtentBecomeTheCentre();
    void setFilesRestoresTheSavedView();
    void degenerateSetsKeepTheLastState();
    void moveCursorToPixel_data();
    void moveCursorToPixel();

    void scrollBars_data();
    void scrollBars();
    void scrollBarsFollowAndDriveTheView();

private:
    // Shows `set` in `geometry` at the test view size.
    static void Show(tGraphState& geometry, const tFileSet& set, const QSize& view = kView);
    static void SetZoom(tGraphState& geometry, float xZoom, float yZoom);

    QTemporaryDir m_dir;
    tFileSet m_long;
};

void TstGeometry::initTestCase()
{
    QVERIFY(m_dir.isValid());
    m_long.push_back(Load(m_dir, Ramp(kLongCount, kLongMax)));
    QVERIFY(m_long.back() && m_long.back()->file);
    QVERIFY(Near(m_long.back()->file->Resolution(), TestTraces::kResolution, 1e-6));
}

void TstGeometry::Show(tGraphState& geometry, const tFileSet& set, const QSize& view)
{
    geometry.Resize(view);
    geometry.SetFiles(&set);
}

void TstGeometry::SetZoom(tGraphState& geometry, float xZoom, float yZoom)
{
    geometry.xZoom = xZoom;
    geometry.yZoom = yZoom;
    geometry.Recompute();
}

void TstGeometry::applyZoomFactor_data()
{
    QTest::addColumn<float>("zoom");
    QTest::addColumn<float>("factor");
    QTest::addColumn<float>("maximum");
    QTest::addColumn<float>("expected");
    QTest::addColumn<bool>("changed");

    QTest::newRow("in, inside the range") << 1.0f << 4.0f / 3 << 10.0f << 4.0f / 3 << true;
    QTest::newRow("in, beyond the maximum") << 9.0f << 4.0f / 3 << 10.0f << 10.0f << true;
    QTest::newRow("in, at the maximum") << 10.0f << 4.0f / 3 << 10.0f << 10.0f << false;
    QTest::newRow("out, below 1") << 1.2f << 0.75f << 10.0f << 1.0f << true;
    QTest::newRow("maximum 1.1 from 1") << 1.0f << 4.0f / 3 << 1.1f << 1.1f << true;
    QTest::newRow("maximum 1.1 from above 1") << 1.1f << 4.0f / 3 << 1.1f << 1.0f << true;
    QTest::newRow("factor 1 changes nothing") << 2.0f << 1.0f << 10.0f << 2.0f << false;
    QTest::newRow("no extent") << 1.0f << 4.0f / 3 << 0.0f << 1.0f << false;
}

void TstGeometry::applyZoomFactor()
{
    QFETCH(float, zoom);
    QFETCH(float, factor);
    QFETCH(float, maximum);
    QFETCH(float, expected);
    QFETCH(bool, changed);

    QCOMPARE(tGraphState::ApplyZoomFactor(zoom, factor, maximum), changed);
    QCOMPARE(zoom, expected);
}

void TstGeometry::zoomStepsAndLimits()
{
    tGraphState geometry;
    Show(geometry, m_long);
    const QPoint middle(500, 250);
    QVERIFY(!geometry.Zoom(kView, middle, -1, false, true));
    QCOMPARE(geometry.xZoom, 1.0f);
    for (int i = 0; i < 3; ++i)
        QVERIFY(geometry.Zoom(kView, middle, 1, true, true));
    QVERIFY(Near(geometry.xZoom, 64.0 / 27, 1e-5));
    QCOMPARE(geometry.yZoom, 1.0f);

    // 50 km and 30 dB allow 1000 and 30: at most 50 m and 1 dB per view.
    QVERIFY(Near(geometry.MaxZoomX(), 1000, 1e-3));
    QVERIFY(Near(geometry.MaxZoomY(), 30, 1e-6));
    int steps = 0;
    while (geometry.Zoom(kView, middle, 3, false, true))
        QVERIFY(++steps < 100);
    QCOMPARE(geometry.xZoom, geometry.MaxZoomX());
    QCOMPARE(geometry.yZoom, geometry.MaxZoomY());
    QVERIFY(Near(geometry.VisibleData().width(), 50, 0.1));
    QVERIFY(Near(geometry.VisibleData().height(), 1000, 1));
}

void TstGeometry::shortTraceKeepsItsSmallZoom()
{
    // 20 samples of 2 m: 40 m, less than the 50 m the largest zoom shows.
    tFileSet set { Load(m_dir, Ramp(20, 5000)) };
    tGraphState geometry;
    Show(geometry, set);
    QVERIFY(Near(geometry.MaxZoomX(), 0.8, 1e-6));

    QVERIFY(geometry.Zoom(kView, QPoint(500, 250), 1, true, true));
    QCOMPARE(geometry.xZoom, geometry.MaxZoomX());
    QVERIFY(!geometry.Zoom(kView, QPoint(500, 250), 1, true, true));
    QVERIFY(!geometry.Zoom(kView, QPoint(500, 250), -1, true, true));
    QCOMPARE(geometry.xZoom, geometry.MaxZoomX());

    geometry.ZoomReset();
    QCOMPARE(geometry.xZoom, 1.0f);
}

void TstGeometry::recomputeClampsTheCentre_data()
{
    QTest::addColumn<float>("zoom");
    QTest::addColumn<QPointF>("centre");
    QTest::addColumn<QPointF>("clamped");
    QTest::addColumn<QPoint>("topLeft");

    // At zoom 2 the view shows 25 km and 15 dB of the 50 km x 30 dB extent.
    QTest::newRow("before the start") << 2.0f << QPointF(-1000, -1000) << QPointF(12500, 7500) << QPoint(0, 0);
    QTest::newRow("past the end") << 2.0f << QPointF(1e6, 1e6) << QPointF(37500, 22500) << QPoint(1000, 500);
    QTest::newRow("inside") << 2.0f << QPointF(20000, 10000) << QPointF(20000, 10000) << QPoint(300, 83);
    QTest::newRow("zoom 1") << 1.0f << QPointF(100, 29000) << QPointF(25000, 15000) << QPoint(0, 0);
}

void TstGeometry::recomputeClampsTheCentre()
{
    QFETCH(float, zoom);
    QFETCH(QPointF, centre);
    QFETCH(QPointF, clamped);
    QFETCH(QPoint, topLeft);

    tGraphState geometry;
    Show(geometry, m_long);
    geometry.centre = centre;
    SetZoom(geometry, zoom, zoom);

    QCOMPARE(geometry.virtualSize, QSize(int(1000 * zoom), int(500 * zoom)));
    QVERIFY2(Near(geometry.centre.x(), clamped.x(), 0.1) && Near(geometry.centre.y(), clamped.y(), 0.1),
        qPrintable(QStringLiteral("centre %1, %2").arg(geometry.centre.x()).arg(geometry.centre.y())));
    QCOMPARE(geometry.view, QRect(topLeft, kView));
}

void TstGeometry::zoomKeepsThePointUnderThePointer_data()
{
    QTest::addColumn<float>("zoom");
    QTest::addColumn<int>("scroll");
    QTest::addColumn<int>("step");
    QTest::addColumn<bool>("xOnly");

    QTest::newRow("in from 1") << 1.0f << 0 << 1 << false;
    QTest::newRow("in from 4") << 4.0f << 1000 << 1 << false;
    QTest::newRow("out from 4") << 4.0f << 1000 << -1 << false;
    QTest::newRow("three notches in, x only") << 4.0f << 2500 << 3 << true;
}

void TstGeometry::zoomKeepsThePointUnderThePointer()
{
    QFETCH(float, zoom);
    QFETCH(int, scroll);
    QFETCH(int, step);
    QFETCH(bool, xOnly);

    tGraphState geometry;
    Show(geometry, m_long);
    SetZoom(geometry, zoom, zoom);
    geometry.ScrollTo(QPoint(scroll, scroll / 2));
    QCOMPARE(geometry.view.topLeft(), QPoint(scroll, scroll / 2));

    const QPoint pointer(800, 200);
    const QPointF before(
        (geometry.view.left() + pointer.x()) * geometry.xScale, (geometry.view.top() + pointer.y()) * geometry.yScale);
    QVERIFY(geometry.Zoom(kView, pointer, step, xOnly, true));
    const QPointF after(
        (geometry.view.left() + pointer.x()) * geometry.xScale, (geometry.view.top() + pointer.y()) * geometry.yScale);
    // The view moves in whole pixels: the point stays within one of them.
    QVERIFY2(Near(after.x(), before.x(), geometry.xScale) && Near(after.y(), before.y(), geometry.yScale),
        qPrintable(
            QStringLiteral("%1, %2 became %3, %4").arg(before.x()).arg(before.y()).arg(after.x()).arg(after.y())));
}

void TstGeometry::zoomToRect_data()
{
    QTest::addColumn<float>("zoom");
    QTest::addColumn<QRect>("rect");
    QTest::addColumn<float>("xZoom");
    QTest::addColumn<float>("yZoom");
    QTest::addColumn<double>("centreX");

    QTest::newRow("half width at 1") << 1.0f << QRect(100, 0, 500, 500) << 2.0f << 1.0f << 17500.0;
    QTest::newRow("half width at 2") << 2.0f << QRect(0, 0, 500, 500) << 4.0f << 2.0f << 18750.0;
    QTest::newRow("quarter of both") << 1.0f << QRect(375, 187, 250, 125) << 4.0f << 4.0f << 25000.0;
    QTest::newRow("smaller than the limits") << 1.0f << QRect(500, 250, 1, 1) << 1000.0f << 30.0f << 25025.0;
}

void TstGeometry::zoomToRect()
{
    QFETCH(float, zoom);
    QFETCH(QRect, rect);
    QFETCH(float, xZoom);
    QFETCH(float, yZoom);
    QFETCH(double, centreX);

    tGraphState geometry;
    Show(geometry, m_long);
    SetZoom(geometry, zoom, zoom);

    geometry.ZoomToRect(rect);
    QVERIFY(Near(geometry.xZoom, xZoom, 1e-3));
    QVERIFY(Near(geometry.yZoom, yZoom, 1e-3));
    QVERIFY2(Near(geometry.centre.x(), centreX, 0.5), qPrintable(QString::number(geometry.centre.x())));

    const QRect before = geometry.view;
    geometry.ZoomToRect(QRect(10, 10, 0, 0));
    QCOMPARE(geometry.view, before);
}

void TstGeometry::scrollTo()
{
    tGraphState geometry;
    Show(geometry, m_long);
    // At zoom 2 the canvas is 2000 x 1000 behind the 1000 x 500 view.
    SetZoom(geometry, 2, 2);
    geometry.ScrollTo(QPoint(300, 100));
    QCOMPARE(geometry.view.topLeft(), QPoint(300, 100));
    geometry.ScrollTo(QPoint(5000, 5000));
    QCOMPARE(geometry.view.topLeft(), QPoint(1000, 500));
    QVERIFY(Near(geometry.VisibleData().right(), geometry.extent.width(), geometry.xScale));
    geometry.ScrollTo(QPoint(-20, -20));
    QCOMPARE(geometry.view.topLeft(), QPoint(0, 0));
}

void TstGeometry::pointsOfTheWholeExtentBecomeTheCentre()
{
    tGraphState geometry;
    Show(geometry, m_long);
    SetZoom(geometry, 4, 4);

    // A 200 x 100 picture of the whole extent (the overview).
    geometry.CentreOn(QSize(200, 100), QPoint(60, 50));
    QVERIFY(Near(geometry.centre.x(), 15000, 0.1));
    QVERIFY(Near(geometry.centre.y(), 15000, 0.1));
    QVERIFY(Near(geometry.VisibleData().center().x(), 15000, geometry.xScale));
    // Near a corner the window stays inside the extent.
    geometry.CentreOn(QSize(200, 100), QPoint(0, 100));
    QCOMPARE(geometry.view.topLeft(), QPoint(0, 1500));
    // Without a size, a picture of the view's size.
    geometry.CentreOn(QPoint(500, 250));
    QVERIFY(Near(geometry.centre.x(), 25000, 0.1));

    // Zooming there without keeping a point centres on it.
    SetZoom(geometry, 2, 2);
    QVERIFY(geometry.Zoom(QSize(200, 100), QPoint(50, 50), 1, false, false));
    QVERIFY(Near(geometry.centre.x(), 12500, 0.1));
    QVERIFY(Near(geometry.centre.y(), 15000, 0.1));
}

void TstGeometry::setFilesRestoresTheSavedView()
{
    tFileSet set { Load(m_dir, Ramp(5000, 9000)), Load(m_dir, Ramp(kLongCount, 20000)) };
    set.front()->fZoomX = 4;
    set.front()->fZoomY = 2;
    set.front()->nCentreX = 10000;
    set.front()->nCentreY = 9000;

    tGraphState geometry;
    Show(geometry, set);
    // The extent spans the longest trace and the largest value of any.
    QVERIFY(Near(geometry.extent.width(), 50000, 0.1));
    QCOMPARE(geometry.extent.height(), 20000.0);
    QCOMPARE(geometry.xZoom, 4.0f);
    QCOMPARE(geometry.yZoom, 2.0f);
    QVERIFY(Near(geometry.centre.x(), 10000, 1e-3));
    QVERIFY(Near(geometry.centre.y(), 9000, 1e-3));
    QCOMPARE(geometry.Active(), set.back()->file);

    const tFileSet empty;
    geometry.SetFiles(&empty);
    QVERIFY(!geometry.IsValid());
    QVERIFY(geometry.Active().isNull());
    QCOMPARE(geometry.xZoom, 1.0f);
    QCOMPARE(geometry.yZoom, 1.0f);
    QVERIFY(!geometry.Zoom(kView, QPoint(10, 10), 1, false, true));
}

void TstGeometry::degenerateSetsKeepTheLastState()
{
    tGraphState geometry;
    Show(geometry, m_long);
    SetZoom(geometry, 2, 1);
    const float xScale = geometry.xScale;
    const QRect view = geometry.view;

    // A flat trace at 0 has no height to scale.
    tFileSet flat { Load(m_dir, std::vector<quint16>(100, 0)) };
    geometry.SetFiles(&flat);
    QCOMPARE(geometry.extent.height(), 0.0);
    QCOMPARE(geometry.xScale, xScale);
    QCOMPARE(geometry.view, view);
    QVERIFY(!geometry.Zoom(kView, QPoint(10, 10), 1, false, true));
    geometry.ZoomToRect(QRect(0, 0, 100, 100));
    geometry.ScrollTo(QPoint(100, 100));
    QCOMPARE(geometry.view, view);

    // A single sample: no distance between samples to move a cursor in.
    tFileSet single { Load(m_dir, { 4000 }) };
    geometry.SetFiles(&single);
    QVERIFY(geometry.IsValid());
    QVERIFY(Near(geometry.xScale, TestTraces::kResolution / 1000, 1e-6));
    QCOMPARE(geometry.cursors->MaxDistance(), 0.0f);
    geometry.MoveCursorToPixel(geometry.cursors->LeftMarker(), 700, 0);
    QCOMPARE(geometry.cursors->LeftMarker().Position(), 0.0f);
    QVERIFY(geometry.Zoom(kView, QPoint(500, 250), 1, true, true));
    QVERIFY(geometry.virtualSize.width() > 0);

    // A plot with no area.
    geometry.SetFiles(&m_long);
    geometry.Resize(QSize(0, 0));
    QVERIFY(!geometry.IsValid());
    QVERIFY(!geometry.Zoom(QSize(0, 0), QPoint(0, 0), 1, false, true));
    const float before = geometry.cursors->LeftMarker().fPosition;
    geometry.MoveCursorToPixel(geometry.cursors->LeftMarker(), 10, 0);
    QCOMPARE(geometry.cursors->LeftMarker().fPosition, before);
}

void TstGeometry::moveCursorToPixel_data()
{
    QTest::addColumn<float>("zoom");
    QTest::addColumn<int>("scroll");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("grab");
    QTest::addColumn<double>("expected");

    // 5000 samples of 2 m in a 1000-pixel view: 10 m per pixel at zoom 1.
    QTest::newRow("inside") << 1.0f << 0 << 50 << 0 << 500.0;
    QTest::newRow("with a grab offset") << 1.0f << 0 << 40 << 10 << 500.0;
    QTest::newRow("zoomed and scrolled") << 2.0f << 300 << 50 << 0 << 1750.0;
    QTest::newRow("just past the end") << 1.0f << 0 << 1001 << 0 << 9998.0;
    QTest::newRow("beyond the end") << 1.0f << 0 << 5000 << 0 << 9998.0;
    QTest::newRow("before the start") << 1.0f << 0 << -100 << 0 << 0.0;
}

void TstGeometry::moveCursorToPixel()
{
    QFETCH(float, zoom);
    QFETCH(int, scroll);
    QFETCH(int, x);
    QFETCH(int, grab);
    QFETCH(double, expected);

    tFileSet set { Load(m_dir, Ramp(5000, 20000)) };
    tGraphState geometry;
    Show(geometry, set);
    SetZoom(geometry, zoom, 1);
    geometry.ScrollTo(QPoint(scroll, 0));

    CCursors::CEditableCursor& marker = geometry.cursors->LeftMarker();
    geometry.MoveCursorToPixel(marker, x, grab);
    QVERIFY2(Near(marker.fPosition, expected, 0.01), qPrintable(QString::number(marker.fPosition)));
}

void TstGeometry::scrollBars_data()
{
    QTest::addColumn<float>("xZoom");
    QTest::addColumn<float>("yZoom");
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<bool>("vertical");

    QTest::newRow("zoom 1") << 1.0f << 1.0f << false << false;
    QTest::newRow("x 1.0005 is still the whole extent") << 1.0005f << 1.0f << false << false;
    QTest::newRow("x 1.0015") << 1.0015f << 1.0f << true << false;
    QTest::newRow("y 1.0015") << 1.0f << 1.0015f << false << true;
    QTest::newRow("both 3") << 3.0f << 3.0f << true << true;
}

void TstGeometry::scrollBars()
{
    QFETCH(float, xZoom);
    QFETCH(float, yZoom);
    QFETCH(bool, horizontal);
    QFETCH(bool, vertical);

    tGraphState geometry;
    CGraphView view(&geometry);
    view.resize(800, 600);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    Show(geometry, m_long, view.Pix()->size());
    geometry.centre = QPointF(30000, 20000);
    SetZoom(geometry, xZoom, yZoom);

    view.UpdateScrolls();
    QScrollBar* h = view.HorizontalScrollBar();
    QScrollBar* v = view.VerticalScrollBar();
    QCOMPARE(!h->isHidden(), horizontal);
    QCOMPARE(!v->isHidden(), vertical);
    QCOMPARE(h->pageStep(), view.Pix()->width());
    QCOMPARE(h->maximum(), geometry.virtualSize.width() - view.Pix()->width());
    QCOMPARE(h->value(), geometry.view.left());
    QCOMPARE(v->pageStep(), view.Pix()->height());
    QCOMPARE(v->maximum(), geometry.virtualSize.height() - view.Pix()->height());
    QCOMPARE(v->value(), geometry.view.top());

    const tFileSet empty;
    geometry.SetFiles(&empty);
    view.UpdateScrolls();
    QVERIFY(h->isHidden());
    QVERIFY(v->isHidden());
}

void TstGeometry::scrollBarsFollowAndDriveTheView()
{
    tGraphState geometry;
    CGraphView view(&geometry);
    view.resize(800, 600);
    view.show();
    QVERIFY(QTest::qWaitForWindowExposed(&view));
    Show(geometry, m_long, view.Pix()->size());
    SetZoom(geometry, 4, 1);
    view.UpdateScrolls();
    QScrollBar* h = view.HorizontalScrollBar();

    h->setValue(1500);
    QCOMPARE(geometry.view.left(), 1500);
    view.OnMoveRight();
    QCOMPARE(h->value(), 1500 + h->pageStep() / 4);
    QCOMPARE(geometry.view.left(), h->value());
    view.OnMoveLeft();
    view.OnMoveLeft();
    QCOMPARE(geometry.view.left(), 1500 - h->pageStep() / 4);

    // Adjusting the bars to a smaller canvas clamps their values on the way;
    // the plot is neither scrolled nor redrawn for each of those steps.
    h->setValue(h->maximum());
    geometry.centre = QPointF(20000, geometry.centre.y());
    SetZoom(geometry, 2, 1);
    const QRect shown = geometry.view;
    QSignalSpy updates(&view, &CGraphView::sigUpdate);
    view.UpdateScrolls();
    QCOMPARE(updates.count(), 1);
    QCOMPARE(geometry.view, shown);
    QCOMPARE(h->value(), shown.left());
}

QTEST_MAIN(TstGeometry)
#include "tst_geometry.moc"
