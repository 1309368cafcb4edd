// The base of every unit of the reverb: a small object that transforms audio
// one sample or one stereo frame at a time. Composite units own their parts
// and drive them through the same two operations, so the engine is a tree.
#pragma once

namespace dsp {

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
