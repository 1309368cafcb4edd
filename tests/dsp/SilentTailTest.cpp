#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <vector>

#include "tests/support/DspTestSupport.h"
#include "tests/support/EngineDriver.h"

namespace dsp {
namespace {

// Subnormal numbers cost many times a normal operation on most processors,
// so a tail that decays through them makes silence slower than signal. Small
// rooms and a short decay recirculate often enough for the tail to fall
// within two seconds far below where plain decay would reach them; every
// output sample and every value the late branches feed each other is
// checked on the way.
TEST(SilentTail, NeverGivesASubnormalAfterNoise) {
    EngineParameters p;
    p.earlySize = 0.05f;
    p.lateSize = 0.05f;
    p.damping = 0.2f;
    auto engine = std::make_unique<ReverbEngine>();
    TestNoise noise;
    std::vector<float> frames(2 * 44100 / 2);
    for (float& x : frames) x = noise.next();
    processBlocks(*engine, p, frames.data(), 44100 / 2);
    std::vector<float> silence(2 * 44100 * 2, 0.0f);
    int subnormals = 0;
    applyParameters(*engine, p);
    for (int n = 0; n < 44100 * 2; ++n) {
        engine->processFrame(&silence[2 * n], 2);
        for (int c = 0; c < 2; ++c) {
            subnormals += std::fpclassify(silence[2 * n + c]) == FP_SUBNORMAL;
            subnormals += std::fpclassify(engine->lateFeedback(c)) == FP_SUBNORMAL;
        }
    }
    EXPECT_EQ(subnormals, 0);
    // The tail did reach the region where subnormals would otherwise appear.
    float loudestOfLastHalfSecond = 0.0f;
    for (size_t i = silence.size() - 44100; i < silence.size(); ++i)
        loudestOfLastHalfSecond = std::fmax(loudestOfLastHalfSecond, std::fabs(silence[i]));
    EXPECT_LT(loudestOfLastHalfSecond, 1e-6f);
}

}  // namespace
}  // namespace dsp
