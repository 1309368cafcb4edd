// The pre-delay for both channels in one unit: the glide of PreDelay
// feeding one stereo whole-sample delay.
#pragma once

#include "dsp/PreDelayGlide.h"
#include "dsp/StereoDelay.h"

namespace dsp {

class StereoPreDelay final {
public:
    static constexpr int memoryCount = 1;

    float* attach(float* block) { return line.attach(block); }
    void setTime(float seconds) { glide.setTime(seconds); }
    void setWidth(float value) { glide.setWidth(value); }

    bool isOff() const { return glide.isOff(); }
    Lanes process(Lanes x) {
        float left, right;
        glide.step(left, right);
        line.setTimes(left, right);
        cursor.advance();
        return line.process(cursor, x);
    }

private:
    PreDelayGlide glide;
    StereoDelay line;
    RingCursor cursor;
};

}  // namespace dsp
