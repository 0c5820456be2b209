// Report pages: a PDF of 100 synthetic traces of 30 000 samples, against the
// same report whose trace boxes hold only a 100-sample trace (the least the
// generator makes; the boxes are as good as empty), in the same run; and the
// size of the PDF page of the 250 000-sample trace of samples/.
//   build/bin/bench-report [--benchmark_filter=...]
// The counter "pdf_bytes" gives the size of each PDF written.
#include <CFile.h>
#include <CReportPage.h>
#include <CSynthTrace.h>

#include <QBuffer>
#include <QGuiApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPdfWriter>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

constexpr int kTraces = 100;
constexpr int kSamples = 30000;

// The traces of one report, written once into a temporary folder and loaded.
QList<tPrinterListFile> Traces(int points)
{
    static QTemporaryDir dir;
    QList<tPrinterListFile> pages;
    for (int i = 0; i < kTraces; ++i) {
        CSynthTrace::tOptions options;
        options.lengthKm = 30;
        options.events = 6;
        options.seed = quint32(i + 1);
        options.points = points;
        const QString path = dir.filePath(QStringLiteral("%1_%2.sor").arg(points).arg(i));
        CSynthTrace(options).Write(path);
        quint32 warnings = 0;
        pages.append({ QSharedPointer<sor::CFile>::create(path, warnings) });
    }
    return pages;
}

// The report as the PDF export writes it, into memory: A4 at screen resolution.
qint64 Report(const QList<tPrinterListFile>& pages)
{
    QBuffer buffer;
    buffer.open(QIODevice::WriteOnly);
    QPdfWriter writer(&buffer);
    writer.setResolution(96);
    writer.setPageLayout(QPageLayout(
        QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(12, 12, 12, 12), QPageLayout::Millimeter));
    if (!CReportPage::DrawJob(writer, pages, nullptr))
        return -1;
    return buffer.size();
}

void ReportRun(benchmark::State& state, int points)
{
    const QList<tPrinterListFile> pages = Traces(points);
    qint64 bytes = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(bytes = Report(pages));
    if (bytes < 0)
        state.SkipWithError("the report could not be drawn");
    state.counters["pdf_bytes"] = double(bytes);
}

void BM_ReportTraces(benchmark::State& state)
{
    ReportRun(state, kSamples);
}

void BM_ReportEmptyBoxes(benchmark::State& state)
{
    ReportRun(state, 100);
}

// One page of the longest sample trace.
void BM_ReportLongTrace(benchmark::State& state)
{
    quint32 warnings = 0;
    tPrinterListFile page;
    page.file = QSharedPointer<sor::CFile>::create(
        QStringLiteral(LUMETRIX_SOURCE_DIR "/samples/1550_120km_longhaul.sor"), warnings);
    const QList<tPrinterListFile> pages { page };
    qint64 bytes = 0;
    for (auto _ : state)
        benchmark::DoNotOptimize(bytes = Report(pages));
    state.counters["pdf_bytes"] = double(bytes);
    state.counters["points"] = pages.front().file->PointCount();
}

BENCHMARK(BM_ReportTraces)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReportEmptyBoxes)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReportLongTrace)->Unit(benchmark::kMillisecond);

} // namespace

int main(int argc, char* argv[])
{
    // The pages are drawn without a display.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
