// The host's view of each parameter: its name, its unit label and its value
// as text. Out-of-range indices leave the host's buffer as it was.
#include <cstring>

#include "effect/ReverbPlugin.h"

void ReverbPlugin::getParameterName(int32_t index, char* text) {
    if (isParameter(index)) std::strcpy(text, parameterTable[index].name);
}

void ReverbPlugin::getParameterLabel(int32_t index, char* text) {
    if (isParameter(index)) std::strcpy(text, "amount");
}

void ReverbPlugin::getParameterDisplay(int32_t index, char* text) {
    if (isParameter(index)) formatFloat(core.getParameter(index), text);
}
