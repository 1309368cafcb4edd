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
