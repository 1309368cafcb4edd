// Delay by a whole number of samples, for one channel (float) or both
// (Lanes).
#pragma once

#include "dsp/DelayTimes.h"
#include "dsp/LaneLine.h"

namespace dsp {

template <class T>
class WholeDelay final : public LaneLine<WholeDelay<T>, T> {
public:
    WholeDelay() { retune(); }

    void retune() {
        for (int c = 0; c < channels; ++c) count[c] = countFor(this->time[c], this->rate);
    }

    // `at` has advanced to this sample's slot.
    T process(const RingCursor& at, T x) {
        const int p = at.position();
        // Writing first makes a delay of 0 return the input itself.
        this->memory.write(at, x);
        typename LaneMemory<T>::Positions k;
        for (int c = 0; c < channels; ++c) k[c] = p - count[c];
        return this->memory.at(k);
    }

private:
    using LaneLine<WholeDelay<T>, T>::channels;

    int count[LaneMemory<T>::channels];
};

using StereoDelay = WholeDelay<Lanes>;

}  // namespace dsp
