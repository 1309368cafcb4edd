// The effect as the host sees it: owns the AEffect descriptor, keeps the
// host's callback and turns the basic opcodes (0 to 24) into virtual calls
// with neutral defaults, so an effect overrides only what it uses.
#pragma once

#include <cstdint>

#include "vst2/EditorInterface.h"
#include "vst2/vst2.h"

class EffectBase {
public:
    EffectBase(audioMasterCallback hostCallback, int32_t numPrograms, int32_t numParams);
    virtual ~EffectBase();

    EffectBase(const EffectBase&) = delete;
    EffectBase& operator=(const EffectBase&) = delete;

    virtual void setParameter(int32_t index, float value) {
        (void)index;
        (void)value;
    }
    virtual float getParameter(int32_t index) {
        (void)index;
        return 0.0f;
    }
    virtual void automateParameter(int32_t index, float value);

    virtual void process(float** inputs, float** outputs, int32_t sampleFrames) = 0;
    virtual void processReplacing(float** inputs, float** outputs, int32_t sampleFrames) {
        (void)inputs;
        (void)outputs;
        (void)sampleFrames;
    }

    virtual intptr_t dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt);

    virtual void open() {}
    virtual void close() {}
    virtual int32_t getProgram() { return currentProgram; }
    virtual void setProgram(int32_t program) { currentProgram = program; }
    virtual void setProgramName(char* name) { *name = 0; }
    virtual void getProgramName(char* name) { *name = 0; }
    virtual void getParameterLabel(int32_t index, char* text);
    virtual void getParameterDisplay(int32_t index, char* text);
    virtual void getParameterName(int32_t index, char* text);
    virtual float getVu() { return 0.0f; }
    virtual intptr_t getChunk(void** data, bool isPreset) {
        (void)data;
        (void)isPreset;
        return 0;
    }
    virtual intptr_t setChunk(void* data, intptr_t byteSize, bool isPreset) {
        (void)data;
        (void)byteSize;
        (void)isPreset;
        return 0;
    }
    virtual void setSampleRate(float rate) { sampleRate = rate; }
    virtual void setBlockSize(int32_t size) { blockSize = size; }
    virtual void suspend() {}
    virtual void resume() {}

    virtual void setUniqueId(int32_t id) { cEffect.uniqueID = id; }
    virtual void setNumInputs(int32_t n) { cEffect.numInputs = n; }
    virtual void setNumOutputs(int32_t n) { cEffect.numOutputs = n; }
    virtual void setHasVu(bool state) { setFlag(effFlagsHasVu, state); }
    virtual void setHasClip(bool state) { setFlag(effFlagsHasClip, state); }
    virtual void setCanMono(bool state) { setFlag(effFlagsCanMono, state); }
    virtual void setCanReplacing(bool state) { setFlag(effFlagsCanReplacing, state); }
    virtual void setProgramsAreChunks(bool state) { setFlag(effFlagsProgramChunks, state); }
    virtual void setRealtimeQualities(int32_t q) { cEffect.realQualities = q; }
    virtual void setOfflineQualities(int32_t q) { cEffect.offQualities = q; }
    virtual void setInitialDelay(int32_t d) { cEffect.initialDelay = d; }

    virtual float getSampleRate() { return sampleRate; }
    virtual int32_t getBlockSize() { return blockSize; }

    virtual intptr_t getHostVersion();
    virtual intptr_t getHostCurrentId();
    virtual void hostIdle();
    virtual bool isInputConnected(int32_t input);
    virtual bool isOutputConnected(int32_t output);

    // Text tools for parameter displays, open to every effect class.
    virtual void formatDecibels(float value, char* text);
    virtual void formatHertz(float samples, char* text);
    virtual void formatMilliseconds(float samples, char* text);
    virtual void formatFloat(float value, char* text);
    virtual void formatInteger(int32_t value, char* text);

    AEffect* getAeffect() { return &cEffect; }
    EditorInterface* getEditorInterface() const { return editor; }
    // An editor registers itself here; the effect owns it from then on.
    void setEditor(EditorInterface* newEditor);
    int32_t getNumPrograms() const { return numPrograms; }
    int32_t getNumParams() const { return numParams; }

protected:
    // Calls the host with this effect's descriptor; 0 without a callback.
    intptr_t callHost(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                      float opt = 0.0f);
    void setFlag(int32_t bit, bool state);

    float sampleRate = 44100.0f;
    EditorInterface* editor = nullptr;
    audioMasterCallback hostCallback;
    int32_t numPrograms;
    int32_t numParams;
    int32_t currentProgram = 0;
    int32_t blockSize = 1024;
    AEffect cEffect;

private:
    static intptr_t VSTCALL dispatcherEntry(AEffect* e, int32_t opcode, int32_t index,
                                            intptr_t value, void* ptr, float opt);
    static void VSTCALL processEntry(AEffect* e, float** inputs, float** outputs,
                                     int32_t sampleFrames);
    static void VSTCALL processReplacingEntry(AEffect* e, float** inputs, float** outputs,
                                              int32_t sampleFrames);
    static void VSTCALL setParameterEntry(AEffect* e, int32_t index, float value);
    static float VSTCALL getParameterEntry(AEffect* e, int32_t index);
};
