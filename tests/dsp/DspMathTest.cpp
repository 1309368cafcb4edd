#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "dsp/DspMath.h"
#include "dsp/PortableMath.h"
#include "dsp/Processor.h"

namespace dsp {
namespace {

TEST(Processor, BaseOperationsPassTheirInputThrough) {
    Processor unit;
    float frame[2] = {0.25f, -0.5f};
    EXPECT_EQ(unit.processFrame(frame, 2), frame);
    EXPECT_EQ(frame[0], 0.25f);
    EXPECT_EQ(frame[1], -0.5f);
    EXPECT_EQ(unit.processSample(0.75f), 0.75f);
}

TEST(Processor, BypassStartsClearedAndIsStored) {
    Processor unit;
    EXPECT_FALSE(unit.isBypassed());
    unit.setBypass(true);
    EXPECT_TRUE(unit.isBypassed());
}

TEST(PortableMath, PowIsCloseToTheTrueValue) {
    // Reference values computed to 40 digits; the runtimes' own pow misses
    // some of them by several ulps. The product exponent × ln(base) is
    // rounded once, so the error grows with it: at the engine's exponents
    // (below 30) a few double ulps, far from the last bit of a float.
    struct Case {
        double base, exponent, value;
    };
    const Case cases[] = {
        {1.0594600439071655, 69, 5.3806679844483579924e+1},
        {1.0594600439071655, -25.5, 2.2926784321458393882e-1},
        {1.0594600439071655, 140, 3.2496871588504690733e+3},
        {1.2201999425888062, -144, 3.5804364353098296907e-13},
        {1.2201999425888062, 60, 1.5341224076263014016e+5},
        {1.2201999425888062, -0.2086, 9.5933545055061436009e-1},
        {1.2201999425888062, -150, 1.0848007246172136497e-13},
        {1.059249997138977, -5.5, 7.2863227869914044771e-1},
        {1.059249997138977, -150, 1.7792184563969206257e-4},
        {0.5, -150, 1.4272476927059598811e+45},
    };
    for (const Case& k : cases) {
        const double ulps = 2.0 + std::fabs(k.exponent * std::log(k.base));
        EXPECT_NEAR(portablePow(k.base, k.exponent), k.value, ulps * 1.2e-16 * k.value)
            << k.base << "^" << k.exponent;
    }
}

TEST(PortableMath, PowFollowsTheRuntimeAcrossTheRange) {
    for (double base : {1.0594600439071655, 1.2201999425888062, 1.059249997138977, 0.5, 3.0}) {
        for (double x = -150.0; x <= 150.0; x += 0.37) {
            const double expected = std::pow(base, x);
            EXPECT_NEAR(portablePow(base, x), expected, 1e-13 * expected) << base << "^" << x;
        }
    }
}

TEST(PortableMath, ExpAndLogAnswerTheEdgesWithoutFault) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    EXPECT_TRUE(std::isnan(portableExp(nan)));
    EXPECT_EQ(portableExp(-1000.0), 0.0);
    EXPECT_TRUE(std::isinf(portableExp(1000.0)));
    EXPECT_NEAR(portableExp(-740.0), std::exp(-740.0), 1e-3 * std::exp(-740.0));
    EXPECT_TRUE(std::isnan(portableLog(-1.0)));
    EXPECT_EQ(portableLog(0.0), -std::numeric_limits<double>::infinity());
    EXPECT_EQ(portableLog(1.0), 0.0);
    EXPECT_NEAR(portableLog(4.9e-324), std::log(4.9e-324), 1e-12);
}

// The nearest float to the exact power, from a 60-digit evaluation of
// 8.17742 × 1.05946ⁿ, 1 / (8.17742 × 1.05946ⁿ), 1.2202ˣ and 1.05925ᵍ with
// the single-precision bases and factor. Every target must give these bits.
TEST(DspMath, PowersAreTheNearestFloatToTheExactValue) {
    EXPECT_EQ(noteToHz(69.0f), 0x1.b7fff4p+8f);
    EXPECT_EQ(noteToHz(97.0f), 0x1.152900p+11f);
    EXPECT_EQ(noteToHz(36.0f), 0x1.05a67ap+6f);
    EXPECT_EQ(noteToHz(102.0f), 0x1.71f588p+11f);
    EXPECT_EQ(noteToHz(58.0f), 0x1.d22da6p+7f);
    EXPECT_EQ(noteToPeriod(10.5f), 0x1.111f0cp-4f);
    EXPECT_EQ(noteToPeriod(13.5f), 0x1.cb565ep-5f);
    EXPECT_EQ(noteToPeriod(-25.5f), 0x1.1117cep-1f);
    EXPECT_EQ(noteToPeriod(46.5f), 0x1.11264cp-7f);
    EXPECT_EQ(noteToPeriod(72.0f), 0x1.f4fed0p-10f);
    EXPECT_EQ(expCurve(-144.0f), 0x1.931f0ep-42f);
    EXPECT_EQ(expCurve(60.0f), 0x1.2ba21ep+17f);
    EXPECT_EQ(expCurve(30.0f), 0x1.87adc2p+8f);
    EXPECT_EQ(expCurve(-0.5f), 0x1.cf814ap-1f);
    EXPECT_EQ(shelfGainRoot(-1.2f), 0x1.ddd406p-1f);
    EXPECT_EQ(shelfGainRoot(-0.7f), 0x1.ebc7bap-1f);
    EXPECT_EQ(shelfGainRoot(-2.0f), 0x1.c852dep-1f);
    EXPECT_EQ(shelfGainRoot(-5.5f), 0x1.750f4ap-1f);
}

TEST(DspMath, NoteToHzGives440AtNote69) {
    EXPECT_NEAR(noteToHz(69.0f), 440.0f, 1e-3f);
    const float reference = static_cast<float>(8.17742f * std::pow(1.0594600439071655, 69.0));
    EXPECT_NEAR(noteToHz(69.0f), reference, 1e-4f);
    EXPECT_NEAR(noteToHz(97.0f), 2217.28f, 0.01f);
    EXPECT_NEAR(noteToHz(102.0f), 2959.67f, 0.01f);
}

TEST(DspMath, NoteToPeriodHalvesPerOctave) {
    for (float n : {-24.0f, 0.0f, 10.5f, 60.0f}) {
        // The base is 1.05946, not 2^(1/12), so an octave is 2 × (1 − 3.5e-5).
        EXPECT_NEAR(noteToPeriod(n + 12.0f) / noteToPeriod(n), 0.5f, 2e-5f);
        EXPECT_NEAR(noteToPeriod(n) * noteToHz(n), 1.0f, 2e-7f);
    }
    EXPECT_NEAR(noteToPeriod(10.5f), 0.06668f, 1e-5f);
}

TEST(DspMath, ExpCurveSpansTheDecayRange) {
    EXPECT_EQ(expCurve(0.0f), 1.0f);
    EXPECT_NEAR(expCurve(60.0f) * 0.001f, 153.4f, 0.1f);
    EXPECT_NEAR(expCurve(-144.0f), 3.6e-13f, 0.05e-13f);
    EXPECT_NEAR(expCurve(-10.21f), 0.1310f, 1e-4f);
}

TEST(DspMath, ShelfGainRootSquaresToTheDecibelGain) {
    const float a = shelfGainRoot(-6.0f);
    EXPECT_NEAR(a * a, std::pow(10.0f, -6.0f / 20.0f), 1e-4f);
    EXPECT_EQ(shelfGainRoot(0.0f), 1.0f);
}

TEST(DspMath, ClampCutoffBoundsAt44100) {
    EXPECT_NEAR(clampCutoff(1e6f, 44100.0f), 20752.9f, 0.05f);
    EXPECT_NEAR(clampCutoff(0.0f, 44100.0f), 1.7944f, 1e-4f);
    EXPECT_EQ(clampCutoff(-50.0f, 44100.0f), clampCutoff(0.0f, 44100.0f));
    EXPECT_EQ(clampCutoff(1000.0f, 44100.0f), 1000.0f);
}

TEST(DspMath, ClampCutoffTestsTheUpperBoundFirst) {
    // With a negative rate the bounds cross: upper −0.47058824 lies below
    // lower −0.000040690105. A value between them is above the upper bound
    // and below the lower one at once, so only the order of the tests decides.
    EXPECT_EQ(clampCutoff(-0.01f, -1.0f), -0.47058824f);
}

TEST(DspMath, PrewarpIsTheTangentSeriesToTheFifthPower) {
    const float sr = 44100.0f;
    const float f = 0.1f * sr / 3.14159f;
    EXPECT_NEAR(prewarp(f, sr), std::tan(0.1f), 1e-6f);
    // At x = 1 the truncation shows: 1 + 0.3333333 + 0.133333.
    EXPECT_NEAR(prewarp(sr / 3.14159f, sr), 1.4666663f, 1e-6f);
    EXPECT_EQ(prewarp(0.0f, sr), 0.0f);
}

TEST(DspMath, FirstOrderStepRemembersInputAndOutput) {
    float y1 = 2.0f;
    float x1 = 3.0f;
    EXPECT_EQ(firstOrderStep(5.0f, 0.5f, 0.25f, -1.0f, y1, x1), 0.5f * 2.0f + 0.25f * 5.0f - 3.0f);
    EXPECT_EQ(x1, 5.0f);
    EXPECT_EQ(y1, -0.75f);
}

TEST(DspMath, SmoothTowardMovesByLn2OverTheCallCount) {
    float s = 0.0f;
    EXPECT_EQ(smoothToward(1.0f, 0.5f, 1.0f, s), 0.693147f);
    EXPECT_EQ(s, 0.693147f);
    s = 0.0f;
    for (int n = 0; n < 1000; ++n) smoothToward(1.0f, 0.05f, 20000.0f, s);
    EXPECT_NEAR(s, 0.5f, 1e-3f);
}

TEST(DspMath, Hermite4MeetsItsSamplesAndLines) {
    EXPECT_EQ(hermite4(0.0f, 4.0f, 1.0f, -2.0f, 7.0f), 1.0f);
    EXPECT_EQ(hermite4(1.0f, 4.0f, 1.0f, -2.0f, 7.0f), -2.0f);
    for (float frac : {0.25f, 0.5f, 1.3f}) {
        EXPECT_NEAR(hermite4(frac, 1.0f, 2.0f, 3.0f, 4.0f), 2.0f + frac, 1e-6f);
    }
    // Catmull-Rom midpoint of an isolated peak: 9/16.
    EXPECT_EQ(hermite4(0.5f, 0.0f, 1.0f, 0.0f, 0.0f), 0.5625f);
}

TEST(DspMath, BalanceMixCrossfadesWithAPeakOf1_5) {
    EXPECT_EQ(balanceMix(3.0f, 5.0f, 0.0f), 3.0f);
    EXPECT_EQ(balanceMix(3.0f, 5.0f, 1.0f), 5.0f);
    EXPECT_EQ(balanceMix(3.0f, 5.0f, 0.5f), 0.75f * 3.0f + 0.75f * 5.0f);
    EXPECT_EQ(balanceMix(1.0f, 0.0f, 0.25f), 1.0f - 0.25f * 0.25f);
}

TEST(DspMath, ClampedOffsetKeepsWithinZeroAndOne) {
    EXPECT_EQ(clampedOffset(0.2f, -0.2f, 1.0f), 0.0f);
    EXPECT_EQ(clampedOffset(0.5f, 0.5f, 1.0f), 1.0f);
    EXPECT_EQ(clampedOffset(0.9f, 0.3f, 1.0f), 1.0f);
    EXPECT_EQ(clampedOffset(0.1f, -0.2f, 1.0f), 0.0f);
    EXPECT_EQ(clampedOffset(0.5f, 0.1f, 2.0f), 0.7f);
}

TEST(DspMath, AdvancePhaseStepsForwardAtMostHalfACycle) {
    float phase = 0.1f;
    EXPECT_EQ(advancePhase(30000.0f, 44100.0f, phase), 0.1f + 0.5f - 1.0f);
    phase = 0.2f;
    EXPECT_EQ(advancePhase(-5.0f, 44100.0f, phase), 0.2f);
    phase = 0.25f;
    EXPECT_EQ(advancePhase(1.0f, 4.0f, phase), 0.5f);
    EXPECT_EQ(advancePhase(1.0f, 4.0f, phase), -0.25f);
}

TEST(DspMath, WrapPhaseFoldsOnlyAboveHalf) {
    EXPECT_EQ(wrapPhase(0.5f), 0.5f);
    EXPECT_EQ(wrapPhase(0.625f), -0.375f);
    EXPECT_EQ(wrapPhase(-0.4f), -0.4f);
}

TEST(DspMath, ParabolicSinePeaksAtQuarterCycles) {
    EXPECT_EQ(parabolicSine(0.25f), 1.0f);
    EXPECT_EQ(parabolicSine(-0.25f), -1.0f);
    EXPECT_EQ(parabolicSine(0.0f), 0.0f);
    EXPECT_EQ(parabolicSine(0.5f), 0.0f);
    EXPECT_EQ(parabolicSine(0.125f), 0.75f);
}

}  // namespace
}  // namespace dsp
