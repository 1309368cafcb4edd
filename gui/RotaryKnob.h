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

private:
    void computeCoefficients();
    int32_t knobMode() const;
    template <typename Law>
    void track(DrawContext* context, Point& where, Law law);
    void trackLinear(DrawContext* context, Point& where, int32_t entryButtons);
    void trackCircular(DrawContext* context, Point& where);
};
