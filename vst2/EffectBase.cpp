#include "vst2/EffectBase.h"

#include "params/TextFormat.h"

#include <cmath>
#include <cstring>

namespace {

EffectBase* effectOf(AEffect* e) { return e ? static_cast<EffectBase*>(e->object) : nullptr; }

}  // namespace

EffectBase::EffectBase(audioMasterCallback callback, int32_t programCount, int32_t paramCount)
    : hostCallback(callback), numPrograms(programCount), numParams(paramCount) {
    std::memset(&cEffect, 0, sizeof(cEffect));
    cEffect.magic = kEffectMagic;
    cEffect.dispatcher = &EffectBase::dispatcherEntry;
    cEffect.process = &EffectBase::processEntry;
    cEffect.setParameter = &EffectBase::setParameterEntry;
    cEffect.getParameter = &EffectBase::getParameterEntry;
    cEffect.processReplacing = &EffectBase::processReplacingEntry;
    cEffect.numPrograms = numPrograms;
    cEffect.numParams = numParams;
    cEffect.numInputs = 1;
    cEffect.numOutputs = 2;
    cEffect.ioRatio = 1.0f;
    cEffect.object = this;
    cEffect.uniqueID = fourCharCode('N', 'o', 'E', 'f');
    cEffect.version = 1;
}

EffectBase::~EffectBase() { delete editor; }

void EffectBase::setEditor(EditorInterface* newEditor) {
    editor = newEditor;
    setFlag(effFlagsHasEditor, newEditor != nullptr);
}

void EffectBase::setFlag(int32_t bit, bool state) {
    if (state)
        cEffect.flags |= bit;
    else
        cEffect.flags &= ~bit;
}

void EffectBase::getParameterLabel(int32_t, char* text) { *text = 0; }
void EffectBase::getParameterDisplay(int32_t, char* text) { *text = 0; }
void EffectBase::getParameterName(int32_t, char* text) { *text = 0; }

void EffectBase::formatDecibels(float value, char* text) { ::formatDecibels(value, text); }
void EffectBase::formatFloat(float value, char* text) { ::formatFloat(value, text); }
void EffectBase::formatInteger(int32_t value, char* text) { ::formatInteger(value, text); }

void EffectBase::formatHertz(float samples, char* text) {
    formatFloat(samples == 0.0f ? 0.0f : getSampleRate() / samples, text);
}

void EffectBase::formatMilliseconds(float samples, char* text) {
    formatFloat(samples * 1000.0f / getSampleRate(), text);
}

intptr_t EffectBase::callHost(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
    return hostCallback ? hostCallback(&cEffect, opcode, index, value, ptr, opt) : 0;
}

void EffectBase::automateParameter(int32_t index, float value) {
    setParameter(index, value);
    callHost(audioMasterAutomate, index, 0, nullptr, value);
}

intptr_t EffectBase::getHostVersion() {
    const intptr_t version = callHost(audioMasterVersion);
    return version == 0 ? 1 : version;
}

intptr_t EffectBase::getHostCurrentId() { return callHost(audioMasterCurrentId); }

void EffectBase::hostIdle() { callHost(audioMasterIdle); }

// The host answers 0 for a connected pin; without a host every pin counts as connected.
bool EffectBase::isInputConnected(int32_t input) {
    return callHost(audioMasterPinConnected, input, 0) == 0;
}

bool EffectBase::isOutputConnected(int32_t output) {
    return callHost(audioMasterPinConnected, output, 1) == 0;
}

intptr_t EffectBase::dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
    char* const text = static_cast<char*>(ptr);
    switch (opcode) {
    case effOpen:
        open();
        return 0;
    case effClose:
        close();
        return 0;
    case effSetProgram:
        if (value >= 0 && value < numPrograms) setProgram(static_cast<int32_t>(value));
        return 0;
    case effGetProgram:
        return getProgram();
    case effSetProgramName:
        if (text) setProgramName(text);
        return 0;
    case effGetProgramName:
        if (text) getProgramName(text);
        return 0;
    case effGetParamLabel:
        if (text) getParameterLabel(index, text);
        return 0;
    case effGetParamDisplay:
        if (text) getParameterDisplay(index, text);
        return 0;
    case effGetParamName:
        if (text) getParameterName(index, text);
        return 0;
    case effGetVu: {
        const float vu = getVu() * 32767.0f;
        // Truncation of a non-finite or huge level would be undefined.
        return (std::isfinite(vu) && std::fabs(vu) < 2147483647.0f) ? static_cast<int32_t>(vu) : 0;
    }
    case effSetSampleRate:
        if (std::isfinite(opt) && opt > 0.0f) setSampleRate(opt);
        return 0;
    case effSetBlockSize:
        setBlockSize(static_cast<int32_t>(value));
        return 0;
    case effMainsChanged:
        if (value == 0)
            suspend();
        else
            resume();
        return 0;
    case effEditGetRect:
        return (editor && ptr) ? editor->getRect(static_cast<ERect**>(ptr)) : 0;
    case effEditOpen:
        return (editor && ptr) ? editor->open(ptr) : 0;
    case effEditClose:
        if (editor) editor->close();
        return 0;
    case effEditIdle:
        if (editor) editor->idle();
        return 0;
    case effIdentify:
        return fourCharCode('N', 'v', 'E', 'f');
    case effGetChunk:
        return ptr ? getChunk(static_cast<void**>(ptr), index != 0) : 0;
    case effSetChunk:
        return ptr ? setChunk(ptr, value, index != 0) : 0;
    default:
        // effEditDraw, effEditMouse, effEditKey, effEditTop, effEditSleep and
        // every number this layer does not know.
        return 0;
    }
}

intptr_t VSTCALL EffectBase::dispatcherEntry(AEffect* e, int32_t opcode, int32_t index,
                                             intptr_t value, void* ptr, float opt) {
    EffectBase* const effect = effectOf(e);
    if (!effect) return 0;
    if (opcode == effClose) {
        effect->dispatch(opcode, index, value, ptr, opt);
        delete effect;
        return 1;
    }
    return effect->dispatch(opcode, index, value, ptr, opt);
}

void VSTCALL EffectBase::processEntry(AEffect* e, float** inputs, float** outputs,
                                      int32_t sampleFrames) {
    if (EffectBase* const effect = effectOf(e)) effect->process(inputs, outputs, sampleFrames);
}

void VSTCALL EffectBase::processReplacingEntry(AEffect* e, float** inputs, float** outputs,
                                               int32_t sampleFrames) {
    if (EffectBase* const effect = effectOf(e))
        effect->processReplacing(inputs, outputs, sampleFrames);
}

void VSTCALL EffectBase::setParameterEntry(AEffect* e, int32_t index, float value) {
    if (EffectBase* const effect = effectOf(e)) effect->setParameter(index, value);
}

float VSTCALL EffectBase::getParameterEntry(AEffect* e, int32_t index) {
    EffectBase* const effect = effectOf(e);
    return effect ? effect->getParameter(index) : 0.0f;
}
