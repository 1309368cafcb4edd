// Speed of the whole effect as a DAW drives it: the module is loaded through
// the host library, each instance is opened, given 44.1 kHz (or 96 kHz) and
// 512-frame blocks, switched on and fed ten seconds of stereo noise per
// iteration through processReplacing. Also timed: creating and closing an instance
// (with the fresh pages it touches) and 33 instances processed in turn.
//
// Given a second module, any commit's (scripts/bench-baseline.sh REV builds
// it), the same cases run for it in the same process, and a summary at the
// end gives the ratios of the CPU-time medians. The repetitions of all cases
// run in random order, so that a burst of load from elsewhere on the
// machine falls on both modules alike.
//
//   cmake --preset native && cmake --build --preset native --target brv_plugin_bench
//   build/native/bench/brv_plugin_bench [--baseline=MODULE] [--module=MODULE]
//
// The baseline may also be named by BRV_BASELINE_MODULE; the flag wins.
// --module replaces the module built beside this program.
#include <benchmark/benchmark.h>

#include <sys/resource.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "bench/BenchSupport.h"
#include "host/VstHost.h"

namespace {

constexpr int instanceCount = 33;
// The effect's power switch in its published parameter order: a host finds
// the effect switched off.
constexpr int32_t powerParameter = 7;

// Noise on both inputs and room for both outputs, handed over a block at a
// time the way a host's audio thread does.
class StereoSignal final {
public:
    explicit StereoSignal(int frames) : outLeft(frames), outRight(frames) {
        bench::Noise noise;
        left = noise.take(frames);
        right = noise.take(frames);
    }
    int frames() const { return static_cast<int>(left.size()); }
    void processBlock(PluginInstance& plugin, int start) {
        const int n = frames() - start < bench::block ? frames() - start : bench::block;
        float* in[2] = {left.data() + start, right.data() + start};
        float* out[2] = {outLeft.data() + start, outRight.data() + start};
        plugin.processReplacing(in, out, n);
    }
    void processAll(PluginInstance& plugin) {
        for (int start = 0; start < frames(); start += bench::block) processBlock(plugin, start);
    }
    const float* output() const { return outLeft.data(); }

private:
    std::vector<float> left, right, outLeft, outRight;
};

// An instance as a host has it while playing: opened, told the rate and
// the block size, resumed and switched on. Null, with the state marked, if
// the module gives no effect.
std::unique_ptr<PluginInstance> runningInstance(benchmark::State& state, const LoadedModule& module,
                                                int rate = bench::rate) {
    auto plugin = std::make_unique<PluginInstance>();
    std::string error;
    if (!plugin->create(module, error)) {
        state.SkipWithError(error.c_str());
        return nullptr;
    }
    plugin->start(static_cast<float>(rate), bench::block);
    plugin->setParameter(powerParameter, 1.0f);
    return plugin;
}

void processReplacingAt(benchmark::State& state, const LoadedModule* module, int rate) {
    auto plugin = runningInstance(state, *module, rate);
    if (!plugin) return;
    StereoSignal signal(10 * rate);
    for (auto _ : state) {
        signal.processAll(*plugin);
        benchmark::DoNotOptimize(signal.output());
        benchmark::ClobberMemory();
    }
    bench::countFrames(state, signal.frames(), rate);
}

void processReplacing(benchmark::State& state, const LoadedModule* module) {
    processReplacingAt(state, module, bench::rate);
}

// A session at a high rate: the same work per frame, twice the frames.
void processReplacing96k(benchmark::State& state, const LoadedModule* module) {
    processReplacingAt(state, module, 96000);
}

long minorFaults() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_minflt;
}

// What a host does when it scans plug-ins or loads a project: main, open,
// close. The page faults counted say how much fresh memory that touches.
void createAndClose(benchmark::State& state, const LoadedModule* module) {
    long faults = 0;
    for (auto _ : state) {
        const long before = minorFaults();
        auto plugin = std::make_unique<PluginInstance>();
        std::string error;
        if (!plugin->create(*module, error)) {
            state.SkipWithError(error.c_str());
            return;
        }
        benchmark::DoNotOptimize(plugin->effect());
        plugin.reset();
        faults += minorFaults() - before;
    }
    state.counters["page_faults"] =
        benchmark::Counter(static_cast<double>(faults), benchmark::Counter::kAvgIterations);
}

// Many tracks, one reverb each: every instance gets its block in turn, as a
// host's single audio thread does. ns_per_frame is per instance, to compare
// with one instance alone.
void instancesInTurn(benchmark::State& state, const LoadedModule* module) {
    std::vector<std::unique_ptr<PluginInstance>> plugins;
    std::vector<StereoSignal> signals;
    for (int k = 0; k < instanceCount; ++k) {
        plugins.push_back(runningInstance(state, *module));
        if (!plugins.back()) return;
        signals.emplace_back(2 * bench::rate);
    }
    const int frames = signals[0].frames();
    const auto allInTurn = [&] {
        for (int start = 0; start < frames; start += bench::block)
            for (int k = 0; k < instanceCount; ++k) signals[k].processBlock(*plugins[k], start);
    };
    // Let every line's write position walk once through its memory first,
    // so that all the memory the instances use while running is in play.
    for (int lap = 0; lap < 3; ++lap) allInTurn();
    for (auto _ : state) {
        allInTurn();
        benchmark::DoNotOptimize(signals[0].output());
        benchmark::ClobberMemory();
    }
    bench::countFrames(state, static_cast<double>(frames) * instanceCount);
}

// The console table, then the medians and ratios that the speed goals are
// stated in.
class SummaryReporter final : public benchmark::ConsoleReporter {
public:
    // Colours only on a terminal, so that a table sent to a file reads clean.
    explicit SummaryReporter(bool withBaseline)
        : ConsoleReporter(isatty(STDOUT_FILENO) ? OO_ColorTabular : OO_Tabular),
          comparing(withBaseline) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            if (run.run_type != Run::RT_Aggregate || run.aggregate_name != "median") continue;
            const auto perFrame = run.counters.find("ns_per_frame");
            medians[run.run_name.function_name] =
                perFrame != run.counters.end() ? perFrame->second.value : run.GetAdjustedCPUTime();
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        // CPU time throughout, like the per-frame counters: while other work
        // shares the machine, wall-clock time counts its turns too.
        std::printf("\nmedians of CPU time (ns per frame, ms per creation)\n");
        if (comparing) {
            ratio("processReplacing: new / baseline", "processReplacing/new",
                  "processReplacing/baseline");
            ratio("processReplacing at 96 kHz: new / baseline", "processReplacing96k/new",
                  "processReplacing96k/baseline");
            ratio("create and close: new / baseline", "createAndClose/new",
                  "createAndClose/baseline");
        } else {
            std::printf("  no baseline module given: nothing to compare with\n");
        }
        ratio("33 instances in turn: per instance / one alone", "instancesInTurn/new",
              "processReplacing/new");
    }

private:
    void ratio(const char* what, const std::string& a, const std::string& b) {
        if (!medians.count(a) || !medians.count(b)) return;
        std::printf("  %-48s %10.3f / %10.3f = %.3f\n", what, medians[a], medians[b],
                    medians[a] / medians[b]);
    }
    bool comparing;
    std::map<std::string, double> medians;
};

// Which modules to load: the flags are taken out of the arguments before
// the library reads the rest.
struct ModulePaths {
    std::string current = BRV_MODULE_PATH;
    std::string baseline;

    explicit ModulePaths(std::vector<char*>& args) {
        if (const char* fromEnvironment = std::getenv("BRV_BASELINE_MODULE"))
            baseline = fromEnvironment;
        for (auto it = args.begin() + 1; it != args.end();) {
            const std::string arg = *it;
            if (takeValue(arg, "--baseline=", baseline) || takeValue(arg, "--module=", current))
                it = args.erase(it);
            else
                ++it;
        }
    }

private:
    static bool takeValue(const std::string& arg, const std::string& flag, std::string& value) {
        if (arg.compare(0, flag.size(), flag) != 0) return false;
        value = arg.substr(flag.size());
        return true;
    }
};

bool loadModule(LoadedModule& module, const std::string& path, const char* role) {
    std::string error;
    if (!module.load(path, error)) {
        std::fprintf(stderr, "%s module: %s\n", role, error.c_str());
        return false;
    }
    std::error_code failed;
    const auto bytes = std::filesystem::file_size(path, failed);
    std::printf("%-8s module %s, %llu bytes\n", role, path.c_str(),
                failed ? 0ULL : static_cast<unsigned long long>(bytes));
    return true;
}

void registerCases(const char* role, const LoadedModule* module, bool withInstances) {
    const std::string suffix = std::string("/") + role;
    benchmark::RegisterBenchmark(("processReplacing" + suffix).c_str(), processReplacing, module)
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(9)
        ->ReportAggregatesOnly(true);
    benchmark::RegisterBenchmark(("processReplacing96k" + suffix).c_str(), processReplacing96k,
                                 module)
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(9)
        ->ReportAggregatesOnly(true);
    benchmark::RegisterBenchmark(("createAndClose" + suffix).c_str(), createAndClose, module)
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(5)
        ->ReportAggregatesOnly(true);
    if (withInstances)
        benchmark::RegisterBenchmark(("instancesInTurn" + suffix).c_str(), instancesInTurn, module)
            ->Unit(benchmark::kMillisecond)
            ->Repetitions(5)
            ->ReportAggregatesOnly(true);
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<char*> args(argv, argv + argc);
    const ModulePaths paths(args);
    // Interleaving first; anything on the command line comes after it and wins.
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, interleave);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;

    LoadedModule current, baseline;
    if (!loadModule(current, paths.current, "new")) return 1;
    registerCases("new", &current, true);
    const bool comparing = !paths.baseline.empty();
    if (comparing) {
        if (!loadModule(baseline, paths.baseline, "baseline")) return 1;
        registerCases("baseline", &baseline, false);
    } else {
        std::printf(
            "no baseline module given (--baseline=MODULE or BRV_BASELINE_MODULE; "
            "scripts/bench-baseline.sh REV builds one): the comparison cases are skipped\n");
    }
    std::fflush(stdout);

    SummaryReporter reporter(comparing);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
