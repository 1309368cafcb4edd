// First-order shelving filters, set by a corner in hertz and a gain in
// decibels at a sample rate. The corner and gain are kept, so that a new
// rate designs the same shelf again: the room sounds the same at any rate.
// Each shelf adds a tiny constant to its input so that a silent input
// settles on a small constant instead of decaying through subnormal numbers.
#pragma once

#include "dsp/DspMath.h"

namespace dsp {

struct ShelfCoefficients {
    float c0;
    float c1;
    float c2;
};

// Transfer function (c1 + c2·z⁻¹) / (1 − c0·z⁻¹) with DC gain 1 and Nyquist
// gain A² for the high shelf, the other way round for the low one.
ShelfCoefficients highShelfCoefficients(float frequency, float gain, float sr);
ShelfCoefficients lowShelfCoefficients(float frequency, float gain, float sr);

// What a shelf is set to and the coefficients designed from it; the state
// that filters lives in ShelfStep (Tone.h).
class ShelfSettings final {
public:
    using Design = ShelfCoefficients (*)(float frequency, float gain, float sr);

    static ShelfSettings high() { return ShelfSettings(highShelfCoefficients, 1e-12f); }
    static ShelfSettings low() { return ShelfSettings(lowShelfCoefficients, 1e-10f); }

    void setFrequency(float hz) {
        frequency = hz;
        redesign();
    }
    void setGain(float db) {
        gain = db;
        redesign();
    }
    // A shelf never set stays silent at any rate.
    void setRate(float sr) {
        rate = sr;
        if (designed) redesign();
    }
    const ShelfCoefficients& coefficients() const { return c; }
    // The constant added to every input.
    float getOffset() const { return offset; }

private:
    ShelfSettings(Design shape, float inputOffset) : design(shape), offset(inputOffset) {}

    void redesign() {
        c = design(frequency, gain, rate);
        designed = true;
    }

    Design design;
    float offset;
    float frequency = 0.0f;
    float gain = 0.0f;
    float rate = initialSampleRate;
    bool designed = false;
    // Zero until a setter runs, so a shelf never set outputs silence.
    ShelfCoefficients c{0.0f, 0.0f, 0.0f};
};

}  // namespace dsp
