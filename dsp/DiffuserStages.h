// The three allpass stages of every diffuser chain, early and late: their
// coefficients sit around the diffusion value, offset by the spread in
// fixed proportions. And the early network's stage times, 8, 4 and 0 notes
// above its size, and the size that switches it off.
#pragma once

#include "dsp/DspMath.h"

namespace dsp {

constexpr int diffuserStageCount = 3;

inline float stageCoefficient(int stage, float d, float spread) {
    static constexpr float proportion[diffuserStageCount] = {0.1f, -0.2f, 0.3f};
    return clampedOffset(d, proportion[stage], spread);
}

// The early network passes its input at this size; its memories then keep
// their contents until it runs again.
constexpr float earlyOffSize = 60.0f;

inline void earlyStageTimes(float n, float times[diffuserStageCount]) {
    times[0] = noteToPeriod(n + 8.0f);
    times[1] = noteToPeriod(n + 4.0f);
    times[2] = noteToPeriod(n);
}

}  // namespace dsp
