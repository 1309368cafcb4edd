// Drives a ReverbEngine the way the effect does: the parameters (0 to 1)
// become engine settings once per block, then the frames are processed in
// place. Shared by the tests and the benchmark.
#pragma once

#include "dsp/ReverbEngine.h"

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
    engine.setEarlySize(60.0f - 72.0f * p.earlySize);
    engine.setLateSize(48.0f - 72.0f * p.lateSize);
    engine.setDiffusion(p.diffusion);
    engine.setDecay(60.0f * p.damping);
    engine.setBalance(p.balance);
    engine.setBypass(!(p.onOff == 1.0f));
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
