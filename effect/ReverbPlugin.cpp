#include "effect/ReverbPlugin.h"

#include <cmath>
#include <cstdio>
#include <cstring>

ReverbPlugin::ReverbPlugin(audioMasterCallback callback)
    : EffectBaseX(callback, ProgramStore::programCount, paramCount) {
    engine = std::make_unique<dsp::ReverbEngine>();
    programs = std::make_unique<ProgramStore>();
    for (int32_t i = 0; i < paramCount; ++i)
        currentValues[i].store(0.0f, std::memory_order_relaxed);
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

// Creating an instance leaves its 12 MB of delay memory unmapped, so that a
// host scanning plug-ins pays nothing for it. Switching on is where a host
// expects the work: the memory comes in here, on the host's thread, instead
// of in page faults on the audio thread during the first seconds of sound.
void ReverbPlugin::resume() { engine->touchMemory(); }

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

template <bool accumulate>
void ReverbPlugin::render(float** inputs, float** outputs, int32_t sampleFrames) {
    updateEngine();
    if (!inputs || !outputs || !inputs[0] || !inputs[1] || !outputs[0] || !outputs[1]) return;
    const float* inLeft = inputs[0];
    const float* inRight = inputs[1];
    float* outLeft = outputs[0];
    float* outRight = outputs[1];
    // The engine takes interleaved frames; a chunk at a time on the stack.
    // A bad input sample would stay in the engine's feedback loops for good,
    // so the engine gets it as silence; the dry path keeps it.
    constexpr int32_t chunk = 64;
    float wet[2 * chunk];
    float dry[2 * chunk];
    for (int32_t start = 0; start < sampleFrames; start += chunk) {
        const int32_t count = sampleFrames - start < chunk ? sampleFrames - start : chunk;
        for (int32_t i = 0; i < count; ++i) {
            const float left = inLeft[start + i];
            const dsp::Lanes in(left, live(paramMonoIn) != 0.0f ? left : inRight[start + i]);
            in.store(&dry[2 * i]);
            in.finiteOrZero().store(&wet[2 * i]);
        }
        engine->processFrames(wet, count);
        for (int32_t i = 0; i < count; ++i) {
            const float mix = heard(paramDryWet);
            const dsp::Lanes out = (mix * dsp::Lanes::load(&wet[2 * i]) +
                                    (1.0f - mix) * dsp::Lanes::load(&dry[2 * i])) *
                                   outputGain;
            if constexpr (accumulate) {
                outLeft[start + i] += out.left();
                outRight[start + i] += out.right();
            } else {
                outLeft[start + i] = out.left();
                outRight[start + i] = out.right();
            }
        }
    }
}

void ReverbPlugin::process(float** inputs, float** outputs, int32_t sampleFrames) {
    render<true>(inputs, outputs, sampleFrames);
}

void ReverbPlugin::processReplacing(float** inputs, float** outputs, int32_t sampleFrames) {
    render<false>(inputs, outputs, sampleFrames);
}
