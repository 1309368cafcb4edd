// The user's side of the panel on the soft platform: drags and clicks become
// automated parameter changes in edit brackets, and the panel looks as kept.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "params/Parameters.h"
#include "tests/editor/HeadlessRenderer.h"
#include "gui/FilmstripKnob.h"
#include "gui/ValueDisplay.h"
#include "gui/PngFile.h"
#include "vst2/PanelSnapshot.h"
#include "tests/editor/PanelTestSupport.h"

using namespace paneltest;
using namespace platform::soft;

namespace {

class PanelInput : public PanelTest {
protected:
    void SetUp() override {
        PanelTest::SetUp();
        ASSERT_TRUE(openPanel());
        paintAndIdle();
        useManualClock(1000);
    }
    void play(const std::vector<guitest::PointerStep>& steps) {
        guitest::playPointer(editor->getFrame()->getWindow(), steps);
    }
};

TEST_F(PanelInput, DraggingTheThirdKnobAutomatesDiffusionAndTheFourthDecay) {
    dispatch(effSetEditKnobMode, 0, 2);
    play({{233, 132, heldLButton}, {233, 112, heldLButton}, {233, 92, heldLButton}, {233, 92, 0}});
    std::vector<editortest::HostCall> calls = edits();
    ASSERT_EQ(calls.size(), 4u);
    EXPECT_EQ(calls.front().opcode, audioMasterBeginEdit);
    EXPECT_EQ(calls.back().opcode, audioMasterEndEdit);
    for (const auto& c : calls) EXPECT_EQ(c.index, paramDiffusion);
    EXPECT_NEAR(calls[1].value, 0.6f, 1e-6f);
    EXPECT_NEAR(calls[2].value, 0.7f, 1e-6f);
    EXPECT_EQ(parameter(paramDiffusion), calls[2].value);
    dispatch(effEditIdle);
    EXPECT_EQ(editor->readoutFor(paramDiffusion)->getValue(), calls[2].value)
        << "the read-out follows at the next idle";

    host.calls.clear();
    play({{313, 132, heldLButton}, {333, 132, heldLButton}, {333, 132, 0}});
    calls = edits();
    ASSERT_EQ(calls.size(), 3u);
    for (const auto& c : calls) EXPECT_EQ(c.index, paramDamping);
    dispatch(effSetEditKnobMode, 0, 0);
}

TEST_F(PanelInput, AControlClickOnAKnobReportsItsDefaultAndALampClickFlipsPower) {
    setParameter(paramEarlySize, 0.9f);
    paintAndIdle();
    play({{73, 132, heldLButton | heldControl}});
    EXPECT_EQ(parameter(paramEarlySize), 0.5f);
    ASSERT_EQ(host.only(audioMasterAutomate).size(), 1u);
    EXPECT_EQ(host.only(audioMasterAutomate)[0].value, 0.5f);

    host.calls.clear();
    play({{30, 30, heldLButton}, {30, 30, 0}});
    EXPECT_EQ(parameter(paramOnOff), 1.0f);
    const std::vector<editortest::HostCall> calls = edits();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[1].index, paramOnOff);
    EXPECT_EQ(calls[1].value, 1.0f);
}

// Set BRV_UPDATE_REFERENCE=1 to write the kept picture anew after a
// deliberate change of the images or the layout; look at it before committing.
TEST_F(PanelInput, ThePanelAtTheDefaultsLooksAsKeptAndItsSnapshotIsWhatTheWindowShows) {
    dispatch(effEditClose);
    const std::string kept = std::string(BRV_EDITOR_TEST_DATA) + "/expected/panel-defaults.png";
    const std::string drawn = std::string(BRV_EDITOR_TEST_OUTPUT) + "/panel-defaults.png";
    ASSERT_TRUE(renderEditorToPng(*editor, drawn.c_str()));
    platform::probe::Image drawnPanel, expected;
    ASSERT_TRUE(readPng(drawn.c_str(), drawnPanel));
    if (std::getenv("BRV_UPDATE_REFERENCE")) {
        ASSERT_TRUE(writePng(drawnPanel, kept.c_str()));
    }
    ASSERT_TRUE(readPng(kept.c_str(), expected)) << kept;
    EXPECT_EQ(drawnPanel.pixels, expected.pixels);

    PanelSnapshot shot{0, 0, nullptr};
    ASSERT_EQ(dispatch(effVendorSpecific, panelSnapshotIndex, panelSnapshotValue, &shot), 1);
    ASSERT_EQ(shot.width, drawnPanel.width);
    ASSERT_EQ(shot.height, drawnPanel.height);
    std::vector<uint32_t> pixels(static_cast<size_t>(shot.width) * shot.height);
    shot.pixels = pixels.data();
    ASSERT_EQ(dispatch(effVendorSpecific, panelSnapshotIndex, panelSnapshotValue, &shot), 1);
    size_t differ = 0;
    for (size_t i = 0; i < pixels.size(); ++i) {
        const uint32_t c = drawnPanel.pixels[i];
        const uint32_t rgb = platform::swapRedBlue(c);
        differ += pixels[i] != rgb;
    }
    EXPECT_EQ(differ, 0u);

    ASSERT_TRUE(openPanel());
    EXPECT_EQ(dispatch(effVendorSpecific, panelSnapshotIndex, panelSnapshotValue, &shot), 0)
        << "an open panel owes its window what it would draw";
}

}  // namespace
