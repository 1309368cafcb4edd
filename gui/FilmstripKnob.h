// A knob that shows one picture of a tall strip of equally high pictures of
// itself, chosen by its value, instead of drawing a handle.
#pragma once

#include <cstdint>

#include "gui/RotaryKnob.h"

class FilmstripKnob final : public RotaryKnob {
public:
    FilmstripKnob(const Rect& bounds, ValueListener* listener, int32_t tag, int32_t frameCount,
                  int32_t frameHeight, Bitmap* background, const Point& sourceOffset);

    void draw(DrawContext* context) override;

    // The top row of the picture the current value shows.
    int32_t frameOffset() const;

private:
    ~FilmstripKnob() override = default;

    int32_t frameCount;
    int32_t frameHeight;
};
