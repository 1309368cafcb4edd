// The times of the pre-delay's two sides, set apart by a width around a base
// time, gliding toward their targets (halving the distance every 0.05 s) so
// that a new base time never clicks; they start at 0. Shared by the
// one-channel-per-line pre-delay and the engine's stereo one.
#pragma once

#include "dsp/DspMath.h"

namespace dsp {

class PreDelayGlide final {
public:
    void setTime(float seconds) { baseTime = seconds; }
    void setWidth(float value) { width = value; }
    // The glide's pace is in seconds, so it takes this many samples more.
    void setRate(float sr) { rate = sr; }
    // A base time of 0 passes the input straight through.
    bool isOff() const { return baseTime == 0.0f; }

    float getSmoothedLeft() const { return smoothedLeft; }
    float getSmoothedRight() const { return smoothedRight; }

    // One step of the glide; gives the times for this sample's lines.
    void step(float& left, float& right) {
        const float leftTarget = baseTime * (1.0f - width);
        const float rightTarget = baseTime * (1.0f + width);
        float k = rate * 0.05f;
        if (k < 1.0f) k = 1.0f;
        const float factor = 0.693147f / k;
        left = smoothedLeft + (leftTarget - smoothedLeft) * factor;
        right = smoothedRight + (rightTarget - smoothedRight) * factor;
        // The remembered times carry a tiny constant so that they never decay
        // into subnormal numbers; the lines get the times without it.
        smoothedLeft = left + 1e-13f;
        smoothedRight = right + 1e-13f;
    }

private:
    float baseTime = 0.0f;
    float width = 0.0f;
    float smoothedLeft = 0.0f;
    float smoothedRight = 0.0f;
    float rate = initialSampleRate;
};

}  // namespace dsp
