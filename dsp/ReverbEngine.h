// The root of the processing tree: pre-delay, early reflections, the late
// tail fed by the early output, the early/late balance and a tone stage per
// output channel. The plug-in calls the setters once per block and
// processEach on the block's frames; nothing is allocated after
// construction.
//
// The two channels go through identical structures, so the engine runs them
// side by side in the lanes of one register (see Lanes.h): the stereo units
// compute for each channel exactly what the one-channel units that define
// the sound compute (the reference library, which the tests hold it to),
// each state with the same operations in the same order, and the engine's
// output is theirs bit for bit. Only independent
// work changes places (reads before writes where a read cannot see the
// write, loop filters after the chain), which lets two stereo steps share
// four lanes. Delay times become sample counts when they are set and again
// whenever the engine's rate has changed since the last call, not at every
// sample. All delay memory is one DelayArena.
//
// Each engine has a rate of its own, 44100 Hz until its effect says
// otherwise, so that no instance's rate can change how another sounds, and
// one built before the host gives its rate sounds like one built after.
#pragma once

#include <atomic>
#include <cmath>

#include "dsp/DelayArena.h"
#include "dsp/Processor.h"
#include "dsp/StereoEarly.h"
#include "dsp/StereoLate.h"
#include "dsp/StereoPreDelay.h"
#include "dsp/Tone.h"

namespace dsp {

class ReverbEngine final : public Processor {
public:
    static constexpr int memoryCount =
        StereoPreDelay::memoryCount + StereoEarly::memoryCount + StereoLate::memoryCount;

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
    // May come from any thread. The next call to processFrames takes it up
    // and retunes the filters, delays, glide and oscillator for it; a rate
    // that is not a positive number is refused, since filters designed
    // for it would never recover.
    void setSampleRate(float sr) {
        if (std::isfinite(sr) && sr > 0.0f) rate.store(sr, std::memory_order_relaxed);
    }
    float getSampleRate() const { return rate.load(std::memory_order_relaxed); }
    // What every tone stage of the networks, and the output's, are designed
    // from, as of the last call to processFrames.
    const ToneSettings& getNetworkVoicing() const { return networkVoicing; }
    const ToneSettings& getOutputVoicing() const { return outputVoicing; }

    // What each late branch hands the other at the next frame.
    float lateFeedback(int channel) const {
        return channel == 0 ? late.feedback().left() : late.feedback().right();
    }

    float* processFrame(float* frame, int channels) override {
        (void)channels;
        processFrames(frame, 1);
        return frame;
    }

    // Brings the delay memory in before processing starts.
    void touchMemory() { memory.touch(); }

    // Processes `count` interleaved stereo frames in place.
    void processFrames(float* frames, int count) {
        Interleaved interleaved{frames};
        processEach(interleaved, count);
    }

    // Processes `count` frames that `frames` hands over and takes back one
    // at a time: frames.in(n) gives frame n, frames.out(n, result) takes
    // what the engine made of it, before frame n + 1 is asked for. So the
    // caller can read the host's buffers and write them, even where they
    // are the same memory, with no copy between. Bypassed, each frame comes
    // back as it went in.
    template <typename Frames>
    void processEach(Frames& frames, int count) {
        if (bypass) {
            for (int n = 0; n < count; ++n) frames.out(n, frames.in(n));
            return;
        }
        // One rate for the whole call, whenever another thread sets it.
        const float sr = getSampleRate();
        if (sr != tunedRate) retune(sr);
        // Settings hold for the whole call.
        const Running running{!pre.isOff(), !early.isOff(), !late.isOff()};
        for (int n = 0; n < count; ++n) frames.out(n, back(running, front(running, frames.in(n))));
    }

private:
    void retune(float sr);

    // Frames side by side in one buffer, left first.
    struct Interleaved {
        float* frames;
        Lanes in(int n) const { return Lanes::load(frames + 2 * n); }
        void out(int n, Lanes frame) const { frame.store(frames + 2 * n); }
    };

    // Which units take part; the others pass the frame as it is.
    struct Running {
        bool pre, early, late;
    };
    // The pre-delay and the early reflections: the early output.
    Lanes front(const Running& running, Lanes x) {
        if (running.pre) x = pre.process(x);
        if (running.early) x = early.process(x);
        return x;
    }
    // The late tail fed by the early output, the balance and the tone.
    Lanes back(const Running& running, Lanes earlyOut) {
        const Lanes tail = running.late ? late.process(earlyOut) : earlyOut;
        return outputTone.process(balanceMix(earlyOut, tail, balance));
    }

    DelayArena memory;
    StereoPreDelay pre;
    StereoEarly early;
    StereoLate late;
    StereoTone outputTone;
    // What the tone stages are set to, kept to design them again for a
    // new rate: one voicing for every stage of both networks, one for the
    // output.
    ToneSettings networkVoicing;
    ToneSettings outputVoicing;
    float balance = 0.5f;
    // Written by the effect's rate hook, perhaps on another thread.
    std::atomic<float> rate{initialSampleRate};
    // What the units are tuned to.
    float tunedRate = initialSampleRate;
};

}  // namespace dsp
