#include "presets/PresetList.h"

#include <strings.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <sstream>

namespace {

std::string trimmed(const std::string& text) {
    const size_t first = text.find_first_not_of(" \t\r");
    if (first == std::string::npos) return std::string();
    const size_t last = text.find_last_not_of(" \t\r");
    return text.substr(first, last - first + 1);
}

bool printable(const std::string& name) {
    for (unsigned char c : name)
        if (c < 32 || c > 126) return false;
    return true;
}

bool parseValue(const std::string& token, float& value) {
    char* end = nullptr;
    errno = 0;
    value = std::strtof(token.c_str(), &end);
    return errno == 0 && end && *end == 0 && value >= 0.0f && value <= 1.0f;
}

// One line's preset, or the reason it is none.
std::string parseLine(const std::string& line, NamedPreset& preset) {
    const size_t bar = line.find('|');
    if (bar == std::string::npos) return "expected NAME | nine values";
    preset.name = trimmed(line.substr(0, bar));
    if (preset.name.empty()) return "the name is empty";
    if (preset.name.size() > presetNameLimit)
        return "the name \"" + preset.name + "\" is longer than " +
               std::to_string(presetNameLimit) + " characters";
    if (!printable(preset.name)) return "the name holds a character that is not plain ASCII";
    std::istringstream values(line.substr(bar + 1));
    std::string token;
    size_t count = 0;
    while (values >> token) {
        if (count == paramCount) return "more than " + std::to_string(paramCount) + " values";
        if (!parseValue(token, preset.values[count]))
            return "\"" + token + "\" is not a number from 0 to 1";
        ++count;
    }
    if (count < paramCount)
        return std::to_string(count) + " values where " + std::to_string(paramCount) +
               " are needed";
    return std::string();
}

}  // namespace

bool parsePresetList(const std::string& text, std::vector<NamedPreset>& presets,
                     std::string& error) {
    std::vector<NamedPreset> read;
    std::istringstream lines(text);
    std::string line;
    for (int number = 1; std::getline(lines, line); ++number) {
        line = trimmed(line.substr(0, line.find('#')));
        if (line.empty()) continue;
        NamedPreset preset;
        std::string problem = parseLine(line, preset);
        if (problem.empty() && findPreset(read, preset.name))
            problem = "the name \"" + preset.name + "\" is taken by an earlier preset";
        if (!problem.empty()) {
            error = "line " + std::to_string(number) + ": " + problem;
            return false;
        }
        read.push_back(preset);
    }
    presets = std::move(read);
    return true;
}

const NamedPreset* findPreset(const std::vector<NamedPreset>& presets, const std::string& name) {
    for (const NamedPreset& preset : presets)
        if (strcasecmp(preset.name.c_str(), name.c_str()) == 0) return &preset;
    return nullptr;
}

std::string shortestFloat(float value) {
    char text[32];
    for (int digits = 1; digits <= 9; ++digits) {
        std::snprintf(text, sizeof(text), "%.*g", digits, static_cast<double>(value));
        if (std::strtof(text, nullptr) == value) break;
    }
    return text;
}
