#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>

#include "TestEffect.h"

namespace {

intptr_t call(EffectBase& effect, int32_t opcode, int32_t index = 0, intptr_t value = 0,
              void* ptr = nullptr, float opt = 0.0f) {
    AEffect* e = effect.getAeffect();
    return e->dispatcher(e, opcode, index, value, ptr, opt);
}

struct Row {
    int32_t opcode;
    intptr_t expected;
};

}  // namespace

// Every opcode from 0 to 77 with a valid text buffer as ptr, on an effect
// without editor and without overrides of the extended layer.
TEST(DispatcherTable, EveryOpcodeAnswersItsBaseDefault) {
    const Row rows[] = {
        {effOpen, 0},
        {effSetProgram, 0},
        {effGetProgram, 0},
        {effSetProgramName, 0},
        {effGetProgramName, 0},
        {effGetParamLabel, 0},
        {effGetParamDisplay, 0},
        {effGetParamName, 0},
        {effGetVu, 0},
        {effSetSampleRate, 0},
        {effSetBlockSize, 0},
        {effMainsChanged, 0},
        {effEditGetRect, 0},
        {effEditOpen, 0},
        {effEditClose, 0},
        {effEditDraw, 0},
        {effEditMouse, 0},
        {effEditKey, 0},
        {effEditIdle, 0},
        {effEditTop, 0},
        {effEditSleep, 0},
        {effIdentify, 0x4E764566},
        {effGetChunk, 0},
        {effSetChunk, 0},
        {effProcessEvents, 0},
        {effCanBeAutomated, 1},
        {effString2Parameter, 0},
        {effGetNumProgramCategories, 1},
        {effGetProgramNameIndexed, 0},
        {effCopyProgram, 0},
        {effConnectInput, 1},
        {effConnectOutput, 1},
        {effGetInputProperties, 0},
        {effGetOutputProperties, 0},
        {effGetPlugCategory, kPlugCategUnknown},
        {effGetCurrentPosition, 0},
        {effGetDestinationBuffer, 0},
        {effOfflineNotify, 0},
        {effOfflinePrepare, 0},
        {effOfflineRun, 0},
        {effProcessVarIo, 0},
        {effSetSpeakerArrangement, 0},
        {effSetBlockSizeAndSampleRate, 1},
        {effSetBypass, 0},
        {effGetEffectName, 0},
        {effGetErrorText, 0},
        {effGetVendorString, 0},
        {effGetProductString, 0},
        {effGetVendorVersion, 0},
        {effVendorSpecific, 0},
        {effCanDo, 0},
        {effGetTailSize, 0},
        {effIdle, 0},
        {effGetIcon, 0},
        {effSetViewPosition, 0},
        {effGetParameterProperties, 0},
        {effKeysRequired, 1},
        {effGetVstVersion, 2300},
        {effEditKeyDown, 0},
        {effEditKeyUp, 0},
        {effSetEditKnobMode, 0},
        {effGetMidiProgramName, 0},
        {effGetCurrentMidiProgram, -1},
        {effGetMidiProgramCategory, 0},
        {effHasMidiProgramsChanged, 0},
        {effGetMidiKeyName, 0},
        {effBeginSetProgram, 0},
        {effEndSetProgram, 0},
        {effShellGetNextPlugin, 0},
        {effStartProcess, 0},
        {effStopProcess, 0},
        {effSetTotalSampleToProcess, 0},
        {effSetPanLaw, 0},
        {effBeginLoadBank, 0},
        {effBeginLoadProgram, 0},
        {77, 0},
        {1000, 0},
        {-1, 0},
    };
    TestEffect effect;
    for (const Row& row : rows) {
        alignas(16) char buffer[256] = "unchanged";
        EXPECT_EQ(call(effect, row.opcode, 0, 0, buffer, 44100.0f), row.expected)
            << "opcode " << row.opcode;
    }
}

TEST(DispatcherTable, TextRequestsWriteAnEmptyStringByDefault) {
    TestEffect effect;
    for (int32_t opcode : {effGetProgramName, effGetParamLabel, effGetParamDisplay, effGetParamName,
                           effSetProgramName}) {
        char text[32] = "unchanged";
        call(effect, opcode, 1, 0, text);
        EXPECT_STREQ(text, "") << "opcode " << opcode;
    }
}

TEST(DispatcherTable, ExtendedOpcodesPassEveryOtherNumberToTheBaseDispatcher) {
    TestEffect effect;
    EXPECT_EQ(effect.EffectBaseX::dispatch(effGetProgram, 0, 0, nullptr, 0.0f), 0);
    call(effect, effSetProgram, 0, 5);
    EXPECT_EQ(effect.EffectBaseX::dispatch(effGetProgram, 0, 0, nullptr, 0.0f), 5);
    EXPECT_EQ(effect.EffectBase::dispatch(effGetVstVersion, 0, 0, nullptr, 0.0f), 0)
        << "the basic dispatcher knows nothing above 24";
}

TEST(Programs, SetProgramAcceptsOnlyNumbersInRange) {
    TestEffect effect;
    call(effect, effSetProgram, 0, 15);
    EXPECT_EQ(call(effect, effGetProgram), 15);
    EXPECT_EQ(call(effect, effSetProgram, 0, 16), 0);
    EXPECT_EQ(call(effect, effGetProgram), 15);
    call(effect, effSetProgram, 0, -1);
    EXPECT_EQ(call(effect, effGetProgram), 15);
    // A 64-bit value whose low half is in range must not be truncated into it.
    call(effect, effSetProgram, 0, static_cast<intptr_t>(INTPTR_MAX - 0xFFFFFFFFLL + 3));
    EXPECT_EQ(call(effect, effGetProgram), 15);
}

TEST(Lifecycle, OpenMainsAndCloseReachTheirHooks) {
    TestEffect effect;
    call(effect, effOpen);
    call(effect, effMainsChanged, 0, 1);
    call(effect, effMainsChanged, 0, 0);
    call(effect, effMainsChanged, 0, 2);
    EXPECT_EQ(effect.opens, 1);
    EXPECT_EQ(effect.resumes, 2);
    EXPECT_EQ(effect.suspends, 1);
}

TEST(SampleRate, SetSampleRateAndBlockSizeStoreTheirValues) {
    TestEffect effect;
    call(effect, effSetSampleRate, 0, 0, nullptr, 48000.0f);
    call(effect, effSetBlockSize, 0, 256);
    EXPECT_EQ(effect.getSampleRate(), 48000.0f);
    EXPECT_EQ(effect.getBlockSize(), 256);
    EXPECT_EQ(call(effect, effSetBlockSizeAndSampleRate, 0, 512, nullptr, 96000.0f), 1);
    EXPECT_EQ(effect.getSampleRate(), 96000.0f);
    EXPECT_EQ(effect.getBlockSize(), 512);
    EXPECT_EQ(effect.sampleRateCalls, 1) << "the combined opcode stores only";
}

TEST(SampleRate, RatesThatAreNotPositiveNumbersAreIgnored) {
    TestEffect effect;
    for (float bad : {std::numeric_limits<float>::quiet_NaN(),
                      std::numeric_limits<float>::infinity(), 0.0f, -44100.0f}) {
        call(effect, effSetSampleRate, 0, 0, nullptr, bad);
        EXPECT_EQ(call(effect, effSetBlockSizeAndSampleRate, 0, 64, nullptr, bad), 1);
    }
    EXPECT_EQ(effect.getSampleRate(), 44100.0f);
    EXPECT_EQ(effect.getBlockSize(), 64);
    EXPECT_EQ(effect.sampleRateCalls, 0);
}

TEST(ExtendedOpcodes, AnswerAsTabled) {
    TestEffect effect;
    EXPECT_EQ(call(effect, effSetTotalSampleToProcess, 0, 4096), 4096);
    char bypass[] = "bypass";
    char events[] = "receiveVstEvents";
    char io[] = "1in1out";
    EXPECT_EQ(call(effect, effCanDo, 0, 0, bypass), 0);
    EXPECT_EQ(call(effect, effCanDo, 0, 0, events), 0);
    EXPECT_EQ(call(effect, effCanDo, 0, 0, io), 0);
    EXPECT_EQ(call(effect, effSetBypass, 0, 1), 0);
    EXPECT_EQ(call(effect, effCanBeAutomated, 8), 1);
    EXPECT_EQ(call(effect, effConnectInput, 1, 1), 1);
    EXPECT_EQ(effect.connectedIndex, 1);
    EXPECT_TRUE(effect.connectedState);
    effect.setIsSynth(true);
    EXPECT_EQ(call(effect, effGetPlugCategory), kPlugCategSynth);
}

TEST(ExtendedOpcodes, GetSpeakerArrangementStoresNullThroughBothAddresses) {
    TestEffect effect;
    VstSpeakerArrangement dummy{};
    VstSpeakerArrangement* input = &dummy;
    VstSpeakerArrangement* output = &dummy;
    EXPECT_EQ(
        call(effect, effGetSpeakerArrangement, 0, reinterpret_cast<intptr_t>(&input), &output), 0);
    EXPECT_EQ(input, nullptr);
    EXPECT_EQ(output, nullptr);
}

TEST(NullPointers, OpcodesThatUsePtrAnswerZeroAndTouchNothing) {
    TestEffect effect;
    effect.setEditor(new TestEditor(&effect));
    for (int32_t opcode = 0; opcode <= 77; ++opcode) {
        if (opcode == effClose) continue;
        const intptr_t got = call(effect, opcode, 0, 0, nullptr, 0.0f);
        switch (opcode) {
        case effGetProgram:
        case effIdentify:
        case effCanBeAutomated:
        case effGetNumProgramCategories:
        case effConnectInput:
        case effConnectOutput:
        case effSetBlockSizeAndSampleRate:
        case effKeysRequired:
        case effGetVstVersion:
        case effEditKeyDown:
        case effEditKeyUp:
        case effSetEditKnobMode:
            break;  // these do not use ptr
        default:
            EXPECT_EQ(got, 0) << "opcode " << opcode;
        }
    }
    VstSpeakerArrangement* output = reinterpret_cast<VstSpeakerArrangement*>(0x1);
    EXPECT_EQ(call(effect, effGetSpeakerArrangement, 0, 0, &output), 0);
    EXPECT_EQ(output, reinterpret_cast<VstSpeakerArrangement*>(0x1))
        << "with one address null, neither is written";
}

TEST(EditorOpcodes, WithoutAnEditorAnswerZero) {
    TestEffect effect;
    char parent[8];
    ERect* rect = nullptr;
    EXPECT_EQ(call(effect, effEditOpen, 0, 0, parent), 0);
    EXPECT_EQ(call(effect, effEditGetRect, 0, 0, &rect), 0);
    EXPECT_EQ(rect, nullptr);
    EXPECT_EQ(call(effect, effEditKeyDown, 'a', 1, nullptr, 2.0f), 0);
    EXPECT_EQ(call(effect, effEditKeyUp, 'a', 1, nullptr, 2.0f), 0);
    EXPECT_EQ(call(effect, effSetEditKnobMode, 0, 2), 0);
}

TEST(EditorOpcodes, ReachTheRegisteredEditor) {
    TestEffect effect;
    auto* editor = new TestEditor(&effect);
    effect.setEditor(editor);
    char parent[8];
    ERect* rect = nullptr;
    EXPECT_EQ(call(effect, effEditGetRect, 0, 0, &rect), 1);
    EXPECT_EQ(rect, &editor->rect);
    EXPECT_EQ(call(effect, effEditOpen, 0, 0, parent), 1);
    EXPECT_EQ(editor->getParentWindow(), parent);
    call(effect, effEditClose);
    EXPECT_EQ(editor->closes, 1);
    EXPECT_EQ(call(effect, effSetEditKnobMode, 0, 2), 1);
    EXPECT_EQ(editor->knobMode, 2);
}

TEST(EditorOpcodes, IdleRunsTheUpdateHookOncePerMark) {
    TestEffect effect;
    auto* editor = new TestEditor(&effect);
    effect.setEditor(editor);
    call(effect, effEditIdle);
    EXPECT_EQ(editor->updates, 0);
    editor->markForUpdate();
    call(effect, effEditIdle);
    call(effect, effEditIdle);
    EXPECT_EQ(editor->updates, 1);
}

TEST(EditorOpcodes, KeyRequestsBuildTheKeyRecordFromIndexValueAndOpt) {
    TestEffect effect;
    auto* editor = new TestEditor(&effect);
    effect.setEditor(editor);
    EXPECT_EQ(call(effect, effEditKeyDown, 'x', 0x1234, nullptr, 258.0f), 7);
    EXPECT_EQ(editor->lastKey.character, 'x');
    EXPECT_EQ(editor->lastKey.virt, 0x34);
    EXPECT_EQ(editor->lastKey.modifier, 2);
    EXPECT_EQ(call(effect, effEditKeyUp, 0, 3, nullptr, std::nanf("")), 8);
    EXPECT_EQ(editor->lastKey.virt, 3);
    EXPECT_EQ(editor->lastKey.modifier, 0) << "a non-finite modifier reads as none";
}

TEST(EditorInterfaceDefaults, AnswerNeutrally) {
    TestEffect effect;
    EditorInterface editor(&effect);
    ERect* rect = nullptr;
    VstKeyCode key{};
    EXPECT_EQ(editor.getRect(&rect), 0);
    EXPECT_EQ(rect, nullptr);
    int window;
    EXPECT_EQ(editor.open(&window), 0);
    EXPECT_EQ(editor.getParentWindow(), &window);
    EXPECT_EQ(editor.onKeyDown(key), -1);
    EXPECT_EQ(editor.onKeyUp(key), -1);
    EXPECT_EQ(editor.setKnobMode(2), 0);
    EXPECT_FALSE(editor.onWheel(1.0f));
    editor.markForUpdate();
    EXPECT_TRUE(editor.isUpdatePending());
    editor.idle();
    EXPECT_FALSE(editor.isUpdatePending());
}

#if INTPTR_MAX == INT64_MAX
TEST(PointerSizedArguments, MinusOneReachesA64BitHostUnchanged) {
    TestEffect effect;
    char name[64];
    EXPECT_EQ(call(effect, effGetCurrentMidiProgram, 0, 0, name), static_cast<intptr_t>(-1));
}
#endif
