// Listing a folder of 1 000 synthetic traces of 30 000 samples with the file
// list, against loading the same files with the document class alone, in the
// same run. The list keeps every file loaded, so the difference is what the
// list itself adds: rows, the shown traces, the state signals and the layout
// of a shown list (pending events are processed inside the timing).
//   build/bin/bench-filelist [--benchmark_filter=...]
// The folder is written once at start into a temporary folder; the summary
// line gives the list's cost relative to the loading alone.
#include <CFile.h>
#include <CFileList.h>
#include <SorBuilder.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#if defined(__GLIBC__)
#include <malloc.h>
#endif
#include <map>
#include <memory>
#include <vector>

namespace {

constexpr int kFiles = 1000;
constexpr int kSamples = 30000;

// One synthetic trace of 2 m per sample: falling backscatter with a little
// noise, written under every name. The copies differ only in their names,
// which is all the list and the loader see of them.
QByteArray SyntheticTrace()
{
    using namespace SorBuilder;
    tFixed fixed;
    fixed.groupIndex = 149896229;
    fixed.pulses[0].spacing = 1000000000;
    fixed.pulses[0].points = quint32(kSamples);
    tDataPoints points;
    std::vector<quint16>& samples = points.groups[0].samples;
    samples.resize(size_t(kSamples));
    quint32 state = 12345;
    for (int i = 0; i < kSamples; ++i) {
        state = state * 1664525u + 1013904223u;
        samples[size_t(i)] = quint16(4000 + i * 20000 / kSamples + int((state >> 20) % 200));
    }
    return Assemble({ { "GenParams", 100, GeneralBody(), {} }, { "SupParams", 100, SupplierBody(), {} },
        { "FxdParams", 100, FixedBody(fixed), {} }, { "KeyEvents", 100, KeyEventsBody(), {} },
        { "DataPts", 100, DataPointsBody(points), {} } });
}

class tFolder
{
public:
    tFolder()
    {
        const QByteArray image = SyntheticTrace();
        for (int i = 0; i < kFiles && ok; ++i) {
            QFile file(m_dir.filePath(QStringLiteral("trace%1.sor").arg(i, 4, 10, QLatin1Char('0'))));
            ok = file.open(QIODevice::WriteOnly) && file.write(image) == image.size();
        }
        ok = ok && m_dir.isValid();
    }

    QString Path() const { return m_dir.path(); }
    bool ok = true;

private:
    QTemporaryDir m_dir;
};

const tFolder& Folder()
{
    static const tFolder folder;
    return folder;
}

void LoadAlone(benchmark::State& state)
{
    if (!Folder().ok) {
        state.SkipWithError("cannot write the traces");
        return;
    }
    for (auto _ : state) {
        std::vector<QSharedPointer<sor::CFile>> files;
        const QDir dir(Folder().Path());
        for (const QFileInfo& entry : dir.entryInfoList({ QStringLiteral("*.sor") }, QDir::Files, QDir::Name)) {
            quint32 warnings = 0;
            files.push_back(QSharedPointer<sor::CFile>::create(entry.canonicalFilePath(), warnings));
        }
        state.PauseTiming();
        if (int(files.size()) != kFiles)
            state.SkipWithError("not every trace loaded");
        files.clear();
        state.ResumeTiming();
    }
    state.counters["files"] = kFiles;
}

void ListFolder(benchmark::State& state)
{
    if (!Folder().ok) {
        state.SkipWithError("cannot write the traces");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<QWidget>();
        auto* list = new CFileList(window.get());
        list->resize(250, 700);
        window->resize(250, 700);
        window->show();
        QCoreApplication::processEvents();
        state.ResumeTiming();

        list->SetDir(Folder().Path());
        QCoreApplication::processEvents();

        state.PauseTiming();
        if (list->count() != kFiles)
            state.SkipWithError("not every trace listed");
        window.reset();
        state.ResumeTiming();
    }
    state.counters["files"] = kFiles;
}

// Prints the usual table and keeps the median real time of each case for the
// summary.
class CRatioReporter : public benchmark::ConsoleReporter
{
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                times[run.run_name.function_name] = run.GetAdjustedRealTime();
        }
        ConsoleReporter::ReportRuns(runs);
    }

    std::map<std::string, double> times;
};

} // namespace

// The first pass also pays for reading the folder from disk and for growing
// the heap; the median of several passes leaves that out of both cases.
BENCHMARK(LoadAlone)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(5)->DisplayAggregatesOnly(true);
BENCHMARK(ListFolder)->Unit(benchmark::kMillisecond)->Iterations(3)->Repetitions(5)->DisplayAggregatesOnly(true);

int main(int argc, char* argv[])
{
#if defined(__GLIBC__)
    // Both cases free 1 000 documents after each pass. Whether the allocator
    // then hands that memory back to the system (and faults it in again) would
    // otherwise depend on what else happens to sit on the heap, and decide the
    // comparison; with trimming off both cases reuse the same memory.
    mallopt(M_TRIM_THRESHOLD, 1 << 30);
    mallopt(M_MMAP_THRESHOLD, 1 << 30);
#endif
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    Folder();
    CRatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    const auto load = reporter.times.find("LoadAlone");
    const auto list = reporter.times.find("ListFolder");
    if (load != reporter.times.end() && list != reporter.times.end() && load->second > 0) {
        // Medians, in the unit of the table (ms).
        std::printf("Loading %d traces: %.1f ms; listing them: %.1f ms; the list adds %.0f %%\n", kFiles, load->second,
            list->second, (list->second / load->second - 1.0) * 100.0);
    }
    return 0;
}
