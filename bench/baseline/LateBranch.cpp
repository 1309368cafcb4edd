// Frozen copy of the engine and effect as they stood before the engine was
// made faster (commit 6d23377), compiled only into the benchmarks: the
// baseline that the speed is measured against in the same run. Leave as is.
#include "bench/baseline/LateBranch.h"

#include <cstring>

namespace frozen {
namespace {

// Bit for bit, so that −0 and NaN are told apart like any other value.
bool sameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

}  // namespace

void LateBranch::recompute() {
    const bool fresh = !remembered;
    remembered = true;
    if (fresh || !sameBits(size, periodsSize)) {
        periods[0] = noteToPeriod(size + 9.0f);
        periods[1] = noteToPeriod(size + 6.0f);
        periods[2] = noteToPeriod(size + 3.0f);
        periods[3] = noteToPeriod(size);
        periodsSize = size;
    }
    stage1.setTime(periods[0] + modOffset[0]);
    stage2.setTime(periods[1] + modOffset[1]);
    stage3.setTime(periods[2] + modOffset[2]);
    mainDelay.setTime(periods[3] + modOffset[3]);
    if (fresh || !sameBits(periods[3], gainPeriod) || !sameBits(decayTime, gainDecayTime)) {
        // 60 units of the curve per decay time. A decay time of 0 stands for
        // −∞, which the floor catches like any very short time; it is taken
        // so directly rather than through a division by zero.
        float exponent = decayTime == 0.0f ? -144.0f : -periods[3] / decayTime * 60.0f;
        if (exponent < -144.0f) exponent = -144.0f;
        loopGain = expCurve(exponent);
        gainPeriod = periods[3];
        gainDecayTime = decayTime;
    }
}

}  // namespace frozen
