#include <gtest/gtest.h>

#include "TestEffect.h"

namespace {

class HostServices : public ::testing::Test {
protected:
    void SetUp() override { RecordingHost::reset(); }
    const HostCall& only() {
        EXPECT_EQ(RecordingHost::calls().size(), 1u);
        return RecordingHost::calls().back();
    }
    TestEffect effect{&RecordingHost::callback};
};

}  // namespace

TEST_F(HostServices, AutomateSetsTheParameterThenTellsTheHost) {
    effect.automateParameter(3, 0.25f);
    EXPECT_EQ(effect.getParameter(3), 0.25f);
    const HostCall& c = only();
    EXPECT_EQ(c.effect, effect.getAeffect());
    EXPECT_EQ(c.opcode, audioMasterAutomate);
    EXPECT_EQ(c.index, 3);
    EXPECT_EQ(c.value, 0);
    EXPECT_EQ(c.ptr, nullptr);
    EXPECT_EQ(c.opt, 0.25f);
}

TEST_F(HostServices, AutomateWithoutHostStillSetsTheParameter) {
    TestEffect alone;
    alone.automateParameter(4, 0.5f);
    EXPECT_EQ(alone.getParameter(4), 0.5f);
}

TEST_F(HostServices, HostVersionFallsBackToOne) {
    RecordingHost::reset(2400);
    EXPECT_EQ(effect.getHostVersion(), 2400);
    EXPECT_EQ(only().opcode, audioMasterVersion);
    RecordingHost::reset(0);
    EXPECT_EQ(effect.getHostVersion(), 1);
    TestEffect alone;
    EXPECT_EQ(alone.getHostVersion(), 1);
}

TEST_F(HostServices, PinConnectedMeansAnAnswerOfZero) {
    RecordingHost::reset(1);
    EXPECT_FALSE(effect.isInputConnected(0));
    EXPECT_EQ(RecordingHost::calls()[0].opcode, audioMasterPinConnected);
    EXPECT_EQ(RecordingHost::calls()[0].value, 0);
    RecordingHost::reset(0);
    EXPECT_TRUE(effect.isOutputConnected(1));
    EXPECT_EQ(only().index, 1);
    EXPECT_EQ(only().value, 1);
    TestEffect alone;
    EXPECT_TRUE(alone.isInputConnected(0));
    EXPECT_TRUE(alone.isOutputConnected(0));
}

TEST_F(HostServices, IdleAndEditBracketsPassTheirIndex) {
    RecordingHost::reset(1);
    effect.hostIdle();
    EXPECT_TRUE(effect.beginEdit(5));
    EXPECT_TRUE(effect.endEdit(5));
    auto& calls = RecordingHost::calls();
    ASSERT_EQ(calls.size(), 3u);
    EXPECT_EQ(calls[0].opcode, audioMasterIdle);
    EXPECT_EQ(calls[1].opcode, audioMasterBeginEdit);
    EXPECT_EQ(calls[1].index, 5);
    EXPECT_EQ(calls[2].opcode, audioMasterEndEdit);
    EXPECT_EQ(calls[2].index, 5);
}

TEST_F(HostServices, SampleRateAndBlockSizeAreTakenOnlyWhenPositive) {
    RecordingHost::reset(48000);
    EXPECT_EQ(effect.updateSampleRate(), 48000.0f);
    EXPECT_EQ(effect.getSampleRate(), 48000.0f);
    RecordingHost::reset(-1);
    EXPECT_EQ(effect.updateSampleRate(), 48000.0f);
    RecordingHost::reset(0);
    EXPECT_EQ(effect.updateBlockSize(), 1024);
    RecordingHost::reset(128);
    EXPECT_EQ(effect.updateBlockSize(), 128);
    EXPECT_EQ(only().opcode, audioMasterGetBlockSize);
}

TEST_F(HostServices, ArgumentsGoWhereTheHostExpectsThem) {
    RecordingHost::reset(1);
    int task, files;
    char text[32] = "";
    EXPECT_TRUE(effect.sizeWindow(547, 202));
    effect.offlineStart(reinterpret_cast<VstAudioFile*>(&files), 4, 2);
    effect.offlineRead(reinterpret_cast<VstOfflineTask*>(&task), 3, false);
    effect.offlineWrite(reinterpret_cast<VstOfflineTask*>(&task), 6);
    effect.setOutputSampleRate(22050.0f);
    effect.hostVendorSpecific(7, 8, text, 1.5f);
    effect.canHostDo(text);
    effect.wantEvents(9);
    effect.tempoAt(10);
    auto& c = RecordingHost::calls();
    ASSERT_EQ(c.size(), 9u);
    EXPECT_EQ(c[0].opcode, audioMasterSizeWindow);
    EXPECT_EQ(c[0].index, 547);
    EXPECT_EQ(c[0].value, 202);
    EXPECT_EQ(c[1].opcode, audioMasterOfflineStart);
    EXPECT_EQ(c[1].index, 2);
    EXPECT_EQ(c[1].value, 4);
    EXPECT_EQ(c[1].ptr, &files);
    EXPECT_EQ(c[2].opcode, audioMasterOfflineRead);
    EXPECT_EQ(c[2].index, 0);
    EXPECT_EQ(c[2].value, 3);
    EXPECT_EQ(c[2].ptr, &task);
    EXPECT_EQ(c[3].opcode, audioMasterOfflineWrite);
    EXPECT_EQ(c[3].value, 6);
    EXPECT_EQ(c[4].opcode, audioMasterSetOutputSampleRate);
    EXPECT_EQ(c[4].opt, 22050.0f);
    EXPECT_EQ(c[5].opcode, audioMasterVendorSpecific);
    EXPECT_EQ(c[5].index, 7);
    EXPECT_EQ(c[5].value, 8);
    EXPECT_EQ(c[5].ptr, text);
    EXPECT_EQ(c[5].opt, 1.5f);
    EXPECT_EQ(c[6].opcode, audioMasterCanDo);
    EXPECT_EQ(c[6].ptr, text);
    EXPECT_EQ(c[7].opcode, audioMasterWantMidi);
    EXPECT_EQ(c[7].value, 9);
    EXPECT_EQ(c[8].opcode, audioMasterTempoAt);
    EXPECT_EQ(c[8].value, 10);
}

TEST_F(HostServices, PointerAnswersComeBackAsPointers) {
    static int hostRecord;
    RecordingHost::reset(reinterpret_cast<intptr_t>(&hostRecord));
    EXPECT_EQ(static_cast<void*>(effect.getTimeInfo(0)), &hostRecord);
    EXPECT_EQ(static_cast<void*>(effect.getOutputSpeakerArrangement()), &hostRecord);
    EXPECT_EQ(static_cast<void*>(effect.getInputSpeakerArrangement()), &hostRecord);
    EXPECT_EQ(effect.getDirectory(), &hostRecord);
    EXPECT_EQ(static_cast<void*>(effect.getNextPlug(1)), &hostRecord);
    EXPECT_EQ(RecordingHost::calls().back().index, 1);
}

TEST_F(HostServices, FileSelectorWithoutSelectorDoesNotCallTheHost) {
    RecordingHost::reset(1);
    EXPECT_FALSE(effect.openFileSelector(nullptr));
    EXPECT_TRUE(RecordingHost::calls().empty());
}

TEST_F(HostServices, WithoutCallbackEveryServiceAnswersItsFallback) {
    TestEffect alone;
    char text[16] = "";
    EXPECT_EQ(alone.getHostCurrentId(), 0);
    EXPECT_EQ(alone.wantEvents(1), 0);
    EXPECT_EQ(alone.getTimeInfo(0), nullptr);
    EXPECT_FALSE(alone.ioChanged());
    EXPECT_FALSE(alone.needIdle());
    EXPECT_FALSE(alone.sizeWindow(1, 1));
    EXPECT_EQ(alone.updateSampleRate(), 44100.0f);
    EXPECT_EQ(alone.updateBlockSize(), 1024);
    EXPECT_EQ(alone.getPreviousPlug(0), nullptr);
    EXPECT_FALSE(alone.getHostVendorString(text));
    EXPECT_FALSE(alone.canHostDo(text));
    EXPECT_FALSE(alone.beginEdit(0));
    EXPECT_FALSE(alone.updateDisplay());
    EXPECT_EQ(alone.openWindow(nullptr), nullptr);
    alone.hostIdle();
}
