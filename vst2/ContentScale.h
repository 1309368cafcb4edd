// The content-scale request that several hosts send to say how large their
// screen draws: effVendorSpecific with the two codes below and the factor
// (1 for the system's own size) in opt. An editor that takes it answers 1; a
// host that never sends it leaves the panel to choose its size alone.
#pragma once

#include <cstdint>

#include "vst2/vst2.h"

constexpr int32_t contentScaleIndex = fourCharCode('P', 'r', 'e', 'S');
constexpr intptr_t contentScaleValue = fourCharCode('A', 'e', 'C', 's');
