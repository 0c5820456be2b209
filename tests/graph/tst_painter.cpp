#include "CContrast.h"
#include "CGraphWidget.h"
#include "CEventIcon.h"
#include "CEventLabels.h"
#include "CTracePainter.h"
#include "TestPaths.h"
#include "TestTraces.h"
#include "tGraphState.h"
#include "tSampleMapping.h"

#include <QFileInfo>
#include <QFont>
#include <QFontMetrics>
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

// The traces, the compare set and the geometry of one plot of the given size at zoom 1.
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

// Within a little of `colour`: antialiased text.
std::function<bool(QColor)> Near(const QColor& colour)
{
    return [colour](QColor c) {
        return std::abs(c.red() - colour.red()) + std::abs(c.green() - colour.green())
            + std::abs(c.blue() - colour.blue())
            < 60;
    };
}

// Dark grey and black: event ticks, labels and icons.
bool IsInk(QColor c)
{
    return c.red() == c.green() && c.green() == c.blue() && c.red() < 128;
}

// A repeatable falling trace with noise, splices, one-sample reflections and a flat stretch.
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
    void gridStep_data()
    {
        QTest::addColumn<double>("visible");
        QTest::addColumn<bool>("distance");
        QTest::addColumn<double>("step");

        QTest::newRow("3 km: 200 m beats 500 m") << 3000.0 << true << 200.0;
        QTest::newRow("4 km: 500 m beats 200 m") << 4000.0 << true << 500.0;
        QTest::newRow("1.5 km: tie goes to 100 m") << 1500.0 << true << 100.0;
        QTest::newRow("120 km: largest step") << 120000.0 << true << 5000.0;
        QTest::newRow("1 mm: nothing nearer than 0") << 0.001 << true << 0.0;
        QTest::newRow("12 dB: 1 dB") << 12000.0 << false << 1000.0;
        QTest::newRow("0.5 dB: no level lines") << 500.0 << false << 0.0;
        QTest::newRow("nothing visible") << 0.0 << true << 0.0;
    }

    void gridStep()
    {
        QFETCH(double, visible);
        QFETCH(bool, distance);
        QFETCH(double, step);
        QCOMPARE(CTracePainter::GridStep(visible, distance), step);
    }

    void labels_data()
    {
        // A distance step of 0 stands for a level label.
        QTest::addColumn<double>("value");
        QTest::addColumn<double>("step");
        QTest::addColumn<QString>("text");

        QTest::newRow("200 m step") << 2800.0 << 200.0 << "2.8 km";
        QTest::newRow("below a metre") << 11997.4 << 0.2 << "11.9974 km";
        QTest::newRow("500 m step") << 12500.0 << 500.0 << "12.5 km";
        QTest::newRow("almost zero") << 1e-16 << 0.01 << "0 km";
        QTest::newRow("0.5 dB") << 500.0 << 0.0 << "-0.5 dB";
        QTest::newRow("0.96 dB rounds up") << 960.0 << 0.0 << "-1.0 dB";
        QTest::newRow("zero dB has no sign") << 0.0 << 0.0 << "0 dB";
    }

    void labels()
    {
        QFETCH(double, value);
        QFETCH(double, step);
        QFETCH(QString, text);
        QCOMPARE(step > 0 ? CTracePainter::DistanceLabel(value, step) : CTracePainter::LevelLabel(value), text);
    }

    void gridLabelsDoNotOverlap_data()
    {
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRectF>("data");

        QTest::newRow("135 km, narrow") << QSize(320, 300) << QRectF(0, 0, 135000, 30000);
        QTest::newRow("from 118 km, 2 km") << QSize(400, 300) << QRectF(118000, 0, 2000, 30000);
        QTest::newRow("10 km, 1 dB") << QSize(500, 120) << QRectF(0, 5000, 10000, 1000);
        QTest::newRow("3 m") << QSize(600, 400) << QRectF(11997, 0, 3, 20000);
    }

    void gridLabelsDoNotOverlap()
    {
        QFETCH(QSize, size);
        QFETCH(QRectF, data);
        const QRect target(QPoint(0, 0), size);
        QImage image(size, QImage::Format_RGB32);
        QFont font(QStringLiteral("Arial"));
        font.setPointSize(8);
        const QFontMetrics metrics(font, &image);
        const QVector<CTracePainter::tGridLabel> labels
            = CTracePainter::GridLabels(tSampleMapping::Make(target, data, 0.5, 1000000), target, data, metrics);
        QVERIFY(labels.size() >= 4);
        for (int i = 0; i < labels.size(); ++i) {
            QVERIFY2(target.contains(labels[i].rect), qPrintable(labels[i].text));
            QVERIFY(metrics.horizontalAdvance(labels[i].text) <= labels[i].rect.width());
            QVERIFY(!labels[i].text.contains(QLatin1String("-0 ")));
            for (int j = 0; j < i; ++j)
                QVERIFY2(
                    !labels[i].rect.intersects(labels[j].rect), qPrintable(labels[i].text + " / " + labels[j].text));
        }
    }

    void eventLabelsNeverOverlap_data()
    {
        QTest::addColumn<QString>("path");
        for (const QString& layout : { QStringLiteral("v1"), QStringLiteral("v2") }) {
            for (const QString& path : TestPaths::SorFiles(TestPaths::SharedSamplesDir(layout)))
                QTest::newRow(qPrintable(layout + QLatin1Char('/') + QFileInfo(path).fileName())) << path;
        }
        if (TestPaths::SharedSamplesDir(QStringLiteral("v2")).isEmpty())
            QSKIP("The shared instrument files are not here");
    }

    // Over real traces, unzoomed, zoomed on the start and narrow: no label
    // meets another or a grid label, and every event in view gets its number
    // wherever the number alone fits beside the others.
    void eventLabelsNeverOverlap()
    {
        QFETCH(QString, path);
        quint32 warnings = 0;
        tFileSet files;
        files.push_back(QSharedPointer<tListedFile>::create(QSharedPointer<sor::CFile>::create(path, warnings)));
        const sor::CFile& file = *files.front()->file;
        if (file.PointCount() < 2 || file.KeyEvents().empty())
            QSKIP("No trace or no events");
        tGraphState geometry;
        geometry.SetFiles(&files);
        QFont font(QStringLiteral("Arial"));
        font.setPointSizeF(8);
        const QFontMetrics metrics(font);
        for (const QSize& size : { QSize(900, 500), QSize(320, 300) }) {
            for (const double width : { geometry.extent.width(), std::min(2000.0, geometry.extent.width()) }) {
                geometry.Resize(size);
                geometry.xZoom = float(geometry.extent.width() / width);
                geometry.centre = QPointF(width / 2, geometry.centre.y());
                geometry.Recompute();
                const QRect target(QPoint(0, 0), size);
                const QRectF data = geometry.VisibleData();
                const tSampleMapping mapping = tSampleMapping::Make(target, data, file.Resolution(), file.PointCount());
                QVector<QRect> taken;
                for (const CTracePainter::tGridLabel& label : CTracePainter::GridLabels(mapping, target, data, metrics))
                    taken.append(label.rect);
                const int selected = int(file.KeyEvents().size()) / 2;
                const QVector<CEventLabels::tLabel> labels
                    = CEventLabels::Place(file, mapping, target, metrics, 16, taken, selected);
                QVector<QRect> all = taken;
                for (const CEventLabels::tLabel& label : labels) {
                    QVERIFY(target.contains(label.rect));
                    for (const QRect& other : all)
                        QVERIFY2(!label.rect.intersects(other), qPrintable(label.text));
                    all.append(label.rect);
                }
                // The selected event is placed first: its number is always there.
                const double at = file.TimeToDistance(file.KeyEvents()[size_t(selected)].time);
                if (at >= data.left() && at <= data.right()) {
                    QVERIFY2(std::any_of(labels.begin(), labels.end(), [&](const CEventLabels::tLabel& label) {
                        return label.event == selected && label.part == CEventLabels::PartNumber;
                    }),
                        qPrintable(QStringLiteral("%1 px, %2 m").arg(size.width()).arg(width)));
                }
            }
        }
    }

    void textContrast_data()
    {
        QTest::addColumn<QColor>("background");
        QTest::newRow("default") << tGraphState().background;
        QTest::newRow("dark") << QColor(20, 24, 40);
        QTest::newRow("mid grey") << QColor(128, 128, 128);
        QTest::newRow("light") << QColor(250, 250, 235);
    }

    // The inks of the plot's texts reach 4.5:1 on the background; on screen
    // the event labels really are drawn in that ink.
    void textContrast()
    {
        QFETCH(QColor, background);
        for (const QColor& preferred : { QColor(Qt::black), QColor(Qt::darkYellow).darker(170) })
            QVERIFY(CContrast::Ratio(background, CContrast::Ink(background, preferred)) >= CContrast::kReadable);
        QVERIFY(std::abs(CContrast::Ratio(Qt::white, Qt::black) - 21.0) < 1e-9);

        tPlot plot({ Ramp(5000, 20000) }, QSize(600, 400));
        plot.geometry.background = background;
        const QSharedPointer<sor::CFile> file = plot.geometry.Active();
        std::deque<sor::tKeyEvent> events(1);
        events[0].time = file->DistanceToTime(4000);
        file->SetKeyEvents(events);
        const QImage image = plot.Render(false);
        const QColor ink = CContrast::Ink(background, Qt::black);
        const int x = qRound(4000 / plot.geometry.xScale);
        QVERIFY(Count(image, QRect(x - 40, 0, 80, 400), Near(ink)) > 40);
    }

    // A dark desktop palette leaves the thumbnail's corner texts readable:
    // their ink follows the plot background they are drawn on.
    void thumbnailTextsWithADarkPalette()
    {
        QTemporaryDir dir;
        CGraphWidget widget(nullptr, Load(dir, Ramp(5000, 20000)));
        QPalette dark;
        dark.setColor(QPalette::WindowText, Qt::white);
        dark.setColor(QPalette::Window, QColor(30, 30, 30));
        widget.setPalette(dark);
        widget.resize(300, 120);
        const QImage image = widget.grab().toImage();
        const QColor ink = CContrast::Ink(widget.Background(), Qt::black);
        QVERIFY(CContrast::Ratio(ink, widget.Background()) >= CContrast::kReadable);
        const QRect corner(150, 1, 149, 35);
        QVERIFY(Count(image, corner, Near(ink)) > 20);
        QCOMPARE(Count(image, corner, Is(Qt::white)), 0);
    }

    void unzoomedViewFitsTheTraces()
    {
        // From -25 dB to -34 dB: the view spans them with half a dB to spare
        // above, and in a compare set the span of both.
        tPlot plot({ TestTraces::Line(3000, 25000, 3) }, QSize(600, 400));
        const tGraphState& g = plot.geometry;
        QCOMPARE(g.extentTop, 25000.0 - 500);
        QVERIFY(std::abs(g.extent.height() - (33997 - 24500)) < 1e-6);
        const QRectF visible = g.VisibleData();
        QVERIFY(std::abs(visible.top() - 24500) < g.yScale && std::abs(visible.bottom() - 33997) < 2 * g.yScale);
        const QImage image = plot.Render(false);
        // The trace's first sample is near the top, its last near the bottom.
        QVERIFY(Count(image, QRect(0, 10, 3, 20), Is(kTrace)) > 0);
        QVERIFY(Count(image, QRect(590, 385, 10, 15), Is(kTrace)) > 0);

        tPlot both({ TestTraces::Line(3000, 25000, 3), TestTraces::Line(1000, 10000, 1) }, QSize(600, 400));
        // A margin of a twentieth of the 23997 span.
        QVERIFY(std::abs(both.geometry.extentTop - (10000 - 1199.85)) < 1e-6);
        QVERIFY(std::abs(both.geometry.extent.height() - (23997 + 1199.85)) < 1e-6);
        QCOMPARE(tGraphState::FittedLevels(tFileSet()), qMakePair(0.0, 0.0));
    }

    void tracesAtTheirOwnDistances_data()
    {
        QTest::addColumn<int>("current");
        QTest::newRow("120 km current") << 1;
        QTest::newRow("60 km current") << 0;
        QTest::newRow("8 km current") << 2;
    }

    void tracesAtTheirOwnDistances()
    {
        // 60 km, 120 km and 8 km at 2, 4 and 1 m per sample, current last: at 200 m
        // per pixel each ends at its own length.
        QFETCH(int, current);
        const struct
        {
            double resolution;
            int count;
            quint16 level;
            QColor colour;
        } traces[] = { { 2, 30000, 4000, QColor(200, 100, 50) }, { 4, 30000, 8000, QColor(50, 200, 100) },
            { 1, 8000, 12000, QColor(100, 50, 200) } };
        tPlot plot({}, QSize(600, 200));
        for (int i : { (current + 1) % 3, (current + 2) % 3, current }) {
            TestTraces::tTrace trace;
            trace.samples = TestTraces::Line(traces[i].count, traces[i].level, 0);
            trace.resolution = traces[i].resolution;
            plot.files.push_back(Load(plot.dir, trace));
            plot.files.back()->colour = traces[i].colour;
        }
        plot.geometry.SetFiles(&plot.files);
        const QImage image = plot.Render(true);
        for (const auto& trace : traces) {
            int last = -1;
            for (int x = 0; x < image.width(); ++x)
                last = Count(image, QRect(x, 0, 1, 200), Is(trace.colour)) > 0 ? x : last;
            QVERIFY2(qAbs(last - trace.count * trace.resolution / 200) <= 1, qPrintable(QString::number(last)));
        }
    }

    void degeneratePlotsDrawNothing_data()
    {
        QTest::addColumn<std::vector<std::vector<quint16>>>("traces");

        QTest::newRow("one sample") << std::vector<std::vector<quint16>> { { 12000 } };
        QTest::newRow("zero-height extent") << std::vector<std::vector<quint16>> { std::vector<quint16>(500, 0) };
        QTest::newRow("empty compare set") << std::vector<std::vector<quint16>> {};
    }

    void degeneratePlotsDrawNothing()
    {
        QFETCH(std::vector<std::vector<quint16>>, traces);
        tPlot plot(traces, QSize(200, 150));

        const QImage print = plot.Render(true, true);
        QCOMPARE(Count(print, print.rect(), Is(kPaper)), 200 * 150);

        const QImage screen = plot.Render(false, true);
        QCOMPARE(Count(screen, screen.rect(),
                     [&](QColor c) { return c.rgb() == kPaper.rgb() || c.rgb() == plot.geometry.background.rgb(); }),
            200 * 150);
        int offset = 0;
        QCOMPARE(plot.geometry.CursorAt(QPoint(0, 75), &offset), nullptr);
    }

    void marksOnlyInsideTarget()
    {
        // 10 km; the window shows 0 to 1500 m, so the left marker (1000 m) is in
        // view and the right marker (2000 m) beyond its right edge.
        tPlot plot({ Ramp(5000, 20000) }, QSize(300, 200));
        plot.ShowDistances(0, 1500);
        const QRect target(60, 50, 300, 200);
        const QImage image = plot.Render(true, false, QSize(500, 400), target);
        QCOMPARE(Count(image, image.rect(), Is(kPaper)) - Count(image, target, Is(kPaper)), 500 * 400 - 300 * 200);
        // The right marker would be a full-height blue column (the trace is blue too).
        for (int x = target.left(); x <= target.right(); ++x)
            QVERIFY(Count(image, QRect(x, target.top(), 1, target.height()), Is(Qt::blue)) < target.height());

        // The left marker is one full-height red column where the geometry puts it.
        const int expected = target.left() + qRound(1000 / plot.geometry.xScale - plot.geometry.view.left());
        QCOMPARE(Count(image, image.rect(), Is(Qt::red)), target.height());
        QVERIFY(Count(image, QRect(expected - 1, target.top(), 3, target.height()), Is(Qt::red)) == target.height());
    }

    void backgroundAndMeasurementMarksOnScreenOnly()
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
        QVERIFY(Count(screen, screen.rect(), Is(plot.geometry.background)) > 0);

        const QImage print = plot.Render(true);
        QCOMPARE(Count(print, print.rect(), green), 0);
        QCOMPARE(Count(print, print.rect(), cyan), 0);
        QCOMPARE(Count(print, print.rect(), Is(Qt::red)), 300);
        QCOMPARE(Count(print, print.rect(), Is(plot.geometry.background)), 0);
    }

    void eventLabelsOnScreenOnlyAndApart()
    {
        // At 16.7 m per pixel an event 50 m after another is drawn as its tick alone.
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
        // Around the ticks only the second event's number is added, none of
        // its other labels.
        const QRect around(second.x() - 60, second.y() - 80, 120, 128);
        int changed = 0;
        for (int y = around.top(); y <= around.bottom(); ++y) {
            for (int x = around.left(); x <= around.right(); ++x)
                changed += close.pixel(x, y) != alone.pixel(x, y);
        }
        QVERIFY2(changed > 0 && changed <= 80, qPrintable(QString::number(changed)));

        // Zoomed in, each has its own labels on screen; in print its tick and number.
        plot.ShowDistances(3800, 4300);
        const int x = qRound(4050 / plot.geometry.xScale) - plot.geometry.view.left();
        const int y = qRound(file->ValueAt(4050) / plot.geometry.yScale) - plot.geometry.view.top();
        QVERIFY(Count(plot.Render(false), QRect(x - 30, y - 80, 60, 72), IsInk) > 40);
        const QImage print = plot.Render(true);
        const int printed = Count(print, QRect(x - 30, y - 80, 60, 72), IsInk);
        QVERIFY2(printed > 0 && printed <= 60, qPrintable(QString::number(printed)));
        QVERIFY(Count(print, QRect(x - 1, y - 5, 3, 11), Is(Qt::black)) >= 10);
    }

    void eventPictures()
    {
        // A saturated reflection, a splice and the fibre's end, 1.5 km apart:
        // type 2 is drawn exactly as a reflection; the end's picture has its
        // red stop bar, which a reflection at the same place lacks.
        tPlot plot({ Ramp(5000, 20000) }, QSize(600, 400));
        plot.geometry.background = Qt::white;
        const QSharedPointer<sor::CFile> file = plot.geometry.Active();
        std::deque<sor::tKeyEvent> events(3);
        for (size_t i = 0; i < events.size(); ++i)
            events[i].time = file->DistanceToTime(1000.0f + 1500.0f * float(i));
        const auto render = [&](quint32 firstType, quint32 lastOrigin) {
            events[0].codeType = firstType;
            events[2].codeType = sor::tKeyEvent::Reflective;
            events[2].codeOrigin = lastOrigin;
            file->SetKeyEvents(events);
            return plot.Render(false);
        };
        const QImage saturated = render(sor::tKeyEvent::Saturated, 2);
        QCOMPARE(CEventIcon::KindOf(*file, 2), CEventIcon::End);
        QCOMPARE(saturated, render(sor::tKeyEvent::Reflective, 2));
        const QImage plain = render(sor::tKeyEvent::Reflective, 0);
        const QRect end(qRound(4000 / plot.geometry.xScale) - 30, 0, 60, 400);
        QVERIFY(Count(saturated, end, Near(QColor(200, 30, 30))) >= 10);
        QCOMPARE(Count(plain, end, Near(QColor(200, 30, 30))), 0);
    }

    void gridThinsCloseLines()
    {
        // 120 km and 30 dB in 300 x 200 px: the 5 km and 2 dB steps would put
        // lines 12.5 px and 13 px apart.
        tPlot plot({ Ramp(60000, 30000) }, QSize(300, 200));
        const QImage image = plot.Render(true, true);
        const auto lines = [&](bool vertical) {
            const int length = vertical ? image.height() : image.width();
            std::vector<int> found;
            for (int i = 0; i < (vertical ? image.width() : image.height()); ++i) {
                if (Count(image, vertical ? QRect(i, 0, 1, length) : QRect(0, i, length, 1), Is(Qt::darkYellow))
                    > length / 2)
                    found.push_back(i);
            }
            return found;
        };
        const std::vector<int> columns = lines(true);
        const std::vector<int> rows = lines(false);
        QVERIFY(columns.size() >= 4 && rows.size() >= 3);
        for (size_t i = 1; i < columns.size(); ++i)
            QVERIFY2(columns[i] - columns[i - 1] >= 50, qPrintable(QString::number(columns[i])));
        for (size_t i = 1; i < rows.size(); ++i)
            QVERIFY2(rows[i] - rows[i - 1] >= 40, qPrintable(QString::number(rows[i])));
        // Every fourth 5 km line is kept: 20 km = 50 px.
        QCOMPARE(columns[0], 0);
        QCOMPARE(columns[1], 50);
    }

    void spikeSurvivesReduction()
    {
        std::vector<quint16> samples(250000, 20000);
        const int spike = 123457;
        samples[size_t(spike)] = 0;
        tPlot plot({ samples }, QSize(1200, 600));
        const tSampleMapping mapping = tSampleMapping::Make(
            QRect(0, 0, 1200, 600), plot.geometry.VisibleData(), TestTraces::kResolution, 250000);
        QVERIFY(mapping.kx > 200);
        const int column = mapping.SampleX(spike);

        for (const bool printMode : { false, true }) {
            const QImage image = plot.Render(printMode);
            // The whole height of the spike is drawn in its column.
            QCOMPARE(Count(image, QRect(column, 0, 1, 600), Is(kTrace)), 600);
            QCOMPARE(Count(image, QRect(column + 2, 0, 1, 599), Is(kTrace)), 0);
        }
    }

    void reducedEqualsAllSegments_data()
    {
        QTest::addColumn<bool>("noise");
        QTest::addColumn<QSize>("size");
        QTest::addColumn<QRectF>("window");

        // The rugged trace: 120 km.
        const QSize plot(240, 160);
        QTest::newRow("whole trace") << false << plot << QRectF(0, 0, 120000, 20000);
        QTest::newRow("zoomed, odd offset") << false << plot << QRectF(33333.3, 0, 17901.2, 20000);
        QTest::newRow("fewer samples than columns") << false << plot << QRectF(50000, 0, 100, 20000);
        // White noise over the whole level range turns back in nearly every
        // column, where joins of a single polyline would differ by a pixel.
        QTest::newRow("noise, narrow and tall") << true << QSize(25, 161) << QRectF(0, 0, 120000, 20000);
        QTest::newRow("noise, fewer samples than columns") << true << QSize(116, 59) << QRectF(5000, 0, 70, 20000);
    }

    void reducedEqualsAllSegments()
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

    void cursorAt_data()
    {
        QTest::addColumn<bool>("measuring");
        QTest::addColumn<int>("dx");
        QTest::addColumn<bool>("onTrace");
        QTest::addColumn<int>("kind");

        // The right marker and the outer right cursor stand at the same place, 6000 m.
        QTest::newRow("2 px beside it") << false << 2 << false << int(CCursors::KindRightMarker);
        QTest::newRow("3 px beside it") << false << 3 << false << 0;
        QTest::newRow("outer cursor first while measuring") << true << 1 << true << int(CCursors::KindOuterRight);
        QTest::newRow("away from the outer tick") << true << 0 << false << int(CCursors::KindRightMarker);
        QTest::newRow("outer cursor ignored otherwise") << false << 1 << true << int(CCursors::KindRightMarker);
    }

    void cursorAt()
    {
        QFETCH(bool, measuring);
        QFETCH(int, dx);
        QFETCH(bool, onTrace);
        QFETCH(int, kind);

        tPlot plot({ Ramp(5000, 20000) }, QSize(500, 300));
        CCursors& cursors = *plot.geometry.cursors;
        cursors.MoveTo(cursors.RightMarker(), 6000);
        cursors.MoveTo(cursors.OuterRight(), 6000);
        if (measuring)
            cursors.StartMeasure(CCursors::MeasureSplice);

        const QSharedPointer<sor::CFile> file = plot.geometry.Active();
        const int x = qRound(6000 / plot.geometry.xScale);
        const int traceY = qRound(file->ValueAt(6000) / plot.geometry.yScale);
        const QPoint point(x + dx, onTrace ? traceY : 20);
        int offset = 99;
        const CCursors::CEditableCursor* found = plot.geometry.CursorAt(point, &offset);
        QCOMPARE(found ? int(found->nKind) : 0, kind);
        if (found)
            QVERIFY(qAbs(offset + dx) <= 1);
    }

    void grabbingWithoutMovingKeepsThePosition()
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
};

QTEST_MAIN(TstPainter)
#include "tst_painter.moc"
