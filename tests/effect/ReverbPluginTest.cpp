#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <utility>
#include <vector>

#include "module/ReverbPluginGui.h"
#include "tests/support/DescriptorChecks.h"

namespace {

constexpr float notANumber = std::numeric_limits<float>::quiet_NaN();
constexpr float infinity = std::numeric_limits<float>::infinity();

std::vector<float> noise(size_t n, uint32_t seed) {
    std::vector<float> v(n);
    for (float& x : v) {
        seed = seed * 1664525u + 1013904223u;
        x = static_cast<float>(seed >> 8) / 8388608.0f - 1.0f;
    }
    return v;
}

// Runs one block of processReplacing (or process) over the given inputs.
struct Block {
    std::vector<float> inLeft, inRight, outLeft, outRight;
    explicit Block(size_t n, uint32_t seed = 1)
        : inLeft(noise(n, seed)),
          inRight(noise(n, seed + 7)),
          outLeft(n, 0.25f),
          outRight(n, -0.25f) {}
    void run(EffectBase& effect, bool replacing = true) {
        float* in[2] = {inLeft.data(), inRight.data()};
        float* out[2] = {outLeft.data(), outRight.data()};
        if (replacing)
            effect.processReplacing(in, out, static_cast<int32_t>(inLeft.size()));
        else
            effect.process(in, out, static_cast<int32_t>(inLeft.size()));
    }
};

std::string programName(ReverbPlugin& p) {
    char text[64] = {};
    p.getProgramName(text);
    return text;
}

}  // namespace

TEST(ReverbPluginConstruction, StartsOnProgramZeroWithTheDefaults) {
    ReverbPluginGui plugin(nullptr);
    EXPECT_EQ(plugin.getProgram(), 0);
    for (int32_t i = 0; i <= 5; ++i) EXPECT_EQ(plugin.getParameter(i), 0.5f) << i;
    for (int32_t i = 6; i <= 8; ++i) EXPECT_EQ(plugin.getParameter(i), 0.0f) << i;
    EXPECT_EQ(programName(plugin), "Init 1");
    const AEffect* e = plugin.getAeffect();
    support::expectReverbDescriptor(e);
}

TEST(ReverbPluginIdentity, AnswersItsNamesThroughTheDispatcher) {
    ReverbPluginGui plugin(nullptr);
    AEffect* e = plugin.getAeffect();
    char text[64];
    EXPECT_EQ(e->dispatcher(e, effGetEffectName, 0, 0, text, 0.0f), 1);
    EXPECT_STREQ(text, "Tarnwick Research Brellivaunt R 1.0");
    EXPECT_EQ(e->dispatcher(e, effGetVendorString, 0, 0, text, 0.0f), 1);
    EXPECT_STREQ(text, "Tarnwick Research");
    EXPECT_EQ(e->dispatcher(e, effGetProductString, 0, 0, text, 0.0f), 1);
    EXPECT_STREQ(text, "Tarnworks Brellivaunt R 1.0");
    EXPECT_EQ(e->dispatcher(e, effGetVendorVersion, 0, 0, nullptr, 0.0f), 1000);
    EXPECT_EQ(e->dispatcher(e, effGetPlugCategory, 0, 0, nullptr, 0.0f), kPlugCategEffect);
    EXPECT_EQ(e->dispatcher(e, effIdentify, 0, 0, nullptr, 0.0f), 0x4E764566);
    ReverbPlugin& base = plugin;
    EXPECT_TRUE(base.ReverbPlugin::getEffectName(text));
    EXPECT_STREQ(text, "TW Brellivaunt");
}

TEST(ReverbPluginPrograms, NamesAreNumberedOnlyWhenExactlyInit) {
    ReverbPluginGui plugin(nullptr);
    plugin.setProgram(3);
    EXPECT_EQ(programName(plugin), "Init 4");
    char indexed[32];
    EXPECT_TRUE(plugin.getProgramNameIndexed(0, 3, indexed));
    EXPECT_STREQ(indexed, "Init");
    char hall[] = "Hall";
    plugin.setProgramName(hall);
    plugin.setProgram(0);
    plugin.setProgram(3);
    EXPECT_EQ(programName(plugin), "Hall");
    char typedInit[] = "Init";
    plugin.setProgramName(typedInit);
    EXPECT_EQ(programName(plugin), "Init 4");
    char spaced[] = "Init ";
    plugin.setProgramName(spaced);
    EXPECT_EQ(programName(plugin), "Init ");
}

TEST(ReverbPluginPrograms, LongNamesAreCutAtTwentyThreeCharacters) {
    ReverbPluginGui plugin(nullptr);
    char longName[] = "A very long program name that goes on";
    plugin.setProgramName(longName);
    EXPECT_EQ(programName(plugin), std::string(longName, 23));
}

TEST(ReverbPluginPrograms, IndexedNamesOutsideTheStoreAnswerFalseAndWriteNothing) {
    ReverbPluginGui plugin(nullptr);
    char text[16] = "kept";
    EXPECT_FALSE(plugin.getProgramNameIndexed(0, 16, text));
    EXPECT_FALSE(plugin.getProgramNameIndexed(0, -1, text));
    EXPECT_STREQ(text, "kept");
    AEffect* e = plugin.getAeffect();
    EXPECT_EQ(e->dispatcher(e, effGetProgramNameIndexed, 15, 0, text, 0.0f), 1);
    EXPECT_STREQ(text, "Init");
}

TEST(ReverbPluginPrograms, ParameterChangesGoIntoTheCurrentProgram) {
    ReverbPluginGui plugin(nullptr);
    plugin.setParameter(2, 0.7f);
    plugin.setProgram(1);
    EXPECT_EQ(plugin.getParameter(2), 0.5f);
    plugin.setProgram(0);
    EXPECT_EQ(plugin.getParameter(2), 0.7f);
}

TEST(ReverbPluginPrograms, OutOfRangeProgramsAreRefused) {
    ReverbPluginGui plugin(nullptr);
    AEffect* e = plugin.getAeffect();
    e->dispatcher(e, effSetProgram, 0, 5, nullptr, 0.0f);
    e->dispatcher(e, effSetProgram, 0, 16, nullptr, 0.0f);
    EXPECT_EQ(e->dispatcher(e, effGetProgram, 0, 0, nullptr, 0.0f), 5);
    plugin.setProgram(99);  // directly, bypassing the dispatcher's check
    EXPECT_EQ(plugin.getProgram(), 5);
}

TEST(ReverbPluginParameters, OutOfRangeIndicesStoreNothing) {
    ReverbPluginGui plugin(nullptr);
    plugin.setParameter(9, 0.3f);
    plugin.setParameter(-1, 0.3f);
    EXPECT_EQ(plugin.getParameter(9), 0.0f);
    EXPECT_EQ(plugin.getParameter(-1), 0.0f);
    for (int32_t i = 0; i <= 5; ++i) EXPECT_EQ(plugin.getParameter(i), 0.5f);
}

TEST(ReverbPluginParameters, NonFiniteValuesAreIgnored) {
    ReverbPluginGui plugin(nullptr);
    AEffect* e = plugin.getAeffect();
    for (float bad : {notANumber, infinity, -infinity}) {
        e->setParameter(e, 2, bad);
        EXPECT_EQ(e->getParameter(e, 2), 0.5f);
    }
    plugin.setProgram(1);
    plugin.setProgram(0);
    EXPECT_EQ(plugin.getParameter(2), 0.5f) << "nor stored in the program";
}

// A host may store any finite value and reads it back as stored, but the
// engine and the mix hear it within 0 to 1: an early/late balance of 1e30
// overflowed to infinity in the tone filters and stayed there for good.
TEST(ReverbPluginParameters, ValuesOutsideTheRangeSoundAsTheNearestEnd) {
    const ReverbParameter continuous[] = {paramEarlySize, paramLateSize,  paramDamping,
                                          paramDiffusion, paramEarlyLate, paramDryWet};
    const std::pair<float, float> outside[] = {
        {2.0f, 1.0f}, {1e30f, 1.0f}, {-1.0f, 0.0f}, {-1e30f, 0.0f}};
    for (ReverbParameter index : continuous) {
        for (const auto& [value, end] : outside) {
            ReverbPluginGui plugin(nullptr), atTheEnd(nullptr);
            for (ReverbPluginGui* p : {&plugin, &atTheEnd}) p->setParameter(paramOnOff, 1.0f);
            plugin.setParameter(index, value);
            atTheEnd.setParameter(index, end);
            EXPECT_EQ(plugin.getParameter(index), value);
            for (int round = 0; round < 2; ++round) {
                Block block(2048, 3 + round), reference(2048, 3 + round);
                block.run(plugin);
                reference.run(atTheEnd);
                ASSERT_EQ(block.outLeft, reference.outLeft) << index << " at " << value;
                ASSERT_EQ(block.outRight, reference.outRight) << index << " at " << value;
                for (float x : block.outLeft)
                    ASSERT_TRUE(std::isfinite(x)) << index << " at " << value;
            }
        }
    }
}

TEST(ReverbPluginAudio, OnOffRunsTheEngineOnlyAtExactlyOne) {
    for (float onOff : {0.0f, 0.999f, 1.0f}) {
        ReverbPluginGui plugin(nullptr);
        plugin.setParameter(paramOnOff, onOff);
        plugin.setParameter(paramDryWet, 0.8f);
        Block block(2048);
        block.run(plugin);
        bool same = true;
        for (size_t i = 0; i < block.inLeft.size(); ++i) {
            // With the engine off the wet signal is the dry one, so the mix
            // is the input up to the rounding of the crossfade.
            same = same && std::fabs(block.outLeft[i] - block.inLeft[i]) <= 1e-6f &&
                   std::fabs(block.outRight[i] - block.inRight[i]) <= 1e-6f;
        }
        EXPECT_EQ(same, onOff != 1.0f) << "On-Off " << onOff;
        EXPECT_EQ(plugin.getEngine().isBypassed(), onOff != 1.0f);
    }
}

TEST(ReverbPluginAudio, MonoInFeedsTheLeftInputToBothPaths) {
    ReverbPluginGui plugin(nullptr);
    plugin.setParameter(paramMonoIn, 0.25f);
    plugin.setParameter(paramDryWet, 0.3f);
    Block block(512);
    block.run(plugin);
    for (size_t i = 0; i < 512; ++i) {
        EXPECT_FLOAT_EQ(block.outLeft[i], block.inLeft[i]);
        EXPECT_FLOAT_EQ(block.outRight[i], block.inLeft[i]);
    }
    // With the engine on, both channels carry the same input, but the
    // engine's left and right paths differ.
    ReverbPluginGui wet(nullptr);
    wet.setParameter(paramMonoIn, 1.0f);
    wet.setParameter(paramOnOff, 1.0f);
    wet.setParameter(paramDryWet, 0.0f);
    Block dry(512);
    dry.run(wet);
    for (size_t i = 0; i < 512; ++i) ASSERT_EQ(dry.outRight[i], dry.inLeft[i]) << i;
}

TEST(ReverbPluginAudio, DryWetZeroGivesTheInputWhileTheEngineKeepsRunning) {
    ReverbPluginGui muted(nullptr), reference(nullptr);
    for (ReverbPluginGui* p : {&muted, &reference}) p->setParameter(paramOnOff, 1.0f);
    muted.setParameter(paramDryWet, 0.0f);
    reference.setParameter(paramDryWet, 1.0f);
    Block first(4096), firstRef(4096);
    first.run(muted);
    firstRef.run(reference);
    EXPECT_EQ(first.outLeft, first.inLeft);
    EXPECT_EQ(first.outRight, first.inRight);
    // The engine heard the same input in both, so from now on they must agree.
    muted.setParameter(paramDryWet, 1.0f);
    Block second(1024, 99), secondRef(1024, 99);
    second.run(muted);
    secondRef.run(reference);
    EXPECT_EQ(second.outLeft, secondRef.outLeft);
    EXPECT_EQ(second.outRight, secondRef.outRight);
    float energy = 0.0f;
    for (float x : second.outLeft) energy += x * x;
    EXPECT_GT(energy, 0.0f);
}

// Switching on brings the delay memory in; it must not touch what the lines
// hold, so switching off and on again mid-stream changes no sample.
TEST(ReverbPluginAudio, SwitchingOffAndOnAgainKeepsTheTailExactly) {
    ReverbPluginGui switched(nullptr), steady(nullptr);
    for (ReverbPluginGui* p : {&switched, &steady}) p->setParameter(paramOnOff, 1.0f);
    switched.dispatch(effMainsChanged, 0, 1, nullptr, 0.0f);
    Block first(8192), firstRef(8192);
    first.run(switched);
    firstRef.run(steady);
    switched.dispatch(effMainsChanged, 0, 0, nullptr, 0.0f);
    switched.dispatch(effMainsChanged, 0, 1, nullptr, 0.0f);
    Block second(8192, 5), secondRef(8192, 5);
    second.run(switched);
    secondRef.run(steady);
    EXPECT_EQ(first.outLeft, firstRef.outLeft);
    EXPECT_EQ(second.outLeft, secondRef.outLeft);
    EXPECT_EQ(second.outRight, secondRef.outRight);
}

TEST(ReverbPluginAudio, ProcessAddsAndProcessReplacingOverwrites) {
    ReverbPluginGui adding(nullptr), replacing(nullptr);
    for (ReverbPluginGui* p : {&adding, &replacing}) {
        p->setParameter(paramOnOff, 1.0f);
    }
    Block a(1024), r(1024);
    a.run(adding, false);
    r.run(replacing, true);
    for (size_t i = 0; i < 1024; ++i) {
        ASSERT_EQ(a.outLeft[i], 0.25f + r.outLeft[i]) << i;
        ASSERT_EQ(a.outRight[i], -0.25f + r.outRight[i]) << i;
    }
}

// Hosts hand the same buffers in and out; some wire the channels across.
// Each arrangement must give what separate buffers holding the same samples
// give, bit for bit, while Mono-In and Dry-Wet change between blocks.
TEST(ReverbPluginAudio, OutputsThatAreTheInputsGiveWhatSeparateBuffersGive) {
    for (const bool replacing : {true, false}) {
        for (const bool crossed : {false, true}) {
            ReverbPluginGui shared(nullptr), separate(nullptr);
            for (ReverbPluginGui* p : {&shared, &separate}) p->setParameter(paramOnOff, 1.0f);
            for (uint32_t b = 0; b < 6; ++b) {
                for (ReverbPluginGui* p : {&shared, &separate}) {
                    p->setParameter(paramMonoIn, b % 3 == 1 ? 1.0f : 0.0f);
                    p->setParameter(paramDryWet, 0.2f * static_cast<float>(b));
                }
                Block reference(700, 3 + b);
                std::vector<float> left = reference.inLeft, right = reference.inRight;
                // Each output starts with what the buffer it shares holds.
                reference.outLeft = crossed ? right : left;
                reference.outRight = crossed ? left : right;
                reference.run(separate, replacing);
                float* in[2] = {left.data(), right.data()};
                float* out[2] = {crossed ? right.data() : left.data(),
                                 crossed ? left.data() : right.data()};
                if (replacing)
                    shared.processReplacing(in, out, 700);
                else
                    shared.process(in, out, 700);
                const char* how = replacing ? "replacing" : "accumulating";
                EXPECT_EQ(crossed ? right : left, reference.outLeft) << how << " block " << b;
                EXPECT_EQ(crossed ? left : right, reference.outRight) << how << " block " << b;
            }
        }
    }
}

TEST(ReverbPluginAudio, ZeroFrameBlocksStillUpdateTheEngine) {
    ReverbPluginGui plugin(nullptr);
    EXPECT_FALSE(plugin.getEngine().isBypassed())
        << "the engine starts running until the first block";
    float* none[2] = {nullptr, nullptr};
    plugin.processReplacing(none, none, 0);
    EXPECT_TRUE(plugin.getEngine().isBypassed());
    plugin.setParameter(paramOnOff, 1.0f);
    plugin.process(none, none, -5);
    EXPECT_FALSE(plugin.getEngine().isBypassed());
    EXPECT_EQ(plugin.getOutputGain(), 1.0f);
}

TEST(ReverbPluginAudio, ANonFiniteInputSampleDoesNotSilenceTheTail) {
    ReverbPluginGui poisoned(nullptr), clean(nullptr);
    for (ReverbPluginGui* p : {&poisoned, &clean}) {
        p->setParameter(paramOnOff, 1.0f);
        p->setParameter(paramDryWet, 1.0f);
    }
    Block bad(2048), good(2048);
    bad.inLeft[100] = notANumber;
    bad.inRight[200] = infinity;
    good.inLeft[100] = 0.0f;
    good.inRight[200] = 0.0f;
    bad.run(poisoned);
    good.run(clean);
    // Only the frames that carried the bad samples differ: the dry share
    // (zero times the bad sample) is left as it is.
    for (size_t i = 0; i < 2048; ++i) {
        if (i == 100 || i == 200) continue;
        ASSERT_EQ(bad.outLeft[i], good.outLeft[i]) << i;
        ASSERT_EQ(bad.outRight[i], good.outRight[i]) << i;
    }
    Block tail(2048, 5), tailRef(2048, 5);
    tail.run(poisoned);
    tailRef.run(clean);
    EXPECT_EQ(tail.outLeft, tailRef.outLeft);
    EXPECT_EQ(tail.outRight, tailRef.outRight);
}

TEST(ReverbPluginAudio, DryPathKeepsANonFiniteSampleWhereItArrived) {
    ReverbPluginGui plugin(nullptr);
    plugin.setParameter(paramDryWet, 0.0f);
    Block block(16);
    block.inLeft[3] = notANumber;
    block.run(plugin);
    EXPECT_TRUE(std::isnan(block.outLeft[3]));
    EXPECT_TRUE(std::isfinite(block.outLeft[4]));
}

TEST(ReverbPluginSampleRate, SetSampleRateReachesTheEngineTheCombinedOpcodeDoesNot) {
    ReverbPluginGui plugin(nullptr);
    AEffect* e = plugin.getAeffect();
    e->dispatcher(e, effSetSampleRate, 0, 0, nullptr, 48000.0f);
    EXPECT_EQ(plugin.getSampleRate(), 48000.0f);
    EXPECT_EQ(plugin.getEngine().getSampleRate(), 48000.0f);
    EXPECT_EQ(e->dispatcher(e, effSetBlockSizeAndSampleRate, 0, 256, nullptr, 96000.0f), 1);
    EXPECT_EQ(plugin.getSampleRate(), 96000.0f);
    EXPECT_EQ(plugin.getEngine().getSampleRate(), 48000.0f);
    for (float bad : {notANumber, infinity, 0.0f, -1.0f}) plugin.setSampleRate(bad);
    EXPECT_EQ(plugin.getEngine().getSampleRate(), 48000.0f);
    plugin.setSampleRate(44100.0f);
    EXPECT_EQ(plugin.getEngine().getSampleRate(), 44100.0f);
}

TEST(ReverbPluginSampleRate, AbsurdRatesNeverPoisonTheEngine) {
    for (float rate : {1e-30f, 1.0f, 100.0f, 1e9f, 3.4e38f}) {
        ReverbPluginGui plugin(nullptr);
        plugin.setParameter(paramOnOff, 1.0f);
        plugin.setParameter(paramDryWet, 1.0f);
        plugin.setParameter(paramDamping, 1.0f);
        plugin.setSampleRate(rate);
        Block block(4096);
        for (int i = 0; i < 4; ++i) {
            block.run(plugin);
            for (float x : block.outLeft) ASSERT_TRUE(std::isfinite(x)) << "at " << rate << " Hz";
        }
        plugin.setSampleRate(44100.0f);
        double energy = 0.0;
        for (int i = 0; i < 4; ++i) {
            block.run(plugin);
            for (size_t j = 0; j < 4096; ++j) {
                ASSERT_TRUE(std::isfinite(block.outLeft[j]) && std::isfinite(block.outRight[j]))
                    << "after " << rate << " Hz";
                energy += block.outLeft[j] * block.outLeft[j];
            }
        }
        EXPECT_GT(energy, 1.0) << "still reverberating after " << rate << " Hz";
    }
}

// Hosts make and tune instances in whatever order a session loads. Each
// instance keeps its own rate: B, made after A was set to 96 kHz, sounds as
// A does; and A's later move to 48 kHz leaves B exactly as B alone would be.
TEST(ReverbPluginSampleRate, InstancesSoundTheSameWhateverOrderTheyAreMadeAndTuned) {
    const auto running = [] {
        auto plugin = std::make_unique<ReverbPluginGui>(nullptr);
        plugin->setSampleRate(96000.0f);
        plugin->setParameter(paramOnOff, 1.0f);
        plugin->setParameter(paramDamping, 0.7f);
        return plugin;
    };
    std::vector<float> alone;
    {
        auto b = running();
        for (uint32_t k = 0; k < 6; ++k) {
            Block block(4096, k);
            block.run(*b);
            if (k >= 3) alone.insert(alone.end(), block.outLeft.begin(), block.outLeft.end());
        }
    }
    auto a = running();
    auto b = running();
    std::vector<float> beside;
    for (uint32_t k = 0; k < 6; ++k) {
        if (k == 3) a->setSampleRate(48000.0f);
        Block blockA(4096, k), blockB(4096, k);
        blockA.run(*a);
        blockB.run(*b);
        if (k < 3) {
            ASSERT_EQ(blockA.outLeft, blockB.outLeft) << "block " << k;
        } else {
            beside.insert(beside.end(), blockB.outLeft.begin(), blockB.outLeft.end());
        }
    }
    EXPECT_EQ(beside, alone);
}
