// An effect whose host writes down its calls, and a small editor on the
// editor base with one recording view, for the editor's tests.
#pragma once

#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "editor/EditorBase.h"
#include "gui/Bitmap.h"
#include "gui/Frame.h"
#include "module/Vst2Editor.h"
#include "vst2/EffectBaseX.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/RecordingView.h"

namespace editortest {

struct HostCall {
    int32_t opcode;
    int32_t index;
    float value = 0.0f;   // what an automation report carries
    intptr_t number = 0;  // the call's value argument: a window's height
};

// The host of the effect under test: one per test, reached through the
// descriptor's user pointer (the callback has no other context).
struct Host {
    std::vector<HostCall> calls;
    bool idleAnswersWithEditorIdle = false;
    bool markBeforeNestedIdle = false;
    // What the host answers a request to resize the panel's window.
    intptr_t sizeWindowAnswer = 1;
    // Runs on each idle request, as a host's loop would run meanwhile.
    std::function<void()> onIdle;

    static intptr_t VSTCALL callback(AEffect* effect, int32_t opcode, int32_t index, intptr_t,
                                     void*, float);
    std::vector<HostCall> only(int32_t opcode) const {
        std::vector<HostCall> found;
        for (const auto& c : calls)
            if (c.opcode == opcode) found.push_back(c);
        return found;
    }
    size_t count(int32_t opcode) const {
        size_t n = 0;
        for (const auto& c : calls) n += c.opcode == opcode;
        return n;
    }
};

class TestEffect final : public EffectBaseX {
public:
    explicit TestEffect(Host& host) : EffectBaseX(&Host::callback, 1, 1) { cEffect.user = &host; }
    void process(float**, float**, int32_t) override {}
};

inline intptr_t VSTCALL Host::callback(AEffect* effect, int32_t opcode, int32_t index,
                                       intptr_t number, void*, float value) {
    if (opcode == audioMasterVersion) return 2400;
    if (!effect || !effect->user) return 0;
    Host* host = static_cast<Host*>(effect->user);
    host->calls.push_back({opcode, index, value, number});
    if (opcode == audioMasterSizeWindow) return host->sizeWindowAnswer;
    if (opcode == audioMasterIdle && host->onIdle) host->onIdle();
    if (opcode == audioMasterIdle && host->idleAnswersWithEditorIdle) {
        auto* self = static_cast<EffectBase*>(effect->object);
        if (host->markBeforeNestedIdle && self->getEditorInterface())
            self->getEditorInterface()->markForUpdate();
        effect->dispatcher(effect, effEditIdle, 0, 0, nullptr, 0.0f);
    }
    return 0;
}

class TestEditor final : public EditorBase {
public:
    // The journal outlives the editor: views still open when the editor
    // goes write into it as they are destroyed.
    TestEditor(EditController* bridge, guitest::Journal& calls)
        : EditorBase(bridge), journal(calls) {
        rect = {0, 0, 40, 30};
    }
    intptr_t open(void* parent) override {
        EditorBase::open(parent);
        frame = new Frame({0, 0, 40, 30}, static_cast<platform::Window>(parent), this);
        auto* background = new Bitmap(guitest::imageGradient);
        frame->setBackground(background);
        background->release();
        view = new guitest::RecordingView({10, 5, 20, 15}, "view", journal, colorYellow);
        view->answerKey = 'k';
        frame->addView(view);
        return 1;
    }
    void close() override {
        delete frame;
        frame = nullptr;
        view = nullptr;
    }
    void update() override { ++updates; }

    guitest::Journal& journal;
    guitest::RecordingView* view = nullptr;
    int updates = 0;
};

// The test editor on its effect as the module composes them: the effect owns
// the bridge, and the bridge the editor.
inline TestEditor* attachTestEditor(EffectBaseX* effect, guitest::Journal& journal) {
    auto* bridge = new Vst2Editor(effect);
    auto* editor = new TestEditor(bridge, journal);
    bridge->adopt(editor);
    effect->setEditor(bridge);
    return editor;
}

inline Vst2Editor* bridgeOf(EffectBase* effect) {
    return static_cast<Vst2Editor*>(effect->getEditorInterface());
}

}  // namespace editortest
