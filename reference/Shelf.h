// One shelf on one channel, as a unit of its own: its settings and the
// float step of the tone stage.
#pragma once

#include "dsp/Processor.h"
#include "dsp/Tone.h"

namespace dsp {

class Shelf : public Processor {
public:
    void setFrequency(float hz) {
        settings.setFrequency(hz);
        step.copySettings(settings);
    }
    void setGain(float db) {
        settings.setGain(db);
        step.copySettings(settings);
    }
    void setSampleRate(float sr) {
        settings.setRate(sr);
        step.copySettings(settings);
    }
    const ShelfCoefficients& coefficients() const { return settings.coefficients(); }
    float getOffset() const { return settings.getOffset(); }

    float processSample(float x) override { return step.process(x); }

protected:
    explicit Shelf(const ShelfSettings& initial) : settings(initial) {
        step.copySettings(settings);
    }

private:
    ShelfSettings settings;
    ShelfStep<float> step;
};

class HighShelf final : public Shelf {
public:
    HighShelf() : Shelf(ShelfSettings::high()) {}
};

class LowShelf final : public Shelf {
public:
    LowShelf() : Shelf(ShelfSettings::low()) {}
};

}  // namespace dsp
