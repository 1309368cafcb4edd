// The early reflections for both channels in one unit: one diffuser chain
// on whole-sample allpass loops per channel, without coupling, their sizes
// set a few notes apart so that the channels diffuse differently.
#pragma once

#include "dsp/DiffuserStages.h"
#include "dsp/StereoDiffuser.h"
#include "dsp/WholeDelay.h"

namespace dsp {

class StereoEarly final {
public:
    static constexpr int memoryCount = diffuserStageCount;

    float* attach(float* block) { return chain.attach(block); }
    void setRate(float sr) { chain.setRate(sr); }

    // Takes effect at the next setSize.
    void setSizeOffset(float notes) {
        sizeOffset = notes;
        timesSet = false;
    }
    // The effect sets the same size at every block; the powers behind the
    // times are taken only when it changes.
    void setSize(float a) {
        if (timesSet && sameBits(a, size)) return;
        timesSet = true;
        size = a;
        float left[memoryCount], right[memoryCount];
        earlyStageTimes(a - sizeOffset, left);
        earlyStageTimes(a + sizeOffset, right);
        for (int k = 0; k < memoryCount; ++k) chain.line(k).setTimes(left[k], right[k]);
    }
    void setDiffusion(float d) { chain.setDiffusion(d); }
    void copyTone(const ToneSettings& settings) { chain.copyTone(settings); }

    // The memories keep their contents while the network is off.
    bool isOff() const { return size == earlyOffSize; }
    Lanes process(Lanes x) {
        cursor.advance();
        Lanes w;
        x = chain.stage(0, x, w);
        const Lanes first = chain.line(0).process(cursor, w);
        x = chain.stage(1, x, w);
        const Lanes second = chain.line(1).process(cursor, w);
        x = chain.stage(2, x, w);
        const Lanes third = chain.line(2).process(cursor, w);
        chain.closeFirstLoops(Lanes::join(first, second));
        return chain.output(x, third);
    }

private:
    StereoDiffuser<StereoDelay> chain;
    RingCursor cursor;
    float sizeOffset = 0.0f;
    float size = 0.0f;
    bool timesSet = false;
};

}  // namespace dsp
