// Delay by a fractional number of samples through a four-point cubic, for
// one channel (float) or both (Lanes), for the late network whose times are
// modulated. A read never sees the sample's own write (the slot at the
// write position holds the input of a full ring ago), so the reads of a
// network's lines can all come first and, in the stereo engine, go two
// lines at a time.
#pragma once

#include "dsp/DelayTimes.h"
#include "dsp/DspMath.h"
#include "dsp/LaneLine.h"

namespace dsp {

template <class T>
class FractionalDelay final : public LaneLine<FractionalDelay<T>, T> {
public:
    FractionalDelay() { retune(); }

    void retune() {
        float f[channels];
        for (int c = 0; c < channels; ++c) {
            const Tap tap = tapFor(this->time[c], this->rate);
            whole[c] = tap.whole;
            f[c] = tap.fraction;
        }
        if constexpr (channels == 1) {
            fraction = f[0];
        } else {
            fraction = Lanes(f[0], f[1]);
        }
    }
    // The cubic's fraction for each channel, as of the last retune.
    T getFraction() const { return fraction; }

    // `at` has advanced to this sample's slot.
    void write(const RingCursor& at, T x) { this->memory.write(at, x); }

    // The cubic through this sample's taps, before the line writes.
    T read(const RingCursor& at) const {
        const FourTaps<T> t = taps(at);
        return hermite4(fraction, t.newest, t.newer, t.older, t.oldest);
    }

    // The cubic through this sample's taps of two stereo lines, before
    // either writes: the first line in the lower lanes, the second in the
    // upper. Each lane is what read gives it.
    [[gnu::always_inline]] static Lanes readTwo(const FractionalDelay& first,
                                                const FractionalDelay& second,
                                                const RingCursor& at) {
        static_assert(channels == 2, "two stereo lines fill four lanes");
        const FourTaps<Lanes> a = first.taps(at);
        const FourTaps<Lanes> b = second.taps(at);
        return hermite4(Lanes::join(first.fraction, second.fraction),
                        Lanes::join(a.newest, b.newest), Lanes::join(a.newer, b.newer),
                        Lanes::join(a.older, b.older), Lanes::join(a.oldest, b.oldest));
    }

private:
    using LaneLine<FractionalDelay<T>, T>::channels;

    [[gnu::always_inline]] FourTaps<T> taps(const RingCursor& at) const {
        const int p = at.position();
        typename LaneMemory<T>::Positions k;
        for (int c = 0; c < channels; ++c) k[c] = p - whole[c];
        return this->memory.readFour(k);
    }

    int whole[LaneMemory<T>::channels];
    T fraction;
};

using StereoInterpDelay = FractionalDelay<Lanes>;

}  // namespace dsp
