// The reverb as an LV2 instance: the host's ports onto the shared plug-in
// (ReverbCore) that the VST 2 effect wraps too. A control port that changed
// since the last run reaches the plug-in before the block is processed,
// exactly as a VST 2 host sets a parameter between two processReplacing
// calls, so both formats give the same audio for the same values and block
// boundaries. The host's bypass port, LV2's own, fades around it (see
// HostBypass); held on or left unconnected, it touches no sample.
#pragma once

#include <cstdint>
#include <memory>

#include "lv2/HostBypass.h"
#include "lv2/Ports.h"
#include "plugin/ReverbCore.h"

class Lv2Reverb final {
public:
    static constexpr double lowestRate = 8000.0;
    static constexpr double highestRate = 384000.0;

    // Null for a rate that is not finite or lies outside the range above,
    // or when there is no memory for the plug-in.
    static std::unique_ptr<Lv2Reverb> create(double rate);

    void connect(uint32_t port, void* data);
    void activate() { reverb.touchMemory(); }
    void run(uint32_t frames);

private:
    explicit Lv2Reverb(float rate);

    void takeControls();
    // A run while the bypass fades or holds: the input is kept a piece at a
    // time before the reverb's output, made in the same block, writes over it.
    void runFading(uint32_t frames);
    // An audio port's buffer from frame `offset` on; null while unconnected.
    float* at(uint32_t port, uint32_t offset) const {
        return audio[port] ? audio[port] + offset : nullptr;
    }

    ReverbCore reverb;
    float* audio[lv2port::audioCount] = {};
    const float* controls[paramCount] = {};
    const float* enabled = nullptr;
    HostBypass bypass;
    // What each control port held when it was last passed on, bit for bit:
    // a NaN compares unequal to itself and would be passed on every run.
    uint32_t passedOn[paramCount] = {};
};
