// The extended protocol (opcodes 25 to 76) and the remaining host services.
// Every extended opcode gets a virtual operation with a neutral default.
#pragma once

#include <cstdint>

#include "vst2/EffectBase.h"

class EffectBaseX : public EffectBase {
public:
    EffectBaseX(audioMasterCallback callback, int32_t programCount, int32_t paramCount)
        : EffectBase(callback, programCount, paramCount) {}

    intptr_t dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) override;

    virtual EditorInterface* getEditor() { return editor; }
    virtual intptr_t wantEvents(intptr_t filter = 1);
    virtual VstTimeInfo* getTimeInfo(intptr_t filter);
    virtual intptr_t tempoAt(intptr_t pos);
    virtual intptr_t processEvents(VstEvents* events) {
        (void)events;
        return 0;
    }
    virtual intptr_t getNumAutomatableParameters();
    virtual intptr_t getParameterQuantization();
    virtual bool canParameterBeAutomated(int32_t index) {
        (void)index;
        return true;
    }
    virtual bool stringToParameter(int32_t index, char* text) {
        (void)index;
        (void)text;
        return false;
    }
    virtual float getChannelParameter(int32_t channel, int32_t index) {
        (void)channel;
        (void)index;
        return 0.0f;
    }
    virtual intptr_t getNumCategories() { return 1; }
    virtual bool getProgramNameIndexed(int32_t category, int32_t index, char* text) {
        (void)category;
        (void)index;
        (void)text;
        return false;
    }
    virtual bool copyProgram(int32_t destination) {
        (void)destination;
        return false;
    }
    virtual bool ioChanged();
    virtual bool needIdle();
    virtual bool sizeWindow(int32_t width, int32_t height);
    virtual float updateSampleRate();
    virtual int32_t updateBlockSize();
    virtual intptr_t getInputLatency();
    virtual intptr_t getOutputLatency();
    virtual AEffect* getPreviousPlug(int32_t input);
    virtual AEffect* getNextPlug(int32_t output);
    virtual void inputConnected(int32_t index, bool state) {
        (void)index;
        (void)state;
    }
    virtual void outputConnected(int32_t index, bool state) {
        (void)index;
        (void)state;
    }
    virtual bool getInputProperties(int32_t index, VstPinProperties* properties) {
        (void)index;
        (void)properties;
        return false;
    }
    virtual bool getOutputProperties(int32_t index, VstPinProperties* properties) {
        (void)index;
        (void)properties;
        return false;
    }
    virtual int32_t getPlugCategory() {
        return (cEffect.flags & effFlagsIsSynth) ? kPlugCategSynth : kPlugCategUnknown;
    }
    virtual intptr_t willProcess();
    virtual intptr_t getCurrentProcessLevel();
    virtual intptr_t getAutomationState();
    virtual void setAsync(bool state) { setFlag(effFlagsExtIsAsync, state); }
    virtual void setExternalBuffer(bool state) { setFlag(effFlagsExtHasBuffer, state); }
    virtual intptr_t reportCurrentPosition() { return 0; }
    virtual float* reportDestinationBuffer() { return nullptr; }
    virtual bool offlineRead(VstOfflineTask* task, int32_t option, bool readSource = true);
    virtual bool offlineWrite(VstOfflineTask* task, int32_t option);
    virtual bool offlineStart(VstAudioFile* files, int32_t numFiles, int32_t numNewFiles);
    virtual bool offlineGetCurrentPass();
    virtual bool offlineGetCurrentMetaPass();
    virtual bool offlineNotify(VstAudioFile* files, int32_t numFiles, bool start) {
        (void)files;
        (void)numFiles;
        (void)start;
        return false;
    }
    virtual bool offlinePrepare(VstOfflineTask* task, int32_t count) {
        (void)task;
        (void)count;
        return false;
    }
    virtual bool offlineRun(VstOfflineTask* task, int32_t count) {
        (void)task;
        (void)count;
        return false;
    }
    virtual intptr_t offlineGetNumPasses() { return 0; }
    virtual intptr_t offlineGetNumMetaPasses() { return 0; }
    virtual void setOutputSampleRate(float rate);
    virtual VstSpeakerArrangement* getInputSpeakerArrangement();
    virtual VstSpeakerArrangement* getOutputSpeakerArrangement();
    virtual bool getHostVendorString(char* text);
    virtual bool getHostProductString(char* text);
    virtual intptr_t getHostVendorVersion();
    virtual intptr_t hostVendorSpecific(int32_t a, intptr_t b, void* ptr, float f);
    virtual bool canHostDo(char* text);
    virtual void setIsSynth(bool state) { setFlag(effFlagsIsSynth, state); }
    virtual void setNoTail(bool state) { setFlag(effFlagsNoSoundInStop, state); }
    virtual intptr_t getHostLanguage();
    virtual void* openWindow(VstWindow* window);
    virtual bool closeWindow(VstWindow* window);
    virtual void* getDirectory();
    virtual bool updateDisplay();
    virtual bool processVariableIo(VstVariableIo* io) {
        (void)io;
        return false;
    }
    virtual bool setSpeakerArrangement(VstSpeakerArrangement* input,
                                       VstSpeakerArrangement* output) {
        (void)input;
        (void)output;
        return false;
    }
    virtual bool getSpeakerArrangement(VstSpeakerArrangement** input,
                                       VstSpeakerArrangement** output) {
        *input = nullptr;
        *output = nullptr;
        return false;
    }
    virtual void setBlockSizeAndSampleRate(int32_t size, float rate) {
        blockSize = size;
        sampleRate = rate;
    }
    virtual bool requestBypass(bool state) {
        (void)state;
        return false;
    }
    virtual bool getEffectName(char* text) {
        (void)text;
        return false;
    }
    virtual bool getErrorText(char* text) {
        (void)text;
        return false;
    }
    virtual bool getVendorString(char* text) {
        (void)text;
        return false;
    }
    virtual bool getProductString(char* text) {
        (void)text;
        return false;
    }
    virtual int32_t getVendorVersion() { return 0; }
    virtual intptr_t vendorSpecific(int32_t a, intptr_t b, void* ptr, float f) {
        (void)a;
        (void)b;
        (void)ptr;
        (void)f;
        return 0;
    }
    virtual intptr_t canDo(char* text) {
        (void)text;
        return 0;
    }
    virtual void* getIcon() { return nullptr; }
    virtual bool setViewPosition(int32_t x, int32_t y) {
        (void)x;
        (void)y;
        return false;
    }
    virtual intptr_t getTailSize() { return 0; }
    virtual intptr_t fxIdle() { return 0; }
    virtual bool getParameterProperties(int32_t index, VstParameterProperties* properties) {
        (void)index;
        (void)properties;
        return false;
    }
    virtual bool keysRequired() { return false; }
    virtual int32_t getVstVersion() { return 2300; }
    virtual intptr_t getMidiProgramName(int32_t channel, MidiProgramName* name) {
        (void)channel;
        (void)name;
        return 0;
    }
    virtual intptr_t getCurrentMidiProgram(int32_t channel, MidiProgramName* name) {
        (void)channel;
        (void)name;
        return -1;
    }
    virtual intptr_t getMidiProgramCategory(int32_t channel, MidiProgramCategory* category) {
        (void)channel;
        (void)category;
        return 0;
    }
    virtual bool hasMidiProgramsChanged(int32_t channel) {
        (void)channel;
        return false;
    }
    virtual bool getMidiKeyName(int32_t channel, MidiKeyName* keyName) {
        (void)channel;
        (void)keyName;
        return false;
    }
    virtual bool beginSetProgram() { return false; }
    virtual bool endSetProgram() { return false; }
    virtual bool beginEdit(int32_t index);
    virtual bool endEdit(int32_t index);
    virtual bool openFileSelector(VstFileSelect* selector);
    virtual intptr_t setTotalSampleToProcess(intptr_t value) { return value; }
    virtual intptr_t getNextShellPlugin(char* name) {
        (void)name;
        return 0;
    }
    virtual intptr_t startProcess() { return 0; }
    virtual intptr_t stopProcess() { return 0; }
    virtual bool setPanLaw(int32_t type, float value) {
        (void)type;
        (void)value;
        return false;
    }
    virtual intptr_t beginLoadBank(VstPatchChunkInfo* info) {
        (void)info;
        return 0;
    }
    virtual intptr_t beginLoadProgram(VstPatchChunkInfo* info) {
        (void)info;
        return 0;
    }

    virtual bool allocateArrangement(VstSpeakerArrangement** arrangement, int32_t channels);
    virtual bool deallocateArrangement(VstSpeakerArrangement** arrangement);
    virtual bool copySpeaker(VstSpeakerProperties* to, const VstSpeakerProperties* from);
    virtual bool matchArrangement(VstSpeakerArrangement** to, const VstSpeakerArrangement* from);
};
