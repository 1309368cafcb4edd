#include "plugin/ReverbCore.h"

#include <cmath>

#include "plugin/EngineMapping.h"

// Up to `chunk` frames of the host's inputs as the engine's frames, read
// straight from the host's buffers with Mono-In read anew at every frame.
// A bad input sample would stay in the engine's feedback loops for good, so
// the engine gets it as silence; the dry path keeps it. The engine's output
// and the dry frames wait here until the mix writes the host's outputs: a
// host may hand the same buffers in and out, so nothing is written there
// until the chunk has been read. (A mix inside the engine's loop, with no
// chunk at all, measured slower: the engine's own loop is the hot one.)
template <bool accumulate>
class ReverbCore::BlockFrames final {
public:
    static constexpr int chunk = 64;

    BlockFrames(const ReverbCore& owner, const float* leftIn, const float* rightIn)
        : core(owner), inLeft(leftIn), inRight(rightIn) {}

    dsp::Lanes in(int n) {
        const float left = inLeft[n];
        const dsp::Lanes frame(left, core.live(paramMonoIn) != 0.0f ? left : inRight[n]);
        frame.store(&dry[2 * n]);
        return frame.finiteOrZero();
    }
    void out(int n, dsp::Lanes frame) { frame.store(&wet[2 * n]); }

    // Dry-Wet is read anew at every frame.
    void mix(float* outLeft, float* outRight, int count) const {
        const float gain = core.outputGain;
        for (int i = 0; i < count; ++i) {
            const float m = core.heard(paramDryWet);
            const dsp::Lanes frame =
                (m * dsp::Lanes::load(&wet[2 * i]) + (1.0f - m) * dsp::Lanes::load(&dry[2 * i])) *
                gain;
            if constexpr (accumulate) {
                outLeft[i] += frame.left();
                outRight[i] += frame.right();
            } else {
                outLeft[i] = frame.left();
                outRight[i] = frame.right();
            }
        }
    }

private:
    const ReverbCore& core;
    const float* inLeft;
    const float* inRight;
    float dry[2 * chunk];
    float wet[2 * chunk];
};

ReverbCore::ReverbCore() : engine(std::make_unique<dsp::ReverbEngine>()) {
    for (int32_t i = 0; i < paramCount; ++i)
        currentValues[i].store(parameterTable[i].defaultValue, std::memory_order_relaxed);
}

ReverbCore::~ReverbCore() = default;

bool ReverbCore::setParameter(int32_t index, float value) {
    if (!isParameter(index) || !std::isfinite(value)) return false;
    currentValues[index].store(value, std::memory_order_relaxed);
    return true;
}

void ReverbCore::updateEngine() {
    EngineSettings settings;
    settings.earlySize = heard(paramEarlySize);
    settings.lateSize = heard(paramLateSize);
    settings.damping = heard(paramDamping);
    settings.diffusion = heard(paramDiffusion);
    settings.earlyLate = heard(paramEarlyLate);
    settings.on = live(paramOnOff) == 1.0f;
    applyEngineSettings(*engine, settings);
    outputGain = 1.0f;
}

template <bool accumulate>
void ReverbCore::render(const float* inLeft, const float* inRight, float* outLeft, float* outRight,
                        int32_t frames) {
    updateEngine();
    renderFrames<accumulate>(inLeft, inRight, outLeft, outRight, frames);
}

template <bool accumulate>
void ReverbCore::renderFrames(const float* inLeft, const float* inRight, float* outLeft,
                              float* outRight, int32_t frames) {
    if (!inLeft || !inRight || !outLeft || !outRight) return;
    constexpr int chunk = BlockFrames<accumulate>::chunk;
    for (int32_t start = 0; start < frames; start += chunk) {
        const int32_t count = frames - start < chunk ? frames - start : chunk;
        BlockFrames<accumulate> block(*this, inLeft + start, inRight + start);
        engine->processEach(block, count);
        block.mix(outLeft + start, outRight + start, count);
    }
}

void ReverbCore::processReplacing(const float* inLeft, const float* inRight, float* outLeft,
                                  float* outRight, int32_t frames) {
    render<false>(inLeft, inRight, outLeft, outRight, frames);
}

void ReverbCore::process(const float* inLeft, const float* inRight, float* outLeft, float* outRight,
                         int32_t frames) {
    render<true>(inLeft, inRight, outLeft, outRight, frames);
}

void ReverbCore::continueReplacing(const float* inLeft, const float* inRight, float* outLeft,
                                   float* outRight, int32_t frames) {
    renderFrames<false>(inLeft, inRight, outLeft, outRight, frames);
}
