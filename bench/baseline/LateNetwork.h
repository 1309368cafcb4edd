// Frozen copy of the engine and effect as they stood before the engine was
// made faster (commit 6d23377), compiled only into the benchmarks: the
// baseline that the speed is measured against in the same run. Leave as is.
// The reverberant tail: two branches cross-coupled into one figure-eight
// loop (what leaves one branch's main delay enters the other branch a frame
// later), with a slow four-phase oscillator that lengthens one branch's
// times while it shortens the other's. The size 48 switches the network
// off; its memories and cross values then wait until it runs again.
#pragma once

#include "bench/baseline/LateBranch.h"
#include "bench/baseline/StereoPair.h"

namespace frozen {

class LateNetwork final : public StereoPair<LateBranch> {
public:
    static constexpr float offSize = 48.0f;

    // Applies at once, unlike the early network's.
    void setSizeOffset(float notes);
    // x is the exponent of expCurve; the decay time is a thousandth of it.
    void setDecay(float x);
    void setModRate(float hz);
    void setModDepth(float ms);

    // Modulation of the left branch's stage k; the right branch gets its
    // negative.
    float leftModulation(int k) const { return leftMod[k]; }
    float rightModulation(int k) const { return rightMod[k]; }

    float* processFrame(float* frame, int channels) override {
        (void)channels;
        if (bypass || size == offSize) return frame;
        updateModulation();
        frame[0] = left.processSample(frame[0] + crossRight);
        frame[1] = right.processSample(frame[1] + crossLeft);
        crossLeft = left.getFeedback();
        crossRight = right.getFeedback();
        return frame;
    }

private:
    // One step of the oscillator: the four stages read one wave an eighth of
    // a cycle apart, the main delay half a cycle ahead.
    void updateModulation() {
        static constexpr float phaseOffset[4] = {0.125f, 0.25f, 0.375f, 0.5f};
        // Copies, so that the compiler sees the four phase steps share one
        // increment and divides once.
        const float rate = modRate;
        const float sr = sampleRate;
        smoothToward(modDepthTarget, 0.05f, sr, depth);
        for (int k = 0; k < 4; ++k) {
            const float p = advancePhase(rate, sr, phase[k]);
            const float value = parabolicSine(wrapPhase(p + phaseOffset[k])) * depth;
            leftMod[k] = value;
            rightMod[k] = -value;
        }
        for (int k = 0; k < 4; ++k) {
            left.setModOffset(k, leftMod[k]);
            right.setModOffset(k, rightMod[k]);
        }
    }

    float modRate = 0.0f;
    float modDepthTarget = 0.0f;
    float leftMod[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    float rightMod[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    float depth = 0.0f;
    float phase[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    float crossLeft = 0.0f;
    float crossRight = 0.0f;
};

}  // namespace frozen
