#include "programs/cli/CommandLine.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace {

const char* const usage =
    "usage: brellivaunt-host [options] [--] [INPUT]\n"
    "Renders INPUT (WAV, AIFF, FLAC or any file libsndfile reads, mono or stereo, 1000 to\n"
    "768000 Hz) through the Brellivaunt module, a block at a time.\n"
    "  --demo             render the built-in demo phrase (the default without INPUT)\n"
    "  -o, --output FILE  output file (default INPUT-reverb.EXT, or brellivaunt-demo.wav); its\n"
    "                     extension chooses the format (.wav, .aiff/.aif, .flac, .ogg, .caf, "
    ".w64,\n"
    "                     .rf64, .au, ...), with the input's sample format\n"
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
    "  --linear-knobs     send the linear knob mode hosts may set; in an X window knobs\n"
    "                     follow straight drags (up or right increases) in any case\n"
    "  --circular-knobs   knobs turn round in a circle, as BRELLIVAUNT_KNOBS=circular asks\n"
    "  --scale S          offer the panel a content scale of S (above 0, at most 4) before\n"
    "                     --panel or --editor; it is drawn at 1, 1.5 or 2, the nearest size\n"
    "  --analyze          render the impulse response (reverb on, Dry-Wet 1) until the tail\n"
    "                     has fallen 70 dB or for 30 s, and print the first arrival, the tail's\n"
    "                     left/right correlation and EDT, T20, T30 per channel and octave band\n"
    "  --ir FILE          write that impulse response (32-bit float WAV)\n"
    "  --plot FILE.png    draw its waveform and energy decay curves with the fitted lines\n"
    "  --quiet            no progress bar\n"
    "  --                 the options end; the next word is the input, even if it starts with -\n"
    "The reverb is switched on (parameter 7, On-Off, at 1) unless --set says otherwise.\n"
    "Every output is written beside its target as NAME.partial and renamed when complete;\n"
    "the input itself and write-protected files are never overwritten.\n"
    "Exit status: 0 done; 1 a file or the module could not be used; 2 a bad request (unknown\n"
    "option or parameter, bad value, options that cannot be honoured together).\n";

// Which of the host's jobs were asked for; only one is done per run.
int jobsAsked(const Options& o, bool demoAsked) {
    return (o.info ? 1 : 0) + (!o.panel.empty() ? 1 : 0) + (o.editor ? 1 : 0) +
           (o.measures() ? 1 : 0) + ((demoAsked || !o.input.empty()) ? 1 : 0);
}

struct Given {
    bool output = false, floatOutput = false, tail = false, rate = false, block = false;
    bool linearKnobs = false, circularKnobs = false, demo = false, scale = false;
};

void checkCombinations(const Options& o, const Given& given) {
    if (jobsAsked(o, given.demo) > 1)
        fail(
            "--info, --panel, --editor, the measurement (--analyze, --ir, --plot) and a render "
            "(INPUT or --demo) are separate runs; ask for one",
            exitUsageError);
    const bool renders = !o.info && o.panel.empty() && !o.editor && !o.measures();
    if (!renders && (given.output || given.floatOutput || given.tail))
        fail("-o, --float and --tail belong to a render of INPUT or --demo", exitUsageError);
    if (given.rate && !o.input.empty())
        fail("--rate cannot change the rate of an input file; it sets the demo's and the impulse's",
             exitUsageError);
    if (given.rate && (o.info || !o.panel.empty() || o.editor))
        fail("--rate belongs to --demo and the measurement", exitUsageError);
    if (given.block && (o.info || !o.panel.empty() || o.editor))
        fail("--block belongs to a render or the measurement", exitUsageError);
    if (given.linearKnobs && !o.editor) fail("--linear-knobs belongs to --editor", exitUsageError);
    if (given.circularKnobs && !o.editor)
        fail("--circular-knobs belongs to --editor", exitUsageError);
    if (given.scale && !o.editor && o.panel.empty())
        fail("--scale belongs to --panel and --editor", exitUsageError);
    if (given.linearKnobs && given.circularKnobs)
        fail("--linear-knobs and --circular-knobs ask for opposite knobs; choose one",
             exitUsageError);
}

}  // namespace

void fail(const std::string& message, int code) {
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
    Given given;
    auto next = [&](int& i) -> std::string {
        if (i + 1 >= argc)
            fail(std::string("option ") + argv[i] + " needs a value", exitUsageError);
        return argv[++i];
    };
    bool optionsEnded = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        double number = 0.0;
        if (optionsEnded || arg.empty() || arg[0] != '-' || arg == "-") {
            if (!options.input.empty()) fail("only one input file is taken", exitUsageError);
            options.input = arg;
            if (arg.empty()) fail("the input file name is empty", exitUsageError);
        } else if (arg == "--") {
            optionsEnded = true;
        } else if (std::string presetUsage; options.presets.take(argc, argv, i, presetUsage)) {
            if (!presetUsage.empty()) fail(presetUsage, exitUsageError);
        } else if (arg == "-h" || arg == "--help") {
            std::fputs(usage, stdout);
            std::exit(0);
        } else if (arg == "--demo") {
            given.demo = true;
        } else if (arg == "--info") {
            options.info = true;
        } else if (arg == "--quiet") {
            options.quiet = true;
        } else if (arg == "--float") {
            options.floatOutput = given.floatOutput = true;
        } else if (arg == "-o" || arg == "--output") {
            options.output = next(i);
            given.output = true;
            if (options.output.empty()) fail("-o needs a file name", exitUsageError);
        } else if (arg == "--editor") {
            options.editor = true;
        } else if (arg == "--linear-knobs") {
            options.linearKnobs = given.linearKnobs = true;
        } else if (arg == "--circular-knobs") {
            options.circularKnobs = given.circularKnobs = true;
        } else if (arg == "--scale") {
            if (!parseNumber(next(i), number) || !(number > 0) || number > 4)
                fail("--scale takes a factor above 0 and at most 4", exitUsageError);
            options.scale = number;
            given.scale = true;
        } else if (arg == "--analyze") {
            options.analyze = true;
        } else if (arg == "--ir" || arg == "--plot" || arg == "--panel") {
            std::string& path = arg == "--ir"     ? options.ir
                                : arg == "--plot" ? options.plot
                                                  : options.panel;
            path = next(i);
            if (path.empty()) fail(arg + " needs a file name", exitUsageError);
        } else if (arg == "--module") {
            options.module = next(i);
        } else if (arg == "--tail") {
            if (!parseNumber(next(i), number) || number < 0 || number > 600)
                fail("--tail takes seconds from 0 to 600", exitUsageError);
            options.tail = number;
            given.tail = true;
        } else if (arg == "--block") {
            if (!parseNumber(next(i), number) || number < 1 || number > 65536 ||
                number != std::floor(number))
                fail("--block takes a whole number of frames from 1 to 65536", exitUsageError);
            options.block = static_cast<int32_t>(number);
            given.block = true;
        } else if (arg == "--rate") {
            if (!parseNumber(next(i), number) || number < 1000 || number > 768000)
                fail("--rate takes a sample rate from 1000 to 768000 Hz", exitUsageError);
            options.demoRate = number;
            given.rate = true;
        } else if (arg == "--program") {
            if (!parseNumber(next(i), number) || number != std::floor(number) || number < 0 ||
                number > 1e6)
                fail("--program takes a program number", exitUsageError);
            options.program = static_cast<int32_t>(number);
        } else if (arg == "--set") {
            const std::string setting = next(i);
            const size_t eq = setting.find('=');
            if (eq == std::string::npos || eq == 0)
                fail("--set takes PARAMETER=VALUE, got " + setting, exitUsageError);
            options.settings.emplace_back(setting.substr(0, eq), setting.substr(eq + 1));
        } else {
            fail("unknown option " + arg + " (see --help)", exitUsageError);
        }
    }
    checkCombinations(options, given);
    options.demo = given.demo || (options.input.empty() && !options.info && options.panel.empty() &&
                                  !options.editor && !options.measures());
    return options;
}
