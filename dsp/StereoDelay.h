// Both channels' whole-sample delays in one unit: what DelayLine does for
// one channel, with the time converted to samples when it is set or the
// shared rate changes instead of at every sample.
#pragma once

#include "dsp/DelayLine.h"
#include "dsp/StereoMemory.h"

namespace dsp {

class StereoDelay final {
public:
    StereoDelay() { setTimes(0.5f, 0.5f); }

    float* attach(float* block) { return memory.attach(block); }

    void setTimes(float left, float right) {
        time[0] = left;
        time[1] = right;
        retune();
    }
    // Converts again at the present shared rate.
    void retune() {
        for (int c = 0; c < 2; ++c) count[c] = DelayLine::countFor(time[c]);
    }

    Lanes process(Lanes x) {
        memory.advance();
        const int p = memory.position();
        // Writing first makes a delay of 0 return the input itself.
        memory.write(x);
        return memory.at(p - count[0], p - count[1]);
    }

private:
    StereoMemory memory;
    float time[2];
    int count[2];
};

}  // namespace dsp
