// Frozen copy of the engine and effect as they stood before the engine was
// made faster (commit 6d23377), compiled only into the benchmarks: the
// baseline that the speed is measured against in the same run. Leave as is.
// Delay by a fractional number of samples through a four-point cubic, for
// the late network whose times are modulated. The cubic is chosen with
// q − 0.5 truncated, so its fraction runs over [0.5, 1.5) and it changes to
// the next cubic halfway between samples rather than on them.
#pragma once

#include <cmath>

#include "bench/baseline/DelayMemory.h"
#include "bench/baseline/DspMath.h"
#include "bench/baseline/Processor.h"

namespace frozen {

class InterpDelayLine final : public Processor {
public:
    void setTime(float seconds) { time = seconds; }
    float getTime() const { return time; }
    float getFraction() const { return fraction; }

    float processSample(float x) override {
        if (bypass) return x;
        memory.advance();
        const float q = clampedSamples(sampleRate * time);
        const int i = static_cast<int>(q - 0.5f);
        fraction = q - static_cast<float>(i);
        const int k = memory.position() - i;
        // Read before writing: the slot at k holds the input of i samples ago.
        float taps[4];
        memory.readFour(k, taps);
        const float y = hermite4(fraction, taps[0], taps[1], taps[2], taps[3]);
        memory.write(x);
        return y;
    }

    // Within [0, length − 1]; not a finite number counts as 0, which keeps
    // the four reads inside the buffer.
    static float clampedSamples(float q) {
        if (!std::isfinite(q) || q < 0.0f) return 0.0f;
        const float longest = static_cast<float>(DelayMemory::length - 1);
        return q >= longest ? longest : q;
    }

private:
    float time = 0.5f;
    float fraction = 0.0f;
    DelayMemory memory;
};

}  // namespace frozen
