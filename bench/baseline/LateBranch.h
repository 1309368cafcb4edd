// Frozen copy of the engine and effect as they stood before the engine was
// made faster (commit 6d23377), compiled only into the benchmarks: the
// baseline that the speed is measured against in the same run. Leave as is.
// One channel of the late tail: a diffuser chain on interpolated allpass
// loops, then a main delay whose output, scaled by the loop gain, is handed
// to the other channel. Delay times and loop gain are recomputed every 51
// samples rather than per sample, because each needs a power; the
// modulation offsets and a new decay time therefore act in steps. The
// powers are remembered for the size and decay time they were taken for,
// since the effect sets the same size again at every block.
#pragma once

#include "bench/baseline/DiffuserChain.h"

namespace frozen {

class LateBranch final : public DiffuserChain<InterpAllpass> {
public:
    static constexpr int recomputePeriod = 51;

    void setSize(float n) {
        size = n;
        recompute();
    }
    // Used from the next recompute on.
    void setDecayTime(float seconds) { decayTime = seconds; }
    // stage 0 to 2 are the diffusers, 3 the main delay; used from the next
    // recompute on.
    void setModOffset(int stage, float seconds) { modOffset[stage] = seconds; }

    float getFeedback() const { return feedback; }
    float getLoopGain() const { return loopGain; }
    float getModOffset(int stage) const { return modOffset[stage]; }
    const InterpDelayLine& mainLine() const { return mainDelay; }

    float processSample(float x) override {
        if (bypass) return x;
        if (updateCounter >= recomputePeriod - 1) {
            recompute();
            updateCounter = 0;
        } else {
            ++updateCounter;
        }
        const float v = diffuse(x);
        feedback = mainDelay.processSample(v) * loopGain;
        // The branch is heard after its tone filter, before its main delay.
        return v;
    }

private:
    void recompute();

    InterpDelayLine mainDelay;
    float feedback = 0.0f;
    float size = 0.0f;
    float loopGain = 0.0f;
    float decayTime = 0.0f;
    float modOffset[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    int updateCounter = 0;

    // Base times of the three stages and the main delay for periodsSize,
    // and the loop gain for gainPeriod and gainDecayTime. The flag says
    // whether they were taken at all: no value of a float can stand for
    // "none yet", since a bad setting may bring any bit pattern, NaN too.
    bool remembered = false;
    float periods[4] = {0.0f, 0.0f, 0.0f, 0.0f};
    float periodsSize = 0.0f;
    float gainPeriod = 0.0f;
    float gainDecayTime = 0.0f;
};

}  // namespace frozen
