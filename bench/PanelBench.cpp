// The panel drawn whole at each of its sizes, as the module does it for the
// host's picture request: the views built over the artwork of that size,
// every pixel painted and read back, the views closed again. The panel in a
// window redraws the same area on a full repaint, so the ratio of the 2x
// case to the 1x one is what a dense screen costs the user's machine.
//
//   cmake --build --preset native --target brv_panel_bench
//   build/native/bench/brv_panel_bench
#include <benchmark/benchmark.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "host/VstHost.h"
#include "vst2/ContentScale.h"

namespace {

void panelPicture(benchmark::State& state, float scale) {
    std::string error;
    LoadedModule module;
    PluginInstance plugin;
    if (!module.load(BRV_MODULE_PATH, error) || !plugin.create(module, error)) {
        state.SkipWithError(error.c_str());
        return;
    }
    if (plugin.dispatch(effVendorSpecific, contentScaleIndex, contentScaleValue, nullptr, scale) !=
        1) {
        state.SkipWithError("the module took no content scale");
        return;
    }
    std::vector<uint32_t> pixels;
    int32_t width = 0, height = 0;
    for (auto _ : state) {
        if (!plugin.panelSnapshot(pixels, width, height)) {
            state.SkipWithError("no picture");
            return;
        }
        benchmark::DoNotOptimize(pixels.data());
    }
    state.counters["pixels"] = static_cast<double>(width) * height;
}

}  // namespace

// The screen's density must not choose the size behind the host's back.
int main(int argc, char** argv) {
    unsetenv("BRELLIVAUNT_SCALE");
    for (float scale : {1.0f, 1.5f, 2.0f}) {
        char name[32];
        std::snprintf(name, sizeof name, "panelPicture/%.1fx", static_cast<double>(scale));
        benchmark::RegisterBenchmark(name, panelPicture, scale)
            ->Unit(benchmark::kMillisecond)
            ->Repetitions(5)
            ->ReportAggregatesOnly(true);
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
