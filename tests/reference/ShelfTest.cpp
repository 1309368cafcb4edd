#include <gtest/gtest.h>

#include <cmath>
#include <initializer_list>

#include "dsp/DspMath.h"
#include "reference/Shelf.h"
#include "reference/ToneFilter.h"
#include "tests/support/DspTestSupport.h"

namespace dsp {
namespace {

struct ShelfCase {
    bool high;
    float note;
    float gain;
    ShelfCoefficients expected;
};

class ShelfCoefficientsAt44100 : public ::testing::TestWithParam<ShelfCase> {};

TEST_P(ShelfCoefficientsAt44100, MatchTheTunedValuesToSixDigits) {
    const ShelfCase& k = GetParam();
    const float hz = noteToHz(k.note);
    const ShelfCoefficients c = k.high ? highShelfCoefficients(hz, k.gain, 44100.0f)
                                       : lowShelfCoefficients(hz, k.gain, 44100.0f);
    EXPECT_NEAR(c.c0, k.expected.c0, 1.5e-6f);
    EXPECT_NEAR(c.c1, k.expected.c1, 1.5e-6f);
    EXPECT_NEAR(c.c2, k.expected.c2, 1.5e-6f);
}

INSTANTIATE_TEST_SUITE_P(
    EngineSettings, ShelfCoefficientsAt44100,
    ::testing::Values(ShelfCase{true, 97.0f, -1.2f, {0.741418f, 0.887653f, -0.629071f}},
                      ShelfCase{false, 36.0f, -0.7f, {0.990344f, 0.999626f, -0.990718f}},
                      ShelfCase{true, 102.0f, -2.0f, {0.680451f, 0.827199f, -0.507650f}},
                      ShelfCase{false, 58.0f, -5.5f, {0.955430f, 0.989546f, -0.965884f}}));

// Steady-state gain for a constant input and for an alternating one.
template <class Unit>
float gainAt(Unit& unit, bool nyquist) {
    float y = 0.0f;
    for (int n = 0; n < 20000; ++n) y = unit.processSample(nyquist && (n & 1) ? -1.0f : 1.0f);
    return std::fabs(y);
}

TEST(Shelf, HighShelfScalesNyquistAndPassesDc) {
    HighShelf dc, ny;
    for (HighShelf* s : {&dc, &ny}) {
        s->setFrequency(2000.0f);
        s->setGain(-6.0f);
    }
    const float a = shelfGainRoot(-6.0f);
    EXPECT_NEAR(gainAt(dc, false), 1.0f, 1e-5f);
    EXPECT_NEAR(gainAt(ny, true), a * a, 1e-5f);
}

TEST(Shelf, LowShelfScalesDcAndPassesNyquist) {
    LowShelf dc, ny;
    for (LowShelf* s : {&dc, &ny}) {
        s->setFrequency(200.0f);
        s->setGain(-6.0f);
    }
    const float a = shelfGainRoot(-6.0f);
    EXPECT_NEAR(gainAt(dc, false), a * a, 1e-5f);
    EXPECT_NEAR(gainAt(ny, true), 1.0f, 1e-4f);
}

TEST(Shelf, ZeroDecibelsPassesTheSignalPlusItsOffset) {
    HighShelf high;
    LowShelf low;
    high.setFrequency(1000.0f);
    low.setFrequency(1000.0f);
    TestNoise noise;
    for (int n = 0; n < 1000; ++n) {
        const float x = noise.next();
        EXPECT_NEAR(high.processSample(x), x + 1e-12f, 1e-6f);
        EXPECT_NEAR(low.processSample(x), x + 1e-10f, 1e-6f);
    }
    EXPECT_EQ(high.coefficients().c1, 1.0f);
    EXPECT_FLOAT_EQ(high.coefficients().c2, -high.coefficients().c0);
}

TEST(Shelf, OutputsSilenceUntilASetterRunsWhateverItsRate) {
    HighShelf high;
    LowShelf low;
    high.setSampleRate(96000.0f);
    low.setSampleRate(48000.0f);
    for (float x : {1.0f, -0.5f, 0.25f}) {
        EXPECT_EQ(high.processSample(x), 0.0f);
        EXPECT_EQ(low.processSample(x), 0.0f);
    }
}

TEST(Shelf, SilenceSettlesOnTheOffsetNeverSubnormal) {
    LowShelf low;
    low.setFrequency(65.0f);
    low.setGain(-0.7f);
    const float a = shelfGainRoot(-0.7f);
    float y = low.processSample(1.0f);
    for (int n = 0; n < 200000; ++n) {
        y = low.processSample(0.0f);
        ASSERT_NE(std::fpclassify(y), FP_SUBNORMAL);
    }
    EXPECT_NEAR(y, 1e-10f * a * a, 1e-13f);
}

TEST(Shelf, HighShelfSilenceSettlesOnItsOwnSmallerOffset) {
    // The high shelf passes DC at gain 1, so silence leaves its offset as is.
    HighShelf high;
    high.setFrequency(2217.28f);
    high.setGain(-1.2f);
    float y = high.processSample(1.0f);
    for (int n = 0; n < 20000; ++n) {
        y = high.processSample(0.0f);
        ASSERT_NE(std::fpclassify(y), FP_SUBNORMAL);
    }
    EXPECT_NEAR(y, 1e-12f, 1e-15f);
}

// The same corner and gain at every rate: a new rate designs the shelf
// anew, and the way back gives the very coefficients it started with.
TEST(Shelf, DesignsItsCornerAndGainAgainAtANewRate) {
    LowShelf low;
    low.setFrequency(233.0f);
    low.setGain(-5.5f);
    const ShelfCoefficients before = low.coefficients();
    low.setSampleRate(96000.0f);
    const ShelfCoefficients at96k = lowShelfCoefficients(233.0f, -5.5f, 96000.0f);
    EXPECT_EQ(low.coefficients().c0, at96k.c0);
    EXPECT_EQ(low.coefficients().c1, at96k.c1);
    EXPECT_EQ(low.coefficients().c2, at96k.c2);
    EXPECT_NE(low.coefficients().c0, before.c0);
    low.setSampleRate(44100.0f);
    EXPECT_EQ(low.coefficients().c0, before.c0);
    EXPECT_EQ(low.coefficients().c1, before.c1);
    EXPECT_EQ(low.coefficients().c2, before.c2);
}

TEST(ToneFilter, RunsTheHighShelfThenTheLowShelf) {
    ToneFilter tone;
    HighShelf high;
    LowShelf low;
    tone.setHighFrequency(2500.0f);
    tone.setHighGain(-3.0f);
    tone.setLowFrequency(120.0f);
    tone.setLowGain(-4.0f);
    high.setFrequency(2500.0f);
    high.setGain(-3.0f);
    low.setFrequency(120.0f);
    low.setGain(-4.0f);
    TestNoise noise;
    for (int n = 0; n < 500; ++n) {
        const float x = noise.next();
        ASSERT_EQ(tone.processSample(x), low.processSample(high.processSample(x)));
    }
}

}  // namespace
}  // namespace dsp
