#include "reference/LateNetwork.h"

namespace dsp {

void LateNetwork::setSizeOffset(float notes) {
    sizeOffset = notes;
    left.setSize(size - notes);
    right.setSize(size + notes);
}

void LateNetwork::setDecay(float x) {
    const float seconds = expCurve(x) * 0.001f;
    left.setDecayTime(seconds);
    right.setDecayTime(seconds);
}

void LateNetwork::setModRate(float hz) {
    oscillator.setRate(hz);
    updateModulation();
}

void LateNetwork::setModDepth(float ms) {
    oscillator.setDepth(ms);
    updateModulation();
}

}  // namespace dsp
