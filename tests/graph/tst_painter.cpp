#include "CTracePainter.h"
#include "TestTraces.h"
#include "tGraphState.h"
#include "tSampleMapping.h"

#include <QImage>
#include <QPainter>
#include <QPixmap>
#include <QTest>

#include <cmath>
#include <functional>
#include <vector>

using TestTraces::Load;
using TestTraces::Ramp;

namespace {

// A colour the painter never uses: whatever still has it was not painted.
const QColor kPaper(255, 0, 255);
const QColor kTrace(Qt::blue);

// The traces, the compare set and the geometry of one plot, with the view of
// the given size at zoom 1.
class tPlot
{
public:
    tPlot(const std::vector<std::vector<quint16>>& traces, const QSize& view)
    {
        for (const std::vector<quint16>& samples : traces)
            files.push_back(Load(dir, samples));
        geometry.SetFiles(&files);
        geometry.Resize(view);
    }

    // Shows metres `left` to `right` of the trace over the full height.
    void ShowDistances(double left, double right)
    {
        geometry.xZoom = float(geometry.extent.width() / (right - left));
        geometry.centre = QPointF((left + right) / 2, geometry.extent.height() / 2);
        geometry.Recompute();
    }

    // Paints the visible window into `target` of an image of `size` filled
    // with the paper colour.
    QImage Render(bool printMode, bool grid = false, QSize size = QSize(), QRect target = QRect()) const
    {
        if (size.isEmpty())
            size = geometry.view.size();
        if (target.isNull())
            target = QRect(QPoint(0, 0), geometry.view.size());
        QImage image(size, QImage::Format_RGB32);
        image.fill(kPaper);
        QPainter painter(&image);
        geometry.Paint(painter, target, true, grid, grid, printMode);
        return image;
    }

    QTemporaryDir dir;
    tFileSet files;
    tGraphState geometry;
};

int Count(const QImage& image, const QRect& area, const std::function<bool(QColor)>& match)
{
    int count = 0;
    const QRect inside = area & image.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        for (int x = inside.left(); x <= inside.right(); ++x)
            count += match(image.pixelColor(x, y)) ? 1 : 0;
    }
    return count;
}

std::function<bool(QColor)> Is(const QColor& colour)
{
    return [colour](QColor c) { return c.rgb() == colour.rgb(); };
}

// Dark grey and black: event ticks, labels and icons.
bool IsInk(QColor c)
{
    return c.red() == c.green() && c.green() == c.blue() && c.red() < 128;
}

// A falling trace with noise, splices, one-sample reflections and a flat
// stretch, the same on every run.
std::vector<quint16> Rugged(int count)
{
    std::vector<quint16> samples(static_cast<size_t>(count));
    quint32 state = 12345;
    int noise = 0;
    int splices = 0;
    for (int i = 0; i < count; ++i) {
        state = state * 1664525u + 1013904223u;
        noise = std::clamp(noise + int((state >> 24) % 41) - 20, -1500, 1500);
        if (i % 7919 == 7918)
            splices += 600;
        int value = 3000 + int(qint64(i) * 10000 / count) + splices + noise;
        if ((state >> 8) % 997 == 0)
            value -= 5000;
        if ((i / 5000) % 4 == 3)
            value = 15000;
        samples[size_t(i)] = quint16(std::clamp(value, 0, 20000));
    }
    return samples;
}

} // namespace

class TstPainter : public QObject
{
    Q_OBJECT

private slots:
    void gridStep_data();
    void gridStep();
    void labels_data();
    void labels();

    void backgroundOnScreenOnly();
    void degeneratePlotsDrawNothing_data();
    void degeneratePlotsDrawNothing();
    void marksOnlyInsideTarget();
    void measurementMarksOnScreenOnly();
    void eventLabelsOnScreenOnly();
    void closeEventsShareNoLabels();
    void gridThinsCloseLines();

    void spikeSurvivesReduction();
    void reducedEqualsAllSegments_data();
    void reducedEqualsAllSegments();

    void grabbingWithoutMovingKeepsThePosition();
};

void TstPainter::gridStep_data()
{
    QTest::addColumn<double>("visible");
    QTest::addColumn<bool>("distance");
    QTest::addColumn<double>("step");

    QTest::newRow("3 km: 200 m beats 500 m") << 3000.0 << true << 200.0;
    QTest::newRow("4 km: 500 m beats 200 m") << 4000.0 << true << 500.0;
    QTest::newRow("30 cm") << 0.3 << true << 0.02;
    QTest::newRow("1 mm: nothing nearer than 0") << 0.001 << true << 0.0;
    QTest::newRow("12 dB: 1 dB") << 12000.0 << false << 1000.0;
    QTest::newRow("0.5 dB: no level lines") << 500.0 << false << 0.0;
    QTest::newRow("nothing visible") << 0.0 << true << 0.0;
}

void TstPainter::gridStep()
{
    QFETCH(double, visible);
    QFETCH(bool, distance);
    QFETCH(double, step);
    QCOMPARE(CTracePainter::GridStep(visible, distance), step);
}

void TstPainter::labels_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("step"); // 0: a level label
    QTest::addColumn<QString>("text");

    QTest::newRow("metres") << 2800.0 << 200.0 << "2800 m";
    QTest::newRow("centimetres") << 0.5 << 0.5 << "50 cm";
    QTest::newRow("kilometres") << 40000.0 << 20000.0 << "40 km";
    QTest::newRow("2.5 dB") << 2500.0 << 0.0 << "-2.5 dB";
    QTest::newRow("0.96 dB rounds up") << 960.0 << 0.0 << "-1.0 dB";
    QTest::newRow("0 dB") << 0.0 << 0.0 << "-0 dB";
}

void TstPainter::labels()
{
    QFETCH(double, value);
    QFETCH(double, step);
    QTEST(step > 0 ? CTracePainter::DistanceLabel(value, step) : CTracePainter::LevelLabel(value), "text");
}

void TstPainter::backgroundOnScreenOnly()
{
    // A 50 km trace rising to the right: the top-right corner holds no trace,
    // and the markers (1 and 2 km) stand near the left edge.
    tPlot plot({ Ramp(25000, 30000) }, QSize(400, 300));
    const QRect corner(350, 0, 50, 40);

    const QImage screen = plot.Render(false);
    QCOMPARE(Count(screen, corner, Is(plot.geometry.background)), corner.width() * corner.height());

    const QImage print = plot.Render(true);
    QCOMPARE(Count(print, corner, Is(kPaper)), corner.width() * corner.height());
    QVERIFY(Count(print, print.rect(), Is(kTrace)) > 300);
    QVERIFY(Count(print, print.rect(), Is(plot.geometry.background)) == 0);
}

void TstPainter::degeneratePlotsDrawNothing_data()
{
    QTest::addColumn<std::vector<std::vector<quint16>>>("traces");

    QTest::newRow("one sample") << std::vector<std::vector<quint16>> { { 12000 } };
    QTest::newRow("zero-height extent") << std::vector<std::vector<quint16>> { std::vector<quint16>(500, 0) };
    QTest::newRow("empty compare set") << std::vector<std::vector<quint16>> {};
}

void TstPainter::degeneratePlotsDrawNothing()
{
    QFETCH(std::vector<std::vector<quint16>>, traces);
    tPlot plot(traces, QSize(200, 150));

    const QImage print = plot.Render(true, true);
    QCOMPARE(Count(print, print.rect(), Is(kPaper)), 200 * 150);

    // On screen at most the background is filled.
    const QImage screen = plot.Render(false, true);
    QCOMPARE(Count(screen, screen.rect(),
                 [&](QColor c) { return c.rgb() == kPaper.rgb() || c.rgb() == plot.geometry.background.rgb(); }),
        200 * 150);
    int offset = 0;
    QCOMPARE(plot.geometry.CursorAt(QPoint(0, 75), &offset), nullptr);
}

void TstPainter::marksOnlyInsideTarget()
{
    // 10 km; the window shows 0 to 1500 m, so the left marker (1000 m) is in
    // view and the right marker (2000 m) beyond its right edge.
    tPlot plot({ Ramp(5000, 20000) }, QSize(300, 200));
    plot.ShowDistances(0, 1500);
    const QRect target(60, 50, 300, 200);
    const QImage image = plot.Render(true, false, QSize(500, 400), target);

    QCOMPARE(Count(image, image.rect(), Is(Qt::blue)) - Count(image, target, Is(Qt::blue)), 0);
    // The trace is blue as well; the right marker would be a full-height blue
    // column, which no column of the target holds.
    for (int x = target.left(); x <= target.right(); ++x)
        QVERIFY(Count(image, QRect(x, target.top(), 1, target.height()), Is(Qt::blue)) < target.height());

    // The left marker is one full-height red column where the geometry puts it.
    const int expected = target.left() + qRound(1000 / plot.geometry.xScale - plot.geometry.view.left());
    const int red = Count(image, image.rect(), Is(Qt::red));
    QCOMPARE(red, target.height());
    QVERIFY(qAbs(expected - [&] {
        for (int x = 0; x < image.width(); ++x) {
            if (image.pixelColor(x, target.top()) == QColor(Qt::red))
                return x;
        }
        return -1;
    }()) <= 1);
    QCOMPARE(Count(image, QRect(0, 0, 500, target.top()), Is(kPaper)), 500 * target.top());
    QCOMPARE(Count(image, QRect(0, target.bottom() + 1, 500, 400 - target.bottom() - 1), Is(kPaper)),
        500 * (400 - target.bottom() - 1));
}

void TstPainter::measurementMarksOnScreenOnly()
{
    tPlot plot({ Ramp(5000, 20000) }, QSize(600, 300));
    const auto green = Is(QColor(0, 224, 0));
    const auto cyan = Is(QColor(0, 224, 224));

    QCOMPARE(Count(plot.Render(false), QRect(0, 0, 600, 300), green), 0);
    plot.geometry.cursors->StartMeasure(CCursors::MeasureSplice);
    const QImage screen = plot.Render(false);
    // Two outer ticks of eleven pixels, and the centre's tick and base line.
    QCOMPARE(Count(screen, screen.rect(), green), 22);
    QCOMPARE(Count(screen, screen.rect(), cyan), 11 + 8);

    const QImage print = plot.Render(true);
    QCOMPARE(Count(print, print.rect(), green), 0);
    QCOMPARE(Count(print, print.rect(), cyan), 0);
    QCOMPARE(Count(print, print.rect(), Is(Qt::red)), 300);
}

void TstPainter::eventLabelsOnScreenOnly()
{
    tPlot plot({ Ramp(5000, 20000) }, QSize(600, 400));
    // On white, antialiased black text stays grey.
    plot.geometry.background = Qt::white;
    const QSharedPointer<sor::CFile> file = plot.geometry.Active();
    std::deque<sor::tKeyEvent> events(2);
    events[0].time = file->DistanceToTime(4000);
    events[0].codeType = sor::tKeyEvent::Reflective;
    events[0].loss = 0.25f;
    events[1].time = file->DistanceToTime(7000);
    file->SetKeyEvents(events);

    const auto at = [&](float metres) {
        return QPoint(qRound(metres / plot.geometry.xScale), qRound(file->ValueAt(metres) / plot.geometry.yScale));
    };
    for (const bool printMode : { false, true }) {
        const QImage image = plot.Render(printMode);
        for (const float metres : { 4000.0f, 7000.0f }) {
            const QPoint mark = at(metres);
            // The tick of eleven pixels with its base line, in black.
            QVERIFY(Count(image, QRect(mark.x() - 1, mark.y() - 5, 3, 11), Is(Qt::black)) >= 10);
            const int labels = Count(image, QRect(mark.x() - 40, mark.y() - 80, 80, 72), IsInk);
            if (printMode)
                QCOMPARE(labels, 0);
            else
                QVERIFY2(labels > 40, qPrintable(QString::number(labels)));
        }
    }
}

void TstPainter::closeEventsShareNoLabels()
{
    // At 16.7 m per pixel an event 50 m after another would write its labels
    // over the other's; it is drawn as its tick alone.
    tPlot plot({ Ramp(5000, 20000) }, QSize(600, 400));
    plot.geometry.background = Qt::white;
    const QSharedPointer<sor::CFile> file = plot.geometry.Active();
    std::deque<sor::tKeyEvent> events(1);
    events[0].time = file->DistanceToTime(4000);
    events[0].loss = 0.25f;
    file->SetKeyEvents(events);
    const QImage alone = plot.Render(false);

    events.push_back(events[0]);
    events[1].time = file->DistanceToTime(4050);
    events[1].loss = -1.75f;
    events[1].codeType = sor::tKeyEvent::Reflective;
    file->SetKeyEvents(events);
    const QImage close = plot.Render(false);

    const QPoint second(qRound(4050 / plot.geometry.xScale), qRound(file->ValueAt(4050) / plot.geometry.yScale));
    QVERIFY(Count(close, QRect(second.x() - 1, second.y() - 5, 3, 11), Is(Qt::black)) >= 10);
    // Above and below the ticks everything is as with the first event alone.
    const QRect above(second.x() - 60, second.y() - 80, 120, 72);
    const QRect below(second.x() - 60, second.y() + 8, 120, 40);
    QCOMPARE(close.copy(above), alone.copy(above));
    QCOMPARE(close.copy(below), alone.copy(below));

    // Zoomed in, each has its own labels.
    plot.ShowDistances(3800, 4300);
    const QImage apart = plot.Render(false);
    const int x = qRound(4050 / plot.geometry.xScale) - plot.geometry.view.left();
    const int y = qRound(file->ValueAt(4050) / plot.geometry.yScale) - plot.geometry.view.top();
    QVERIFY(Count(apart, QRect(x - 30, y - 80, 60, 72), IsInk) > 40);
}

void TstPainter::gridThinsCloseLines()
{
    // 120 km and 30 dB in 300 x 200 px: the 5 km and 2 dB steps would put
    // lines 12.5 px and 13 px apart.
    tPlot plot({ Ramp(60000, 30000) }, QSize(300, 200));
    const QImage image = plot.Render(true, true);
    const auto grid = Is(Qt::darkYellow);

    std::vector<int> columns;
    for (int x = 0; x < image.width(); ++x) {
        if (Count(image, QRect(x, 0, 1, image.height()), grid) > image.height() / 2)
            columns.push_back(x);
    }
    std::vector<int> rows;
    for (int y = 0; y < image.height(); ++y) {
        if (Count(image, QRect(0, y, image.width(), 1), grid) > image.width() / 2)
            rows.push_back(y);
    }
    QVERIFY(columns.size() >= 4);
    QVERIFY(rows.size() >= 3);
    for (size_t i = 1; i < columns.size(); ++i)
        QVERIFY2(columns[i] - columns[i - 1] >= 50, qPrintable(QString::number(columns[i])));
    for (size_t i = 1; i < rows.size(); ++i)
        QVERIFY2(rows[i] - rows[i - 1] >= 40, qPrintable(QString::number(rows[i])));
    // Every fourth 5 km line is kept: 20 km = 50 px.
    QCOMPARE(columns[0], 0);
    QCOMPARE(columns[1], 50);
}

void TstPainter::spikeSurvivesReduction()
{
    // A flat trace of 250 000 samples with a one-sample reflection to the top.
    std::vector<quint16> samples(250000, 20000);
    const int spike = 123457;
    samples[size_t(spike)] = 0;
    tPlot plot({ samples }, QSize(1200, 600));
    const tSampleMapping mapping
        = tSampleMapping::Make(QRect(0, 0, 1200, 600), plot.geometry.VisibleData(), TestTraces::kResolution, 250000);
    QVERIFY(mapping.kx > 200);
    const int column = mapping.SampleX(spike);

    for (const bool printMode : { false, true }) {
        const QImage image = plot.Render(printMode);
        // The whole height of the spike is drawn in its column.
        QCOMPARE(Count(image, QRect(column, 0, 1, 600), Is(kTrace)), 600);
        QCOMPARE(Count(image, QRect(column + 2, 0, 1, 599), Is(kTrace)), 0);
    }
}

void TstPainter::reducedEqualsAllSegments_data()
{
    QTest::addColumn<bool>("noise");
    QTest::addColumn<QSize>("size");
    QTest::addColumn<QRectF>("window");

    // The falling trace: 60 000 samples of 2 m, 120 km.
    const QSize plot(240, 160);
    QTest::newRow("whole trace") << false << plot << QRectF(0, 0, 120000, 20000);
    QTest::newRow("zoomed, odd offset") << false << plot << QRectF(33333.3, 0, 17901.2, 20000);
    QTest::newRow("fewer samples than columns") << false << plot << QRectF(50000, 0, 100, 20000);
    // White noise over the whole level range turns back in nearly every
    // column, where joins of a single polyline would differ by a pixel.
    QTest::newRow("noise, narrow and tall") << true << QSize(25, 161) << QRectF(0, 0, 120000, 20000);
    QTest::newRow("noise, wide and low") << true << QSize(271, 49) << QRectF(20000, 0, 60000, 20000);
}

void TstPainter::reducedEqualsAllSegments()
{
    QFETCH(bool, noise);
    QFETCH(QSize, size);
    QFETCH(QRectF, window);

    QTemporaryDir dir;
    std::vector<quint16> samples = Rugged(60000);
    if (noise) {
        quint32 state = 99;
        for (quint16& sample : samples) {
            state = state * 1664525u + 1013904223u;
            sample = quint16((state >> 8) % 20001);
        }
    }
    const QSharedPointer<tListedFile> listed = Load(dir, samples);
    QVERIFY(listed);
    const sor::CFile& file = *listed->file;
    const QRect target(QPoint(0, 0), size);
    const tSampleMapping mapping = tSampleMapping::Make(target, window, file.Resolution(), file.PointCount());
    QVERIFY(mapping.valid);

    QImage reduced(size, QImage::Format_RGB32);
    reduced.fill(Qt::white);
    {
        QPainter painter(&reduced);
        CTracePainter::DrawTrace(painter, file, mapping, target, kTrace, true);
    }

    // The drawing as written: every segment between neighbouring samples.
    QImage segments(size, QImage::Format_RGB32);
    segments.fill(Qt::white);
    {
        QPainter painter(&segments);
        QPen pen(kTrace, 1);
        pen.setCapStyle(Qt::RoundCap);
        painter.setPen(pen);
        const int end = mapping.first + mapping.count;
        for (int i = mapping.first + 1; i < end; ++i) {
            painter.drawLine(QPoint(mapping.SampleX(i - 1), mapping.ValueY(samples[size_t(i - 1)])),
                QPoint(mapping.SampleX(i), mapping.ValueY(samples[size_t(i)])));
        }
    }

    QVERIFY(Count(segments, segments.rect(), Is(kTrace)) > size.width() / 2);
    QCOMPARE(reduced, segments);
}

void TstPainter::grabbingWithoutMovingKeepsThePosition()
{
    tPlot plot({ Ramp(5000, 20000) }, QSize(700, 300));
    plot.ShowDistances(500, 3300);
    CCursors& cursors = *plot.geometry.cursors;
    const float before = cursors.LeftMarker().fPosition;
    const int x = qRound(before / plot.geometry.xScale - plot.geometry.view.left());
    for (const int dx : { -1, 0, 1 }) {
        int offset = 0;
        CCursors::CEditableCursor* cursor = plot.geometry.CursorAt(QPoint(x + dx, 150), &offset);
        QVERIFY(cursor == &cursors.LeftMarker());
        plot.geometry.MoveCursorToPixel(*cursor, x + dx, offset);
        QCOMPARE(cursors.LeftMarker().fPosition, before);
    }
}

QTEST_MAIN(TstPainter)
#include "tst_painter.moc"
