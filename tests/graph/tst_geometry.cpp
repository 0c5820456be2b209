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

    void zoomStepsAndLimits();
    void shortTraceKeepsItsSmallZoom();
    void degenerateSetsKeepTheLastState();

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

void TstGeometry::zoomStepsAndLimits()
{
    tGraphState geometry;
    Show(geometry, m_long);
    const QPoint middle(500, 250);
    QVERIFY(!geometry.Zoom(kView, middle, -1, false, true));
    QCOMPARE(geometry.xZoom, 1.0f);

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

    // A rectangle smaller than that zooms to the limits; an empty one changes nothing.
    geometry.ZoomReset();
    geometry.ZoomToRect(QRect(500, 250, 1, 1));
    QCOMPARE(geometry.xZoom, geometry.MaxZoomX());
    QCOMPARE(geometry.yZoom, geometry.MaxZoomY());
    QVERIFY2(Near(geometry.centre.x(), 25025, 0.5), qPrintable(QString::number(geometry.centre.x())));
    const QRect before = geometry.view;
    geometry.ZoomToRect(QRect(10, 10, 0, 0));
    QCOMPARE(geometry.view, before);
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

void TstGeometry::scrollBars_data()
{
    QTest::addColumn<float>("xZoom");
    QTest::addColumn<float>("yZoom");
    QTest::addColumn<bool>("horizontal");
    QTest::addColumn<bool>("vertical");

    QTest::newRow("x 1.0005 is still the whole extent") << 1.0005f << 1.0f << false << false;
    QTest::newRow("x 1.0015") << 1.0015f << 1.0f << true << false;
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
