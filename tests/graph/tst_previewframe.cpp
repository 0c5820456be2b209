#include "CPreviewFrame.h"
#include "Preview.h"
#include "TestTraces.h"
#include "tGraphState.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <QWheelEvent>

#include <cmath>
#include <memory>

using TestTraces::Load;
using TestTraces::Ramp;

namespace {

// A 10 km trace (5000 samples of 2 m) falling to 20 dB, shown by a plot of
// 600 x 300 px; the overview frame of 300 x 150 px holds a picture of the same
// size, one pixel of which stands for 33.3 m and 133.3 sample units.
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
    }

    // Zooms 3 x 3 at the middle: the red rectangle is (100, 50, 100, 50).
    void ZoomThree()
    {
        geometry.xZoom = 3;
        geometry.yZoom = 3;
        geometry.centre = QPointF(geometry.extent.width() / 2, geometry.extent.height() / 2);
        geometry.Recompute();
    }
    void Wheel(const QPoint& point, int delta, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QWheelEvent event(point, preview->mapToGlobal(point), QPoint(), QPoint(0, delta), Qt::NoButton, modifiers,
            Qt::NoScrollPhase, false);
        QApplication::sendEvent(preview, &event);
    }
    // Red pixels of the picture beside the left marker's line (at 1000 m, x = 30),
    // which is red too.
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

bool Near(double a, double b, double tolerance)
{
    return std::abs(a - b) <= tolerance;
}

} // namespace

class TstPreviewFrame : public QObject
{
    Q_OBJECT

private slots:
    void unzoomedIgnoresPresses();
    void redRectangleMarksTheView();
    void clickBesideTheRectangleCentres();
    void dragFollowsAndStopsAtTheEdge_data();
    void dragFollowsAndStopsAtTheEdge();
    void wheelZoomsUnzoomedToo();
    void doubleClickBringsTheViewToTheMiddle();
};

void TstPreviewFrame::unzoomedIgnoresPresses()
{
    tOverview overview;
    QVERIFY(QTest::qWaitForWindowExposed(overview.frame.get()));
    QSignalSpy updates(overview.preview, &Preview::sigUpdate);
    const QPointF centre = overview.geometry.centre;

    QVERIFY(!overview.preview->IsZoomed());
    QCOMPARE(overview.RedPixels(), 0);
    QTest::mousePress(overview.preview, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    QTest::mouseMove(overview.preview, QPoint(40, 30));
    QTest::mouseRelease(overview.preview, Qt::LeftButton, Qt::NoModifier, QPoint(40, 30));
    QCOMPARE(overview.geometry.centre, centre);
    QCOMPARE(updates.count(), 0);
    QCOMPARE(overview.preview->cursor().shape(), Qt::ArrowCursor);
    QVERIFY(!overview.preview->IsDragging());
}

void TstPreviewFrame::redRectangleMarksTheView()
{
    tOverview overview;
    overview.ZoomThree();
    QCOMPARE(overview.preview->VisibleRect(), QRectF(100, 50, 100, 50));
    const QImage image = overview.preview->grab().toImage();
    const QRgb red = qRgb(255, 0, 0);
    // The outline lies on the rectangle's own pixels: its right and bottom
    // edges are one pixel inside.
    for (const QPoint& corner : { QPoint(100, 50), QPoint(199, 50), QPoint(100, 99), QPoint(199, 99) })
        QVERIFY2(image.pixel(corner) == red, qPrintable(QStringLiteral("%1,%2").arg(corner.x()).arg(corner.y())));
    QVERIFY(image.pixel(200, 75) != red);
    QVERIFY(image.pixel(150, 100) != red);
    QVERIFY(image.pixel(99, 75) != red);
    QCOMPARE(overview.RedPixels(), 2 * 100 + 2 * 48);
}

void TstPreviewFrame::clickBesideTheRectangleCentres()
{
    // One preview pixel is 10000 / 300 m and 20000 / 150 sample units.
    const QPoint click(240, 40);
    tOverview overview;
    QVERIFY(QTest::qWaitForWindowExposed(overview.frame.get()));
    overview.ZoomThree();
    QSignalSpy updates(overview.preview, &Preview::sigUpdate);

    QTest::mousePress(overview.preview, Qt::LeftButton, Qt::NoModifier, click);
    QVERIFY(Near(overview.geometry.centre.x(), 240 * 10000.0 / 300, 1.0));
    QVERIFY(Near(overview.geometry.centre.y(), 40 * 20000.0 / 150, 1.0));
    QCOMPARE(updates.count(), 1);
    QCOMPARE(overview.preview->cursor().shape(), Qt::OpenHandCursor);
    // No drag: moving the pointer afterwards leaves the view where it is.
    QVERIFY(!overview.preview->IsDragging());
    const QPointF after = overview.geometry.centre;
    QTest::mouseMove(overview.preview, click + QPoint(-30, -20));
    QCOMPARE(overview.geometry.centre, after);
    QTest::mouseRelease(overview.preview, Qt::LeftButton, Qt::NoModifier, click + QPoint(-30, -20));
    QCOMPARE(overview.geometry.xZoom, 3.0f);
    QCOMPARE(overview.geometry.yZoom, 3.0f);
}

void TstPreviewFrame::dragFollowsAndStopsAtTheEdge_data()
{
    QTest::addColumn<QPoint>("grip");

    QTest::newRow("off the centre") << QPoint(130, 60);
    // Gripped at its very centre, the rectangle is dragged all the same.
    QTest::newRow("at the centre") << QPoint(150, 75);
}

void TstPreviewFrame::dragFollowsAndStopsAtTheEdge()
{
    QFETCH(QPoint, grip);

    tOverview overview;
    QVERIFY(QTest::qWaitForWindowExposed(overview.frame.get()));
    overview.ZoomThree();
    QSignalSpy updates(overview.preview, &Preview::sigUpdate);

    QTest::mouseMove(overview.preview, grip);
    QCOMPARE(overview.preview->cursor().shape(), Qt::OpenHandCursor);
    QTest::mousePress(overview.preview, Qt::LeftButton, Qt::NoModifier, grip);
    QVERIFY(overview.preview->IsDragging());
    QCOMPARE(overview.preview->cursor().shape(), Qt::ClosedHandCursor);
    QCOMPARE(updates.count(), 0);

    // The grip point stays under the pointer.
    QTest::mouseMove(overview.preview, grip + QPoint(20, 10));
    const QRectF moved = overview.preview->VisibleRect();
    QVERIFY2(Near(moved.left(), 120, 1) && Near(moved.top(), 60, 1),
        qPrintable(QStringLiteral("%1,%2").arg(moved.left()).arg(moved.top())));
    QCOMPARE(updates.count(), 1);

    // Beyond the picture's edge the rectangle stops at it.
    QTest::mouseMove(overview.preview, QPoint(290, 149));
    QTest::mouseMove(overview.preview, QPoint(600, 400));
    const QRectF edge = overview.preview->VisibleRect();
    QVERIFY(Near(edge.right(), 300, 0.5));
    QVERIFY(Near(edge.bottom(), 150, 0.5));
    QVERIFY(Near(overview.geometry.centre.x(), 10000.0 * 5 / 6, 1.0));
    QVERIFY(Near(overview.geometry.centre.y(), 20000.0 * 5 / 6, 1.0));
    QTest::mouseMove(overview.preview, QPoint(-300, -200));
    QVERIFY(Near(overview.preview->VisibleRect().left(), 0, 0.5));
    QVERIFY(Near(overview.preview->VisibleRect().top(), 0, 0.5));

    QTest::mouseRelease(overview.preview, Qt::LeftButton, Qt::NoModifier, QPoint(-300, -200));
    QVERIFY(!overview.preview->IsDragging());
    QCOMPARE(overview.preview->cursor().shape(), Qt::ArrowCursor);
    const QPointF released = overview.geometry.centre;
    QTest::mouseMove(overview.preview, QPoint(200, 100));
    QCOMPARE(overview.geometry.centre, released);
}

void TstPreviewFrame::wheelZoomsUnzoomedToo()
{
    tOverview overview;
    QSignalSpy updates(overview.preview, &Preview::sigUpdate);
    // One notch in with Control, distance only, at a point that becomes the
    // centre of the view.
    overview.Wheel(QPoint(120, 60), 120, Qt::ControlModifier);
    QVERIFY(overview.preview->IsZoomed());
    QVERIFY(Near(overview.geometry.xZoom, 4.0 / 3, 1e-4));
    QCOMPARE(overview.geometry.yZoom, 1.0f);
    QVERIFY(Near(overview.geometry.centre.x(), 120 * 10000.0 / 300, 1.0));
    QCOMPARE(updates.count(), 1);
    QCOMPARE(overview.preview->cursor().shape(), Qt::OpenHandCursor);
}

void TstPreviewFrame::doubleClickBringsTheViewToTheMiddle()
{
    tOverview overview;
    QVERIFY(QTest::qWaitForWindowExposed(overview.frame.get()));
    overview.ZoomThree();
    QTest::mousePress(overview.preview, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    QTest::mouseRelease(overview.preview, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    QVERIFY(overview.geometry.centre.x() < 5000);

    QSignalSpy updates(overview.preview, &Preview::sigUpdate);
    QTest::mouseDClick(overview.preview, Qt::LeftButton, Qt::NoModifier, QPoint(20, 20));
    QCOMPARE(overview.geometry.centre, QPointF(5000, 10000));
    QCOMPARE(overview.geometry.xZoom, 3.0f);
    QCOMPARE(overview.geometry.yZoom, 3.0f);
    QVERIFY(updates.count() >= 1);
    QCOMPARE(overview.preview->cursor().shape(), Qt::ArrowCursor);
}

QTEST_MAIN(TstPreviewFrame)
#include "tst_previewframe.moc"
