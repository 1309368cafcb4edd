// Drops whose data only the soft platform can stage.
#include <gtest/gtest.h>

#include "gui/platform/soft/SoftControls.h"
#include "tests/gui/DropSupport.h"

using guitest::fileData;
using guitest::FrameDrop;
using namespace platform;

// The system's own file list hands out every name it holds.
TEST_F(FrameDrop, AFileWhoseNameCannotBeReadIsLeftOutOfTheNamesAndTheCount) {
    soft::makeUnreadable("C:\\b.wav");
    probe::drop(window, fileData({"C:\\a.wav", "C:\\b.wav", "C:\\c.wav"}), 0);
    ASSERT_EQ(right->drops.size(), 1u);
    EXPECT_EQ(right->drops[0].count, 2);
    EXPECT_EQ(right->drops[0].items, (std::vector<std::string>{"C:\\a.wav", "C:\\c.wav"}));
    EXPECT_EQ(probe::mediaInUse(), 0);
}

// The soft list of no files counts none (wine's counts one empty name, which
// then cannot be read); nothing is passed.
TEST_F(FrameDrop, AFileListOfNoFilesReachesNoView) {
    probe::drop(window, fileData({}), 0);
    EXPECT_TRUE(right->drops.empty());
    EXPECT_EQ(probe::mediaInUse(), 0);
}
