#include "gui/ChoiceList.h"

#include <algorithm>

#include "gui/ChoiceSelector.h"
#include "gui/DrawContext.h"
#include "gui/KeyCode.h"

// The rows are as wide as the selector's name, and as many go in a column
// as the frame's height holds inside the margins; the box hangs from the
// selector's lower edge, right edges aligned, and is raised and moved in
// as far as it must to stay inside the frame.
ChoiceList::ChoiceList(const Rect& frameBounds, ChoiceSelector* selector)
    : View(frameBounds), owner(selector) {
    const ChoiceStyle& style = owner->style();
    const Rect& anchor = owner->getBounds();
    count = owner->choiceCount();
    rowHeight = std::max(style.rowHeight, 1);
    pad = std::max(style.padding, 0);
    const int32_t margin = std::max(style.margin, 0);
    const int32_t frameWidth = frameBounds.width();
    const int32_t frameHeight = frameBounds.height();
    const int32_t perColumn = std::max((frameHeight - 2 * margin - 2 * pad - 2) / rowHeight, 1);
    columnCount = count > 0 ? (count + perColumn - 1) / perColumn : 0;
    rowCount = columnCount > 0 ? (count + columnCount - 1) / columnCount : 0;
    columnWidth = owner->nameArea().width() + 1;
    const int32_t widest = frameWidth - 2 * margin - 2 - (columnCount + 1) * pad;
    if (columnCount > 0 && columnWidth * columnCount > widest)
        columnWidth = std::max(widest / columnCount, 1);
    const int32_t width = columnCount * columnWidth + (columnCount + 1) * pad + 2;
    const int32_t height = rowCount * rowHeight + 2 * pad + 2;
    int32_t right = std::min(anchor.right, frameBounds.right - 1 - margin);
    int32_t top = anchor.bottom + 1;
    top = std::min(top, frameBounds.bottom - margin - height);
    top = std::max(top, frameBounds.top + margin);
    right = std::max(right, frameBounds.left + margin + width - 1);
    listBox = {right - width + 1, top, right, top + height - 1};
    const int32_t shown = owner->shown();
    highlight = shown >= 0 && shown < count ? shown : -1;
}

Rect ChoiceList::rowArea(int32_t index) const {
    if (index < 0 || index >= count || rowCount == 0) return {};
    const int32_t column = index / rowCount;
    const int32_t row = index % rowCount;
    const int32_t left = listBox.left + 1 + pad + column * (columnWidth + pad);
    const int32_t top = listBox.top + 1 + pad + row * rowHeight;
    return {left, top, left + columnWidth - 1, top + rowHeight - 1};
}

int32_t ChoiceList::choiceAt(const Point& where) const {
    for (int32_t i = 0; i < count; ++i)
        if (rowArea(i).contains(where)) return i;
    return -1;
}

void ChoiceList::draw(DrawContext* context) {
    if (!context || !owner) return;
    const ChoiceStyle& style = owner->style();
    context->setFillColor(style.back);
    context->fillRect(listBox);
    context->setPenColor(style.border);
    context->frameRect(listBox);
    context->setFont(style.font, style.textSize);
    const int32_t shown = owner->shown();
    for (int32_t i = 0; i < count; ++i) {
        const Rect row = rowArea(i);
        if (i == highlight) {
            context->setFillColor(style.highlight);
            context->fillRect(row);
            context->setPenColor(style.highlight);
            context->frameRect(row);
        }
        context->setFontColor(i == shown ? style.name : style.entry);
        context->drawText(owner->choiceName(i), {row.left + pad, row.top, row.right, row.bottom},
                          false, alignLeft);
    }
    setDirty(false);
}

// The list lies over everything else, so any part of the frame drawn again
// is drawn over by the whole list.
void ChoiceList::drawArea(DrawContext* context, const Rect& rect) {
    (void)rect;
    draw(context);
}

// The owner may close the list, and the frame release it, while this runs:
// the list holds itself until it is done.
void ChoiceList::onMouseDown(DrawContext* context, Point& where) {
    if (!owner) return;
    const int32_t index = choiceAt(where);
    if (index < 0 && listBox.contains(where)) return;
    addRef();
    if (index >= 0)
        owner->picked(context, index);
    else
        owner->dismissed(context);
    release();
}

int32_t ChoiceList::onKeyDown(KeyCode& key) {
    if (!owner) return -1;
    switch (key.virt) {
    case vkeyEscape:
        addRef();
        owner->dismissed(nullptr);
        release();
        return 1;
    case vkeyReturn:
    case vkeyEnter:
        if (highlight >= 0) {
            addRef();
            owner->picked(nullptr, highlight);
            release();
        }
        return 1;
    case vkeyUp:
        moveHighlight(-1);
        return 1;
    case vkeyDown:
        moveHighlight(1);
        return 1;
    case vkeyLeft:
        moveHighlight(-rowCount);
        return 1;
    case vkeyRight:
        moveHighlight(rowCount);
        return 1;
    default:
        return -1;
    }
}

// The keys the list takes down, it takes up too: none reaches a view below.
int32_t ChoiceList::onKeyUp(KeyCode& key) {
    switch (key.virt) {
    case vkeyEscape:
    case vkeyReturn:
    case vkeyEnter:
    case vkeyUp:
    case vkeyDown:
    case vkeyLeft:
    case vkeyRight:
        return owner ? 1 : -1;
    default:
        return -1;
    }
}

// The wheel scrolls nothing here, and must not reach the knobs under the list.
bool ChoiceList::onWheel(DrawContext* context, const Point& where, float distance) {
    (void)context;
    (void)where;
    (void)distance;
    return owner != nullptr;
}

bool ChoiceList::onRemoved(Frame* removedFrom) {
    if (owner) owner->listGone();
    owner = nullptr;
    return View::onRemoved(removedFrom);
}

// Up and down go row by row through the columns, left and right across
// them; a move that would leave the list stays put. With nothing
// highlighted yet, the first move reaches the first row, or the last going up.
void ChoiceList::moveHighlight(int32_t by) {
    if (count == 0) return;
    int32_t to = highlight + by;
    if (highlight < 0) to = by == -1 ? count - 1 : 0;
    if (to < 0 || to >= count || to == highlight) return;
    highlight = to;
    setDirty(true);
}
