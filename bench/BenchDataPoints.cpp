// The data-points block's conversion of scaled samples (a scale factor other
// than 1) to held samples: the bulk conversion against the per-sample loop it
// replaced (a floor call per sample) and against a plain copy of the samples,
// in the same run, for the sizes of a short and a long trace.
//   build/bin/bench-datapoints [--benchmark_filter=...]
#include <CDataPoints.h>

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstring>
#include <vector>

namespace {

// A scale factor found in real files of one large maker.
constexpr float kFactor = 1.024f;

std::vector<quint16> Samples(size_t count)
{
    std::vector<quint16> samples(count);
    quint32 state = 12345;
    for (quint16& sample : samples) {
        state = state * 1103515245u + 12345u;
        sample = quint16(5000 + (state >> 16) % 40000);
    }
    return samples;
}

// The loop as it was: one floor call and two compares per sample.
void PerSampleFloor(benchmark::State& state)
{
    const std::vector<quint16> file = Samples(size_t(state.range(0)));
    std::vector<quint16> held(file.size());
    for (auto _ : state) {
        for (size_t i = 0; i < file.size(); ++i) {
            const float value = std::floor(float(file[i]) * kFactor + 0.5f);
            held[i] = (value >= 0.0f && value <= 65535.0f) ? quint16(value) : quint16(65535);
        }
        benchmark::DoNotOptimize(held.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * state.range(0) * 2);
}

void BulkToHeld(benchmark::State& state)
{
    const std::vector<quint16> file = Samples(size_t(state.range(0)));
    std::vector<quint16> held(file.size());
    for (auto _ : state) {
        bc::CDataPoints::tDataPointsGroup::ToHeld(file.data(), file.size(), kFactor, held.data());
        benchmark::DoNotOptimize(held.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * state.range(0) * 2);
}

void PlainCopy(benchmark::State& state)
{
    const std::vector<quint16> file = Samples(size_t(state.range(0)));
    std::vector<quint16> held(file.size());
    for (auto _ : state) {
        std::memcpy(held.data(), file.data(), file.size() * 2);
        benchmark::DoNotOptimize(held.data());
        benchmark::ClobberMemory();
    }
    state.SetBytesProcessed(state.iterations() * state.range(0) * 2);
}

} // namespace

BENCHMARK(PerSampleFloor)->Arg(16000)->Arg(250000);
BENCHMARK(BulkToHeld)->Arg(16000)->Arg(250000);
BENCHMARK(PlainCopy)->Arg(16000)->Arg(250000);

BENCHMARK_MAIN();
