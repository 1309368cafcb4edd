// The tone stage: a high shelf followed by a low shelf. Its settings are
// one object, ToneSettings; the filtering is a template over the lanes it
// runs on: a float for one channel, Lanes for both channels side by side, or
// for two stereo signals with the same settings in four lanes. Each lane
// does the very operations of the one-channel stage, so a stereo tone gives
// each channel the bits a float tone gives it.
#pragma once

#include "dsp/DspMath.h"
#include "dsp/Lanes.h"
#include "dsp/Shelf.h"

namespace dsp {

class ToneSettings final {
public:
    void setHighFrequency(float hz) { highShelf.setFrequency(hz); }
    void setHighGain(float db) { highShelf.setGain(db); }
    void setLowFrequency(float hz) { lowShelf.setFrequency(hz); }
    void setLowGain(float db) { lowShelf.setGain(db); }
    void setRate(float sr) {
        highShelf.setRate(sr);
        lowShelf.setRate(sr);
    }

    const ShelfSettings& high() const { return highShelf; }
    const ShelfSettings& low() const { return lowShelf; }

private:
    ShelfSettings highShelf = ShelfSettings::high();
    ShelfSettings lowShelf = ShelfSettings::low();
};

// One shelf's first-order step and its state, over lanes of type T. Taking
// new settings keeps the state, as a shelf whose setter runs keeps its own.
template <class T>
class ShelfStep final {
public:
    void copySettings(const ShelfSettings& shelf) {
        const ShelfCoefficients& c = shelf.coefficients();
        c0 = everyLane(c.c0);
        c1 = everyLane(c.c1);
        c2 = everyLane(c.c2);
        offset = everyLane(shelf.getOffset());
    }
    T process(T x) { return firstOrderStep(x + offset, c0, c1, c2, y1, x1); }

private:
    static T everyLane(float x);

    T c0{}, c1{}, c2{}, offset{};
    T y1{}, x1{};
};

template <>
inline float ShelfStep<float>::everyLane(float x) {
    return x;
}
template <>
inline Lanes ShelfStep<Lanes>::everyLane(float x) {
    return Lanes::both(x);
}

template <class T>
class Tone final {
public:
    // Coefficients zero until set, so a stage never set outputs silence,
    // and each shelf's input constant from the start, as a shelf has it.
    Tone() { copySettings(ToneSettings()); }

    void copySettings(const ToneSettings& settings) {
        high.copySettings(settings.high());
        low.copySettings(settings.low());
    }
    T process(T x) { return low.process(high.process(x)); }

private:
    ShelfStep<T> high;
    ShelfStep<T> low;
};

using StereoTone = Tone<Lanes>;

}  // namespace dsp
