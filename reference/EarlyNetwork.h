// The early reflections: one diffuser per channel, without coupling, their
// sizes set a few notes apart so that the channels diffuse differently.
// The size 60 switches the network off; its memories then keep their
// contents until it runs again.
#pragma once

#include "reference/EarlyDiffuser.h"
#include "reference/StereoPair.h"

namespace dsp {

class EarlyNetwork final : public StereoPair<EarlyDiffuser> {
public:
    static constexpr float offSize = earlyOffSize;

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

}  // namespace dsp
