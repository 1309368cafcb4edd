// First-order shelving filters, set by a corner in hertz and a gain in
// decibels. Coefficients are computed in the setters with the rate of that
// moment and kept when the rate changes later. Each shelf adds a tiny
// constant to its input so that a silent input settles on a small constant
// instead of decaying through subnormal numbers.
#pragma once

#include "dsp/DspMath.h"
#include "dsp/Processor.h"

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
    const ShelfCoefficients& coefficients() const { return c; }
    // The constant added to every input.
    float getOffset() const { return offset; }

private:
    ShelfSettings(Design shape, float inputOffset) : design(shape), offset(inputOffset) {}

    void redesign() { c = design(frequency, gain, sampleRate); }

    Design design;
    float offset;
    float frequency = 0.0f;
    float gain = 0.0f;
    // Zero until a setter runs, so a shelf never set outputs silence.
    ShelfCoefficients c{0.0f, 0.0f, 0.0f};
};

}  // namespace dsp
