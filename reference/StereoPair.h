// What the early and the late network have in common: one unit per channel,
// the left one sizeOffset notes below the network's size and the right one
// as far above, the same diffusion and tone settings for both.
#pragma once

#include "dsp/DspMath.h"
#include "dsp/Processor.h"

namespace dsp {

template <class Side>
class StereoPair : public Processor {
public:
    void setSize(float a) {
        size = a;
        left.setSize(a - sizeOffset);
        right.setSize(a + sizeOffset);
    }
    void setDiffusion(float d) {
        diffusion = d;
        left.setDiffusion(d);
        right.setDiffusion(d);
    }
    void setSpread(float value) {
        left.setSpread(value);
        right.setSpread(value);
        left.setDiffusion(diffusion);
        right.setDiffusion(diffusion);
    }

    // Note numbers for the frequencies, decibels for the gains.
    void setHighFrequency(float note) {
        const float hz = noteToHz(note);
        left.setHighFrequency(hz);
        right.setHighFrequency(hz);
    }
    void setHighGain(float db) {
        left.setHighGain(db);
        right.setHighGain(db);
    }
    void setLowFrequency(float note) {
        const float hz = noteToHz(note);
        left.setLowFrequency(hz);
        right.setLowFrequency(hz);
    }
    void setLowGain(float db) {
        left.setLowGain(db);
        right.setLowGain(db);
    }
    void setSampleRate(float sr) {
        left.setSampleRate(sr);
        right.setSampleRate(sr);
    }

    float getSize() const { return size; }
    const Side& leftSide() const { return left; }
    const Side& rightSide() const { return right; }

protected:
    float sizeOffset = 0.0f;
    float diffusion = 0.0f;
    float size = 0.0f;
    Side left;
    Side right;
};

}  // namespace dsp
