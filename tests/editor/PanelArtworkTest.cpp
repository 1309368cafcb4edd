// The panel's pictures as the module carries them, at each scale it draws:
// the 1x ones as bitmaps, the larger ones compressed and unpacked on load.
#include <gtest/gtest.h>

#include "editor/ReverbEditor.h"
#include "gui/Bitmap.h"
#include "tests/support/GuiTestSupport.h"

namespace {

struct Size {
    int32_t width;
    int32_t height;
};

Size loaded(PanelImage image, float scale) {
    auto* bitmap = new Bitmap(imageAtScale(image, scale));
    const Size size{bitmap->getWidth(), bitmap->getHeight()};
    bitmap->release();
    return size;
}

using PanelArtwork = guitest::PlatformTest;

}  // namespace

TEST_F(PanelArtwork, EveryPictureLoadsAtEachScaleWithItsScaledSize) {
    const struct {
        float scale;
        Size panel, knob, lamp;
    } cases[] = {{1.0f, {547, 202}, {38, 38 * 65}, {39, 40}},
                 {1.5f, {820, 303}, {57, 57 * 65}, {58, 60}},
                 {2.0f, {1094, 404}, {76, 76 * 65}, {78, 80}}};
    for (const auto& c : cases) {
        const Size panel = loaded(imagePanel, c.scale);
        EXPECT_EQ(panel.width, c.panel.width) << c.scale;
        EXPECT_EQ(panel.height, c.panel.height) << c.scale;
        const Size knob = loaded(imageKnob, c.scale);
        EXPECT_EQ(knob.width, c.knob.width) << c.scale;
        EXPECT_EQ(knob.height, c.knob.height) << c.scale;
        const Size lamp = loaded(imageLamp, c.scale);
        EXPECT_EQ(lamp.width, c.lamp.width) << c.scale;
        EXPECT_EQ(lamp.height, c.lamp.height) << c.scale;
    }
}

TEST_F(PanelArtwork, ScaleWithoutArtworkOfItsOwnTakesTheSingleSize) {
    EXPECT_EQ(imageAtScale(imagePanel, 1.25f), imagePanel);
    EXPECT_EQ(imageAtScale(imageKnob, 3.0f), imageKnob);
    EXPECT_EQ(loaded(imageLamp, 0.5f).width, 39);
}
