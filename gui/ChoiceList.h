// The list of a ChoiceSelector's choices, opened over the whole frame: a
// box of rows hanging under the selector (raised as far as the frame needs),
// in as many columns as the frame's height asks for, filled down the first
// column and then the next. While open it takes every press, wheel turn and
// key: a press on a row picks that choice; a press outside the box or
// Escape closes the list with none; the arrow keys move a highlight that
// Return picks. The choice shown is drawn in the name's colour.
#pragma once

#include <cstdint>

#include "gui/View.h"

class ChoiceSelector;

class ChoiceList final : public View {
public:
    // Covers `frameBounds`, laid out from the owner's choices, areas and style.
    ChoiceList(const Rect& frameBounds, ChoiceSelector* owner);

    // The drawn box, its far edges included.
    const Rect& box() const { return listBox; }
    int32_t columns() const { return columnCount; }
    int32_t rows() const { return rowCount; }
    // A choice's row, its far edges included; empty for an index outside.
    Rect rowArea(int32_t index) const;
    // The choice whose row holds the point, or -1.
    int32_t choiceAt(const Point& where) const;
    int32_t highlighted() const { return highlight; }

    void draw(DrawContext* context) override;
    void drawArea(DrawContext* context, const Rect& rect) override;
    void onMouseDown(DrawContext* context, Point& where) override;
    int32_t onKeyDown(KeyCode& key) override;
    int32_t onKeyUp(KeyCode& key) override;
    bool onWheel(DrawContext* context, const Point& where, float distance) override;
    bool onRemoved(Frame* frame) override;

    // The owner goes first: the list answers no one from then on.
    void forgetOwner() { owner = nullptr; }

private:
    ~ChoiceList() override = default;
    void moveHighlight(int32_t by);

    ChoiceSelector* owner;
    Rect listBox;
    int32_t count = 0;
    int32_t columnCount = 0;
    int32_t rowCount = 0;
    int32_t columnWidth = 0;
    int32_t rowHeight = 1;
    int32_t pad = 0;
    int32_t highlight = -1;
};
