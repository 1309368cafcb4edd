#include "vst2/EffectBaseX.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

#include "vst2/ContentScale.h"
#include "vst2/PanelSnapshot.h"

namespace {

intptr_t answer(bool state) { return state ? 1 : 0; }

intptr_t pointerAnswer(const void* p) { return reinterpret_cast<intptr_t>(p); }

constexpr size_t arrangementHeader = offsetof(VstSpeakerArrangement, speakers);
constexpr size_t speakerSize = sizeof(VstSpeakerProperties);

// The modifier byte arrives as a float; converting a non-finite or huge
// value to an integer would be undefined.
unsigned char modifierByte(float opt) {
    if (!std::isfinite(opt) || std::fabs(opt) >= 2147483648.0f) return 0;
    return static_cast<unsigned char>(static_cast<int32_t>(opt) & 0xFF);
}

}  // namespace

// --- host services -------------------------------------------------------

intptr_t EffectBaseX::wantEvents(intptr_t filter) {
    return callHost(audioMasterWantMidi, 0, filter);
}

VstTimeInfo* EffectBaseX::getTimeInfo(intptr_t filter) {
    return reinterpret_cast<VstTimeInfo*>(callHost(audioMasterGetTime, 0, filter));
}

intptr_t EffectBaseX::tempoAt(intptr_t pos) { return callHost(audioMasterTempoAt, 0, pos); }

intptr_t EffectBaseX::getNumAutomatableParameters() {
    return callHost(audioMasterGetNumAutomatableParameters);
}

intptr_t EffectBaseX::getParameterQuantization() {
    return callHost(audioMasterGetParameterQuantization);
}

bool EffectBaseX::ioChanged() { return callHost(audioMasterIOChanged) != 0; }
bool EffectBaseX::needIdle() { return callHost(audioMasterNeedIdle) != 0; }

bool EffectBaseX::sizeWindow(int32_t width, int32_t height) {
    return callHost(audioMasterSizeWindow, width, height) != 0;
}

float EffectBaseX::updateSampleRate() {
    const intptr_t rate = callHost(audioMasterGetSampleRate);
    if (rate > 0) sampleRate = static_cast<float>(rate);
    return sampleRate;
}

int32_t EffectBaseX::updateBlockSize() {
    const intptr_t size = callHost(audioMasterGetBlockSize);
    if (size > 0 && size <= INT32_MAX) blockSize = static_cast<int32_t>(size);
    return blockSize;
}

intptr_t EffectBaseX::getInputLatency() { return callHost(audioMasterGetInputLatency); }
intptr_t EffectBaseX::getOutputLatency() { return callHost(audioMasterGetOutputLatency); }

AEffect* EffectBaseX::getPreviousPlug(int32_t input) {
    return reinterpret_cast<AEffect*>(callHost(audioMasterGetPreviousPlug, input));
}

AEffect* EffectBaseX::getNextPlug(int32_t output) {
    return reinterpret_cast<AEffect*>(callHost(audioMasterGetNextPlug, output));
}

intptr_t EffectBaseX::willProcess() { return callHost(audioMasterWillReplaceOrAccumulate); }
intptr_t EffectBaseX::getCurrentProcessLevel() {
    return callHost(audioMasterGetCurrentProcessLevel);
}
intptr_t EffectBaseX::getAutomationState() { return callHost(audioMasterGetAutomationState); }

bool EffectBaseX::offlineRead(VstOfflineTask* task, int32_t option, bool readSource) {
    return callHost(audioMasterOfflineRead, readSource ? 1 : 0, option, task) != 0;
}

bool EffectBaseX::offlineWrite(VstOfflineTask* task, int32_t option) {
    return callHost(audioMasterOfflineWrite, 0, option, task) != 0;
}

bool EffectBaseX::offlineStart(VstAudioFile* files, int32_t numFiles, int32_t numNewFiles) {
    return callHost(audioMasterOfflineStart, numNewFiles, numFiles, files) != 0;
}

bool EffectBaseX::offlineGetCurrentPass() {
    return callHost(audioMasterOfflineGetCurrentPass) != 0;
}

bool EffectBaseX::offlineGetCurrentMetaPass() {
    return callHost(audioMasterOfflineGetCurrentMetaPass) != 0;
}

void EffectBaseX::setOutputSampleRate(float rate) {
    callHost(audioMasterSetOutputSampleRate, 0, 0, nullptr, rate);
}

VstSpeakerArrangement* EffectBaseX::getInputSpeakerArrangement() {
    return reinterpret_cast<VstSpeakerArrangement*>(
        callHost(audioMasterGetInputSpeakerArrangement));
}

VstSpeakerArrangement* EffectBaseX::getOutputSpeakerArrangement() {
    return reinterpret_cast<VstSpeakerArrangement*>(
        callHost(audioMasterGetOutputSpeakerArrangement));
}

bool EffectBaseX::getHostVendorString(char* text) {
    return callHost(audioMasterGetVendorString, 0, 0, text) != 0;
}

bool EffectBaseX::getHostProductString(char* text) {
    return callHost(audioMasterGetProductString, 0, 0, text) != 0;
}

intptr_t EffectBaseX::getHostVendorVersion() { return callHost(audioMasterGetVendorVersion); }

intptr_t EffectBaseX::hostVendorSpecific(int32_t a, intptr_t b, void* ptr, float f) {
    return callHost(audioMasterVendorSpecific, a, b, ptr, f);
}

bool EffectBaseX::canHostDo(char* text) { return callHost(audioMasterCanDo, 0, 0, text) != 0; }

intptr_t EffectBaseX::getHostLanguage() { return callHost(audioMasterGetLanguage); }

void* EffectBaseX::openWindow(VstWindow* window) {
    return reinterpret_cast<void*>(callHost(audioMasterOpenWindow, 0, 0, window));
}

bool EffectBaseX::closeWindow(VstWindow* window) {
    return callHost(audioMasterCloseWindow, 0, 0, window) != 0;
}

void* EffectBaseX::getDirectory() {
    return reinterpret_cast<void*>(callHost(audioMasterGetDirectory));
}

bool EffectBaseX::updateDisplay() { return callHost(audioMasterUpdateDisplay) != 0; }

bool EffectBaseX::beginEdit(int32_t index) { return callHost(audioMasterBeginEdit, index) != 0; }
bool EffectBaseX::endEdit(int32_t index) { return callHost(audioMasterEndEdit, index) != 0; }

bool EffectBaseX::openFileSelector(VstFileSelect* selector) {
    return selector && callHost(audioMasterOpenFileSelector, 0, 0, selector) != 0;
}

// --- speaker arrangements ------------------------------------------------

bool EffectBaseX::allocateArrangement(VstSpeakerArrangement** arrangement, int32_t channels) {
    if (!arrangement) return false;
    if (*arrangement) {
        std::free(*arrangement);
        // Never leave the caller holding the released block.
        *arrangement = nullptr;
    }
    if (channels < 0 ||
        static_cast<size_t>(channels) > (SIZE_MAX - arrangementHeader) / speakerSize)
        return false;
    const size_t bytes = arrangementHeader + speakerSize * static_cast<size_t>(channels);
    void* block = std::malloc(bytes);
    if (!block) return false;
    std::memset(block, 0, bytes);
    *arrangement = static_cast<VstSpeakerArrangement*>(block);
    (*arrangement)->numChannels = channels;
    return true;
}

bool EffectBaseX::deallocateArrangement(VstSpeakerArrangement** arrangement) {
    if (!arrangement) return false;
    std::free(*arrangement);
    *arrangement = nullptr;
    return true;
}

bool EffectBaseX::copySpeaker(VstSpeakerProperties* to, const VstSpeakerProperties* from) {
    if (!to || !from) return false;
    // The source name need not be terminated inside its field; stop at the field's end.
    size_t length = 0;
    while (length < sizeof(to->name) - 1 && from->name[length]) ++length;
    std::memcpy(to->name, from->name, length);
    to->name[length] = 0;
    to->type = from->type;
    to->azimuth = from->azimuth;
    to->elevation = from->elevation;
    to->radius = from->radius;
    to->reserved = from->reserved;
    std::memcpy(to->future, from->future, sizeof(to->future));
    return true;
}

bool EffectBaseX::matchArrangement(VstSpeakerArrangement** to, const VstSpeakerArrangement* from) {
    if (!from || !to) return false;
    if (!deallocateArrangement(to) || !allocateArrangement(to, from->numChannels)) return false;
    (*to)->type = from->type;
    for (int32_t i = 0; i < from->numChannels; ++i) {
        if (!copySpeaker(&(*to)->speakers[i], &from->speakers[i])) return false;
    }
    return true;
}

// --- dispatcher ----------------------------------------------------------

intptr_t EffectBaseX::dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                               float opt) {
    char* const text = static_cast<char*>(ptr);
    switch (opcode) {
    case effProcessEvents:
        return ptr ? processEvents(static_cast<VstEvents*>(ptr)) : 0;
    case effCanBeAutomated:
        return answer(canParameterBeAutomated(index));
    case effString2Parameter:
        return text ? answer(stringToParameter(index, text)) : 0;
    case effGetNumProgramCategories:
        return getNumCategories();
    case effGetProgramNameIndexed:
        return text ? answer(getProgramNameIndexed(static_cast<int32_t>(value), index, text)) : 0;
    case effCopyProgram:
        return answer(copyProgram(index));
    case effConnectInput:
        inputConnected(index, value != 0);
        return 1;
    case effConnectOutput:
        outputConnected(index, value != 0);
        return 1;
    case effGetInputProperties:
        return ptr ? answer(getInputProperties(index, static_cast<VstPinProperties*>(ptr))) : 0;
    case effGetOutputProperties:
        return ptr ? answer(getOutputProperties(index, static_cast<VstPinProperties*>(ptr))) : 0;
    case effGetPlugCategory:
        return getPlugCategory();
    case effGetCurrentPosition:
        return reportCurrentPosition();
    case effGetDestinationBuffer:
        return pointerAnswer(reportDestinationBuffer());
    case effOfflineNotify:
        return ptr ? answer(offlineNotify(static_cast<VstAudioFile*>(ptr),
                                          static_cast<int32_t>(value), index != 0))
                   : 0;
    case effOfflinePrepare:
        return ptr ? answer(offlinePrepare(static_cast<VstOfflineTask*>(ptr),
                                           static_cast<int32_t>(value)))
                   : 0;
    case effOfflineRun:
        return ptr ? answer(
                         offlineRun(static_cast<VstOfflineTask*>(ptr), static_cast<int32_t>(value)))
                   : 0;
    case effProcessVarIo:
        return ptr ? answer(processVariableIo(static_cast<VstVariableIo*>(ptr))) : 0;
    case effSetSpeakerArrangement:
        if (!ptr || value == 0) return 0;
        return answer(setSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement*>(value),
                                            static_cast<VstSpeakerArrangement*>(ptr)));
    case effSetBlockSizeAndSampleRate:
        // A rate that is not a positive number would poison every later conversion.
        setBlockSizeAndSampleRate(static_cast<int32_t>(value),
                                  (std::isfinite(opt) && opt > 0.0f) ? opt : sampleRate);
        return 1;
    case effSetBypass:
        return answer(requestBypass(value != 0));
    case effGetEffectName:
        return text ? answer(getEffectName(text)) : 0;
    case effGetErrorText:
        return text ? answer(getErrorText(text)) : 0;
    case effGetVendorString:
        return text ? answer(getVendorString(text)) : 0;
    case effGetProductString:
        return text ? answer(getProductString(text)) : 0;
    case effGetVendorVersion:
        return getVendorVersion();
    case effVendorSpecific:
        if (index == panelSnapshotIndex && value == panelSnapshotValue)
            return (editor && ptr) ? answer(editor->snapshot(*static_cast<PanelSnapshot*>(ptr)))
                                   : 0;
        if (index == contentScaleIndex && value == contentScaleValue)
            return editor ? answer(editor->setContentScale(opt)) : 0;
        return vendorSpecific(index, value, ptr, opt);
    case effCanDo:
        return text ? canDo(text) : 0;
    case effGetTailSize:
        return getTailSize();
    case effIdle:
        return fxIdle();
    case effGetIcon:
        return pointerAnswer(getIcon());
    case effSetViewPosition:
        return answer(setViewPosition(index, static_cast<int32_t>(value)));
    case effGetParameterProperties:
        return ptr ? answer(
                         getParameterProperties(index, static_cast<VstParameterProperties*>(ptr)))
                   : 0;
    case effKeysRequired:
        // The opcode asks the opposite question: 1 means keys are not needed.
        return keysRequired() ? 0 : 1;
    case effGetVstVersion:
        return getVstVersion();
    case effEditKeyDown:
    case effEditKeyUp: {
        if (!editor) return 0;
        VstKeyCode key{};
        key.character = index;
        key.virt = static_cast<unsigned char>(value & 0xFF);
        key.modifier = modifierByte(opt);
        return opcode == effEditKeyDown ? editor->onKeyDown(key) : editor->onKeyUp(key);
    }
    case effSetEditKnobMode:
        return editor ? editor->setKnobMode(value) : 0;
    case effGetMidiProgramName:
        return ptr ? getMidiProgramName(index, static_cast<MidiProgramName*>(ptr)) : 0;
    case effGetCurrentMidiProgram:
        return ptr ? getCurrentMidiProgram(index, static_cast<MidiProgramName*>(ptr)) : 0;
    case effGetMidiProgramCategory:
        return ptr ? getMidiProgramCategory(index, static_cast<MidiProgramCategory*>(ptr)) : 0;
    case effHasMidiProgramsChanged:
        return answer(hasMidiProgramsChanged(index));
    case effGetMidiKeyName:
        return ptr ? answer(getMidiKeyName(index, static_cast<MidiKeyName*>(ptr))) : 0;
    case effBeginSetProgram:
        return answer(beginSetProgram());
    case effEndSetProgram:
        return answer(endSetProgram());
    case effGetSpeakerArrangement:
        if (!ptr || value == 0) return 0;
        return answer(getSpeakerArrangement(reinterpret_cast<VstSpeakerArrangement**>(value),
                                            static_cast<VstSpeakerArrangement**>(ptr)));
    case effShellGetNextPlugin:
        return text ? getNextShellPlugin(text) : 0;
    case effStartProcess:
        return startProcess();
    case effStopProcess:
        return stopProcess();
    case effSetTotalSampleToProcess:
        return setTotalSampleToProcess(value);
    case effSetPanLaw:
        return answer(setPanLaw(static_cast<int32_t>(value), opt));
    case effBeginLoadBank:
        return ptr ? beginLoadBank(static_cast<VstPatchChunkInfo*>(ptr)) : 0;
    case effBeginLoadProgram:
        return ptr ? beginLoadProgram(static_cast<VstPatchChunkInfo*>(ptr)) : 0;
    default:
        return EffectBase::dispatch(opcode, index, value, ptr, opt);
    }
}
