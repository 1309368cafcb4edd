#include <gtest/gtest.h>

#include "gui/DrawContext.h"
#include "tests/support/GuiTestSupport.h"

using guitest::rgb;
using guitest::ScopedSurface;
using namespace platform;

namespace {

constexpr ColorRef black = 0;
const Color fillColor{10, 200, 30, 0};
const Color penColor{250, 40, 60, 0};

bool onOutline(int x, int y, const Rect& r) {
    bool inX = x >= r.left && x <= r.right;
    bool inY = y >= r.top && y <= r.bottom;
    return inX && inY && (x == r.left || x == r.right || y == r.top || y == r.bottom);
}

bool inside(int x, int y, const Rect& r) {
    return x > r.left && x < r.right && y > r.top && y < r.bottom;
}

class DrawContextPixels : public guitest::PlatformTest {};

// Every pixel of the surface is `color` where `covered` says so, else black.
template <typename Covered>
void expectCoverage(const ScopedSurface& s, Covered covered, ColorRef color) {
    for (int y = 0; y < s.height; ++y)
        for (int x = 0; x < s.width; ++x)
            ASSERT_EQ(s.at(x, y), covered(x, y) ? color : black) << "pixel " << x << "," << y;
}

}  // namespace

TEST_F(DrawContextPixels, FillCoversExactlyTheInsideOfTheOutline) {
    ScopedSurface s(20, 20);
    const Rect r{3, 4, 12, 15};
    {
        DrawContext context(nullptr, s.dc, nullptr);
        context.setFillColor(fillColor);
        context.fillRect(r);
    }
    expectCoverage(
        s, [&](int x, int y) { return inside(x, y, r); }, fillColor.toColorRef());
}

TEST_F(DrawContextPixels, FrameOutlinesBothFarEdgesAndLeavesTheInside) {
    ScopedSurface s(20, 20);
    const Rect r{3, 4, 12, 15};
    {
        DrawContext context(nullptr, s.dc, nullptr);
        context.setPenColor(penColor);
        context.frameRect(r);
    }
    expectCoverage(
        s, [&](int x, int y) { return onOutline(x, y, r); }, penColor.toColorRef());
}

TEST_F(DrawContextPixels, FillThenFramePaintEachPixelOnce) {
    ScopedSurface s(20, 20);
    const Rect r{2, 2, 9, 7};
    {
        DrawContext context(nullptr, s.dc, nullptr);
        context.setFillColor(fillColor);
        context.setPenColor(penColor);
        context.fillRect(r);
        context.frameRect(r);
    }
    int filled = 0, outlined = 0;
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) {
            if (s.at(x, y) == fillColor.toColorRef()) ++filled;
            if (s.at(x, y) == penColor.toColorRef()) ++outlined;
        }
    EXPECT_EQ(filled, (r.width() - 1) * (r.height() - 1));
    EXPECT_EQ(outlined, 2 * (r.width() + r.height()));
}

TEST_F(DrawContextPixels, ALineLeavesItsEndPointUnpainted) {
    ScopedSurface s(20, 10);
    {
        DrawContext context(nullptr, s.dc, nullptr);
        context.setPenColor(penColor);
        context.moveTo({2, 5});
        context.lineTo({9, 5});
        context.lineTo({9, 8});
    }
    for (int x = 0; x < 20; ++x)
        EXPECT_EQ(s.at(x, 5), (x >= 2 && x <= 9) ? penColor.toColorRef() : black) << x;
    EXPECT_EQ(s.at(9, 7), penColor.toColorRef());
    EXPECT_EQ(s.at(9, 8), black);
}

TEST_F(DrawContextPixels, ADottedLineLeavesGapsAndASolidOneDoesNot) {
    ScopedSurface s(40, 4);
    {
        DrawContext context(nullptr, s.dc, nullptr);
        context.setPenColor(colorWhite);
        context.setLineStyle(lineDotted);
        context.moveTo({0, 1});
        context.lineTo({30, 1});
        context.setLineStyle(lineSolid);
        context.moveTo({0, 3});
        context.lineTo({30, 3});
    }
    int dotted = 0, solid = 0;
    for (int x = 0; x < 30; ++x) {
        dotted += s.at(x, 1) == 0xFFFFFF;
        solid += s.at(x, 3) == 0xFFFFFF;
    }
    EXPECT_EQ(s.at(0, 1), 0xFFFFFFu);
    EXPECT_GT(dotted, 5);
    EXPECT_LT(dotted, 25);
    EXPECT_EQ(solid, 30);
}

class DrawContextObjects : public guitest::PlatformTest {};

TEST_F(DrawContextObjects, ConstructionSetsTransparentModeAndTheDefaultColours) {
    ScopedSurface s(4, 4);
    DrawContext context(nullptr, s.dc, nullptr);
    EXPECT_EQ(probe::getBkMode(s.dc), bkTransparent);
    EXPECT_EQ(probe::getBkColor(s.dc), 0u);
    EXPECT_EQ(probe::getTextColor(s.dc), 0xFFFFFFu);
    EXPECT_EQ(context.getPenColor(), colorWhite);
    EXPECT_EQ(context.getFillColor(), colorBlack);
    EXPECT_EQ(context.getFontColor(), colorWhite);
    EXPECT_EQ(context.getFontId(), 0);
    EXPECT_EQ(context.getFontSize(), 0);
}

TEST_F(DrawContextObjects, DeletingRestoresTheDeviceContextsObjectsThenDeletesItsOwn) {
    ScopedSurface s(4, 4);
    GdiObject pen0 = getCurrentObject(s.dc, objPen);
    GdiObject brush0 = getCurrentObject(s.dc, objBrush);
    GdiObject font0 = getCurrentObject(s.dc, objFont);
    GdiObject pen1, brush1, font1;
    {
        DrawContext context(nullptr, s.dc, nullptr);
        context.setFont(fontNormal);
        pen1 = getCurrentObject(s.dc, objPen);
        brush1 = getCurrentObject(s.dc, objBrush);
        font1 = getCurrentObject(s.dc, objFont);
        EXPECT_NE(pen1, pen0);
        EXPECT_NE(brush1, brush0);
        EXPECT_NE(font1, font0);
    }
    EXPECT_EQ(getCurrentObject(s.dc, objPen), pen0);
    EXPECT_EQ(getCurrentObject(s.dc, objBrush), brush0);
    EXPECT_EQ(getCurrentObject(s.dc, objFont), font0);
    EXPECT_FALSE(probe::objectExists(pen1));
    EXPECT_FALSE(probe::objectExists(brush1));
    EXPECT_FALSE(probe::objectExists(font1));
}

TEST_F(DrawContextObjects, ANewPenReplacesAndDeletesThePreviousOne) {
    ScopedSurface s(4, 4);
    DrawContext context(nullptr, s.dc, nullptr);
    GdiObject first = getCurrentObject(s.dc, objPen);
    context.setPenColor(colorRed);
    GdiObject second = getCurrentObject(s.dc, objPen);
    EXPECT_NE(first, second);
    EXPECT_FALSE(probe::objectExists(first));
    context.setFillColor(colorBlue);
    EXPECT_EQ(probe::getBkColor(s.dc), colorBlue.toColorRef());
}

TEST_F(DrawContextObjects, AContextWithoutADeviceContextDrawsNothingAndDoesNotFail) {
    DrawContext context(nullptr, nullptr, nullptr);
    context.setPenColor(colorRed);
    context.setFillColor(colorRed);
    context.setFont(fontHuge);
    context.moveTo({0, 0});
    context.lineTo({5, 5});
    context.fillRect({0, 0, 5, 5});
    context.drawText("x", {0, 0, 5, 5}, true, alignLeft);
    context.drawText(nullptr, {0, 0, 5, 5});
    EXPECT_EQ(context.getFontSize(), 18);
}

namespace {

FontDescription selectedFont(DeviceContext dc) {
    FontDescription d{};
    probe::getFontDescription(getCurrentObject(dc, objFont), &d);
    return d;
}

class FontSelection : public guitest::PlatformTest {};

}  // namespace

TEST_F(FontSelection, AnInvalidIdIsTheBoldSystemFontAtTwelvePixels) {
    ScopedSurface s(4, 4);
    DrawContext context(nullptr, s.dc, nullptr);
    context.setFont(9, 0, 0);
    FontDescription d = selectedFont(s.dc);
    EXPECT_STREQ(d.faceName, "Arial");
    EXPECT_EQ(d.height, -12);
    EXPECT_EQ(d.weight, 700);
    EXPECT_EQ(context.getFontId(), fontSystem);
    EXPECT_EQ(context.getFontSize(), 12);
    context.setFont(-1, 0, 0);
    EXPECT_EQ(context.getFontId(), fontSystem);
}

TEST_F(FontSelection, SizeZeroTakesEachFontsDefault) {
    ScopedSurface s(4, 4);
    DrawContext context(nullptr, s.dc, nullptr);
    const int sizes[fontCount] = {12, 18, 14, 12, 11, 10, 9, 13};
    for (int id = 0; id < fontCount; ++id) {
        context.setFont(id, 0, 0);
        EXPECT_EQ(selectedFont(s.dc).height, -sizes[id]) << id;
        EXPECT_EQ(context.getFontSize(), sizes[id]);
    }
    context.setFont(fontSmall, 20, 0);
    EXPECT_EQ(selectedFont(s.dc).height, -20);
}

TEST_F(FontSelection, StylesSetWeightItalicAndUnderlineButTheSystemFontIsAlwaysBold) {
    ScopedSurface s(4, 4);
    DrawContext context(nullptr, s.dc, nullptr);
    context.setFont(fontSmall, 0, 0);
    FontDescription d = selectedFont(s.dc);
    EXPECT_EQ(d.weight, 400);
    EXPECT_EQ(d.italic, 0);
    EXPECT_EQ(d.pitchAndFamily, 34);
    EXPECT_EQ(d.charSet, 0);
    EXPECT_EQ(d.outPrecision, 1);
    EXPECT_EQ(d.clipPrecision, 2);
    context.setFont(fontSmall, 0, styleBold | styleItalic | styleUnderline);
    d = selectedFont(s.dc);
    EXPECT_EQ(d.weight, 700);
    EXPECT_NE(d.italic, 0);
    EXPECT_NE(d.underline, 0);
    context.setFont(fontSystem, 0, styleItalic);
    EXPECT_EQ(selectedFont(s.dc).weight, 700);
}

TEST_F(FontSelection, TheSymbolFontIsDecorativeWhateverTheStyle) {
    ScopedSurface s(4, 4);
    DrawContext context(nullptr, s.dc, nullptr);
    context.setFont(fontSymbol, 0, styleBold);
    FontDescription d = selectedFont(s.dc);
    EXPECT_STREQ(d.faceName, "Symbol");
    EXPECT_EQ(d.height, -13);
    EXPECT_EQ(d.weight, 700);
    EXPECT_EQ(d.pitchAndFamily, 80);
}

class PointerPosition : public guitest::PlatformTest {};

TEST_F(PointerPosition, IsReportedRelativeToTheWindowsCornerAtConstruction) {
    guitest::ScopedHostWindow host(50, 40);
    PlatformRect r{};
    ASSERT_TRUE(getWindowRect(host.window, &r));
    probe::setCursorPos(r.left + 7, r.top + 11);
    DrawContext context(nullptr, nullptr, host.window);
    Point where;
    context.mousePosition(where);
    EXPECT_EQ(where, (Point{7, 11}));
}

TEST_F(PointerPosition, KeepsTheWindowsCornerAsItWasWhenTheContextWasMade) {
    guitest::ScopedHostWindow host(50, 40);
    PlatformRect r{};
    ASSERT_TRUE(getWindowRect(host.window, &r));
    DrawContext context(nullptr, nullptr, host.window);
    probe::moveWindow(host.window, r.left + 30, r.top + 20);
    PlatformRect moved{};
    ASSERT_TRUE(getWindowRect(host.window, &moved));
    ASSERT_EQ(moved.left, r.left + 30);
    ASSERT_EQ(moved.top, r.top + 20);
    probe::setCursorPos(r.left + 7, r.top + 11);
    Point where;
    context.mousePosition(where);
    EXPECT_EQ(where, (Point{7, 11}));
}
