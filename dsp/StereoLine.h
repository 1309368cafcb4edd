// What the two kinds of stereo delay line share: their memory and the two
// channels' times, which the line converts (in retune) when they are set
// and whenever the shared rate changes, instead of at every sample.
#pragma once

#include "dsp/DspMath.h"
#include "dsp/StereoMemory.h"

namespace dsp {

template <class Line>
class StereoLine {
public:
    float* attach(float* block) { return memory.attach(block); }

    // The same times again (as the pre-delay's settled glide and every
    // block's settings give) need no conversion.
    void setTimes(float left, float right) {
        if (sameBits(left, time[0]) && sameBits(right, time[1])) return;
        time[0] = left;
        time[1] = right;
        static_cast<Line*>(this)->retune();
    }

protected:
    StereoLine() = default;

    StereoMemory memory;
    // The one-channel lines start at half a second too.
    float time[2] = {0.5f, 0.5f};
};

}  // namespace dsp
