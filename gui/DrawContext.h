// The short-lived object through which every view paints: it wraps one
// device context (borrowed), owns the pen, brush and font it makes, and gives
// the device context its own objects back when it goes away. It also answers
// the two questions mouse tracking asks: which buttons are down and where the
// pointer is.
#pragma once

#include <cstdint>

#include "gui/Fonts.h"
#include "gui/Geometry.h"
#include "gui/platform/Platform.h"

class Frame;

enum LineStyle : int32_t { lineSolid = 0, lineDotted = 1 };
enum TextAlign : int32_t { alignLeft = 0, alignCenter = 1, alignRight = 2 };

enum MouseButtons : int32_t {
    buttonLeft = 1,
    buttonMiddle = 2,
    buttonRight = 4,
    modShift = 8,
    modControl = 16,
    modAlt = 32,
};

class DrawContext final {
public:
    DrawContext(Frame* frame, platform::DeviceContext dc, platform::Window window);
    virtual ~DrawContext();

    DrawContext(const DrawContext&) = delete;
    DrawContext& operator=(const DrawContext&) = delete;

    void setPenColor(Color color);
    void setLineStyle(LineStyle style);
    void setFillColor(Color color);
    void setFontColor(Color color);
    void setFont(int32_t fontId, int32_t size = 0, int32_t style = 0);

    void moveTo(Point p);
    void lineTo(Point p);
    void frameRect(const Rect& r);
    void fillRect(const Rect& r);
    void drawText(const char* text, const Rect& r, bool opaque = false,
                  TextAlign align = alignCenter);

    int32_t mouseButtons() const;
    void mousePosition(Point& where) const;

    Point getOffset() const { return offset; }
    platform::DeviceContext getDeviceContext() const { return deviceContext; }
    platform::Window getWindow() const { return window; }
    Frame* getFrame() const { return frame; }
    int32_t getFontId() const { return fontId; }
    int32_t getFontSize() const { return fontSize; }
    Color getPenColor() const { return penColor; }
    Color getFillColor() const { return fillColor; }
    Color getFontColor() const { return fontColor; }
    LineStyle getLineStyle() const { return lineStyle; }

private:
    void makePen();

    Point windowOrigin;
    Point offset;
    platform::DeviceContext deviceContext;
    platform::Window window;
    Frame* frame;
    int32_t fontSize = 0;
    int32_t fontId = 0;
    Color fontColor = colorWhite;
    int32_t lineWidth = 1;
    Color penColor = colorWhite;
    Color fillColor = colorBlack;
    LineStyle lineStyle = lineSolid;
    platform::GdiObject brush = nullptr;
    platform::GdiObject pen = nullptr;
    platform::GdiObject font = nullptr;
    platform::GdiObject originalBrush = nullptr;
    platform::GdiObject originalPen = nullptr;
    platform::GdiObject originalFont = nullptr;
    uint32_t penStyle = platform::penSolid;
};
