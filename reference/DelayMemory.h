// The circular memory behind both kinds of one-channel delay line: a fixed
// block of samples allocated and zeroed once, and the slot of the latest
// input.
#pragma once

#include <memory>

#include "dsp/DelayTimes.h"

namespace dsp {

class DelayMemory final {
public:
    static constexpr int length = delayLength;

    DelayMemory() : buffer(new float[length]()) {}

    DelayMemory(const DelayMemory&) = delete;
    DelayMemory& operator=(const DelayMemory&) = delete;

    // Moves to the slot that the coming input will fill.
    void advance() {
        if (++writePosition == length) writePosition = 0;
    }
    int position() const { return writePosition; }
    void write(float x) { buffer[writePosition] = x; }

    // p must lie within one length of the buffer on either side.
    float at(int p) const {
        if (p < 0) p += length;
        else if (p >= length) p -= length;
        return buffer[p];
    }

    // The four consecutive slots k + 1, k, k − 1, k − 2 (newest first), for
    // k within one length of the buffer; they lie side by side unless they
    // straddle its ends.
    void readFour(int k, float out[4]) const {
        if (k >= 2 && k + 1 < length) {
            const float* p = &buffer[k - 2];
            out[0] = p[3];
            out[1] = p[2];
            out[2] = p[1];
            out[3] = p[0];
        } else {
            for (int j = 0; j < 4; ++j) out[j] = at(k + 1 - j);
        }
    }

private:
    std::unique_ptr<float[]> buffer;
    int writePosition = 0;
};

}  // namespace dsp
