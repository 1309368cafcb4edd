// The factory presets as rooms to choose: which one a set of values is, and
// what choosing one sets. A room is its five values
// that shape the sound (the sizes, the decay, the diffusion and the balance)
// with the reverb on; the mix, the volume and the mono input are the user's
// and choose nothing. Nothing is remembered: the room is read off the values
// each time, so it follows whatever changed them.
#pragma once

#include <cstdint>

#include "presets/FactoryPresets.h"

class FactoryRooms final {
public:
    // How far a value may lie from a room's and still be that room: less
    // than the panel's read-outs show, more than a host's float round trip.
    static constexpr float tolerance = 0.005f;
    static constexpr int32_t none = -1;

    FactoryRooms(const FactoryPreset* presets, int32_t count);
    // The table the build compiled in.
    static FactoryRooms builtIn();

    int32_t count() const { return presetCount; }
    // The preset's name; null for an index outside the table.
    const char* name(int32_t index) const;
    // The first preset whose room the values are, or none.
    int32_t match(const float (&values)[paramCount]) const;
    // Whether choosing a preset sets the parameter: every one but Dry-Wet.
    static bool sets(int32_t parameter);
    // The value choosing the preset gives the parameter: its own, and the
    // reverb on, since a room chosen is a room heard. False for a parameter
    // it leaves alone or an index outside the table.
    bool valueFor(int32_t index, int32_t parameter, float& value) const;

private:
    const FactoryPreset* presets;
    int32_t presetCount;
};
