#include "tests/editor/EditorTestSupport.h"

#include "gui/WindowClass.h"

using namespace editortest;
using namespace platform;

namespace {

class EditorBaseTest : public guitest::PlatformTest {
protected:
    guitest::Journal journal;
    Host host;
    TestEffect* effect = nullptr;
    TestEditor* editor = nullptr;

    void SetUp() override {
        guitest::PlatformTest::SetUp();
        effect = new TestEffect(host);
        editor = attachTestEditor(effect, journal);
    }
    void TearDown() override { delete effect; }  // the effect owns its editor
};

}  // namespace

TEST_F(EditorBaseTest, RegistersWithItsEffectAndSetsTheEditorFlag) {
    EXPECT_EQ(bridgeOf(effect)->getPanel(), editor);
    EXPECT_NE(effect->getAeffect()->flags & effFlagsHasEditor, 0);
    EXPECT_FALSE(editor->isUpdatePending());
    EXPECT_EQ(editor->getFrame(), nullptr);
}

TEST_F(EditorBaseTest, GetRectAnswersOneAndPointsAtThePanelRectangle) {
    ERect* r = nullptr;
    EXPECT_EQ(bridgeOf(effect)->getRect(&r), 1);
    ASSERT_NE(r, nullptr);
    EXPECT_EQ(r->top, 0);
    EXPECT_EQ(r->left, 0);
    EXPECT_EQ(r->bottom, 30);
    EXPECT_EQ(r->right, 40);
    ERect* again = nullptr;
    EXPECT_EQ(bridgeOf(effect)->getRect(&again), 1);
    EXPECT_EQ(again, r);  // the host may keep the pointer
    EXPECT_EQ(bridgeOf(effect)->getRect(nullptr), 1);
}

TEST_F(EditorBaseTest, KeysAndTheWheelGetNeutralAnswersWhileClosed) {
    VstKeyCode key{'k', 0, 0};
    EXPECT_EQ(bridgeOf(effect)->onKeyDown(key), -1);
    EXPECT_EQ(bridgeOf(effect)->onKeyUp(key), -1);
    EXPECT_FALSE(editor->onWheel(1.0f));
    editor->redrawAll();
    editor->idle();
}

TEST_F(EditorBaseTest, KeysReachTheFramesViewsWhileOpen) {
    guitest::ScopedHostWindow window(60, 60);
    ASSERT_EQ(effect->dispatch(effEditOpen, 0, 0, window.window, 0.0f), 1);
    VstKeyCode key{'k', 0, 0};
    EXPECT_EQ(bridgeOf(effect)->onKeyDown(key), 1);
    EXPECT_EQ(bridgeOf(effect)->onKeyUp(key), -1);
    EXPECT_EQ(editor->view->refCount(), 1);
    effect->dispatch(effEditClose, 0, 0, nullptr, 0.0f);
    EXPECT_EQ(editor->getFrame(), nullptr);
}

TEST_F(EditorBaseTest, TheKnobModeIsSetForTheWholeModule) {
    EXPECT_EQ(editor->setKnobMode(2), 1);
    EXPECT_EQ(KnobMode::get(), 2);
    Host otherHost;
    TestEffect other(otherHost);
    auto* second = attachTestEditor(&other, journal);
    EXPECT_EQ(second->setKnobMode(1), 1);
    EXPECT_EQ(KnobMode::get(), 1);
    editor->setKnobMode(0);
}

TEST_F(EditorBaseTest, OpeningMarksForUpdateAndTheNextIdleConsumesIt) {
    guitest::ScopedHostWindow window(60, 60);
    editor->open(window.window);
    EXPECT_EQ(editor->getParentWindow(), window.window);
    EXPECT_TRUE(editor->isUpdatePending());
    editor->idle();
    EXPECT_EQ(editor->updates, 1);
    EXPECT_FALSE(editor->isUpdatePending());
    editor->idle();
    EXPECT_EQ(editor->updates, 1);
    editor->setParameter(0, 0.5f);
    EXPECT_TRUE(editor->isUpdatePending());
    editor->close();
}

TEST_F(EditorBaseTest, IdleRedrawsDirtyViewsOnceTheFrameHasBeenPainted) {
    guitest::ScopedHostWindow window(60, 60);
    editor->open(window.window);
    probe::repaint(editor->getFrame()->getWindow());
    size_t draws = editor->journal.count("view.draw");
    editor->view->setDirty(true);
    effect->dispatch(effEditIdle, 0, 0, nullptr, 0.0f);
    EXPECT_EQ(editor->journal.count("view.draw"), draws + 1);
    editor->redrawAll();
    EXPECT_EQ(editor->journal.count("view.draw"), draws + 2);
    editor->close();
}

TEST_F(EditorBaseTest, TheFirstPumpRunsAnIdleStepAndAsksTheHostToIdle) {
    guitest::ScopedHostWindow window(60, 60);
    editor->open(window.window);
    editor->pumpIdle();
    EXPECT_EQ(editor->updates, 1);
    EXPECT_EQ(host.count(audioMasterIdle), 1u);
    EXPECT_FALSE(editor->isInIdle());
    editor->close();
}

TEST_F(EditorBaseTest, AnEditorIdleFromInsideTheHostIdleDoesNothing) {
    guitest::ScopedHostWindow window(60, 60);
    editor->open(window.window);
    host.idleAnswersWithEditorIdle = true;
    host.markBeforeNestedIdle = true;
    editor->pumpIdle();
    EXPECT_EQ(host.count(audioMasterIdle), 1u);
    EXPECT_EQ(editor->updates, 1);           // only the pump's own step
    EXPECT_TRUE(editor->isUpdatePending());  // the nested idle left the flag alone
    editor->idle();
    EXPECT_EQ(editor->updates, 2);
    editor->close();
}

TEST_F(EditorBaseTest, EditBracketsFromTheFrameReachTheHost) {
    guitest::ScopedHostWindow window(60, 60);
    editor->open(window.window);
    editor->getFrame()->beginEdit(3);
    editor->getFrame()->endEdit(3);
    ASSERT_EQ(host.calls.size(), 2u);
    EXPECT_EQ(host.calls[0].opcode, audioMasterBeginEdit);
    EXPECT_EQ(host.calls[0].index, 3);
    EXPECT_EQ(host.calls[1].opcode, audioMasterEndEdit);
    editor->close();
}

TEST_F(EditorBaseTest, OpenAndCloseRepeatAndAnOpenPanelGoesWithTheEditor) {
    guitest::ScopedHostWindow window(60, 60);
    for (int i = 0; i < 3; ++i) {
        editor->open(window.window);
        ASSERT_NE(editor->getFrame(), nullptr);
        EXPECT_EQ(WindowClass::registrationCount(), 1);
        editor->close();
        EXPECT_EQ(WindowClass::registrationCount(), 0);
    }
    editor->open(window.window);
    delete effect;  // destroys the editor with its panel open
    effect = nullptr;
    EXPECT_EQ(WindowClass::registrationCount(), 0);
}

TEST_F(EditorBaseTest, WithoutAnEffectThePumpSkipsTheHostIdle) {
    auto* orphan = new TestEditor(nullptr, journal);
    orphan->pumpIdle();
    EXPECT_EQ(orphan->updates, 0);
    EXPECT_EQ(host.count(audioMasterIdle), 0u);
    delete orphan;
}
