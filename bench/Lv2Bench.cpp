// The LV2 wrapper's cost: the LV2 DSP binary's run against the VST 2
// module's processReplacing, each loaded from its built file as a host loads
// it, both on the same ten seconds of stereo noise at 48 kHz in 512-frame
// blocks, reverb on, in one run with the repetitions interleaved. The last
// line gives the ratio of the medians per frame; the aim is within 5 %.
// Given another build's LV2 DSP binary, its run is timed beside this one's,
// and the summary gives their ratio too.
//
//   cmake --build --preset native --target brv_lv2_bench
//   build/native/bench/brv_lv2_bench [--baseline=OTHER/brellivaunt-dsp.so]
#include <benchmark/benchmark.h>
#include <lv2/core/lv2.h>

#include <dlfcn.h>

#include <cstdint>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "params/Parameters.h"
#include "host/VstHost.h"

namespace {

constexpr double sampleRate = 48000.0;
constexpr uint32_t blockFrames = 512;

struct Signal {
    std::vector<float> in[2], out[2];
    Signal() {
        uint32_t seed = 777;
        for (auto& channel : in) {
            channel.resize(10 * static_cast<size_t>(sampleRate));
            for (float& s : channel) {
                seed = seed * 1664525u + 1013904223u;
                s = static_cast<float>(static_cast<int32_t>(seed)) * (1.0f / 2147483648.0f);
            }
        }
        out[0].resize(in[0].size());
        out[1].resize(in[0].size());
    }
    size_t frames() const { return in[0].size(); }
};

// Runs `block(start, count)` over the signal, once per iteration, and
// counts nanoseconds of CPU per frame.
template <typename Block>
void overSignal(benchmark::State& state, const Signal& signal, Block block) {
    for (auto _ : state) {
        for (size_t start = 0; start < signal.frames(); start += blockFrames)
            block(start,
                  static_cast<uint32_t>(std::min<size_t>(blockFrames, signal.frames() - start)));
        benchmark::ClobberMemory();
    }
    const double frames =
        static_cast<double>(state.iterations()) * static_cast<double>(signal.frames());
    state.counters["ns_per_frame"] = benchmark::Counter(
        frames * 1e-9, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
}

void vst2ProcessReplacing(benchmark::State& state) {
    LoadedModule module;
    PluginInstance effect;
    std::string error;
    if (!module.load(BRV_MODULE_PATH, error) || !effect.create(module, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    effect.start(static_cast<float>(sampleRate), blockFrames);
    effect.setParameter(paramOnOff, 1.0f);
    Signal s;
    overSignal(state, s, [&](size_t start, uint32_t count) {
        float* in[2] = {&s.in[0][start], &s.in[1][start]};
        float* out[2] = {&s.out[0][start], &s.out[1][start]};
        effect.processReplacing(in, out, static_cast<int32_t>(count));
    });
}

void lv2Run(benchmark::State& state, const std::string& binary) {
    void* library = dlopen(binary.c_str(), RTLD_NOW | RTLD_LOCAL);
    auto entry = library ? reinterpret_cast<const LV2_Descriptor* (*)(uint32_t)>(
                               dlsym(library, "lv2_descriptor"))
                         : nullptr;
    const LV2_Descriptor* d = entry ? entry(0) : nullptr;
    LV2_Handle instance = d ? d->instantiate(d, sampleRate, "", nullptr) : nullptr;
    if (!instance) {
        state.SkipWithError("the LV2 DSP binary gave no instance");
        return;
    }
    float controls[paramCount];
    for (int32_t i = 0; i < paramCount; ++i) {
        controls[i] = i == paramOnOff ? 1.0f : parameterTable[i].defaultValue;
        d->connect_port(instance, 4 + static_cast<uint32_t>(i), &controls[i]);
    }
    d->activate(instance);
    Signal s;
    overSignal(state, s, [&](size_t start, uint32_t count) {
        d->connect_port(instance, 0, &s.in[0][start]);
        d->connect_port(instance, 1, &s.in[1][start]);
        d->connect_port(instance, 2, &s.out[0][start]);
        d->connect_port(instance, 3, &s.out[1][start]);
        d->run(instance, count);
    });
    d->deactivate(instance);
    d->cleanup(instance);
}

class RatioReporter final : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const auto perFrame = run.counters.find("ns_per_frame");
            if (run.aggregate_name == "median" && perFrame != run.counters.end())
                medians[run.run_name.function_name] = perFrame->second.value;
        }
    }
    void Finalize() override {
        ConsoleReporter::Finalize();
        const double lv2 = medians["lv2Run"], vst2 = medians["vst2ProcessReplacing"];
        if (lv2 > 0.0 && vst2 > 0.0)
            std::printf(
                "\nmedian CPU ns per frame: LV2 run %.3f / VST 2 processReplacing %.3f = %.3f\n",
                lv2, vst2, lv2 / vst2);
        const double baseline = medians["lv2Run/baseline"];
        if (lv2 > 0.0 && baseline > 0.0)
            std::printf("median CPU ns per frame: LV2 run %.3f / baseline's %.3f = %.3f\n", lv2,
                        baseline, lv2 / baseline);
    }

private:
    std::map<std::string, double> medians;
};

}  // namespace

BENCHMARK(vst2ProcessReplacing)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(9)
    ->ReportAggregatesOnly(true);

// --baseline=FILE names another build's LV2 DSP binary; it is taken out of
// the arguments before the library reads the rest.
std::string takeBaseline(std::vector<char*>& args) {
    const std::string flag = "--baseline=";
    std::string baseline;
    for (auto it = args.begin() + 1; it != args.end();) {
        const std::string arg = *it;
        if (arg.compare(0, flag.size(), flag) == 0) {
            baseline = arg.substr(flag.size());
            it = args.erase(it);
        } else {
            ++it;
        }
    }
    return baseline;
}

void registerLv2(const char* name, const std::string& binary) {
    benchmark::RegisterBenchmark(name, lv2Run, binary)
        ->Unit(benchmark::kMillisecond)
        ->Repetitions(9)
        ->ReportAggregatesOnly(true);
}

int main(int argc, char** argv) {
    std::vector<char*> args(argv, argv + argc);
    const std::string baseline = takeBaseline(args);
    registerLv2("lv2Run", BRV_LV2_DSP);
    if (!baseline.empty()) registerLv2("lv2Run/baseline", baseline);
    char interleave[] = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, interleave);
    int count = static_cast<int>(args.size());
    benchmark::Initialize(&count, args.data());
    if (benchmark::ReportUnrecognizedArguments(count, args.data())) return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
