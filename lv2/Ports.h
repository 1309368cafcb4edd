// The LV2 plug-in's ports, by index: the stereo audio first, then one control
// port per parameter of the table, in the effect's parameter order. Hosts
// save sessions by port symbol, so neither the order nor a symbol may change.
#pragma once

#include <cstdint>

#include "params/Parameters.h"

namespace lv2port {

constexpr const char* pluginUri = "urn:brellivaunt:reverb";
constexpr const char* uiUri = "urn:brellivaunt:reverb#ui";

enum AudioPort : uint32_t { inLeft = 0, inRight, outLeft, outRight, audioCount };

struct AudioPortInfo {
    const char* symbol;
    const char* name;
    bool output;
};

constexpr AudioPortInfo audioPorts[audioCount] = {
    {"in_l", "In L", false},
    {"in_r", "In R", false},
    {"out_l", "Out L", true},
    {"out_r", "Out R", true},
};

constexpr uint32_t firstControl = audioCount;
constexpr uint32_t count = audioCount + paramCount;

// The parameter a port carries, or -1 for an audio port or no port at all.
constexpr int32_t parameterOf(uint32_t port) {
    return port >= firstControl && port < count ? static_cast<int32_t>(port - firstControl) : -1;
}

constexpr uint32_t portOf(int32_t parameter) {
    return firstControl + static_cast<uint32_t>(parameter);
}

}  // namespace lv2port
