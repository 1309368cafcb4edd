// The size the panel is drawn at: forced by the user, offered by the host
// through the content-scale request, and falling on 1, 1.5 or 2.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <limits>
#include <string>

#include "tests/editor/PanelTestSupport.h"
#ifndef _WIN32
#include "tests/support/ScopedResourceDatabase.h"
#endif
#include "vst2/ContentScale.h"
#include "vst2/PanelSnapshot.h"

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

    ScopedScaleVariable unforced{nullptr};
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
#endif
