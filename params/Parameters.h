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
    // What the parameter does, in a musician's words, for hosts that show
    // it beside the control (LV2 hosts do, as a tooltip).
    const char* comment;
};

constexpr ParameterInfo parameterTable[paramCount] = {
    {"EarlySize", 0.5f, 0.0f, 1.0f, "early_size", "EarlySize", false,
     "The size of the room the first reflections come from: larger spaces them further apart. "
     "At 0 there are none."},
    {"LateSize", 0.5f, 0.0f, 1.0f, "late_size", "LateSize", false,
     "The size of the space the tail rings in: larger makes its echoes longer and slower. At 0 "
     "there is no tail, only the first reflections."},
    {"Damping", 0.5f, 0.0f, 1.0f, "damping", "Damping", false,
     "How long the tail rings (DECAY on the panel): short below the middle, many seconds near 1."},
    {"Diffusion", 0.5f, 0.0f, 1.0f, "diffusion", "Diffusion", false,
     "How densely the echoes blend: at 0 single echoes are heard, at 1 a smooth wash."},
    {"Early-Late", 0.5f, 0.0f, 1.0f, "early_late", "Early-Late", false,
     "The balance of first reflections (0) and tail (1); both are loudest together in the middle."},
    {"Dry-Wet", 0.5f, 0.0f, 1.0f, "dry_wet", "Dry-Wet", false,
     "The mix: 0 is the dry input alone, 1 the reverb alone."},
    {"Volume", 0.0f, 0.0f, 1.0f, "volume", "Volume", false,
     "Kept with the settings and automatable, but it has no effect on the sound."},
    {"On-Off", 0.0f, 0.0f, 1.0f, "power", "Power", true,
     "Switches the reverb on. It plays only when fully on: any value below 1 is off, and the "
     "input passes unchanged."},
    {"Mono-In", 0.0f, 0.0f, 1.0f, "mono", "Mono-In", true,
     "When on, the left input feeds both channels and the right input is not used."},
};
