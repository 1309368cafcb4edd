#include "lv2/HostBypass.h"

#include <algorithm>
#include <cmath>
#include <cstring>

// Starts playing, as an unconnected port says.
HostBypass::HostBypass(double rate)
    : steps(std::max<int32_t>(1, static_cast<int32_t>(std::lround(0.010 * rate)))),
      position(steps),
      target(steps) {}

void HostBypass::keep(const float* left, const float* right, uint32_t frames) {
    std::memcpy(keptLeft, left, frames * sizeof(float));
    std::memcpy(keptRight, right, frames * sizeof(float));
}

// A straight line from one to the other: the reverb's output and the input
// hang together, so the sum moves as smoothly as either. At either end the
// one signal goes out exactly as it is.
void HostBypass::fade(float* left, float* right, uint32_t frames) {
    const float perStep = 1.0f / static_cast<float>(steps);
    for (uint32_t i = 0; i < frames; ++i) {
        if (position == 0) {
            left[i] = keptLeft[i];
            right[i] = keptRight[i];
        } else if (position < steps) {
            const float g = static_cast<float>(position) * perStep;
            left[i] = g * left[i] + (1.0f - g) * keptLeft[i];
            right[i] = g * right[i] + (1.0f - g) * keptRight[i];
        }
        position += position < target ? 1 : position > target ? -1 : 0;
    }
}
