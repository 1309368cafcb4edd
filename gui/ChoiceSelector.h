// One of a list of named choices, shown by name between a previous and a
// next arrow. Its value is the index of the choice shown, or -1 when what
// it stands for is none of them; a neutral text then stands in for a name.
// The arrows and the wheel step to a neighbour, wrapping at both ends (from
// none, forward to the first and back to the last); a press on the name
// opens the list of every choice over the frame (ChoiceList). Each choice
// the user makes becomes the value and goes to the listener, and what is
// shown afterwards is whatever the owner then sets: the selector remembers
// no choice of its own. It takes keys only through its list, while open.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gui/Control.h"
#include "gui/Fonts.h"

class ChoiceList;

// How the name and the list look, and how the list's rows are laid out, in
// pixels of the frame.
struct ChoiceStyle {
    FontId font = fontSmall;
    int32_t textSize = 0;  // 0 for the font's own size
    Color name = colorWhite;
    Color neutral = colorGrey;
    Color entry = colorWhite;  // the other choices in the list
    Color back = colorBlack;
    Color border = colorGrey;
    Color highlight = colorGrey;  // the row the keys have reached
    int32_t rowHeight = 12;
    int32_t padding = 3;  // inside the list's border, and between its columns
    int32_t margin = 2;   // kept free between the list and the frame's edges
};

class ChoiceSelector final : public Control {
public:
    static constexpr int32_t none = -1;

    // The three areas are left to right and, like the bounds, include their
    // far edges; the bounds are what holds all three.
    ChoiceSelector(const Rect& previous, const Rect& name, const Rect& next,
                   ValueListener* listener, int32_t tag);

    void setChoices(std::vector<std::string> names);
    void setNeutralText(const std::string& text);
    void setStyle(const ChoiceStyle& look);

    int32_t choiceCount() const { return static_cast<int32_t>(choices.size()); }
    // The choice's name; null for an index outside the list.
    const char* choiceName(int32_t index) const;
    // The value as an index: none for anything that is not one.
    int32_t shown() const;
    const ChoiceStyle& style() const { return looks; }
    const Rect& previousArea() const { return previous; }
    const Rect& nameArea() const { return name; }
    const Rect& nextArea() const { return next; }

    void draw(DrawContext* context) override;
    void onMouseDown(DrawContext* context, Point& where) override;
    bool onWheel(DrawContext* context, const Point& where, float distance) override;

    bool isListOpen() const { return list != nullptr; }
    ChoiceList* getList() const { return list; }
    void openList(DrawContext* context);
    // Closes an open list with no choice made; the frame is drawn again.
    void closeList(DrawContext* context);

    // What the open list reports: a choice picked, or closed with none.
    void picked(DrawContext* context, int32_t index);
    void dismissed(DrawContext* context) { closeList(context); }
    // The frame let go of the list (the panel closed under it).
    void listGone() { list = nullptr; }

private:
    ~ChoiceSelector() override;
    void choose(DrawContext* context, int32_t index);
    int32_t stepped(int32_t by) const;

    Rect previous;
    Rect name;
    Rect next;
    std::vector<std::string> choices;
    std::string neutralText;
    ChoiceStyle looks;
    ChoiceList* list = nullptr;
};
