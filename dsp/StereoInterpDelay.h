// Both channels' fractional delays in one unit: what InterpDelayLine does
// for one channel.
#pragma once

#include "dsp/DspMath.h"
#include "dsp/InterpDelayLine.h"
#include "dsp/StereoLine.h"

namespace dsp {

class StereoInterpDelay final : public StereoLine<StereoInterpDelay> {
public:
    StereoInterpDelay() { retune(); }

    // Converts again at the present shared rate.
    void retune() {
        const InterpDelayLine::Tap left = InterpDelayLine::tapFor(time[0]);
        const InterpDelayLine::Tap right = InterpDelayLine::tapFor(time[1]);
        whole[0] = left.whole;
        whole[1] = right.whole;
        fraction = Lanes(left.fraction, right.fraction);
    }

    // `at` has advanced to this sample's slot.
    Lanes process(const RingCursor& at, Lanes x) {
        const int p = at.position();
        // Read before writing: the slot at p holds the input of a full ring ago.
        const FourTaps taps = memory.readFour(p - whole[0], p - whole[1]);
        const Lanes y = hermite4(fraction, taps.newest, taps.newer, taps.older, taps.oldest);
        memory.write(at, x);
        return y;
    }

private:
    int whole[2];
    Lanes fraction;
};

}  // namespace dsp
