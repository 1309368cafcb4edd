// A one-channel delay line's memory of its own, outside any arena: one
// block of floats, allocated and zeroed once, laid out as the engine's lines
// lay theirs out.
#pragma once

#include <memory>

#include "dsp/DelayTimes.h"
#include "dsp/LaneMemory.h"

namespace dsp {

class DelayMemory final {
public:
    static constexpr int length = delayLength;

    DelayMemory() : block(new float[LaneMemory<float>::floats]()) {}

    DelayMemory(const DelayMemory&) = delete;
    DelayMemory& operator=(const DelayMemory&) = delete;

    float* data() const { return block.get(); }

private:
    std::unique_ptr<float[]> block;
};

}  // namespace dsp
