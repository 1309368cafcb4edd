#include <gtest/gtest.h>

#include "gui/Bitmap.h"
#include "gui/Frame.h"
#include "gui/FrameEditor.h"
#include "gui/WindowClass.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/RecordingView.h"

using guitest::Journal;
using guitest::RecordingView;

namespace {

class FakeEditor final : public FrameEditor {
public:
    explicit FakeEditor(Journal& j) : journal(j) {}
    void pumpIdle() override { journal.add("editor.pumpIdle"); }
    void beginEdit(int32_t i) override { journal.add("editor.begin " + std::to_string(i)); }
    void endEdit(int32_t i) override { journal.add("editor.end " + std::to_string(i)); }

private:
    Journal& journal;
};

// Writes down the button state that each hit test is asked with.
class ButtonsView final : public View {
public:
    ButtonsView(const Rect& r, std::vector<int32_t>& asked) : View(r), seen(asked) {}
    bool hitTest(const Point& where, int32_t buttons) const override {
        seen.push_back(buttons);
        return View::hitTest(where, buttons);
    }
    void onMouseDown(DrawContext*, Point&) override { ++presses; }
    int presses = 0;

private:
    std::vector<int32_t>& seen;
};

// A frame without a window: the dispatch rules need none.
class FrameDispatch : public guitest::PlatformTest {
protected:
    void SetUp() override {
        guitest::PlatformTest::SetUp();
        frame = new Frame({0, 0, 100, 100}, nullptr, &editor);
        lower = new RecordingView({10, 10, 50, 50}, "lower", journal);
        upper = new RecordingView({30, 30, 70, 70}, "upper", journal);
        frame->addView(lower);
        frame->addView(upper);
        journal.events.clear();
    }
    void TearDown() override { delete frame; }

    Journal journal;
    FakeEditor editor{journal};
    Frame* frame = nullptr;
    RecordingView* lower = nullptr;
    RecordingView* upper = nullptr;
};

}  // namespace

TEST_F(FrameDispatch, APressWhereTwoViewsOverlapGoesToTheOneAddedLater) {
    Point p{40, 40};
    frame->onMouseDown(nullptr, p);
    EXPECT_EQ(journal.events, std::vector<std::string>{"upper.press 40,40"});
}

TEST_F(FrameDispatch, ADisabledViewLetsThePressThroughToTheOneBelow) {
    upper->setMouseEnabled(false);
    Point p{40, 40};
    frame->onMouseDown(nullptr, p);
    EXPECT_EQ(journal.events, std::vector<std::string>{"lower.press 40,40"});
}

TEST_F(FrameDispatch, APressOnTheFarEdgeHitsTheView) {
    Point p{70, 70};
    frame->onMouseDown(nullptr, p);
    EXPECT_EQ(journal.events, std::vector<std::string>{"upper.press 70,70"});
}

TEST_F(FrameDispatch, AnyPressTakesTheFocusAwayEvenWhenNoViewIsHit) {
    frame->setFocusView(lower);
    Point p{90, 90};
    frame->onMouseDown(nullptr, p);
    EXPECT_EQ(journal.events, std::vector<std::string>{"lower.focusLost"});
    EXPECT_EQ(frame->getFocusView(), nullptr);
}

TEST_F(FrameDispatch, SettingANewFocusTellsThePreviousOne) {
    frame->setFocusView(lower);
    frame->setFocusView(upper);
    EXPECT_EQ(journal.events, std::vector<std::string>{"lower.focusLost"});
    EXPECT_EQ(frame->getFocusView(), upper);
}

TEST_F(FrameDispatch, KeysGoToTheFocusFirstThenFromTheLastViewToTheFirst) {
    KeyCode key{};
    key.character = 5;
    frame->setFocusView(lower);
    EXPECT_EQ(frame->onKeyDown(key), -1);
    EXPECT_EQ(journal.events, (std::vector<std::string>{"lower.key", "upper.key", "lower.key"}));
    journal.events.clear();
    upper->answerKey = 5;
    EXPECT_EQ(frame->onKeyDown(key), 1);
    EXPECT_EQ(journal.events, (std::vector<std::string>{"lower.key", "upper.key"}));
}

TEST_F(FrameDispatch, KeysReachDisabledViewsAndTheLastAnswersFirst) {
    KeyCode key{};
    key.character = 7;
    lower->answerKey = 7;
    upper->answerKey = 7;
    upper->setMouseEnabled(false);
    EXPECT_EQ(frame->onKeyDown(key), 1);
    EXPECT_EQ(journal.events, std::vector<std::string>{"upper.key"});
    journal.events.clear();
    EXPECT_EQ(frame->onKeyUp(key), -1);
    EXPECT_EQ(journal.events, (std::vector<std::string>{"upper.keyup", "lower.keyup"}));
}

TEST_F(FrameDispatch, DropsAreRefusedWhileAViewHasTheFocus) {
    Point p{40, 40};
    frame->setFocusView(upper);
    journal.events.clear();
    EXPECT_FALSE(frame->onDrop(nullptr, 1, dropText, p));
    EXPECT_TRUE(journal.events.empty());
    frame->setFocusView(nullptr);
    EXPECT_TRUE(frame->onDrop(nullptr, 1, dropText, p));
    EXPECT_EQ(journal.count("upper.drop"), 1u);
}

TEST_F(FrameDispatch, DropsSkipDisabledViewsAndMissEverythingOutside) {
    Point p{40, 40};
    upper->setMouseEnabled(false);
    EXPECT_TRUE(frame->onDrop(nullptr, 1, dropFileNames, p));
    EXPECT_EQ(journal.events, std::vector<std::string>{"lower.drop"});
    Point outside{95, 5};
    EXPECT_FALSE(frame->onDrop(nullptr, 1, dropFileNames, outside));
}

TEST_F(FrameDispatch, ViewAtAnswersNoneOutsideTheList) {
    EXPECT_EQ(frame->viewCount(), 2);
    EXPECT_EQ(frame->viewAt(-1), nullptr);
    EXPECT_EQ(frame->viewAt(2), nullptr);
    EXPECT_EQ(frame->viewAt(0), lower);
    EXPECT_EQ(frame->viewAt(1), upper);
}

TEST_F(FrameDispatch, RemovingAViewThatIsNotInTheListChangesNothing) {
    Journal other;
    auto* stranger = new RecordingView({0, 0, 1, 1}, "stranger", other);
    EXPECT_TRUE(frame->removeView(stranger, true));
    EXPECT_EQ(frame->viewCount(), 2);
    EXPECT_TRUE(other.events.empty());
    stranger->release();
}

TEST_F(FrameDispatch, RemovingWithReleaseDestroysTheViewAndClosesTheGap) {
    EXPECT_TRUE(frame->removeView(lower, true));
    EXPECT_EQ(journal.events, (std::vector<std::string>{"lower.removed", "lower.destroyed"}));
    EXPECT_EQ(frame->viewCount(), 1);
    EXPECT_EQ(frame->viewAt(0), upper);
    EXPECT_FALSE(frame->containsView(lower));
}

TEST_F(FrameDispatch, RemovingTheFocusViewLeavesNoFocusBehind) {
    frame->setFocusView(lower);
    frame->removeView(lower, true);
    EXPECT_EQ(frame->getFocusView(), nullptr);
    Point p{5, 5};
    frame->onMouseDown(nullptr, p);  // would reach the freed view otherwise
}

TEST_F(FrameDispatch, RemovingWithoutReleaseHandsTheViewBack) {
    frame->removeView(upper, false);
    EXPECT_EQ(upper->refCount(), 1);
    upper->release();
    EXPECT_EQ(journal.count("upper.destroyed"), 1u);
}

TEST_F(FrameDispatch, TheFrameReleasesItsViewsWhenDestroyed) {
    delete frame;
    frame = nullptr;
    EXPECT_EQ(journal.count("lower.destroyed"), 1u);
    EXPECT_EQ(journal.count("upper.destroyed"), 1u);
}

TEST_F(FrameDispatch, AddingManyViewsGrowsTheListInSteps) {
    for (int i = 0; i < 45; ++i)
        EXPECT_TRUE(frame->addView(new RecordingView({0, 0, 1, 1}, "v", journal)));
    EXPECT_EQ(frame->viewCount(), 47);
    EXPECT_EQ(frame->viewAt(0), lower);
    EXPECT_EQ(journal.count("v.attached"), 45u);
    EXPECT_FALSE(frame->addView(nullptr));
}

TEST_F(FrameDispatch, EditBracketsAndIdleRequestsReachTheEditor) {
    frame->beginEdit(4);
    frame->pumpIdle();
    frame->endEdit(4);
    EXPECT_EQ(journal.events,
              (std::vector<std::string>{"editor.begin 4", "editor.pumpIdle", "editor.end 4"}));
    EXPECT_EQ(lower->getEditor(), &editor);
}

TEST_F(FrameDispatch, TheKnobModeIsTheModuleWideSetting) {
    KnobMode::set(2);
    EXPECT_EQ(frame->getKnobMode(), 2);
    KnobMode::set(0);
    EXPECT_EQ(frame->getKnobMode(), 0);
}

TEST_F(FrameDispatch, WithoutAWindowNothingIsDrawnOrRegistered) {
    EXPECT_EQ(frame->getWindow(), nullptr);
    EXPECT_FALSE(frame->createWindow(nullptr));
    lower->setDirty(true);
    frame->idle();
    EXPECT_EQ(journal.count("lower.draw"), 0u);
}

TEST_F(FrameDispatch, TheBackgroundIsHeldByReference) {
    auto* bitmap = new Bitmap(guitest::imageGradient);
    EXPECT_EQ(frame->setBackground(bitmap), bitmap);
    EXPECT_EQ(bitmap->getRefCount(), 2);
    frame->setBackground(nullptr);
    EXPECT_EQ(bitmap->getRefCount(), 1);
    frame->setBackground(bitmap);
    delete frame;
    frame = nullptr;
    EXPECT_EQ(bitmap->getRefCount(), 1);
    bitmap->release();
}

TEST_F(FrameDispatch, ADirtyFrameRedrawsWholeAndACleanOneOnlyItsDirtyViews) {
    guitest::ScopedSurface s(100, 100);
    DrawContext context(frame, s.dc, nullptr);
    lower->setDirty(true);
    frame->redrawIfDirty(&context);
    EXPECT_EQ(journal.events, std::vector<std::string>{"lower.draw"});
    journal.events.clear();
    frame->setDirty(true);
    EXPECT_TRUE(frame->isSomethingDirty());
    frame->redrawIfDirty(&context);
    EXPECT_EQ(journal.events, (std::vector<std::string>{"lower.draw", "upper.draw"}));
    EXPECT_FALSE(frame->isSomethingDirty());
}

TEST_F(FrameDispatch, APartialRedrawDrawsOnlyTheViewsTheAreaTouches) {
    guitest::ScopedSurface s(100, 100);
    DrawContext context(frame, s.dc, nullptr);
    frame->drawArea(&context, {0, 0, 20, 20});
    EXPECT_EQ(journal.events, std::vector<std::string>{"lower.draw"});
    journal.events.clear();
    frame->drawArea(&context, {50, 50, 60, 60});
    EXPECT_EQ(journal.events, (std::vector<std::string>{"lower.draw", "upper.draw"}));
}

TEST_F(FrameDispatch, HitTestsAreAskedWithTheContextsButtonsOrAllBitsWithoutOne) {
    std::vector<int32_t> seen;
    auto* view = new ButtonsView({80, 80, 90, 90}, seen);
    frame->addView(view);
    Point p{85, 85};
    frame->onMouseDown(nullptr, p);
    ASSERT_EQ(seen.size(), 1u);
    EXPECT_EQ(seen.back(), -1);
#ifndef _WIN32
    platform::soft::setHeldKeys(platform::soft::heldLButton | platform::soft::heldShift);
#endif
    DrawContext context(frame, nullptr, nullptr);
    int32_t held = context.mouseButtons();
#ifndef _WIN32
    EXPECT_EQ(held, buttonLeft | modShift);
#endif
    frame->onMouseDown(&context, p);
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen.back(), held);
    EXPECT_EQ(view->presses, 2);
}

// The background is copied at the frame's origin: the block under an area
// comes from the same coordinates in the image.
TEST_F(FrameDispatch, APartialRedrawCopiesTheBackgroundBlockUnderTheArea) {
    constexpr platform::ColorRef backdrop = guitest::rgb(9, 99, 199);
    frame->removeAllViews(true);
    auto* bitmap = new Bitmap(guitest::imageGradient);
    frame->setBackground(bitmap);
    bitmap->release();
    guitest::ScopedSurface s(40, 30);
    s.fill(backdrop);
    {
        DrawContext context(frame, s.dc, nullptr);
        frame->drawArea(&context, {5, 6, 12, 10});
    }
    for (int y = 0; y < 30; ++y) {
        for (int x = 0; x < 40; ++x) {
            bool block = x >= 5 && x < 12 && y >= 6 && y < 10;
            ASSERT_EQ(s.at(x, y), block ? guitest::rgb(6 * x, 8 * y, 100) : backdrop)
                << x << "," << y;
        }
    }
}
