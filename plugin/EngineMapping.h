// The parameters' values (0 to 1) as the engine's settings. The one place
// the formulas stand: the plug-in applies them once per block, and the tests
// and benchmarks that drive the engine as the plug-in does apply them too.
#pragma once

#include "dsp/ReverbEngine.h"

struct EngineSettings {
    float earlySize = 0.5f;
    float lateSize = 0.5f;
    float damping = 0.5f;
    float diffusion = 0.5f;
    float earlyLate = 0.5f;
    bool on = false;
};

// In the order the engine has always had them: setting the late size
// recomputes the late network's timing at once, from what it holds then.
inline void applyEngineSettings(dsp::ReverbEngine& engine, const EngineSettings& s) {
    engine.setEarlySize(60.0f - 72.0f * s.earlySize);
    engine.setLateSize(48.0f - 72.0f * s.lateSize);
    engine.setDiffusion(s.diffusion);
    engine.setDecay(60.0f * s.damping);
    engine.setBalance(s.earlyLate);
    engine.setBypass(!s.on);
}
