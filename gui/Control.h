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

    int32_t tag;

protected:
    ~Control() override;

    // Copies the bitmap into the bounds from the source offset, leaving out
    // its transparent colour when the control is transparent.
    void paintBitmap(DrawContext* context, Bitmap* bitmap, const Point& source);

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
