#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "reference/Allpass.h"
#include "tests/support/DspTestSupport.h"

namespace dsp {
namespace {

// 0 dB on both shelves: the loop filter passes what circulates, plus its
// tiny offsets.
template <class Unit>
void flattenTone(Unit& unit) {
    unit.setHighFrequency(2000.0f);
    unit.setHighGain(0.0f);
    unit.setLowFrequency(100.0f);
    unit.setLowGain(0.0f);
}

template <class Unit>
void setEngineTone(Unit& unit) {
    unit.setHighFrequency(2217.28f);
    unit.setHighGain(-1.2f);
    unit.setLowFrequency(65.41f);
    unit.setLowGain(-0.7f);
}

// −g at once, 1 − g² one loop later, g(1 − g²) after two, nothing between,
// and the energy of an allpass.
template <class Unit>
void expectAllpassImpulse(Unit& unit, int loop, float g) {
    const std::vector<float> out = impulseResponse(unit, 60 * loop);
    EXPECT_NEAR(out[0], -g, 1e-7f);
    EXPECT_NEAR(out[loop], 1.0f - g * g, 1e-6f);
    EXPECT_NEAR(out[2 * loop], g * (1.0f - g * g), 1e-6f);
    for (int n = 1; n < loop; ++n) EXPECT_NEAR(out[n], 0.0f, 1e-8f) << n;
    double energy = 0.0;
    for (float y : out) energy += static_cast<double>(y) * y;
    EXPECT_NEAR(energy, 1.0, 1e-5);
}

TEST(Allpass, ImpulseRecirculatesEveryDelayPlusOneSample) {
    auto unit = std::make_unique<Allpass>();
    unit->setSampleRate(1000.0f);
    flattenTone(*unit);
    unit->setTime(0.0095f);  // 9 whole samples
    unit->setCoefficient(0.6f);
    expectAllpassImpulse(*unit, 10, 0.6f);
}

TEST(InterpAllpass, ImpulseRecirculatesEveryDelayPlusOneSample) {
    auto unit = std::make_unique<InterpAllpass>();
    unit->setSampleRate(1000.0f);
    flattenTone(*unit);
    unit->setTime(0.01f);
    unit->setCoefficient(0.45f);
    expectAllpassImpulse(*unit, 11, 0.45f);
}

TEST(Allpass, FirstOutputIsTheNegatedScaledInput) {
    auto unit = std::make_unique<Allpass>();
    unit->setCoefficient(0.7f);
    EXPECT_EQ(unit->processSample(0.5f), -(0.7f * 0.5f));
}

TEST(Allpass, ZeroCoefficientIsTheToneOfTheDelayOneSampleLater) {
    auto unit = std::make_unique<Allpass>();
    unit->setSampleRate(1000.0f);
    auto line = std::make_unique<DelayLine>();
    line->setSampleRate(1000.0f);
    ToneFilter tone;
    tone.setSampleRate(1000.0f);
    setEngineTone(*unit);
    setEngineTone(tone);
    unit->setTime(0.0075f);
    line->setTime(0.0075f);
    TestNoise noise;
    float expected = 0.0f;
    for (int n = 0; n < 300; ++n) {
        const float x = noise.next();
        ASSERT_EQ(unit->processSample(x), expected) << n;
        expected = tone.processSample(line->processSample(x));
    }
}

TEST(Allpass, CoefficientOneKeepsTheInputOutOfTheLoop) {
    auto unit = std::make_unique<Allpass>();
    unit->setSampleRate(1000.0f);
    flattenTone(*unit);
    unit->setTime(0.0035f);
    unit->setCoefficient(1.0f);
    TestNoise noise;
    for (int n = 0; n < 300; ++n) {
        const float x = noise.next();
        // Rounding in x + (s − x) is all that can enter.
        ASSERT_NEAR(unit->processSample(x), -x, 1e-5f) << n;
    }
}

TEST(Allpass, BypassReturnsTheInput) {
    auto unit = std::make_unique<Allpass>();
    unit->setCoefficient(0.5f);
    unit->setBypass(true);
    EXPECT_EQ(unit->processSample(0.3f), 0.3f);
}

}  // namespace
}  // namespace dsp
