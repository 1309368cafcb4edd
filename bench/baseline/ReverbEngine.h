// Frozen copy of the engine and effect as they stood before the engine was
// made faster (commit 6d23377), compiled only into the benchmarks: the
// baseline that the speed is measured against in the same run. Leave as is.
// The root of the processing tree: pre-delay, early reflections, the late
// tail fed by the early output, the early/late balance and a tone filter
// per output channel. The effect calls the setters once per block and
// processFrame once per stereo frame; nothing is allocated after
// construction.
#pragma once

#include "bench/baseline/EarlyNetwork.h"
#include "bench/baseline/LateNetwork.h"
#include "bench/baseline/PreDelay.h"
#include "bench/baseline/ToneFilter.h"

namespace frozen {

class ReverbEngine final : public Processor {
public:
    ReverbEngine();

    // Note numbers: 60 switches the early network off, 48 the late one.
    void setEarlySize(float note) { early.setSize(note); }
    void setLateSize(float note) { late.setSize(note); }
    // Coefficient of all twelve allpass stages, used as is.
    void setDiffusion(float d) {
        early.setDiffusion(d);
        late.setDiffusion(d);
    }
    // Exponent x of the late decay time 0.001 × 1.2202^x seconds.
    void setDecay(float x) { late.setDecay(x); }
    // 0 is early only, 1 late only.
    void setBalance(float b) { balance = b; }
    // Sets the process-wide rate: every engine retunes its delays, glides
    // and oscillator from the next sample on; filters keep the tuning of
    // the rate at which they were built.
    void setSampleRate(float rate) { sampleRate = rate; }

    const PreDelay& preDelay() const { return pre; }
    const EarlyNetwork& earlyNetwork() const { return early; }
    const LateNetwork& lateNetwork() const { return late; }

    float* processFrame(float* frame, int channels) override {
        if (bypass) return frame;
        pre.processFrame(frame, channels);
        early.processFrame(frame, channels);
        const float earlyLeft = frame[0];
        const float earlyRight = frame[1];
        late.processFrame(frame, channels);
        frame[0] = leftTone.processSample(balanceMix(earlyLeft, frame[0], balance));
        frame[1] = rightTone.processSample(balanceMix(earlyRight, frame[1], balance));
        return frame;
    }

private:
    PreDelay pre;
    EarlyNetwork early;
    LateNetwork late;
    ToneFilter leftTone;
    ToneFilter rightTone;
    float balance = 0.5f;
};

}  // namespace frozen
