// Both channels' fractional delays through a four-point cubic in one unit,
// for the late network whose times are modulated. A read never sees the sample's own write (the slot at the
// write position holds the input of a full ring ago), so the reads of a
// network's lines can all come first and go two lines at a time.
#pragma once

#include "dsp/DelayTimes.h"
#include "dsp/DspMath.h"
#include "dsp/StereoLine.h"

namespace dsp {

class StereoInterpDelay final : public StereoLine<StereoInterpDelay> {
public:
    StereoInterpDelay() { retune(); }

    // Converts again at the present shared rate.
    void retune() {
        const Tap left = tapFor(time[0]);
        const Tap right = tapFor(time[1]);
        whole[0] = left.whole;
        whole[1] = right.whole;
        fraction = Lanes(left.fraction, right.fraction);
    }

    // `at` has advanced to this sample's slot.
    void write(const RingCursor& at, Lanes x) { memory.write(at, x); }

    // The cubic through this sample's taps of two lines, before either
    // writes: the first line in the lower lanes, the second in the upper.
    [[gnu::always_inline]] static Lanes readTwo(const StereoInterpDelay& first, const StereoInterpDelay& second, const RingCursor& at) {
        const FourTaps a = first.taps(at);
        const FourTaps b = second.taps(at);
        return hermite4(Lanes::join(first.fraction, second.fraction), Lanes::join(a.newest, b.newest),
                        Lanes::join(a.newer, b.newer), Lanes::join(a.older, b.older),
                        Lanes::join(a.oldest, b.oldest));
    }

private:
    [[gnu::always_inline]] FourTaps taps(const RingCursor& at) const {
        const int p = at.position();
        return memory.readFour(p - whole[0], p - whole[1]);
    }

    int whole[2];
    Lanes fraction;
};

}  // namespace dsp
