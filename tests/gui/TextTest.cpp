#include <gtest/gtest.h>

#include "gui/DrawContext.h"
#include "tests/support/GuiTestSupport.h"

using guitest::ScopedSurface;
using namespace platform;

namespace {

constexpr int width = 80;
constexpr int height = 24;
const char* const sample = "Hil 50%";

// Draws the sample through a context with the given alignment.
probe::Image throughContext(const Rect& r, int32_t align, bool opaque = false) {
    ScopedSurface s(width, height);
    DrawContext context(nullptr, s.dc, nullptr);
    context.setFont(fontNormal);
    context.setFillColor(colorBlue);
    context.drawText(sample, r, opaque, static_cast<TextAlign>(align));
    return s.image();
}

// Draws the sample with the system's text call and the given format.
probe::Image direct(PlatformRect r, uint32_t format) {
    ScopedSurface s(width, height);
    DrawContext context(nullptr, s.dc, nullptr);
    context.setFont(fontNormal);
    drawText(s.dc, sample, -1, &r, format);
    return s.image();
}

constexpr uint32_t base = textSingleLine | textVCenter | textNoPrefix;

class TextPlacement : public guitest::PlatformTest {};

}  // namespace

TEST_F(TextPlacement, LeftAlignedTextStartsOnePixelInsideTheRectangle) {
    probe::Image drawn = throughContext({10, 2, 70, 22}, alignLeft);
    ASSERT_FALSE(guitest::inkBox(drawn, 0).empty());
    EXPECT_EQ(drawn.pixels, direct({11, 2, 70, 22}, base | textLeft).pixels);
    EXPECT_NE(drawn.pixels, direct({10, 2, 70, 22}, base | textLeft).pixels);
}

TEST_F(TextPlacement, CentredAndRightAlignedTextUseTheRectangleUnchanged) {
    EXPECT_EQ(throughContext({10, 2, 70, 22}, alignCenter).pixels,
              direct({10, 2, 70, 22}, base | textCenter).pixels);
    EXPECT_EQ(throughContext({10, 2, 70, 22}, alignRight).pixels,
              direct({10, 2, 70, 22}, base | textRight).pixels);
}

TEST_F(TextPlacement, AnyOtherAlignmentValueIsLeftAlignment) {
    EXPECT_EQ(throughContext({10, 2, 70, 22}, 7).pixels,
              throughContext({10, 2, 70, 22}, alignLeft).pixels);
    EXPECT_EQ(throughContext({10, 2, 70, 22}, -1).pixels,
              throughContext({10, 2, 70, 22}, alignLeft).pixels);
}

TEST_F(TextPlacement, HorizontalPlacementFollowsTheAlignment) {
    guitest::Box left = guitest::inkBox(throughContext({0, 0, 80, 24}, alignLeft), 0);
    guitest::Box centre = guitest::inkBox(throughContext({0, 0, 80, 24}, alignCenter), 0);
    guitest::Box right = guitest::inkBox(throughContext({0, 0, 80, 24}, alignRight), 0);
    ASSERT_FALSE(left.empty());
    EXPECT_LE(left.left, 3);
    EXPECT_GE(right.right, 76);
    EXPECT_NEAR((centre.left + centre.right) / 2.0, 40.0, 3.0);
}

TEST_F(TextPlacement, TextIsCentredVertically) {
    guitest::Box box = guitest::inkBox(throughContext({0, 0, 80, 24}, alignCenter), 0);
    ASSERT_FALSE(box.empty());
    EXPECT_GT(box.top, 2);
    EXPECT_LT(box.bottom, 21);
    EXPECT_NEAR((box.top + box.bottom) / 2.0, 12.0, 3.0);
}

TEST_F(TextPlacement, TextIsClippedToItsRectangle) {
    guitest::Box box = guitest::inkBox(throughContext({20, 0, 30, 24}, alignLeft), 0);
    ASSERT_FALSE(box.empty());
    EXPECT_GE(box.left, 21);
    EXPECT_LT(box.right, 30);
}

TEST_F(TextPlacement, OpaqueTextPaintsTheFillColourBehindItAndModeReturnsToTransparent) {
    ScopedSurface s(width, height);
    DrawContext context(nullptr, s.dc, nullptr);
    context.setFont(fontNormal);
    context.setFillColor(colorBlue);
    context.drawText(sample, {0, 0, 80, 24}, true, alignCenter);
    EXPECT_EQ(probe::getBkMode(s.dc), bkTransparent);
    int blue = 0;
    for (ColorRef c : s.image().pixels) blue += c == colorBlue.toColorRef();
    EXPECT_GT(blue, 20);

    probe::Image transparent = throughContext({0, 0, 80, 24}, alignCenter, false);
    for (ColorRef c : transparent.pixels) ASSERT_NE(c, colorBlue.toColorRef());
}

TEST_F(TextPlacement, TextTakesTheFontColour) {
    ScopedSurface s(width, height);
    DrawContext context(nullptr, s.dc, nullptr);
    context.setFont(fontLarge);
    context.setFontColor(colorYellow);
    context.drawText("W", {0, 0, 80, 24});
    int yellow = 0;
    for (ColorRef c : s.image().pixels) yellow += c == colorYellow.toColorRef();
    EXPECT_GT(yellow, 5);
}
