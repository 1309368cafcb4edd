// A short stereo pre-delay, one whole-sample line per side, their times
// gliding as PreDelayGlide says.
#pragma once

#include "dsp/PreDelayGlide.h"
#include "reference/DelayLine.h"

namespace dsp {

class PreDelay final : public Processor {
public:
    void setTime(float seconds) { glide.setTime(seconds); }
    void setWidth(float value) { glide.setWidth(value); }
    void setSampleRate(float sr) {
        glide.setRate(sr);
        left.setSampleRate(sr);
        right.setSampleRate(sr);
    }

    float getSmoothedLeft() const { return glide.getSmoothedLeft(); }
    float getSmoothedRight() const { return glide.getSmoothedRight(); }
    const DelayLine& leftLine() const { return left; }
    const DelayLine& rightLine() const { return right; }

    float* processFrame(float* frame, int channels) override {
        (void)channels;
        if (bypass || glide.isOff()) return frame;
        updateTimes();
        frame[0] = left.processSample(frame[0]);
        frame[1] = right.processSample(frame[1]);
        return frame;
    }

    float processSample(float x) override {
        if (bypass || glide.isOff()) return x;
        updateTimes();
        return left.processSample(x);
    }

private:
    void updateTimes() {
        float leftTime, rightTime;
        glide.step(leftTime, rightTime);
        left.setTime(leftTime);
        right.setTime(rightTime);
    }

    DelayLine left;
    DelayLine right;
    PreDelayGlide glide;
};

}  // namespace dsp
