#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <memory>
#include <vector>

#include "reference/LateNetwork.h"
#include "tests/support/DspTestSupport.h"

namespace dsp {
namespace {

constexpr int period = LateBranch::recomputePeriod;

// The engine's fixed settings, with the tone filters flat when asked so that
// an impulse keeps its shape through the branches.
std::unique_ptr<LateNetwork> makeNetwork(float size, float diffusion, float decay, float depthMs,
                                         bool flatTone = false) {
    auto net = std::make_unique<LateNetwork>();
    net->setSizeOffset(1.5f);
    net->setHighFrequency(97.0f);
    net->setHighGain(flatTone ? 0.0f : -1.2f);
    net->setLowFrequency(36.0f);
    net->setLowGain(flatTone ? 0.0f : -0.7f);
    net->setModRate(0.37f);
    net->setModDepth(depthMs);
    net->setSpread(0.0f);
    net->setSize(size);
    net->setDiffusion(diffusion);
    net->setDecay(decay);
    return net;
}

void runSilence(LateNetwork& net, int frames) {
    for (int n = 0; n < frames; ++n) {
        float frame[2] = {0.0f, 0.0f};
        net.processFrame(frame, 2);
    }
}

float peakIn(const std::vector<float>& v, int from, int to) {
    float peak = 0.0f;
    for (int n = std::max(from, 0); n < to; ++n) peak = std::max(peak, std::fabs(v[n]));
    return peak;
}

TEST(LateBranch, RecomputesOnCalls51And102) {
    auto branch = std::make_unique<LateBranch>();
    branch->setSize(10.5f);
    const float floor = branch->getLoopGain();
    EXPECT_NEAR(floor, 3.6e-13f, 0.05e-13f);
    branch->setDecayTime(0.392f);
    for (int n = 1; n < period; ++n) branch->processSample(0.0f);
    EXPECT_EQ(branch->getLoopGain(), floor);
    branch->processSample(0.0f);
    EXPECT_NEAR(branch->getLoopGain(), 0.1310f, 2e-4f);
    branch->setDecayTime(7.75f);
    for (int n = 1; n < period; ++n) branch->processSample(0.0f);
    EXPECT_NEAR(branch->getLoopGain(), 0.1310f, 2e-4f);
    branch->processSample(0.0f);
    EXPECT_NEAR(branch->getLoopGain(), 0.9024f, 2e-4f);
}

TEST(LateBranch, SetSizeDoesNotRestartThePeriodicCount) {
    auto branch = std::make_unique<LateBranch>();
    branch->setSize(10.5f);
    for (int n = 1; n <= 30; ++n) branch->processSample(0.0f);
    branch->setSize(12.0f);
    const float atSize = branch->getLoopGain();
    branch->setDecayTime(0.392f);
    // Calls 31 to 50 keep the gain; call 51 counts from construction.
    for (int n = 31; n < period; ++n) branch->processSample(0.0f);
    EXPECT_EQ(branch->getLoopGain(), atSize);
    branch->processSample(0.0f);
    EXPECT_EQ(branch->getLoopGain(), expCurve(-noteToPeriod(12.0f) / 0.392f * 60.0f));
}

// Flat shelves everywhere, so that the branch passes its input on.
std::unique_ptr<LateBranch> makeFlatBranch(float decayTime) {
    auto branch = std::make_unique<LateBranch>();
    branch->setHighFrequency(2000.0f);
    branch->setHighGain(0.0f);
    branch->setLowFrequency(100.0f);
    branch->setLowGain(0.0f);
    branch->setDiffusion(0.4f);
    branch->setDecayTime(decayTime);
    branch->setSize(60.0f);
    return branch;
}

TEST(LateBranch, RecomputeRunsBeforeTheSampleOfCall51) {
    // a switches its decay time just before call 51; b had that time from
    // the start. Their signals are the same, so the feedback of call 51
    // agrees only if the new gain already applies to that sample.
    auto a = makeFlatBranch(0.01f);
    auto b = makeFlatBranch(0.02f);
    a->setSampleRate(1000.0f);
    b->setSampleRate(1000.0f);
    TestNoise noise;
    for (int n = 1; n < period; ++n) {
        const float x = noise.next();
        ASSERT_EQ(a->processSample(x), b->processSample(x));
    }
    a->setDecayTime(0.02f);
    const float x = noise.next();
    a->processSample(x);
    b->processSample(x);
    ASSERT_NE(b->getFeedback(), 0.0f);
    EXPECT_EQ(a->getFeedback(), b->getFeedback());
}

TEST(LateBranch, RemembersNoPowersBeforeTheFirstRecompute) {
    // Whatever the first size, the powers are taken from it, also for a
    // size that is not a number (a bad setting): NaN times and gain.
    auto branch = std::make_unique<LateBranch>();
    branch->setDecayTime(1.0f);
    branch->setSize(std::numeric_limits<float>::quiet_NaN());
    EXPECT_TRUE(std::isnan(branch->mainLine().getTime()));
    EXPECT_TRUE(std::isnan(branch->getLoopGain()));
}

TEST(LateBranch, NewSizeRecomputesAtOnceWithTheStoredDecayTime) {
    auto branch = std::make_unique<LateBranch>();
    branch->setDecayTime(0.001f * expCurve(60.0f));
    EXPECT_EQ(branch->getLoopGain(), 0.0f);
    branch->setSize(-25.5f);
    EXPECT_NEAR(branch->getLoopGain(), 0.9593f, 2e-4f);
    EXPECT_NEAR(branch->mainLine().getTime(), 0.53338f, 1e-4f);
}

TEST(LateBranch, ModulationOffsetsWaitForTheRecompute) {
    auto branch = std::make_unique<LateBranch>();
    branch->setSize(10.5f);
    branch->setModOffset(3, 0.001f);
    EXPECT_EQ(branch->mainLine().getTime(), noteToPeriod(10.5f));
    for (int n = 0; n < period; ++n) branch->processSample(0.0f);
    EXPECT_EQ(branch->mainLine().getTime(), noteToPeriod(10.5f) + 0.001f);
}

TEST(LateNetwork, DecayReachesTheLoopGainOnlyAtTheNextRecompute) {
    auto net = makeNetwork(12.0f, 0.5f, 30.0f, 0.39f);
    EXPECT_LT(net->leftSide().getLoopGain(), 1e-12f);
    runSilence(*net, period - 1);
    EXPECT_LT(net->leftSide().getLoopGain(), 1e-12f);
    runSilence(*net, 1);
    EXPECT_NEAR(net->leftSide().getLoopGain(), 0.1310f, 2e-4f);
}

TEST(LateNetwork, SizeOffsetAppliesAtOnce) {
    auto net = makeNetwork(12.0f, 0.5f, 30.0f, 0.0f);
    net->setSizeOffset(2.0f);
    EXPECT_EQ(net->leftSide().mainLine().getTime(), noteToPeriod(10.0f) + net->leftModulation(3));
    EXPECT_EQ(net->rightSide().mainLine().getTime(), noteToPeriod(14.0f) + net->rightModulation(3));
}

TEST(LateNetwork, Size48PassesTheFrameAndHoldsTheOscillator) {
    auto net = makeNetwork(48.0f, 0.5f, 30.0f, 0.39f);
    const float before = net->leftModulation(0);
    float frame[2] = {0.5f, -0.25f};
    for (int n = 0; n < 100; ++n) {
        ASSERT_EQ(net->processFrame(frame, 2), frame);
        ASSERT_EQ(frame[0], 0.5f);
        ASSERT_EQ(frame[1], -0.25f);
    }
    EXPECT_EQ(net->leftModulation(0), before);
}

TEST(LateNetwork, ModulationReadsOneWaveAtEighthCycleSteps) {
    auto net = makeNetwork(12.0f, 0.5f, 30.0f, 0.39f);
    // setModRate and setModDepth each took one step; the depth glided once
    // toward its target (it was still 0 at the first step).
    const float inc = 0.37f / 44100.0f;
    const float phase = inc + inc;
    const float depth = (0.39f * 0.001f + 1e-13f) * 0.693147f / (0.05f * 44100.0f);
    const float offsets[4] = {0.125f, 0.25f, 0.375f, 0.5f};
    for (int k = 0; k < 4; ++k) {
        EXPECT_EQ(net->leftModulation(k), parabolicSine(wrapPhase(phase + offsets[k])) * depth)
            << k;
        EXPECT_EQ(net->leftSide().getModOffset(k), net->leftModulation(k));
    }
}

TEST(LateNetwork, RightModulationIsTheExactNegativeOfTheLeft) {
    auto net = makeNetwork(12.0f, 0.5f, 30.0f, 0.39f);
    for (int n = 0; n < 20000; ++n) {
        runSilence(*net, 1);
        for (int k = 0; k < 4; ++k) {
            ASSERT_EQ(net->rightModulation(k), -net->leftModulation(k));
            ASSERT_EQ(net->rightSide().getModOffset(k), net->rightModulation(k));
        }
    }
    EXPECT_GT(net->leftModulation(1), 0.0f);  // a quarter cycle ahead: rising
}

class CrossCoupling : public ::testing::Test {
protected:
    void render(float decay) {
        auto net = makeNetwork(12.0f, 0.0f, decay, 0.0f, true);
        runSilence(*net, period);  // let the decay reach the loop gain
        left.clear();
        right.clear();
        for (int n = 0; n < 26000; ++n) {
            float frame[2] = {n == 0 ? 1.0f : 0.0f, 0.0f};
            net->processFrame(frame, 2);
            left.push_back(frame[0]);
            right.push_back(frame[1]);
        }
    }
    // Each diffuser recirculates one sample after its line.
    static int chain(float size) {
        return samples(size + 9.0f) + samples(size + 6.0f) + samples(size + 3.0f) + 3;
    }
    static int samples(float note) {
        return static_cast<int>(std::lround(initialSampleRate * noteToPeriod(note)));
    }

    // Below this an impulse has not arrived, above it has, whatever the
    // fractions of the seven cubics on the way (each spans four samples).
    static constexpr int window = 16;

    std::vector<float> left, right;
    // Left branch at 12 − 1.5, right at 12 + 1.5; one frame for each crossing.
    const int direct = chain(10.5f);
    const int toRight = direct + samples(10.5f) + 1 + chain(13.5f);
    const int backLeft = toRight + samples(13.5f) + 1 + chain(10.5f);
};

TEST_F(CrossCoupling, LeftImpulseReachesTheRightAfterTheLeftMainDelay) {
    render(60.0f);
    EXPECT_LT(peakIn(left, 0, direct - window), 1e-6f);
    EXPECT_GT(peakIn(left, direct - window, direct + window), 0.05f);
    EXPECT_LT(peakIn(right, 0, toRight - window), 1e-6f);
    EXPECT_GT(peakIn(right, toRight - window, toRight + window), 0.05f);
    EXPECT_LT(peakIn(left, direct + window, backLeft - window), 1e-6f);
    EXPECT_GT(peakIn(left, backLeft - window, backLeft + window), 0.05f);
}

TEST_F(CrossCoupling, DampingZeroLeavesOnlyOnePassThroughEachBranch) {
    render(0.0f);
    EXPECT_GT(peakIn(left, direct - window, direct + window), 0.05f);
    EXPECT_LT(peakIn(left, direct + window, 26000), 1e-6f);
    EXPECT_LT(peakIn(right, 0, 26000), 1e-6f);
}

}  // namespace
}  // namespace dsp
