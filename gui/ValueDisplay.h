// A read-only read-out: its value becomes text (through the editor's
// converter, or "%2.2f" without one) drawn over a filled, framed or bitmap
// background.
#pragma once

#include <cstdint>

#include "gui/Control.h"
#include "gui/DrawContext.h"

enum DisplayStyle : int32_t {
    displayShadowedText = 4,
    displaySunkenBorder = 128,
    displayRaisedBorder = 256,
    displayNoText = 2048,
    displayNoDrawing = 4096,
};

class ValueDisplay final : public Control {
public:
    using Converter = void (*)(float value, char* text);
    using ConverterWithData = void (*)(float value, char* text, void* userData);
    using SpareCallback = void (*)();

    // Converters write into a buffer of this many bytes.
    static constexpr int32_t textCapacity = 256;

    ValueDisplay(const Rect& bounds, Bitmap* background, int32_t style);

    void draw(DrawContext* context) override;

    void setTextFont(FontId id);
    // The text's height in pixels; 0, the default, is the font's own size. A
    // panel drawn at a larger scale sets its scaled size here. Anything below
    // 0 or above 1000 is taken as 0.
    void setTextSize(int32_t pixels);
    void setTextColor(Color color);
    void setBackgroundColor(Color color);
    void setBorderColor(Color color);
    void setTextShadowColor(Color color);
    void setAlignment(TextAlign align);
    void setConverterWithData(ConverterWithData function, void* userData);
    void setConverter(Converter function);
    void setSpareCallback(SpareCallback function);
    void setStyle(int32_t bits);
    void setTextStyle(int32_t bits);
    void setTextTransparent(bool flag);

    // Draws the given text (and, when given, the replacement bitmap instead
    // of the background) the way the display draws its value.
    void drawValueText(DrawContext* context, const char* text, Bitmap* replacement);

    int32_t getStyle() const { return style; }

private:
    ~ValueDisplay() override = default;
    // Marks the display dirty when the colour differs in red, green or blue;
    // the alpha byte is stored but never drawn, so it alone changes nothing.
    void changeColor(Color& slot, Color color);

    Converter converter = nullptr;
    ConverterWithData converterWithData = nullptr;
    SpareCallback spareCallback = nullptr;
    void* userData = nullptr;
    TextAlign alignment = alignCenter;
    int32_t style;
    FontId font = fontNormal;
    int32_t textSize = 0;
    int32_t textStyle = 0;
    Color textColor = colorWhite;
    Color backColor = colorBlack;
    Color borderColor = colorBlack;
    Color shadowColor = colorRed;
    bool textTransparent = true;
};
