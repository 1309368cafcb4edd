// Host-side audio for the torture cases: input and output channels of one
// capacity, noise or silence in, and a scan of what came out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "host/VstHost.h"
#include "programs/torture/Random.h"

// What a stretch of output held that a host must never be handed: numbers
// that are not finite, and subnormal numbers, which stall the processors of
// every plug-in after this one in the chain.
struct OutputScan {
    size_t samples = 0;
    size_t nonFinite = 0;
    size_t subnormal = 0;
    double energy = 0.0;

    void add(const float* x, size_t n);
    bool clean() const { return nonFinite == 0 && subnormal == 0; }
    double rms() const;
};

class StereoBuffers final {
public:
    explicit StereoBuffers(size_t capacity);

    // Noise in [-level, level) on both inputs, independent per channel.
    void fillNoise(Random& random, size_t frames, float level = 0.5f);
    void fillSilence(size_t frames);
    // processReplacing over the first `frames` frames; the outputs are
    // poisoned first, so a frame the effect leaves unwritten is seen.
    void process(PluginInstance& plugin, size_t frames);
    void scan(OutputScan& into, size_t frames) const;

    const float* outLeft() const { return out[0].data(); }
    const float* outRight() const { return out[1].data(); }
    size_t capacity() const { return in[0].size(); }

private:
    std::vector<float> in[2];
    std::vector<float> out[2];
};

// Two instances fed the same noise, block by block: what one does to its
// twin shows in how their outputs part.
class TwinRun final {
public:
    static constexpr size_t blockFrames = 256;

    TwinRun(PluginInstance& one, PluginInstance& other) : first(one), second(other) {}

    void block(Random& random);
    const StereoBuffers& firstOut() const { return mine; }
    const StereoBuffers& secondOut() const { return theirs; }
    // Sum of squared differences between the last blocks' outputs, and the
    // second instance's energy, for a relative measure.
    void addDifference(double& difference, double& energy) const;
    bool identical() const;

private:
    PluginInstance& first;
    PluginInstance& second;
    StereoBuffers mine{blockFrames}, theirs{blockFrames};
};
