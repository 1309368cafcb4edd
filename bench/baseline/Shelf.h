// Frozen copy of the engine and effect as they stood before the engine was
// made faster (commit 6d23377), compiled only into the benchmarks: the
// baseline that the speed is measured against in the same run. Leave as is.
// First-order shelving filters, set by a corner in hertz and a gain in
// decibels. Coefficients are computed in the setters with the rate of that
// moment and kept when the rate changes later. Each shelf adds a tiny
// constant to its input so that a silent input settles on a small constant
// instead of decaying through subnormal numbers.
#pragma once

#include "bench/baseline/DspMath.h"
#include "bench/baseline/Processor.h"

namespace frozen {

struct ShelfCoefficients {
    float c0;
    float c1;
    float c2;
};

// Transfer function (c1 + c2·z⁻¹) / (1 − c0·z⁻¹) with DC gain 1 and Nyquist
// gain A² for the high shelf, the other way round for the low one.
ShelfCoefficients highShelfCoefficients(float frequency, float gain, float sr);
ShelfCoefficients lowShelfCoefficients(float frequency, float gain, float sr);

class Shelf : public Processor {
public:
    using Design = ShelfCoefficients (*)(float frequency, float gain, float sr);

    void setFrequency(float hz) {
        frequency = hz;
        redesign();
    }
    void setGain(float db) {
        gain = db;
        redesign();
    }
    const ShelfCoefficients& coefficients() const { return c; }

    float processSample(float x) override {
        return firstOrderStep(x + offset, c.c0, c.c1, c.c2, y1, x1);
    }

protected:
    Shelf(Design design, float offset) : design(design), offset(offset) {}

private:
    void redesign() { c = design(frequency, gain, sampleRate); }

    Design design;
    float offset;
    float frequency = 0.0f;
    float gain = 0.0f;
    float y1 = 0.0f;
    float x1 = 0.0f;
    // Zero until a setter runs, so a shelf never set outputs silence.
    ShelfCoefficients c{0.0f, 0.0f, 0.0f};
};

class HighShelf final : public Shelf {
public:
    HighShelf() : Shelf(highShelfCoefficients, 1e-12f) {}
};

class LowShelf final : public Shelf {
public:
    LowShelf() : Shelf(lowShelfCoefficients, 1e-10f) {}
};

}  // namespace frozen
