// The circular memory behind the stereo delay lines: both channels' samples
// side by side in each slot, so one store writes the frame, and each channel
// reads its own delay from its own lane. The slots live in the engine's
// DelayArena. Three guard slots repeat the slots at the ring's ends (slot −1
// holds the last slot, slots length and length + 1 the first two), so four
// consecutive slots can be read without a wrap test.
//
// The lines of one network always advance together, so they share one
// RingCursor: the slot the coming input fills.
#pragma once

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
struct FourTaps {
    Lanes newest, newer, older, oldest;
};

class StereoMemory final {
public:
    static constexpr int length = RingCursor::length;
    // Floats one memory takes in the arena, guards included, rounded up to
    // a cache line so that every memory starts on one.
    static constexpr int floats = (2 * (length + 3) + 15) / 16 * 16;

    // Takes the memory at `block` (zeroed, aligned to a cache line);
    // returns where the next one may start.
    float* attach(float* block) {
        slots = block + 2;
        return block + floats;
    }

    void write(const RingCursor& at, Lanes x) {
        const int p = at.position();
        x.store(slot(p));
        // One test for both ends: below 2 or at length − 1.
        if (static_cast<unsigned>(p - 2) >= static_cast<unsigned>(length - 3)) x.store(slot(p < 2 ? p + length : -1));
    }

    // The left lane from slot l, the right from slot r; each above −length
    // and below length.
    Lanes at(int l, int r) const { return Lanes::gather(&slot(wrapped(l))[0], &slot(wrapped(r))[1]); }

    // Slots k + 1, k, k − 1 and k − 2 for each lane (k is l for the left,
    // r for the right), k above −length and below length.
    FourTaps readFour(int l, int r) const {
        const float* left = &slot(l < 1 ? l + length : l)[0];
        const float* right = &slot(r < 1 ? r + length : r)[1];
        return {Lanes::gather(left + 2, right + 2), Lanes::gather(left, right), Lanes::gather(left - 2, right - 2),
                Lanes::gather(left - 4, right - 4)};
    }

private:
    static int wrapped(int p) { return p < 0 ? p + length : p; }
    float* slot(int p) { return slots + 2 * p; }
    const float* slot(int p) const { return slots + 2 * p; }

    float* slots = nullptr;
};

}  // namespace dsp
