// A two-state switch drawn from a bitmap of two equally high pictures: the
// upper one for 0.0, the lower one for any other value. A click flips it; the
// value on release is the one that counts.
#pragma once

#include <cstdint>

#include "gui/Control.h"

class ToggleButton final : public Control {
public:
    ToggleButton(const Rect& bounds, ValueListener* listener, int32_t tag, int32_t frameHeight,
                 Bitmap* background, const Point& sourceOffset);

    void draw(DrawContext* context) override;
    void onMouseDown(DrawContext* context, Point& where) override;
    bool gesturePass(DrawContext* context, Point& where, bool pace) override;

private:
    ~ToggleButton() override = default;

    Point sourceOffset;  // kept with the button; the drawing picks its own
    int32_t frameHeight;
    // The press being held: the value before it and the buttons it began with.
    struct Hold {
        float entry = 0.0f;
        int32_t click = 0;
        bool first = true;
    } held;
};
