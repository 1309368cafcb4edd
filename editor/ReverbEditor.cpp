#include "editor/ReverbEditor.h"

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "params/Parameters.h"
#include "gui/Bitmap.h"
#include "gui/ChoiceSelector.h"
#include "gui/FilmstripKnob.h"
#include "gui/Frame.h"
#include "gui/ToggleButton.h"
#include "gui/ValueDisplay.h"
#include "editor/EditController.h"
#include "params/TextFormat.h"

namespace {

// Knobs left to right, each with the read-out above it. The third and fourth
// places are diffusion and decay, in that order, unlike the parameters'. The
// first three read-outs sit one pixel right of their knob.
struct KnobPlace {
    int32_t parameter;
    int32_t knobLeft;
    int32_t readoutLeft;
};

constexpr KnobPlace knobPlaces[ReverbEditor::knobCount] = {
    {paramEarlySize, 54, 55}, {paramLateSize, 134, 135},  {paramDiffusion, 214, 215},
    {paramDamping, 294, 294}, {paramEarlyLate, 374, 374}, {paramDryWet, 454, 454},
};
constexpr int32_t knobTop = 113;
constexpr int32_t readoutTop = 89;
constexpr int32_t readoutBottom = 101;

struct SwitchPlace {
    int32_t parameter;
    Point corner;
};

constexpr SwitchPlace switchPlaces[ReverbEditor::switchCount] = {
    {paramOnOff, {18, 20}},
    {paramMonoIn, {18, 50}},
};
constexpr int32_t lampPictureHeight = 20;

// The room selector under the wordmark, as the panel's picture draws it: the
// previous arrow, the name's window and the next arrow, far edges included.
constexpr Rect roomPrevious{367, 67, 382, 82};
constexpr Rect roomName{385, 67, 508, 82};
constexpr Rect roomNext{511, 67, 526, 82};
// The room list: the read-outs' type in rows one pixel taller than it.
constexpr int32_t listRowHeight = 12;
constexpr int32_t listPadding = 3;
constexpr int32_t listMargin = 2;

// In the panel's own colours: the name lit like the emblem's trace, the
// neutral text and the list like the plate's print.
constexpr Color roomNameColor{226, 164, 82, 0};
constexpr Color noRoomColor{150, 151, 156, 0};
constexpr Color listEntryColor{200, 196, 187, 0};
constexpr Color listBorderColor{86, 88, 94, 0};
constexpr Color listHighlightColor{52, 54, 59, 0};

// A place or size of the 1x panel at a scale of 1, 1.5 or 2: the pixel its
// artwork was drawn on at that scale.
int32_t at(float scale, int32_t v) {
    return static_cast<int32_t>(std::floor(scale * static_cast<float>(v)));
}

// An area whose far edges belong to it: it keeps every pixel the artwork
// drew for it at that scale.
Rect at(float scale, const Rect& r) {
    return {at(scale, r.left), at(scale, r.top), at(scale, r.right + 1) - 1,
            at(scale, r.bottom + 1) - 1};
}

bool hasKnob(int32_t index) { return index >= 0 && index < ReverbEditor::knobCount; }
bool hasSwitch(int32_t index) { return index == paramOnOff || index == paramMonoIn; }

}  // namespace

ReverbEditor::ReverbEditor(EditController* c) : EditorBase(c), background(new Bitmap(imagePanel)) {
    rect = {0, 0, background->getWidth(), background->getHeight()};
}

// Artwork the module lacks at a larger size (a build without it, a resource
// that does not load) leaves the panel at its own size rather than empty.
void ReverbEditor::layOut(float wanted) {
    float scale = wanted;
    auto* picture = new Bitmap(imageAtScale(imagePanel, scale));
    if (picture->getWidth() <= 0 || picture->getHeight() <= 0) {
        picture->release();
        scale = 1.0f;
        picture = new Bitmap(imagePanel);
    }
    background->release();
    background = picture;
    rect = {0, 0, background->getWidth(), background->getHeight()};
    EditorBase::layOut(scale);
}

// A host may close the effect with its panel still open; the panel goes
// first, while the editor its controls report to still exists.
ReverbEditor::~ReverbEditor() {
    if (panelOpen || frame) close();
    background->release();
}

// A host that opens the panel again without closing it gets the old one
// replaced, not a second window over a leaked first.
intptr_t ReverbEditor::open(void* parentWindow) {
    if (panelOpen || frame) close();
    EditorBase::open(parentWindow);
    followChosenScale();
    frame = new Frame({0, 0, background->getWidth(), background->getHeight()},
                      static_cast<platform::Window>(parentWindow), this);
    frame->setBackground(background);
    addKnobs();
    addReadouts();
    addSwitches();
    addRoomSelector();
    panelOpen = true;
    return 1;
}

void ReverbEditor::addKnobs() {
    const float scale = layoutScale();
    Bitmap* strip = new Bitmap(imageAtScale(imageKnob, scale));
    const int32_t width = strip->getWidth();
    const int32_t height = strip->getHeight() / knobFrames;
    const int32_t top = at(scale, knobTop);
    for (const KnobPlace& place : knobPlaces) {
        const int32_t left = at(scale, place.knobLeft);
        auto* knob = new FilmstripKnob({left, top, left + width, top + height}, this,
                                       place.parameter, knobFrames, height, strip, {0, 0});
        knob->setValue(controller ? controller->getParameter(place.parameter) : 0.0f);
        knob->setTransparent(true);
        knob->setDragScale(scale);
        frame->addView(knob);
        knobs[place.parameter] = knob;
    }
    strip->release();
}

// The read-outs are as wide as the knobs below them, and their text grows
// with the panel; at 1x it is the font's own size.
void ReverbEditor::addReadouts() {
    const float scale = layoutScale();
    const int32_t width = knobs[0]->getBounds().width();
    const int32_t top = at(scale, readoutTop);
    const int32_t bottom = at(scale, readoutBottom);
    const int32_t textSize = scale == 1.0f ? 0 : at(scale, fontTable[fontSmall].defaultSize);
    for (const KnobPlace& place : knobPlaces) {
        const int32_t left = at(scale, place.readoutLeft);
        auto* readout = new ValueDisplay({left, top, left + width, bottom}, nullptr, 1);
        readout->setTextFont(fontSmall);
        readout->setTextSize(textSize);
        readout->setTextColor(colorWhite);
        readout->setBackgroundColor(colorBlack);
        readout->setBorderColor(colorBlack);
        readout->setValue(controller ? controller->getParameter(place.parameter) : 0.0f);
        readout->setConverter(formatPercent);
        frame->addView(readout);
        readouts[place.parameter] = readout;
    }
}

void ReverbEditor::addSwitches() {
    const float scale = layoutScale();
    Bitmap* lamp = new Bitmap(imageAtScale(imageLamp, scale));
    const int32_t width = lamp->getWidth();
    const int32_t height = lamp->getHeight() / lampFrames;
    for (int32_t i = 0; i < switchCount; ++i) {
        const SwitchPlace& place = switchPlaces[i];
        const Point corner{at(scale, place.corner.x), at(scale, place.corner.y)};
        auto* button =
            new ToggleButton({corner.x, corner.y, corner.x + width, corner.y + height}, this,
                             place.parameter, at(scale, lampPictureHeight), lamp, {0, 0});
        button->setValue(controller ? controller->getParameter(place.parameter) : 0.0f);
        frame->addView(button);
        switches[i] = button;
    }
    lamp->release();
}

// Added last, so that its list, opened over the panel, is the topmost view.
void ReverbEditor::addRoomSelector() {
    const float scale = layoutScale();
    selector = new ChoiceSelector(at(scale, roomPrevious), at(scale, roomName), at(scale, roomNext),
                                  this, roomSelectorTag);
    std::vector<std::string> names;
    for (int32_t i = 0; i < rooms.count(); ++i) names.emplace_back(rooms.name(i));
    selector->setChoices(std::move(names));
    selector->setNeutralText(noRoomText);
    ChoiceStyle style;
    style.font = fontSmall;
    style.textSize = scale == 1.0f ? 0 : at(scale, fontTable[fontSmall].defaultSize);
    style.name = roomNameColor;
    style.neutral = noRoomColor;
    style.entry = listEntryColor;
    style.back = colorBlack;
    style.border = listBorderColor;
    style.highlight = listHighlightColor;
    style.rowHeight = at(scale, listRowHeight);
    style.padding = at(scale, listPadding);
    style.margin = at(scale, listMargin);
    selector->setStyle(style);
    selector->setValue(static_cast<float>(currentRoom()));
    frame->addView(selector);
}

// The frame releases every view it holds; the pointers are stale from here
// until the next open.
void ReverbEditor::close() {
    panelOpen = false;
    delete frame;
    frame = nullptr;
    for (auto& knob : knobs) knob = nullptr;
    for (auto& readout : readouts) readout = nullptr;
    for (auto& button : switches) button = nullptr;
    selector = nullptr;
}

// Hosts change parameters on any thread, the audio thread included, while
// the user-interface thread may be closing the panel and freeing its
// controls. So the change is only noted here, and the controls follow in
// update(), on the user-interface thread, at the next idle, which draws them
// in the same step.
void ReverbEditor::setParameter(int32_t index, float value) {
    (void)value;
    if (hasKnob(index) || hasSwitch(index))
        changedParameters.fetch_or(1u << index, std::memory_order_relaxed);
    markForUpdate();
}

// The stored value is read back rather than the argument used, and only
// setValue is called, so no control notifies: a host change never returns to
// the host as automation. The room selector reads the room off the values
// each time. While the room list lies open over the panel, the controls
// under it wait (they would draw over it) and follow once it is closed.
void ReverbEditor::update() {
    if (panelOpen && selector && selector->isListOpen()) {
        markForUpdate();
        return;
    }
    const uint32_t changed = changedParameters.exchange(0, std::memory_order_relaxed);
    if (!panelOpen || !changed) return;
    for (int32_t index = 0; index < paramCount; ++index) {
        if (!(changed & (1u << index))) continue;
        const float stored = controller ? controller->getParameter(index) : 0.0f;
        if (hasKnob(index)) {
            knobs[index]->setValue(stored);
            readouts[index]->setValue(stored);
        } else if (hasSwitch(index)) {
            switches[index - paramOnOff]->setValue(stored);
        }
    }
    selector->setValue(static_cast<float>(currentRoom()));
}

// The user moved a control: the effect stores the value (which moves the
// read-out through setParameter) and tells the host; the control itself is
// drawn at once through the event's context.
void ReverbEditor::controlChanged(DrawContext* context, Control* control) {
    if (!control) return;
    if (control == selector) {
        // The controls follow the room at once, drawn through the event's
        // context (or at the next idle after a key), the selector with them.
        // A host may close the panel as it hears the edits.
        applyRoom(selector->shown());
        if (!panelOpen) return;
        update();
        selector->setValue(static_cast<float>(currentRoom()));
        if (context && frame) frame->redrawIfDirty(context);
        return;
    }
    const auto tag = static_cast<uint32_t>(control->tag);
    if (tag >= static_cast<uint32_t>(paramCount) || tag == paramVolume) return;
    if (controller) controller->automate(static_cast<int32_t>(tag), control->getValue());
    control->redrawIfDirty(context);
}

void ReverbEditor::applyRoom(int32_t index) {
    if (!controller) return;
    for (int32_t parameter = 0; parameter < paramCount; ++parameter) {
        float value = 0.0f;
        if (!rooms.valueFor(index, parameter, value)) continue;
        controller->beginEdit(parameter);
        controller->automate(parameter, value);
        controller->endEdit(parameter);
    }
}

// A panel without an effect shows the defaults, as its controls do.
int32_t ReverbEditor::currentRoom() const {
    float values[paramCount];
    for (int32_t i = 0; i < paramCount; ++i)
        values[i] = controller ? controller->getParameter(i) : parameterTable[i].defaultValue;
    return rooms.match(values);
}

FilmstripKnob* ReverbEditor::knobFor(int32_t parameter) const {
    return panelOpen && hasKnob(parameter) ? knobs[parameter] : nullptr;
}

ValueDisplay* ReverbEditor::readoutFor(int32_t parameter) const {
    return panelOpen && hasKnob(parameter) ? readouts[parameter] : nullptr;
}

ToggleButton* ReverbEditor::switchFor(int32_t parameter) const {
    return panelOpen && hasSwitch(parameter) ? switches[parameter - paramOnOff] : nullptr;
}
