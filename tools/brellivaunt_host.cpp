// brellivaunt-host: loads the Brellivaunt module as a DAW does and renders
// an audio file (or the built-in demo phrase) through it.
#include <unistd.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <strings.h>
#include <string>
#include <utility>
#include <vector>

#include "gui/platform/soft/SoftPng.h"
#include "tools/AudioFile.h"
#include "tools/DecayPlot.h"
#include "tools/DemoPhrase.h"
#include "tools/ImpulseRender.h"
#include "tools/PresetChoice.h"
#include "tools/RoomReport.h"
#include "tools/VstHost.h"
#include "tools/X11HostWindow.h"

namespace {

constexpr int32_t dryWetIndex = 5;
constexpr int32_t onOffIndex = 7;

struct Options {
    std::string input;
    std::string output;
    std::string module;
    std::string panel;
    std::string ir;
    std::string plot;
    bool analyze = false;
    bool demo = false;
    bool info = false;
    bool editor = false;
    bool linearKnobs = false;
    bool quiet = false;
    bool floatOutput = false;
    double tail = 4.0;
    int32_t block = 512;
    double demoRate = 44100.0;
    int32_t program = -1;
    std::vector<std::pair<std::string, std::string>> settings;
    PresetChoice presets;
};

const char* const usage =
    "usage: brellivaunt-host [options] [INPUT]\n"
    "Renders INPUT (WAV, AIFF or FLAC, mono or stereo) through the Brellivaunt module.\n"
    "  --demo             render the built-in demo phrase (the default without INPUT)\n"
    "  -o, --output FILE  output file (default INPUT-reverb.EXT, or brellivaunt-demo.wav)\n"
    "  --float            write 32-bit float samples (default: the input's format)\n"
    "  --tail SECONDS     silence appended so the tail is heard (default 4)\n"
    "  --set P=V          set parameter P (name or index) to V, 0 to 1; repeatable\n"
    "  --program N        select program N (0 to 15) before the parameters are set\n"
    "  --list-presets     list the factory presets, then exit\n"
    "  --preset NAME      apply a factory preset, keeping Dry-Wet as it is\n"
    "  --preset FILE.fxp  apply a VST 2 program file: all nine values\n"
    "  --bank FILE.fxb --bank-program N\n"
    "                     apply program N (from 0) of a VST 2 bank file: all nine values\n"
    "  --block FRAMES     processing block size (default 512)\n"
    "  --rate HZ          sample rate of the demo phrase and the impulse response (default 44100)\n"
    "  --module FILE      the module to load (default: $BRELLIVAUNT_MODULE, else the one built\n"
    "                     or installed with this program, else ~/.vst/Brellivaunt.so)\n"
    "  --info             print the descriptor, parameters and programs, then exit\n"
    "  --panel FILE.png   write a picture of the panel with the settings applied, then exit\n"
    "  --editor           show the panel in a window and print every change made on it\n"
    "                     (begin INDEX, value INDEX VALUE, end INDEX) until it is closed\n"
    "  --linear-knobs     knobs follow straight drags (as hosts set for them), not circles\n"
    "  --analyze          render the impulse response (reverb on, Dry-Wet 1) until the tail\n"
    "                     has fallen 70 dB or for 30 s, and print the first arrival, the tail's\n"
    "                     left/right correlation and EDT, T20, T30 per channel and octave band\n"
    "  --ir FILE          write that impulse response (32-bit float WAV)\n"
    "  --plot FILE.png    draw its waveform and energy decay curves with the fitted lines\n"
    "  --quiet            no progress bar\n"
    "The reverb is switched on (parameter 7, On-Off, at 1) unless --set says otherwise.\n";

[[noreturn]] void fail(const std::string& message, int code = 1) {
    std::fprintf(stderr, "brellivaunt-host: %s\n", message.c_str());
    std::exit(code);
}

bool parseNumber(const std::string& text, double& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtod(text.c_str(), &end);
    return errno == 0 && end && *end == 0 && std::isfinite(value);
}

Options parseOptions(int argc, char** argv) {
    Options options;
    auto next = [&](int& i) -> std::string {
        if (i + 1 >= argc) fail(std::string("option ") + argv[i] + " needs a value", 2);
        return argv[++i];
    };
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        double number = 0.0;
        std::string presetUsage;
        if (options.presets.take(argc, argv, i, presetUsage)) {
            if (!presetUsage.empty()) fail(presetUsage, 2);
        } else if (arg == "-h" || arg == "--help") {
            std::fputs(usage, stdout);
            std::exit(0);
        } else if (arg == "--demo") {
            options.demo = true;
        } else if (arg == "--info") {
            options.info = true;
        } else if (arg == "--quiet") {
            options.quiet = true;
        } else if (arg == "--float") {
            options.floatOutput = true;
        } else if (arg == "-o" || arg == "--output") {
            options.output = next(i);
        } else if (arg == "--editor") {
            options.editor = true;
        } else if (arg == "--linear-knobs") {
            options.linearKnobs = true;
        } else if (arg == "--analyze") {
            options.analyze = true;
        } else if (arg == "--ir") {
            options.ir = next(i);
        } else if (arg == "--plot") {
            options.plot = next(i);
        } else if (arg == "--panel") {
            options.panel = next(i);
        } else if (arg == "--module") {
            options.module = next(i);
        } else if (arg == "--tail") {
            if (!parseNumber(next(i), number) || number < 0 || number > 600)
                fail("--tail takes seconds from 0 to 600", 2);
            options.tail = number;
        } else if (arg == "--block") {
            if (!parseNumber(next(i), number) || number < 1 || number > 65536 || number != std::floor(number))
                fail("--block takes a whole number of frames from 1 to 65536", 2);
            options.block = static_cast<int32_t>(number);
        } else if (arg == "--rate") {
            if (!parseNumber(next(i), number) || number < 1000 || number > 768000)
                fail("--rate takes a sample rate from 1000 to 768000 Hz", 2);
            options.demoRate = number;
        } else if (arg == "--program") {
            if (!parseNumber(next(i), number) || number != std::floor(number) || number < 0 || number > 1e6)
                fail("--program takes a program number", 2);
            options.program = static_cast<int32_t>(number);
        } else if (arg == "--set") {
            const std::string setting = next(i);
            const size_t eq = setting.find('=');
            if (eq == std::string::npos || eq == 0) fail("--set takes PARAMETER=VALUE, got " + setting, 2);
            options.settings.emplace_back(setting.substr(0, eq), setting.substr(eq + 1));
        } else if (!arg.empty() && arg[0] == '-') {
            fail("unknown option " + arg + " (see --help)", 2);
        } else if (options.input.empty()) {
            options.input = arg;
        } else {
            fail("only one input file is taken", 2);
        }
    }
    if ((options.analyze || !options.ir.empty() || !options.plot.empty()) && (options.demo || !options.input.empty()))
        fail("--analyze, --ir and --plot render an impulse; give no input file or --demo", 2);
    if (options.input.empty()) options.demo = true;
    if (options.demo && !options.input.empty()) fail("give either an input file or --demo", 2);
    return options;
}

bool fileExists(const std::string& path) { return access(path.c_str(), R_OK) == 0; }

// The module this host was built, installed or unpacked with: beside it (the
// release archive), in the build tree, in the installation's VST folder, or
// in the user's ~/.vst.
// BRELLIVAUNT_MODULE names another, and --module overrides both.
std::string defaultModulePath() {
    if (const char* named = std::getenv("BRELLIVAUNT_MODULE"); named && *named) return named;
    std::vector<std::string> candidates;
    char self[4096];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof(self) - 1);
    if (n > 0) {
        self[n] = 0;
        const std::string exe(self);
        const std::string dir = exe.substr(0, exe.find_last_of('/'));
        candidates.push_back(dir + "/Brellivaunt.so");
        candidates.push_back(dir + "/../module/Brellivaunt.so");
        candidates.push_back(dir + "/../lib/vst/Brellivaunt.so");
    }
    if (const char* home = std::getenv("HOME"); home && *home)
        candidates.push_back(std::string(home) + "/.vst/Brellivaunt.so");
    for (const std::string& path : candidates)
        if (fileExists(path)) return path;
    return candidates.empty() ? "Brellivaunt.so" : candidates.back();
}

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
            fail("no parameter with index " + name + " (0 to " + std::to_string(plugin.numParams() - 1) + ")");
        return static_cast<int32_t>(number);
    }
    std::vector<int32_t> matches;
    for (int32_t i = 0; i < plugin.numParams(); ++i)
        if (strcasecmp(plugin.parameterName(i).c_str(), name.c_str()) == 0) matches.push_back(i);
    if (matches.empty()) fail("unknown parameter name \"" + name + "\" (see --info)");
    if (matches.size() > 1)
        fail("parameter name \"" + name + "\" is shared by indices " + std::to_string(matches[0]) +
             " and " + std::to_string(matches[1]) + "; give the index");
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
    std::printf("id       '%s' (0x%08X)\n", fourCc(e->uniqueID).c_str(), static_cast<unsigned>(e->uniqueID));
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
    explicit ProgressBar(bool enabled) : enabled(enabled) {}
    ~ProgressBar() { finish(); }
    void show(double share) {
        if (!enabled) return;
        const int percent = static_cast<int>(share * 100.0);
        if (percent == lastPercent) return;
        lastPercent = percent;
        const int width = 40;
        const int filled = percent * width / 100;
        std::fprintf(stderr, "\r[%.*s%*s] %3d%%", filled, "########################################",
                     width - filled, "", percent);
        std::fflush(stderr);
    }
    void finish() {
        if (enabled && lastPercent >= 0) std::fputc('\n', stderr);
        enabled = false;
    }

private:
    bool enabled;
    int lastPercent = -1;
};

// The program first, then switched on, then the preset, then the user's
// settings, which may switch it off again.
void applySettings(PluginInstance& plugin, const Options& options) {
    if (options.program >= 0) {
        if (options.program >= plugin.numPrograms())
            fail("no program " + std::to_string(options.program) + " (0 to " +
                 std::to_string(plugin.numPrograms() - 1) + ")");
        plugin.setProgram(options.program);
    }
    plugin.setParameter(onOffIndex, 1.0f);
    options.presets.apply([&plugin](int32_t index, float value) { plugin.setParameter(index, value); });
    for (const auto& setting : options.settings) {
        const int32_t index = findParameter(plugin, setting.first);
        double value = 0.0;
        if (!parseNumber(setting.second, value) || value < 0.0 || value > 1.0)
            fail("value for " + setting.first + " must be a number from 0 to 1, got \"" + setting.second + "\"");
        plugin.setParameter(index, static_cast<float>(value));
    }
}

// The host's part of an open panel: a window, the editor's idle calls at a
// host's usual rate, and the user's edits printed as they come.
int showEditor(PluginInstance& plugin, bool linearKnobs) {
    ERect* rect = nullptr;
    if (plugin.dispatch(effEditGetRect, 0, 0, &rect) != 1 || !rect) fail("the module has no panel");
    const int width = rect->right - rect->left;
    const int height = rect->bottom - rect->top;
    std::string error;
    std::unique_ptr<X11HostWindow> window = X11HostWindow::open(width, height, "Brellivaunt", error);
    if (!window) fail(error);
    plugin.onEdit = [](const EditEvent& e) {
        if (e.opcode == audioMasterAutomate)
            std::printf("value %d %.6f\n", e.index, static_cast<double>(e.value));
        else
            std::printf("%s %d\n", e.opcode == audioMasterBeginEdit ? "begin" : "end", e.index);
        std::fflush(stdout);
    };
    if (linearKnobs) plugin.dispatch(effSetEditKnobMode, 0, 2);
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
    if (!plugin.panelSnapshot(pixels, width, height)) fail("the module drew no picture of its panel");
    platform::probe::Image image;
    image.width = width;
    image.height = height;
    image.pixels.reserve(pixels.size());
    for (uint32_t p : pixels) image.pixels.push_back(platform::swapRedBlue(p));
    const std::string partial = path + ".partial";
    if (!platform::soft::writePng(image, partial.c_str()) || std::rename(partial.c_str(), path.c_str()) != 0) {
        std::remove(partial.c_str());
        fail("cannot write " + path);
    }
    std::printf("wrote %s (panel, %d x %d)\n", path.c_str(), width, height);
}

// The summary under the plot's title: the program and the five settings the
// measured sound depends on (Dry-Wet and the switches are fixed for it).
std::string settingsLine(PluginInstance& plugin, const Options& options, float rate) {
    std::string line = options.program >= 0 ? plugin.programName(options.program) + ": " : std::string();
    char text[64];
    for (int32_t i = 0; i < plugin.numParams() && i < dryWetIndex; ++i) {
        std::snprintf(text, sizeof(text), " %.2f   ", static_cast<double>(plugin.getParameter(i)));
        line += plugin.parameterName(i) + text;
    }
    std::snprintf(text, sizeof(text), "%g Hz", static_cast<double>(rate));
    return line + text;
}

// The measurement wants the reverb alone, whatever the settings said.
int analyzeImpulse(PluginInstance& plugin, const Options& options) {
    constexpr double fallDb = 70.0;
    constexpr double longestSeconds = 30.0;
    plugin.setParameter(onOffIndex, 1.0f);
    plugin.setParameter(dryWetIndex, 1.0f);
    const float rate = static_cast<float>(options.demoRate);
    const ImpulseRender render = renderImpulseResponse(plugin, rate, options.block, fallDb, longestSeconds);
    const StereoSignal& response = render.response;
    if (!options.ir.empty()) {
        std::string error;
        if (!writeAudioFile(options.ir, response, floatFormatLike(AudioFormat{}), error)) fail(error);
    }
    if (options.analyze || !options.plot.empty()) {
        const room::RoomAnalysis analysis = room::analyzeRoom(response.left, response.right, rate);
        if (options.analyze) std::fputs(room::formatReport(analysis, {render.fell, fallDb}).c_str(), stdout);
        if (!options.plot.empty()) {
            const room::PlotCaption caption{"Brellivaunt impulse response", settingsLine(plugin, options, rate)};
            if (!room::writeDecayPlot(options.plot, analysis, response, caption)) fail("cannot write " + options.plot);
            std::printf("wrote %s (waveform and decay curves)\n", options.plot.c_str());
        }
    }
    if (!options.ir.empty())
        std::printf("wrote %s (impulse response, %.2f s, %g Hz)\n", options.ir.c_str(),
                    static_cast<double>(response.left.size()) / rate, static_cast<double>(rate));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    Options options = parseOptions(argc, argv);
    std::string error;
    // Preset files are read whole before anything is loaded, so that a bad
    // one changes nothing.
    if (const int code = options.presets.resolve(error)) fail(error, code);
    if (options.presets.listRequested()) {
        std::fputs(options.presets.list().c_str(), stdout);
        return 0;
    }

    LoadedModule module;
    const std::string modulePath = options.module.empty() ? defaultModulePath() : options.module;
    if (!module.load(modulePath, error)) fail(error);
    PluginInstance plugin;
    if (!plugin.create(module, error)) fail(error);

    if (options.info) {
        printInfo(plugin);
        return 0;
    }
    applySettings(plugin, options);
    if (!options.panel.empty()) {
        writePanel(plugin, options.panel);
        return 0;
    }
    if (options.editor) return showEditor(plugin, options.linearKnobs);
    if (options.analyze || !options.ir.empty() || !options.plot.empty()) return analyzeImpulse(plugin, options);

    StereoSignal input;
    AudioFormat format;
    if (options.demo) {
        input = makeDemoPhrase(static_cast<float>(options.demoRate));
        format.sndfileFormat = 0;
    } else if (!readAudioFile(options.input, input, format, error)) {
        fail(error);
    }
    const AudioFormat outFormat = (options.demo || options.floatOutput) ? floatFormatLike(format) : format;
    const std::string output = options.output.empty() ? defaultOutputPath(options) : options.output;

    plugin.start(input.sampleRate, options.block);
    const size_t tailFrames = static_cast<size_t>(options.tail * input.sampleRate);
    const double seconds = static_cast<double>(input.left.size() + tailFrames) / input.sampleRate;
    ProgressBar bar(!options.quiet && isatty(STDERR_FILENO) && seconds > 5.0);
    StereoSignal rendered;
    rendered.sampleRate = input.sampleRate;
    renderThrough(plugin, input.left.data(), input.right.data(), input.left.size(), tailFrames,
                  options.block, rendered.left, rendered.right,
                  [&bar](double share) { bar.show(share); });
    bar.finish();
    plugin.stop();

    if (!writeAudioFile(output, rendered, outFormat, error)) fail(error);
    std::printf("wrote %s (%.2f s, %g Hz, %s)\n", output.c_str(), seconds,
                static_cast<double>(input.sampleRate), options.demo ? "demo phrase" : options.input.c_str());
    return 0;
}
