// The reverberant tail for both channels in one unit: two branches
// cross-coupled into one figure-eight loop (what leaves one branch's main
// delay enters the other branch a frame later), the left branch in the left
// lane and the right in the right. Each branch is a diffuser chain on
// interpolated allpass loops, then a main delay; its times and loop gain
// come from LateTiming every recomputePeriod samples, so the modulation
// offsets and a new decay time act in steps. A slow four-phase oscillator
// lengthens one branch's times while it shortens the other's.
#pragma once

#include "dsp/FractionalDelay.h"
#include "dsp/LateTiming.h"
#include "dsp/ModulationOscillator.h"
#include "dsp/StereoDiffuser.h"

namespace dsp {

class StereoLate final {
public:
    static constexpr int memoryCount = diffuserStageCount + 1;

    float* attach(float* block) { return mainDelay.attach(chain.attach(block)); }
    // The oscillator steps at the new rate from the next frame on; its
    // phases and depth stay where they are.
    void setRate(float sr) {
        oscillator.setSampleRate(sr);
        chain.setRate(sr);
        mainDelay.setRate(sr);
    }

    // Applies at once.
    void setSizeOffset(float notes);
    void setSize(float a);
    void setDiffusion(float d) { chain.setDiffusion(d); }
    // x is the exponent of expCurve; the decay time is a thousandth of it.
    void setDecay(float x);
    void setModRate(float hz);
    void setModDepth(float ms);
    void copyTone(const ToneSettings& settings) { chain.copyTone(settings); }

    // What left each branch's main delay at the last frame, scaled by its
    // loop gain: the input of the other branch at the next.
    Lanes feedback() const { return cross; }

    // The memories and cross values wait while the network is off.
    bool isOff() const { return size == lateOffSize; }

    [[gnu::always_inline]] Lanes process(Lanes x) {
        stepModulation();
        const Lanes in = x + cross.swapped();
        if (updateCounter >= LateTiming::recomputePeriod - 1) {
            recompute();
            updateCounter = 0;
        } else {
            ++updateCounter;
        }
        cursor.advance();
        const Lanes firstTwo = StereoInterpDelay::readTwo(chain.line(0), chain.line(1), cursor);
        const Lanes thirdAndMain = StereoInterpDelay::readTwo(chain.line(2), mainDelay, cursor);
        Lanes w;
        Lanes v = chain.stage(0, in, w);
        chain.line(0).write(cursor, w);
        v = chain.stage(1, v, w);
        chain.line(1).write(cursor, w);
        v = chain.stage(2, v, w);
        chain.line(2).write(cursor, w);
        v = chain.output(v, thirdAndMain);
        mainDelay.write(cursor, v);
        chain.closeFirstLoops(firstTwo);
        cross = thirdAndMain.upper() * loopGain;
        // The branches are heard after their tone stage, before their main delay.
        return v;
    }

private:
    void stepModulation() {
        oscillator.step();
        offsetsStale = true;
    }
    void recompute();

    StereoDiffuser<StereoInterpDelay> chain;
    StereoInterpDelay mainDelay;
    RingCursor cursor;
    LateTiming timing[2];
    ModulationOscillator oscillator;
    // Set when the oscillator stepped after the branches last took its values.
    bool offsetsStale = false;
    Lanes loopGain;
    Lanes cross;
    float decay = 0.0f;
    bool decaySet = false;
    float sizeOffset = 0.0f;
    float size = 0.0f;
    int updateCounter = 0;
};

}  // namespace dsp
