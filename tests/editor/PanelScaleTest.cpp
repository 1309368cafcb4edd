// The size the panel is drawn at: forced by the user, offered by the host
// through the content-scale request, and falling on 1, 1.5 or 2.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>
#include <vector>

#include "tests/editor/PanelTestSupport.h"
#ifndef _WIN32
#include "tests/support/ScopedResourceDatabase.h"
#endif
#include "gui/FilmstripKnob.h"
#include "params/Parameters.h"
#include "vst2/ContentScale.h"
#include "vst2/PanelSnapshot.h"
#ifndef _WIN32
#include "gui/PngFile.h"
#endif

using namespace paneltest;

namespace {

// BRELLIVAUNT_SCALE for the life of the object, then as it was before.
class ScopedScaleVariable final {
public:
    explicit ScopedScaleVariable(const char* value) {
        const char* before = std::getenv(name);
        hadValue = before != nullptr;
        if (hadValue) previous = before;
        set(value);
    }
    ~ScopedScaleVariable() { set(hadValue ? previous.c_str() : nullptr); }

    ScopedScaleVariable(const ScopedScaleVariable&) = delete;
    ScopedScaleVariable& operator=(const ScopedScaleVariable&) = delete;

    static void set(const char* value) {
#ifdef _WIN32
        _putenv_s(name, value ? value : "");
#else
        if (value)
            setenv(name, value, 1);
        else
            unsetenv(name);
#endif
    }

private:
    static constexpr const char* name = "BRELLIVAUNT_SCALE";
    std::string previous;
    bool hadValue = false;
};

class PanelScaleTest : public PanelTest {
protected:
    intptr_t vendorRequest(int32_t index, intptr_t value, float factor, void* ptr = nullptr) {
        return effect->dispatcher(effect, effVendorSpecific, index, value, ptr, factor);
    }
    intptr_t offerScale(float factor) {
        return vendorRequest(contentScaleIndex, contentScaleValue, factor);
    }

    // The panel's picture as the host's snapshot request draws it, rows
    // from the top, 0x00RRGGBB.
    struct Picture {
        int32_t width = 0;
        int32_t height = 0;
        std::vector<uint32_t> pixels;
        int channel(int32_t x, int32_t y, int shift) const {
            return static_cast<int>((pixels[static_cast<size_t>(y) * width + x] >> shift) & 0xFF);
        }
    };
    Picture snapshot() {
        PanelSnapshot shot{0, 0, nullptr};
        Picture picture;
        if (vendorRequest(panelSnapshotIndex, panelSnapshotValue, 0.0f, &shot) != 1) return picture;
        picture.pixels.assign(static_cast<size_t>(shot.width) * shot.height, 0);
        shot.pixels = picture.pixels.data();
        if (vendorRequest(panelSnapshotIndex, panelSnapshotValue, 0.0f, &shot) != 1) return picture;
        picture.width = shot.width;
        picture.height = shot.height;
        return picture;
    }
    ERect hostRect() {
        ERect* rect = nullptr;
        if (dispatch(effEditGetRect, 0, 0, &rect) != 1 || !rect) return {0, 0, 0, 0};
        return *rect;
    }

    ScopedScaleVariable unforced{nullptr};
};

// Presses at the first sample and plays one more each time the panel gives
// its host a turn, as a user's hand goes on while the drag holds the thread.
class HandOnThePanel final {
public:
    HandOnThePanel(editortest::Host& h, platform::Window window) : host(h), pointer(window) {}
    ~HandOnThePanel() { host.onIdle = nullptr; }
    HandOnThePanel(const HandOnThePanel&) = delete;
    HandOnThePanel& operator=(const HandOnThePanel&) = delete;

    void play(platform::Window window, const std::vector<guitest::Sample>& path) {
        size_t next = 1;
        host.onIdle = [&] {
            if (next < path.size()) pointer.place(path[next++]);
        };
        pointer.place(path[0]);
        platform::probe::sendMessage(window, platform::msgLButtonDown, 0,
                                     (path[0].y << 16) | path[0].x);
        host.onIdle = nullptr;
    }

private:
    editortest::Host& host;
    guitest::Pointer pointer;
};

}  // namespace

TEST_F(PanelScaleTest, HostFactorFallsOnTheNearestOfTheThreeSizes) {
    const struct {
        float factor;
        float size;
    } cases[] = {{2.0f, 2.0f},  {1.0f, 1.0f},  {1.24f, 1.0f}, {1.25f, 1.5f}, {1.5f, 1.5f},
                 {1.74f, 1.5f}, {1.75f, 2.0f}, {3.0f, 2.0f},  {4.0f, 2.0f},  {0.5f, 1.0f}};
    for (const auto& c : cases) {
        EXPECT_EQ(offerScale(c.factor), 1) << c.factor;
        EXPECT_EQ(editor->chosenScale(), c.size) << c.factor;
    }
}

TEST_F(PanelScaleTest, FactorsThatAreNoScaleAnswerZeroAndChangeNothing) {
    ASSERT_EQ(offerScale(2.0f), 1);
    const float refused[] = {std::numeric_limits<float>::quiet_NaN(),
                             std::numeric_limits<float>::infinity(),
                             -std::numeric_limits<float>::infinity(),
                             0.0f,
                             -1.0f,
                             4.01f,
                             100.0f};
    for (float factor : refused) {
        EXPECT_EQ(offerScale(factor), 0) << factor;
        EXPECT_EQ(editor->chosenScale(), 2.0f) << factor;
    }
    // The request is known by both codes together.
    EXPECT_EQ(vendorRequest(contentScaleIndex, panelSnapshotValue, 1.0f), 0);
    EXPECT_EQ(vendorRequest(panelSnapshotIndex, contentScaleValue, 1.0f), 0);
    EXPECT_EQ(vendorRequest(contentScaleIndex, contentScaleValue + 1, 1.0f), 0);
    EXPECT_EQ(vendorRequest(0, 0, 1.0f), 0);
    EXPECT_EQ(editor->chosenScale(), 2.0f);
}

TEST_F(PanelScaleTest, SnapshotRequestStillAnswersBesideTheScaleRequest) {
    ASSERT_EQ(offerScale(1.5f), 1);
    PanelSnapshot shot{0, 0, nullptr};
    EXPECT_EQ(vendorRequest(panelSnapshotIndex, panelSnapshotValue, 0.0f, &shot), 1);
    EXPECT_GT(shot.width, 0);
    EXPECT_GT(shot.height, 0);
    EXPECT_EQ(vendorRequest(panelSnapshotIndex, panelSnapshotValue, 0.0f, nullptr), 0);
}

TEST_F(PanelScaleTest, UserVariableWinsOverTheHostUnlessItIsNoFactor) {
    ASSERT_EQ(offerScale(2.0f), 1);
    const struct {
        const char* text;
        float size;
    } cases[] = {{"1.5", 1.5f}, {"1", 1.0f},    {"1.2", 1.0f}, {"2", 2.0f},    {"1.75", 2.0f},
                 {"", 2.0f},    {"big", 2.0f},  {"0", 2.0f},   {"9", 2.0f},    {"1,5", 2.0f},
                 {"-1", 2.0f},  {"1.5x", 2.0f}, {".", 2.0f},   {"1.5.0", 2.0f}};
    for (const auto& c : cases) {
        ScopedScaleVariable forced(c.text);
        EXPECT_EQ(editor->chosenScale(), c.size) << '"' << c.text << '"';
    }
    EXPECT_EQ(editor->chosenScale(), 2.0f) << "the host's factor decides again once unset";
}

TEST_F(PanelScaleTest, ForcedSizeHoldsWhenTheHostOffersNone) {
    ScopedScaleVariable forced("1.5");
    EXPECT_EQ(editor->chosenScale(), 1.5f);
    ASSERT_TRUE(openPanel());
    EXPECT_EQ(editor->chosenScale(), 1.5f) << "the host's window does not overrule the user";
}

#ifndef _WIN32
TEST_F(PanelScaleTest, ScreenDecidesWhenNeitherTheUserNorTheHostDid) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
    guitest::ScopedResourceDatabase database("Xft.dpi:\t144\n");
    ASSERT_TRUE(database.isActive());
    EXPECT_EQ(editor->chosenScale(), 1.5f);
    ASSERT_TRUE(openPanel());
    EXPECT_EQ(editor->chosenScale(), 1.5f) << "with the host's window as without";
    const std::string dense = "Xft.dpi:\t192\n";
    database.put(dense.data(), dense.size());
    EXPECT_EQ(editor->chosenScale(), 2.0f);
    {
        ScopedScaleVariable forced("1");
        EXPECT_EQ(editor->chosenScale(), 1.0f) << "the user overrules the screen";
    }
    ASSERT_EQ(offerScale(1.0f), 1);
    EXPECT_EQ(editor->chosenScale(), 1.0f) << "the host overrules the screen";
}

TEST_F(PanelScaleTest, OpenPanelFollowsItsWindowToADenserScreenAtTheNextIdle) {
    if (!std::getenv("DISPLAY")) GTEST_SKIP() << "no X display";
    guitest::ScopedResourceDatabase database("Xft.dpi:\t96\n");
    ASSERT_TRUE(database.isActive());
    ASSERT_TRUE(openPanel());
    ASSERT_EQ(editor->getFrame()->getBounds().width(), 547);
    const std::string dense = "Xft.dpi:\t192\n";
    database.put(dense.data(), dense.size());
    platform::probe::sendMessage(editor->getFrame()->getWindow(),
                                 platform::msgDpiChangedAfterParent, 0, 0);
    EXPECT_EQ(host.count(audioMasterSizeWindow), 0u) << "not from inside the frame's own message";
    dispatch(effEditIdle);
    ASSERT_NE(editor->getFrame(), nullptr);
    EXPECT_EQ(editor->getFrame()->getBounds().width(), 1094);
    ASSERT_EQ(host.only(audioMasterSizeWindow).size(), 1u);
    EXPECT_EQ(host.only(audioMasterSizeWindow)[0].index, 1094);
    EXPECT_EQ(host.only(audioMasterSizeWindow)[0].number, 404);
}
#endif

TEST_F(PanelScaleTest, HostIsToldTheSizeBeforeOpeningAndAskedToFollowAChangeWhileOpen) {
    ERect rect = hostRect();
    EXPECT_EQ(rect.right - rect.left, 547);
    EXPECT_EQ(rect.bottom - rect.top, 202);
    ASSERT_EQ(offerScale(1.5f), 1);
    rect = hostRect();
    EXPECT_EQ(rect.right - rect.left, 820);
    EXPECT_EQ(rect.bottom - rect.top, 303);
    ASSERT_EQ(offerScale(2.0f), 1);
    rect = hostRect();
    EXPECT_EQ(rect.right - rect.left, 1094);
    EXPECT_EQ(rect.bottom - rect.top, 404);
    EXPECT_EQ(host.count(audioMasterSizeWindow), 0u) << "a closed panel asks for nothing";

    ASSERT_TRUE(openPanel());
    EXPECT_EQ(editor->getFrame()->getBounds().width(), 1094);
    ASSERT_EQ(offerScale(1.8f), 1);
    EXPECT_EQ(host.count(audioMasterSizeWindow), 0u) << "the same size needs no change";

    ASSERT_EQ(offerScale(1.0f), 1);
    ASSERT_EQ(host.only(audioMasterSizeWindow).size(), 1u);
    EXPECT_EQ(host.only(audioMasterSizeWindow)[0].index, 547);
    EXPECT_EQ(host.only(audioMasterSizeWindow)[0].number, 202);
    rect = hostRect();
    EXPECT_EQ(rect.right - rect.left, 547);
    ASSERT_NE(editor->getFrame(), nullptr);
    EXPECT_EQ(editor->getFrame()->getBounds().width(), 547);
    EXPECT_EQ(editor->knobFor(paramDryWet)->getBounds().left, 454);

    // A host that refuses keeps its window; the panel is whole at its new
    // size and goes on following its values.
    host.sizeWindowAnswer = 0;
    ASSERT_EQ(offerScale(2.0f), 1);
    EXPECT_EQ(host.count(audioMasterSizeWindow), 2u);
    ASSERT_NE(editor->knobFor(paramDryWet), nullptr);
    EXPECT_EQ(editor->knobFor(paramDryWet)->getBounds().left, 908);
    setParameter(paramDryWet, 0.25f);
    paintAndIdle();
    EXPECT_EQ(editor->knobFor(paramDryWet)->getValue(), 0.25f);
    EXPECT_EQ(hostRect().right, 1094);
}

// The 1x picture stays the kept one; the 2x one is drawn from its own
// artwork: halved it looks like 1x, yet it is no 1x picture blown up.
TEST_F(PanelScaleTest, PanelAtTwoIsSharpAndHalvedLooksLikeOne) {
    ASSERT_EQ(offerScale(1.5f), 1);
    const Picture middle = snapshot();
    EXPECT_EQ(middle.width, 820);
    EXPECT_EQ(middle.height, 303);
    ASSERT_EQ(offerScale(2.0f), 1);
    const Picture two = snapshot();
    ASSERT_EQ(two.width, 1094);
    ASSERT_EQ(two.height, 404);
    ASSERT_EQ(offerScale(1.0f), 1);
    const Picture one = snapshot();
    ASSERT_EQ(one.width, 547);
    ASSERT_EQ(one.height, 202);
#ifndef _WIN32
    platform::probe::Image kept;
    const std::string keptPath = std::string(BRV_EDITOR_TEST_DATA) + "/expected/panel-defaults.png";
    ASSERT_TRUE(readPng(keptPath.c_str(), kept)) << keptPath;
    size_t changed = 0;
    for (size_t i = 0; i < one.pixels.size(); ++i)
        changed += one.pixels[i] != platform::swapRedBlue(kept.pixels[i]);
    EXPECT_EQ(changed, 0u) << "back at 1 after 2, the picture is the kept one";
#endif

    double squares = 0.0;
    size_t notDoubled = 0;
    for (int32_t y = 0; y < one.height; ++y) {
        for (int32_t x = 0; x < one.width; ++x) {
            for (int shift : {0, 8, 16}) {
                const int block =
                    two.channel(2 * x, 2 * y, shift) + two.channel(2 * x + 1, 2 * y, shift) +
                    two.channel(2 * x, 2 * y + 1, shift) + two.channel(2 * x + 1, 2 * y + 1, shift);
                const double error = (block / 4.0 - one.channel(x, y, shift)) / 255.0;
                squares += error * error;
            }
            const uint32_t small = one.pixels[static_cast<size_t>(y) * one.width + x];
            for (int32_t dy = 0; dy < 2; ++dy)
                for (int32_t dx = 0; dx < 2; ++dx)
                    notDoubled +=
                        two.pixels[static_cast<size_t>(2 * y + dy) * two.width + 2 * x + dx] !=
                        small;
        }
    }
    const double rms = std::sqrt(squares / (3.0 * one.width * one.height));
    EXPECT_LE(rms, 0.06) << "halved, the 2x panel looks like the 1x one";
    EXPECT_GE(static_cast<double>(notDoubled) / two.pixels.size(), 0.30)
        << "the 2x panel is drawn anew, not enlarged from 1x";
}

// At 2 every control sits, and is hit, at twice its place, and the
// straight law spans twice the pixels: 40 pixels up is 0.1 of the range.
TEST_F(PanelScaleTest, ControlsAtTwoAreHitAtTwiceTheirPlaceAndDragOverTwiceTheDistance) {
    ASSERT_EQ(offerScale(2.0f), 1);
    guitest::ScopedHostWindow wide{1094, 404};
    ASSERT_EQ(dispatch(effEditOpen, 0, 0, wide.window), 1);
    dispatch(effSetEditKnobMode, 0, 2);
    dispatch(effEditIdle);
    const platform::Window panel = editor->getFrame()->getWindow();
    auto click = [&](int x, int y) {
        host.calls.clear();
        HandOnThePanel(host, panel).play(panel, {{x, y, true, false}, {x, y, false, false}});
        const std::vector<editortest::HostCall> begun = host.only(audioMasterBeginEdit);
        return begun.empty() ? -1 : begun.front().index;
    };
    const int32_t knobOrder[] = {paramEarlySize, paramLateSize,  paramDiffusion,
                                 paramDamping,   paramEarlyLate, paramDryWet};
    for (int place = 0; place < 6; ++place)
        EXPECT_EQ(click(2 * (73 + 80 * place), 2 * 132), knobOrder[place]) << place;
    EXPECT_EQ(click(2 * 37, 2 * 30), paramOnOff);
    EXPECT_EQ(click(2 * 37, 2 * 60), paramMonoIn);
    EXPECT_EQ(click(473, 132), -1) << "the 1x place of the last knob is empty panel at 2";

    host.calls.clear();
    setParameter(paramDiffusion, 0.5f);
    dispatch(effEditIdle);
    HandOnThePanel(host, panel)
        .play(panel, {{466, 264, true, false},
                      {466, 224, true, false},
                      {466, 184, true, false},
                      {466, 184, false, false}});
    const std::vector<editortest::HostCall> moves = host.only(audioMasterAutomate);
    ASSERT_EQ(moves.size(), 2u);
    EXPECT_EQ(moves[0].index, paramDiffusion);
    EXPECT_NEAR(moves[0].value, 0.6f, 1e-6f);
    EXPECT_NEAR(moves[1].value, 0.7f, 1e-6f);
    EXPECT_EQ(host.count(audioMasterEndEdit), 1u);
    dispatch(effSetEditKnobMode, 0, 0);
    dispatch(effEditClose);
}
