#include "dsp/LateBranch.h"

namespace dsp {

void LateBranch::recompute() {
    const float period = noteToPeriod(size);
    stage1.setTime(noteToPeriod(size + 9.0f) + modOffset[0]);
    stage2.setTime(noteToPeriod(size + 6.0f) + modOffset[1]);
    stage3.setTime(noteToPeriod(size + 3.0f) + modOffset[2]);
    mainDelay.setTime(period + modOffset[3]);
    // 60 units of the curve per decay time; a decay time of 0 gives −∞,
    // which the floor catches like any very short time.
    float exponent = -period / decayTime * 60.0f;
    if (exponent < -144.0f) exponent = -144.0f;
    loopGain = expCurve(exponent);
}

}  // namespace dsp
