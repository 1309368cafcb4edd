#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "reference/EarlyNetwork.h"
#include "tests/support/DspTestSupport.h"

namespace dsp {
namespace {

std::unique_ptr<EarlyNetwork> makeNetwork(float size, float diffusion) {
    auto net = std::make_unique<EarlyNetwork>();
    net->setSizeOffset(-2.0f);
    net->setHighFrequency(97.0f);
    net->setHighGain(-1.2f);
    net->setLowFrequency(36.0f);
    net->setLowGain(-0.7f);
    net->setSpread(0.0f);
    net->setSize(size);
    net->setDiffusion(diffusion);
    return net;
}

struct StereoOut {
    std::vector<float> left, right;
};

StereoOut run(EarlyNetwork& net, int frames, float inLeft, float inRight,
              TestNoise* noise = nullptr) {
    StereoOut out;
    for (int n = 0; n < frames; ++n) {
        float frame[2] = {n == 0 ? inLeft : 0.0f, n == 0 ? inRight : 0.0f};
        if (noise) frame[0] = frame[1] = noise->next();
        net.processFrame(frame, 2);
        out.left.push_back(frame[0]);
        out.right.push_back(frame[1]);
    }
    return out;
}

int samplesIn(float seconds) { return static_cast<int>(initialSampleRate * seconds); }

// Each stage delays by its line plus the one-sample state register.
int diffuserDelay(float size) {
    return samplesIn(noteToPeriod(size + 8.0f)) + samplesIn(noteToPeriod(size + 4.0f)) +
           samplesIn(noteToPeriod(size)) + 3;
}

TEST(EarlyNetwork, Size60PassesTheFrameAndKeepsTheMemories) {
    auto a = makeNetwork(24.0f, 0.5f);
    auto b = makeNetwork(24.0f, 0.5f);
    TestNoise noiseA, noiseB;
    run(*a, 500, 0, 0, &noiseA);
    run(*b, 500, 0, 0, &noiseB);
    a->setSize(60.0f);
    float frame[2] = {0.3f, -0.4f};
    for (int n = 0; n < 100; ++n) {
        ASSERT_EQ(a->processFrame(frame, 2), frame);
        ASSERT_EQ(frame[0], 0.3f);
        ASSERT_EQ(frame[1], -0.4f);
    }
    a->setSize(24.0f);
    const StereoOut ra = run(*a, 2000, 0, 0, &noiseA);
    const StereoOut rb = run(*b, 2000, 0, 0, &noiseB);
    EXPECT_EQ(ra.left, rb.left);
    EXPECT_EQ(ra.right, rb.right);
}

TEST(EarlyNetwork, DiffusionZeroDelaysByTheStagesPlusThreeSamples) {
    auto net = makeNetwork(24.0f, 0.0f);
    const StereoOut out = run(*net, 4000, 1.0f, 1.0f);
    // Offsets −2 move the left diffuser up two notes and the right one down.
    EXPECT_EQ(firstAbove(out.left, 1e-3f), diffuserDelay(26.0f));
    EXPECT_EQ(firstAbove(out.right, 1e-3f), diffuserDelay(22.0f));
    EXPECT_EQ(diffuserDelay(26.0f), 756 + 953 + 1201 + 3);
}

TEST(EarlyNetwork, DiffusionOneNegatesTheInputThroughTheOutputTone) {
    auto net = makeNetwork(24.0f, 1.0f);
    ToneFilter tone;
    tone.setHighFrequency(noteToHz(97.0f));
    tone.setHighGain(-1.2f);
    tone.setLowFrequency(noteToHz(36.0f));
    tone.setLowGain(-0.7f);
    TestNoise noise;
    const StereoOut out = run(*net, 3000, 0, 0, &noise);
    TestNoise same;
    for (int n = 0; n < 3000; ++n) {
        const float expected = tone.processSample(-same.next());
        ASSERT_NEAR(out.left[n], expected, 1e-5f) << n;
        ASSERT_NEAR(out.right[n], expected, 1e-5f) << n;
    }
}

TEST(EarlyNetwork, SizeOffsetWaitsForTheNextSize) {
    auto net = makeNetwork(24.0f, 0.0f);
    const float before = net->leftSide().stage(2).line().getTime();
    net->setSizeOffset(0.0f);
    EXPECT_EQ(net->leftSide().stage(2).line().getTime(), before);
    net->setSize(24.0f);
    EXPECT_EQ(net->leftSide().stage(2).line().getTime(), noteToPeriod(24.0f));
    EXPECT_EQ(net->rightSide().stage(2).line().getTime(), noteToPeriod(24.0f));
}

TEST(EarlyNetwork, SizeJustBelow60RunsWithTheShortestStages) {
    auto net = makeNetwork(std::nextafter(60.0f, 0.0f), 0.5f);
    EXPECT_NEAR(net->leftSide().stage(0).line().getTime(), 2.15e-3f, 0.01e-3f);
    EXPECT_NEAR(net->leftSide().stage(2).line().getTime(), 3.41e-3f, 0.01e-3f);
    EXPECT_NEAR(net->rightSide().stage(2).line().getTime(), 4.29e-3f, 0.01e-3f);
    float frame[2] = {1.0f, 1.0f};
    net->processFrame(frame, 2);
    EXPECT_NE(frame[0], 1.0f);
}

TEST(EarlyNetwork, StagesTakeTheDiffusionAsTheirCoefficient) {
    auto net = makeNetwork(24.0f, 0.35f);
    for (int k = 0; k < 3; ++k) {
        EXPECT_EQ(net->leftSide().stage(k).getCoefficient(), 0.35f);
        EXPECT_EQ(net->rightSide().stage(k).getCoefficient(), 0.35f);
    }
}

TEST(EarlyDiffuser, SpreadOffsetsTheThreeCoefficients) {
    auto diffuser = std::make_unique<EarlyDiffuser>();
    diffuser->setSpread(0.5f);
    diffuser->setDiffusion(0.5f);
    EXPECT_EQ(diffuser->stage(0).getCoefficient(), 0.5f + 0.1f * 0.5f);
    EXPECT_EQ(diffuser->stage(1).getCoefficient(), 0.5f - 0.2f * 0.5f);
    EXPECT_EQ(diffuser->stage(2).getCoefficient(), 0.5f + 0.3f * 0.5f);
}

}  // namespace
}  // namespace dsp
