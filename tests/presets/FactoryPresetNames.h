// The factory presets' names, read from their source as the build sees it
// (BRV_PRESET_SOURCE), and a test name made of each.
#pragma once

#include <cctype>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "presets/PresetList.h"

inline std::string readText(const char* path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline std::vector<std::string> presetNames() {
    std::vector<NamedPreset> presets;
    std::string error;
    parsePresetList(readText(BRV_PRESET_SOURCE), presets, error);
    std::vector<std::string> names;
    for (const NamedPreset& preset : presets) names.push_back(preset.name);
    return names;
}

// "Large Hall" becomes Large_Hall.
inline std::string testNameOf(const std::string& preset) {
    std::string id;
    for (unsigned char c : preset) id += std::isalnum(c) ? static_cast<char>(c) : '_';
    return id;
}
