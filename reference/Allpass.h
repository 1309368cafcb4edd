// Schroeder allpass section whose recirculating path runs through a delay
// line and a tone filter, so every pass colours what circulates. The output
// is taken before the loop's delay; the state register adds one sample, so
// a line of d samples recirculates every d + 1 samples.
#pragma once

#include "reference/DelayLine.h"
#include "reference/InterpDelayLine.h"
#include "reference/ToneFilter.h"

namespace dsp {

template <class Line>
class AllpassSection : public Processor {
public:
    void setTime(float seconds) { delay.setTime(seconds); }
    // Callers keep g within [0, 1].
    void setCoefficient(float value) { g = value; }
    float getCoefficient() const { return g; }
    const Line& line() const { return delay; }

    void setHighFrequency(float hz) { tone.setHighFrequency(hz); }
    void setHighGain(float db) { tone.setHighGain(db); }
    void setLowFrequency(float hz) { tone.setLowFrequency(hz); }
    void setLowGain(float db) { tone.setLowGain(db); }
    void setSampleRate(float sr) {
        delay.setSampleRate(sr);
        tone.setSampleRate(sr);
    }

    float processSample(float x) override {
        if (bypass) return x;
        const float v = s - g * x;
        const float w = x + g * v;
        s = tone.processSample(delay.processSample(w));
        return v;
    }

private:
    float g = 0.0f;
    float s = 0.0f;
    Line delay;
    ToneFilter tone;
};

// Whole-sample loop, for the early network.
class Allpass final : public AllpassSection<DelayLine> {};

// Fractional loop whose time can be modulated smoothly, for the late network.
class InterpAllpass final : public AllpassSection<InterpDelayLine> {};

}  // namespace dsp
