#include "gui/FilmstripKnob.h"

#include "gui/Bitmap.h"

FilmstripKnob::FilmstripKnob(const Rect& r, ValueListener* l, int32_t t, int32_t frames,
                             int32_t height, Bitmap* strip, const Point& offset)
    : RotaryKnob(r, l, t, strip, nullptr, offset), frameCount(frames), frameHeight(height) {
    handleInset = 0;
}

// The value picks a row of the strip, snapped down to the top of its picture.
// A value above the maximum shows the last picture rather than reading past
// the end of the strip; a negative one (or one that is not a number) shows the
// first.
int32_t FilmstripKnob::frameOffset() const {
    if (frameHeight <= 0 || frameCount <= 1 || !(value >= 0.0f)) return 0;
    const int32_t span = (frameCount - 1) * frameHeight;
    const float exact = static_cast<float>(span) * value;
    const int32_t y = exact >= static_cast<float>(span) ? span : static_cast<int32_t>(exact);
    return y / frameHeight * frameHeight;
}

void FilmstripKnob::draw(DrawContext* context) {
    if (!context) return;
    sourceOffset = {0, frameOffset()};
    paintBitmap(context, background, sourceOffset);
    setDirty(false);
}
