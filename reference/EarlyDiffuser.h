// One channel of the early reflections: a diffuser chain on whole-sample
// allpass loops at the early stage times.
#pragma once

#include "reference/DiffuserChain.h"

namespace dsp {

class EarlyDiffuser final : public DiffuserChain<Allpass> {
public:
    void setSize(float n) {
        size = n;
        float times[stageCount];
        earlyStageTimes(n, times);
        stage1.setTime(times[0]);
        stage2.setTime(times[1]);
        stage3.setTime(times[2]);
    }
    float getSize() const { return size; }

    float processSample(float x) override {
        if (bypass) return x;
        return diffuse(x);
    }

private:
    float size = 0.0f;
};

}  // namespace dsp
