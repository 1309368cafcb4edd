// One recorded pointer path through both drivers of a drag: the loop that
// keeps the thread until release (the system's way, paced by pumpIdle) and
// the frame stepping the drag from the editor's idle (the way a panel in an
// X window leaves its host running). The laws must give the same values, the
// same edit bracket and the same end either way.
#include <gtest/gtest.h>

#include <vector>

#include "gui/DrawContext.h"
#include "gui/FilmstripKnob.h"
#include "gui/Frame.h"
#include "gui/FrameEditor.h"
#include "gui/ToggleButton.h"
#include "gui/ValueListener.h"
#include "gui/WindowClass.h"
#include "tests/support/GuiTestSupport.h"

using namespace platform;

namespace {

using guitest::Pointer;
using guitest::Sample;

// The editor and the listener at once: notes what the host would hear, and
// plays the next sample of the path whenever the drag waits in pumpIdle.
class Journal final : public FrameEditor, public ValueListener {
public:
    void pumpIdle() override {
        if (pointer && next < path.size()) pointer->place(path[next++]);
    }
    void beginEdit(int32_t tag) override { edits.push_back(tag); }
    void endEdit(int32_t tag) override { edits.push_back(-tag); }
    void controlChanged(DrawContext* context, Control* control) override {
        changes.push_back(control->getValue());
        control->redrawIfDirty(context);
    }

    Pointer* pointer = nullptr;
    std::vector<Sample> path;
    size_t next = 0;
    std::vector<int32_t> edits;
    std::vector<float> changes;
};

struct Outcome {
    std::vector<int32_t> edits;
    std::vector<float> changes;
    float value;
    int idlesAfterPress;
};

class GestureDrivers : public guitest::PlatformTest {
protected:
    void TearDown() override { KnobMode::set(0); }

    // Presses at the path's first sample and plays the rest: while the loop
    // waits, or one sample before each editor idle.
    Outcome drag(bool fromEvents, bool onSwitch, const std::vector<Sample>& path) {
        Journal journal;
        Frame* frame = new Frame({0, 0, 300, 300}, host.window, &journal);
        frame->setEventDrivenGestures(fromEvents);
        Control* control;
        if (onSwitch)
            control = new ToggleButton({100, 100, 140, 120}, &journal, 7, 20, nullptr, {0, 0});
        else
            control = new FilmstripKnob({100, 100, 138, 138}, &journal, 4, 65, 38, nullptr, {0, 0});
        frame->addView(control);
        control->setValue(0.3f);
        control->setDirty(false);
        Outcome outcome{};
        {
            Pointer pointer(frame->getWindow());
            journal.pointer = &pointer;
            journal.path = path;
            pointer.place(path[0]);
            journal.next = 1;
            probe::sendMessage(frame->getWindow(), msgLButtonDown, 0,
                               (path[0].y << 16) | path[0].x);
            while (fromEvents && frame->getGestureControl()) {
                journal.pumpIdle();
                frame->idle();
                ++outcome.idlesAfterPress;
            }
        }
        outcome.edits = journal.edits;
        outcome.changes = journal.changes;
        outcome.value = control->getValue();
        delete frame;
        return outcome;
    }

    void expectSameEitherWay(bool onSwitch, const std::vector<Sample>& path) {
        const Outcome loop = drag(false, onSwitch, path);
        const Outcome events = drag(true, onSwitch, path);
        EXPECT_EQ(events.changes, loop.changes);
        EXPECT_EQ(events.edits, loop.edits);
        EXPECT_EQ(events.value, loop.value);
        EXPECT_FALSE(loop.changes.empty()) << "the path moved the control";
        EXPECT_EQ(loop.edits.size(), 2u) << "one edit, begun and ended once";
        EXPECT_GE(events.idlesAfterPress, static_cast<int>(path.size()) - 1)
            << "the frame's driver returned to its host between samples";
    }

    guitest::ScopedHostWindow host{320, 320};
};

// Up, then with shift held for finer steps, then right past the top, and
// released after one more move.
const std::vector<Sample> straightPath = {
    {119, 119, true, false}, {119, 99, true, false}, {119, 89, true, true},   {140, 89, true, true},
    {140, 89, true, false},  {260, 60, true, false}, {262, 58, false, false},
};

// Around the knob's centre (119, 119), across the dead zone and back.
const std::vector<Sample> circularPath = {
    {104, 119, true, false},  {119, 104, true, false}, {134, 119, true, false},
    {127, 133, true, false},  {111, 133, true, false}, {104, 126, true, false},
    {119, 104, false, false},
};

}  // namespace

TEST_F(GestureDrivers, AStraightDragGivesTheSameValuesFromTheLoopAndFromIdle) {
    KnobMode::set(2);
    expectSameEitherWay(false, straightPath);
    const Outcome events = drag(true, false, straightPath);
    ASSERT_FALSE(events.changes.empty());
    EXPECT_FLOAT_EQ(events.changes[0], 0.4f) << "20 pixels up of 200";
}

TEST_F(GestureDrivers, ACircularDragAcrossTheDeadZoneGivesTheSameValuesFromTheLoopAndFromIdle) {
    KnobMode::set(0);
    expectSameEitherWay(false, circularPath);
}

TEST_F(GestureDrivers, ASwitchDraggedOutAndBackGivesTheSameValuesFromTheLoopAndFromIdle) {
    expectSameEitherWay(true, {{110, 110, true, false},
                               {200, 200, true, false},
                               {120, 105, true, false},
                               {120, 105, false, false}});
}

TEST_F(GestureDrivers, ClosingThePanelMidDragEndsTheEditOnce) {
    KnobMode::set(2);
    Journal journal;
    Frame* frame = new Frame({0, 0, 300, 300}, host.window, &journal);
    frame->setEventDrivenGestures(true);
    auto* knob = new FilmstripKnob({100, 100, 138, 138}, &journal, 4, 65, 38, nullptr, {0, 0});
    frame->addView(knob);
    {
        Pointer pointer(frame->getWindow());
        pointer.place({119, 119, true, false});
        probe::sendMessage(frame->getWindow(), msgLButtonDown, 0, (119 << 16) | 119);
        pointer.place({119, 100, true, false});
        frame->idle();
        EXPECT_EQ(frame->getGestureControl(), knob) << "the button is still held";
        delete frame;  // as the host closes the panel
    }
    EXPECT_EQ(journal.edits, (std::vector<int32_t>{4, -4}));
}
