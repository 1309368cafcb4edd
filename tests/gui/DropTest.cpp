// Drops on a frame's window, played on the drop target the frame registers
// there: on Windows the system's own COM object with a data object like the
// shell's, on the soft platform the same route behind the soft system.
#include <gtest/gtest.h>

#include "gui/Frame.h"
#include "tests/gui/DropSupport.h"

using guitest::DropView;
using guitest::fileData;
using guitest::FrameDrop;
using guitest::textData;
using namespace platform;

TEST_F(FrameDrop, TextOrFilesShowMoveOrCopyWithControlAndOtherDataShowsNothing) {
    EXPECT_EQ(probe::dragEnter(window, textData("reverb", 7), 0), dropEffectMove);
    EXPECT_EQ(probe::dragOver(window, dragKeyControl), dropEffectCopy);
    EXPECT_EQ(probe::dragOver(window, 0), dropEffectMove);
    EXPECT_EQ(probe::dragEnter(window, fileData({"C:\\a.wav"}), dragKeyControl), dropEffectCopy);
    EXPECT_EQ(probe::dragEnter(window, probe::DragData{}, 0), dropEffectNone);
    EXPECT_EQ(probe::dragOver(window, dragKeyControl), dropEffectNone);
    EXPECT_TRUE(right->drops.empty());
}

// The data offers a file list too, and a block larger than its text; the
// point passed with the drop lies far outside the window.
TEST_F(FrameDrop, DroppedTextIsOneItemCountedByItsBlockAndLandsUnderThePointer) {
    probe::DragData data = textData("reverb", 64);
    data.offersFiles = true;
    data.files = {"C:\\a.wav"};
    probe::drop(window, data, 0);
    ASSERT_EQ(right->drops.size(), 1u);
    const DropView::Received& got = right->drops[0];
    EXPECT_EQ(got.type, dropText);
    EXPECT_EQ(got.count, 64);
    EXPECT_EQ(got.items, std::vector<std::string>{"reverb"});
    EXPECT_EQ(got.where, (Point{150, 40}));
    EXPECT_TRUE(left->drops.empty());
    EXPECT_EQ(probe::mediaInUse(), 0);
}

// Only the name ending in .LNK is a shortcut: the other two are real
// shortcut files too, so resolving them by mistake would change them.
TEST_F(FrameDrop, DroppedFilesArriveAsNamesWithOnlyShortcutsResolved) {
    guitest::Shortcuts shortcuts;
    std::string plain = shortcuts.folder + "plain.wav";
    std::string link = shortcuts.make("Large.Hall.LNK");
    std::string otherSuffix = shortcuts.make("Hall.lnk.txt");
    std::string noDot = shortcuts.make("Hall");
    ASSERT_EQ(shortcuts.links.size(), 3u);
    pointAt(50, 60);
    probe::drop(window, fileData({plain, link, otherSuffix, noDot}), 0);
    ASSERT_EQ(left->drops.size(), 1u);
    const DropView::Received& got = left->drops[0];
    EXPECT_EQ(got.type, dropFileNames);
    EXPECT_EQ(got.where, (Point{50, 60}));
    ASSERT_EQ(got.count, 4);
    ASSERT_EQ(got.items.size(), 4u);
    EXPECT_EQ(got.items[0], plain);
    EXPECT_NE(got.items[1], link);
    EXPECT_EQ(guitest::Shortcuts::sameFile(got.items[1]),
              guitest::Shortcuts::sameFile(shortcuts.target));
    EXPECT_EQ(got.items[2], otherSuffix);
    EXPECT_EQ(got.items[3], noDot);
    EXPECT_TRUE(right->drops.empty());
    EXPECT_EQ(probe::mediaInUse(), 0);
}

TEST_F(FrameDrop, WhileAViewHasTheFocusEveryDropIsRefusedAndNothingChanges) {
    frame->setFocusView(left);
    probe::drop(window, textData("reverb", 7), 0);
    probe::drop(window, fileData({"C:\\a.wav", "C:\\b.wav"}), 0);
    EXPECT_TRUE(left->drops.empty());
    EXPECT_TRUE(right->drops.empty());
    EXPECT_EQ(frame->getFocusView(), left);
    EXPECT_EQ(probe::mediaInUse(), 0);
}

TEST_F(FrameDrop, DataInNeitherFormatReachesNoView) {
    probe::drop(window, probe::DragData{}, 0);
    EXPECT_TRUE(right->drops.empty());
    EXPECT_EQ(probe::mediaInUse(), 0);
}

TEST_F(FrameDrop, TheTargetIsHeldOnlyByTheRegistrationAndGoesWithTheFrame) {
    probe::DropTargetRef target = probe::registeredDropTarget(window);
    ASSERT_NE(target, nullptr);
    EXPECT_GE(probe::addRefDropTarget(target), 2);
    delete frame;
    frame = nullptr;
    EXPECT_EQ(probe::releaseDropTarget(target), 0);  // ours was the last: the target is gone
}

// Revoking needs the window: once the host has destroyed it, the frame's
// own revocation would fail and leave the system's reference behind.
TEST_F(FrameDrop, TheTargetGoesWhenTheHostDestroysItsWindowFirst) {
    Window parent = probe::createHostWindow(60, 60);
    Frame* inner = new Frame({0, 0, 50, 50}, parent, nullptr);
    probe::DropTargetRef target = probe::registeredDropTarget(inner->getWindow());
    ASSERT_NE(target, nullptr);
    probe::addRefDropTarget(target);
    probe::destroyHostWindow(parent);
    EXPECT_EQ(probe::releaseDropTarget(target), 0);
    delete inner;
}
