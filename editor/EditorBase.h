// What every graphical editor of the module shares: the panel rectangle its
// host asks for, the frame while the panel is open, the module-wide knob
// mode, the update flag that parameter changes set, and the idle pacing that
// keeps the display and the host alive while a control holds the mouse. It
// knows no plug-in format: it reaches its effect only through the
// controller, and a format's wrapper presents it to that format's host.
#pragma once

#include <atomic>
#include <cstdint>

#include "gui/FrameEditor.h"
#include "editor/PanelScale.h"
#include "gui/Geometry.h"

class EditController;
class Frame;
struct KeyCode;

class EditorBase : public FrameEditor {
public:
    explicit EditorBase(EditController* controller);
    ~EditorBase() override;

    EditorBase(const EditorBase&) = delete;
    EditorBase& operator=(const EditorBase&) = delete;

    virtual intptr_t open(void* parentWindow);
    virtual void close();
    virtual void idle();
    virtual void update() {}
    virtual int32_t onKeyDown(KeyCode& key);
    virtual int32_t onKeyUp(KeyCode& key);
    virtual intptr_t setKnobMode(intptr_t mode);
    virtual bool onWheel(float distance);
    // Draws the panel without a window into width x height pixels, rows from
    // the top, each 0x00RRGGBB. With pixels null it only gives the size.
    virtual bool snapshot(int32_t& width, int32_t& height, uint32_t* pixels);

    // A scale factor from the host (VST 2's content-scale request, LV2's
    // ui:scaleFactor); false, changing nothing, for one that is no factor.
    // An open panel that should now be drawn at another size is drawn again
    // at that size, and the host is asked to follow.
    bool offerHostScale(double factor);
    // The size the panel is drawn at, 1, 1.5 or 2 (see PanelScale). The
    // screen is that of the host's window, or the system's before there is one.
    float chosenScale() const;
    // The scale the panel is laid out at now: that of the open panel, or of
    // the last size a host was told.
    float layoutScale() const { return laidOutAt; }
    // The panel's size as a host is to be told it: an open panel's own, or
    // while closed the size it would open at now.
    const Rect& sizeForHost();

    virtual void setParameter(int32_t index, float value);
    virtual void redrawAll();
    void pumpIdle() override;

    void beginEdit(int32_t index) override;
    void endEdit(int32_t index) override;
    // The panel follows at the next idle: the frame whose window reported
    // it is still on the stack.
    void screenChanged() override { scaleChangePending = true; }

    void markForUpdate() { updateFlag.store(1, std::memory_order_relaxed); }
    bool isUpdatePending() const { return updateFlag.load(std::memory_order_relaxed) != 0; }

    EditController* getController() const { return controller; }
    void* getParentWindow() const { return systemWindow; }
    Frame* getFrame() const { return frame; }
    const Rect& getPanelRect() const { return rect; }
    bool isInIdle() const { return inIdle; }

protected:
    // Reads and clears the update flag in one step.
    bool takeUpdate() { return updateFlag.exchange(0, std::memory_order_relaxed) != 0; }
    // Sets the panel rectangle, and whatever the panel draws from, for a
    // scale of 1, 1.5 or 2; an editor that knows one size only keeps it.
    virtual void layOut(float scale) { laidOutAt = scale; }
    // Lays the panel out at the scale chosen now, unless it already is.
    void followChosenScale();

    EditController* controller;
    void* systemWindow = nullptr;
    Rect rect;
    Frame* frame = nullptr;
    uint32_t nextIdleTime = 0;
    bool inIdle = false;

private:
    // Set by parameter changes on whatever thread the host makes them, taken
    // by the idle on the user-interface thread: a relaxed atomic, a plain
    // 32-bit store and load on every target.
    std::atomic<int32_t> updateFlag{0};
    // Draws an open panel again at the scale now chosen, unless a control's
    // drag is under way, in which case the next idle does it.
    void followScale();

    bool oleInitialized = false;
    PanelScale scaleChoice;
    float laidOutAt = 1.0f;
    bool scaleChangePending = false;
    // Inside a control's own drag loop, whose views must outlive it.
    bool pacingDrag = false;
};
