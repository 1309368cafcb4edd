#include "programs/cli/PresetChoice.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <strings.h>
#include <vector>

#include "presets/FactoryPresets.h"
#include "presets/PresetFile.h"

namespace {

// The table the panel carries too, so both name the same rooms.
std::vector<NamedPreset> factoryList() {
    std::vector<NamedPreset> presets;
    for (int32_t i = 0; i < factoryPresetCount; ++i) {
        NamedPreset preset;
        preset.name = factoryPresets[i].name;
        for (int32_t p = 0; p < paramCount; ++p) preset.values[p] = factoryPresets[i].values[p];
        presets.push_back(preset);
    }
    return presets;
}

bool endsWith(const std::string& text, const char* ending) {
    const size_t n = std::char_traits<char>::length(ending);
    return text.size() >= n && strcasecmp(text.c_str() + text.size() - n, ending) == 0;
}

// A name with a path or the program file's ending is a file; anything else
// names a factory preset.
bool namesFile(const std::string& text) {
    return text.find('/') != std::string::npos || endsWith(text, ".fxp");
}

bool parseIndex(const std::string& text, long& value) {
    if (text.empty()) return false;
    char* end = nullptr;
    errno = 0;
    value = std::strtol(text.c_str(), &end, 10);
    return errno == 0 && end && *end == 0 && value >= 0;
}

}  // namespace

bool PresetChoice::take(int argc, char** argv, int& i, std::string& usageError) {
    const std::string arg = argv[i];
    std::string* target = nullptr;
    if (arg == "--list-presets") {
        listing = true;
        return true;
    }
    if (arg == "--preset")
        target = &preset;
    else if (arg == "--bank")
        target = &bank;
    else if (arg == "--bank-program")
        target = &bankProgram;
    else
        return false;
    if (i + 1 >= argc) {
        usageError = "option " + arg + " needs a value";
        return true;
    }
    *target = argv[++i];
    return true;
}

int PresetChoice::resolve(std::string& error) {
    if (!preset.empty() && !bank.empty()) {
        error = "give either --preset or --bank, not both";
        return 2;
    }
    if (bank.empty() != bankProgram.empty()) {
        error = "--bank and --bank-program go together";
        return 2;
    }
    long index = 0;
    if (!bankProgram.empty() && !parseIndex(bankProgram, index)) {
        error = "--bank-program takes a program number from 0";
        return 2;
    }
    if (listing || (preset.empty() && bank.empty())) return 0;

    if (!preset.empty() && !namesFile(preset)) {
        const std::vector<NamedPreset> presets = factoryList();
        const NamedPreset* found = findPreset(presets, preset);
        if (!found) {
            error = "no factory preset named \"" + preset + "\" (see --list-presets)";
            return 1;
        }
        chosen = *found;
        ready = true;
        return 0;
    }
    const std::string& path = preset.empty() ? bank : preset;
    std::vector<uint8_t> bytes;
    std::string problem;
    if (!presetfile::loadBytes(path, bytes, error)) return 1;
    bool read = false;
    if (!preset.empty()) {
        read = presetfile::readProgram(bytes, chosen, problem);
    } else {
        std::vector<NamedPreset> programs;
        read = presetfile::readBank(bytes, programs, problem);
        if (read && index >= static_cast<long>(programs.size())) {
            problem = "no program " + bankProgram + " in this bank (0 to " +
                      std::to_string(programs.size() - 1) + ")";
            read = false;
        }
        if (read) chosen = programs[static_cast<size_t>(index)];
    }
    if (!read) {
        error = path + ": " + problem;
        return 1;
    }
    chosenFromFile = true;
    ready = true;
    return 0;
}

std::string PresetChoice::list() const {
    std::string text;
    int number = 0;
    for (const NamedPreset& p : factoryList()) {
        char line[128];
        std::snprintf(line, sizeof(line), "%2d  %s\n", number++, p.name.c_str());
        text += line;
    }
    return text;
}

void PresetChoice::apply(const std::function<void(int32_t, float)>& set) const {
    if (!ready) return;
    for (int32_t i = 0; i < paramCount; ++i)
        if (chosenFromFile || i != paramDryWet) set(i, chosen.values[i]);
}
