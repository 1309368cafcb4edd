// brellivaunt-host: loads the Brellivaunt module as a DAW does and renders
// an audio file (or the built-in demo phrase) through it.
#include <unistd.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <memory>
#include <strings.h>
#include <string>
#include <utility>
#include <vector>

#include "gui/PngFile.h"
#include "host/DemoPhrase.h"
#include "host/VstHost.h"
#include "host/X11HostWindow.h"
#include "programs/cli/AudioFile.h"
#include "programs/cli/CommandLine.h"
#include "programs/cli/ImpulseRender.h"
#include "programs/cli/ModuleLocator.h"
#include "programs/cli/OutputFile.h"
#include "programs/cli/OutputFormat.h"
#include "programs/cli/PresetChoice.h"
#include "programs/cli/StreamRender.h"
#include "room/DecayPlot.h"
#include "room/RoomReport.h"
#include "vst2/ContentScale.h"

namespace {

constexpr int32_t dryWetIndex = 5;
constexpr int32_t onOffIndex = 7;

std::string defaultOutputPath(const Options& options) {
    if (options.demo) return "brellivaunt-demo.wav";
    const std::string& in = options.input;
    const size_t slash = in.find_last_of('/');
    const size_t dot = in.find_last_of('.');
    if (dot == std::string::npos || (slash != std::string::npos && dot < slash))
        return in + "-reverb.wav";
    std::string ext = in.substr(dot);
    if (options.floatOutput && strcasecmp(ext.c_str(), ".flac") == 0) ext = ".wav";
    return in.substr(0, dot) + "-reverb" + ext;
}

int32_t findParameter(PluginInstance& plugin, const std::string& name) {
    double number = 0.0;
    if (parseNumber(name, number)) {
        if (number != std::floor(number) || number < 0 || number >= plugin.numParams())
            fail("no parameter with index " + name + " (0 to " +
                     std::to_string(plugin.numParams() - 1) + ")",
                 exitUsageError);
        return static_cast<int32_t>(number);
    }
    std::vector<int32_t> matches;
    for (int32_t i = 0; i < plugin.numParams(); ++i)
        if (strcasecmp(plugin.parameterName(i).c_str(), name.c_str()) == 0) matches.push_back(i);
    if (matches.empty())
        fail("unknown parameter name \"" + name + "\" (see --info)", exitUsageError);
    if (matches.size() > 1)
        fail("parameter name \"" + name + "\" is shared by indices " + std::to_string(matches[0]) +
                 " and " + std::to_string(matches[1]) + "; give the index",
             exitUsageError);
    return matches[0];
}

std::string fourCc(int32_t code) {
    std::string s;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = static_cast<char>((code >> shift) & 0xFF);
        s += (c >= 32 && c < 127) ? c : '?';
    }
    return s;
}

void printInfo(PluginInstance& plugin) {
    const AEffect* e = plugin.effect();
    std::printf("effect   %s\n", plugin.effectName().c_str());
    std::printf("vendor   %s\n", plugin.vendorString().c_str());
    std::printf("product  %s\n", plugin.productString().c_str());
    std::printf("version  %ld (vendor version %ld)\n", static_cast<long>(e->version),
                static_cast<long>(plugin.dispatch(effGetVendorVersion)));
    std::printf("id       '%s' (0x%08X)\n", fourCc(e->uniqueID).c_str(),
                static_cast<unsigned>(e->uniqueID));
    std::printf("io       %d in, %d out; flags %d; initial delay %d\n", e->numInputs, e->numOutputs,
                e->flags, e->initialDelay);
    std::printf("parameters (%d):\n", e->numParams);
    for (int32_t i = 0; i < e->numParams; ++i)
        std::printf("  %2d  %-12s %-10s %s\n", i, plugin.parameterName(i).c_str(),
                    plugin.parameterDisplay(i).c_str(), plugin.parameterLabel(i).c_str());
    std::printf("programs (%d):\n", e->numPrograms);
    for (int32_t i = 0; i < e->numPrograms; ++i)
        std::printf("  %2d  %s\n", i, plugin.programName(i).c_str());
}

class ProgressBar final {
public:
    explicit ProgressBar(bool shown) : enabled(shown) {}
    ~ProgressBar() { finish(); }
    // An input of unknown length shows the seconds rendered instead.
    void show(size_t done, size_t expected, float rate) {
        if (!enabled) return;
        if (expected == 0) {
            const long seconds = static_cast<long>(static_cast<double>(done) / rate);
            if (seconds == lastShown) return;
            lastShown = seconds;
            std::fprintf(stderr, "\r%ld s rendered", seconds);
        } else {
            const int percent =
                static_cast<int>(static_cast<double>(done) * 100.0 / static_cast<double>(expected));
            if (percent == lastShown) return;
            lastShown = percent;
            const int width = 40;
            const int filled = percent * width / 100;
            std::fprintf(stderr, "\r[%.*s%*s] %3d%%", filled,
                         "########################################", width - filled, "", percent);
        }
        std::fflush(stderr);
    }
    void finish() {
        if (enabled && lastShown >= 0) std::fputc('\n', stderr);
        enabled = false;
    }

private:
    bool enabled;
    long lastShown = -1;
};

// The program first, then switched on (except for --info, which shows the
// module as it starts), then the preset, then the user's settings, which may
// switch it off again.
void applySettings(PluginInstance& plugin, const Options& options) {
    if (options.program >= 0) {
        if (options.program >= plugin.numPrograms())
            fail("no program " + std::to_string(options.program) + " (0 to " +
                     std::to_string(plugin.numPrograms() - 1) + ")",
                 exitUsageError);
        plugin.setProgram(options.program);
    }
    if (!options.info) plugin.setParameter(onOffIndex, 1.0f);
    options.presets.apply(
        [&plugin](int32_t index, float value) { plugin.setParameter(index, value); });
    for (const auto& setting : options.settings) {
        const int32_t index = findParameter(plugin, setting.first);
        double value = 0.0;
        if (!parseNumber(setting.second, value) || value < 0.0 || value > 1.0)
            fail("value for " + setting.first + " must be a number from 0 to 1, got \"" +
                     setting.second + "\"",
                 exitUsageError);
        plugin.setParameter(index, static_cast<float>(value));
    }
}

// The host's part of an open panel: a window, the editor's idle calls at a
// host's usual rate, and the user's edits printed as they come.
int showEditor(PluginInstance& plugin, bool linearKnobs, bool circularKnobs) {
    ERect* rect = nullptr;
    if (plugin.dispatch(effEditGetRect, 0, 0, &rect) != 1 || !rect) fail("the module has no panel");
    const int width = rect->right - rect->left;
    const int height = rect->bottom - rect->top;
    std::string error;
    std::unique_ptr<X11HostWindow> window =
        X11HostWindow::open(width, height, "Brellivaunt", error);
    if (!window) fail(error);
    plugin.onEdit = [](const EditEvent& e) {
        if (e.opcode == audioMasterAutomate)
            std::printf("value %d %.6f\n", e.index, static_cast<double>(e.value));
        else
            std::printf("%s %d\n", e.opcode == audioMasterBeginEdit ? "begin" : "end", e.index);
        std::fflush(stdout);
    };
    if (linearKnobs) plugin.dispatch(effSetEditKnobMode, 0, 2);
    // The module reads its knob law from the environment when the panel
    // opens, as it would in a user's host.
    if (circularKnobs) setenv("BRELLIVAUNT_KNOBS", "circular", 1);
    if (plugin.dispatch(effEditOpen, 0, 0, window->handle()) != 1) fail("the panel did not open");
    int x = 0, y = 0;
    window->screenOrigin(x, y);
    std::printf("panel open at %d %d, %d x %d\n", x, y, width, height);
    std::fflush(stdout);
    while (window->stillOpen()) {
        plugin.dispatch(effEditIdle);
        usleep(15000);
    }
    plugin.dispatch(effEditClose);
    std::printf("panel closed\n");
    return 0;
}

void writePanel(PluginInstance& plugin, const std::string& path) {
    std::vector<uint32_t> pixels;
    int32_t width = 0, height = 0;
    if (!plugin.panelSnapshot(pixels, width, height))
        fail("the module drew no picture of its panel");
    platform::Image image;
    image.width = width;
    image.height = height;
    image.pixels.reserve(pixels.size());
    for (uint32_t p : pixels) image.pixels.push_back(platform::swapRedBlue(p));
    OutputFile output;
    std::string error;
    if (!output.prepare(path, std::string(), error)) fail(error);
    if (!writePng(image, output.partialPath().c_str())) fail("cannot write " + path);
    if (!output.commit(error)) fail(error);
    std::printf("wrote %s (panel, %d x %d)\n", path.c_str(), width, height);
}

// The summary under the plot's title: the program and the five settings the
// measured sound depends on (Dry-Wet and the switches are fixed for it).
std::string settingsLine(PluginInstance& plugin, const Options& options, float rate) {
    std::string line =
        options.program >= 0 ? plugin.programName(options.program) + ": " : std::string();
    char text[64];
    for (int32_t i = 0; i < plugin.numParams() && i < dryWetIndex; ++i) {
        std::snprintf(text, sizeof(text), " %.2f   ", static_cast<double>(plugin.getParameter(i)));
        line += plugin.parameterName(i) + text;
    }
    std::snprintf(text, sizeof(text), "%g Hz", static_cast<double>(rate));
    return line + text;
}

// The plot's title names the preset measured, so that pictures of several
// presets side by side tell which is which.
std::string plotTitle(const Options& options) {
    const std::string title = "Brellivaunt impulse response";
    const std::string preset = options.presets.chosenName();
    return preset.empty() ? title : preset + ": " + title;
}

// The measurement wants the reverb alone, whatever the settings said.
int analyzeImpulse(PluginInstance& plugin, const Options& options) {
    constexpr double fallDb = 70.0;
    constexpr double longestSeconds = 30.0;
    plugin.setParameter(onOffIndex, 1.0f);
    plugin.setParameter(dryWetIndex, 1.0f);
    const float rate = static_cast<float>(options.demoRate);
    // Every output is checked before the render, which takes a while.
    std::string error;
    OutputFile irFile, plotFile;
    AudioFormat irFormat;
    if (!options.ir.empty()) {
        if (!outputFormatFor(options.ir, SampleRequest{false, AudioFormat{}, true}, rate, irFormat,
                             error))
            fail(error, exitUsageError);
        if (!irFile.prepare(options.ir, std::string(), error)) fail(error);
    }
    if (!options.plot.empty() && !plotFile.prepare(options.plot, std::string(), error)) fail(error);
    const ImpulseRender render =
        renderImpulseResponse(plugin, rate, options.block, fallDb, longestSeconds);
    const StereoSignal& response = render.response;
    if (!options.ir.empty() &&
        (!writeAudioFile(irFile.partialPath(), options.ir, response, irFormat, error) ||
         !irFile.commit(error)))
        fail(error);
    if (options.analyze || !options.plot.empty()) {
        const room::RoomAnalysis analysis = room::analyzeRoom(response.left, response.right, rate);
        if (options.analyze)
            std::fputs(room::formatReport(analysis, {render.fell, fallDb}).c_str(), stdout);
        if (!options.plot.empty()) {
            const room::PlotCaption caption{plotTitle(options),
                                            settingsLine(plugin, options, rate)};
            if (!room::writeDecayPlot(plotFile.partialPath(), analysis, response, caption) ||
                !plotFile.commit(error))
                fail("cannot write " + options.plot);
            std::printf("wrote %s (waveform and decay curves)\n", options.plot.c_str());
        }
    }
    if (!options.ir.empty())
        std::printf("wrote %s (impulse response, %.2f s, %g Hz)\n", options.ir.c_str(),
                    static_cast<double>(response.left.size()) / rate, static_cast<double>(rate));
    return 0;
}

// Renders the input file or the demo phrase into the output, a block at
// a time; everything that could refuse the output is checked first.
int renderFile(PluginInstance& plugin, const Options& options) {
    std::string error;
    StereoSignal demo;
    if (options.demo) demo = makeDemoPhrase(static_cast<float>(options.demoRate));
    SignalSource demoSource(demo);
    AudioReader reader;
    if (!options.demo && !reader.open(options.input, error)) fail(error);
    FrameSource& source = options.demo ? static_cast<FrameSource&>(demoSource) : reader;
    const float rate = source.sampleRate();

    const std::string outputName =
        options.output.empty() ? defaultOutputPath(options) : options.output;
    const SampleRequest request{!options.demo, reader.format(), options.floatOutput};
    AudioFormat format;
    if (!outputFormatFor(outputName, request, rate, format, error)) fail(error, exitUsageError);
    OutputFile output;
    if (!output.prepare(outputName, options.demo ? std::string() : options.input, error))
        fail(error);
    AudioWriter writer;
    if (!writer.open(output.partialPath(), outputName, format, rate, error)) fail(error);

    plugin.start(rate, options.block);
    const size_t tailFrames = static_cast<size_t>(options.tail * rate);
    const size_t promised = source.promisedFrames();
    const double promisedSeconds = static_cast<double>(promised + tailFrames) / rate;
    ProgressBar bar(!options.quiet && isatty(STDERR_FILENO) &&
                    (promised == 0 || promisedSeconds > 5.0));
    const StreamResult result = renderStream(
        plugin, source, tailFrames, options.block, writer,
        [&bar, rate](size_t done, size_t expected) { bar.show(done, expected, rate); });
    bar.finish();
    plugin.stop();
    if (!result.written || !writer.close() || !output.commit(error))
        fail(error.empty() ? "cannot write " + outputName : error);

    if (promised > 0 && result.inputFrames < promised)
        std::fprintf(
            stderr,
            "brellivaunt-host: warning: %s ended after %zu frames; its header promised %zu. "
            "Rendered what is there.\n",
            options.input.c_str(), result.inputFrames, promised);
    const double seconds = static_cast<double>(result.inputFrames + result.tailFrames) / rate;
    std::printf("wrote %s (%.2f s, %g Hz, %s)\n", outputName.c_str(), seconds,
                static_cast<double>(rate), options.demo ? "demo phrase" : options.input.c_str());
    return 0;
}

int run(int argc, char** argv) {
    Options options = parseOptions(argc, argv);
    std::string error;
    // Preset files are read whole before anything is loaded, so that a bad
    // one changes nothing.
    if (const int code = options.presets.resolve(error)) fail(error, code);
    if (options.presets.listRequested()) {
        std::fputs(options.presets.list().c_str(), stdout);
        return 0;
    }

    std::string modulePath;
    if (!locateModule(options.module, modulePath, error)) fail(error);
    LoadedModule module;
    if (!module.load(modulePath, error)) fail(error);
    PluginInstance plugin;
    if (!plugin.create(module, error)) fail(error);

    applySettings(plugin, options);
    // As a host on a dense screen tells the module, before it asks for the
    // panel's size.
    if (options.scale > 0 &&
        plugin.dispatch(effVendorSpecific, contentScaleIndex, contentScaleValue, nullptr,
                        static_cast<float>(options.scale)) != 1)
        std::fprintf(stderr,
                     "brellivaunt-host: the module took no content scale; its panel "
                     "keeps the size it chooses\n");
    if (options.info) {
        printInfo(plugin);
        return 0;
    }
    if (!options.panel.empty()) {
        writePanel(plugin, options.panel);
        return 0;
    }
    if (options.editor) return showEditor(plugin, options.linearKnobs, options.circularKnobs);
    if (options.measures()) return analyzeImpulse(plugin, options);
    return renderFile(plugin, options);
}

}  // namespace

// Whatever a file or the module throws at the host ends in one line and
// status 1, never in an abort.
int main(int argc, char** argv) {
    OutputFile::removePartialsOnExitAndSignals();
    try {
        return run(argc, argv);
    } catch (const std::exception& e) {
        fail(std::string("stopped: ") + e.what());
    } catch (...) {
        fail("stopped by an unexpected error");
    }
}
