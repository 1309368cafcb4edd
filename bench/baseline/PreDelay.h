// Frozen copy of the engine and effect as they stood before the engine was
// made faster (commit 6d23377), compiled only into the benchmarks: the
// baseline that the speed is measured against in the same run. Leave as is.
// A short stereo pre-delay, the two sides set apart by a width around a
// base time. The times glide toward their targets (halving the distance
// every 0.05 s) so that a new base time never clicks; they start at 0 when
// the unit is built.
#pragma once

#include "bench/baseline/DelayLine.h"

namespace frozen {

class PreDelay final : public Processor {
public:
    void setTime(float seconds) { baseTime = seconds; }
    void setWidth(float value) { width = value; }

    float getSmoothedLeft() const { return smoothedLeft; }
    float getSmoothedRight() const { return smoothedRight; }
    const DelayLine& leftLine() const { return left; }
    const DelayLine& rightLine() const { return right; }

    float* processFrame(float* frame, int channels) override {
        (void)channels;
        if (bypass || baseTime == 0.0f) return frame;
        updateTimes();
        frame[0] = left.processSample(frame[0]);
        frame[1] = right.processSample(frame[1]);
        return frame;
    }

    float processSample(float x) override {
        if (bypass || baseTime == 0.0f) return x;
        updateTimes();
        return left.processSample(x);
    }

private:
    void updateTimes() {
        const float leftTarget = baseTime * (1.0f - width);
        const float rightTarget = baseTime * (1.0f + width);
        float k = sampleRate * 0.05f;
        if (k < 1.0f) k = 1.0f;
        const float step = 0.693147f / k;
        const float newLeft = smoothedLeft + (leftTarget - smoothedLeft) * step;
        const float newRight = smoothedRight + (rightTarget - smoothedRight) * step;
        // The remembered times carry a tiny constant so that they never decay
        // into subnormal numbers; the lines get the times without it.
        smoothedLeft = newLeft + 1e-13f;
        smoothedRight = newRight + 1e-13f;
        left.setTime(newLeft);
        right.setTime(newRight);
    }

    DelayLine left;
    DelayLine right;
    float baseTime = 0.0f;
    float width = 0.0f;
    float smoothedLeft = 0.0f;
    float smoothedRight = 0.0f;
};

}  // namespace frozen
