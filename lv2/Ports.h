// The LV2 plug-in's ports, by index: the stereo audio first, then one control
// port per parameter of the table, in the effect's parameter order, then the
// host's bypass switch. Hosts save sessions by port symbol, so neither the
// order nor a symbol may change; a new port only ever comes last.
#pragma once

#include <cstdint>

#include "params/Parameters.h"

namespace lv2port {

constexpr const char* pluginUri = "urn:brellivaunt:reverb";
constexpr const char* uiUri = "urn:brellivaunt:reverb#ui";
constexpr const char* pluginComment =
    "A stereo reverb: the first reflections of a room and a long, slowly moving tail, with tone "
    "shaping and a dry/wet mix. Switch it on with Power; presets choose a room.";

enum AudioPort : uint32_t { inLeft = 0, inRight, outLeft, outRight, audioCount };

// The two stereo pairs hosts label and connect as such.
struct GroupInfo {
    const char* uri;
    const char* symbol;
    const char* name;
};
constexpr GroupInfo inputGroup = {"urn:brellivaunt:reverb#in", "in", "Input"};
constexpr GroupInfo outputGroup = {"urn:brellivaunt:reverb#out", "out", "Output"};

struct AudioPortInfo {
    const char* symbol;
    const char* name;
    bool output;
    bool left;
    const char* comment;  // what a host shows as the port's tooltip
};

constexpr AudioPortInfo audioPorts[audioCount] = {
    {"in_l", "In L", false, true, "The left channel of the sound to put in the room."},
    {"in_r", "In R", false, false,
     "The right channel of the sound to put in the room (unused while Mono-In is on)."},
    {"out_l", "Out L", true, true, "The left channel of the mix of dry sound and reverb."},
    {"out_r", "Out R", true, false, "The right channel of the mix of dry sound and reverb."},
};

constexpr uint32_t firstControl = audioCount;

// The host's own bypass (lv2:enabled), LV2's alone: VST 2 keeps its nine
// parameters. Above 0 the reverb plays; at 0 or below the output fades to
// the input, the reverb running on unheard. Unconnected, it plays.
constexpr uint32_t enabled = firstControl + paramCount;
struct SwitchPortInfo {
    const char* symbol;
    const char* name;
    float defaultValue;
    const char* comment;
};
constexpr SwitchPortInfo enabledPort = {
    "enabled", "Enabled", 1.0f,
    "The host's bypass: when off, the plug-in passes its input through unchanged after a short "
    "fade, without a click. The reverb keeps running meanwhile, so switching back brings in the "
    "room as it sounds now."};

constexpr uint32_t count = enabled + 1;

// The parameter a port carries, or -1 for an audio port, the bypass or no
// port at all.
constexpr int32_t parameterOf(uint32_t port) {
    return port >= firstControl && port < enabled ? static_cast<int32_t>(port - firstControl) : -1;
}

constexpr uint32_t portOf(int32_t parameter) {
    return firstControl + static_cast<uint32_t>(parameter);
}

}  // namespace lv2port
