// Pacing and the picture of a panel, with the soft platform's clock and
// windows.
#include <cstdio>
#include <string>

#include "tests/editor/HeadlessRenderer.h"
#include "gui/platform/soft/SoftControls.h"
#include "gui/PngFile.h"
#include "tests/editor/EditorTestSupport.h"

using namespace editortest;
using namespace platform;

namespace {

class EditorPacing : public guitest::PlatformTest {
protected:
    void SetUp() override {
        guitest::PlatformTest::SetUp();
        soft::useManualClock(10000);
        effect = new TestEffect(host);
        editor = attachTestEditor(effect, journal);
    }
    void TearDown() override { delete effect; }

    guitest::Journal journal;
    Host host;
    TestEffect* effect = nullptr;
    TestEditor* editor = nullptr;
};

}  // namespace

TEST_F(EditorPacing, TwoPumpsTenMillisecondsApartRunOneStepAndSleepFourOnce) {
    editor->pumpIdle();
    EXPECT_EQ(host.count(audioMasterIdle), 1u);
    EXPECT_EQ(soft::sleptMilliseconds(), 0u);
    soft::advanceClock(10);
    editor->pumpIdle();
    EXPECT_EQ(host.count(audioMasterIdle), 1u);
    EXPECT_EQ(soft::sleptMilliseconds(), 4u);
    EXPECT_EQ(getTickCount(), 10014u);
}

TEST_F(EditorPacing, StepsFollowEachOtherAboutEveryFiftyMilliseconds) {
    std::vector<uint32_t> steps;
    for (int pass = 0; pass < 200; ++pass) {
        size_t before = host.count(audioMasterIdle);
        editor->pumpIdle();
        if (host.count(audioMasterIdle) != before) steps.push_back(getTickCount());
    }
    // A step is due from 54 ms before the next idle time (100 ms after the
    // last step); in 4 ms sleeps the first poll that gets there is 52 ms on.
    ASSERT_GE(steps.size(), 10u);
    for (size_t i = 2; i < steps.size(); ++i) EXPECT_EQ(steps[i] - steps[i - 1], 52u) << i;
}

TEST_F(EditorPacing, AnEditorBalancesOleOverItsLife) {
    int before = soft::oleInitializations();
    auto* extra = new TestEditor(nullptr, journal);
    EXPECT_EQ(soft::oleInitializations(), before + 1);
    delete extra;
    EXPECT_EQ(soft::oleInitializations(), before);
}

// The host's thread was multi-threaded before the editor came: the editor
// and its frame were refused their initialisations and take none away.
TEST_F(EditorPacing, OnAThreadTheHostMadeMultithreadedAnEditorLeavesCOMAsItFoundIt) {
    soft::enterMultithreadedApartment();
    int before = soft::oleInitializations();
    auto* extra = new TestEditor(nullptr, journal);
    guitest::ScopedHostWindow window(60, 60);
    extra->open(window.window);
    ASSERT_NE(extra->getFrame()->getWindow(), nullptr);
    extra->close();
    delete extra;
    EXPECT_EQ(soft::oleInitializations(), before);
}

TEST_F(EditorPacing, ThePumpPaintsAWindowThatWaitsForPainting) {
    guitest::ScopedHostWindow window(60, 60);
    editor->open(window.window);
    probe::sendMessage(window.window, msgPaint, 0, 0);  // only the host window is painted
    ASSERT_TRUE(editor->getFrame()->isFirstDrawPending());
    ASSERT_EQ(editor->journal.count("view.draw"), 0u);
    editor->pumpIdle();
    EXPECT_FALSE(editor->getFrame()->isFirstDrawPending());
    EXPECT_EQ(editor->journal.count("view.draw"), 1u);
    editor->close();
}

TEST_F(EditorPacing, TheHeadlessRendererWritesWhatThePanelShows) {
    std::string path = std::string(BRV_EDITOR_TEST_OUTPUT) + "/test-editor.png";
    std::remove(path.c_str());
    ASSERT_TRUE(renderEditorToPng(*editor, path.c_str()));
    EXPECT_EQ(editor->getFrame(), nullptr);
    probe::Image picture;
    ASSERT_TRUE(readPng(path.c_str(), picture));
    EXPECT_EQ(picture.width, 40);
    EXPECT_EQ(picture.height, 30);
    EXPECT_EQ(picture.at(0, 0), guitest::rgb(0, 0, 100));
    EXPECT_EQ(picture.at(10, 5), colorYellow.toColorRef());
    EXPECT_EQ(picture.at(30, 20), guitest::rgb(180, 160, 100));
}
