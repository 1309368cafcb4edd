// The room selector on the panel, as a VST 2 host hears it: a room chosen by
// an arrow, the wheel or the list is one complete edit per parameter but
// Dry-Wet; the name follows the values whoever changes them; the list takes
// the keys while open and holds the controls under it until it closes.
#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "gui/ChoiceList.h"
#include "gui/ChoiceSelector.h"
#include "gui/FilmstripKnob.h"
#include "gui/PngFile.h"
#include "gui/ValueDisplay.h"
#include "params/Parameters.h"
#include "presets/FactoryPresets.h"
#include "tests/editor/PanelTestSupport.h"
#include "vst2/ContentScale.h"
#include "vst2/PanelSnapshot.h"

using namespace paneltest;
using namespace platform::soft;

namespace {

constexpr Point nextArrow{518, 74};
constexpr Point roomName{440, 74};

int32_t presetNamed(const char* name) {
    for (int32_t i = 0; i < factoryPresetCount; ++i)
        if (std::strcmp(factoryPresets[i].name, name) == 0) return i;
    return -1;
}

Point centre(const Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

class RoomSelector : public PanelTest {
protected:
    void SetUp() override {
        PanelTest::SetUp();
        useManualClock(1000);
    }
    void open() {
        ASSERT_TRUE(openPanel());
        paintAndIdle();
        host.calls.clear();
    }
    void click(Point where) {
        guitest::playPointer(editor->getFrame()->getWindow(),
                             {{where.x, where.y, heldLButton}, {where.x, where.y, 0}});
    }
    intptr_t key(unsigned char virt) { return dispatch(effEditKeyDown, 0, virt); }
    intptr_t offerScale(float factor) {
        return effect->dispatcher(effect, effVendorSpecific, contentScaleIndex, contentScaleValue,
                                  nullptr, factor);
    }
    ChoiceSelector* selector() const { return editor->roomSelector(); }
    ChoiceList* list() const { return selector() ? selector()->getList() : nullptr; }

    // Every parameter but Dry-Wet, in order, each as begin, value, end, with
    // the preset's value and the reverb switched on; the effect holds them.
    void expectRoomApplied(int32_t preset) {
        const std::vector<editortest::HostCall> calls = edits();
        ASSERT_EQ(calls.size(), 3u * (paramCount - 1));
        size_t k = 0;
        for (int32_t p = 0; p < paramCount; ++p) {
            if (p == paramDryWet) continue;
            const float value = p == paramOnOff ? 1.0f : factoryPresets[preset].values[p];
            EXPECT_EQ(calls[k].opcode, audioMasterBeginEdit) << p;
            EXPECT_EQ(calls[k + 1].opcode, audioMasterAutomate) << p;
            EXPECT_EQ(calls[k + 1].value, value) << p;
            EXPECT_EQ(calls[k + 2].opcode, audioMasterEndEdit) << p;
            for (size_t i = k; i < k + 3; ++i) EXPECT_EQ(calls[i].index, p);
            EXPECT_EQ(parameter(p), value) << p;
            k += 3;
        }
    }
    // Set BRV_UPDATE_REFERENCE=1 to write the kept picture anew after a
    // deliberate change; look at it before committing.
    void expectLooksAsKept(const platform::probe::Image& drawn, const std::string& name) {
        const std::string kept = std::string(BRV_EDITOR_TEST_DATA) + "/expected/" + name;
        if (std::getenv("BRV_UPDATE_REFERENCE")) {
            ASSERT_TRUE(writePng(drawn, kept.c_str()));
        }
        platform::probe::Image expected;
        ASSERT_TRUE(readPng(kept.c_str(), expected)) << kept;
        ASSERT_EQ(drawn.width, expected.width) << name;
        size_t differ = 0;
        for (size_t i = 0; i < drawn.pixels.size(); ++i)
            differ += drawn.pixels[i] != expected.pixels[i];
        EXPECT_EQ(differ, 0u) << name;
    }
};

}  // namespace

TEST_F(RoomSelector, NextFromTheDefaultsAppliesTheFirstRoomOneCompleteEditAtATimeButDryWet) {
    setParameter(paramDryWet, 0.42f);
    open();
    EXPECT_EQ(selector()->shown(), ChoiceSelector::none) << "the defaults are no room";
    click(nextArrow);
    expectRoomApplied(0);
    EXPECT_EQ(parameter(paramDryWet), 0.42f) << "the mix stays the user's";
    EXPECT_EQ(selector()->shown(), 0);
    EXPECT_STREQ(selector()->choiceName(0), factoryPresets[0].name);
    EXPECT_EQ(editor->knobFor(paramEarlySize)->getValue(), factoryPresets[0].values[0])
        << "the controls follow at once";
    EXPECT_FALSE(editor->getFrame()->isSomethingDirty()) << "and are drawn through the click";
}

TEST_F(RoomSelector, AKnobTurnedOffTheRoomShowsNoneAndTurnedBackShowsTheRoomAgain) {
    open();
    click(nextArrow);
    dispatch(effSetEditKnobMode, 0, 2);
    guitest::playPointer(editor->getFrame()->getWindow(),
                         {{73, 132, heldLButton}, {73, 112, heldLButton}, {73, 112, 0}});
    dispatch(effEditIdle);
    EXPECT_NEAR(parameter(paramEarlySize), factoryPresets[0].values[0] + 0.1f, 1e-6f);
    EXPECT_EQ(selector()->shown(), ChoiceSelector::none);
    guitest::playPointer(editor->getFrame()->getWindow(),
                         {{73, 132, heldLButton}, {73, 152, heldLButton}, {73, 152, 0}});
    dispatch(effEditIdle);
    EXPECT_EQ(selector()->shown(), 0);
    dispatch(effSetEditKnobMode, 0, 0);

    setParameter(paramDryWet, 0.9f);
    setParameter(paramMonoIn, 1.0f);
    dispatch(effEditIdle);
    EXPECT_EQ(selector()->shown(), 0) << "the mix and mono input choose no room";
    setParameter(paramOnOff, 0.0f);
    dispatch(effEditIdle);
    EXPECT_EQ(selector()->shown(), ChoiceSelector::none) << "switched off, no room is heard";
}

TEST_F(RoomSelector, TheWheelOverTheNameStepsLikeTheArrows) {
    open();
    const platform::Window panel = editor->getFrame()->getWindow();
    platform::PlatformRect origin{};
    platform::getWindowRect(panel, &origin);
    platform::probe::setCursorPos(origin.left + roomName.x, origin.top + roomName.y);
    platform::probe::sendMessage(panel, platform::msgMouseWheel,
                                 static_cast<uintptr_t>(static_cast<uint16_t>(-120)) << 16, 0);
    expectRoomApplied(0);
    host.calls.clear();
    platform::probe::sendMessage(panel, platform::msgMouseWheel, static_cast<uintptr_t>(120) << 16,
                                 0);
    expectRoomApplied(factoryPresetCount - 1);
}

TEST_F(RoomSelector, APressOnARowOfTheListAppliesItsRoomAndEscapeOrAPressOutsideChangeNothing) {
    open();
    click(roomName);
    ASSERT_NE(list(), nullptr);
    const int32_t hall = presetNamed("Large Hall");
    ASSERT_GE(hall, 0);
    EXPECT_TRUE(host.calls.empty()) << "opening the list changes nothing";
    click(centre(list()->rowArea(hall)));
    EXPECT_EQ(list(), nullptr);
    expectRoomApplied(hall);
    EXPECT_EQ(selector()->shown(), hall);

    host.calls.clear();
    click(roomName);
    ASSERT_NE(list(), nullptr);
    EXPECT_EQ(key(VKEY_ESCAPE), 1) << "the host's key request reaches the list";
    EXPECT_EQ(list(), nullptr);
    click(roomName);
    ASSERT_NE(list(), nullptr);
    const Rect box = list()->box();
    click({box.left + 1, box.bottom - 1});
    EXPECT_NE(list(), nullptr) << "a press inside the list's box but on no row keeps it open";
    click({100, 180});
    EXPECT_EQ(list(), nullptr);
    dispatch(effEditIdle);
    EXPECT_TRUE(edits().empty());
    EXPECT_EQ(selector()->shown(), hall);
}

TEST_F(RoomSelector, TheArrowKeysMoveDryWetWhileTheListIsClosedAndTheListsRowsWhileOpen) {
    open();
    EXPECT_EQ(key(VKEY_UP), 1);
    ASSERT_EQ(host.only(audioMasterAutomate).size(), 1u);
    EXPECT_EQ(host.only(audioMasterAutomate)[0].index, paramDryWet);
    const float dryWet = parameter(paramDryWet);

    host.calls.clear();
    click(roomName);
    ASSERT_NE(list(), nullptr);
    EXPECT_EQ(key(VKEY_DOWN), 1);
    EXPECT_EQ(key(VKEY_DOWN), 1);
    EXPECT_EQ(key(VKEY_UP), 1);
    EXPECT_EQ(key(VKEY_DOWN), 1);
    EXPECT_TRUE(host.calls.empty());
    EXPECT_EQ(key(VKEY_RETURN), 1);
    EXPECT_EQ(list(), nullptr);
    expectRoomApplied(1);
    EXPECT_EQ(parameter(paramDryWet), dryWet);
}

// A control drawn while the list lies over it would paint over the list.
TEST_F(RoomSelector, HostChangesWaitUnderTheOpenListAndFollowOnceItCloses) {
    open();
    click(roomName);
    ASSERT_NE(list(), nullptr);
    setParameter(paramEarlySize, 0.9f);
    dispatch(effEditIdle);
    dispatch(effEditIdle);
    EXPECT_EQ(editor->knobFor(paramEarlySize)->getValue(), 0.5f);
    key(VKEY_ESCAPE);
    dispatch(effEditIdle);
    EXPECT_EQ(editor->knobFor(paramEarlySize)->getValue(), 0.9f);
    EXPECT_EQ(editor->readoutFor(paramEarlySize)->getValue(), 0.9f);
    EXPECT_FALSE(editor->getFrame()->isSomethingDirty());
    EXPECT_EQ(host.count(audioMasterAutomate), 0u);
}

// Closing the panel, or the effect, with the list open leaves nothing behind
// (the sanitizers would see it) and the next panel opens without a list.
TEST_F(RoomSelector, ThePanelClosesWithTheListOpen) {
    open();
    click(roomName);
    ASSERT_NE(list(), nullptr);
    dispatch(effEditClose);
    open();
    EXPECT_EQ(list(), nullptr);
    EXPECT_EQ(editor->getFrame()->viewCount(), 15);
    click(roomName);
    ASSERT_NE(list(), nullptr);
}

// At 2 the list has twice the room, and each of its rows lies at twice the
// place it has at 1: a press there picks the same room.
TEST_F(RoomSelector, AtTwoTheListFitsThePanelAndIsHitAtTwiceItsPlaces) {
    open();
    click(roomName);
    const int32_t hall = presetNamed("Large Hall");
    const Point atOne = centre(list()->rowArea(hall));
    key(VKEY_ESCAPE);
    dispatch(effEditClose);

    ASSERT_EQ(offerScale(2.0f), 1);
    guitest::ScopedHostWindow wide{1094, 404};
    ASSERT_EQ(dispatch(effEditOpen, 0, 0, wide.window), 1);
    platform::probe::repaint(wide.window);
    dispatch(effEditIdle);
    host.calls.clear();
    click({2 * roomName.x, 2 * roomName.y});
    ASSERT_NE(list(), nullptr);
    const Rect box = list()->box();
    EXPECT_GE(box.left, 0);
    EXPECT_GE(box.top, 0);
    EXPECT_LT(box.right, 1094);
    EXPECT_LT(box.bottom, 404);
    EXPECT_EQ(list()->columns(), 2);
    click({2 * atOne.x, 2 * atOne.y});
    expectRoomApplied(hall);
}

// The panel with a room at each size it is drawn at, and with the list
// open over it at 1: kept pictures.
TEST_F(RoomSelector, ThePanelWithARoomAndWithTheListOpenLooksAsKept) {
    const int32_t hall = presetNamed("Large Hall");
    for (int32_t p = 0; p < paramCount; ++p)
        if (p != paramDryWet)
            setParameter(p, p == paramOnOff ? 1.0f : factoryPresets[hall].values[p]);
    for (const float scale : {1.5f, 2.0f}) {
        ASSERT_EQ(offerScale(scale), 1);
        PanelSnapshot shot{0, 0, nullptr};
        ASSERT_EQ(dispatch(effVendorSpecific, panelSnapshotIndex, panelSnapshotValue, &shot), 1);
        std::vector<uint32_t> pixels(static_cast<size_t>(shot.width) * shot.height);
        shot.pixels = pixels.data();
        ASSERT_EQ(dispatch(effVendorSpecific, panelSnapshotIndex, panelSnapshotValue, &shot), 1);
        platform::probe::Image drawn;
        drawn.width = shot.width;
        drawn.height = shot.height;
        for (uint32_t p : pixels) drawn.pixels.push_back(platform::swapRedBlue(p));
        expectLooksAsKept(
            drawn, std::string("panel-large-hall-") + (scale == 2.0f ? "2x" : "1.5x") + ".png");
    }
    ASSERT_EQ(offerScale(1.0f), 1);
    open();
    click(roomName);
    ASSERT_NE(list(), nullptr);
    expectLooksAsKept(platform::probe::readWindow(window.window), "panel-room-list.png");
}
