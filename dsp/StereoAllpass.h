// Both channels' allpass sections in one unit: the Schroeder section of
// AllpassSection, its loop through a stereo delay and tone stage.
#pragma once

#include "dsp/Lanes.h"
#include "dsp/StereoMemory.h"
#include "dsp/StereoTone.h"

namespace dsp {

template <class Line>
class StereoAllpass final {
public:
    Line& line() { return delay; }
    StereoTone& loopTone() { return tone; }
    void setCoefficients(float left, float right) { g = Lanes(left, right); }

    [[gnu::always_inline]] Lanes process(const RingCursor& at, Lanes x) {
        const Lanes v = s - g * x;
        const Lanes w = x + g * v;
        s = tone.process(delay.process(at, w));
        return v;
    }

private:
    Lanes g;
    Lanes s;
    Line delay;
    StereoTone tone;
};

}  // namespace dsp
