#include <gtest/gtest.h>

#include <cstring>

#include "TestEffect.h"

TEST(Descriptor, HoldsTheBaseValuesAfterConstruction) {
    TestEffect effect;
    const AEffect* e = effect.getAeffect();
    EXPECT_EQ(e->magic, 0x56737450);
    EXPECT_EQ(e->numPrograms, 16);
    EXPECT_EQ(e->numParams, 9);
    EXPECT_EQ(e->numInputs, 1);
    EXPECT_EQ(e->numOutputs, 2);
    EXPECT_EQ(e->flags, 0);
    EXPECT_EQ(e->resvd1, 0);
    EXPECT_EQ(e->resvd2, 0);
    EXPECT_EQ(e->initialDelay, 0);
    EXPECT_EQ(e->realQualities, 0);
    EXPECT_EQ(e->offQualities, 0);
    EXPECT_EQ(e->ioRatio, 1.0f);
    EXPECT_EQ(e->object, &effect);
    EXPECT_EQ(e->user, nullptr);
    EXPECT_EQ(e->uniqueID, 0x4E6F4566);  // 'NoEf'
    EXPECT_EQ(e->version, 1);
    EXPECT_NE(e->dispatcher, nullptr);
    EXPECT_NE(e->process, nullptr);
    EXPECT_NE(e->processReplacing, nullptr);
    EXPECT_NE(e->setParameter, nullptr);
    EXPECT_NE(e->getParameter, nullptr);
    const char zeros[sizeof(e->future)] = {};
    EXPECT_EQ(std::memcmp(e->future, zeros, sizeof(zeros)), 0);
    EXPECT_EQ(effect.getSampleRate(), 44100.0f);
    EXPECT_EQ(effect.getBlockSize(), 1024);
    EXPECT_EQ(effect.getProgram(), 0);
}

TEST(Descriptor, EntriesReachTheEffectThroughTheObjectField) {
    TestEffect effect;
    AEffect* e = effect.getAeffect();
    float left[4] = {}, right[4] = {};
    float* channels[2] = {left, right};
    e->process(e, channels, channels, 4);
    e->processReplacing(e, channels, channels, 3);
    e->setParameter(e, 2, 0.75f);
    EXPECT_EQ(effect.processedFrames, 4);
    EXPECT_EQ(effect.replacedFrames, 3);
    EXPECT_EQ(e->getParameter(e, 2), 0.75f);
    EXPECT_EQ(e->dispatcher(e, effGetProgram, 0, 0, nullptr, 0.0f), 0);
}

TEST(Descriptor, EntriesIgnoreANullDescriptor) {
    AEffect blank{};
    TestEffect effect;
    AEffect* e = effect.getAeffect();
    EXPECT_EQ(e->dispatcher(nullptr, effGetVstVersion, 0, 0, nullptr, 0.0f), 0);
    EXPECT_EQ(e->dispatcher(&blank, effClose, 0, 0, nullptr, 0.0f), 0);
    e->setParameter(&blank, 0, 1.0f);
    EXPECT_EQ(e->getParameter(nullptr, 0), 0.0f);
}

TEST(Descriptor, FlagSettersSetAndClearTheirBitOnly) {
    TestEffect effect;
    const AEffect* e = effect.getAeffect();
    effect.setHasVu(true);
    effect.setCanReplacing(true);
    EXPECT_EQ(e->flags, 4 + 16);
    effect.setHasClip(true);
    effect.setCanMono(true);
    effect.setProgramsAreChunks(true);
    effect.setIsSynth(true);
    effect.setNoTail(true);
    effect.setAsync(true);
    effect.setExternalBuffer(true);
    EXPECT_EQ(e->flags, 4 + 16 + 2 + 8 + 32 + 256 + 512 + 1024 + 2048);
    effect.setHasVu(false);
    effect.setIsSynth(false);
    effect.setExternalBuffer(false);
    EXPECT_EQ(e->flags, 16 + 2 + 8 + 32 + 512 + 1024);
}

TEST(Descriptor, SettersStoreIntoTheirFields) {
    TestEffect effect;
    const AEffect* e = effect.getAeffect();
    effect.setUniqueId(0x54577276);
    effect.setNumInputs(2);
    effect.setNumOutputs(3);
    effect.setRealtimeQualities(5);
    effect.setOfflineQualities(6);
    effect.setInitialDelay(7);
    EXPECT_EQ(e->uniqueID, 0x54577276);
    EXPECT_EQ(e->numInputs, 2);
    EXPECT_EQ(e->numOutputs, 3);
    EXPECT_EQ(e->realQualities, 5);
    EXPECT_EQ(e->offQualities, 6);
    EXPECT_EQ(e->initialDelay, 7);
}

TEST(Descriptor, RegisteringAnEditorSetsTheEditorFlag) {
    TestEffect effect;
    auto* editor = new TestEditor(&effect);
    effect.setEditor(editor);
    EXPECT_EQ(effect.getAeffect()->flags & effFlagsHasEditor, effFlagsHasEditor);
    EXPECT_EQ(effect.getEditor(), editor);
}

TEST(Lifetime, CloseThroughTheDescriptorDestroysEffectAndEditor) {
    bool effectGone = false, editorGone = false;
    auto* effect = new TestEffect(nullptr, &effectGone);
    effect->setEditor(new TestEditor(effect, &editorGone));
    AEffect* e = effect->getAeffect();
    EXPECT_EQ(e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f), 1);
    EXPECT_TRUE(effectGone);
    EXPECT_TRUE(editorGone);
}

TEST(Lifetime, DestroyingTheEffectWithoutEditorIsSafe) {
    bool effectGone = false;
    auto* effect = new TestEffect(nullptr, &effectGone);
    AEffect* e = effect->getAeffect();
    EXPECT_EQ(e->dispatcher(e, effClose, 0, 0, nullptr, 0.0f), 1);
    EXPECT_TRUE(effectGone);
}
