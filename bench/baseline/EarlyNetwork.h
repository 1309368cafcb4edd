// Frozen copy of the engine and effect as they stood before the engine was
// made faster (commit 6d23377), compiled only into the benchmarks: the
// baseline that the speed is measured against in the same run. Leave as is.
// The early reflections: one diffuser per channel, without coupling, their
// sizes set a few notes apart so that the channels diffuse differently.
// The size 60 switches the network off; its memories then keep their
// contents until it runs again.
#pragma once

#include "bench/baseline/EarlyDiffuser.h"
#include "bench/baseline/StereoPair.h"

namespace frozen {

class EarlyNetwork final : public StereoPair<EarlyDiffuser> {
public:
    static constexpr float offSize = 60.0f;

    // Takes effect at the next setSize.
    void setSizeOffset(float notes) { sizeOffset = notes; }

    float* processFrame(float* frame, int channels) override {
        (void)channels;
        if (size == offSize) return frame;
        frame[0] = left.processSample(frame[0]);
        frame[1] = right.processSample(frame[1]);
        return frame;
    }

    float processSample(float x) override {
        if (bypass || size == offSize) return x;
        return left.processSample(x);
    }
};

}  // namespace frozen
