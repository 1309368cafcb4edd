// One channel of the early reflections: a diffuser chain on whole-sample
// allpass loops whose three times stand 8, 4 and 0 notes above its size.
#pragma once

#include "dsp/DiffuserChain.h"

namespace dsp {

class EarlyDiffuser final : public DiffuserChain<Allpass> {
public:
    void setSize(float n) {
        size = n;
        float times[stageCount];
        stageTimes(n, times);
        stage1.setTime(times[0]);
        stage2.setTime(times[1]);
        stage3.setTime(times[2]);
    }
    static void stageTimes(float n, float times[stageCount]) {
        times[0] = noteToPeriod(n + 8.0f);
        times[1] = noteToPeriod(n + 4.0f);
        times[2] = noteToPeriod(n);
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
