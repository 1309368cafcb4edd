// The nine automatable parameters, by index. The editor's control tags are
// these indices too.
#pragma once

#include <cstdint>

enum ReverbParameter : int32_t {
    paramEarlySize = 0,
    paramLateSize,
    paramDamping,
    paramDiffusion,
    paramEarlyLate,
    paramDryWet,
    paramVolume,
    paramOnOff,
    paramMonoIn,
    paramCount
};

inline bool isParameter(int32_t index) { return index >= 0 && index < paramCount; }
