// The choice selector and the list it opens over the frame, driven through
// the frame's window as the system delivers presses, the wheel and keys.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gui/ChoiceList.h"
#include "gui/ChoiceSelector.h"
#include "gui/DrawContext.h"
#include "gui/Frame.h"
#include "gui/FrameEditor.h"
#include "gui/KeyCode.h"
#include "gui/ValueListener.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/RecordingView.h"

using namespace platform;

namespace {

// Stands for the editor: writes down each choice and, as the panel does,
// leaves the selector showing whatever it decides.
class Owner final : public FrameEditor, public ValueListener {
public:
    void pumpIdle() override {}
    void beginEdit(int32_t) override {}
    void endEdit(int32_t) override {}
    void controlChanged(DrawContext* context, Control* control) override {
        chosen.push_back(static_cast<ChoiceSelector*>(control)->shown());
        control->setValue(shownAfter);
        control->redrawIfDirty(context);
    }
    std::vector<int32_t> chosen;
    float shownAfter = -1.0f;
};

constexpr Color nameColor{255, 0, 0, 0};
constexpr Color neutralColor{0, 0, 255, 0};
constexpr Color highlightColor{0, 128, 0, 0};

std::vector<std::string> numbered(int count) {
    std::vector<std::string> names;
    for (int i = 0; i < count; ++i) names.push_back("Room " + std::to_string(i));
    return names;
}

class ChoiceSelectorTest : public guitest::PlatformTest {
protected:
    void SetUp() override {
        guitest::PlatformTest::SetUp();
        frame = new Frame({0, 0, 547, 202}, host.window, &owner);
        below = new guitest::RecordingView({0, 0, 546, 201}, "below", journal);
        below->answerKey = 'x';
        frame->addView(below);
        selector = new ChoiceSelector({367, 67, 382, 82}, {385, 67, 508, 82}, {511, 67, 526, 82},
                                      &owner, 9);
        selector->setChoices(numbered(18));
        selector->setNeutralText("none");
        ChoiceStyle style;
        style.name = nameColor;
        style.neutral = neutralColor;
        style.highlight = highlightColor;
        selector->setStyle(style);
        frame->addView(selector);
        probe::repaint(frame->getWindow());
    }
    void TearDown() override { delete frame; }

    void press(int x, int y) {
        probe::sendMessage(frame->getWindow(), msgLButtonDown, 0, (y << 16) | x);
    }
    int32_t key(uint8_t virt) {
        KeyCode code{0, virt, 0};
        return frame->onKeyDown(code);
    }
    // Pixels of the window in the area that are of a colour's hue.
    int countShown(const Rect& area, Color color) {
        const probe::Image shown = probe::readWindow(host.window);
        int n = 0;
        for (int y = area.top; y <= area.bottom; ++y)
            for (int x = area.left; x <= area.right; ++x) {
                const ColorRef c = shown.at(x, y);
                const int r = c & 0xFF, g = (c >> 8) & 0xFF, b = (c >> 16) & 0xFF;
                n += (color.red ? r > 100 : r < 40) && (color.green ? g > 60 : g < 40) &&
                     (color.blue ? b > 100 : b < 40);
            }
        return n;
    }
    Point centre(const Rect& r) { return {(r.left + r.right) / 2, (r.top + r.bottom) / 2}; }

    guitest::ScopedHostWindow host{547, 202};
    guitest::Journal journal;
    Owner owner;
    Frame* frame = nullptr;
    guitest::RecordingView* below = nullptr;
    ChoiceSelector* selector = nullptr;
};

}  // namespace

TEST_F(ChoiceSelectorTest, ArrowsStepWrappingAtBothEndsAndFromNoneToTheFirstOrTheLast) {
    press(374, 74);
    press(518, 74);
    EXPECT_EQ(owner.chosen, (std::vector<int32_t>{17, 0})) << "from none";
    owner.chosen.clear();
    selector->setValue(17.0f);
    press(518, 74);
    selector->setValue(0.0f);
    press(374, 74);
    selector->setValue(5.0f);
    press(518, 74);
    selector->setValue(5.0f);
    press(374, 74);
    EXPECT_EQ(owner.chosen, (std::vector<int32_t>{0, 17, 6, 4}));
    EXPECT_EQ(selector->shown(), ChoiceSelector::none) << "it shows what its owner decided";
    EXPECT_EQ(journal.count("below.press 374,74"), 0u)
        << "the view below never hears a press on the selector";
}

TEST_F(ChoiceSelectorTest, ThePressedNameOpensTheListOnTopAndARowPicksAndClosesIt) {
    selector->setValue(2.0f);
    press(440, 74);
    ASSERT_TRUE(selector->isListOpen());
    ChoiceList* list = selector->getList();
    EXPECT_EQ(frame->viewAt(frame->viewCount() - 1), list) << "over every other view";
    EXPECT_EQ(frame->getFocusView(), list);
    EXPECT_EQ(list->highlighted(), 2) << "the keys start from the choice shown";
    EXPECT_GT(countShown(list->rowArea(2), highlightColor), 0) << "drawn at once";

    const Point row = centre(list->rowArea(12));
    press(row.x, row.y);
    EXPECT_FALSE(selector->isListOpen());
    EXPECT_EQ(frame->viewCount(), 2);
    EXPECT_EQ(owner.chosen, (std::vector<int32_t>{12}));
    EXPECT_EQ(journal.count("below.draw"), 2u) << "the frame was drawn again where the list lay";
}

TEST_F(ChoiceSelectorTest, KeysReachTheSelectorOnlyThroughItsOpenList) {
    EXPECT_EQ(key(vkeyUp), -1);
    EXPECT_EQ(journal.count("below.key"), 1u) << "closed, the arrows go on to the view below";
    press(440, 74);
    ChoiceList* list = selector->getList();
    EXPECT_EQ(key(vkeyUp), 1);
    EXPECT_EQ(list->highlighted(), 17) << "up from nothing reaches the last row";
    EXPECT_EQ(key(vkeyDown), 1);
    EXPECT_EQ(list->highlighted(), 17) << "and no further down";
    EXPECT_EQ(key(vkeyLeft), 1);
    EXPECT_EQ(list->highlighted(), 17 - list->rows()) << "left goes a column back";
    EXPECT_EQ(key(vkeyUp), 1);
    const int32_t highlighted = list->highlighted();
    EXPECT_EQ(highlighted, 16 - list->rows());
    KeyCode other{'x', 0, 0};
    EXPECT_EQ(frame->onKeyDown(other), 1);
    EXPECT_EQ(journal.count("below.key"), 2u) << "only keys the list has no use for go on";
    EXPECT_EQ(key(vkeyReturn), 1);
    EXPECT_FALSE(selector->isListOpen());
    EXPECT_EQ(owner.chosen, (std::vector<int32_t>{highlighted}));
    EXPECT_EQ(key(vkeyDown), -1);
    EXPECT_EQ(journal.count("below.key"), 3u);

    press(440, 74);
    press(20, 180);
    EXPECT_FALSE(selector->isListOpen());
    EXPECT_EQ(journal.count("below.press 20,180"), 0u) << "the press that closes goes no further";
}

// Eighteen rows of 12 pixels do not fit a frame 202 pixels high: they take
// two columns of nine. In a frame twice as high with rows twice as high,
// still two; in a tall frame, one. The box always lies inside the frame,
// and its rows go down the first column and then the next.
TEST_F(ChoiceSelectorTest, TheListTakesAsManyColumnsAsTheFramesHeightNeedsAndStaysInsideIt) {
    press(440, 74);
    ChoiceList* list = selector->getList();
    EXPECT_EQ(list->columns(), 2);
    EXPECT_EQ(list->rows(), 9);
    const Rect box = list->box();
    EXPECT_GE(box.left, 0);
    EXPECT_GE(box.top, 0);
    EXPECT_LE(box.right, 546);
    EXPECT_LE(box.bottom, 201);
    EXPECT_EQ(box.right, 526) << "aligned with the selector";
    EXPECT_LT(list->rowArea(8).top, list->rowArea(9).top + 9 * 12);
    EXPECT_EQ(list->rowArea(9).top, list->rowArea(0).top) << "the second column starts at the top";
    EXPECT_GT(list->rowArea(9).left, list->rowArea(8).right);
    for (int32_t i = 0; i < 18; ++i) {
        const Rect row = list->rowArea(i);
        EXPECT_EQ(list->choiceAt(centre(row)), i);
        EXPECT_TRUE(box.contains({row.left, row.top}) && box.contains({row.right, row.bottom}));
    }
    key(vkeyEscape);

    delete frame;
    frame = nullptr;
    for (const int height : {404, 600}) {
        guitest::ScopedHostWindow tall{547, height};
        Frame other({0, 0, 547, height}, tall.window, &owner);
        auto* chooser = new ChoiceSelector({367, 67, 382, 82}, {385, 67, 508, 82},
                                           {511, 67, 526, 82}, &owner, 9);
        chooser->setChoices(numbered(18));
        ChoiceStyle style;
        style.rowHeight = height == 404 ? 24 : 12;
        chooser->setStyle(style);
        other.addView(chooser);
        chooser->openList(nullptr);
        ASSERT_TRUE(chooser->isListOpen());
        EXPECT_EQ(chooser->getList()->columns(), height == 404 ? 2 : 1) << height;
        EXPECT_LE(chooser->getList()->box().bottom, height - 1) << height;
    }
}

TEST_F(ChoiceSelectorTest, TheNameShowsInItsColourAndNoneAsTheNeutralText) {
    selector->setValue(4.0f);
    frame->idle();
    EXPECT_GT(countShown(selector->nameArea(), nameColor), 0);
    EXPECT_EQ(countShown(selector->nameArea(), neutralColor), 0);
    selector->setValue(2.5f);
    frame->idle();
    EXPECT_EQ(selector->shown(), ChoiceSelector::none) << "a value that names no choice";
    EXPECT_EQ(countShown(selector->nameArea(), nameColor), 0);
    EXPECT_GT(countShown(selector->nameArea(), neutralColor), 0);
}
