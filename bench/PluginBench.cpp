// Speed of the whole effect as a host drives it: processReplacing through
// the descriptor in 512-frame blocks, engine on, default settings, over ten
// seconds of stereo noise at 44.1 kHz per iteration.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "core/ReverbPluginGui.h"

namespace {

constexpr int rate = 44100;
constexpr int frames = 10 * rate;
constexpr int block = 512;

void processReplacingThroughTheDescriptor(benchmark::State& state) {
    auto plugin = std::make_unique<ReverbPluginGui>(nullptr);
    AEffect* e = plugin->getAeffect();
    e->setParameter(e, 7, 1.0f);
    std::vector<float> left(frames), right(frames), outLeft(frames), outRight(frames);
    uint32_t seed = 12345;
    for (int i = 0; i < frames; ++i) {
        seed = seed * 1664525u + 1013904223u;
        left[i] = static_cast<float>(seed >> 8) / 8388608.0f - 1.0f;
        seed = seed * 1664525u + 1013904223u;
        right[i] = static_cast<float>(seed >> 8) / 8388608.0f - 1.0f;
    }
    for (auto _ : state) {
        for (int start = 0; start < frames; start += block) {
            const int n = frames - start < block ? frames - start : block;
            float* in[2] = {left.data() + start, right.data() + start};
            float* out[2] = {outLeft.data() + start, outRight.data() + start};
            e->processReplacing(e, in, out, n);
        }
        benchmark::DoNotOptimize(outLeft.data());
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * frames);
    state.counters["realtime"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * frames / rate, benchmark::Counter::kIsRate);
    state.counters["ns_per_frame"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * frames * 1e-9,
        benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

}  // namespace

BENCHMARK(processReplacingThroughTheDescriptor)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5)
    ->ReportAggregatesOnly(true);

BENCHMARK_MAIN();
