#include "reference/LateBranch.h"

namespace dsp {

void LateBranch::recompute() {
    timing.recompute();
    stage1.setTime(timing.time(0));
    stage2.setTime(timing.time(1));
    stage3.setTime(timing.time(2));
    mainDelay.setTime(timing.time(3));
}

}  // namespace dsp
