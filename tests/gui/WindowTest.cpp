#include <gtest/gtest.h>

#include "gui/Bitmap.h"
#include "gui/Frame.h"
#include "gui/WindowClass.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/RecordingView.h"

using guitest::Journal;
using guitest::RecordingView;
using guitest::rgb;
using namespace platform;

namespace {

class FrameWindow : public guitest::PlatformTest {
protected:
    guitest::ScopedHostWindow host{120, 80};
    Journal journal;
};

intptr_t pointAt(int x, int y) { return static_cast<intptr_t>((y << 16) | (x & 0xFFFF)); }

}  // namespace

TEST(WindowClassName, IsPluginAndTheInstanceHandleInEightLowercaseHexDigits) {
    EXPECT_EQ(WindowClass::nameFor(reinterpret_cast<Module>(0xabc00)), "Plugin000abc00");
    EXPECT_EQ(WindowClass::nameFor(reinterpret_cast<Module>(0x12345678)), "Plugin12345678");
}

TEST_F(FrameWindow, TheClassIsRegisteredOnceForTwoFramesAndGoesWithTheLast) {
    ASSERT_EQ(WindowClass::registrationCount(), 0);
    Frame* first = new Frame({0, 0, 50, 40}, host.window, nullptr);
    ASSERT_NE(first->getWindow(), nullptr);
    EXPECT_EQ(WindowClass::registrationCount(), 1);
    std::string name = WindowClass::name();
    EXPECT_EQ(name, WindowClass::nameFor(moduleInstance()));
    EXPECT_TRUE(probe::classExists(name.c_str(), moduleInstance()));

    Frame* second = new Frame({0, 0, 50, 40}, host.window, nullptr);
    EXPECT_EQ(WindowClass::registrationCount(), 2);
    delete first;
    EXPECT_EQ(WindowClass::registrationCount(), 1);
    EXPECT_TRUE(probe::classExists(name.c_str(), moduleInstance()));
    delete second;
    EXPECT_EQ(WindowClass::registrationCount(), 0);
    EXPECT_FALSE(probe::classExists(name.c_str(), moduleInstance()));
}

TEST_F(FrameWindow, TheWindowFindsItsFrameThroughItsUserData) {
    Frame* frame = new Frame({0, 0, 50, 40}, host.window, nullptr);
    Window window = frame->getWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(getWindowUserData(window), reinterpret_cast<intptr_t>(frame));
    PlatformRect r{}, parent{};
    getWindowRect(window, &r);
    getWindowRect(host.window, &parent);
    EXPECT_EQ(r.right - r.left, 50);
    EXPECT_EQ(r.bottom - r.top, 40);
    EXPECT_EQ(r.left, parent.left);
    delete frame;
    EXPECT_FALSE(probe::isWindow(window));
}

TEST_F(FrameWindow, AButtonPressMessageReachesTheViewAtItsPoint) {
    Frame* frame = new Frame({0, 0, 100, 60}, host.window, nullptr);
    frame->addView(new RecordingView({10, 10, 40, 40}, "a", journal));
    frame->addView(new RecordingView({60, 10, 90, 40}, "b", journal));
    probe::sendMessage(frame->getWindow(), msgLButtonDown, 0, pointAt(20, 30));
    probe::sendMessage(frame->getWindow(), msgRButtonDown, 0, pointAt(70, 15));
    probe::sendMessage(frame->getWindow(), msgMButtonDown, 0, pointAt(95, 55));
    EXPECT_EQ(journal.count("a.press 20,30"), 1u);
    EXPECT_EQ(journal.count("b.press 70,15"), 1u);
    delete frame;
}

TEST_F(FrameWindow, NothingIsDrawnBeforeTheFirstPaint) {
    Frame* frame = new Frame({0, 0, 100, 60}, host.window, nullptr);
    auto* view = new RecordingView({10, 10, 40, 40}, "a", journal);
    frame->addView(view);
    EXPECT_TRUE(frame->isFirstDrawPending());
    view->setDirty(true);
    frame->idle();
    EXPECT_EQ(journal.count("a.draw"), 0u);

    probe::repaint(frame->getWindow());
    EXPECT_FALSE(frame->isFirstDrawPending());
    EXPECT_EQ(journal.count("a.draw"), 1u);
    view->setDirty(true);
    frame->idle();
    EXPECT_EQ(journal.count("a.draw"), 2u);
    frame->idle();
    EXPECT_EQ(journal.count("a.draw"), 2u);
    delete frame;
}

TEST_F(FrameWindow, RedrawDrawsOneViewOfTheListOrElseTheWholeFrame) {
    Frame* frame = new Frame({0, 0, 100, 60}, host.window, nullptr);
    auto* a = new RecordingView({10, 10, 40, 40}, "a", journal);
    auto* b = new RecordingView({50, 10, 90, 40}, "b", journal);
    frame->addView(a);
    frame->addView(b);
    frame->redraw(b);
    EXPECT_EQ(journal.events.back(), "b.draw");
    EXPECT_EQ(journal.count("a.draw"), 0u);
    Journal other;
    auto* stranger = new RecordingView({0, 0, 5, 5}, "stranger", other);
    frame->redraw(stranger);
    frame->redraw(nullptr);
    EXPECT_EQ(journal.count("a.draw"), 2u);
    EXPECT_EQ(journal.count("b.draw"), 3u);
    EXPECT_TRUE(other.events.empty());
    stranger->release();
    delete frame;
}

TEST_F(FrameWindow, PaintingCopiesTheBackgroundAndDrawsTheViewsOverIt) {
    Frame* frame = new Frame({0, 0, 40, 30}, host.window, nullptr);
    auto* background = new Bitmap(guitest::imageGradient);
    frame->setBackground(background);
    background->release();
    frame->addView(new RecordingView({10, 5, 20, 15}, "a", journal, colorYellow));
    probe::repaint(frame->getWindow());
    probe::Image shown = probe::readWindow(frame->getWindow());
    ASSERT_EQ(shown.width, 40);
    ASSERT_EQ(shown.height, 30);
    EXPECT_EQ(shown.at(0, 0), rgb(0, 0, 100));
    EXPECT_EQ(shown.at(39, 29), rgb(234, 232, 100));
    EXPECT_EQ(shown.at(5, 20), rgb(30, 160, 100));
    EXPECT_EQ(shown.at(10, 5), colorYellow.toColorRef());
    EXPECT_EQ(shown.at(19, 14), colorYellow.toColorRef());
    EXPECT_EQ(shown.at(20, 15), rgb(120, 120, 100));
    delete frame;
}

TEST_F(FrameWindow, AfterTheHostDestroysItsWindowIdleDrawsNothing) {
    Window parent = probe::createHostWindow(60, 60);
    Frame* frame = new Frame({0, 0, 50, 50}, parent, nullptr);
    auto* view = new RecordingView({10, 10, 40, 40}, "a", journal);
    frame->addView(view);
    probe::repaint(frame->getWindow());
    size_t draws = journal.count("a.draw");
    probe::destroyHostWindow(parent);
    EXPECT_FALSE(frame->isWindowOpen());
    EXPECT_EQ(frame->getParentWindow(), nullptr);
    view->setDirty(true);
    frame->idle();
    EXPECT_EQ(journal.count("a.draw"), draws);
    delete frame;
    EXPECT_EQ(WindowClass::registrationCount(), 0);
}

TEST_F(FrameWindow, TheWheelGoesToTheViewUnderTheCursorEvenWhenDisabled) {
    Frame* frame = new Frame({0, 0, 100, 60}, host.window, nullptr);
    auto* view = new RecordingView({10, 10, 40, 40}, "a", journal);
    view->setMouseEnabled(false);
    frame->addView(view);
    PlatformRect r{};
    getWindowRect(frame->getWindow(), &r);
    probe::setCursorPos(r.left + 20, r.top + 25);
    EXPECT_EQ(frame->viewUnderCursor(), view);
    EXPECT_TRUE(frame->onWheel(nullptr, {0, 0}, 3.0f));
    EXPECT_EQ(journal.count("a.wheel 20,25 3"), 1u);
    probe::setCursorPos(r.left + 70, r.top + 25);
    EXPECT_FALSE(frame->onWheel(nullptr, {20, 25}, 1.0f));
    delete frame;
}

TEST_F(FrameWindow, ASecondCreateWindowKeepsTheOneWindowAndTheCount) {
    Frame* frame = new Frame({0, 0, 50, 40}, host.window, nullptr);
    Window first = frame->getWindow();
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(frame->createWindow(host.window));
    EXPECT_EQ(frame->getWindow(), first);
    EXPECT_EQ(WindowClass::registrationCount(), 1);
    std::string name = WindowClass::name();
    delete frame;
    EXPECT_FALSE(probe::isWindow(first));
    EXPECT_EQ(WindowClass::registrationCount(), 0);
    EXPECT_FALSE(probe::classExists(name.c_str(), moduleInstance()));
}

TEST_F(FrameWindow, AWindowThatCannotBeMadeLeavesTheFrameWithoutOneAndTheCountRaised) {
    Window gone = probe::createHostWindow(20, 20);
    probe::destroyHostWindow(gone);
    Frame* frame = new Frame({0, 0, 10, 10}, gone, nullptr);
    EXPECT_EQ(frame->getWindow(), nullptr);
    EXPECT_EQ(WindowClass::registrationCount(), 1);
    EXPECT_TRUE(frame->createWindow(gone));
    EXPECT_EQ(WindowClass::registrationCount(), 2);
    delete frame;
    EXPECT_EQ(WindowClass::registrationCount(), 2);
    // Gives back what the failures left raised, for the tests after this one.
    WindowClass::release();
    WindowClass::release();
    EXPECT_EQ(WindowClass::registrationCount(), 0);
}
