// What every graphical editor of the module shares: the panel rectangle the
// host asks for, the frame while the panel is open, registration with the
// effect, the module-wide knob mode, and the idle pacing that keeps the
// display and the host alive while a control holds the mouse.
#pragma once

#include <cstdint>

#include "gui/FrameEditor.h"
#include "host/EditorInterface.h"

class EffectBase;
class Frame;

class EditorBase : public EditorInterface, public FrameEditor {
public:
    explicit EditorBase(EffectBase* effect);
    ~EditorBase() override;

    intptr_t getRect(ERect** rect) override;
    intptr_t open(void* parentWindow) override;
    void close() override;
    void idle() override;
    intptr_t onKeyDown(VstKeyCode& key) override;
    intptr_t onKeyUp(VstKeyCode& key) override;
    intptr_t setKnobMode(intptr_t mode) override;
    bool onWheel(float distance) override;
    bool snapshot(PanelSnapshot& shot) override;

    virtual void setParameter(int32_t index, float value);
    virtual void redrawAll(ERect* rect, bool ignored);
    void pumpIdle() override;

    void beginEdit(int32_t index) override;
    void endEdit(int32_t index) override;

    Frame* getFrame() const { return frame; }
    const ERect& getPanelRect() const { return rect; }
    bool isInIdle() const { return inIdle; }

protected:
    ERect rect{0, 0, 0, 0};
    Frame* frame = nullptr;
    uint32_t nextIdleTime = 0;
    bool inIdle = false;

private:
    bool oleInitialized = false;
};
