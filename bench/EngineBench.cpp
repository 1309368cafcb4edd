// Speed of the engine alone: ten seconds of stereo at 44.1 kHz per
// iteration, handed over in 512-frame blocks with the settings applied again
// before each, as the effect does at every processing call.
//
//   cmake --preset native && cmake --build --preset native --target brv_bench
//   build/native/bench/brv_bench
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "bench/BenchSupport.h"
#include "dsp/ReverbEngine.h"

namespace {

using dsp::ReverbEngine;

constexpr int frames = 10 * bench::rate;

// Settings in the engine's own units (notes, the decay exponent), so that
// the benchmark measures the engine without depending on how the effect
// maps its knobs onto them.
struct Room {
    float earlyNote;
    float lateNote;
    float diffusion;
    float decay;
    float balance;
};

// Every knob of the effect at its middle.
constexpr Room middleRoom{24.0f, 12.0f, 0.5f, 30.0f, 0.5f};
// Both sizes at their largest, decay at nine tenths of its range.
constexpr Room largeRoom{-12.0f, -24.0f, 0.5f, 54.0f, 0.5f};

void renderBlocks(ReverbEngine& engine, const Room& room, float* interleaved, int count) {
    for (int start = 0; start < count; start += bench::block) {
        engine.setEarlySize(room.earlyNote);
        engine.setLateSize(room.lateNote);
        engine.setDiffusion(room.diffusion);
        engine.setDecay(room.decay);
        engine.setBalance(room.balance);
        const int n = count - start < bench::block ? count - start : bench::block;
        engine.processFrames(interleaved + 2 * start, n);
    }
}

void render(benchmark::State& state, const Room& room, bool silence, bool longTailFirst) {
    auto engine = std::make_unique<ReverbEngine>();
    bench::Noise noise;
    const std::vector<float> input =
        silence ? std::vector<float>(2 * frames, 0.0f) : noise.take(2 * frames);
    std::vector<float> buffer(2 * frames);
    if (longTailFirst) {
        buffer = noise.take(2 * frames);
        renderBlocks(*engine, room, buffer.data(), frames);
    }
    for (auto _ : state) {
        state.PauseTiming();
        buffer = input;
        state.ResumeTiming();
        renderBlocks(*engine, room, buffer.data(), frames);
        benchmark::DoNotOptimize(buffer.data());
        benchmark::ClobberMemory();
    }
    bench::countFrames(state, frames);
}

void allHalf(benchmark::State& state) { render(state, middleRoom, false, false); }
void largeRoomLongDecay(benchmark::State& state) { render(state, largeRoom, false, false); }
void silenceAfterLongTail(benchmark::State& state) { render(state, largeRoom, true, true); }

}  // namespace

BENCHMARK(allHalf)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(largeRoomLongDecay)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);
BENCHMARK(silenceAfterLongTail)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
