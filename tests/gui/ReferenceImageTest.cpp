// What a whole frame shows, written to PNG and compared pixel by pixel with
// the picture kept beside this test. Set BRV_UPDATE_REFERENCE=1 to write the
// kept picture anew after a deliberate change, and look at it before
// committing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "gui/Bitmap.h"
#include "gui/DrawContext.h"
#include "gui/Frame.h"
#include "gui/PngFile.h"
#include "tests/support/GuiTestSupport.h"

using namespace platform;

namespace {

// A yellow block with a cyan outline.
class BlockView final : public View {
public:
    explicit BlockView(const Rect& r) : View(r) {}
    void draw(DrawContext* context) override {
        context->setFillColor(colorYellow);
        context->fillRect(bounds);
        context->setPenColor(colorCyan);
        context->frameRect(bounds);
        View::draw(context);
    }
};

// The transparency probe image left of a dotted magenta diagonal, over the
// block below it.
class OverlayView final : public View {
public:
    OverlayView(const Rect& r, Bitmap* overlay) : View(r), image(overlay) { image->addRef(); }
    void draw(DrawContext* context) override {
        image->drawTransparent(context, {bounds.left, bounds.top, bounds.left + 4, bounds.top + 2},
                               {0, 0});
        context->setPenColor(colorMagenta);
        context->setLineStyle(lineDotted);
        context->moveTo({bounds.left, bounds.bottom});
        context->lineTo({bounds.right, bounds.top});
        context->setLineStyle(lineSolid);
        context->moveTo({bounds.left, bounds.bottom});
        context->lineTo({bounds.right, bounds.bottom});
        View::draw(context);
    }

private:
    ~OverlayView() override { image->release(); }
    Bitmap* image;
};

}  // namespace

TEST(ReferenceImage, AFrameWithBackgroundAndTwoOverlappingViewsLooksAsKept) {
    guitest::ScopedHostWindow host(40, 30);
    Frame* frame = new Frame({0, 0, 40, 30}, host.window, nullptr);
    auto* background = new Bitmap(guitest::imageGradient);
    auto* probeImage = new Bitmap(guitest::imageTransparency);
    frame->setBackground(background);
    frame->addView(new BlockView({4, 4, 22, 18}));
    frame->addView(new OverlayView({14, 10, 34, 26}, probeImage));
    background->release();
    probeImage->release();

    probe::repaint(frame->getWindow());
    std::string written = std::string(BRV_GUI_TEST_OUTPUT) + "/frame-two-views.png";
    ASSERT_TRUE(writePng(probe::readWindow(frame->getWindow()), written.c_str()));
    delete frame;

    std::string kept = std::string(BRV_GUI_TEST_DATA) + "/expected/frame-two-views.png";
    probe::Image actual, expected;
    ASSERT_TRUE(readPng(written.c_str(), actual));
    if (const char* update = std::getenv("BRV_UPDATE_REFERENCE"); update && *update == '1') {
        ASSERT_TRUE(writePng(actual, kept.c_str()));
    }
    ASSERT_TRUE(readPng(kept.c_str(), expected)) << kept;
    ASSERT_EQ(actual.width, expected.width);
    ASSERT_EQ(actual.height, expected.height);
    int differing = 0;
    for (size_t i = 0; i < actual.pixels.size(); ++i)
        differing += actual.pixels[i] != expected.pixels[i];
    EXPECT_EQ(differing, 0) << "see " << written;

    // The picture's own landmarks, so that a wrong kept picture cannot pass.
    EXPECT_EQ(actual.at(0, 0), guitest::rgb(0, 0, 100));
    EXPECT_EQ(actual.at(4, 4), colorCyan.toColorRef());
    EXPECT_EQ(actual.at(5, 5), colorYellow.toColorRef());
    EXPECT_EQ(actual.at(14, 10), colorYellow.toColorRef());  // pure white left out
    EXPECT_EQ(actual.at(15, 10), guitest::rgb(254, 255, 255));
    EXPECT_EQ(actual.at(20, 26), colorMagenta.toColorRef());
    EXPECT_EQ(actual.at(34, 26), guitest::rgb(204, 208, 100));  // end point left out
}
