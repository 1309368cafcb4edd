// The reverb as every plug-in format shares it: the live parameter values,
// the engine with its rate, the values made engine settings once per block,
// and the render of the host's separate left and right buffers. It knows no
// format; the VST 2 effect and the LV2 plug-in are thin layers over it.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <memory>

#include "dsp/ReverbEngine.h"
#include "params/Parameters.h"

class ReverbCore final {
public:
    // Every parameter at its default.
    ReverbCore();
    ~ReverbCore();
    ReverbCore(const ReverbCore&) = delete;
    ReverbCore& operator=(const ReverbCore&) = delete;

    // Stores a parameter's live value; false, storing nothing, for an index
    // that is no parameter or a value that is not finite (one bad
    // automation point must not poison the engine).
    bool setParameter(int32_t index, float value);
    float getParameter(int32_t index) const { return isParameter(index) ? live(index) : 0.0f; }

    void setSampleRate(float rate) { engine->setSampleRate(rate); }
    // Brings the engine's delay memory in, on the caller's thread.
    void touchMemory() { engine->touchMemory(); }

    // The live values become engine settings; once per block.
    void updateEngine();

    // One block: the inputs' frames through the engine into the outputs,
    // written over them or added to them. An output may be the same memory
    // as any input: no frame is written before it has been read. Null
    // buffers process nothing, though the engine still takes the settings.
    void processReplacing(const float* inLeft, const float* inRight, float* outLeft,
                          float* outRight, int32_t frames);
    void process(const float* inLeft, const float* inRight, float* outLeft, float* outRight,
                 int32_t frames);
    // More frames of the block the last updateEngine began, written over
    // the outputs with the same settings: a caller that must see each piece
    // of a block before its outputs are written (LV2's bypass fade) hands
    // it over in pieces and still gets the bits of one processReplacing.
    void continueReplacing(const float* inLeft, const float* inRight, float* outLeft,
                           float* outRight, int32_t frames);

    const dsp::ReverbEngine& getEngine() const { return *engine; }
    float getOutputGain() const { return outputGain; }

private:
    template <bool accumulate>
    class BlockFrames;

    float live(int32_t index) const { return currentValues[index].load(std::memory_order_relaxed); }
    // What the engine and the mix hear of a continuous parameter. A host may
    // store any finite value and reads it back as stored, but one outside 0
    // to 1 would drive the engine where it was never meant to go (a huge
    // early/late balance overflows the tone filters to infinity for good).
    float heard(int32_t index) const { return std::min(std::max(live(index), 0.0f), 1.0f); }

    template <bool accumulate>
    void render(const float* inLeft, const float* inRight, float* outLeft, float* outRight,
                int32_t frames);
    template <bool accumulate>
    void renderFrames(const float* inLeft, const float* inRight, float* outLeft, float* outRight,
                      int32_t frames);

    // Written by whichever thread changes a parameter, read by the audio
    // thread; relaxed atomics are plain 32-bit stores and loads on every target.
    std::atomic<float> currentValues[paramCount];
    float outputGain = 1.0f;
    std::unique_ptr<dsp::ReverbEngine> engine;
};
