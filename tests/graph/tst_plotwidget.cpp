#include "CGraphPix.h"
#include "CGraphView.h"
#include "CPreviewFrame.h"
#include "Preview.h"
#include "TestTraces.h"
#include "tGraphState.h"

#include <QApplication>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QToolTip>
#include <QWheelEvent>

#include <cmath>
#include <memory>

using TestTraces::Load;
using TestTraces::Ramp;

namespace {

// 25 000 samples of 2 m: a 50 km trace whose largest value is 30 dB.
constexpr int kLongCount = 25000;
constexpr quint16 kLongMax = 30000;
const QSize kView(1000, 500);

void Wheel(QWidget* widget, const QPoint& point, int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
{
    QWheelEvent event(point, widget->mapToGlobal(point), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
        Qt::NoScrollPhase, false);
    QApplication::sendEvent(widget, &event);
}

bool Near(double a, double b, double tolerance)
{
    return std::abs(a - b) <= tolerance;
}

void Show(tGraphState& geometry, const tFileSet& set, const QSize& view = kView)
{
    geometry.Resize(view);
    geometry.SetFiles(&set);
}

void SetZoom(tGraphState& geometry, float xZoom, float yZoom)
{
    geometry.xZoom = xZoom;
    geometry.yZoom = yZoom;
    geometry.Recompute();
}

// A 10 km trace (5000 samples of 2 m) rising to 20 dB on a shown 600 x 400 px plot:
// 16.7 m per pixel, markers at 1000 m (x = 60) and 2000 m (x = 120).
class tWidgetPlot
{
public:
    tWidgetPlot()
    {
        files.push_back(Load(dir, Ramp(5000, 20000)));
        geometry.SetFiles(&files);
        pix = std::make_unique<CGraphPix>(&geometry);
        pix->resize(600, 400);
        pix->show();
        QVERIFY(QTest::qWaitForWindowExposed(pix.get()));
    }

    int PixelOf(float metres) const { return qRound(metres / geometry.xScale - geometry.view.left()); }
    QPointF DataAt(const QPoint& point) const
    {
        return QPointF((geometry.view.left() + point.x()) * double(geometry.xScale),
            geometry.extentTop + (geometry.view.top() + point.y()) * double(geometry.yScale));
    }
    void Drag(const QPoint& from, const QPoint& to, Qt::KeyboardModifiers modifiers = Qt::NoModifier,
        const QPoint& via = QPoint(-1, -1))
    {
        QTest::mousePress(pix.get(), Qt::LeftButton, modifiers, from);
        QTest::mouseMove(pix.get(), via.x() < 0 ? (from + to) / 2 : via);
        QTest::mouseMove(pix.get(), to);
        QTest::mouseRelease(pix.get(), Qt::LeftButton, modifiers, to);
    }

    QTemporaryDir dir;
    tFileSet files;
    tGraphState geometry;
    std::unique_ptr<CGraphPix> pix;
};

// The same trace in a 600 x 300 px plot; the 300 x 150 px overview's pixel is 33.3 m and 133.3 units.
class tOverview
{
public:
    tOverview()
    {
        files.push_back(Load(dir, Ramp(5000, 20000)));
        geometry.SetFiles(&files);
        plot.resize(600, 300);
        geometry.Resize(plot.size());
        frame = std::make_unique<CPreviewFrame>(&geometry, &plot);
        frame->resize(300, 150);
        frame->show();
        preview = frame->GetPreview();
        QVERIFY(QTest::qWaitForWindowExposed(frame.get()));
    }

    // Zooms 3 x 3 at the middle: the red rectangle is (100, 50, 100, 50).
    void ZoomThree()
    {
        geometry.centre = QPointF(geometry.extent.width() / 2, geometry.extent.height() / 2);
        SetZoom(geometry, 3, 3);
    }
    // Red pixels beside the left marker's red line (1000 m, x = 30).
    int RedPixels() const
    {
        const QImage image = preview->grab().toImage();
        int count = 0;
        for (int y = 0; y < image.height(); ++y)
            for (int x = 0; x < image.width(); ++x)
                count += x != 30 && image.pixel(x, y) == qRgb(255, 0, 0) ? 1 : 0;
        return count;
    }

    QTemporaryDir dir;
    tFileSet files;
    tGraphState geometry;
    QWidget plot;
    std::unique_ptr<CPreviewFrame> frame;
    Preview* preview = nullptr;
};

// A shown plot with scroll bars, of 800 x 600 px, showing `set`.
struct tScrolledView
{
    explicit tScrolledView(const tFileSet& set)
    {
        view.resize(800, 600);
        view.show();
        QVERIFY(QTest::qWaitForWindowExposed(&view));
        Show(geometry, set, view.Pix()->size());
    }
    tGraphState geometry;
    CGraphView view { &geometry };
};

} // namespace

class TstPlotWidget : public QObject
{
    Q_OBJECT

private slots:
    void dragCursor_data()
    {
        QTest::addColumn<bool>("right");
        QTest::addColumn<int>("toX");
        QTest::addColumn<double>("expected");

        QTest::newRow("right marker past the end (last sample)") << true << 900 << 9998.0;
        // Grabbed a pixel right of its line, the marker ends a pixel left of the pointer.
        QTest::newRow("right marker inside") << true << 300 << 299 * 10000.0 / 600;
        QTest::newRow("left marker before the start") << false << -250 << 0.0;
    }

    void dragCursor()
    {
        QFETCH(bool, right);
        QFETCH(int, toX);
        QFETCH(double, expected);

        tWidgetPlot plot;
        CCursors& cursors = *plot.geometry.cursors;
        CCursors::CEditableCursor& cursor = right ? cursors.RightMarker() : cursors.LeftMarker();
        QSignalSpy updates(plot.pix.get(), &CGraphPix::sigUpdate);

        // Grabbed one pixel beside the line.
        const int fromX = plot.PixelOf(cursor.fPosition) + 1;
        plot.Drag(QPoint(fromX, 200), QPoint(toX, 200));
        QVERIFY2(std::abs(cursor.fPosition - expected) < 0.05, qPrintable(QString::number(double(cursor.fPosition))));
        QVERIFY(updates.count() >= 2);
        QCOMPARE(plot.geometry.xZoom, 1.0f);
    }

    void controlDrag_data()
    {
        QTest::addColumn<QPoint>("from");
        QTest::addColumn<QPoint>("via");
        QTest::addColumn<QPoint>("to");
        QTest::addColumn<bool>("zooms");

        QTest::newRow("ends where it started") << QPoint(300, 200) << QPoint(450, 300) << QPoint(300, 200) << false;
        QTest::newRow("a rectangle") << QPoint(300, 100) << QPoint(400, 200) << QPoint(450, 300) << true;
        QTest::newRow("drawn backwards") << QPoint(450, 300) << QPoint(400, 200) << QPoint(300, 100) << true;
    }

    void controlDrag()
    {
        QFETCH(QPoint, from);
        QFETCH(QPoint, via);
        QFETCH(QPoint, to);
        QFETCH(bool, zooms);

        tWidgetPlot plot;
        const QPointF centre = plot.geometry.centre;
        plot.Drag(from, to, Qt::ControlModifier, via);
        if (!zooms) {
            QCOMPARE(plot.geometry.xZoom * plot.geometry.yZoom, 1.0f);
            QCOMPARE(plot.geometry.centre, centre);
            return;
        }
        // The 151 x 201 px rectangle, whichever way it was drawn, fills the view.
        QVERIFY(std::abs(plot.geometry.xZoom - 600.0f / 151) < 0.01f);
        QVERIFY(std::abs(plot.geometry.yZoom - 400.0f / 201) < 0.01f);
        const QPointF middle = plot.DataAt(QPoint(300, 200));
        QVERIFY(std::abs(middle.x() - 375.5 * 10000.0 / 600) < 2 * plot.geometry.xScale);
        QVERIFY(std::abs(middle.y() - 200.5 * plot.geometry.extent.height() / 400) < 2 * plot.geometry.yScale);
    }

    void markerStopsAtTheOther()
    {
        // The left marker (x = 60) dragged past the right one (x = 120) stops there.
        tWidgetPlot plot;
        plot.Drag(QPoint(60, 200), QPoint(300, 200));
        QCOMPARE(plot.geometry.cursors->RightMarker().fPosition, 2000.0f);
        QCOMPARE(plot.geometry.cursors->LeftMarker().fPosition, 2000.0f);
        plot.Drag(QPoint(120, 200), QPoint(10, 200));
        QCOMPARE(plot.geometry.cursors->LeftMarker().fPosition, 2000.0f);
    }

    void controlDragFromAMarkerZooms()
    {
        // Started on the left marker (x = 60), Control still draws a rectangle.
        tWidgetPlot plot;
        plot.Drag(QPoint(60, 100), QPoint(260, 300), Qt::ControlModifier);
        QCOMPARE(plot.geometry.cursors->LeftMarker().fPosition, 1000.0f);
        QVERIFY(plot.geometry.xZoom > 2.9f && plot.geometry.yZoom > 1.9f);
    }

    void rubberBandInInverseColour()
    {
        tWidgetPlot plot;
        const QColor background = plot.geometry.background;
        const QRgb inverse = qRgb(255 - background.red(), 255 - background.green(), 255 - background.blue());
        const auto countInverse = [&] {
            const QImage image = plot.pix->grab().toImage();
            int count = 0;
            for (int x = 300; x <= 500; ++x)
                count += image.pixel(x, 100) == inverse ? 1 : 0;
            return count;
        };

        QTest::mousePress(plot.pix.get(), Qt::LeftButton, Qt::ControlModifier, QPoint(300, 100));
        QTest::mouseMove(plot.pix.get(), QPoint(500, 250));
        QVERIFY(countInverse() > 100);
        QTest::mouseRelease(plot.pix.get(), Qt::LeftButton, Qt::ControlModifier, QPoint(500, 250));
        QCOMPARE(countInverse(), 0);
    }

    void panOnlyWhenZoomed()
    {
        tWidgetPlot plot;
        const QRect view = plot.geometry.view;
        const QPointF centre = plot.geometry.centre;
        plot.Drag(QPoint(300, 200), QPoint(200, 150));
        QCOMPARE(plot.geometry.view, view);
        QCOMPARE(plot.geometry.centre, centre);
        QCOMPARE(plot.pix->cursor().shape(), Qt::ArrowCursor);

        Wheel(plot.pix.get(), QPoint(300, 200), 2 * 120);
        QVERIFY(plot.geometry.xZoom > 1.001f);
        const QPoint topLeft = plot.geometry.view.topLeft();
        // Dragging the picture left and up scrolls right and down.
        plot.Drag(QPoint(300, 200), QPoint(200, 150));
        QCOMPARE(plot.geometry.view.topLeft(), topLeft + QPoint(100, 50));
    }

    void wheelZoomsAtThePointer_data()
    {
        QTest::addColumn<QPoint>("point");
        QTest::addColumn<bool>("control");
        QTest::addColumn<int>("delta");

        QTest::newRow("in, x only") << QPoint(450, 100) << true << 120;
        QTest::newRow("three notches in") << QPoint(150, 350) << false << 360;
    }

    void wheelZoomsAtThePointer()
    {
        QFETCH(QPoint, point);
        QFETCH(bool, control);
        QFETCH(int, delta);

        tWidgetPlot plot;
        QSignalSpy updates(plot.pix.get(), &CGraphPix::sigUpdate);
        const QPointF before = plot.DataAt(point);

        Wheel(plot.pix.get(), point, delta, control ? Qt::ControlModifier : Qt::NoModifier);
        const float expected = tGraphState::ZoomFactor(delta / 120);
        QVERIFY(std::abs(plot.geometry.xZoom - expected) < 1e-4f);
        QCOMPARE(plot.geometry.yZoom, control ? 1.0f : expected);
        QCOMPARE(updates.count(), 1);

        // The data point under the pointer stays under it, to a pixel.
        const QPointF after = plot.DataAt(point);
        QVERIFY(Near(after.x(), before.x(), plot.geometry.xScale));
        QVERIFY(Near(after.y(), before.y(), plot.geometry.yScale));
    }

    void doubleClickResetsTheZoom()
    {
        tWidgetPlot plot;
        Wheel(plot.pix.get(), QPoint(500, 300), 3 * 120);
        QVERIFY(plot.geometry.xZoom > 1.5f);
        QSignalSpy updates(plot.pix.get(), &CGraphPix::sigUpdate);

        // A double click ends with the button's release.
        QTest::mouseDClick(plot.pix.get(), Qt::LeftButton, Qt::NoModifier, QPoint(400, 50));
        QTest::mouseRelease(plot.pix.get(), Qt::LeftButton, Qt::NoModifier, QPoint(400, 50));
        QCOMPARE(plot.geometry.xZoom * plot.geometry.yZoom, 1.0f);
        QCOMPARE(plot.geometry.view.topLeft(), QPoint(0, 0));
        QVERIFY(updates.count() >= 1);
    }

    void tooltipOverACursor()
    {
        tWidgetPlot plot;
        QTest::mouseMove(plot.pix.get(), QPoint(plot.PixelOf(1000), 300));
        QCOMPARE(plot.pix->cursor().shape(), Qt::SizeHorCursor);
        QTRY_VERIFY(QToolTip::isVisible());
        // 1000 m is sample 500 of a ramp to 20000: 2000.4, read as 2000.
        QCOMPARE(QToolTip::text(), QStringLiteral("1.000km -2.00dB"));

        QTest::mouseMove(plot.pix.get(), QPoint(400, 300));
        QCOMPARE(plot.pix->cursor().shape(), Qt::ArrowCursor);
        QTRY_VERIFY(!QToolTip::isVisible());
    }

    void contextMenuSlotsMoveOneCursor()
    {
        tWidgetPlot plot;
        CCursors& cursors = *plot.geometry.cursors;
        cursors.SetLocked(true);
        QSignalSpy updates(plot.pix.get(), &CGraphPix::sigUpdate);

        // The menu opens where the right button was pressed.
        QTest::mousePress(plot.pix.get(), Qt::RightButton, Qt::NoModifier, QPoint(300, 200));
        QTest::mouseRelease(plot.pix.get(), Qt::RightButton, Qt::NoModifier, QPoint(300, 200));
        plot.pix->SetRightMarkerHere();

        QVERIFY(std::abs(cursors.RightMarker().fPosition - 5000) <= plot.geometry.xScale);
        // Unlocked for the move only: the left marker stays, the outer cursor follows.
        QCOMPARE(cursors.LeftMarker().fPosition, 1000.0f);
        QVERIFY(std::abs(cursors.OuterRight().fPosition - (cursors.RightMarker().fPosition + 500)) < 0.01f);
        QVERIFY(cursors.IsLocked());
        QCOMPARE(updates.count(), 1);

        plot.pix->SetCenterCursorHere();
        QVERIFY(std::abs(cursors.Centre().fPosition - 5000) <= plot.geometry.xScale);
    }

    void unzoomedIgnoresPresses()
    {
        tOverview overview;
        QSignalSpy updates(overview.preview, &Preview::sigUpdate);
        const QPointF centre = overview.geometry.centre;

        QCOMPARE(overview.RedPixels(), 0);
        QTest::mousePress(overview.preview, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
        QTest::mouseMove(overview.preview, QPoint(40, 30));
        QTest::mouseRelease(overview.preview, Qt::LeftButton, Qt::NoModifier, QPoint(40, 30));
        QCOMPARE(overview.geometry.centre, centre);
        QCOMPARE(updates.count(), 0);
        QCOMPARE(overview.preview->cursor().shape(), Qt::ArrowCursor);
    }

    void redRectangleMarksTheView()
    {
        tOverview overview;
        overview.ZoomThree();
        QCOMPARE(overview.preview->VisibleRect(), QRectF(100, 50, 100, 50));
        const QImage image = overview.preview->grab().toImage();
        // The outline lies on the rectangle's own pixels: right and bottom edges one pixel inside.
        for (const QPoint& corner : { QPoint(100, 50), QPoint(199, 50), QPoint(100, 99), QPoint(199, 99) })
            QCOMPARE(image.pixel(corner), qRgb(255, 0, 0));
        QCOMPARE(overview.RedPixels(), 2 * 100 + 2 * 48);
    }

    void clickBesideTheRectangleCentres()
    {
        const QPoint click(240, 40);
        tOverview overview;
        overview.ZoomThree();
        QSignalSpy updates(overview.preview, &Preview::sigUpdate);

        QTest::mousePress(overview.preview, Qt::LeftButton, Qt::NoModifier, click);
        QVERIFY(Near(overview.geometry.centre.x(), 240 * 10000.0 / 300, 1.0));
        QVERIFY(Near(overview.geometry.centre.y(), 40 * 20000.0 / 150, 1.0));
        QCOMPARE(updates.count(), 1);
        // No drag: moving the pointer afterwards leaves the view where it is.
        const QPointF after = overview.geometry.centre;
        QTest::mouseMove(overview.preview, click + QPoint(-30, -20));
        QCOMPARE(overview.geometry.centre, after);
        QTest::mouseRelease(overview.preview, Qt::LeftButton, Qt::NoModifier, click + QPoint(-30, -20));
        QCOMPARE(overview.geometry.xZoom, 3.0f);
    }

    void dragFollowsAndStopsAtTheEdge_data()
    {
        QTest::addColumn<QPoint>("grip");

        QTest::newRow("off the centre") << QPoint(130, 60);
        QTest::newRow("at the very centre") << QPoint(150, 75);
    }

    void dragFollowsAndStopsAtTheEdge()
    {
        QFETCH(QPoint, grip);

        tOverview overview;
        overview.ZoomThree();
        QSignalSpy updates(overview.preview, &Preview::sigUpdate);

        QTest::mouseMove(overview.preview, grip);
        QCOMPARE(overview.preview->cursor().shape(), Qt::OpenHandCursor);
        QTest::mousePress(overview.preview, Qt::LeftButton, Qt::NoModifier, grip);
        QCOMPARE(overview.preview->cursor().shape(), Qt::ClosedHandCursor);
        QCOMPARE(updates.count(), 0);

        // The grip point stays under the pointer.
        QTest::mouseMove(overview.preview, grip + QPoint(20, 10));
        const QRectF moved = overview.preview->VisibleRect();
        QVERIFY(Near(moved.left(), 120, 1) && Near(moved.top(), 60, 1));
        QCOMPARE(updates.count(), 1);

        // Beyond the picture's edge the rectangle stops at it.
        QTest::mouseMove(overview.preview, QPoint(290, 149));
        QTest::mouseMove(overview.preview, QPoint(600, 400));
        const QRectF edge = overview.preview->VisibleRect();
        QVERIFY(Near(edge.right(), 300, 0.5) && Near(edge.bottom(), 150, 0.5));
        QVERIFY(Near(overview.geometry.centre.x(), 10000.0 * 5 / 6, 1.0));
        QTest::mouseMove(overview.preview, QPoint(-300, -200));
        QCOMPARE(overview.preview->VisibleRect().topLeft(), QPointF(0, 0));

        QTest::mouseRelease(overview.preview, Qt::LeftButton, Qt::NoModifier, QPoint(-300, -200));
        QCOMPARE(overview.preview->cursor().shape(), Qt::ArrowCursor);
        const QPointF released = overview.geometry.centre;
        QTest::mouseMove(overview.preview, QPoint(200, 100));
        QCOMPARE(overview.geometry.centre, released);
    }

    void wheelZoomsUnzoomedToo()
    {
        tOverview overview;
        QSignalSpy updates(overview.preview, &Preview::sigUpdate);
        // One notch in, distance only, at a point that becomes the centre of the view.
        Wheel(overview.preview, QPoint(120, 60), 120, Qt::ControlModifier);
        QVERIFY(overview.preview->IsZoomed());
        QVERIFY(Near(overview.geometry.xZoom, 4.0 / 3, 1e-4));
        QCOMPARE(overview.geometry.yZoom, 1.0f);
        QVERIFY(Near(overview.geometry.centre.x(), 120 * 10000.0 / 300, 1.0));
        QCOMPARE(updates.count(), 1);
        QCOMPARE(overview.preview->cursor().shape(), Qt::OpenHandCursor);
    }

    void doubleClickBringsTheViewToTheMiddle()
    {
        tOverview overview;
        overview.ZoomThree();
        QTest::mousePress(overview.preview, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
        QTest::mouseRelease(overview.preview, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
        QVERIFY(overview.geometry.centre.x() < 5000);

        QSignalSpy updates(overview.preview, &Preview::sigUpdate);
        QTest::mouseDClick(overview.preview, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
        QCOMPARE(overview.geometry.centre, QPointF(5000, 10000));
        QCOMPARE(overview.geometry.xZoom, 3.0f);
        QVERIFY(updates.count() >= 1);
        QCOMPARE(overview.preview->cursor().shape(), Qt::ArrowCursor);
    }

    void initTestCase()
    {
        m_long.push_back(Load(m_dir, Ramp(kLongCount, kLongMax)));
        QVERIFY(m_long.back() && m_long.back()->file);
    }

    void zoomStepsAndLimits()
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

    void shortTraceKeepsItsSmallZoom()
    {
        // 20 samples of 2 m: 40 m, less than the 50 m the largest zoom shows.
        tFileSet set { Load(m_dir, Ramp(20, 5000)) };
        tGraphState geometry;
        Show(geometry, set);
        QVERIFY(Near(geometry.MaxZoomX(), 0.8, 1e-6));

        QVERIFY(geometry.Zoom(kView, QPoint(500, 250), 1, true, true));
        QVERIFY(!geometry.Zoom(kView, QPoint(500, 250), 1, true, true));
        QVERIFY(!geometry.Zoom(kView, QPoint(500, 250), -1, true, true));
        QCOMPARE(geometry.xZoom, geometry.MaxZoomX());
    }

    void degenerateSetsKeepTheLastState()
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

    void scrollBars_data()
    {
        QTest::addColumn<float>("xZoom");
        QTest::addColumn<float>("yZoom");
        QTest::addColumn<bool>("horizontal");
        QTest::addColumn<bool>("vertical");

        QTest::newRow("x 1.0005 is still the whole extent") << 1.0005f << 1.0f << false << false;
        QTest::newRow("x 1.0015") << 1.0015f << 1.0f << true << false;
        QTest::newRow("both 3") << 3.0f << 3.0f << true << true;
    }

    void scrollBars()
    {
        QFETCH(float, xZoom);
        QFETCH(float, yZoom);
        QFETCH(bool, horizontal);
        QFETCH(bool, vertical);

        tScrolledView scrolled(m_long);
        tGraphState& geometry = scrolled.geometry;
        CGraphView& view = scrolled.view;
        geometry.centre = QPointF(30000, 20000);
        SetZoom(geometry, xZoom, yZoom);

        view.UpdateScrolls();
        QScrollBar* h = view.HorizontalScrollBar();
        QScrollBar* v = view.VerticalScrollBar();
        QCOMPARE(!h->isHidden(), horizontal);
        QCOMPARE(!v->isHidden(), vertical);
        QCOMPARE(h->maximum(), geometry.virtualSize.width() - view.Pix()->width());
        QCOMPARE(h->value(), geometry.view.left());
        QCOMPARE(v->value(), geometry.view.top());

        const tFileSet empty;
        geometry.SetFiles(&empty);
        view.UpdateScrolls();
        QVERIFY(h->isHidden());
        QVERIFY(v->isHidden());
    }

    void scrollBarsFollowAndDriveTheView()
    {
        tScrolledView scrolled(m_long);
        tGraphState& geometry = scrolled.geometry;
        CGraphView& view = scrolled.view;
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

private:
    QTemporaryDir m_dir;
    tFileSet m_long;
};

QTEST_MAIN(TstPlotWidget)
#include "tst_plotwidget.moc"
