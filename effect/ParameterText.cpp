// The host's view of each parameter: its name, its unit label and its value
// as text. Out-of-range indices leave the host's buffer as it was.
#include <cstring>

#include "effect/ReverbPlugin.h"

namespace {

const char* const parameterNames[paramCount] = {
    "EarlySize", "LateSize", "Damping", "Diffusion", "Early-Late",
    "Dry-Wet",   "Volume",   "On-Off",  "On-Off",
};

}  // namespace

void ReverbPlugin::getParameterName(int32_t index, char* text) {
    if (isParameter(index)) std::strcpy(text, parameterNames[index]);
}

void ReverbPlugin::getParameterLabel(int32_t index, char* text) {
    if (isParameter(index)) std::strcpy(text, "amount");
}

void ReverbPlugin::getParameterDisplay(int32_t index, char* text) {
    if (isParameter(index)) formatFloat(live(index), text);
}
