// The reverb effect as the host sees it: nine parameters, sixteen programs,
// the per-block mapping of the parameters onto the engine and the per-frame
// dry/wet mix around it.
#pragma once

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <memory>

#include "params/Parameters.h"
#include "effect/ReverbProgram.h"
#include "dsp/ReverbEngine.h"
#include "vst2/EffectBaseX.h"

class ReverbPlugin : public EffectBaseX {
public:
    static constexpr int32_t uniqueId = fourCharCode('T', 'W', 'r', 'v');

    explicit ReverbPlugin(audioMasterCallback hostCallback);
    ~ReverbPlugin() override;

    void setParameter(int32_t index, float value) override;
    float getParameter(int32_t index) override;
    void process(float** inputs, float** outputs, int32_t sampleFrames) override;
    void processReplacing(float** inputs, float** outputs, int32_t sampleFrames) override;

    void setProgram(int32_t program) override;
    void setProgramName(char* name) override;
    void getProgramName(char* name) override;
    bool getProgramNameIndexed(int32_t category, int32_t index, char* text) override;

    void getParameterName(int32_t index, char* text) override;
    void getParameterLabel(int32_t index, char* text) override;
    void getParameterDisplay(int32_t index, char* text) override;

    void setSampleRate(float rate) override;
    void resume() override;

    bool getEffectName(char* text) override;
    bool getVendorString(char* text) override;
    bool getProductString(char* text) override;
    int32_t getVendorVersion() override { return 1000; }
    int32_t getPlugCategory() override { return kPlugCategEffect; }

    // The live parameter values become engine settings; once per block.
    void updateEngine();

    const dsp::ReverbEngine& getEngine() const { return *engine; }
    float getOutputGain() const { return outputGain; }

private:
    float live(int32_t index) const { return currentValues[index].load(std::memory_order_relaxed); }
    // What the engine and the mix hear of a continuous parameter. A host may
    // store any finite value and reads it back as stored, but one outside 0
    // to 1 would drive the engine where it was never meant to go (a huge
    // early/late balance overflows the tone filters to infinity for good).
    float heard(int32_t index) const { return std::min(std::max(live(index), 0.0f), 1.0f); }

    template <bool accumulate>
    void render(float** inputs, float** outputs, int32_t sampleFrames);

    std::unique_ptr<ProgramStore> programs;
    // Written by whichever thread changes a parameter, read by the audio
    // thread; relaxed atomics are plain 32-bit stores and loads on every target.
    std::atomic<float> currentValues[paramCount];
    float outputGain = 1.0f;
    std::unique_ptr<dsp::ReverbEngine> engine;
};
