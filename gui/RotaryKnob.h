// A round control turned by the mouse, the wheel and the arrow keys. The
// angle model maps the value range onto a sweep that starts at the lower left
// and runs clockwise over the top to the lower right, leaving a dead zone at
// the bottom; the mouse follows either a straight drag or the angle under the
// pointer, whichever the host's knob mode and the alt key choose.
#pragma once

#include <cstdint>

#include "gui/Control.h"

class RotaryKnob : public Control {
public:
    RotaryKnob(const Rect& bounds, ValueListener* listener, int32_t tag, Bitmap* background,
               Bitmap* handle, const Point& sourceOffset);

    void draw(DrawContext* context) override;
    void onMouseDown(DrawContext* context, Point& where) override;
    int32_t onKeyDown(KeyCode& keyCode) override;
    bool onWheel(DrawContext* context, const Point& where, float distance) override;

    virtual void drawHandle(DrawContext* context);
    virtual void setStartAngle(float angle);
    virtual float getStartAngle() const;
    virtual void setRangeAngle(float angle);
    virtual float getRangeAngle() const;
    // Points are relative to the knob's top-left corner.
    virtual void valueToPoint(Point& point) const;
    virtual float valueFromPoint(const Point& point) const;
    virtual void setHandleInset(int32_t inset);
    virtual void setShadowColor(Color color);
    virtual void setHandleColor(Color color);
    virtual void setHandleBitmap(Bitmap* bitmap);
    virtual void setZoomFactor(float factor);
    virtual float getZoomFactor() const;
    // The straight law's span (200 pixels, 300 with shift) times the scale
    // the panel is drawn at, so a drag covers the same part of a larger knob.
    // The circular law follows angles and needs none. Anything that is no
    // positive number leaves the span at 1x.
    void setDragScale(float scale);
    float getDragScale() const { return dragScale; }

    int32_t getHandleInset() const { return handleInset; }

protected:
    ~RotaryKnob() override;

    // Tells the listener about a user change, if it left the knob dirty.
    void notifyIfChanged(DrawContext* context);

    Point sourceOffset;
    Color handleColor = colorWhite;
    Color shadowColor = colorGrey;
    Bitmap* handleBitmap;
    int32_t handleInset;
    float startAngle = 0.0f;
    float rangeAngle = 0.0f;
    float halfDeadAngle = 0.0f;
    float slope = 0.0f;
    float intercept = 0.0f;
    float radius;
    float zoomFactor = 1.5f;
    float dragScale = 1.0f;

    bool gesturePass(DrawContext* context, Point& where, bool pace) override;

private:
    void computeCoefficients();
    int32_t knobMode() const;
    bool followsStraightLaw(int32_t buttons) const;
    void beginLinear(const Point& where, int32_t entryButtons);
    void beginCircular(const Point& where);
    float linearStep(int32_t buttons) const;
    void stepLinear(const Point& at, int32_t buttons);
    void stepCircular(const Point& at);

    // The drag under way: its law and what that law remembers between steps.
    struct Drag {
        bool linear = false;
        Point first;             // linear: where the drag began
        float entry = 0.0f;      // linear: the value the drag continues from
        float step = 0.0f;       // linear: value per pixel at the present rate
        int32_t remembered = 0;  // linear: the buttons the rate was set for
        float last = 0.0f;       // circular: the last value taken from an angle
        float half = 0.0f;       // circular: half the range, the dead-zone jump
        Point previous;          // the position the law last ran for
    } drag;
};
