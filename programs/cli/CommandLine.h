// The command-line host's options: what was asked, checked for sense
// before anything is loaded or rendered.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "programs/cli/PresetChoice.h"

// A file or the module could not be used: exit 1. A request that makes no
// sense (unknown option or name, bad value, options that exclude each
// other): exit 2.
constexpr int exitFileError = 1;
constexpr int exitUsageError = 2;

// Prints "brellivaunt-host: MESSAGE" on one line and exits.
[[noreturn]] void fail(const std::string& message, int code = exitFileError);

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
    bool circularKnobs = false;
    bool quiet = false;
    bool floatOutput = false;
    double tail = 4.0;
    int32_t block = 512;
    double demoRate = 44100.0;
    double scale = 0.0;  // 0: the module chooses the panel's size itself
    int32_t program = -1;
    std::vector<std::pair<std::string, std::string>> settings;
    PresetChoice presets;

    bool measures() const { return analyze || !ir.empty() || !plot.empty(); }
};

// Exits with a message (status 2) on a bad request, with the help text
// (status 0) for --help.
Options parseOptions(int argc, char** argv);

// Strict number parsing: the whole text, finite.
bool parseNumber(const std::string& text, double& value);
