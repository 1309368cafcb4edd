// The host's bypass switch (lv2:enabled) as a fade between the reverb's
// output and the input, about 10 ms long at any rate, so that switching
// never clicks. Left stays left and right right whatever Mono-In says: the
// host means "as if the plug-in were not there". The reverb keeps running
// underneath, so switching back brings in the room as it sounds now.
//
// A host may hand the same buffers in and out and need not say how long
// its blocks are: the input is kept a fixed piece at a time, before the
// reverb writes over it, in memory the switch owns from the start.
#pragma once

#include <cstdint>

class HostBypass final {
public:
    // Frames kept at a time.
    static constexpr uint32_t piece = 256;

    explicit HostBypass(double rate);

    // What the host's port says for this run: above 0 plays. A port that is
    // not a number plays too, as an unconnected one does.
    void setEnabled(float value) { target = value <= 0.0f ? 0 : steps; }
    // Playing, and not fading: the reverb's output goes out as it is.
    bool playing() const { return position == steps && target == steps; }

    // The input of up to `piece` frames, before the reverb writes its output.
    void keep(const float* left, const float* right, uint32_t frames);
    // The reverb's output of those frames, faded toward or from the kept input.
    void fade(float* left, float* right, uint32_t frames);

private:
    int32_t steps;     // frames from full reverb to the bare input
    int32_t position;  // steps of reverb in the output: steps is all reverb, 0 the input
    int32_t target;
    float keptLeft[piece];
    float keptRight[piece];
};
