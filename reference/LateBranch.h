// One channel of the late tail: a diffuser chain on interpolated allpass
// loops, then a main delay whose output, scaled by the loop gain, is handed
// to the other channel. Delay times and loop gain are recomputed every 51
// samples (see LateTiming); the modulation offsets and a new decay time
// therefore act in steps.
#pragma once

#include "dsp/LateTiming.h"
#include "reference/DiffuserChain.h"

namespace dsp {

class LateBranch final : public DiffuserChain<InterpAllpass> {
public:
    static constexpr int recomputePeriod = LateTiming::recomputePeriod;

    void setSize(float n) {
        timing.setSize(n);
        recompute();
    }
    // Used from the next recompute on.
    void setDecayTime(float seconds) { timing.setDecayTime(seconds); }
    // stage 0 to 2 are the diffusers, 3 the main delay; used from the next
    // recompute on.
    void setModOffset(int stage, float seconds) { timing.setModOffset(stage, seconds); }
    void setSampleRate(float sr) {
        DiffuserChain<InterpAllpass>::setSampleRate(sr);
        mainDelay.setSampleRate(sr);
    }

    float getFeedback() const { return feedback; }
    float getLoopGain() const { return timing.loopGain(); }
    float getModOffset(int stage) const { return timing.getModOffset(stage); }
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
        feedback = mainDelay.processSample(v) * timing.loopGain();
        // The branch is heard after its tone filter, before its main delay.
        return v;
    }

private:
    void recompute();

    InterpDelayLine mainDelay;
    LateTiming timing;
    float feedback = 0.0f;
    int updateCounter = 0;
};

}  // namespace dsp
