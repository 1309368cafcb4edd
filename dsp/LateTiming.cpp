#include "dsp/LateTiming.h"

namespace dsp {

void LateTiming::recompute() {
    const bool fresh = !remembered;
    remembered = true;
    if (fresh || !sameBits(size, periodsSize)) {
        periods[0] = noteToPeriod(size + 9.0f);
        periods[1] = noteToPeriod(size + 6.0f);
        periods[2] = noteToPeriod(size + 3.0f);
        periods[3] = noteToPeriod(size);
        periodsSize = size;
    }
    for (int k = 0; k < count; ++k) times[k] = periods[k] + modOffset[k];
    if (fresh || !sameBits(periods[3], gainPeriod) || !sameBits(decayTime, gainDecayTime)) {
        // 60 units of the curve per decay time. A decay time of 0 stands for
        // −∞, which the floor catches like any very short time; it is taken
        // so directly rather than through a division by zero.
        float exponent = decayTime == 0.0f ? -144.0f : -periods[3] / decayTime * 60.0f;
        if (exponent < -144.0f) exponent = -144.0f;
        gain = expCurve(exponent);
        gainPeriod = periods[3];
        gainDecayTime = decayTime;
    }
}

}  // namespace dsp
