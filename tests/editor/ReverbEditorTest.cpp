// The panel's controls and the effect's parameters kept in step, in both
// directions, across opening, closing and hosts that do either twice.
#include <gtest/gtest.h>

#include <vector>

#include "params/Parameters.h"
#include "gui/ChoiceSelector.h"
#include "gui/FilmstripKnob.h"
#include "gui/ToggleButton.h"
#include "gui/ValueDisplay.h"
#include "gui/WindowClass.h"
#include "presets/FactoryPresets.h"
#include "gui/platform/Probe.h"
#include "tests/editor/PanelTestSupport.h"

using namespace paneltest;

namespace {

struct Expected {
    int32_t parameter;
    Rect bounds;
};

// Knobs, read-outs, then switches: the order the frame hands out key events.
const Expected panelLayout[14] = {
    {0, {54, 113, 92, 151}},   {1, {134, 113, 172, 151}}, {3, {214, 113, 252, 151}},
    {2, {294, 113, 332, 151}}, {4, {374, 113, 412, 151}}, {5, {454, 113, 492, 151}},
    {0, {55, 89, 93, 101}},    {1, {135, 89, 173, 101}},  {3, {215, 89, 253, 101}},
    {2, {294, 89, 332, 101}},  {4, {374, 89, 412, 101}},  {5, {454, 89, 492, 101}},
    {7, {18, 20, 57, 40}},     {8, {18, 50, 57, 70}},
};

using ReverbPanel = PanelTest;

// The fourteen controls where they always were, and the room selector
// after them, under the wordmark, naming the room the values are.
TEST_F(ReverbPanel, OpensWithFourteenControlsAtTheirPlacesAndTheRoomSelectorLast) {
    for (int32_t i = 0; i < 6; ++i) setParameter(i, 0.1f * static_cast<float>(i + 1));
    setParameter(paramOnOff, 1.0f);
    ASSERT_TRUE(openPanel());
    ERect* rect = nullptr;
    ASSERT_EQ(dispatch(effEditGetRect, 0, 0, &rect), 1);
    EXPECT_EQ(rect->bottom, 202);
    EXPECT_EQ(rect->right, 547);

    ASSERT_EQ(editor->getFrame()->viewCount(), 15);
    for (int32_t i = 0; i < 14; ++i) {
        const Expected& want = panelLayout[i];
        Control* c = control(i);
        EXPECT_EQ(c->getBounds(), want.bounds) << "view " << i;
        EXPECT_EQ(c->getValue(), parameter(want.parameter)) << "view " << i;
        const Control* bound = i < 6    ? static_cast<Control*>(editor->knobFor(want.parameter))
                               : i < 12 ? static_cast<Control*>(editor->readoutFor(want.parameter))
                                        : static_cast<Control*>(editor->switchFor(want.parameter));
        EXPECT_EQ(c, bound) << "view " << i;
        EXPECT_EQ(c->tag, i < 6 || i >= 12 ? want.parameter : 0) << "view " << i;
    }
    EXPECT_TRUE(control(0)->isTransparent()) << "knobs leave their wells visible";
    EXPECT_FALSE(control(12)->isTransparent());
    auto* rooms = static_cast<ChoiceSelector*>(control(14));
    EXPECT_EQ(rooms, editor->roomSelector());
    EXPECT_EQ(rooms->getBounds(), (Rect{367, 67, 526, 82}));
    EXPECT_EQ(rooms->nameArea(), (Rect{385, 67, 508, 82}));
    EXPECT_EQ(rooms->tag, ReverbEditor::roomSelectorTag);
    EXPECT_EQ(rooms->shown(), ChoiceSelector::none) << "these values are no factory room";
    ASSERT_EQ(rooms->choiceCount(), factoryPresetCount);
    EXPECT_STREQ(rooms->choiceName(factoryPresetCount - 1),
                 factoryPresets[factoryPresetCount - 1].name)
        << "the factory presets in their source's order";
}

// The controls follow at the next idle, which also draws them.
TEST_F(ReverbPanel, HostAndProgramChangesMoveTheControlsAtTheNextIdleAndAreNeverReportedBack) {
    dispatch(effSetProgram, 0, 3);
    const float programThree[9] = {0.9f, 0.8f, 0.7f, 0.6f, 0.4f, 0.3f, 0.2f, 1.0f, 1.0f};
    for (int32_t i = 0; i < 9; ++i) setParameter(i, programThree[i]);
    dispatch(effSetProgram, 0, 0);
    ASSERT_TRUE(openPanel());
    paintAndIdle();
    std::vector<float> shown;
    for (int32_t i = 0; i < 14; ++i) shown.push_back(control(i)->getValue());

    setParameter(paramVolume, 0.7f);
    dispatch(effEditIdle);
    for (int32_t i = 0; i < 14; ++i)
        EXPECT_EQ(control(i)->getValue(), shown[i]) << "volume has no control";

    setParameter(paramLateSize, 0.25f);
    dispatch(effEditIdle);
    EXPECT_EQ(editor->knobFor(paramLateSize)->getValue(), 0.25f);
    EXPECT_EQ(editor->readoutFor(paramLateSize)->getValue(), 0.25f);
    EXPECT_FALSE(editor->getFrame()->isSomethingDirty()) << "drawn in the same idle";

    dispatch(effSetProgram, 0, 3);
    dispatch(effEditIdle);
    for (int32_t p : {0, 1, 2, 3, 4, 5}) {
        EXPECT_EQ(editor->knobFor(p)->getValue(), programThree[p]) << p;
        EXPECT_EQ(editor->readoutFor(p)->getValue(), programThree[p]) << p;
    }
    EXPECT_EQ(editor->switchFor(paramOnOff)->getValue(), 1.0f);
    EXPECT_EQ(editor->switchFor(paramMonoIn)->getValue(), 1.0f);
    EXPECT_EQ(host.count(audioMasterAutomate), 0u);
}

TEST_F(ReverbPanel, CloseAndReopenRebuildsTheControlsFromTheCurrentValues) {
    ASSERT_TRUE(openPanel());
    dispatch(effEditClose);
    EXPECT_EQ(editor->getFrame(), nullptr);
    setParameter(paramEarlySize, 0.8f);  // no panel to move
    EXPECT_EQ(editor->knobFor(paramEarlySize), nullptr);
    ASSERT_TRUE(openPanel());
    EXPECT_EQ(editor->getFrame()->viewCount(), 15);
    EXPECT_EQ(editor->knobFor(paramEarlySize)->getValue(), 0.8f);
}

TEST_F(ReverbPanel, ASecondOpenWithoutCloseReplacesThePanelInsteadOfLeakingIt) {
    const int32_t windows = WindowClass::registrationCount();
    ASSERT_TRUE(openPanel());
    ASSERT_TRUE(openPanel());
    EXPECT_EQ(WindowClass::registrationCount(), windows + 1) << "one panel window, not two";
    EXPECT_TRUE(platform::probe::isWindow(editor->getFrame()->getWindow()));
    EXPECT_EQ(editor->getFrame()->viewCount(), 15);
    dispatch(effEditClose);
    EXPECT_EQ(WindowClass::registrationCount(), windows);
}

// Under the sanitizers a window outliving its frame would be caught at the
// next paint.
TEST_F(ReverbPanel, ClosingTheEffectWithThePanelOpenTakesThePanelDownFirst) {
    ASSERT_TRUE(openPanel());
    platform::Window panelWindow = editor->getFrame()->getWindow();
    dispatch(effClose);
    effect = nullptr;
    EXPECT_FALSE(platform::probe::isWindow(panelWindow));
    platform::probe::repaint(window.window);
}

}  // namespace
