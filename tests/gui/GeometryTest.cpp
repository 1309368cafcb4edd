#include <gtest/gtest.h>

#include "gui/Geometry.h"

TEST(RectContainment, FarEdgesBelongToTheRectangle) {
    Rect r{10, 20, 30, 40};
    EXPECT_TRUE(r.contains({10, 20}));
    EXPECT_TRUE(r.contains({30, 40}));
    EXPECT_FALSE(r.contains({31, 40}));
    EXPECT_FALSE(r.contains({30, 41}));
    EXPECT_FALSE(r.contains({9, 25}));
    EXPECT_EQ(r.width(), 20);
    EXPECT_EQ(r.height(), 20);
}

TEST(RectOverlap, TouchingEdgesOverlapAndAGapDoesNot) {
    Rect a{0, 0, 10, 10};
    EXPECT_TRUE(a.overlaps({10, 0, 20, 10}));
    EXPECT_TRUE(a.overlaps({0, 10, 10, 20}));
    EXPECT_FALSE(a.overlaps({11, 0, 20, 10}));
    EXPECT_FALSE(a.overlaps({0, 11, 10, 20}));
    EXPECT_FALSE(Rect({11, 0, 20, 10}).overlaps(a));
    EXPECT_TRUE(a.overlaps({-5, -5, 0, 0}));
}

TEST(ColorValue, ReachesThePlatformAsRedPlusGreenAndBlueShiftedIgnoringAlpha) {
    EXPECT_EQ((Color{1, 2, 3, 0}).toColorRef(), 0x030201u);
    EXPECT_EQ((Color{1, 2, 3, 200}).toColorRef(), 0x030201u);
    EXPECT_EQ(colorWhite.toColorRef(), 0xFFFFFFu);
    EXPECT_EQ(colorGrey.toColorRef(), 0x7F7F7Fu);
    EXPECT_EQ(colorMagenta.toColorRef(), 0xFF00FFu);
    EXPECT_EQ(colorCyan.toColorRef(), 0xFFFF00u);
    EXPECT_EQ(sizeof(Color), 4u);
}
