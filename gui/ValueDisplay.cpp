#include "gui/ValueDisplay.h"

#include <cstdio>

#include "gui/Bitmap.h"

ValueDisplay::ValueDisplay(const Rect& r, Bitmap* back, int32_t bits)
    : Control(r, nullptr, 0, back), style(bits) {
    if (style & displayNoDrawing) {
        dirty = false;
        oldValue = value;
    }
}

void ValueDisplay::changeColor(Color& slot, Color color) {
    if (slot.red != color.red || slot.green != color.green || slot.blue != color.blue)
        setDirty(true);
    slot = color;
}

void ValueDisplay::setTextFont(FontId id) {
    if (id != font) setDirty(true);
    font = id;
}

void ValueDisplay::setTextSize(int32_t pixels) {
    if (pixels < 0 || pixels > 1000) pixels = 0;
    if (pixels != textSize) setDirty(true);
    textSize = pixels;
}

void ValueDisplay::setTextColor(Color color) { changeColor(textColor, color); }
void ValueDisplay::setBackgroundColor(Color color) { changeColor(backColor, color); }
void ValueDisplay::setBorderColor(Color color) { changeColor(borderColor, color); }
void ValueDisplay::setTextShadowColor(Color color) { changeColor(shadowColor, color); }

void ValueDisplay::setAlignment(TextAlign align) {
    if (align != alignment) setDirty(true);
    alignment = align;
}

void ValueDisplay::setConverterWithData(ConverterWithData function, void* data) {
    converterWithData = function;
    userData = data;
}

void ValueDisplay::setConverter(Converter function) { converter = function; }
void ValueDisplay::setSpareCallback(SpareCallback function) { spareCallback = function; }

void ValueDisplay::setStyle(int32_t bits) {
    if (bits == style) return;
    style = bits;
    setDirty(true);
}

void ValueDisplay::setTextStyle(int32_t bits) {
    if (bits != textStyle) setDirty(true);
    textStyle = bits;
}

void ValueDisplay::setTextTransparent(bool flag) { textTransparent = flag; }

void ValueDisplay::draw(DrawContext* context) {
    if (!context) return;
    char text[textCapacity];
    if (converterWithData) {
        text[0] = 0;
        converterWithData(value, text, userData);
    } else if (converter) {
        text[0] = 0;
        converter(value, text);
    } else {
        std::snprintf(text, sizeof text, "%2.2f", static_cast<double>(value));
    }
    text[textCapacity - 1] = 0;
    drawValueText(context, text, nullptr);
}

void ValueDisplay::drawValueText(DrawContext* context, const char* text, Bitmap* replacement) {
    setDirty(false);
    if (!context || (style & displayNoDrawing)) return;
    const bool bordered3d = (style & (displaySunkenBorder | displayRaisedBorder)) != 0;

    if (Bitmap* image = replacement ? replacement : background) {
        paintBitmap(context, image, backgroundOffset);
    } else if (!isTransparent()) {
        context->setFillColor(backColor);
        context->fillRect(bounds);
        if (!bordered3d) {
            context->setPenColor(borderColor);
            context->frameRect(bounds);
        }
    }

    if (bordered3d) {
        const bool sunken = (style & displaySunkenBorder) != 0;
        context->setPenColor(sunken ? backColor : borderColor);
        context->moveTo({bounds.left, bounds.bottom});
        context->lineTo({bounds.left, bounds.top});
        context->lineTo({bounds.right + 1, bounds.top});
        context->setPenColor(sunken ? borderColor : backColor);
        context->moveTo({bounds.right, bounds.top + 1});
        context->lineTo({bounds.right, bounds.bottom});
        context->lineTo({bounds.left, bounds.bottom});
    }

    if ((style & displayNoText) || !text || !text[0]) return;
    context->setFont(font, textSize, textStyle);
    if (style & displayShadowedText) {
        context->setFontColor(shadowColor);
        context->drawText(text,
                          {bounds.left + 1, bounds.top + 1, bounds.right + 1, bounds.bottom + 1},
                          !textTransparent, alignment);
    }
    context->setFontColor(textColor);
    context->drawText(text, bounds, !textTransparent, alignment);
}
