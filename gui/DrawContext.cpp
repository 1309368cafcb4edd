#include "gui/DrawContext.h"

#include <cstring>

#include "gui/WindowClass.h"

using namespace platform;

DrawContext::DrawContext(Frame* owner, DeviceContext dc, Window shownIn)
    : deviceContext(dc), window(shownIn), frame(owner) {
    if (dc) {
        originalBrush = getCurrentObject(dc, objBrush);
        originalPen = getCurrentObject(dc, objPen);
        originalFont = getCurrentObject(dc, objFont);
        setBkMode(dc, bkTransparent);
    }
    if (window) {
        PlatformRect r{0, 0, 0, 0};
        if (getWindowRect(window, &r)) windowOrigin = {r.left, r.top};
    }
    if (dc) {
        setPenColor(penColor);
        setLineStyle(lineStyle);
        setFillColor(fillColor);
        setTextColor(dc, fontColor.toColorRef());
    }
}

// The device context gets its own objects back before the ones made here are
// deleted: the system will not delete an object that is still selected.
DrawContext::~DrawContext() {
    if (deviceContext) {
        if (originalBrush) selectObject(deviceContext, originalBrush);
        if (originalPen) selectObject(deviceContext, originalPen);
        if (originalFont) selectObject(deviceContext, originalFont);
    }
    if (brush) deleteObject(brush);
    if (pen) deleteObject(pen);
    if (font) deleteObject(font);
}

void DrawContext::makePen() {
    GdiObject made = createPenIndirect(penStyle, lineWidth, penColor.toColorRef());
    if (!made) return;
    selectObject(deviceContext, made);
    if (pen) deleteObject(pen);
    pen = made;
}

void DrawContext::setPenColor(Color color) {
    penColor = color;
    makePen();
}

void DrawContext::setLineStyle(LineStyle style) {
    lineStyle = style;
    penStyle = style == lineDotted ? penDot : penSolid;
    makePen();
}

void DrawContext::setFillColor(Color color) {
    fillColor = color;
    setBkColor(deviceContext, color.toColorRef());
    GdiObject made = createSolidBrushIndirect(color.toColorRef());
    if (!made) {
        (void)getLastError();
        return;
    }
    selectObject(deviceContext, made);
    if (brush) deleteObject(brush);
    brush = made;
}

void DrawContext::setFontColor(Color color) {
    fontColor = color;
    setTextColor(deviceContext, color.toColorRef());
}

void DrawContext::setFont(int32_t id, int32_t size, int32_t style) {
    if (id < 0 || id >= fontCount) id = fontSystem;
    fontId = id;
    if (size == 0) size = fontTable[id].defaultSize;
    fontSize = size;

    FontDescription d{};
    d.height = -size;
    d.weight = (style & styleBold) ? 700 : 400;
    d.italic = (style & styleItalic) ? 1 : 0;
    d.underline = (style & styleUnderline) ? 1 : 0;
    d.charSet = charsetAnsi;
    d.outPrecision = outStringPrecision;
    d.clipPrecision = clipStrokePrecision;
    d.quality = qualityDefault;
    d.pitchAndFamily = pitchVariable | familySwiss;
    std::strncpy(d.faceName, fontTable[id].face, sizeof(d.faceName) - 1);
    if (id == fontSymbol) d.pitchAndFamily = familyDecorative | pitchDefault;
    if (id == fontSystem) d.weight = 700;

    GdiObject made = createFontIndirect(d);
    if (!made) return;
    selectObject(deviceContext, made);
    if (font) deleteObject(font);
    font = made;
}

void DrawContext::moveTo(Point p) { moveToEx(deviceContext, p.x + offset.x, p.y + offset.y); }

void DrawContext::lineTo(Point p) {
    platform::lineTo(deviceContext, p.x + offset.x, p.y + offset.y);
}

void DrawContext::frameRect(const Rect& r) {
    moveTo({r.left, r.top});
    lineTo({r.right, r.top});
    lineTo({r.right, r.bottom});
    lineTo({r.left, r.bottom});
    lineTo({r.left, r.top});
}

// A pen-less rectangle leaves out its right column and bottom row, so the
// call one pixel further out paints exactly the inside of frameRect's outline.
void DrawContext::fillRect(const Rect& r) {
    GdiObject previous = selectObject(deviceContext, getStockObject(stockNullPen));
    rectangle(deviceContext, r.left + 1 + offset.x, r.top + 1 + offset.y, r.right + 1 + offset.x,
              r.bottom + 1 + offset.y);
    if (previous) selectObject(deviceContext, previous);
}

void DrawContext::drawText(const char* text, const Rect& r, bool opaque, TextAlign align) {
    if (!text) return;
    setBkMode(deviceContext, opaque ? bkOpaque : bkTransparent);
    PlatformRect target{r.left + offset.x, r.top + offset.y, r.right + offset.x,
                        r.bottom + offset.y};
    uint32_t format = textSingleLine | textVCenter | textNoPrefix;
    if (align == alignCenter) {
        format |= textCenter;
    } else if (align == alignRight) {
        format |= textRight;
    } else {
        format |= textLeft;
        target.left += 1;
    }
    platform::drawText(deviceContext, text, static_cast<int>(std::strlen(text)), &target, format);
    setBkMode(deviceContext, bkTransparent);
}

// The system reports the physical buttons; with swapped buttons the physical
// left one is the user's right button and the other way round.
int32_t DrawContext::mouseButtons() const {
    bool swapped = WindowClass::buttonsSwapped();
    int32_t buttons = 0;
    if (getAsyncKeyState(keyLButton) < 0) buttons |= swapped ? buttonRight : buttonLeft;
    if (getAsyncKeyState(keyMButton) < 0) buttons |= buttonMiddle;
    if (getAsyncKeyState(keyRButton) < 0) buttons |= swapped ? buttonLeft : buttonRight;
    if (getAsyncKeyState(keyShift) < 0) buttons |= modShift;
    if (getAsyncKeyState(keyControl) < 0) buttons |= modControl;
    if (getAsyncKeyState(keyMenu) < 0) buttons |= modAlt;
    return buttons;
}

void DrawContext::mousePosition(Point& where) const {
    PlatformPoint p{0, 0};
    getCursorPos(&p);
    where = {p.x - windowOrigin.x, p.y - windowOrigin.y};
}
