// Speed of the whole effect as a host drives it: processReplacing through
// the descriptor in 512-frame blocks, engine on, default settings, over ten
// seconds of stereo noise at 44.1 kHz per iteration; the same for a frozen
// copy of the effect as it was before the engine was made faster, measured
// in the same run; creating and closing an instance; 33 instances processed
// in turn. At the end a summary gives the ratios of the medians. The
// repetitions of all cases run in random order, so that a burst of load from
// elsewhere on the machine falls on the new effect and the baseline alike.
//
//   cmake --preset native && cmake --build --preset native --target brv_plugin_bench
//   build/native/bench/brv_plugin_bench
#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/baseline/FrozenReverbPlugin.h"
#include "module/ReverbPluginGui.h"

namespace {

constexpr int rate = 44100;
constexpr int block = 512;
constexpr int instanceCount = 33;

struct StereoNoise {
    std::vector<float> left, right, outLeft, outRight;
    explicit StereoNoise(int frames) : left(frames), right(frames), outLeft(frames), outRight(frames) {
        uint32_t seed = 12345;
        for (int i = 0; i < frames; ++i) {
            seed = seed * 1664525u + 1013904223u;
            left[i] = static_cast<float>(seed >> 8) / 8388608.0f - 1.0f;
            seed = seed * 1664525u + 1013904223u;
            right[i] = static_cast<float>(seed >> 8) / 8388608.0f - 1.0f;
        }
    }
    int frames() const { return static_cast<int>(left.size()); }
};

void processBlock(AEffect* e, StereoNoise& signal, int start) {
    const int n = signal.frames() - start < block ? signal.frames() - start : block;
    float* in[2] = {signal.left.data() + start, signal.right.data() + start};
    float* out[2] = {signal.outLeft.data() + start, signal.outRight.data() + start};
    e->processReplacing(e, in, out, n);
}

void setFrameCounters(benchmark::State& state, double framesPerIteration) {
    const double frames = static_cast<double>(state.iterations()) * framesPerIteration;
    state.SetItemsProcessed(static_cast<int64_t>(frames));
    state.counters["realtime"] = benchmark::Counter(frames / rate, benchmark::Counter::kIsRate);
    state.counters["ns_per_frame"] =
        benchmark::Counter(frames * 1e-9, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

template <class Effect>
std::unique_ptr<Effect> runningEffect() {
    auto effect = std::make_unique<Effect>(nullptr);
    AEffect* e = effect->getAeffect();
    e->setParameter(e, paramOnOff, 1.0f);
    return effect;
}

template <class Effect>
void processReplacing(benchmark::State& state) {
    auto effect = runningEffect<Effect>();
    AEffect* e = effect->getAeffect();
    StereoNoise signal(10 * rate);
    for (auto _ : state) {
        for (int start = 0; start < signal.frames(); start += block) processBlock(e, signal, start);
        benchmark::DoNotOptimize(signal.outLeft.data());
        benchmark::ClobberMemory();
    }
    setFrameCounters(state, signal.frames());
}

long minorFaults() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

// What a host does when it scans plug-ins or loads a project. The page
// faults counted say how much fresh memory the construction touches.
template <class Effect>
void createAndClose(benchmark::State& state) {
    long faults = 0;
    for (auto _ : state) {
        const long before = minorFaults();
        auto effect = std::make_unique<Effect>(nullptr);
        benchmark::DoNotOptimize(effect->getAeffect());
        effect.reset();
        faults += minorFaults() - before;
    }
    state.counters["page_faults"] = benchmark::Counter(static_cast<double>(faults), benchmark::Counter::kAvgIterations);
}

// Many tracks, one reverb each: every instance gets its block in turn, as a
// host's single audio thread does. ns_per_frame is per instance, to compare
// with one instance alone.
template <class Effect>
void instancesInTurn(benchmark::State& state) {
    std::vector<std::unique_ptr<Effect>> effects;
    std::vector<StereoNoise> signals;
    for (int k = 0; k < instanceCount; ++k) {
        effects.push_back(runningEffect<Effect>());
        signals.emplace_back(2 * rate);
    }
    // Let every line's write position walk once through its memory first,
    // so that all the memory the instances use while running is in play.
    for (int lap = 0; lap < 3; ++lap)
        for (int start = 0; start < signals[0].frames(); start += block)
            for (int k = 0; k < instanceCount; ++k) processBlock(effects[k]->getAeffect(), signals[k], start);
    for (auto _ : state) {
        for (int start = 0; start < signals[0].frames(); start += block)
            for (int k = 0; k < instanceCount; ++k) processBlock(effects[k]->getAeffect(), signals[k], start);
        benchmark::DoNotOptimize(signals[0].outLeft.data());
        benchmark::ClobberMemory();
    }
    setFrameCounters(state, static_cast<double>(signals[0].frames()) * instanceCount);
}

// The console table, then the medians and ratios that the speed goals are
// stated in.
class SummaryReporter final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median") continue;
            const std::string name = run.run_name.function_name;
            const auto perFrame = run.counters.find("ns_per_frame");
            medians[name] = perFrame != run.counters.end() ? perFrame->second.value : run.GetAdjustedCPUTime();
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        // CPU time throughout, like the per-frame counters: while other work
        // shares the machine, wall-clock time counts its turns too.
        std::printf("\nmedians of CPU time (ns per frame, ms per creation)\n");
        ratio("processReplacing: new / frozen baseline", "processReplacing<ReverbPluginGui>",
              "processReplacing<FrozenReverbPlugin>");
        ratio("create and close: new / frozen baseline", "createAndClose<ReverbPluginGui>",
              "createAndClose<FrozenReverbPlugin>");
        ratio("33 instances in turn: per instance / one alone", "instancesInTurn<ReverbPluginGui>",
              "processReplacing<ReverbPluginGui>");
    }

private:
    void ratio(const char* what, const std::string& a, const std::string& b) {
        if (!medians.count(a) || !medians.count(b)) return;
        std::printf("  %-48s %10.3f / %10.3f = %.3f\n", what, medians[a], medians[b], medians[a] / medians[b]);
    }
    std::map<std::string, double> medians;
};

}  // namespace

BENCHMARK_TEMPLATE(processReplacing, ReverbPluginGui)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK_TEMPLATE(processReplacing, FrozenReverbPlugin)->Unit(benchmark::kMillisecond)->Repetitions(9)->ReportAggregatesOnly(true);
BENCHMARK_TEMPLATE(createAndClose, ReverbPluginGui)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_TEMPLATE(createAndClose, FrozenReverbPlugin)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK_TEMPLATE(instancesInTurn, ReverbPluginGui)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

int main(int argc, char** argv) {
    // Interleaving first; anything on the command line comes after it and wins.
    std::vector<char*> args(argv, argv + argc);
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, interleave);
    argc = static_cast<int>(args.size());
    argv = args.data();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    SummaryReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
