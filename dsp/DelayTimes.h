// How a delay time in seconds becomes a read position in a delay memory of
// `delayLength` slots at a given rate. The lines convert when a time or their
// rate changes, not at every sample. A bad time or rate (negative, huge, NaN)
// reads inside the memory.
#pragma once

#include <cmath>

namespace dsp {

// About 4.35 s at 44100 Hz and 1 s at 192000 Hz.
constexpr int delayLength = 192000;

// Truncates toward zero within [0, length − 1]; a product that is not a
// finite number (a bad setting) counts as 0 so the read stays inside.
inline int wholeSamples(float q) {
    // Below 1 truncation gives 0 or a negative count, which clamps to 0;
    // deciding that before converting keeps huge negatives in range.
    if (!std::isfinite(q) || q < 1.0f) return 0;
    if (q >= static_cast<float>(delayLength - 1)) return delayLength - 1;
    return static_cast<int>(q);
}

// A whole-sample delay in samples at rate sr.
inline int countFor(float seconds, float sr) { return wholeSamples(sr * seconds); }

// Within [0, length − 1]; not a finite number counts as 0, which keeps
// the four reads of a cubic inside the memory.
inline float clampedSamples(float q) {
    if (!std::isfinite(q) || q < 0.0f) return 0.0f;
    const float longest = static_cast<float>(delayLength - 1);
    return q >= longest ? longest : q;
}

// Where a fractional delay reads at rate sr: the slot `whole`
// samples back and the cubic's fraction from it. The cubic is chosen with
// q − 0.5 truncated, so its fraction runs over [0.5, 1.5) and it changes to
// the next cubic halfway between samples rather than on them.
struct Tap {
    int whole;
    float fraction;
};
inline Tap tapFor(float seconds, float sr) {
    const float q = clampedSamples(sr * seconds);
    const int i = static_cast<int>(q - 0.5f);
    return {i, q - static_cast<float>(i)};
}

}  // namespace dsp
