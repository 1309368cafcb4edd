// The factory presets compiled into every binary that shows the panel: a
// table the build writes from presets.txt (PresetTable.cmake), so the panel
// names the rooms the preset files and the command-line host name, and no
// file is read at run time.
#pragma once

#include <cstdint>

#include "params/Parameters.h"

struct FactoryPreset {
    const char* name;
    float values[paramCount];
};

// In the order of the source.
extern const FactoryPreset factoryPresets[];
extern const int32_t factoryPresetCount;
