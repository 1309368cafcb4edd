// Behaviour that needs input or system answers only the soft platform can
// stage: swapped buttons, held modifiers, a scripted drag, the version
// answer that rules out the system's transparent copy.
#include <gtest/gtest.h>

#include "gui/Bitmap.h"
#include "gui/Control.h"
#include "gui/DrawContext.h"
#include "gui/Frame.h"
#include "gui/FrameEditor.h"
#include "gui/WindowClass.h"
#include "gui/platform/soft/SoftControls.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/RecordingView.h"

using namespace platform;
using namespace platform::soft;

namespace {

class SoftInput : public guitest::PlatformTest {};

// Follows a drag the way the toolkit's controls do: polls the buttons and
// the pointer and asks for idle on every pass.
class DragControl final : public Control {
public:
    explicit DragControl(const Rect& r) : Control(r, nullptr, 6, nullptr) {}
    void draw(DrawContext*) override { setDirty(false); }
    void onMouseDown(DrawContext* context, Point& where) override {
        frame->beginEdit(tag);
        frame->setFocusView(this);
        int32_t buttons;
        do {
            buttons = context->mouseButtons();
            path.push_back(where);
            context->mousePosition(where);
            pumpIdle();
        } while (buttons & buttonLeft);
        frame->endEdit(tag);
    }
    std::vector<Point> path;
};

class CountingEditor final : public FrameEditor {
public:
    void pumpIdle() override {
        ++idles;
        platform::sleep(4);
    }
    void beginEdit(int32_t i) override { edits.push_back(i); }
    void endEdit(int32_t i) override { edits.push_back(-i); }
    int idles = 0;
    std::vector<int32_t> edits;
};

}  // namespace

TEST_F(SoftInput, WithSwappedButtonsThePhysicalLeftButtonIsTheRightOne) {
    guitest::ScopedHostWindow host(40, 40);
    setSwappedButtons(true);
    Frame* frame = new Frame({0, 0, 20, 20}, host.window, nullptr);  // reads the setting
    DrawContext context(nullptr, nullptr, nullptr);
    setHeldKeys(heldLButton);
    EXPECT_EQ(context.mouseButtons(), buttonRight);
    setHeldKeys(heldRButton);
    EXPECT_EQ(context.mouseButtons(), buttonLeft);
    delete frame;
    setSwappedButtons(false);
    frame = new Frame({0, 0, 20, 20}, host.window, nullptr);
    setHeldKeys(heldLButton);
    EXPECT_EQ(context.mouseButtons(), buttonLeft);
    delete frame;
}

TEST_F(SoftInput, ModifierKeysAndTheMiddleButtonHaveTheirOwnBits) {
    DrawContext context(nullptr, nullptr, nullptr);
    setHeldKeys(heldMButton | heldShift | heldControl | heldAlt);
    EXPECT_EQ(context.mouseButtons(), buttonMiddle | modShift | modControl | modAlt);
    setHeldKeys(0);
    EXPECT_EQ(context.mouseButtons(), 0);
}

TEST_F(SoftInput, AScriptedDragIsFollowedUntilTheButtonIsReleased) {
    guitest::ScopedHostWindow host(100, 100);
    CountingEditor editor;
    Frame* frame = new Frame({0, 0, 80, 80}, host.window, &editor);
    auto* control = new DragControl({10, 10, 30, 30});
    frame->addView(control);
    PlatformRect r{};
    getWindowRect(frame->getWindow(), &r);

    useManualClock(5000);
    setCursor(r.left + 15, r.top + 15);
    setHeldKeys(heldLButton);
    scheduleInput(5008, r.left + 25, r.top + 12, heldLButton);
    scheduleInput(5016, r.left + 40, r.top + 5, heldLButton);
    scheduleInput(5024, r.left + 40, r.top + 5, 0);
    probe::sendMessage(frame->getWindow(), msgLButtonDown, 0, (15 << 16) | 15);

    ASSERT_GE(control->path.size(), 4u);
    EXPECT_EQ(control->path.front(), (Point{15, 15}));
    EXPECT_EQ(control->path.back(), (Point{40, 5}));
    EXPECT_EQ(editor.edits, (std::vector<int32_t>{6, -6}));
    EXPECT_EQ(frame->getFocusView(), control);
    EXPECT_EQ(editor.idles, static_cast<int>(control->path.size()));
    delete frame;
}

TEST_F(SoftInput, AnOldSystemFamilyGetsTheMaskCopy) {
    TransparentBltFunction saved = TransparentCopy::get();
    Module library = loadLibrary("msimg32.dll");
    setPlatformId(1);
    TransparentCopy::lookUp(library);
    EXPECT_EQ(TransparentCopy::get(), nullptr);
    setPlatformId(2);
    TransparentCopy::lookUp(library);
    EXPECT_NE(TransparentCopy::get(), nullptr);
    freeLibrary(library);
    TransparentCopy::set(saved);
}

TEST_F(SoftInput, EachFrameBalancesOleAndTheImagingLibrary) {
    int ole = oleInitializations();
    int libraries = loadedLibraries();
    Frame* frame = new Frame({0, 0, 10, 10}, nullptr, nullptr);
    EXPECT_EQ(oleInitializations(), ole + 1);
    EXPECT_EQ(loadedLibraries(), libraries + 1);
    EXPECT_NE(TransparentCopy::get(), nullptr);
    delete frame;
    EXPECT_EQ(oleInitializations(), ole);
    EXPECT_EQ(loadedLibraries(), libraries);
    EXPECT_EQ(TransparentCopy::get(), nullptr);
}

TEST_F(SoftInput, WithoutTheImagingLibraryFramesUseTheMaskCopy) {
    setImagingLibraryPresent(false);
    Frame* frame = new Frame({0, 0, 10, 10}, nullptr, nullptr);
    EXPECT_EQ(TransparentCopy::get(), nullptr);
    delete frame;
}
