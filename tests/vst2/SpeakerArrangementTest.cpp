#include <gtest/gtest.h>

#include <cstring>

#include "TestEffect.h"

namespace {

struct Arrangements : ::testing::Test {
    TestEffect effect;
    VstSpeakerArrangement* arrangement = nullptr;
    void TearDown() override { effect.deallocateArrangement(&arrangement); }
};

}  // namespace

TEST_F(Arrangements, AllocateGivesAZeroedBlockWithTheChannelCount) {
    ASSERT_TRUE(effect.allocateArrangement(&arrangement, 3));
    ASSERT_NE(arrangement, nullptr);
    EXPECT_EQ(arrangement->numChannels, 3);
    EXPECT_EQ(arrangement->type, 0);
    const unsigned char* bytes = reinterpret_cast<const unsigned char*>(arrangement->speakers);
    for (size_t i = 0; i < 3 * sizeof(VstSpeakerProperties); ++i) ASSERT_EQ(bytes[i], 0) << i;
}

TEST_F(Arrangements, AllocateReleasesThePreviousArrangement) {
    ASSERT_TRUE(effect.allocateArrangement(&arrangement, 2));
    ASSERT_TRUE(effect.allocateArrangement(&arrangement, 1));  // ASan reports the leak otherwise
    EXPECT_EQ(arrangement->numChannels, 1);
}

TEST_F(Arrangements, ImpossibleSizesFailWithoutLeavingAReleasedPointer) {
    ASSERT_TRUE(effect.allocateArrangement(&arrangement, 2));
    EXPECT_FALSE(effect.allocateArrangement(&arrangement, -1));
    EXPECT_EQ(arrangement, nullptr);
    EXPECT_FALSE(effect.allocateArrangement(nullptr, 2));
}

TEST_F(Arrangements, DeallocateStoresNull) {
    ASSERT_TRUE(effect.allocateArrangement(&arrangement, 2));
    EXPECT_TRUE(effect.deallocateArrangement(&arrangement));
    EXPECT_EQ(arrangement, nullptr);
    EXPECT_TRUE(effect.deallocateArrangement(&arrangement));
}

TEST_F(Arrangements, CopySpeakerCopiesEveryFieldAndRefusesNull) {
    VstSpeakerProperties from{}, to{};
    from.azimuth = 0.5f;
    from.elevation = -0.25f;
    from.radius = 2.0f;
    from.reserved = 3.0f;
    std::strcpy(from.name, "Left");
    from.type = 1;
    from.future[27] = 9;
    std::memset(to.name, 'x', sizeof(to.name));
    EXPECT_TRUE(effect.copySpeaker(&to, &from));
    EXPECT_EQ(to.azimuth, 0.5f);
    EXPECT_EQ(to.elevation, -0.25f);
    EXPECT_EQ(to.radius, 2.0f);
    EXPECT_EQ(to.reserved, 3.0f);
    EXPECT_STREQ(to.name, "Left");
    EXPECT_EQ(to.type, 1);
    EXPECT_EQ(to.future[27], 9);
    EXPECT_FALSE(effect.copySpeaker(nullptr, &from));
    EXPECT_FALSE(effect.copySpeaker(&to, nullptr));
}

TEST_F(Arrangements, CopySpeakerStopsAtTheEndOfAnUnterminatedName) {
    VstSpeakerProperties from{}, to{};
    std::memset(from.name, 'n', sizeof(from.name));
    EXPECT_TRUE(effect.copySpeaker(&to, &from));
    EXPECT_EQ(std::strlen(to.name), sizeof(to.name) - 1);
}

TEST_F(Arrangements, MatchMakesAFreshCopyOfTypeAndSpeakers) {
    VstSpeakerArrangement* source = nullptr;
    ASSERT_TRUE(effect.allocateArrangement(&source, 2));
    source->type = 1;
    std::strcpy(source->speakers[0].name, "L");
    std::strcpy(source->speakers[1].name, "R");
    source->speakers[1].type = 2;
    ASSERT_TRUE(effect.allocateArrangement(&arrangement, 5));
    EXPECT_TRUE(effect.matchArrangement(&arrangement, source));
    ASSERT_NE(arrangement, source);
    EXPECT_EQ(arrangement->numChannels, 2);
    EXPECT_EQ(arrangement->type, 1);
    EXPECT_STREQ(arrangement->speakers[0].name, "L");
    EXPECT_STREQ(arrangement->speakers[1].name, "R");
    EXPECT_EQ(arrangement->speakers[1].type, 2);
    EXPECT_FALSE(effect.matchArrangement(&arrangement, nullptr));
    effect.deallocateArrangement(&source);
}
