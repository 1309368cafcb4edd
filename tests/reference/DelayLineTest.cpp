#include <gtest/gtest.h>

#include <limits>
#include <memory>
#include <vector>

#include "dsp/DspMath.h"
#include "reference/DelayLine.h"
#include "reference/InterpDelayLine.h"
#include "tests/support/DspTestSupport.h"

namespace dsp {
namespace {

constexpr int longest = DelayMemory::length - 1;

// Inputs 1, 2, 3, …: the output names the input it came from.
template <class Line>
std::vector<float> rampThrough(Line& line, int count) {
    std::vector<float> out;
    for (int n = 1; n <= count; ++n) out.push_back(line.processSample(static_cast<float>(n)));
    return out;
}

TEST(DelayLine, TimeZeroReturnsTheInputItself) {
    auto line = std::make_unique<DelayLine>();
    line->setTime(0.0f);
    EXPECT_EQ(rampThrough(*line, 3), (std::vector<float>{1.0f, 2.0f, 3.0f}));
}

TEST(DelayLine, TruncatesTheSampleCount) {
    auto line = std::make_unique<DelayLine>();
    line->setSampleRate(1000.0f);
    line->setTime(0.0029f);
    EXPECT_EQ(rampThrough(*line, 5), (std::vector<float>{0.0f, 0.0f, 1.0f, 2.0f, 3.0f}));
}

TEST(DelayLine, ImpulseLeavesExactlyOnTheDelayedCall) {
    auto line = std::make_unique<DelayLine>();
    line->setSampleRate(1000.0f);
    line->setTime(0.1f);
    const std::vector<float> out = impulseResponse(*line, 102);
    EXPECT_EQ(firstAbove(out, 0.0f), 100);
    EXPECT_EQ(out[100], 1.0f);
    EXPECT_EQ(out[101], 0.0f);
}

TEST(DelayLine, ClampsToZeroAndToTheCapacity) {
    EXPECT_EQ(wholeSamples(-3.7f), 0);
    EXPECT_EQ(wholeSamples(-0.5f), 0);
    EXPECT_EQ(wholeSamples(-1e30f), 0);
    EXPECT_EQ(wholeSamples(0.99f), 0);
    EXPECT_EQ(wholeSamples(191998.9f), 191998);
    EXPECT_EQ(wholeSamples(191999.0f), longest);
    EXPECT_EQ(wholeSamples(1e30f), longest);
    auto line = std::make_unique<DelayLine>();
    line->setTime(100.0f);
    EXPECT_EQ(firstAbove(impulseResponse(*line, longest + 1), 0.0f), longest);
}

TEST(DelayLine, NonFiniteTimeCountsAsZeroSamples) {
    EXPECT_EQ(wholeSamples(std::numeric_limits<float>::quiet_NaN()), 0);
    EXPECT_EQ(wholeSamples(std::numeric_limits<float>::infinity()), 0);
    auto line = std::make_unique<DelayLine>();
    line->setTime(std::numeric_limits<float>::quiet_NaN());
    EXPECT_EQ(rampThrough(*line, 2), (std::vector<float>{1.0f, 2.0f}));
}

TEST(DelayLine, FollowsARateChangeAtOnce) {
    auto line = std::make_unique<DelayLine>();
    line->setSampleRate(1000.0f);
    line->setTime(0.002f);
    rampThrough(*line, 4);
    line->setSampleRate(2000.0f);
    EXPECT_EQ(line->processSample(5.0f), 1.0f);
}

TEST(DelayLine, BypassNeitherWritesNorAdvances) {
    auto line = std::make_unique<DelayLine>();
    line->setSampleRate(1000.0f);
    line->setTime(0.002f);
    rampThrough(*line, 3);
    line->setBypass(true);
    EXPECT_EQ(line->processSample(99.0f), 99.0f);
    EXPECT_EQ(line->processSample(98.0f), 98.0f);
    line->setBypass(false);
    EXPECT_EQ(line->processSample(4.0f), 2.0f);
    EXPECT_EQ(line->processSample(5.0f), 3.0f);
}

class InterpDelayLineTest : public ::testing::Test {
protected:
    // After this the latest input is input(100). The inputs jump about, so
    // that two different cubics cannot agree by accident (a quadratic, for
    // one, is reproduced by every Catmull-Rom cubic through it).
    void SetUp() override { line->setSampleRate(rate); }
    void feed(float samples) {
        line->setTime(samples / rate);
        q = rate * (samples / rate);
        for (int n = 1; n <= 100; ++n) out = line->processSample(input(n));
    }
    static float input(int n) { return static_cast<float>(n * 7919 % 211); }
    static float ago(int j) { return input(101 - j); }  // as seen by the next call

    static constexpr float rate = 1000.0f;
    std::unique_ptr<InterpDelayLine> line = std::make_unique<InterpDelayLine>();
    float out = 0.0f;
    float q = 0.0f;  // the sample count the line computes from that time
};

TEST_F(InterpDelayLineTest, WholeDelayReturnsThatInputExactly) {
    feed(10.0f);
    EXPECT_EQ(line->processSample(input(101)), ago(10));
    EXPECT_EQ(line->getFraction(), 1.0f);
}

TEST_F(InterpDelayLineTest, HalfSampleDelayIsTheCubicMidpoint) {
    feed(10.5f);
    EXPECT_EQ(line->processSample(input(101)),
              hermite4(q - 10.0f, ago(9), ago(10), ago(11), ago(12)));
}

TEST_F(InterpDelayLineTest, ChoosesTheCubicByQMinusAHalf) {
    feed(10.3f);
    const float y = line->processSample(input(101));
    EXPECT_EQ(line->getFraction(), q - 9.0f);
    EXPECT_EQ(y, hermite4(q - 9.0f, ago(8), ago(9), ago(10), ago(11)));
    EXPECT_NE(y, hermite4(q - 10.0f, ago(9), ago(10), ago(11), ago(12)));
}

TEST_F(InterpDelayLineTest, ShortDelaysUseTheFractionAsIs) {
    feed(0.25f);
    line->processSample(0.0f);
    EXPECT_EQ(line->getFraction(), q);
}

TEST(InterpDelayLine, ClampsToZeroAndToTheCapacity) {
    EXPECT_EQ(clampedSamples(-2.0f), 0.0f);
    EXPECT_EQ(clampedSamples(-1e30f), 0.0f);
    EXPECT_EQ(clampedSamples(191998.5f), 191998.5f);
    EXPECT_EQ(clampedSamples(1e30f), static_cast<float>(longest));
    auto line = std::make_unique<InterpDelayLine>();
    line->setTime(100.0f);
    const std::vector<float> out = impulseResponse(*line, longest + 2);
    EXPECT_EQ(firstAbove(out, 0.0f), longest);
    EXPECT_EQ(out[longest], 1.0f);
}

TEST(InterpDelayLine, NonFiniteTimeCountsAsZeroSamples) {
    EXPECT_EQ(clampedSamples(std::numeric_limits<float>::quiet_NaN()), 0.0f);
    EXPECT_EQ(clampedSamples(-std::numeric_limits<float>::infinity()), 0.0f);
    EXPECT_EQ(clampedSamples(std::numeric_limits<float>::infinity()), 0.0f);
    auto line = std::make_unique<InterpDelayLine>();
    line->setTime(std::numeric_limits<float>::quiet_NaN());
    // Zero samples reads the slot about to be overwritten: still empty here.
    EXPECT_EQ(line->processSample(1.0f), 0.0f);
    EXPECT_EQ(line->getFraction(), 0.0f);
}

TEST_F(InterpDelayLineTest, BypassNeitherWritesNorAdvances) {
    feed(10.0f);
    line->setBypass(true);
    EXPECT_EQ(line->processSample(-7.0f), -7.0f);
    line->setBypass(false);
    EXPECT_EQ(line->processSample(input(101)), ago(10));
}

}  // namespace
}  // namespace dsp
