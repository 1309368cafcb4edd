#include "core/ReverbPlugin.h"

#include <cmath>
#include <cstdio>
#include <cstring>

namespace {
// A bad input sample would stay in the engine's feedback loops for good.
inline float finiteOrSilence(float x) { return std::isfinite(x) ? x : 0.0f; }

}  // namespace

ReverbPlugin::ReverbPlugin(audioMasterCallback hostCallback)
    : EffectBaseX(hostCallback, ProgramStore::programCount, paramCount) {
    engine = std::make_unique<dsp::ReverbEngine>();
    programs = std::make_unique<ProgramStore>();
    for (int32_t i = 0; i < paramCount; ++i) currentValues[i].store(0.0f, std::memory_order_relaxed);
    if (programs) setProgram(0);
    setNumInputs(2);
    setNumOutputs(2);
    setHasVu(true);
    setCanReplacing(true);
    setUniqueId(uniqueId);
}

ReverbPlugin::~ReverbPlugin() {
    programs.reset();
    engine.reset();
}

void ReverbPlugin::setParameter(int32_t index, float value) {
    // One bad automation point must not poison the engine: keep the old value.
    if (!std::isfinite(value)) return;
    if (isParameter(index)) {
        (*programs)[currentProgram].values[index] = value;
        currentValues[index].store(value, std::memory_order_relaxed);
    }
    if (editor) editor->markForUpdate();
}

float ReverbPlugin::getParameter(int32_t index) { return isParameter(index) ? live(index) : 0.0f; }

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
    engine->setSampleRate(rate);
}

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

void ReverbPlugin::updateEngine() {
    engine->setEarlySize(60.0f - 72.0f * heard(paramEarlySize));
    engine->setLateSize(48.0f - 72.0f * heard(paramLateSize));
    engine->setDiffusion(heard(paramDiffusion));
    engine->setDecay(60.0f * heard(paramDamping));
    engine->setBalance(heard(paramEarlyLate));
    engine->setBypass(live(paramOnOff) != 1.0f);
    outputGain = 1.0f;
}

ReverbPlugin::FramePair& ReverbPlugin::tickFrame(float left, float right, FramePair& pair,
                                                 float mix) {
    pair.value[0] = finiteOrSilence(left);
    if (live(paramMonoIn) != 0.0f) right = left;
    pair.value[1] = finiteOrSilence(right);
    float* w = engine->processFrame(pair.value, 2);
    w[0] = (mix * w[0] + (1.0f - mix) * left) * outputGain;
    w[1] = (mix * w[1] + (1.0f - mix) * right) * outputGain;
    return pair;
}

template <bool accumulate>
void ReverbPlugin::render(float** inputs, float** outputs, int32_t sampleFrames) {
    FramePair pair{{0.0f, 0.0f}};
    updateEngine();
    if (!inputs || !outputs || !inputs[0] || !inputs[1] || !outputs[0] || !outputs[1]) return;
    const float* inLeft = inputs[0];
    const float* inRight = inputs[1];
    float* outLeft = outputs[0];
    float* outRight = outputs[1];
    for (int32_t i = 0; i < sampleFrames; ++i) {
        tickFrame(inLeft[i], inRight[i], pair, heard(paramDryWet));
        if constexpr (accumulate) {
            outLeft[i] += pair.value[0];
            outRight[i] += pair.value[1];
        } else {
            outLeft[i] = pair.value[0];
            outRight[i] = pair.value[1];
        }
    }
}

void ReverbPlugin::process(float** inputs, float** outputs, int32_t sampleFrames) {
    render<true>(inputs, outputs, sampleFrames);
}

void ReverbPlugin::processReplacing(float** inputs, float** outputs, int32_t sampleFrames) {
    render<false>(inputs, outputs, sampleFrames);
}
