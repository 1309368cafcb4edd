// Number-to-text tools for parameter displays. Every text fits the host's
// customary 8-character display field plus its terminator.
#pragma once

#include <cstdint>

void formatFloat(float value, char* text);
void formatInteger(int32_t value, char* text);
void formatDecibels(float value, char* text);
void formatPercent(float value, char* text);
