// Three allpass stages in series followed by a tone filter: the diffusing
// core of an early diffuser and of a late branch, with the coefficients of
// DiffuserStages.
#pragma once

#include "dsp/DiffuserStages.h"
#include "reference/Allpass.h"

namespace dsp {

template <class Stage>
class DiffuserChain : public Processor {
public:
    static constexpr int stageCount = diffuserStageCount;

    void setDiffusion(float d) {
        stage1.setCoefficient(stageCoefficient(0, d, spread));
        stage2.setCoefficient(stageCoefficient(1, d, spread));
        stage3.setCoefficient(stageCoefficient(2, d, spread));
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
    void setSampleRate(float sr) {
        forEachTone([sr](auto& unit) { unit.setSampleRate(sr); });
    }

    const Stage& stage(int k) const { return k == 0 ? stage1 : k == 1 ? stage2 : stage3; }

protected:
    float diffuse(float x) {
        return tone.processSample(
            stage3.processSample(stage2.processSample(stage1.processSample(x))));
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

}  // namespace dsp
