// The reverb effect with its panel, driven through the descriptor by a host
// that writes down what it hears, with a window to open the panel in.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "module/ReverbPluginGui.h"
#include "module/Vst2Editor.h"
#include "editor/ReverbEditor.h"
#include "gui/Control.h"
#include "gui/Frame.h"
#include "tests/editor/EditorTestSupport.h"
#include "tests/support/GuiTestSupport.h"

namespace paneltest {

class PanelTest : public guitest::PlatformTest {
protected:
    void SetUp() override {
        guitest::PlatformTest::SetUp();
        auto* plugin = new ReverbPluginGui(&editortest::Host::callback);
        effect = plugin->getAeffect();
        effect->user = &host;
        editor = static_cast<ReverbEditor*>(plugin->getPanelBridge()->getPanel());
    }
    void TearDown() override {
        if (effect) dispatch(effClose);
    }

    intptr_t dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr) {
        return effect->dispatcher(effect, opcode, index, value, ptr, 0.0f);
    }
    bool openPanel() { return dispatch(effEditOpen, 0, 0, window.window) == 1; }
    void setParameter(int32_t index, float value) { effect->setParameter(effect, index, value); }
    float parameter(int32_t index) { return effect->getParameter(effect, index); }
    Control* control(int32_t viewIndex) {
        return static_cast<Control*>(editor->getFrame()->viewAt(viewIndex));
    }
    // What the host heard of the user's edits: brackets and values.
    std::vector<editortest::HostCall> edits() const {
        std::vector<editortest::HostCall> found;
        for (const auto& c : host.calls)
            if (c.opcode == audioMasterBeginEdit || c.opcode == audioMasterEndEdit ||
                c.opcode == audioMasterAutomate)
                found.push_back(c);
        return found;
    }
    // Paints the panel as the system would and lets it idle: every control
    // is drawn and clean afterwards.
    void paintAndIdle() {
        platform::probe::repaint(window.window);
        dispatch(effEditIdle);
    }

    guitest::ScopedHostWindow window{547, 202};
    editortest::Host host;
    AEffect* effect = nullptr;
    ReverbEditor* editor = nullptr;
};

}  // namespace paneltest
