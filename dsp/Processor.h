// The base of every unit of the reverb: a small object that transforms audio
// one sample or one stereo frame at a time. Composite units own their parts
// and drive them through the same two operations, so the engine is a tree.
#pragma once

#include <atomic>

namespace dsp {

// A float that one thread writes and others read, without ordering: a
// relaxed atomic, which is the same plain 32-bit store and load on every
// target, but is not a data race when one instance's host thread sets it
// while another instance's audio thread reads it.
class SharedFloat final {
public:
    explicit SharedFloat(float initial) : value(initial) {}
    operator float() const { return value.load(std::memory_order_relaxed); }
    SharedFloat& operator=(float v) {
        value.store(v, std::memory_order_relaxed);
        return *this;
    }

private:
    std::atomic<float> value;
};

// One rate for the whole process, read at the moment of use by every unit
// that turns seconds or hertz into samples or coefficients. The latest write
// holds for every engine, so a host that changes it retunes all instances.
extern SharedFloat sampleRate;

class Processor {
public:
    Processor() = default;
    virtual ~Processor() = default;

    Processor(const Processor&) = delete;
    Processor& operator=(const Processor&) = delete;

    // Callers always pass a two-float frame; the count is part of the
    // interface but no unit needs it. The frame is processed in place.
    virtual float* processFrame(float* frame, int channels) {
        (void)channels;
        return frame;
    }
    virtual float processSample(float x) { return x; }

    void setBypass(bool on) { bypass = on; }
    bool isBypassed() const { return bypass; }

protected:
    bool bypass = false;
};

}  // namespace dsp
