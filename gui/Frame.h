// The root of the editor's views and the only part of the toolkit with a
// window of its own: a child window in the host's window whose paint and
// button messages it answers. It keeps its views in drawing order, hands
// events to them, redraws what is dirty when the editor idles, and passes the
// controls' edit brackets and idle requests on to the editor.
#pragma once

#include <cstdint>

#include "gui/View.h"
#include "gui/platform/Platform.h"

class Bitmap;
class Control;
class DrawContext;
class FrameEditor;

using platform::dropFileNames;
using platform::dropText;
using platform::DropType;

class Frame final : public View, private platform::DropReceiver {
public:
    Frame(const Rect& bounds, platform::Window parentWindow, FrameEditor* editor);
    ~Frame() override;

    bool createWindow(platform::Window parent);

    void draw(DrawContext* context) override;
    void drawArea(DrawContext* context, const Rect& rect) override;
    void onMouseDown(DrawContext* context, Point& where) override;
    void redrawIfDirty(DrawContext* context) override;
    int32_t onKeyDown(KeyCode& keyCode) override;
    int32_t onKeyUp(KeyCode& keyCode) override;
    bool onDrop(void** items, int32_t count, int32_t type, Point& where) override;
    bool onWheel(DrawContext* context, const Point& where, float distance) override;
    FrameEditor* getEditor() const override;

    virtual bool addView(View* view);
    virtual bool removeView(View* view, bool release = true);
    virtual bool removeAllViews(bool release = true);
    virtual bool containsView(const View* view) const;
    virtual int32_t viewCount() const;
    virtual View* viewAt(int32_t index) const;

    Bitmap* setBackground(Bitmap* bitmap);
    Bitmap* getBackground() const { return background; }
    void redraw(View* view = nullptr);
    void pumpIdle();
    void idle();
    bool isSomethingDirty() const;
    View* viewUnderCursor() const;
    bool cursorPosition(Point& where) const;
    void setFocusView(View* view);
    View* getFocusView() const { return focusView; }
    int32_t getKnobMode() const;
    void beginEdit(int32_t index);
    void endEdit(int32_t index);

    // Drags stepped from the window's events and the editor's idle, which
    // return to the host between steps, instead of a loop that keeps the
    // host's thread until release. On by itself in a window on a display
    // server, where no loop of the system's serves the host meanwhile.
    void setEventDrivenGestures(bool on) { eventGestures = on; }
    // Takes over a control's begun drag and runs its first step; false when
    // the control is to run the drag itself.
    bool adoptGesture(Control* control, DrawContext* context, const Point& where);
    Control* getGestureControl() const { return gestureControl; }
    // Knobs follow the straight law whatever the knob mode: in an X window,
    // unless BRELLIVAUNT_KNOBS=circular asks for the angle law.
    bool wantsStraightDrags() const { return straightDrags; }

    platform::Window getWindow() const { return window; }
    platform::Window getParentWindow() const { return parentWindow; }
    bool isWindowOpen() const { return isOpen; }
    bool isFirstDrawPending() const { return firstDrawPending; }

    static intptr_t BRV_SYSCALL windowProc(platform::Window window, uint32_t message,
                                           uintptr_t wParam, intptr_t lParam);

private:
    // What the window's drop target asks of the frame.
    bool dropPosition(platform::PlatformPoint& where) const override;
    bool receiveDrop(void** items, int32_t count, DropType type,
                     const platform::PlatformPoint& where) override;
    void revokeDropTarget();
    // One step of the adopted drag with the pointer as it is now, ending it
    // once the buttons no longer hold it.
    void advanceGesture(DrawContext* context);
    void finishGesture();

    // A context over the window's own device context for the work that comes
    // without one; handed back by its destructor.
    class WindowContext;

    FrameEditor* editor;
    platform::Window parentWindow;
    Bitmap* background = nullptr;
    int32_t count = 0;
    int32_t capacity = 0;
    View** views = nullptr;
    View* focusView = nullptr;
    bool firstDrawPending = true;
    bool isOpen = true;
    bool oleInitialized = false;
    bool dropTargetRegistered = false;
    platform::Window window = nullptr;
    platform::Module imagingLibrary = nullptr;
    Control* gestureControl = nullptr;
    Point gestureWhere;
    bool eventGestures = false;
    bool straightDrags = false;
};
