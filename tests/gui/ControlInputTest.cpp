// The knob's and the switch's mouse, wheel and key laws, driven through the
// frame's window with pointer paths, buttons and modifiers that the soft
// platform plays back on its own clock.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "gui/DrawContext.h"
#include "gui/FilmstripKnob.h"
#include "gui/Frame.h"
#include "gui/FrameEditor.h"
#include "gui/ToggleButton.h"
#include "gui/ValueListener.h"
#include "gui/WindowClass.h"
#include "gui/platform/soft/SoftControls.h"
#include "gui/KeyCode.h"
#include "tests/support/GuiTestSupport.h"

using namespace platform;
using namespace platform::soft;

namespace {

constexpr uint32_t left = heldLButton;

using Step = guitest::PointerStep;

// Stands for the editor: notes edit brackets, draws changed controls at once
// as the panel does, and paces drags on the soft clock.
class Recorder final : public FrameEditor, public ValueListener {
public:
    void pumpIdle() override {
        ++idles;
        platform::sleep(4);
    }
    void beginEdit(int32_t tag) override { edits.push_back(tag); }
    void endEdit(int32_t tag) override { edits.push_back(-tag); }
    void controlChanged(DrawContext* context, Control* control) override {
        changes.push_back(control->getValue());
        control->redrawIfDirty(context);
    }
    std::vector<int32_t> edits;
    std::vector<float> changes;
    int idles = 0;
};

class ControlInput : public guitest::PlatformTest {
protected:
    void SetUp() override {
        guitest::PlatformTest::SetUp();
        KnobMode::set(0);
        frame = new Frame({0, 0, 300, 300}, host.window, &recorder);
        knob = new FilmstripKnob({100, 100, 138, 138}, &recorder, 4, 65, 38, nullptr, {0, 0});
        frame->addView(knob);
        show(0.0f);
        useManualClock(1000);
    }
    void TearDown() override {
        delete frame;
        KnobMode::set(0);
    }

    void play(const std::vector<Step>& steps) { guitest::playPointer(frame->getWindow(), steps); }

    // A value the panel has already drawn, so only real changes are reported.
    void show(float value) {
        knob->setValue(value);
        knob->setDirty(false);
    }

    guitest::ScopedHostWindow host{320, 320};
    Recorder recorder;
    Frame* frame = nullptr;
    FilmstripKnob* knob = nullptr;
};

TEST_F(ControlInput, ALinearDragOf200PixelsRightOrUpCoversTheRange) {
    KnobMode::set(2);
    play({{110, 110, left}, {210, 110, left}, {310, 110, left}, {310, 110, 0}});
    EXPECT_FLOAT_EQ(knob->getValue(), 1.0f);
    EXPECT_EQ(recorder.edits, (std::vector<int32_t>{4, -4}));
    EXPECT_EQ(frame->getFocusView(), knob);

    play({{110, 110, left}, {110, 10, left}, {110, 10, 0}});
    EXPECT_FLOAT_EQ(knob->getValue(), 1.0f) << "already at the top, up keeps it there";
    knob->setValue(0.0f);
    play({{110, 110, left}, {110, 60, left}, {110, 60, 0}});
    EXPECT_FLOAT_EQ(knob->getValue(), 0.25f);
}

TEST_F(ControlInput, ShiftSlowsTheLinearDragAndPressingItMidwayDoesNotJump) {
    KnobMode::set(2);
    play({{110, 110, left | heldShift}, {260, 110, left | heldShift}, {260, 110, 0}});
    EXPECT_NEAR(knob->getValue(), 0.5f, 1e-6f) << "150 of 300 pixels";

    show(0.0f);
    recorder.changes.clear();
    play({{110, 110, left},
          {210, 110, left},
          {210, 110, left | heldShift},
          {211, 110, left | heldShift},
          {241, 110, left | heldShift},
          {241, 110, 0}});
    ASSERT_EQ(recorder.changes.size(), 3u);
    EXPECT_NEAR(recorder.changes[0], 0.5f, 1e-6f);
    EXPECT_NEAR(recorder.changes[1], 0.505f, 1e-6f) << "one more pixel at the old rate's place";
    EXPECT_NEAR(recorder.changes[2], 0.605f, 1e-6f) << "then 1/300 per pixel";
}

TEST_F(ControlInput, AtTwiceTheSizeTheLinearDragSpansTwiceThePixels) {
    KnobMode::set(2);
    knob->setDragScale(2.0f);
    play({{110, 110, left}, {310, 110, left}, {310, 110, 0}});
    EXPECT_FLOAT_EQ(knob->getValue(), 0.5f) << "200 of 400 pixels";
    play({{110, 110, left | heldShift}, {260, 110, left | heldShift}, {260, 110, 0}});
    EXPECT_NEAR(knob->getValue(), 0.75f, 1e-6f) << "150 of 600 pixels with shift";

    show(0.0f);
    knob->setDragScale(std::nanf(""));
    EXPECT_EQ(knob->getDragScale(), 1.0f);
    knob->setDragScale(0.0f);
    EXPECT_EQ(knob->getDragScale(), 1.0f);
    play({{110, 110, left}, {210, 110, left}, {210, 110, 0}});
    EXPECT_FLOAT_EQ(knob->getValue(), 0.5f) << "no scale leaves the 200-pixel span";
}

TEST_F(ControlInput, ADiagonalRightAndDownLeavesALinearKnobAlone) {
    KnobMode::set(2);
    show(0.3f);
    play({{110, 110, left}, {160, 160, left}, {160, 160, 0}});
    EXPECT_EQ(knob->getValue(), 0.3f);
    EXPECT_TRUE(recorder.changes.empty());
}

// The knob's centre is at (119, 119); points at radius 15 at the given angle.
TEST_F(ControlInput, CrossingTheDeadZoneKeepsACircularKnobPinnedAtItsEndUntilThePointerReturns) {
    auto at = [](double degrees, uint32_t keys) {
        const double r = degrees * 3.14159265358979 / 180.0;
        return Step{static_cast<int>(119.5 + 15 * std::cos(r)),
                    static_cast<int>(119.5 - 15 * std::sin(r)), keys};
    };
    play({at(-60, left), at(-100, left), at(-125, left), at(-30, left), at(-30, 0)});
    ASSERT_EQ(recorder.changes.size(), 2u) << "pinned passes leave the knob unchanged";
    EXPECT_EQ(recorder.changes[0], 1.0f) << "just past the end of the sweep is the maximum";
    EXPECT_GT(recorder.changes[1], 0.9f);
    EXPECT_LT(recorder.changes[1], 1.0f);
}

TEST_F(ControlInput, OnlyKnobModeTwoIsLinearAndAltInvertsEveryMode) {
    struct Case {
        int32_t mode;
        uint32_t alt;
        bool linear;
    };
    for (const Case& c :
         {Case{0, 0, false}, Case{1, 0, false}, Case{2, 0, true}, Case{0, heldAlt, true},
          Case{1, heldAlt, true}, Case{2, heldAlt, false}}) {
        KnobMode::set(c.mode);
        knob->setValue(0.2f);
        play({{119, 104, left | c.alt}, {119, 104, 0}});  // straight above the centre
        EXPECT_NEAR(knob->getValue(), c.linear ? 0.2f : 0.5f, 1e-6f)
            << "mode " << c.mode << " alt " << c.alt;
    }
}

TEST_F(ControlInput, ControlClickAloneRestoresTheDefaultWithoutAnEditBracket) {
    knob->setValue(0.9f);
    play({{119, 104, left | heldControl}});
    EXPECT_EQ(knob->getValue(), 0.5f);
    EXPECT_TRUE(recorder.edits.empty());
    EXPECT_EQ(recorder.changes, (std::vector<float>{0.5f}));

    KnobMode::set(2);
    knob->setValue(0.9f);
    play({{119, 104, left | heldControl | heldShift}, {119, 104, 0}});
    EXPECT_EQ(knob->getValue(), 0.9f) << "with shift too it is an ordinary drag";
    EXPECT_EQ(recorder.edits, (std::vector<int32_t>{4, -4}));
}

TEST_F(ControlInput, WheelAndArrowsStepByATenthOrAHundredthWithShiftAndStopAtTheEnds) {
    DrawContext context(frame, nullptr, nullptr);
    knob->setValue(0.5f);
    EXPECT_TRUE(knob->onWheel(&context, {}, 1.0f));
    EXPECT_FLOAT_EQ(knob->getValue(), 0.6f);
    setHeldKeys(heldShift);
    knob->onWheel(&context, {}, -1.0f);
    EXPECT_FLOAT_EQ(knob->getValue(), 0.59f);
    setHeldKeys(0);

    KeyCode up{0, 12, 0}, downFine{0, 14, 1}, letter{'a', 0, 0};
    EXPECT_EQ(knob->onKeyDown(up), 1);
    EXPECT_FLOAT_EQ(knob->getValue(), 0.69f);
    EXPECT_EQ(knob->onKeyDown(downFine), 1);
    EXPECT_FLOAT_EQ(knob->getValue(), 0.68f);
    EXPECT_EQ(knob->onKeyDown(letter), -1);
    for (int i = 0; i < 5; ++i) knob->onKeyDown(up);
    EXPECT_EQ(knob->getValue(), 1.0f);
    knob->draw(&context);  // as the next idle would
    const size_t reported = recorder.changes.size();
    knob->onKeyDown(up);
    EXPECT_EQ(recorder.changes.size(), reported) << "a press that changes nothing is not reported";

    knob->setMouseEnabled(false);
    EXPECT_FALSE(knob->onWheel(&context, {}, -1.0f));
    EXPECT_EQ(knob->onKeyDown(downFine), 1) << "keys do not ask whether the mouse is enabled";
}

TEST_F(ControlInput, ASwitchDraggedOutBeforeReleaseEndsAsItWasWithTwoChangesInItsBracket) {
    auto* button = new ToggleButton({20, 20, 59, 40}, &recorder, 7, 20, nullptr, {0, 0});
    frame->addView(button);
    button->setDirty(false);
    play({{30, 30, left}, {80, 30, left}, {80, 30, 0}});
    EXPECT_EQ(button->getValue(), 0.0f);
    EXPECT_EQ(recorder.changes, (std::vector<float>{1.0f, 0.0f}));
    EXPECT_EQ(recorder.edits, (std::vector<int32_t>{7, -7}));

    recorder.changes.clear();
    play({{30, 30, left}, {30, 30, left | heldShift}, {80, 30, left | heldShift}, {80, 30, 0}});
    EXPECT_EQ(button->getValue(), 1.0f) << "shift ended the hold before the pointer left";
    EXPECT_EQ(recorder.changes, (std::vector<float>{1.0f}));
}

}  // namespace
