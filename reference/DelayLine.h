// Delay by a whole number of samples: the engine's line on one lane, its
// time converted again whenever it or the rate changes, so a rate change
// applies from the next sample.
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
    void setSampleRate(float sr) { line.setRate(sr); }

    float processSample(float x) override {
        if (bypass) return x;
        cursor.advance();
        return line.process(cursor, x);
    }

private:
    DelayMemory memory;
    WholeDelay<float> line;
    RingCursor cursor;
};

}  // namespace dsp
