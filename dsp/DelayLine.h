// Delay by a whole number of samples: the time in seconds is converted with
// the shared rate on every sample, so a rate change applies at once.
#pragma once

#include <cmath>

#include "dsp/DelayMemory.h"
#include "dsp/Processor.h"

namespace dsp {

class DelayLine final : public Processor {
public:
    void setTime(float seconds) { time = seconds; }
    float getTime() const { return time; }

    float processSample(float x) override {
        if (bypass) return x;
        memory.advance();
        const int r = memory.position() - countFor(time);
        // Writing first makes a delay of 0 return the input itself.
        memory.write(x);
        return memory.at(r);
    }

    // The delay in samples at the shared rate.
    static int countFor(float seconds) { return wholeSamples(sampleRate * seconds); }

    // Truncates toward zero within [0, length − 1]; a product that is not a
    // finite number (a bad setting) counts as 0 so the read stays inside.
    static int wholeSamples(float q) {
        // Below 1 truncation gives 0 or a negative count, which clamps to 0;
        // deciding that before converting keeps huge negatives in range.
        if (!std::isfinite(q) || q < 1.0f) return 0;
        if (q >= static_cast<float>(DelayMemory::length - 1)) return DelayMemory::length - 1;
        return static_cast<int>(q);
    }

private:
    float time = 0.5f;
    DelayMemory memory;
};

}  // namespace dsp
