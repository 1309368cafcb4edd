// Frozen copy of the engine and effect as they stood before the engine was
// made faster (commit 6d23377), compiled only into the benchmarks: the
// baseline that the speed is measured against in the same run. Leave as is.
// One channel of the early reflections: a diffuser chain on whole-sample
// allpass loops whose three times stand 8, 4 and 0 notes above its size.
#pragma once

#include "bench/baseline/DiffuserChain.h"

namespace frozen {

class EarlyDiffuser final : public DiffuserChain<Allpass> {
public:
    void setSize(float n) {
        size = n;
        stage1.setTime(noteToPeriod(n + 8.0f));
        stage2.setTime(noteToPeriod(n + 4.0f));
        stage3.setTime(noteToPeriod(n));
    }
    float getSize() const { return size; }

    float processSample(float x) override {
        if (bypass) return x;
        return diffuse(x);
    }

private:
    float size = 0.0f;
};

}  // namespace frozen
