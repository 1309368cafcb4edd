// Both channels' fractional delays in one unit: what InterpDelayLine does
// for one channel, with the time converted to a slot and a fraction when it
// is set or the shared rate changes instead of at every sample.
#pragma once

#include "dsp/DspMath.h"
#include "dsp/InterpDelayLine.h"
#include "dsp/StereoMemory.h"

namespace dsp {

class StereoInterpDelay final {
public:
    StereoInterpDelay() { setTimes(0.5f, 0.5f); }

    float* attach(float* block) { return memory.attach(block); }

    void setTimes(float left, float right) {
        time[0] = left;
        time[1] = right;
        retune();
    }
    // Converts again at the present shared rate.
    void retune() {
        const InterpDelayLine::Tap left = InterpDelayLine::tapFor(time[0]);
        const InterpDelayLine::Tap right = InterpDelayLine::tapFor(time[1]);
        whole[0] = left.whole;
        whole[1] = right.whole;
        fraction = Lanes(left.fraction, right.fraction);
    }

    Lanes process(Lanes x) {
        memory.advance();
        const int p = memory.position();
        // Read before writing: the slot at p holds the input of a full ring ago.
        Lanes taps[4];
        memory.readFour(p - whole[0], p - whole[1], taps);
        const Lanes y = hermite4(fraction, taps[0], taps[1], taps[2], taps[3]);
        memory.write(x);
        return y;
    }

private:
    StereoMemory memory;
    float time[2];
    int whole[2];
    Lanes fraction;
};

}  // namespace dsp
