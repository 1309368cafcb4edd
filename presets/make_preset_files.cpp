// Turns the factory presets' source into what ships and what the host
// carries, at build time:
//   --vst2 DIR    one NAME.fxp per preset and "Brellivaunt Factory.fxb"
//                 holding the first sixteen, all nine values each;
//   --lv2 DIR     one SLUG.ttl per preset (every port but dry_wet, so
//                 loading one keeps the user's mix) and presets.manifest.ttl,
//                 the lines a bundle's manifest.ttl takes to name them.
// A source that does not parse stops the build with its line number.
#include <cctype>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "presets/PresetFile.h"
#include "presets/PresetList.h"

namespace {

constexpr const char* pluginUri = "urn:brellivaunt:reverb";

const char* const prefixes =
    "@prefix lv2: <http://lv2plug.in/ns/lv2core#> .\n"
    "@prefix pset: <http://lv2plug.in/ns/ext/presets#> .\n"
    "@prefix rdfs: <http://www.w3.org/2000/01/rdf-schema#> .\n\n";

std::string slug(const std::string& name) {
    std::string text;
    for (unsigned char c : name) {
        if (std::isalnum(c))
            text += static_cast<char>(std::tolower(c));
        else if (!text.empty() && text.back() != '-')
            text += '-';
    }
    while (!text.empty() && text.back() == '-') text.pop_back();
    return text;
}

std::string turtleString(const std::string& text) {
    std::string quoted = "\"";
    for (char c : text) {
        if (c == '"' || c == '\\') quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

// A Turtle decimal always has a point: "1.0", not the integer "1".
std::string turtleNumber(float value) {
    std::string text = shortestFloat(value);
    if (text.find_first_of(".e") == std::string::npos) text += ".0";
    return text;
}

std::string presetUri(const NamedPreset& preset) {
    return "<urn:brellivaunt:preset:" + slug(preset.name) + ">";
}

std::string lv2Preset(const NamedPreset& preset) {
    std::string text = prefixes + presetUri(preset) + "\n    a pset:Preset ;\n    rdfs:label " +
                       turtleString(preset.name) + " ;\n    lv2:appliesTo <" + pluginUri +
                       "> ;\n    lv2:port";
    const char* separator = " [\n";
    for (int32_t i = 0; i < paramCount; ++i) {
        if (i == paramDryWet) continue;
        text += separator;
        text += std::string("        lv2:symbol \"") + parameterTable[i].symbol +
                "\" ;\n        pset:value " + turtleNumber(preset.values[i]) + "\n    ]";
        separator = " , [\n";
    }
    return text + " .\n";
}

std::string lv2Manifest(const std::vector<NamedPreset>& presets) {
    std::string text = prefixes;
    for (const NamedPreset& preset : presets)
        text += presetUri(preset) + "\n    a pset:Preset ;\n    lv2:appliesTo <" + pluginUri +
                "> ;\n    rdfs:seeAlso <" + slug(preset.name) + ".ttl> .\n\n";
    return text;
}

bool save(const std::string& path, const std::string& text, std::string& error) {
    return presetfile::saveBytes(path, std::vector<uint8_t>(text.begin(), text.end()), error);
}

bool writeVst2(const std::string& dir, const std::vector<NamedPreset>& presets,
               std::string& error) {
    for (const NamedPreset& preset : presets)
        if (!presetfile::saveBytes(dir + "/" + preset.name + ".fxp",
                                   presetfile::writeProgram(preset), error))
            return false;
    return presetfile::saveBytes(dir + "/Brellivaunt Factory.fxb", presetfile::writeBank(presets),
                                 error);
}

bool writeLv2(const std::string& dir, const std::vector<NamedPreset>& presets, std::string& error) {
    for (const NamedPreset& preset : presets)
        if (!save(dir + "/" + slug(preset.name) + ".ttl", lv2Preset(preset), error)) return false;
    return save(dir + "/presets.manifest.ttl", lv2Manifest(presets), error);
}

int fail(const std::string& message) {
    std::fprintf(stderr, "make_preset_files: %s\n", message.c_str());
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4 || argc % 2 != 0)
        return fail("usage: make_preset_files SOURCE [--vst2 DIR] [--lv2 DIR]");
    const std::string sourcePath = argv[1];
    std::ifstream in(sourcePath, std::ios::binary);
    if (!in) return fail("cannot read " + sourcePath);
    std::ostringstream read;
    read << in.rdbuf();
    const std::string source = read.str();
    std::vector<NamedPreset> presets;
    std::string error;
    if (!parsePresetList(source, presets, error)) return fail(sourcePath + ":" + error.substr(5));
    if (presets.size() < static_cast<size_t>(presetfile::bankPrograms))
        return fail(sourcePath + ": the bank needs " + std::to_string(presetfile::bankPrograms) +
                    " presets");

    for (int i = 2; i + 1 < argc; i += 2) {
        const std::string option = argv[i];
        const std::string target = argv[i + 1];
        bool written = false;
        if (option == "--vst2")
            written = writeVst2(target, presets, error);
        else if (option == "--lv2")
            written = writeLv2(target, presets, error);
        else
            return fail("unknown option " + option);
        if (!written) return fail(error);
    }
    return 0;
}
