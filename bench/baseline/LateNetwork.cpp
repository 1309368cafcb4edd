// Frozen copy of the engine and effect as they stood before the engine was
// made faster (commit 6d23377), compiled only into the benchmarks: the
// baseline that the speed is measured against in the same run. Leave as is.
#include "bench/baseline/LateNetwork.h"

namespace frozen {

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
    modRate = hz;
    updateModulation();
}

void LateNetwork::setModDepth(float ms) {
    // The tiny constant keeps the smoothed depth away from subnormal numbers.
    modDepthTarget = ms * 0.001f + 1e-13f;
    updateModulation();
}

}  // namespace frozen
