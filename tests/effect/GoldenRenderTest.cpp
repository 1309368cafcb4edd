// Renders fixed stimuli through the effect and compares every output bit
// with the renders of the engine as it stood before it was made faster.
// The hashes below were taken from that engine (commit 6d23377, Linux
// x86_64); any difference in any bit of any case is a change of the sound
// and fails here, on every target. The cases cover what the faster paths
// could get wrong: sample rates (delay counts cached per rate), block sizes
// (settings applied per block), automation and rate changes between blocks,
// bypass, the mono switch, both networks switched off, and the
// accumulating entry.
//
// The cases marked "own rate" were taken again when each instance got a
// rate of its own (the tone filters are designed for the rate the host
// gives, no longer for the rate of the moment the engine was built, and
// every instance is built at 44.1 kHz). All other cases, everything at
// 44.1 kHz, kept their hashes bit for bit through that change; so did the
// 48 kHz case without a tail, whose filters designed for 48 kHz after
// construction are the very ones an engine built at 48 kHz had.
#include <gtest/gtest.h>

#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <memory>
#include <vector>

#include "effect/ReverbPlugin.h"
#include "tests/support/DspTestSupport.h"

namespace {

enum class Stimulus { impulse, noise, sweep };

// Early size, late size, damping, diffusion, early/late, dry/wet, volume,
// on/off, mono in.
using Settings = float[paramCount];
constexpr Settings defaults = {0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.5f, 0.0f, 1.0f, 0.0f};
constexpr Settings largeLong = {1.0f, 1.0f, 0.9f, 0.5f, 0.5f, 1.0f, 0.0f, 1.0f, 0.0f};
constexpr Settings smallBright = {0.1f, 0.2f, 0.3f, 0.9f, 0.3f, 0.8f, 0.0f, 1.0f, 0.0f};
constexpr Settings earlyOnly = {0.7f, 0.0f, 0.5f, 0.6f, 0.0f, 1.0f, 0.0f, 1.0f, 0.0f};
constexpr Settings lateOnlyMono = {0.0f, 0.8f, 0.7f, 0.2f, 1.0f, 0.6f, 0.0f, 1.0f, 1.0f};
constexpr Settings noDiffusion = {0.4f, 0.6f, 0.6f, 0.0f, 0.5f, 1.0f, 0.0f, 1.0f, 0.0f};

// What happens between blocks besides the per-block mapping.
enum class Between { nothing, automation, rateChanges, bypassToggles, accumulate };

struct GoldenCase {
    const char* name;
    Stimulus stimulus;
    const float* settings;
    float rate;
    int block;
    int frames;
    Between between;
    uint64_t hash;
};

// An impulse at the first frame (the right one weaker), a noise burst, or a
// sine sweep from low to high; each followed by silence for the last quarter
// so that the tail is heard. Only the four basic operations, so every
// target makes the same stimulus.
void makeStimulus(Stimulus kind, int frames, std::vector<float>& left, std::vector<float>& right) {
    left.assign(frames, 0.0f);
    right.assign(frames, 0.0f);
    const int sounding = frames - frames / 4;
    dsp::TestNoise noise;
    float phase = 0.0f;
    for (int n = 0; n < sounding; ++n) {
        switch (kind) {
        case Stimulus::impulse:
            if (n == 0) {
                left[n] = 1.0f;
                right[n] = 0.5f;
            }
            break;
        case Stimulus::noise:
            left[n] = noise.next();
            right[n] = noise.next();
            break;
        case Stimulus::sweep: {
            // From 0.0005 to 0.45 cycles per frame; a parabolic sine is a
            // sine closely enough for a stimulus.
            const float increment =
                0.0005f + 0.4495f * static_cast<float>(n) / static_cast<float>(sounding);
            phase = phase + increment;
            if (phase > 0.5f) phase = phase - 1.0f;
            const float value = phase * (8.0f - 16.0f * (phase < 0.0f ? -phase : phase));
            left[n] = 0.7f * value;
            right[n] = -0.6f * value;
            break;
        }
        }
    }
}

void applySettings(ReverbPlugin& effect, const float* settings) {
    for (int32_t i = 0; i < paramCount; ++i) effect.setParameter(i, settings[i]);
}

// What a host would do before block number `index`.
void betweenBlocks(ReverbPlugin& effect, Between between, int index) {
    switch (between) {
    case Between::automation: {
        // Slow ramps of the sizes and the decay, a step of the diffusion.
        const float t = static_cast<float>(index % 64) / 64.0f;
        effect.setParameter(paramEarlySize, 0.2f + 0.6f * t);
        effect.setParameter(paramLateSize, 0.9f - 0.5f * t);
        effect.setParameter(paramDamping, 0.3f + 0.5f * t);
        effect.setParameter(paramDiffusion, index % 16 < 8 ? 0.3f : 0.8f);
        break;
    }
    case Between::rateChanges:
        if (index % 40 == 13) effect.setSampleRate(index % 80 < 40 ? 96000.0f : 48000.0f);
        break;
    case Between::bypassToggles:
        effect.setParameter(paramOnOff, index % 24 < 16 ? 1.0f : 0.0f);
        break;
    case Between::nothing:
    case Between::accumulate:
        break;
    }
}

// As a host does: the instance is made, then told the rate.
uint64_t render(const GoldenCase& c) {
    auto effect = std::make_unique<ReverbPlugin>(nullptr);
    effect->setSampleRate(c.rate);
    applySettings(*effect, c.settings);
    std::vector<float> inLeft, inRight;
    makeStimulus(c.stimulus, c.frames, inLeft, inRight);
    std::vector<float> outLeft(c.frames, 0.125f), outRight(c.frames, -0.25f);
    int index = 0;
    for (int start = 0; start < c.frames; start += c.block, ++index) {
        betweenBlocks(*effect, c.between, index);
        const int n = c.frames - start < c.block ? c.frames - start : c.block;
        float* in[2] = {inLeft.data() + start, inRight.data() + start};
        float* out[2] = {outLeft.data() + start, outRight.data() + start};
        if (c.between == Between::accumulate)
            effect->process(in, out, n);
        else
            effect->processReplacing(in, out, n);
    }
    return dsp::hashFloats(dsp::hashFloats(0xcbf29ce484222325ULL, outLeft), outRight);
}

// About four and a half seconds of audio in all.
const GoldenCase goldenCases[] = {
    {"impulseDefaults44k512", Stimulus::impulse, defaults, 44100.0f, 512, 8192, Between::nothing,
     0x3af19511cf120917ULL},
    {"noiseDefaults44kOneFrameBlocks", Stimulus::noise, defaults, 44100.0f, 1, 8192,
     Between::nothing, 0x560dd24a8c1bc65dULL},
    {"sweepLargeLong44k4096", Stimulus::sweep, largeLong, 44100.0f, 4096, 30000, Between::nothing,
     0x013485f8180ea809ULL},
    {"noiseSmallBright48k64", Stimulus::noise, smallBright, 48000.0f, 64, 8192, Between::nothing,
     0x063caf64fb7158efULL /* own rate */},
    {"impulseLargeLong96k512", Stimulus::impulse, largeLong, 96000.0f, 512, 48000, Between::nothing,
     0xba07d7e3293af8f2ULL /* own rate */},
    {"sweepEarlyOnly48k512", Stimulus::sweep, earlyOnly, 48000.0f, 512, 8192, Between::nothing,
     0xaacaace694c014e0ULL},
    {"noiseLateOnlyMono96k4096", Stimulus::noise, lateOnlyMono, 96000.0f, 4096, 16384,
     Between::nothing, 0x6a02cf4d4e7dafcaULL /* own rate */},
    {"impulseNoDiffusion44k64", Stimulus::impulse, noDiffusion, 44100.0f, 64, 8192,
     Between::nothing, 0x84e7094903c53ef5ULL},
    {"noiseLargeLong48k512", Stimulus::noise, largeLong, 48000.0f, 512, 30000, Between::nothing,
     0xdbebf0613a588268ULL /* own rate */},
    {"sweepDefaults96kOneFrameBlocks", Stimulus::sweep, defaults, 96000.0f, 1, 8192,
     Between::nothing, 0x462bcc1e70952cf0ULL /* own rate */},
    {"noiseAutomated44k64", Stimulus::noise, defaults, 44100.0f, 64, 16384, Between::automation,
     0x6ea93cee675ccba3ULL},
    {"noiseRateChanges44k512", Stimulus::noise, defaults, 44100.0f, 512, 30000,
     Between::rateChanges, 0xbf5762c7552f1b71ULL /* own rate */},
    {"noiseBypassToggles44k64", Stimulus::noise, smallBright, 44100.0f, 64, 8192,
     Between::bypassToggles, 0xbe1bf61b447d84b9ULL},
    {"noiseAccumulating44k512", Stimulus::noise, defaults, 44100.0f, 512, 8192, Between::accumulate,
     0x91010fdb2226aa25ULL},
};

class GoldenRender : public ::testing::TestWithParam<GoldenCase> {};

TEST_P(GoldenRender, MatchesTheEngineBeforeItWasMadeFaster) {
    const GoldenCase& c = GetParam();
    const uint64_t h = render(c);
    char text[32];
    std::snprintf(text, sizeof text, "0x%016" PRIx64 "ULL", h);
    EXPECT_EQ(h, c.hash) << c.name << " renders " << text;
}

INSTANTIATE_TEST_SUITE_P(FixedStimuli, GoldenRender, ::testing::ValuesIn(goldenCases),
                         [](const ::testing::TestParamInfo<GoldenCase>& named) {
                             return std::string(named.param.name);
                         });

}  // namespace
