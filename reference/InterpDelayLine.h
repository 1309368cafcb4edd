// Delay by a fractional number of samples through a four-point cubic, for
// the late network whose times are modulated: the engine's line on one
// lane, its time converted again whenever it or the rate changes.
#pragma once

#include "dsp/FractionalDelay.h"
#include "dsp/LaneMemory.h"
#include "dsp/Processor.h"
#include "reference/DelayMemory.h"

namespace dsp {

class InterpDelayLine final : public Processor {
public:
    InterpDelayLine() { line.attach(memory.data()); }

    void setTime(float seconds) { line.setTime(seconds); }
    float getTime() const { return line.getTime(0); }
    void setSampleRate(float sr) { line.setRate(sr); }
    // The cubic's fraction at the last sample.
    float getFraction() const { return line.getFraction(); }

    float processSample(float x) override {
        if (bypass) return x;
        cursor.advance();
        // Read before writing: the slot read holds the input of the delay ago.
        const float y = line.read(cursor);
        line.write(cursor, x);
        return y;
    }

private:
    DelayMemory memory;
    FractionalDelay<float> line;
    RingCursor cursor;
};

}  // namespace dsp
