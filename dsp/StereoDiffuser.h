// Both channels' diffuser chains in one unit: three allpass stages in series
// and a tone stage, the engine's voicing giving every tone stage of a
// network the same settings. Each stage is a Schroeder allpass whose loop
// runs through its line and a tone stage; the output is taken before the
// line, and the state register adds one sample. The network drives the
// chain a stage at a time, since its lines may be read before they are
// written; what comes back from the lines closes the loops at the end of the
// sample. Each loop filter's result only serves the next sample, so the
// order among them is free, and they go two at a time in four lanes: the
// first two stages' loops together, the third stage's loop beside the
// output tone. For each lane the operations are those of the one-channel
// chain the sound was defined with.
#pragma once

#include "dsp/DiffuserStages.h"
#include "dsp/Lanes.h"
#include "dsp/Tone.h"

namespace dsp {

template <class Line>
class StereoDiffuser final {
public:
    static constexpr int stageCount = diffuserStageCount;
    static_assert(stageCount == 3,
                  "the networks name each stage, and the loops pair the first two");

    float* attach(float* block) {
        for (Line& line : lines) block = line.attach(block);
        return block;
    }
    void setRate(float sr) {
        for (Line& line : lines) line.setRate(sr);
    }
    Line& line(int stage) { return lines[stage]; }

    // The engine's voicing spreads nothing, so the coefficients depend on
    // the diffusion alone.
    void setDiffusion(float d) {
        for (int k = 0; k < stageCount; ++k) {
            const float c = stageCoefficient(k, d, 0.0f);
            g[k] = Lanes(c, c);
        }
    }
    void copyTone(const ToneSettings& settings) {
        firstLoops.copySettings(settings);
        toneAndThirdLoop.copySettings(settings);
    }

    // The allpass of stage k: its output, and in `w` what enters its line.
    Lanes stage(int k, Lanes x, Lanes& w) const {
        const Lanes v = s[k] - g[k] * x;
        w = x + g[k] * v;
        return v;
    }
    // What the first two lines gave this sample, side by side, through their
    // loop filters: the first two stages' state for the next sample.
    void closeFirstLoops(Lanes firstTwo) {
        const Lanes filtered = firstLoops.process(firstTwo);
        s[0] = filtered.lower();
        s[1] = filtered.upper();
    }
    // The chain's output x through the tone stage, and what the third line
    // gave through its loop filter: the third stage's state for the next
    // sample. Gives the chain's output.
    Lanes output(Lanes x, Lanes third) {
        const Lanes filtered = toneAndThirdLoop.process(Lanes::join(x, third));
        s[2] = filtered.upper();
        return filtered.lower();
    }

private:
    Lanes g[stageCount];
    Lanes s[stageCount];
    Line lines[stageCount];
    StereoTone firstLoops;
    StereoTone toneAndThirdLoop;
};

}  // namespace dsp
