#include "gui/View.h"

#include "gui/Frame.h"

View::View(const Rect& r) : bounds(r), mouseArea(r) {}
View::~View() = default;

void View::draw(DrawContext* context) {
    (void)context;
    setDirty(false);
}

void View::drawArea(DrawContext* context, const Rect& rect) {
    (void)rect;
    draw(context);
}

bool View::intersects(const Rect& rect) const { return bounds.overlaps(rect); }

void View::onMouseDown(DrawContext* context, Point& where) {
    (void)context;
    (void)where;
}

// Without a context nothing can be drawn; the view stays dirty for the next
// idle pass.
void View::redrawIfDirty(DrawContext* context) {
    if (!context || !isDirty()) return;
    draw(context);
    setDirty(false);
}

intptr_t View::query(intptr_t a, intptr_t b) {
    (void)a;
    (void)b;
    return 0;
}

int32_t View::onKeyDown(KeyCode& keyCode) {
    (void)keyCode;
    return -1;
}

int32_t View::onKeyUp(KeyCode& keyCode) {
    (void)keyCode;
    return -1;
}

bool View::onDrop(void** items, int32_t count, int32_t type, Point& where) {
    (void)items;
    (void)count;
    (void)type;
    (void)where;
    return false;
}

bool View::onWheel(DrawContext* context, const Point& where, float distance) {
    (void)context;
    (void)where;
    (void)distance;
    return false;
}

void View::focusLost(DrawContext* context) { (void)context; }
void View::focusGained(DrawContext* context) { (void)context; }
bool View::isDirty() const { return dirty; }
void View::setDirty(bool flag) { dirty = flag; }
void View::setMouseEnabled(bool flag) { mouseEnabled = flag; }
bool View::isMouseEnabled() const { return mouseEnabled; }
void View::setMouseArea(const Rect& rect) { mouseArea = rect; }
void View::getMouseArea(Rect& rect) const { rect = mouseArea; }

bool View::hitTest(const Point& where, int32_t buttons) const {
    (void)buttons;
    return bounds.contains(where);
}

void View::setTransparent(bool flag) { transparent = flag; }
bool View::isTransparent() const { return transparent; }

void View::setBounds(const Rect& rect) {
    bounds = rect;
    setDirty(true);
}

void View::getBounds(Rect& rect) const { rect = bounds; }
void View::setParentView(View* view) { parentView = view; }
void View::setFrame(Frame* f) { frame = f; }
FrameEditor* View::getEditor() const { return frame ? frame->getEditor() : nullptr; }

bool View::onRemoved(Frame* f) {
    (void)f;
    return true;
}

bool View::onAttached(Frame* f) {
    (void)f;
    return true;
}

void View::release() {
    if (references <= 0) return;
    if (--references == 0) delete this;
}

void View::addRef() { ++references; }
int32_t View::refCount() const { return references; }
