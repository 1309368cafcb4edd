// The circular memory behind the stereo delay lines: both channels' samples
// side by side in each slot, so one store writes the frame, and each channel
// reads its own delay from its own lane. The slots live in the engine's
// DelayArena. Three guard slots repeat the slots at the ring's ends (slot −1
// holds the last slot, slots length and length + 1 the first two), so four
// consecutive slots can be read without a wrap test.
#pragma once

#include "dsp/DelayMemory.h"
#include "dsp/Lanes.h"

namespace dsp {

class StereoMemory final {
public:
    static constexpr int length = DelayMemory::length;
    // Floats one memory takes in the arena, guards included, rounded up to
    // a cache line so that every memory starts on one.
    static constexpr int floats = (2 * (length + 3) + 15) / 16 * 16;

    // Takes the memory at `block` (zeroed, 8-byte aligned); returns where
    // the next one may start.
    float* attach(float* block) {
        slots = block + 2;
        return block + floats;
    }

    // Moves to the slot that the coming input will fill.
    void advance() {
        if (++writePosition == length) writePosition = 0;
    }
    int position() const { return writePosition; }

    void write(Lanes x) {
        x.store(slot(writePosition));
        if (writePosition < 2)
            x.store(slot(writePosition + length));
        else if (writePosition == length - 1)
            x.store(slot(-1));
    }

    // The left lane from slot l, the right from slot r; each within one
    // length of the ring on either side.
    Lanes at(int l, int r) const { return Lanes::gather(&slot(wrapped(l))[0], &slot(wrapped(r))[1]); }

    // The four consecutive slots k + 1, k, k − 1, k − 2 (newest first) for
    // each lane, k within one length of the ring below its end.
    void readFour(int l, int r, Lanes out[4]) const {
        const float* left = &slot(l < 1 ? l + length : l)[0];
        const float* right = &slot(r < 1 ? r + length : r)[1];
        for (int j = 0; j < 4; ++j) out[j] = Lanes::gather(left + 2 * (1 - j), right + 2 * (1 - j));
    }

private:
    static int wrapped(int p) { return p < 0 ? p + length : p; }
    float* slot(int p) { return slots + 2 * p; }
    const float* slot(int p) const { return slots + 2 * p; }

    float* slots = nullptr;
    int writePosition = 0;
};

}  // namespace dsp
