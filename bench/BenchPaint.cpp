// Painting traces of 250 000 samples on screen, where each pixel column is
// reduced to its first, smallest, largest and last value, against drawing
// every segment, in the same run.
//   build/bin/bench-paint [--benchmark_filter=...]
// The single-trace cases paint the largest bundled trace into 1200 x 600 px,
// on screen and in print mode (reduced too: a page shows no more than that);
// the overlay cases paint seven synthetic traces into 1920 x 1080 px, reduced,
// as one polyline through every sample, and segment by segment.
// OverviewRepaint and PlotRepaint compare the overview frame's repaint of the
// seven traces with the plot's own.
// The "differing%" counters give the share of trace pixels in which the
// reduced picture differs from the segment-by-segment one and from the
// polyline.
#include <CTracePainter.h>
#include <TestTraces.h>
#include <tGraphState.h>
#include <tSampleMapping.h>

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <memory>
#include <vector>

namespace {

constexpr int kSamples = 250000;
const QSize kSingleSize(1200, 600);
const QSize kOverlaySize(1920, 1080);

// The largest bundled trace, shown alone.
struct tSingle
{
    tSingle()
    {
        const QDir samples(QStringLiteral(LUMETRIX_SOURCE_DIR "/samples"));
        const QFileInfoList found = samples.entryInfoList({ QStringLiteral("*.sor") }, QDir::Files, QDir::Size);
        if (found.isEmpty())
            return;
        quint32 warnings = 0;
        files.push_back(QSharedPointer<tListedFile>::create(
            QSharedPointer<sor::CFile>::create(found.front().absoluteFilePath(), warnings)));
        geometry.SetFiles(&files);
        geometry.Resize(kSingleSize);
    }

    tFileSet files;
    tGraphState geometry;
};

// A fibre seen from one end: falling backscatter with noise growing towards
// the end, splices, and one-sample reflections; each seed gives another trace.
std::vector<quint16> Fibre(quint32 seed)
{
    std::vector<quint16> samples(static_cast<size_t>(kSamples));
    quint32 state = seed;
    int loss = 0;
    for (int i = 0; i < kSamples; ++i) {
        state = state * 1664525u + 1013904223u;
        if (i % 31337 == int(seed % 1000))
            loss += 800;
        const int noise = int((state >> 20) % 401) - 200;
        int value = 4000 + int(qint64(i) * 22000 / kSamples) + loss + noise * (1 + i / 50000);
        if ((state >> 8) % 20011 == 0)
            value -= 12000;
        samples[size_t(i)] = quint16(std::clamp(value, 0, 60000));
    }
    return samples;
}

// Seven different traces overlaid, as the compare set shows them.
struct tOverlay
{
    tOverlay()
    {
        for (quint32 seed = 1; seed <= 7; ++seed) {
            files.push_back(TestTraces::Load(dir, Fibre(seed * 7919)));
            files.back()->colour = QColor::fromHsv(int(seed) * 50, 255, 200);
        }
        geometry.SetFiles(&files);
        geometry.Resize(kOverlaySize);
        mapping = tSampleMapping::Make(QRect(QPoint(0, 0), kOverlaySize), geometry.VisibleData(),
            files.back()->file->Resolution(), files.back()->file->PointCount());
    }

    // The screen drawing (reduced) or the printing one (a polyline through every sample).
    void Draw(QImage& image, bool reduce) const
    {
        image.fill(Qt::white);
        QPainter painter(&image);
        for (const QSharedPointer<tListedFile>& listed : files)
            CTracePainter::DrawTrace(painter, *listed->file, mapping, image.rect(), listed->colour, reduce);
    }

    // The drawing as first designed: every segment between neighbouring samples on its own.
    void DrawSegments(QImage& image) const
    {
        image.fill(Qt::white);
        QPainter painter(&image);
        for (const QSharedPointer<tListedFile>& listed : files) {
            QPen pen(listed->colour, 1);
            pen.setCapStyle(Qt::RoundCap);
            painter.setPen(pen);
            const quint16* samples = listed->file->Points();
            QPoint previous(mapping.SampleX(mapping.first), mapping.ValueY(samples[mapping.first]));
            for (int i = mapping.first + 1; i < mapping.first + mapping.count; ++i) {
                const QPoint point(mapping.SampleX(i), mapping.ValueY(samples[i]));
                painter.drawLine(previous, point);
                previous = point;
            }
        }
    }

    QTemporaryDir dir;
    tFileSet files;
    tGraphState geometry;
    tSampleMapping mapping;
};

const tSingle& Single()
{
    static const tSingle single;
    return single;
}

const tOverlay& Overlay()
{
    static const tOverlay overlay;
    return overlay;
}

// Share of the pixels painted in either picture that differ between them, %.
double DifferingShare(const QImage& a, const QImage& b)
{
    const QRgb white = qRgb(255, 255, 255);
    qint64 painted = 0;
    qint64 differing = 0;
    for (int y = 0; y < a.height(); ++y) {
        const QRgb* lineA = reinterpret_cast<const QRgb*>(a.constScanLine(y));
        const QRgb* lineB = reinterpret_cast<const QRgb*>(b.constScanLine(y));
        for (int x = 0; x < a.width(); ++x) {
            if (lineA[x] != white || lineB[x] != white) {
                ++painted;
                differing += lineA[x] != lineB[x] ? 1 : 0;
            }
        }
    }
    return painted ? 100.0 * double(differing) / double(painted) : 0.0;
}

void PaintSingle(benchmark::State& state, bool printMode)
{
    const tSingle& single = Single();
    if (!single.geometry.IsValid()) {
        state.SkipWithError("no bundled trace");
        return;
    }
    QImage image(kSingleSize, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::white);
        QPainter painter(&image);
        single.geometry.Paint(painter, image.rect(), true, true, true, printMode);
    }
    state.counters["samples"] = single.files.front()->file->PointCount();
}

void PaintScreen(benchmark::State& state)
{
    PaintSingle(state, false);
}

void PaintPrint(benchmark::State& state)
{
    PaintSingle(state, true);
}

void OverlayReduced(benchmark::State& state)
{
    const tOverlay& overlay = Overlay();
    QImage image(kOverlaySize, QImage::Format_RGB32);
    for (auto _ : state)
        overlay.Draw(image, true);

    QImage reference(kOverlaySize, QImage::Format_RGB32);
    overlay.DrawSegments(reference);
    state.counters["differing%"] = DifferingShare(image, reference);
    overlay.Draw(reference, false);
    state.counters["differing%poly"] = DifferingShare(image, reference);
    state.counters["samples"] = double(overlay.files.size()) * kSamples;
}

void OverlayAllSamples(benchmark::State& state)
{
    const tOverlay& overlay = Overlay();
    QImage image(kOverlaySize, QImage::Format_RGB32);
    for (auto _ : state)
        overlay.Draw(image, false);
}

void OverlaySegments(benchmark::State& state)
{
    const tOverlay& overlay = Overlay();
    QImage image(kOverlaySize, QImage::Format_RGB32);
    for (auto _ : state)
        overlay.DrawSegments(image);
}

// The overview frame's repaint of the seven traces (the whole extent into a
// picture of the plot's shape, 150 px high) against the plot's own repaint.
void OverviewRepaint(benchmark::State& state)
{
    const tOverlay& overlay = Overlay();
    const QSize size(kOverlaySize.width() * 150 / kOverlaySize.height(), 150);
    QImage image(size, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        overlay.geometry.Paint(painter, image.rect(), false, false, false, false, false);
    }
}

void PlotRepaint(benchmark::State& state)
{
    const tOverlay& overlay = Overlay();
    QImage image(kOverlaySize, QImage::Format_RGB32);
    for (auto _ : state) {
        QPainter painter(&image);
        overlay.geometry.Paint(painter, image.rect(), true, true, true, false);
    }
}

} // namespace

BENCHMARK(OverviewRepaint)->Unit(benchmark::kMillisecond);
BENCHMARK(PlotRepaint)->Unit(benchmark::kMillisecond);
BENCHMARK(PaintScreen)->Unit(benchmark::kMillisecond);
BENCHMARK(PaintPrint)->Unit(benchmark::kMillisecond);
BENCHMARK(OverlayReduced)->Unit(benchmark::kMillisecond);
BENCHMARK(OverlayAllSamples)->Unit(benchmark::kMillisecond);
BENCHMARK(OverlaySegments)->Unit(benchmark::kMillisecond);

int main(int argc, char* argv[])
{
    // Grid labels need fonts, hence a GUI application; no screen is needed.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
