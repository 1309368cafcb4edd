// The late network's slow oscillator: a depth that glides toward its target
// and four phases that read one parabolic wave an eighth of a cycle apart,
// the main delay's half a cycle ahead. It steps once per frame; its values
// are needed only where delay times are recomputed, so they are computed
// from the phases and depth on demand, with the same operations as if they
// had been computed at every step.
#pragma once

#include "dsp/DspMath.h"
#include "dsp/Lanes.h"

namespace dsp {

class ModulationOscillator final {
public:
    static constexpr int count = 4;

    void setRate(float hz) { rate = hz; }
    void setDepth(float ms) {
        // The tiny constant keeps the smoothed depth away from subnormal numbers.
        depthTarget = ms * 0.001f + 1e-13f;
    }
    float getRate() const { return rate; }
    // The rate of the steps: the glide and the cycle are set in seconds.
    void setSampleRate(float sr) { stepRate = sr; }

    void step() {
        smoothToward(depthTarget, 0.05f, stepRate, depth);
        // The four phases share one increment and go side by side: what
        // stepPhase does to each, with x − 0 (which is x) where it leaves x.
        const Lanes p = Lanes::loadFour(phase) + phaseIncrement(rate, stepRate);
        (p - Lanes::whereAbove(p, 0.5f, 1.0f)).storeFour(phase);
    }

    // Offset in seconds of stage k (3 is the main delay) after the last step.
    float value(int k) const {
        static constexpr float phaseOffset[count] = {0.125f, 0.25f, 0.375f, 0.5f};
        return parabolicSine(wrapPhase(phase[k] + phaseOffset[k])) * depth;
    }

private:
    float rate = 0.0f;
    float stepRate = initialSampleRate;
    float depthTarget = 0.0f;
    float depth = 0.0f;
    alignas(16) float phase[count] = {0.0f, 0.0f, 0.0f, 0.0f};
};

}  // namespace dsp
