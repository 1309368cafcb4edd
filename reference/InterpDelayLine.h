// Delay by a fractional number of samples through a four-point cubic, for
// the late network whose times are modulated; tapFor says which cubic.
#pragma once

#include "dsp/DelayTimes.h"
#include "dsp/DspMath.h"
#include "dsp/Processor.h"
#include "reference/DelayMemory.h"

namespace dsp {

class InterpDelayLine final : public Processor {
public:
    void setTime(float seconds) { time = seconds; }
    float getTime() const { return time; }
    float getFraction() const { return fraction; }

    float processSample(float x) override {
        if (bypass) return x;
        memory.advance();
        const Tap tap = tapFor(time);
        fraction = tap.fraction;
        const int k = memory.position() - tap.whole;
        // Read before writing: the slot at k holds the input of i samples ago.
        float taps[4];
        memory.readFour(k, taps);
        const float y = hermite4(fraction, taps[0], taps[1], taps[2], taps[3]);
        memory.write(x);
        return y;
    }

private:
    float time = 0.5f;
    float fraction = 0.0f;
    DelayMemory memory;
};

}  // namespace dsp
