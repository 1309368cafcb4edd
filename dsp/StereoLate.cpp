#include "dsp/StereoLate.h"

namespace dsp {

void StereoLate::setSizeOffset(float notes) {
    sizeOffset = notes;
    setSize(size);
}

void StereoLate::setSize(float a) {
    size = a;
    timing[0].setSize(a - sizeOffset);
    timing[1].setSize(a + sizeOffset);
    recompute();
}

// The effect sets the same decay at every block; its power is taken only
// when it changes.
void StereoLate::setDecay(float x) {
    if (decaySet && sameBits(x, decay)) return;
    decaySet = true;
    decay = x;
    const float seconds = expCurve(x) * 0.001f;
    timing[0].setDecayTime(seconds);
    timing[1].setDecayTime(seconds);
}

void StereoLate::setModRate(float hz) {
    oscillator.setRate(hz);
    stepModulation();
}

void StereoLate::setModDepth(float ms) {
    oscillator.setDepth(ms);
    stepModulation();
}

// The left branch's offsets are the oscillator's values, the right one's
// their negatives, as of the oscillator's last step.
void StereoLate::recompute() {
    if (offsetsStale) {
        for (int k = 0; k < ModulationOscillator::count; ++k) {
            const float value = oscillator.value(k);
            timing[0].setModOffset(k, value);
            timing[1].setModOffset(k, -value);
        }
        offsetsStale = false;
    }
    timing[0].recompute();
    timing[1].recompute();
    for (int k = 0; k < diffuserStageCount; ++k)
        chain.line(k).setTimes(timing[0].time(k), timing[1].time(k));
    mainDelay.setTimes(timing[0].time(3), timing[1].time(3));
    loopGain = Lanes(timing[0].loopGain(), timing[1].loopGain());
}

}  // namespace dsp
