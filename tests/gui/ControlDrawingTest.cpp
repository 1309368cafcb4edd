// What the knob strip and the read-out draw, on every platform.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "gui/Bitmap.h"
#include "gui/DrawContext.h"
#include "gui/FilmstripKnob.h"
#include "gui/ValueDisplay.h"
#include "tests/support/GuiTestSupport.h"

namespace {

using guitest::rgb;

TEST(FilmstripKnobDrawing, TheValuePicksAPictureSnappedToItsTop) {
    auto* knob = new FilmstripKnob({0, 0, 38, 38}, nullptr, 0, 65, 38, nullptr, {0, 0});
    const std::pair<float, int> cases[] = {{0.0f, 0},  {0.5f, 32}, {1.0f, 64},
                                           {-0.1f, 0}, {0.4f, 25}, {2.0f, 64}};
    for (const auto& c : cases) {
        knob->setValue(c.first);
        EXPECT_EQ(knob->frameOffset(), c.second * 38) << c.first;
    }
    knob->release();

    guitest::ScopedSurface surface(6, 4);
    auto* strip = new Bitmap(guitest::imageStrip);  // green picture above a red one
    auto* twoFrames = new FilmstripKnob({0, 0, 6, 4}, nullptr, 0, 2, 4, strip, {0, 0});
    DrawContext context(nullptr, surface.dc, nullptr);
    twoFrames->setValue(0.99f);
    twoFrames->draw(&context);
    EXPECT_EQ(surface.at(2, 2), rgb(0, 200, 0));
    twoFrames->setValue(1.0f);
    twoFrames->draw(&context);
    EXPECT_EQ(surface.at(2, 2), rgb(200, 0, 0));
    EXPECT_FALSE(twoFrames->isDirty());
    twoFrames->release();
    strip->release();
}

std::string converterCalls;
void plainConverter(float, char* text) {
    converterCalls += "plain;";
    std::strcpy(text, "plain");
}
void dataConverter(float value, char* text, void* data) {
    converterCalls += "data;";
    std::snprintf(text, 256, "%s%.2f", static_cast<const char*>(data), static_cast<double>(value));
}

platform::probe::Image drawnOver(ValueDisplay* display, platform::ColorRef background) {
    guitest::ScopedSurface surface(40, 14);
    surface.fill(background);
    DrawContext context(nullptr, surface.dc, nullptr);
    display->draw(&context);
    return surface.image();
}

TEST(ValueDisplayDrawing,
     TheConverterWithDataWinsAndWithoutConvertersTheValueShowsWithTwoDecimals) {
    auto* display = new ValueDisplay({0, 0, 39, 13}, nullptr, 0);
    display->setValue(0.5f);
    auto* reference = new ValueDisplay({0, 0, 39, 13}, nullptr, 0);
    reference->setConverter([](float, char* text) { std::strcpy(text, "0.50"); });
    // Text pixels are compared with a display handed the expected text.
    const platform::probe::Image plain = drawnOver(display, 0);
    EXPECT_EQ(plain.pixels, drawnOver(reference, 0).pixels);
    EXPECT_FALSE(guitest::inkBox(plain, 0).empty()) << "some text was drawn";

    char prefix[] = "v=";
    display->setConverter(plainConverter);
    display->setConverterWithData(dataConverter, prefix);
    converterCalls.clear();
    drawnOver(display, 0);
    EXPECT_EQ(converterCalls, "data;");
    display->release();
    reference->release();
}

// A read-out on a panel drawn at twice the size: the same text, twice as
// tall, through FreeType here and a font height through GDI on Windows.
TEST(ValueDisplayDrawing, TextSizeDrawsTheTextAtThatHeight) {
    auto height = [](int32_t size) {
        auto* display = new ValueDisplay({0, 0, 79, 27}, nullptr, 0);
        display->setTextFont(fontSmall);
        display->setConverter([](float, char* text) { std::strcpy(text, "50%"); });
        display->setTextSize(size);
        guitest::ScopedSurface surface(80, 28);
        surface.fill(0);
        DrawContext context(nullptr, surface.dc, nullptr);
        display->draw(&context);
        display->release();
        const guitest::Box ink = guitest::inkBox(surface.image(), 0);
        return ink.empty() ? 0 : ink.bottom - ink.top + 1;
    };
    const int single = height(0);
    ASSERT_GT(single, 4);
    EXPECT_EQ(height(fontTable[fontSmall].defaultSize), single) << "the font's own size";
    const int doubled = height(2 * fontTable[fontSmall].defaultSize);
    EXPECT_GE(doubled, single * 2 - 2);
    EXPECT_LE(doubled, single * 2 + 2);
    EXPECT_EQ(height(-5), single) << "a size below 0 is the font's own";
    EXPECT_EQ(height(5000), single) << "so is an absurd one";
}

TEST(ValueDisplayDrawing, AlphaAloneIsNoChangeAndTheNoDrawingStyleStaysCleanAndBlank) {
    auto* display = new ValueDisplay({0, 0, 39, 13}, nullptr, 0);
    display->setDirty(false);
    display->setTextColor({255, 255, 255, 99});
    display->setBackgroundColor({0, 0, 0, 7});
    EXPECT_FALSE(display->isDirty());
    display->setBorderColor({0, 0, 1, 0});
    EXPECT_TRUE(display->isDirty());
    display->release();

    auto* hidden = new ValueDisplay({0, 0, 39, 13}, nullptr, displayNoDrawing);
    EXPECT_FALSE(hidden->isDirty());
    hidden->setValue(0.7f);
    EXPECT_TRUE(guitest::inkBox(drawnOver(hidden, rgb(0, 0, 255)), rgb(0, 0, 255)).empty());
    EXPECT_FALSE(hidden->isDirty());
    hidden->release();
}

}  // namespace
