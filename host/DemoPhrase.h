// A short synthesized phrase with clear transients (plucked notes and
// noise hits), so the reverb can be heard with no audio file at hand.
#pragma once

#include <vector>

struct StereoSignal {
    float sampleRate = 44100.0f;
    std::vector<float> left;
    std::vector<float> right;
};

StereoSignal makeDemoPhrase(float sampleRate);
