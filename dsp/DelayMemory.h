// The circular memory behind both kinds of delay line: a fixed block of
// samples allocated and zeroed once, and the slot of the latest input.
#pragma once

#include <memory>

namespace dsp {

class DelayMemory final {
public:
    // About 4.35 s at 44100 Hz and 1 s at 192000 Hz.
    static constexpr int length = 192000;

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

private:
    std::unique_ptr<float[]> buffer;
    int writePosition = 0;
};

}  // namespace dsp
