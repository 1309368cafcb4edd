#include "gui/ChoiceSelector.h"

#include <algorithm>
#include <utility>

#include "gui/ChoiceList.h"
#include "gui/DrawContext.h"
#include "gui/Frame.h"
#include "gui/ValueListener.h"

namespace {

Rect holding(const Rect& a, const Rect& b, const Rect& c) {
    return {std::min({a.left, b.left, c.left}), std::min({a.top, b.top, c.top}),
            std::max({a.right, b.right, c.right}), std::max({a.bottom, b.bottom, c.bottom})};
}

}  // namespace

ChoiceSelector::ChoiceSelector(const Rect& previousArea, const Rect& nameArea, const Rect& nextArea,
                               ValueListener* l, int32_t t)
    : Control(holding(previousArea, nameArea, nextArea), l, t, nullptr),
      previous(previousArea),
      name(nameArea),
      next(nextArea) {
    value = static_cast<float>(none);
    minimum = static_cast<float>(none);
}

// The list may outlive the selector by a moment while the frame lets go of
// its views; it must not report to a selector that is gone.
ChoiceSelector::~ChoiceSelector() {
    if (list) list->forgetOwner();
}

void ChoiceSelector::setChoices(std::vector<std::string> names) {
    choices = std::move(names);
    maximum = static_cast<float>(choices.size()) - 1.0f;
    setDirty(true);
}

void ChoiceSelector::setNeutralText(const std::string& text) {
    neutralText = text;
    setDirty(true);
}

void ChoiceSelector::setStyle(const ChoiceStyle& look) {
    looks = look;
    setDirty(true);
}

const char* ChoiceSelector::choiceName(int32_t index) const {
    return index >= 0 && index < choiceCount() ? choices[static_cast<size_t>(index)].c_str()
                                               : nullptr;
}

// Whatever the owner set that names no choice (a fraction, a number out of
// range, not a number) shows as none.
int32_t ChoiceSelector::shown() const {
    if (!(value >= 0.0f && value < static_cast<float>(choiceCount()))) return none;
    const auto index = static_cast<int32_t>(value);
    return static_cast<float>(index) == value ? index : none;
}

// The arrows are the panel's picture; only the name's window is drawn here.
void ChoiceSelector::draw(DrawContext* context) {
    if (!context) return;
    context->setFillColor(looks.back);
    context->fillRect(name);
    context->setPenColor(looks.back);
    context->frameRect(name);
    const int32_t index = shown();
    const char* text = index == none ? neutralText.c_str() : choiceName(index);
    if (*text) {
        context->setFont(looks.font, looks.textSize);
        context->setFontColor(index == none ? looks.neutral : looks.name);
        context->drawText(text, name, false, alignCenter);
    }
    setDirty(false);
}

// A press counts when the left button made it, or when every button was
// let go before it was handled (a click, quick as some hosts deliver it).
void ChoiceSelector::onMouseDown(DrawContext* context, Point& where) {
    if (!isMouseEnabled()) return;
    const int32_t buttons = context ? context->mouseButtons() : buttonLeft;
    if (buttons != 0 && !(buttons & buttonLeft)) return;
    if (where.x < name.left)
        choose(context, stepped(-1));
    else if (where.x > name.right)
        choose(context, stepped(1));
    else
        openList(context);
}

// Turning the wheel away from the user goes back through the list, towards
// the user forward, as it scrolls a list.
bool ChoiceSelector::onWheel(DrawContext* context, const Point& where, float distance) {
    (void)where;
    if (!isMouseEnabled() || !(distance != 0.0f)) return false;
    choose(context, stepped(distance > 0.0f ? -1 : 1));
    return true;
}

int32_t ChoiceSelector::stepped(int32_t by) const {
    const int32_t count = choiceCount();
    if (count == 0) return none;
    const int32_t from = shown();
    if (from == none) return by < 0 ? count - 1 : 0;
    return (from + by + count) % count;
}

// A choice is the user's even when it is the one shown: picking the room
// shown again sets it anew. So it is marked changed before it is reported.
void ChoiceSelector::choose(DrawContext* context, int32_t index) {
    if (index == none) return;
    value = static_cast<float>(index);
    setDirty(true);
    if (listener) listener->controlChanged(context, this);
}

void ChoiceSelector::openList(DrawContext* context) {
    if (list || !frame || choices.empty()) return;
    auto* opened = new ChoiceList(frame->getBounds(), this);
    if (!frame->addView(opened)) {
        opened->forgetOwner();
        opened->release();
        return;
    }
    list = opened;
    frame->setFocusView(opened);
    if (context)
        opened->draw(context);
    else
        opened->setDirty(true);
}

// The views under the list draw again as the frame does, the background
// first; without a context (after a key) at the next idle.
void ChoiceSelector::closeList(DrawContext* context) {
    ChoiceList* closing = list;
    if (!closing) return;
    list = nullptr;
    closing->forgetOwner();
    if (frame) {
        frame->removeView(closing, true);
        frame->setDirty(true);
        if (context) frame->redrawIfDirty(context);
    } else {
        closing->release();
    }
}

void ChoiceSelector::picked(DrawContext* context, int32_t index) {
    closeList(context);
    if (index >= 0 && index < choiceCount()) choose(context, index);
}
