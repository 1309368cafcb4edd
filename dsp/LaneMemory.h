// The circular memory behind the delay lines, over the lanes they run on:
// one channel's sample in each slot (float), or both channels' side by side
// (Lanes), so one store writes the frame and each channel reads its own
// delay from its own lane. The engine's memories live in its DelayArena.
// Three guard slots repeat the slots at the ring's ends (slot −1 holds the
// last slot, slots length and length + 1 the first two), so four
// consecutive slots can be read without a wrap test.
//
// The lines of one network always advance together, so they share one
// RingCursor: the slot the coming input fills.
#pragma once

#include <type_traits>

#include "dsp/DelayTimes.h"
#include "dsp/Lanes.h"

namespace dsp {

class RingCursor final {
public:
    static constexpr int length = delayLength;

    // Moves to the slot that the coming input will fill.
    void advance() {
        if (++writePosition == length) writePosition = 0;
    }
    int position() const { return writePosition; }

private:
    int writePosition = 0;
};

// The four consecutive slots of a read, newest first.
template <class T>
struct FourTaps {
    T newest, newer, older, oldest;
};

template <class T>
class LaneMemory final {
public:
    // Floats in one slot: a lane per channel.
    static constexpr int channels = std::is_same<T, Lanes>::value ? 2 : 1;
    static_assert(channels == 2 || std::is_same<T, float>::value,
                  "a slot holds one channel or a stereo pair");
    static constexpr int length = RingCursor::length;
    // Floats one memory takes in the arena, guards included, rounded up to
    // a cache line so that every memory starts on one.
    static constexpr int floats = (channels * (length + 3) + 15) / 16 * 16;
    // One read position per channel.
    using Positions = int[channels];

    // Takes the memory at `block` (zeroed, aligned to a cache line);
    // returns where the next one may start.
    float* attach(float* block) {
        slots = block + channels;
        return block + floats;
    }

    void write(const RingCursor& at, T x) {
        const int p = at.position();
        put(x, slot(p));
        // One test for both ends: below 2 or at length − 1.
        if (static_cast<unsigned>(p - 2) >= static_cast<unsigned>(length - 3))
            put(x, slot(p < 2 ? p + length : -1));
    }

    // Channel c from slot k[c], each above −length and below length.
    T at(const Positions& k) const {
        const float* from[channels];
        for (int c = 0; c < channels; ++c) from[c] = &slot(k[c] < 0 ? k[c] + length : k[c])[c];
        return take(from, 0);
    }

    // Slots k + 1, k, k − 1 and k − 2 for each channel c (k is k[c]),
    // k above −length and below length.
    FourTaps<T> readFour(const Positions& k) const {
        const float* from[channels];
        for (int c = 0; c < channels; ++c) from[c] = &slot(k[c] < 1 ? k[c] + length : k[c])[c];
        return {take(from, 1), take(from, 0), take(from, -1), take(from, -2)};
    }

private:
    // Each channel's float `ahead` slots on from where it reads.
    static T take(const float* const (&from)[channels], int ahead) {
        if constexpr (channels == 1) {
            return from[0][ahead];
        } else {
            return Lanes::gather(from[0] + 2 * ahead, from[1] + 2 * ahead);
        }
    }
    static void put(T x, float* to) {
        if constexpr (channels == 1) {
            *to = x;
        } else {
            x.store(to);
        }
    }

    float* slot(int p) { return slots + channels * p; }
    const float* slot(int p) const { return slots + channels * p; }

    float* slots = nullptr;
};

using StereoMemory = LaneMemory<Lanes>;

}  // namespace dsp
