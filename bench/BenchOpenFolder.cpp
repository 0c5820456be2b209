// The window's list opening a folder of 3 000 real traces (the bundled
// samples and the instrument files beside the project that load without
// warnings, in turn, as hard links or copies): the time against reading the same bytes, and the memory the
// list holds against the folder's bytes, in the same run.
//   build/bin/bench-openfolder [--benchmark_filter=...]   (LUMETRIX_BENCH_FILES sets the count)
// Memory is the peak resident size while listing (the kernel's high-water mark,
// reset before each pass) less the resident size before the first pass; the
// heap the list holds once listed is given beside it.
#include <CFile.h>
#include <CFileList.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <cstdio>
#include <malloc.h>
#include <memory>
#include <unistd.h>

namespace {

qint64 StatusKb(const char* key)
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : status.readAll().split('\n')) {
        if (line.startsWith(key))
            return line.mid(int(qstrlen(key))).trimmed().split(' ').front().toLongLong();
    }
    return 0;
}

void ResetPeak()
{
    QFile clear(QStringLiteral("/proc/self/clear_refs"));
    if (clear.open(QIODevice::WriteOnly))
        clear.write("5");
}

class tFolder
{
public:
    tFolder()
    {
        const int count = qEnvironmentVariableIntValue("LUMETRIX_BENCH_FILES") > 0
            ? qEnvironmentVariableIntValue("LUMETRIX_BENCH_FILES")
            : 3000;
        const QString source = QStringLiteral(LUMETRIX_SOURCE_DIR);
        const QString shared = qEnvironmentVariable("LUMETRIX_SHARED_DIR", source + QStringLiteral("/../shared"));
        QStringList originals;
        for (const QString& dir : { source + QStringLiteral("/samples"), shared + QStringLiteral("/sor-samples/v1"),
                 shared + QStringLiteral("/sor-samples/v2") }) {
            for (const QFileInfo& entry : QDir(dir).entryInfoList({ QStringLiteral("*.sor") }, QDir::Files, QDir::Name)) {
                // A file with load warnings would stop the listing with a question.
                try {
                    quint32 warnings = 0;
                    const sor::CFile file(entry.absoluteFilePath(), warnings);
                    if (warnings == 0)
                        originals << entry.absoluteFilePath();
                } catch (...) {
                }
            }
        }
        ok = m_dir.isValid() && !originals.isEmpty();
        for (int i = 0; i < count && ok; ++i) {
            const QString original = originals.at(i % originals.size());
            const QString path = m_dir.filePath(QStringLiteral("%1-%2").arg(i, 5, 10, QLatin1Char('0')).arg(QFileInfo(original).fileName()));
            ok = ::link(QFile::encodeName(original).constData(), QFile::encodeName(path).constData()) == 0
                || QFile::copy(original, path);
            bytes += QFileInfo(path).size();
            files = i + 1;
        }
    }

    QString Path() const { return m_dir.path(); }
    bool ok = true;
    qint64 bytes = 0;
    int files = 0;

private:
    QTemporaryDir m_dir;
};

// Resident size before anything was listed: freed documents stay in the
// heap, so a later pass's own growth would miss what it reuses.
qint64 g_startKb = 0;

const tFolder& Folder()
{
    static const tFolder folder;
    return folder;
}

// The floor: reading every file's bytes once.
void ReadBytes(benchmark::State& state)
{
    for (auto _ : state) {
        qint64 total = 0;
        for (const QFileInfo& entry : QDir(Folder().Path()).entryInfoList(QDir::Files)) {
            QFile file(entry.filePath());
            if (file.open(QIODevice::ReadOnly))
                total += file.readAll().size();
        }
        if (total != Folder().bytes)
            state.SkipWithError("the folder could not be read");
    }
}

void OpenFolder(benchmark::State& state)
{
    double ratio = 0;
    double heap = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto window = std::make_unique<QWidget>();
        auto* list = new CFileList(window.get());
        window->resize(250, 700);
        list->resize(250, 700);
        window->show();
        QCoreApplication::processEvents();
        ResetPeak();
        const size_t heapBefore = mallinfo2().uordblks;
        state.ResumeTiming();

        list->SetDir(Folder().Path());
        QCoreApplication::processEvents();

        state.PauseTiming();
        ratio = double(StatusKb("VmHWM:") - g_startKb) * 1024.0 / double(Folder().bytes);
        heap = double(mallinfo2().uordblks - heapBefore) / double(Folder().bytes);
        if (list->count() != Folder().files)
            state.SkipWithError("not every trace listed");
        window.reset();
        state.ResumeTiming();
    }
    state.counters["files"] = Folder().files;
    state.counters["folder_MB"] = double(Folder().bytes) / 1e6;
    state.counters["memory_per_folder_byte"] = ratio;
    // What the list still holds on the heap once listed (without the peak
    // while listing and what the allocator keeps).
    state.counters["heap_held_per_folder_byte"] = heap;
}

} // namespace

BENCHMARK(ReadBytes)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->DisplayAggregatesOnly(true);
BENCHMARK(OpenFolder)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->DisplayAggregatesOnly(true);

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    if (!Folder().ok) {
        std::fprintf(stderr, "bench-openfolder: the folder could not be made\n");
        return 1;
    }
    g_startKb = StatusKb("VmRSS:");
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
