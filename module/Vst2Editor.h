// The format-free panel as a VST 2 effect's editor: the dispatcher's editor
// requests go to the panel, with the host's key record translated into the
// toolkit's, and the panel's needs (values, automation, the edit bracket, a
// turn for the host) go to the effect. The effect owns this bridge, and the
// bridge owns the panel.
#pragma once

#include "editor/EditController.h"
#include "vst2/EditorInterface.h"

class EditorBase;
class EffectBaseX;
struct KeyCode;

class Vst2Editor final : public EditorInterface, public EditController {
public:
    explicit Vst2Editor(EffectBaseX* owner);
    ~Vst2Editor() override;

    // Takes over the panel, which was made with this bridge as its controller.
    void adopt(EditorBase* editor);
    EditorBase* getPanel() const { return panel; }

    intptr_t getRect(ERect** rect) override;
    intptr_t open(void* parentWindow) override;
    void close() override;
    void idle() override;
    void markForUpdate() override;
    intptr_t onKeyDown(VstKeyCode& key) override;
    intptr_t onKeyUp(VstKeyCode& key) override;
    intptr_t setKnobMode(intptr_t mode) override;
    bool onWheel(float distance) override;
    bool setContentScale(float factor) override;
    bool snapshot(PanelSnapshot& shot) override;

    float getParameter(int32_t index) override;
    void automate(int32_t index, float value) override;
    void beginEdit(int32_t index) override;
    void endEdit(int32_t index) override;
    void idleHost() override;
    bool resizeHost(int32_t width, int32_t height) override;

    // The host's key record as the toolkit's views take it.
    static KeyCode panelKey(const VstKeyCode& key);

private:
    EffectBaseX* extended;
    EditorBase* panel = nullptr;
    // Answered to the host's rectangle request: stays valid while the
    // bridge lives, as the interface asks.
    ERect hostRect{0, 0, 0, 0};
};
