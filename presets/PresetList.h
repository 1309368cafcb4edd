// The factory presets' source: a plain text file with one preset a line,
// "Name | v0 v1 ... v8", comments after '#'. The build turns it into the
// program and bank files and the LV2 presets with this parser, and into the
// table the panel and the command-line host carry (FactoryPresets.h).
#pragma once

#include <array>
#include <string>
#include <vector>

#include "params/Parameters.h"

struct NamedPreset {
    std::string name;
    std::array<float, paramCount> values{};
};

// What a program name holds, the terminator left out.
constexpr size_t presetNameLimit = 23;

// Reads the whole text or nothing: on the first line that is not a preset
// (a name too long or twice, a value missing, extra or outside 0 to 1) it
// returns false and says which line and why.
bool parsePresetList(const std::string& text, std::vector<NamedPreset>& presets,
                     std::string& error);

// The preset of that name, compared without case; nullptr when none.
const NamedPreset* findPreset(const std::vector<NamedPreset>& presets, const std::string& name);

// A value as short as it can be written and still read back as the same float.
std::string shortestFloat(float value);
