#include "gui/RotaryKnob.h"

#include <cmath>

#include "gui/Bitmap.h"
#include "gui/DrawContext.h"
#include "gui/Frame.h"
#include "gui/ValueListener.h"
#include "gui/WindowClass.h"
#include "gui/KeyCode.h"

namespace {

// The knob's angles are single-precision throughout; only the wrap test of
// the dead-zone mapping compares against the double value of two pi.
constexpr float twoPi = 6.2831855f;
constexpr double twoPiDouble = 6.283185307179586;
constexpr float defaultStartAngle = 3.9269907f;  // 225 degrees, lower left
constexpr float defaultRangeAngle = -4.712389f;  // 270 degrees clockwise
constexpr float linearRange = 200.0f;            // pixels of drag for the whole range

// A value outside the range a pixel coordinate can hold (or not a number)
// lands on 0 instead of an undefined conversion.
int32_t toPixel(float v) {
    if (!(v > -1.0e9f && v < 1.0e9f)) return 0;
    return static_cast<int32_t>(v);
}

}  // namespace

RotaryKnob::RotaryKnob(const Rect& r, ValueListener* l, int32_t t, Bitmap* face, Bitmap* handle,
                       const Point& offset)
    : Control(r, l, t, face), sourceOffset(offset), handleBitmap(handle) {
    if (handleBitmap) handleBitmap->addRef();
    handleInset =
        handleBitmap ? toPixel(static_cast<float>(handleBitmap->getWidth()) * 0.5f + 2.5f) : 3;
    shadowColor = colorGrey;
    handleColor = colorWhite;
    radius = static_cast<float>(bounds.right - bounds.left) * 0.5f;
    startAngle = defaultStartAngle;
    rangeAngle = 1.0f;
    computeCoefficients();
    setDirty(true);
    setRangeAngle(defaultRangeAngle);
    zoomFactor = 1.5f;
}

RotaryKnob::~RotaryKnob() {
    if (handleBitmap) handleBitmap->release();
}

void RotaryKnob::computeCoefficients() {
    halfDeadAngle = (twoPi - std::fabs(rangeAngle)) * 0.5f;
    slope = (maximum - minimum) / rangeAngle;
    intercept = minimum - slope * startAngle;
}

void RotaryKnob::setStartAngle(float angle) {
    startAngle = angle;
    computeCoefficients();
    setDirty(true);
}

float RotaryKnob::getStartAngle() const { return startAngle; }

void RotaryKnob::setRangeAngle(float angle) {
    rangeAngle = angle;
    computeCoefficients();
    setDirty(true);
}

float RotaryKnob::getRangeAngle() const { return rangeAngle; }

void RotaryKnob::valueToPoint(Point& point) const {
    const float angle = (value - intercept) / slope;
    const float reach = radius - static_cast<float>(handleInset);
    point.x = toPixel(radius + std::cos(angle) * reach + 0.5f);
    point.y = toPixel(radius - std::sin(angle) * reach + 0.5f);
}

// Half of the dead zone belongs to each end of the sweep: the half after the
// end maps to one bound, the half before the start to the other.
float RotaryKnob::valueFromPoint(const Point& point) const {
    float a =
        std::atan2(radius - static_cast<float>(point.y), static_cast<float>(point.x) - radius);
    if (a < 0.0f) a += twoPi;
    a -= startAngle;
    auto normalised = [](float angle) {
        if (angle < 0.0f) return angle + twoPi;
        if (static_cast<double>(angle) > twoPiDouble) return angle - twoPi;
        return angle;
    };
    if (rangeAngle < 0.0f) {
        float sweep = a - rangeAngle;
        const float wrapped = normalised(sweep);
        if (wrapped > halfDeadAngle - rangeAngle) return maximum;
        if (wrapped > -rangeAngle) return minimum;
        if (sweep > halfDeadAngle - rangeAngle) return (sweep - twoPi) * slope + maximum;
        if (sweep < -halfDeadAngle) sweep += twoPi;
        return sweep * slope + maximum;
    }
    const float wrapped = normalised(a);
    const float limit = rangeAngle + halfDeadAngle;
    if (wrapped > limit) return minimum;
    if (wrapped > rangeAngle) return maximum;
    if (a > limit) return (a - twoPi) * slope + minimum;
    if (a < -halfDeadAngle) a += twoPi;
    return a * slope + minimum;
}

void RotaryKnob::setHandleInset(int32_t inset) { handleInset = inset; }

void RotaryKnob::setShadowColor(Color color) {
    shadowColor = color;
    setDirty(true);
}

void RotaryKnob::setHandleColor(Color color) {
    handleColor = color;
    setDirty(true);
}

void RotaryKnob::setHandleBitmap(Bitmap* bitmap) {
    if (bitmap) bitmap->addRef();
    if (handleBitmap) handleBitmap->release();
    handleBitmap = bitmap;
    if (handleBitmap)
        handleInset = toPixel(static_cast<float>(handleBitmap->getWidth()) * 0.5f + 2.5f);
}

void RotaryKnob::setZoomFactor(float factor) { zoomFactor = factor; }
float RotaryKnob::getZoomFactor() const { return zoomFactor; }

void RotaryKnob::draw(DrawContext* context) {
    if (!context) return;
    paintBitmap(context, background, sourceOffset);
    drawHandle(context);
    setDirty(false);
}

void RotaryKnob::drawHandle(DrawContext* context) {
    if (!context) return;
    Point tip;
    valueToPoint(tip);
    if (handleBitmap) {
        const int32_t w = handleBitmap->getWidth();
        const int32_t h = handleBitmap->getHeight();
        const int32_t left = bounds.left + tip.x - w / 2;
        const int32_t top = bounds.top + tip.y - h / 2;
        handleBitmap->drawTransparent(context, {left, top, left + w, top + h}, {0, 0});
        return;
    }
    Point from{tip.x + bounds.left - 1, tip.y + bounds.top};
    Point to{(bounds.right - bounds.left) / 2 + bounds.left - 1,
             bounds.top + (bounds.bottom - bounds.top) / 2};
    context->setPenColor(shadowColor);
    context->moveTo(from);
    context->lineTo(to);
    from = {from.x + 1, from.y - 1};
    to = {to.x + 1, to.y - 1};
    context->setPenColor(handleColor);
    context->moveTo(from);
    context->lineTo(to);
}

void RotaryKnob::notifyIfChanged(DrawContext* context) {
    if (isDirty() && listener) listener->controlChanged(context, this);
}

int32_t RotaryKnob::knobMode() const { return frame ? frame->getKnobMode() : KnobMode::get(); }

// Control-click (left button and control, nothing else) restores the default
// without an edit bracket; otherwise the drag runs as one edit.
void RotaryKnob::onMouseDown(DrawContext* context, Point& where) {
    if (!isMouseEnabled() || !context) return;
    const int32_t buttons = context->mouseButtons();
    if (!(buttons & buttonLeft)) return;
    if (buttons == (buttonLeft | modControl)) {
        value = defaultValue;
        notifyIfChanged(context);
        return;
    }
    if (followsStraightLaw(buttons))
        beginLinear(where, buttons);
    else
        beginCircular(where);
    // One edit, with the knob holding the focus, for as long as the left
    // button is down; the law runs only when the pointer has moved.
    if (frame) {
        frame->beginEdit(tag);
        frame->setFocusView(this);
    }
    driveGesture(context, where);
}

// Where the frame asks for straight drags (a panel in an X window, where
// no host sets a knob mode and alt belongs to the window manager) the knob
// always follows the straight law; elsewhere the host's knob mode decides,
// and alt swaps the two laws.
bool RotaryKnob::followsStraightLaw(int32_t buttons) const {
    if (frame && frame->wantsStraightDrags()) return true;
    return (knobMode() == 2) != ((buttons & modAlt) != 0);
}

// The buttons are read before the law runs and the position after it, so a
// release ends the drag after one more pass at the last position.
bool RotaryKnob::gesturePass(DrawContext* context, Point& where, bool pace) {
    const int32_t buttons = context->mouseButtons();
    if (where != drag.previous) {
        drag.previous = where;
        if (drag.linear)
            stepLinear(where, buttons);
        else
            stepCircular(where);
        notifyIfChanged(context);
    }
    context->mousePosition(where);
    if (pace) pumpIdle();
    return (buttons & buttonLeft) != 0;
}

void RotaryKnob::setDragScale(float scale) {
    dragScale = (std::isfinite(scale) && scale > 0.0f) ? scale : 1.0f;
}

float RotaryKnob::linearStep(int32_t buttons) const {
    const float range = ((buttons & modShift) ? zoomFactor * linearRange : linearRange) * dragScale;
    return (maximum - minimum) / range;
}

void RotaryKnob::beginLinear(const Point& where, int32_t entryButtons) {
    drag.previous = {-1, -1};
    drag.linear = true;
    drag.step = linearStep(entryButtons);
    drag.first = where;
    drag.entry = value;
    drag.remembered = entryButtons;
}

// Right and up increase. A change of shift mid-drag changes the rate; the
// entry value moves so the knob continues from where it is instead of jumping.
void RotaryKnob::stepLinear(const Point& at, int32_t buttons) {
    const float d = static_cast<float>((at.x - drag.first.x) - (at.y - drag.first.y));
    if (buttons != drag.remembered) {
        const float newStep = linearStep(buttons);
        drag.entry = drag.entry + (drag.step - newStep) * d;
        drag.step = newStep;
        drag.remembered = buttons;
    }
    value = d * drag.step + drag.entry;
    clampValue();
}

void RotaryKnob::beginCircular(const Point& where) {
    drag.previous = {-1, -1};
    drag.linear = false;
    drag.last = valueFromPoint({where.x - bounds.left, where.y - bounds.top});
    drag.half = (maximum - minimum) * 0.5f;
}

// The knob follows the angle under the pointer. A jump of more than half the
// range means the pointer crossed the dead zone: the knob stays pinned at the
// end it came from until the pointer comes back.
void RotaryKnob::stepCircular(const Point& at) {
    const float v = valueFromPoint({at.x - bounds.left, at.y - bounds.top});
    if (drag.last - v > drag.half) {
        value = maximum;
    } else if (v - drag.last > drag.half) {
        value = minimum;
    } else {
        value = v;
        drag.last = v;
    }
}

bool RotaryKnob::onWheel(DrawContext* context, const Point& where, float distance) {
    (void)where;
    if (!isMouseEnabled()) return false;
    const bool fine = context && (context->mouseButtons() & modShift);
    value += distance * wheelStep * (fine ? 0.1f : 1.0f);
    clampValue();
    notifyIfChanged(context);
    return true;
}

// Arrow keys step like the wheel; there is no event context, so the listener
// cannot draw at once and the change shows at the next idle.
int32_t RotaryKnob::onKeyDown(KeyCode& key) {
    float direction;
    switch (key.virt) {
    case vkeyLeft:
    case vkeyDown:
        direction = -1.0f;
        break;
    case vkeyUp:
    case vkeyRight:
        direction = 1.0f;
        break;
    default:
        return -1;
    }
    const bool fine = (key.modifier & modifierShift) != 0;
    value += direction * wheelStep * (fine ? 0.1f : 1.0f);
    clampValue();
    notifyIfChanged(nullptr);
    return 1;
}
