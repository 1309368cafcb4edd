// Drives a ReverbEngine the way the plug-in does: the parameters (0 to 1)
// become engine settings once per block, by the plug-in's own mapping, then
// the frames are processed in place. Shared by the tests and the benchmark.
#pragma once

#include "dsp/ReverbEngine.h"
#include "plugin/EngineMapping.h"

namespace dsp {

struct EngineParameters {
    float earlySize = 0.5f;
    float lateSize = 0.5f;
    float damping = 0.5f;
    float diffusion = 0.5f;
    float balance = 0.5f;
    float onOff = 1.0f;
};

inline void applyParameters(ReverbEngine& engine, const EngineParameters& p) {
    EngineSettings settings;
    settings.earlySize = p.earlySize;
    settings.lateSize = p.lateSize;
    settings.damping = p.damping;
    settings.diffusion = p.diffusion;
    settings.earlyLate = p.balance;
    settings.on = p.onOff == 1.0f;
    applyEngineSettings(engine, settings);
}

// Processes interleaved stereo frames in place, re-applying the parameters
// every blockSize frames as the effect does at each processing call.
inline void processBlocks(ReverbEngine& engine, const EngineParameters& p, float* frames, int count,
                          int blockSize = 512) {
    for (int n = 0; n < count; ++n) {
        if (n % blockSize == 0) applyParameters(engine, p);
        engine.processFrame(frames + 2 * n, 2);
    }
}

}  // namespace dsp
