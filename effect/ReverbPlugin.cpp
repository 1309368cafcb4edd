#include "effect/ReverbPlugin.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {

// A host may hand over no buffer array at all; the block's settings are
// still taken then.
float* channel(float** buffers, int index) { return buffers ? buffers[index] : nullptr; }

}  // namespace

ReverbPlugin::ReverbPlugin(audioMasterCallback callback)
    : EffectBaseX(callback, ProgramStore::programCount, paramCount) {
    programs = std::make_unique<ProgramStore>();
    if (programs) setProgram(0);
    setNumInputs(2);
    setNumOutputs(2);
    setHasVu(true);
    setCanReplacing(true);
    setUniqueId(uniqueId);
}

ReverbPlugin::~ReverbPlugin() { programs.reset(); }

void ReverbPlugin::setParameter(int32_t index, float value) {
    // One bad automation point must not poison the engine: keep the old value.
    if (!std::isfinite(value)) return;
    if (core.setParameter(index, value)) (*programs)[currentProgram].values[index] = value;
    if (editor) editor->markForUpdate();
}

float ReverbPlugin::getParameter(int32_t index) { return core.getParameter(index); }

void ReverbPlugin::setProgram(int32_t program) {
    if (!ProgramStore::contains(program)) return;
    currentProgram = program;
    const ReverbProgram& record = (*programs)[program];
    for (int32_t i = 0; i < paramCount; ++i) setParameter(i, record.values[i]);
}

void ReverbPlugin::setProgramName(char* name) {
    char* stored = (*programs)[currentProgram].name;
    std::strncpy(stored, name, sizeof(ReverbProgram::name) - 1);
    stored[sizeof(ReverbProgram::name) - 1] = 0;
}

void ReverbPlugin::getProgramName(char* name) {
    const char* stored = (*programs)[currentProgram].name;
    if (std::strcmp(stored, "Init") == 0)
        std::sprintf(name, "%s %d", stored, currentProgram + 1);
    else
        std::strcpy(name, stored);
}

bool ReverbPlugin::getProgramNameIndexed(int32_t, int32_t index, char* text) {
    if (!ProgramStore::contains(index)) return false;
    std::strcpy(text, (*programs)[index].name);
    return true;
}

void ReverbPlugin::setSampleRate(float rate) {
    if (!std::isfinite(rate) || rate <= 0.0f) return;
    EffectBaseX::setSampleRate(rate);
    core.setSampleRate(rate);
}

// Creating an instance leaves its 12 MB of delay memory unmapped, so that a
// host scanning plug-ins pays nothing for it. Switching on is where a host
// expects the work: the memory comes in here, on the host's thread, instead
// of in page faults on the audio thread during the first seconds of sound.
void ReverbPlugin::resume() { core.touchMemory(); }

bool ReverbPlugin::getEffectName(char* text) {
    std::strcpy(text, "TW Brellivaunt");
    return true;
}

bool ReverbPlugin::getVendorString(char* text) {
    std::strcpy(text, "Tarnwick Research");
    return true;
}

bool ReverbPlugin::getProductString(char* text) {
    std::strcpy(text, "TW Brellivaunt");
    return true;
}

void ReverbPlugin::process(float** inputs, float** outputs, int32_t sampleFrames) {
    core.process(channel(inputs, 0), channel(inputs, 1), channel(outputs, 0), channel(outputs, 1),
                 sampleFrames);
}

void ReverbPlugin::processReplacing(float** inputs, float** outputs, int32_t sampleFrames) {
    core.processReplacing(channel(inputs, 0), channel(inputs, 1), channel(outputs, 0),
                          channel(outputs, 1), sampleFrames);
}
