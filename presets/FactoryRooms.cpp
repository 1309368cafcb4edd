#include "presets/FactoryRooms.h"

#include <cmath>

namespace {

constexpr int32_t roomParameters[] = {paramEarlySize, paramLateSize, paramDamping, paramDiffusion,
                                      paramEarlyLate};

// The engine runs only at exactly 1, so only that is on.
bool switchedOn(float value) { return value == 1.0f; }

}  // namespace

FactoryRooms::FactoryRooms(const FactoryPreset* table, int32_t count)
    : presets(table), presetCount(table && count > 0 ? count : 0) {}

FactoryRooms FactoryRooms::builtIn() { return FactoryRooms(factoryPresets, factoryPresetCount); }

const char* FactoryRooms::name(int32_t index) const {
    return index >= 0 && index < presetCount ? presets[index].name : nullptr;
}

// A value that is no number lies within no distance of a room.
int32_t FactoryRooms::match(const float (&values)[paramCount]) const {
    if (!switchedOn(values[paramOnOff])) return none;
    for (int32_t i = 0; i < presetCount; ++i) {
        bool same = true;
        for (int32_t parameter : roomParameters)
            same = same && std::fabs(values[parameter] - presets[i].values[parameter]) <= tolerance;
        if (same) return i;
    }
    return none;
}

bool FactoryRooms::sets(int32_t parameter) {
    return isParameter(parameter) && parameter != paramDryWet;
}

bool FactoryRooms::valueFor(int32_t index, int32_t parameter, float& value) const {
    if (!name(index) || !sets(parameter)) return false;
    value = parameter == paramOnOff ? 1.0f : presets[index].values[parameter];
    return true;
}
