// Delay by a whole number of samples: the engine's line on one lane, its
// time converted with the shared rate on every sample, so a rate change
// applies at once.
#pragma once

#include "dsp/LaneMemory.h"
#include "dsp/Processor.h"
#include "dsp/WholeDelay.h"
#include "reference/DelayMemory.h"

namespace dsp {

class DelayLine final : public Processor {
public:
    DelayLine() { line.attach(memory.data()); }

    void setTime(float seconds) { line.setTime(seconds); }
    float getTime() const { return line.getTime(0); }

    float processSample(float x) override {
        if (bypass) return x;
        line.retune();
        cursor.advance();
        return line.process(cursor, x);
    }

private:
    DelayMemory memory;
    WholeDelay<float> line;
    RingCursor cursor;
};

}  // namespace dsp
