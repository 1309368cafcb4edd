#include "gui/Control.h"

#include "gui/Bitmap.h"
#include "gui/DrawContext.h"
#include "gui/Frame.h"
#include "gui/FrameEditor.h"

Control::Control(const Rect& r, ValueListener* l, int32_t t, Bitmap* bitmap)
    : View(r), tag(t), listener(l), background(bitmap) {
    if (background) background->addRef();
}

Control::~Control() {
    if (background) background->release();
}

// Values that do not compare (NaN) count as changed.
bool Control::isDirty() const { return !(value == oldValue) || dirty; }

// Marking dirty picks an old value the current one cannot equal.
void Control::setDirty(bool flag) {
    dirty = flag;
    if (flag)
        oldValue = value == -1.0f ? 0.0f : -1.0f;
    else
        oldValue = value;
}

void Control::pumpIdle() {
    if (FrameEditor* editor = getEditor()) editor->pumpIdle();
}

void Control::setValue(float v) { value = v; }
float Control::getValue() const { return value; }
void Control::setMin(float v) { minimum = v; }
float Control::getMin() const { return minimum; }
void Control::setMax(float v) { maximum = v; }
float Control::getMax() const { return maximum; }
void Control::setOldValue(float v) { oldValue = v; }
float Control::getOldValue() const { return oldValue; }
void Control::setDefaultValue(float v) { defaultValue = v; }
float Control::getDefaultValue() const { return defaultValue; }
void Control::setTag(int32_t t) { tag = t; }

// The new bitmap is held before the old one is let go: handed the bitmap it
// already shows, with no other holder, the control would otherwise free it
// and keep the freed one.
void Control::setBackground(Bitmap* bitmap) {
    if (bitmap) bitmap->addRef();
    if (background) background->release();
    background = bitmap;
}

Bitmap* Control::getBackground() const { return background; }
void Control::setBackgroundOffset(const Point& offset) { backgroundOffset = offset; }
void Control::alignBackgroundOffset() { backgroundOffset = {bounds.left, bounds.top}; }
void Control::setWheelStep(float v) { wheelStep = v; }
float Control::getWheelStep() const { return wheelStep; }

void Control::paintBitmap(DrawContext* context, Bitmap* bitmap, const Point& source) {
    if (!bitmap) return;
    if (isTransparent())
        bitmap->drawTransparent(context, bounds, source);
    else
        bitmap->draw(context, bounds, source);
}

void Control::clampValue() {
    if (value > maximum)
        value = maximum;
    else if (value < minimum)
        value = minimum;
}

bool Control::gesturePass(DrawContext* context, Point& where, bool pace) {
    (void)context;
    (void)where;
    (void)pace;
    return false;
}

void Control::endGesture() {
    if (frame) frame->endEdit(tag);
}

void Control::driveGesture(DrawContext* context, Point& where) {
    if (frame && frame->adoptGesture(this, context, where)) return;
    while (gesturePass(context, where, true)) {
    }
    endGesture();
}
