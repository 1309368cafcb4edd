// The reverb effect as a VST 2 host sees it: nine parameters, sixteen
// programs, the texts and the dispatcher's answers. The sound, with the live
// values and the engine, is the shared plug-in's (ReverbCore); this class
// hands it the host's calls.
#pragma once

#include <cstdint>
#include <memory>

#include "params/Parameters.h"
#include "effect/ReverbProgram.h"
#include "plugin/ReverbCore.h"
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

    const dsp::ReverbEngine& getEngine() const { return core.getEngine(); }
    float getOutputGain() const { return core.getOutputGain(); }

private:
    ReverbCore core;
    std::unique_ptr<ProgramStore> programs;
};
