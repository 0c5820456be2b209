// Analysing a trace against loading it, in the same run: the largest bundled
// trace (250 000 samples) loaded and analysed, and synthetic traces of
// 250 000 and 1 000 000 samples at the same spacing, whose analysis should
// cost about four times as much as the shorter one.
//   build/bin/bench-analysis [--benchmark_filter=...]
#include <CFile.h>
#include <CSynthTrace.h>
#include <CTraceAnalyzer.h>
#include <tTraceInput.h>

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

#include <benchmark/benchmark.h>

#include <memory>

namespace {

QString Largest()
{
    const QFileInfoList files = QDir(QStringLiteral(LUMETRIX_SOURCE_DIR "/samples"))
                                    .entryInfoList({ QStringLiteral("*.sor") }, QDir::Files, QDir::Size);
    return files.isEmpty() ? QString() : files.front().absoluteFilePath();
}

void LoadSample(benchmark::State& state)
{
    const QString path = Largest();
    for (auto _ : state) {
        quint32 warnings = 0;
        sor::CFile file(path, warnings);
        benchmark::DoNotOptimize(file.PointCount());
    }
    state.SetLabel(QFileInfo(path).fileName().toStdString());
}

void AnalyzeSample(benchmark::State& state)
{
    quint32 warnings = 0;
    const sor::CFile file(Largest(), warnings);
    const analysis::tTraceInput input = analysis::tTraceInput::FromFile(file, 0, analysis::tThresholds());
    for (auto _ : state)
        benchmark::DoNotOptimize(analysis::CTraceAnalyzer::Analyze(input).events.size());
    state.SetLabel(std::to_string(input.samples.size()) + " samples");
}

// A synthetic trace of `points` samples, 0.125 m apart.
analysis::tTraceInput Synthetic(int points)
{
    CSynthTrace::tOptions options;
    options.points = points;
    options.lengthKm = points * 0.125 / 1250.0;
    options.events = 12;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("trace.sor"));
    CSynthTrace(options).Write(path);
    quint32 warnings = 0;
    const sor::CFile file(path, warnings);
    return analysis::tTraceInput::FromFile(file, 0, analysis::tThresholds());
}

void AnalyzeSynthetic(benchmark::State& state)
{
    const analysis::tTraceInput input = Synthetic(int(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(analysis::CTraceAnalyzer::Analyze(input).events.size());
}

} // namespace

BENCHMARK(LoadSample)->Unit(benchmark::kMillisecond);
BENCHMARK(AnalyzeSample)->Unit(benchmark::kMillisecond);
BENCHMARK(AnalyzeSynthetic)->Arg(250000)->Arg(1000000)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
