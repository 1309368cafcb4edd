// Both channels' whole-sample delays in one unit.
#pragma once

#include "dsp/DelayTimes.h"
#include "dsp/StereoLine.h"

namespace dsp {

class StereoDelay final : public StereoLine<StereoDelay> {
public:
    StereoDelay() { retune(); }

    // Converts again at the present shared rate.
    void retune() {
        for (int c = 0; c < 2; ++c) count[c] = countFor(time[c]);
    }

    // `at` has advanced to this sample's slot.
    Lanes process(const RingCursor& at, Lanes x) {
        const int p = at.position();
        // Writing first makes a delay of 0 return the input itself.
        memory.write(at, x);
        return memory.at(p - count[0], p - count[1]);
    }

private:
    int count[2];
};

}  // namespace dsp
