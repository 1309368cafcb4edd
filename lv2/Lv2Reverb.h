// The reverb effect as an LV2 instance: the host's ports onto the same
// ReverbPlugin the VST 2 module makes, through the same calls a VST 2 host
// makes. A control port that changed since the last run reaches
// setParameter before the block is processed, exactly as a VST 2 host sets a
// parameter between two processReplacing calls, so both formats give the
// same audio for the same values and block boundaries.
#pragma once

#include <cstdint>
#include <memory>

#include "effect/ReverbPlugin.h"
#include "lv2/Ports.h"

class HostFeatures;

class Lv2Reverb final {
public:
    static constexpr double lowestRate = 8000.0;
    static constexpr double highestRate = 384000.0;

    // Null for a rate that is not finite or lies outside the range above,
    // or when there is no memory for the effect.
    static std::unique_ptr<Lv2Reverb> create(double rate, const HostFeatures& host);

    void connect(uint32_t port, void* data);
    void activate() { effect.resume(); }
    void deactivate() { effect.suspend(); }
    void run(uint32_t frames);

private:
    explicit Lv2Reverb(float rate, int32_t blockSize);

    void takeControls();

    ReverbPlugin effect{nullptr};
    float* audio[lv2port::audioCount] = {};
    const float* controls[paramCount] = {};
    // What each control port held when it was last passed on, bit for bit:
    // a NaN compares unequal to itself and would be passed on every run.
    uint32_t passedOn[paramCount] = {};
};
