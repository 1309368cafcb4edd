// The pre-delay for both channels in one unit: the glide of PreDelayGlide
// feeding one stereo whole-sample delay. Once a step of the glide leaves
// its remembered times as they were, every later step gives the same times
// again, so the glide rests until a setting or the rate changes.
#pragma once

#include "dsp/DspMath.h"
#include "dsp/PreDelayGlide.h"
#include "dsp/WholeDelay.h"

namespace dsp {

class StereoPreDelay final {
public:
    static constexpr int memoryCount = 1;

    float* attach(float* block) { return line.attach(block); }
    void setTime(float seconds) {
        glide.setTime(seconds);
        settled = false;
    }
    void setWidth(float value) {
        glide.setWidth(value);
        settled = false;
    }
    void setRate(float sr) {
        glide.setRate(sr);
        line.setRate(sr);
        settled = false;
    }

    bool isOff() const { return glide.isOff(); }
    Lanes process(Lanes x) {
        if (!settled) glideOneStep();
        cursor.advance();
        return line.process(cursor, x);
    }

private:
    void glideOneStep() {
        const float oldLeft = glide.getSmoothedLeft();
        const float oldRight = glide.getSmoothedRight();
        float left, right;
        glide.step(left, right);
        line.setTimes(left, right);
        settled = sameBits(oldLeft, glide.getSmoothedLeft()) &&
                  sameBits(oldRight, glide.getSmoothedRight());
    }

    PreDelayGlide glide;
    StereoDelay line;
    RingCursor cursor;
    bool settled = false;
};

}  // namespace dsp
