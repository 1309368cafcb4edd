// Frozen copy of the engine and effect as they stood before the engine was
// made faster (commit 6d23377), compiled only into the benchmarks: the
// baseline that the speed is measured against in the same run. Leave as is.
// The reverb effect as the host sees it: nine parameters, sixteen programs,
// the per-block mapping of the parameters onto the engine and the per-frame
// dry/wet mix around it.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>

#include "params/Parameters.h"
#include "effect/ReverbProgram.h"
#include "bench/baseline/ReverbEngine.h"
#include "vst2/EffectBaseX.h"

class FrozenReverbPlugin final : public EffectBaseX {
public:
    static constexpr int32_t uniqueId = fourCharCode('T', 'W', 'r', 'v');

    explicit FrozenReverbPlugin(audioMasterCallback hostCallback);
    ~FrozenReverbPlugin() override;

    void setParameter(int32_t index, float value) override;
    float getParameter(int32_t index) override;
    void process(float** inputs, float** outputs, int32_t sampleFrames) override;
    void processReplacing(float** inputs, float** outputs, int32_t sampleFrames) override;

    void setProgram(int32_t program) override;
    void setProgramName(char* name) override;
    void getProgramName(char* name) override;
    bool getProgramNameIndexed(int32_t category, int32_t index, char* text) override;


    void setSampleRate(float rate) override;

    bool getEffectName(char* text) override;
    bool getVendorString(char* text) override;
    bool getProductString(char* text) override;
    int32_t getVendorVersion() override { return 1000; }
    int32_t getPlugCategory() override { return kPlugCategEffect; }

    // The live parameter values become engine settings; once per block.
    void updateEngine();

    struct FramePair {
        float value[2];
    };
    // One frame through the mono switch, the engine and the dry/wet mix.
    FramePair& tickFrame(float left, float right, FramePair& pair, float mix);

    const frozen::ReverbEngine& getEngine() const { return *engine; }
    float getOutputGain() const { return outputGain; }

private:
    float live(int32_t index) const { return currentValues[index].load(std::memory_order_relaxed); }

    template <bool accumulate>
    void render(float** inputs, float** outputs, int32_t sampleFrames);

    std::unique_ptr<ProgramStore> programs;
    // Written by whichever thread changes a parameter, read by the audio
    // thread; relaxed atomics are plain 32-bit stores and loads on every target.
    std::atomic<float> currentValues[paramCount];
    float outputGain = 1.0f;
    std::unique_ptr<frozen::ReverbEngine> engine;
};
