// Both channels' diffuser chains in one unit: three allpass stages in series
// and a tone stage, as DiffuserChain has for one channel. The engine's
// voicing gives every tone stage of a network the same settings.
#pragma once

#include "dsp/DiffuserChain.h"
#include "dsp/StereoAllpass.h"

namespace dsp {

template <class Line>
class StereoDiffuser final {
public:
    static constexpr int stageCount = DiffuserChain<Allpass>::stageCount;

    float* attach(float* block) {
        for (StereoAllpass<Line>& stage : stages) block = stage.line().attach(block);
        return block;
    }
    void retune() {
        for (StereoAllpass<Line>& stage : stages) stage.line().retune();
    }

    // The engine's voicing spreads nothing, so the coefficients depend on
    // the diffusion alone.
    void setDiffusion(float d) {
        for (int k = 0; k < stageCount; ++k) {
            const float g = DiffuserChain<Allpass>::stageCoefficient(k, d, 0.0f);
            stages[k].setCoefficients(g, g);
        }
    }
    void copyTone(const ToneFilter& settings) {
        for (StereoAllpass<Line>& stage : stages) stage.loopTone().copySettings(settings);
        tone.copySettings(settings);
    }
    Line& line(int stage) { return stages[stage].line(); }

    // `at` has advanced to this sample's slot.
    Lanes process(const RingCursor& at, Lanes x) {
        x = stages[0].process(at, x);
        x = stages[1].process(at, x);
        x = stages[2].process(at, x);
        return tone.process(x);
    }

private:
    static_assert(stageCount == 3, "process names each stage");
    StereoAllpass<Line> stages[stageCount];
    StereoTone tone;
};

}  // namespace dsp
