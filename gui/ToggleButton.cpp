#include "gui/ToggleButton.h"

#include "gui/DrawContext.h"
#include "gui/Frame.h"
#include "gui/ValueListener.h"

namespace {
float flipped(float v) { return v == 0.0f ? 1.0f : 0.0f; }
}  // namespace

ToggleButton::ToggleButton(const Rect& r, ValueListener* l, int32_t t, int32_t height,
                           Bitmap* frames, const Point& offset)
    : Control(r, l, t, frames), sourceOffset(offset), frameHeight(height) {}

void ToggleButton::draw(DrawContext* context) {
    if (!context) return;
    clampValue();
    paintBitmap(context, background, {0, value == 0.0f ? 0 : frameHeight});
    setDirty(false);
}

// While the button is held the value shows what a release here would give:
// flipped inside the button, the entry value outside. Any change of buttons
// or modifier keys ends the hold.
void ToggleButton::onMouseDown(DrawContext* context, Point& where) {
    if (!isMouseEnabled() || !context) return;
    const int32_t click = context->mouseButtons();
    if (!(click & buttonLeft)) return;
    const float entry = value;

    if (context->mouseButtons() == 0) {
        // Released before the press was handled: the click still counts.
        value = flipped(value);
        if (listener) listener->controlChanged(context, this);
        return;
    }
    if (frame) frame->beginEdit(tag);
    held = {entry, click, true};
    driveGesture(context, where);
}

// The buttons are read after the wait, before the value follows the pointer.
bool ToggleButton::gesturePass(DrawContext* context, Point& where, bool pace) {
    if (!held.first && context->mouseButtons() != held.click) return false;
    held.first = false;
    value = bounds.contains(where) ? flipped(held.entry) : held.entry;
    if (isDirty() && listener) listener->controlChanged(context, this);
    context->mousePosition(where);
    if (pace) pumpIdle();
    return true;
}
