// The factory presets as the panel's rooms: which one the values are and
// what choosing one sets, on the table the build compiled in and on a small
// one with rooms that lie close together.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "presets/FactoryRooms.h"

namespace {

void copyValues(const FactoryPreset& preset, float (&values)[paramCount]) {
    std::memcpy(values, preset.values, sizeof values);
}

// Three rooms; the second differs from the first only in its decay, by
// more than the tolerance, and the third repeats the first's room.
constexpr FactoryPreset closeRooms[] = {
    {"First", {0.2f, 0.3f, 0.4f, 0.5f, 0.6f, 0.7f, 0.0f, 1.0f, 0.0f}},
    {"Second", {0.2f, 0.3f, 0.42f, 0.5f, 0.6f, 0.7f, 0.0f, 1.0f, 0.0f}},
    {"Third", {0.2f, 0.3f, 0.4f, 0.5f, 0.6f, 0.1f, 1.0f, 1.0f, 1.0f}},
};

}  // namespace

TEST(FactoryRooms, EveryBuiltInPresetIsItsOwnRoomWhateverTheMixVolumeAndMono) {
    const FactoryRooms rooms = FactoryRooms::builtIn();
    ASSERT_EQ(rooms.count(), factoryPresetCount);
    ASSERT_GT(rooms.count(), 16) << "the bank's sixteen and more";
    for (int32_t i = 0; i < rooms.count(); ++i) {
        float values[paramCount];
        copyValues(factoryPresets[i], values);
        EXPECT_EQ(rooms.match(values), i) << rooms.name(i);
        values[paramDryWet] = 1.0f - values[paramDryWet];
        values[paramVolume] = 0.77f;
        values[paramMonoIn] = 1.0f;
        EXPECT_EQ(rooms.match(values), i) << rooms.name(i);
    }
}

TEST(FactoryRooms, AValueFurtherThanTheToleranceOrPowerOffIsNoRoom) {
    const FactoryRooms rooms(closeRooms, 3);
    float values[paramCount];
    copyValues(closeRooms[0], values);
    const int32_t shaping[] = {paramEarlySize, paramLateSize, paramDamping, paramDiffusion,
                               paramEarlyLate};
    for (int32_t parameter : shaping) {
        const float kept = values[parameter];
        values[parameter] = kept + 0.004f;
        EXPECT_EQ(rooms.match(values), 0) << parameter;
        values[parameter] = kept - 0.004f;
        EXPECT_EQ(rooms.match(values), 0) << parameter;
        values[parameter] = kept + 0.006f;
        EXPECT_EQ(rooms.match(values), FactoryRooms::none) << parameter;
        values[parameter] = std::numeric_limits<float>::quiet_NaN();
        EXPECT_EQ(rooms.match(values), FactoryRooms::none) << parameter;
        values[parameter] = kept;
    }
    values[paramDamping] = 0.42f;
    EXPECT_EQ(rooms.match(values), 1) << "the room next door";
    values[paramOnOff] = 0.0f;
    EXPECT_EQ(rooms.match(values), FactoryRooms::none) << "a room switched off is heard as none";
    values[paramOnOff] = 0.99f;
    EXPECT_EQ(rooms.match(values), FactoryRooms::none) << "the engine runs only at exactly 1";
}

TEST(FactoryRooms, TwoPresetsOfOneRoomAreNamedByTheFirst) {
    const FactoryRooms rooms(closeRooms, 3);
    float values[paramCount];
    copyValues(closeRooms[2], values);
    EXPECT_EQ(rooms.match(values), 0);
}

TEST(FactoryRooms, ChoosingSetsEveryParameterButDryWetAndSwitchesTheReverbOn) {
    const FactoryPreset switchedOff[] = {
        {"Off", {0.1f, 0.2f, 0.3f, 0.4f, 0.5f, 0.6f, 0.7f, 0.0f, 1.0f}}};
    const FactoryRooms rooms(switchedOff, 1);
    float values[paramCount];
    for (int32_t p = 0; p < paramCount; ++p) values[p] = 0.5f;
    for (int32_t p = 0; p < paramCount; ++p) {
        float value = -1.0f;
        const bool sets = rooms.valueFor(0, p, value);
        EXPECT_EQ(sets, p != paramDryWet) << p;
        if (!sets) continue;
        EXPECT_EQ(value, p == paramOnOff ? 1.0f : switchedOff[0].values[p]) << p;
        values[p] = value;
    }
    EXPECT_EQ(rooms.match(values), 0) << "a room chosen is that room";
    float value = 0.0f;
    EXPECT_FALSE(rooms.valueFor(1, paramEarlySize, value));
    EXPECT_FALSE(rooms.valueFor(-1, paramEarlySize, value));
    EXPECT_FALSE(rooms.valueFor(0, paramCount, value));
    EXPECT_EQ(rooms.name(1), nullptr);
}
