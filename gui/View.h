// A rectangle of the frame that draws itself, knows whether it needs drawing
// and takes mouse, wheel, key and drop events. Views are shared by reference
// count and destroyed only by the release that takes the count to zero.
#pragma once

#include <cstdint>

#include "gui/Geometry.h"

class DrawContext;
class Frame;
class FrameEditor;
struct KeyCode;

class View {
public:
    explicit View(const Rect& bounds);

    View(const View&) = delete;
    View& operator=(const View&) = delete;

    virtual void draw(DrawContext* context);
    virtual void drawArea(DrawContext* context, const Rect& rect);
    virtual bool intersects(const Rect& rect) const;
    virtual void onMouseDown(DrawContext* context, Point& where);
    virtual void redrawIfDirty(DrawContext* context);
    virtual intptr_t query(intptr_t a, intptr_t b);
    virtual int32_t onKeyDown(KeyCode& keyCode);
    virtual int32_t onKeyUp(KeyCode& keyCode);
    virtual bool onDrop(void** items, int32_t count, int32_t type, Point& where);
    virtual bool onWheel(DrawContext* context, const Point& where, float distance);
    virtual void focusLost(DrawContext* context);
    virtual void focusGained(DrawContext* context);
    virtual bool isDirty() const;
    virtual void setDirty(bool flag = true);
    virtual void setMouseEnabled(bool flag);
    virtual bool isMouseEnabled() const;
    virtual void setMouseArea(const Rect& rect);
    virtual void getMouseArea(Rect& rect) const;
    virtual bool hitTest(const Point& where, int32_t buttons = -1) const;
    virtual void setTransparent(bool flag);
    virtual bool isTransparent() const;
    virtual void setBounds(const Rect& rect);
    virtual void getBounds(Rect& rect) const;
    virtual void setParentView(View* view);
    virtual void setFrame(Frame* frame);
    virtual FrameEditor* getEditor() const;
    virtual bool onRemoved(Frame* frame);
    virtual bool onAttached(Frame* frame);
    virtual void release();
    virtual void addRef();
    virtual int32_t refCount() const;

    Frame* getFrame() const { return frame; }
    View* getParentView() const { return parentView; }
    const Rect& getBounds() const { return bounds; }

protected:
    virtual ~View();

    int32_t references = 1;
    Rect bounds;
    Rect mouseArea;
    Frame* frame = nullptr;
    View* parentView = nullptr;
    bool dirty = false;
    bool mouseEnabled = true;
    bool transparent = false;
};
