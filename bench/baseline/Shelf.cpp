// Frozen copy of the engine and effect as they stood before the engine was
// made faster (commit 6d23377), compiled only into the benchmarks: the
// baseline that the speed is measured against in the same run. Leave as is.
#include "bench/baseline/Shelf.h"

namespace frozen {
namespace {

// The parts both shelves share: the pre-warped corner and the pole.
struct Corner {
    float t;
    float n;
    float c0;
};

Corner cornerAt(float fc, float sr) {
    Corner k;
    k.t = prewarp(fc, sr);
    k.n = 1.0f / (1.0f + k.t);
    k.c0 = (1.0f - k.t) * k.n;
    return k;
}

}  // namespace

// A cut moves the high shelf's corner down and the low shelf's corner up by
// the same factor A, the square root of the linear gain.
ShelfCoefficients highShelfCoefficients(float frequency, float gain, float sr) {
    const float a = shelfGainRoot(gain);
    const float a2 = a * a;
    const Corner k = cornerAt(clampCutoff(a * frequency, sr), sr);
    const float c1 = 1.0f + (a2 - 1.0f) * k.n;
    return {k.c0, c1, -(c1 + k.c0 - 1.0f)};
}

ShelfCoefficients lowShelfCoefficients(float frequency, float gain, float sr) {
    const float a = shelfGainRoot(gain);
    const float a2 = a * a;
    const Corner k = cornerAt(clampCutoff(frequency / a, sr), sr);
    const float c1 = 1.0f + (a2 - 1.0f) * k.t * k.n;
    return {k.c0, c1, c1 - 1.0f - k.c0};
}

}  // namespace frozen
