// A view that holds one value inside a range, carries the tag its listener
// knows it by, may paint itself from a background bitmap and tells its
// listener about every change a user makes. It counts as dirty whenever its
// value differs from the value it last drew.
#pragma once

#include <cstdint>

#include "gui/View.h"

class Bitmap;
class ValueListener;

class Control : public View {
public:
    Control(const Rect& bounds, ValueListener* listener, int32_t tag, Bitmap* background);

    void draw(DrawContext* context) override = 0;
    bool isDirty() const override;
    void setDirty(bool flag = true) override;

    virtual void pumpIdle();
    virtual void setValue(float v);
    virtual float getValue() const;
    virtual void setMin(float v);
    virtual float getMin() const;
    virtual void setMax(float v);
    virtual float getMax() const;
    virtual void setOldValue(float v);
    virtual float getOldValue() const;
    virtual void setDefaultValue(float v);
    virtual float getDefaultValue() const;
    virtual void setTag(int32_t t);
    virtual void setBackground(Bitmap* bitmap);
    virtual Bitmap* getBackground() const;
    virtual void setBackgroundOffset(const Point& offset);
    virtual void alignBackgroundOffset();
    virtual void setWheelStep(float v);
    virtual float getWheelStep() const;
    virtual void clampValue();

    // A drag as a begin, passes and an end. The control begins it at the
    // press; each pass reads the pointer and buttons and applies the law,
    // and answers whether the drag goes on; the end comes exactly once.
    // Between passes the driver waits: a loop that keeps the thread until
    // release paces itself with pumpIdle inside the pass (`pace`), while the
    // frame, driving from the window's events and the editor's idle, returns
    // to the host instead. A pointer path that moves between passes thus
    // gives the same values with either driver.
    virtual bool gesturePass(DrawContext* context, Point& where, bool pace);
    virtual void endGesture();

    int32_t tag;

protected:
    ~Control() override;

    // Copies the bitmap into the bounds from the source offset, leaving out
    // its transparent colour when the control is transparent.
    void paintBitmap(DrawContext* context, Bitmap* bitmap, const Point& source);

    // Runs a begun gesture to its end: the frame takes it over where it
    // drives gestures from events, else passes run here until release.
    void driveGesture(DrawContext* context, Point& where);

    ValueListener* listener;
    float oldValue = 1.0f;
    float defaultValue = 0.5f;
    float value = 0.0f;
    float minimum = 0.0f;
    float maximum = 1.0f;
    float wheelStep = 0.1f;
    Bitmap* background;
    Point backgroundOffset;
};
