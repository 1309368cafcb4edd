// The nine automatable parameters, by index, and what every plug-in format
// and the panel say of them. The editor's control tags are these indices
// too. A format's wrapper takes names, defaults and ranges from this one
// table, so that no two formats can drift apart.
#pragma once

#include <cstdint>

enum ReverbParameter : int32_t {
    paramEarlySize = 0,
    paramLateSize,
    paramDamping,
    paramDiffusion,
    paramEarlyLate,
    paramDryWet,
    paramVolume,
    paramOnOff,
    paramMonoIn,
    paramCount
};

inline bool isParameter(int32_t index) { return index >= 0 && index < paramCount; }

struct ParameterInfo {
    const char* name;  // as hosts show it
    float defaultValue;
    float minimum;
    float maximum;
    // Formats that save sessions by name rather than index keep this symbol
    // for good: a session saved today must find its value in every release.
    const char* symbol;
    const char* lv2Name;  // as LV2 hosts show it
    bool toggle;          // off or on, nothing between
};

constexpr ParameterInfo parameterTable[paramCount] = {
    {"EarlySize", 0.5f, 0.0f, 1.0f, "early_size", "EarlySize", false},
    {"LateSize", 0.5f, 0.0f, 1.0f, "late_size", "LateSize", false},
    {"Damping", 0.5f, 0.0f, 1.0f, "damping", "Damping", false},
    {"Diffusion", 0.5f, 0.0f, 1.0f, "diffusion", "Diffusion", false},
    {"Early-Late", 0.5f, 0.0f, 1.0f, "early_late", "Early-Late", false},
    {"Dry-Wet", 0.5f, 0.0f, 1.0f, "dry_wet", "Dry-Wet", false},
    {"Volume", 0.0f, 0.0f, 1.0f, "volume", "Volume", false},
    {"On-Off", 0.0f, 0.0f, 1.0f, "power", "Power", true},
    {"Mono-In", 0.0f, 0.0f, 1.0f, "mono", "Mono-In", true},
};
