// Both channels' diffuser chains in one unit: three allpass stages in series
// and a tone stage, as DiffuserChain has for one channel, the engine's
// voicing giving every tone stage of a network the same settings. The
// network drives it a stage at a time, since its lines may be read before
// they are written; what comes back from the lines closes the loops at the
// end of the sample, the first two stages' tone filters side by side. Each
// stage's state only serves the next sample, so the order among them is
// free; for each lane the operations are those of AllpassSection.
#pragma once

#include "dsp/DiffuserChain.h"
#include "dsp/Lanes.h"
#include "dsp/StereoTone.h"

namespace dsp {

template <class Line>
class StereoDiffuser final {
public:
    static constexpr int stageCount = DiffuserChain<Allpass>::stageCount;

    float* attach(float* block) {
        for (Line& line : lines) block = line.attach(block);
        return block;
    }
    void retune() {
        for (Line& line : lines) line.retune();
    }
    Line& line(int stage) { return lines[stage]; }

    // The engine's voicing spreads nothing, so the coefficients depend on
    // the diffusion alone.
    void setDiffusion(float d) {
        for (int k = 0; k < stageCount; ++k) {
            const float c = DiffuserChain<Allpass>::stageCoefficient(k, d, 0.0f);
            g[k] = Lanes(c, c);
        }
    }
    void copyTone(const ToneFilter& settings) {
        firstLoops.copySettings(settings);
        thirdLoop.copySettings(settings);
        tone.copySettings(settings);
    }

    // The allpass of stage k: its output, and in `w` what enters its line.
    Lanes stage(int k, Lanes x, Lanes& w) const {
        const Lanes v = s[k] - g[k] * x;
        w = x + g[k] * v;
        return v;
    }
    // What the lines gave this sample, the first two stages' side by side,
    // through the loop filters: the stages' state for the next sample.
    void closeLoops(Lanes firstTwo, Lanes third) {
        const Lanes filtered = firstLoops.process(firstTwo);
        s[0] = filtered.lower();
        s[1] = filtered.upper();
        s[2] = thirdLoop.process(third);
    }
    // The chain's output tone.
    Lanes output(Lanes x) { return tone.process(x); }

private:
    Lanes g[stageCount];
    Lanes s[stageCount];
    Line lines[stageCount];
    StereoTone firstLoops;
    StereoTone thirdLoop;
    StereoTone tone;
};

}  // namespace dsp
