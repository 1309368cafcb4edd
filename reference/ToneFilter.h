// The tone stage on one channel, as a unit of its own: its settings and
// the float tone of the engine.
#pragma once

#include "dsp/Processor.h"
#include "dsp/Tone.h"

namespace dsp {

class ToneFilter final : public Processor {
public:
    void setHighFrequency(float hz) {
        tone.setHighFrequency(hz);
        filter.copySettings(tone);
    }
    void setHighGain(float db) {
        tone.setHighGain(db);
        filter.copySettings(tone);
    }
    void setLowFrequency(float hz) {
        tone.setLowFrequency(hz);
        filter.copySettings(tone);
    }
    void setLowGain(float db) {
        tone.setLowGain(db);
        filter.copySettings(tone);
    }
    void setSampleRate(float sr) {
        tone.setRate(sr);
        filter.copySettings(tone);
    }

    float processSample(float x) override { return filter.process(x); }

private:
    ToneSettings tone;
    Tone<float> filter;
};

}  // namespace dsp
