// Loading and saving the largest bundled trace, measured against reading the
// same file's bytes with QFile::readAll in the same run.
//   build/bin/bench-sor [--benchmark_filter=...]
// The file can be chosen with LUMETRIX_BENCH_FILE.
#include <CFile.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

namespace {

QString BenchFile()
{
    const QString chosen = qEnvironmentVariable("LUMETRIX_BENCH_FILE");
    if (!chosen.isEmpty())
        return chosen;
    const QDir samples(QStringLiteral(LUMETRIX_SOURCE_DIR "/samples"));
    const QFileInfoList files = samples.entryInfoList({ QStringLiteral("*.sor") }, QDir::Files, QDir::Size);
    return files.isEmpty() ? QString() : files.front().absoluteFilePath();
}

const QString& File()
{
    static const QString file = BenchFile();
    return file;
}

void ReadAll(benchmark::State& state)
{
    for (auto _ : state) {
        QFile file(File());
        if (!file.open(QIODevice::ReadOnly)) {
            state.SkipWithError("cannot open the trace");
            return;
        }
        benchmark::DoNotOptimize(file.readAll());
    }
    state.SetLabel(QFileInfo(File()).fileName().toStdString());
}

void Load(benchmark::State& state)
{
    int points = 0;
    for (auto _ : state) {
        quint32 warnings = 0;
        sor::CFile file(File(), warnings);
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

BENCHMARK(ReadAll)->Unit(benchmark::kMicrosecond);
BENCHMARK(Load)->Unit(benchmark::kMicrosecond);
BENCHMARK(SaveImage)->Unit(benchmark::kMicrosecond);
BENCHMARK(SaveToDisk)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
