// The engine against the one-channel units that define the sound: the same
// input through both must give the same bits.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "reference/EarlyNetwork.h"
#include "reference/LateNetwork.h"
#include "reference/PreDelay.h"
#include "reference/ToneFilter.h"
#include "tests/support/DspTestSupport.h"
#include "tests/support/EngineDriver.h"

namespace dsp {
namespace {

void setOutputTone(ToneFilter& tone) {
    tone.setHighFrequency(noteToHz(102.0f));
    tone.setHighGain(-2.0f);
    tone.setLowFrequency(noteToHz(58.0f));
    tone.setLowGain(-5.5f);
}

std::unique_ptr<PreDelay> makePreDelay() {
    auto pre = std::make_unique<PreDelay>();
    pre->setTime(0.006f);
    pre->setWidth(-0.32f);
    return pre;
}

// The engine's path rebuilt from its parts, with the voicing the engine
// gives itself, to check what the engine does between and after them.
struct ReferencePath {
    ReferencePath() {
        early->setSizeOffset(-2.0f);
        late->setSizeOffset(1.5f);
        early->setHighFrequency(97.0f);
        late->setHighFrequency(97.0f);
        early->setHighGain(-1.2f);
        late->setHighGain(-1.2f);
        early->setLowFrequency(36.0f);
        late->setLowFrequency(36.0f);
        early->setLowGain(-0.7f);
        late->setLowGain(-0.7f);
        late->setModRate(0.37f);
        late->setModDepth(0.39f);
        late->setSpread(0.0f);
        early->setSpread(0.0f);
        setOutputTone(leftTone);
        setOutputTone(rightTone);
    }
    void apply(const EngineParameters& p) {
        early->setSize(60.0f - 72.0f * p.earlySize);
        late->setSize(48.0f - 72.0f * p.lateSize);
        early->setDiffusion(p.diffusion);
        late->setDiffusion(p.diffusion);
        late->setDecay(60.0f * p.damping);
    }
    void process(float* frame, float balance) {
        pre->processFrame(frame, 2);
        early->processFrame(frame, 2);
        const float e[2] = {frame[0], frame[1]};
        late->processFrame(frame, 2);
        frame[0] = leftTone.processSample(balanceMix(e[0], frame[0], balance));
        frame[1] = rightTone.processSample(balanceMix(e[1], frame[1], balance));
    }

    void setSampleRate(float sr) {
        pre->setSampleRate(sr);
        early->setSampleRate(sr);
        late->setSampleRate(sr);
        leftTone.setSampleRate(sr);
        rightTone.setSampleRate(sr);
    }

    std::unique_ptr<PreDelay> pre = makePreDelay();
    std::unique_ptr<EarlyNetwork> early = std::make_unique<EarlyNetwork>();
    std::unique_ptr<LateNetwork> late = std::make_unique<LateNetwork>();
    ToneFilter leftTone, rightTone;
};

class BalanceCase : public ::testing::TestWithParam<float> {};

TEST_P(BalanceCase, MixesEarlyAndLateBeforeTheOutputTone) {
    EngineParameters p;
    p.balance = GetParam();
    p.damping = 0.7f;
    auto engine = std::make_unique<ReverbEngine>();
    auto reference = std::make_unique<ReferencePath>();
    TestNoise noise;
    std::vector<float> frames = noiseFrames(6000, noise);
    std::vector<float> expected = frames;
    processBlocks(*engine, p, frames.data(), 6000);
    for (int n = 0; n < 6000; ++n) {
        if (n % 512 == 0) reference->apply(p);
        reference->process(&expected[2 * n], p.balance);
    }
    EXPECT_EQ(frames, expected);
}

INSTANTIATE_TEST_SUITE_P(EarlyOnlyMiddleLateOnly, BalanceCase,
                         ::testing::Values(0.0f, 0.5f, 1.0f, 0.3f));

// The engine skips work the one-channel units repeat: converting delay
// times that did not change, stepping a pre-delay glide that has come to
// rest. Long enough for the glide to rest, then 96 kHz and back with the
// sound running: every line, filter, glide and the oscillator must follow
// each new rate at once, and keep what they hold.
TEST(ReverbEngine, MatchesItsPartsAfterThePreDelaySettlesAndTheRateChanges) {
    EngineParameters p;
    p.damping = 0.7f;
    auto engine = std::make_unique<ReverbEngine>();
    auto reference = std::make_unique<ReferencePath>();
    TestNoise noise;
    const int settle = 80000;
    const int after = 4000;
    std::vector<float> frames = noiseFrames(settle + 2 * after, noise);
    std::vector<float> expected = frames;
    for (int n = 0; n < settle + 2 * after; ++n) {
        if (n == settle || n == settle + after) {
            const float sr = n == settle ? 96000.0f : 44100.0f;
            engine->setSampleRate(sr);
            reference->setSampleRate(sr);
        }
        if (n % 512 == 0) {
            applyParameters(*engine, p);
            reference->apply(p);
        }
        engine->processFrame(&frames[2 * n], 2);
        reference->process(&expected[2 * n], p.balance);
    }
    EXPECT_EQ(frames, expected);
}

// What the engine should give when both networks pass their input: the
// pre-delayed input, scaled by the sum of the balance gains, through the
// output tone.
void expectPreDelayedThroughTone(float lateSize, float balance, float scale) {
    EngineParameters p;
    p.earlySize = 0.0f;
    p.lateSize = lateSize;
    p.balance = balance;
    auto engine = std::make_unique<ReverbEngine>();
    auto pre = makePreDelay();
    ToneFilter tones[2];
    setOutputTone(tones[0]);
    setOutputTone(tones[1]);
    TestNoise noise;
    std::vector<float> frames = noiseFrames(3000, noise);
    std::vector<float> expected = frames;
    processBlocks(*engine, p, frames.data(), 3000);
    for (int n = 0; n < 3000; ++n) {
        float* f = &expected[2 * n];
        pre->processFrame(f, 2);
        for (int k = 0; k < 2; ++k) f[k] = tones[k].processSample(scale * f[k]);
    }
    EXPECT_EQ(frames, expected);
}

TEST(ReverbEngine, EarlyOffAndBalanceZeroIsThePreDelayThroughTheTone) {
    expectPreDelayedThroughTone(0.5f, 0.0f, 1.0f);
}

TEST(ReverbEngine, BothNetworksOffAtBalanceHalfGiveOneAndAHalfTimes) {
    expectPreDelayedThroughTone(0.0f, 0.5f, 1.5f);
}

TEST(PreDelay, GlidesUpFromZeroHalvingTheDistanceEvery50ms) {
    auto pre = makePreDelay();
    float frame[2] = {0.0f, 0.0f};
    pre->processFrame(frame, 2);
    const float step = 0.693147f / (44100.0f * 0.05f);
    EXPECT_EQ(pre->getSmoothedLeft(), 0.006f * (1.0f + 0.32f) * step + 1e-13f);
    EXPECT_EQ(pre->leftLine().getTime(), 0.006f * (1.0f + 0.32f) * step);
    for (int n = 1; n < 22050; ++n) pre->processFrame(frame, 2);
    // After 0.5 s, ten halvings: about a thousandth of the distance remains.
    EXPECT_NEAR(pre->getSmoothedLeft(), 0.00792f * (1.0f - 0.000975f), 1e-7f);
    EXPECT_NEAR(pre->getSmoothedRight(), 0.00408f * (1.0f - 0.000975f), 1e-7f);
    EXPECT_LT(pre->leftLine().getTime(), 0.00792f);
}

TEST(PreDelay, SettlesOn349And179Samples) {
    auto pre = makePreDelay();
    std::vector<float> left, right;
    for (int n = 0; n < 44100 + 400; ++n) {
        float frame[2] = {n == 44100 ? 1.0f : 0.0f, n == 44100 ? 1.0f : 0.0f};
        pre->processFrame(frame, 2);
        left.push_back(frame[0]);
        right.push_back(frame[1]);
    }
    EXPECT_EQ(firstAbove(left, 0.0f), 44100 + 349);
    EXPECT_EQ(firstAbove(right, 0.0f), 44100 + 179);
}

TEST(PreDelay, ZeroBaseTimePassesTheFrame) {
    PreDelay pre;
    float frame[2] = {0.5f, 0.25f};
    pre.processFrame(frame, 2);
    EXPECT_EQ(frame[0], 0.5f);
    EXPECT_EQ(pre.getSmoothedLeft(), 0.0f);
}

}  // namespace
}  // namespace dsp
