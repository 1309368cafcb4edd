// The times and loop gain of one late branch: three diffuser stages 9, 6 and
// 3 notes above the size and a main delay at the size, each moved by its
// modulation offset, and the gain that makes the loop fall by 60 units of
// the curve per decay time. Each needs a power, so they are recomputed every
// so many samples rather than per sample; the powers are remembered for the
// size and decay time they were taken for, since the effect sets the same
// size again at every block. Shared by the one-channel branch and the
// engine's stereo late network.
#pragma once

#include "dsp/DspMath.h"

namespace dsp {

// The late network passes its input at this size; its memories and cross
// values then wait until it runs again.
constexpr float lateOffSize = 48.0f;

class LateTiming final {
public:
    static constexpr int count = 4;
    // Samples from one recompute to the next.
    static constexpr int recomputePeriod = 51;

    void setSize(float n) { size = n; }
    void setDecayTime(float seconds) { decayTime = seconds; }
    // Stage 0 to 2 are the diffusers, 3 the main delay.
    void setModOffset(int stage, float seconds) { modOffset[stage] = seconds; }
    float getModOffset(int stage) const { return modOffset[stage]; }

    void recompute();

    // As of the last recompute.
    float time(int stage) const { return times[stage]; }
    float loopGain() const { return gain; }

private:
    float size = 0.0f;
    float decayTime = 0.0f;
    float modOffset[count] = {0.0f, 0.0f, 0.0f, 0.0f};
    float times[count] = {0.0f, 0.0f, 0.0f, 0.0f};
    float gain = 0.0f;

    // Base times of the three stages and the main delay for periodsSize,
    // and the loop gain for gainPeriod and gainDecayTime. The flag says
    // whether they were taken at all: no value of a float can stand for
    // "none yet", since a bad setting may bring any bit pattern, NaN too.
    bool remembered = false;
    float periods[count] = {0.0f, 0.0f, 0.0f, 0.0f};
    float periodsSize = 0.0f;
    float gainPeriod = 0.0f;
    float gainDecayTime = 0.0f;
};

}  // namespace dsp
