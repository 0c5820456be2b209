// The file list's cards: painting one screen of 20 rows for traces of
// 250 000 samples against the same for traces of 2 000 samples, in the same
// run, and scrolling a list of 1 000 cards from top to bottom.
//   build/bin/bench-cards [--benchmark_filter=...]
// The rows are drawn at the list's widest (300 px, rows 114 px high), the most
// costly size; 20 of them make a list 2 280 px high (a 1080-line screen shows
// about 9). "Cold" paints after the stored card pictures were dropped, as after
// a change of background, language or width; "warm" repaints the same screen.
// Scrolling moves by one wheel step per frame through a list 1 080 px high,
// starting without stored pictures, and reports the mean and the slowest frame
// and the share of frames of 16 ms or more.
#include <CFileList.h>
#include <SorBuilder.h>

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QScrollBar>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>

namespace {

constexpr int kScreenRows = 20;
constexpr int kWidest = 300;
constexpr int kRowHeight = 114;
constexpr int kScrollFiles = 1000;

// A fibre with noise growing towards its end, 2 m per sample.
QByteArray Trace(int points)
{
    using namespace SorBuilder;
    tFixed fixed;
    fixed.groupIndex = 149896229;
    fixed.pulses[0].spacing = 1000000000;
    fixed.pulses[0].points = quint32(points);
    tDataPoints data;
    std::vector<quint16>& samples = data.groups[0].samples;
    samples.resize(size_t(points));
    quint32 state = 12345;
    for (int i = 0; i < points; ++i) {
        state = state * 1664525u + 1013904223u;
        const int noise = int((state >> 20) % 401) - 200;
        samples[size_t(i)] = quint16(4000 + qint64(i) * 22000 / points + noise * (1 + 4 * i / points));
    }
    return Assemble({ { "GenParams", 100, GeneralBody(), {} }, { "SupParams", 100, SupplierBody(), {} },
        { "FxdParams", 100, FixedBody(fixed), {} }, { "KeyEvents", 100, KeyEventsBody(), {} },
        { "DataPts", 100, DataPointsBody(data), {} } });
}

// A shown list of `files` copies of one trace.
class tListed
{
public:
    tListed(int files, int points, QSize size)
    {
        const QByteArray image = Trace(points);
        for (int i = 0; i < files && ok; ++i) {
            QFile file(m_dir.filePath(QStringLiteral("trace%1.sor").arg(i, 4, 10, QLatin1Char('0'))));
            ok = file.open(QIODevice::WriteOnly) && file.write(image) == image.size();
        }
        list.resize(size);
        list.show();
        list.SetDir(m_dir.path());
        QCoreApplication::processEvents();
        ok = ok && list.count() == files;
    }

    bool ok = true;
    CFileList list;

private:
    QTemporaryDir m_dir;
};

// The lists go before the application object does.
std::map<int, std::unique_ptr<tListed>> g_lists;

tListed& Listed(int files, int points, QSize size)
{
    std::unique_ptr<tListed>& listed = g_lists[files * 1000000 + points];
    if (!listed)
        listed = std::make_unique<tListed>(files, points, size);
    return *listed;
}

void PaintScreen(benchmark::State& state)
{
    const int points = int(state.range(0));
    const bool cold = state.range(1) != 0;
    tListed& screen = Listed(kScreenRows, points, QSize(kWidest, kScreenRows * kRowHeight));
    if (!screen.ok) {
        state.SkipWithError("cannot list the traces");
        return;
    }
    screen.list.viewport()->repaint();
    for (auto _ : state) {
        if (cold)
            screen.list.OnBackgroundChanged();
        screen.list.viewport()->repaint();
    }
    state.counters["samples"] = points;
}

void Scroll(benchmark::State& state)
{
    tListed& listed = Listed(kScrollFiles, 30000, QSize(kWidest, 1080));
    if (!listed.ok) {
        state.SkipWithError("cannot list the traces");
        return;
    }
    QScrollBar* const bar = listed.list.verticalScrollBar();
    const int step = 3 * std::max(1, bar->singleStep());
    double frames = 0;
    double slowest = 0;
    double late = 0;
    for (auto _ : state) {
        state.PauseTiming();
        bar->setValue(0);
        listed.list.OnBackgroundChanged();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        for (int value = 0; value <= bar->maximum(); value += step) {
            QElapsedTimer frame;
            frame.start();
            bar->setValue(value);
            listed.list.viewport()->repaint();
            const double milliseconds = frame.nsecsElapsed() / 1e6;
            slowest = std::max(slowest, milliseconds);
            late += milliseconds >= 16 ? 1 : 0;
            ++frames;
        }
    }
    state.counters["frames"] = frames / double(state.iterations());
    state.counters["ms/frame"] = benchmark::Counter(frames, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["slowest ms"] = slowest;
    state.counters["late%"] = frames > 0 ? 100 * late / frames : 0;
}

// Prints the usual table and keeps the CPU time of each case (the median when
// repeated): on a shared machine the wall time mostly measures the others.
class CRatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (median || (run.run_type == Run::RT_Iteration && !times.count(run.run_name.str())))
                times[run.run_name.str()] = run.GetAdjustedCPUTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }

    std::map<std::string, double> times;
};

} // namespace

BENCHMARK(PaintScreen)
    ->ArgNames({ "points", "cold" })
    ->Args({ 250000, 1 })
    ->Args({ 2000, 1 })
    ->Args({ 250000, 0 })
    ->Args({ 2000, 0 })
    ->Unit(benchmark::kMillisecond);
BENCHMARK(Scroll)->Unit(benchmark::kMillisecond)->Iterations(2);

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    CRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    for (const char* cold : { "1", "0" }) {
        const auto large = reporter.times.find(std::string("PaintScreen/points:250000/cold:") + cold);
        const auto small = reporter.times.find(std::string("PaintScreen/points:2000/cold:") + cold);
        if (large != reporter.times.end() && small != reporter.times.end() && small->second > 0)
            std::printf("%s screen of %d cards, 250 000 against 2 000 samples (CPU time): %.2f x\n",
                cold[0] == '1' ? "Cold" : "Warm", kScreenRows, large->second / small->second);
    }
    g_lists.clear();
    return 0;
}
