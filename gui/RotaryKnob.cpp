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
constexpr float defaultStartAngle = 3.9269907f;   // 225 degrees, lower left
constexpr float defaultRangeAngle = -4.712389f;   // 270 degrees clockwise
constexpr float linearRange = 200.0f;             // pixels of drag for the whole range

// A value outside the range a pixel coordinate can hold (or not a number)
// lands on 0 instead of an undefined conversion.
int32_t toPixel(float v) {
    if (!(v > -1.0e9f && v < 1.0e9f)) return 0;
    return static_cast<int32_t>(v);
}

}  // namespace

RotaryKnob::RotaryKnob(const Rect& r, ValueListener* l, int32_t t, Bitmap* face,
                       Bitmap* handle, const Point& offset)
    : Control(r, l, t, face), sourceOffset(offset), handleBitmap(handle) {
    if (handleBitmap) handleBitmap->addRef();
    handleInset = handleBitmap ? toPixel(static_cast<float>(handleBitmap->getWidth()) * 0.5f + 2.5f)
                               : 3;
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
    float a = std::atan2(radius - static_cast<float>(point.y), static_cast<float>(point.x) - radius);
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
    const bool linear = (knobMode() == 2) != ((buttons & modAlt) != 0);
    if (linear)
        trackLinear(context, where, buttons);
    else
        trackCircular(context, where);
}

// One edit, with the knob holding the focus, for as long as the left button
// is down; the law runs only when the pointer has moved.
template <typename Law>
void RotaryKnob::track(DrawContext* context, Point& where, Law law) {
    if (frame) {
        frame->beginEdit(tag);
        frame->setFocusView(this);
    }
    Point previous{-1, -1};
    int32_t buttons;
    do {
        buttons = context->mouseButtons();
        if (where != previous) {
            previous = where;
            law(where, buttons);
            notifyIfChanged(context);
        }
        context->mousePosition(where);
        pumpIdle();
    } while (buttons & buttonLeft);
    if (frame) frame->endEdit(tag);
}

// Right and up increase. A change of shift mid-drag changes the rate; the
// entry value moves so the knob continues from where it is instead of jumping.
void RotaryKnob::trackLinear(DrawContext* context, Point& where, int32_t entryButtons) {
    auto stepFor = [this](int32_t buttons) {
        const float range = (buttons & modShift) ? zoomFactor * linearRange : linearRange;
        return (maximum - minimum) / range;
    };
    float step = stepFor(entryButtons);
    const Point first = where;
    float entry = value;
    int32_t remembered = entryButtons;
    track(context, where, [&](const Point& at, int32_t buttons) {
        const float d = static_cast<float>((at.x - first.x) - (at.y - first.y));
        if (buttons != remembered) {
            const float newStep = stepFor(buttons);
            entry = entry + (step - newStep) * d;
            step = newStep;
            remembered = buttons;
        }
        value = d * step + entry;
        clampValue();
    });
}

// The knob follows the angle under the pointer. A jump of more than half the
// range means the pointer crossed the dead zone: the knob stays pinned at the
// end it came from until the pointer comes back.
void RotaryKnob::trackCircular(DrawContext* context, Point& where) {
    auto local = [this](const Point& p) { return Point{p.x - bounds.left, p.y - bounds.top}; };
    float last = valueFromPoint(local(where));
    const float half = (maximum - minimum) * 0.5f;
    track(context, where, [&](const Point& at, int32_t) {
        const float v = valueFromPoint(local(at));
        if (last - v > half) {
            value = maximum;
        } else if (v - last > half) {
            value = minimum;
        } else {
            value = v;
            last = v;
        }
    });
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
