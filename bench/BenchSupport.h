// What both benchmark programs measure with: a noise signal that is the same
// on every run, and the per-frame counters their tables and summaries read.
#pragma once

#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

namespace bench {

constexpr int rate = 44100;
// The block a host hands over at a time, and the period at which the
// engine's settings are applied again, as the effect does at each call.
constexpr int block = 512;

// Full-scale white noise in [−1, 1) from a linear congruential generator:
// the reverb's cost does not depend on the values, only on their being
// neither silence nor denormals.
class Noise final {
public:
    float next() {
        state = state * 1664525u + 1013904223u;
        return static_cast<float>(state >> 8) / 8388608.0f - 1.0f;
    }
    std::vector<float> take(int count) {
        std::vector<float> v(static_cast<size_t>(count));
        for (float& x : v) x = next();
        return v;
    }

private:
    uint32_t state = 12345;
};

// "realtime": how many times faster than the audio clock the frames went;
// "ns_per_frame": CPU time per stereo frame (the library prints it in
// seconds' units with an "s" after the number: read it as nanoseconds).
inline void countFrames(benchmark::State& state, double framesPerIteration,
                        double audioRate = rate) {
    const double frames = static_cast<double>(state.iterations()) * framesPerIteration;
    state.SetItemsProcessed(static_cast<int64_t>(frames));
    state.counters["realtime"] =
        benchmark::Counter(frames / audioRate, benchmark::Counter::kIsRate);
    state.counters["ns_per_frame"] = benchmark::Counter(
        frames * 1e-9, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

}  // namespace bench
