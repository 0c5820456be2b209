// Loading and saving the largest bundled trace, measured against reading the
// same file's bytes with QFile::readAll in the same run; the same for the
// largest real instrument file of the later layout (the shared material
// beside the project, or LUMETRIX_SHARED_DIR), where it is there.
//   build/bin/bench-sor [--benchmark_filter=...]
// The bundled file can be chosen with LUMETRIX_BENCH_FILE.
#include <CFile.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QString Largest(const QString& folder)
{
    const QFileInfoList files = QDir(folder).entryInfoList({ QStringLiteral("*.sor") }, QDir::Files, QDir::Size);
    return files.isEmpty() ? QString() : files.front().absoluteFilePath();
}

QString BenchFile()
{
    const QString chosen = qEnvironmentVariable("LUMETRIX_BENCH_FILE");
    return chosen.isEmpty() ? Largest(QStringLiteral(LUMETRIX_SOURCE_DIR "/samples")) : chosen;
}

const QString& File()
{
    static const QString file = BenchFile();
    return file;
}

const QString& LaterLayoutFile()
{
    static const QString file
        = Largest(qEnvironmentVariable("LUMETRIX_SHARED_DIR", QStringLiteral(LUMETRIX_SOURCE_DIR "/../shared"))
            + QStringLiteral("/sor-samples/v2"));
    return file;
}

template<const QString& (*Path)()> void ReadAll(benchmark::State& state)
{
    if (Path().isEmpty()) {
        state.SkipWithError("no such trace here");
        return;
    }
    for (auto _ : state) {
        QFile file(Path());
        if (!file.open(QIODevice::ReadOnly)) {
            state.SkipWithError("cannot open the trace");
            return;
        }
        benchmark::DoNotOptimize(file.readAll());
    }
    state.SetLabel(QFileInfo(Path()).fileName().toStdString());
}

template<const QString& (*Path)()> void Load(benchmark::State& state)
{
    if (Path().isEmpty()) {
        state.SkipWithError("no such trace here");
        return;
    }
    int points = 0;
    for (auto _ : state) {
        quint32 warnings = 0;
        sor::CFile file(Path(), warnings);
        points = file.PointCount();
        benchmark::DoNotOptimize(points);
    }
    state.counters["points"] = points;
}

void SaveImage(benchmark::State& state)
{
    quint32 warnings = 0;
    sor::CFile file(File(), warnings);
    for (auto _ : state)
        benchmark::DoNotOptimize(file.Image());
}

void SaveToDisk(benchmark::State& state)
{
    quint32 warnings = 0;
    sor::CFile file(File(), warnings);
    QTemporaryDir dir;
    const QString target = dir.filePath(QStringLiteral("copy.sor"));
    for (auto _ : state)
        file.SaveCopy(target);
}

} // namespace

BENCHMARK_TEMPLATE(ReadAll, File)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(Load, File)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(ReadAll, LaterLayoutFile)->Unit(benchmark::kMicrosecond);
BENCHMARK_TEMPLATE(Load, LaterLayoutFile)->Unit(benchmark::kMicrosecond);
BENCHMARK(SaveImage)->Unit(benchmark::kMicrosecond);
BENCHMARK(SaveToDisk)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
