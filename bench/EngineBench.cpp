// Speed of the engine's per-frame path: ten seconds of stereo at 44.1 kHz
// per iteration, with the parameters re-applied every 512 frames as the
// effect does. "ns_per_frame" is the cost of one stereo frame (the library
// prints it with an "s" after the number: read it as nanoseconds);
// "realtime" is how many times faster than the audio clock that is.
//
//   cmake --preset native && cmake --build --preset native --target brv_bench
//   build/native/bench/brv_bench
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "tests/support/DspTestSupport.h"
#include "tests/dsp/EngineDriver.h"

namespace {

using dsp::EngineParameters;
using dsp::ReverbEngine;

constexpr int rate = 44100;
constexpr int frames = 10 * rate;

std::vector<float> noise() {
    dsp::TestNoise source;
    std::vector<float> v(2 * frames);
    for (float& x : v) x = source.next();
    return v;
}

void render(benchmark::State& state, const EngineParameters& p, bool silence, bool longTailFirst) {
    auto engine = std::make_unique<ReverbEngine>();
    const std::vector<float> input = silence ? std::vector<float>(2 * frames, 0.0f) : noise();
    std::vector<float> buffer(2 * frames);
    if (longTailFirst) {
        buffer = noise();
        dsp::processBlocks(*engine, p, buffer.data(), frames);
    }
    for (auto _ : state) {
        state.PauseTiming();
        buffer = input;
        state.ResumeTiming();
        dsp::processBlocks(*engine, p, buffer.data(), frames);
        benchmark::DoNotOptimize(buffer.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * frames);
    state.counters["realtime"] =
        benchmark::Counter(static_cast<double>(state.iterations()) * frames / rate, benchmark::Counter::kIsRate);
    state.counters["ns_per_frame"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * frames * 1e-9,
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

EngineParameters sizesFull() {
    EngineParameters p;
    p.earlySize = 1.0f;
    p.lateSize = 1.0f;
    p.damping = 0.9f;
    return p;
}

void allHalf(benchmark::State& state) { render(state, EngineParameters{}, false, false); }
void largeRoomLongDecay(benchmark::State& state) { render(state, sizesFull(), false, false); }
void silenceAfterLongTail(benchmark::State& state) { render(state, sizesFull(), true, true); }

}  // namespace

BENCHMARK(allHalf)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(largeRoomLongDecay)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(silenceAfterLongTail)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
