#pragma once

class Control;
class DrawContext;

// Hears about every value change a user makes on a control; the context is
// that of the event behind the change, or none.
class ValueListener {
public:
    virtual ~ValueListener() = default;
    virtual void controlChanged(DrawContext* context, Control* control) = 0;
};
