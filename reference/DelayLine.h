// Delay by a whole number of samples: the time in seconds is converted with
// the shared rate on every sample, so a rate change applies at once.
#pragma once

#include "dsp/DelayTimes.h"
#include "dsp/Processor.h"
#include "reference/DelayMemory.h"

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

private:
    float time = 0.5f;
    DelayMemory memory;
};

}  // namespace dsp
