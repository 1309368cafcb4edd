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
};

constexpr ParameterInfo parameterTable[paramCount] = {
    {"EarlySize", 0.5f, 0.0f, 1.0f}, {"LateSize", 0.5f, 0.0f, 1.0f}, {"Damping", 0.5f, 0.0f, 1.0f},
    {"Diffusion", 0.5f, 0.0f, 1.0f}, {"Early-Late", 0.5f, 0.0f, 1.0f}, {"Dry-Wet", 0.5f, 0.0f, 1.0f},
    {"Volume", 0.0f, 0.0f, 1.0f},    {"On-Off", 0.0f, 0.0f, 1.0f},     {"Mono-In", 0.0f, 0.0f, 1.0f},
};
