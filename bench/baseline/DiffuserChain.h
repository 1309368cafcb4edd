// Frozen copy of the engine and effect as they stood before the engine was
// made faster (commit 6d23377), compiled only into the benchmarks: the
// baseline that the speed is measured against in the same run. Leave as is.
// Three allpass stages in series followed by a tone filter: the diffusing
// core of an early diffuser and of a late branch. The stage coefficients sit
// around the diffusion value, offset by the spread in fixed proportions.
#pragma once

#include "bench/baseline/Allpass.h"
#include "bench/baseline/DspMath.h"

namespace frozen {

template <class Stage>
class DiffuserChain : public Processor {
public:
    void setDiffusion(float d) {
        stage1.setCoefficient(clampedOffset(d, 0.1f, spread));
        stage2.setCoefficient(clampedOffset(d, -0.2f, spread));
        stage3.setCoefficient(clampedOffset(d, 0.3f, spread));
    }
    // Takes effect with the next setDiffusion.
    void setSpread(float value) { spread = value; }

    // Each tone setting goes to the loop filter of every stage and to the
    // output filter alike.
    void setHighFrequency(float hz) {
        forEachTone([hz](auto& unit) { unit.setHighFrequency(hz); });
    }
    void setHighGain(float db) {
        forEachTone([db](auto& unit) { unit.setHighGain(db); });
    }
    void setLowFrequency(float hz) {
        forEachTone([hz](auto& unit) { unit.setLowFrequency(hz); });
    }
    void setLowGain(float db) {
        forEachTone([db](auto& unit) { unit.setLowGain(db); });
    }

    const Stage& stage(int k) const { return k == 0 ? stage1 : k == 1 ? stage2 : stage3; }

protected:
    float diffuse(float x) {
        return tone.processSample(stage3.processSample(stage2.processSample(stage1.processSample(x))));
    }

    Stage stage1;
    Stage stage2;
    Stage stage3;
    ToneFilter tone;

private:
    template <class Apply>
    void forEachTone(Apply apply) {
        apply(stage1);
        apply(stage2);
        apply(stage3);
        apply(tone);
    }

    float spread = 0.0f;
};

}  // namespace frozen
