// The reverberant tail: two branches cross-coupled into one figure-eight
// loop (what leaves one branch's main delay enters the other branch a frame
// later), with a slow four-phase oscillator that lengthens one branch's
// times while it shortens the other's. The size 48 switches the network
// off; its memories and cross values then wait until it runs again.
#pragma once

#include "dsp/ModulationOscillator.h"
#include "reference/LateBranch.h"
#include "reference/StereoPair.h"

namespace dsp {

class LateNetwork final : public StereoPair<LateBranch> {
public:
    static constexpr float offSize = lateOffSize;

    // Applies at once, unlike the early network's.
    void setSizeOffset(float notes);
    // x is the exponent of expCurve; the decay time is a thousandth of it.
    void setDecay(float x);
    void setModRate(float hz);
    void setModDepth(float ms);
    void setSampleRate(float sr) {
        StereoPair<LateBranch>::setSampleRate(sr);
        oscillator.setSampleRate(sr);
    }

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
    // One step of the oscillator; the offsets go to the branches at once.
    void updateModulation() {
        oscillator.step();
        for (int k = 0; k < ModulationOscillator::count; ++k) {
            const float value = oscillator.value(k);
            leftMod[k] = value;
            rightMod[k] = -value;
        }
        for (int k = 0; k < ModulationOscillator::count; ++k) {
            left.setModOffset(k, leftMod[k]);
            right.setModOffset(k, rightMod[k]);
        }
    }

    ModulationOscillator oscillator;
    float leftMod[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    float rightMod[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    float crossLeft = 0.0f;
    float crossRight = 0.0f;
};

}  // namespace dsp
