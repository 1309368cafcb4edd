// Drawing objects, lines, rectangles, text and block transfers on soft
// surfaces, with the pixel rules of the system's graphics layer.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "gui/PackedImage.h"
#include "gui/platform/Platform.h"
#include "gui/platform/soft/SoftSystem.h"

namespace platform {

using soft::ObjectKind;
using soft::Surface;
using soft::System;

namespace {

System& sys() { return System::get(); }

bool usable(GdiObject object) { return object && sys().known(object); }

GdiObject& slotFor(DeviceContext dc, ObjectKind kind) {
    switch (kind) {
    case ObjectKind::pen:
        return dc->pen;
    case ObjectKind::brush:
        return dc->brush;
    case ObjectKind::font:
        return dc->font;
    default:
        return dc->bitmap;
    }
}

// One step of a cosmetic pen along a line: dotted pens paint three pixels
// and leave three, and the pattern runs on across connected lines.
bool penPaints(DeviceContext dc) {
    if (!dc->pen || dc->pen->nullPen) return false;
    if (dc->pen->penStyle != penDot) return true;
    bool on = (dc->dashPosition % 6) < 3;
    dc->dashPosition = (dc->dashPosition + 1) % 6;
    return on;
}

void fillBlock(DeviceContext dc, Surface& surface, int left, int top, int right, int bottom,
               ColorRef color) {
    for (int y = top; y < bottom; ++y) {
        for (int x = left; x < right; ++x) soft::putPixel(dc, surface, x, y, color);
    }
}

ColorRef rop(uint32_t code, ColorRef dst, ColorRef src) {
    switch (code) {
    case ropSrcInvert:
        return dst ^ src;
    case ropSrcAnd:
        return dst & src;
    default:
        return src;
    }
}

// Converts a source pixel to the destination's format: a monochrome source
// paints 1 in the destination's background colour and 0 in its text colour;
// a colour source becomes 1 in a monochrome destination exactly where it
// equals the source's background colour.
ColorRef convert(ColorRef value, bool srcMono, DeviceContext src, bool dstMono, DeviceContext dst) {
    if (srcMono == dstMono) return value;
    if (srcMono) return (value ? dst->bkColor : dst->textColor) & 0xFFFFFF;
    return value == (src->bkColor & 0xFFFFFF) ? 1 : 0;
}

}  // namespace

GdiObject getCurrentObject(DeviceContext dc, uint32_t kind) {
    if (!sys().alive(dc)) return nullptr;
    switch (kind) {
    case objPen:
        return dc->pen;
    case objBrush:
        return dc->brush;
    case objFont:
        return dc->font;
    case objBitmap:
        return dc->memory ? dc->bitmap : nullptr;
    default:
        return nullptr;
    }
}

GdiObject selectObject(DeviceContext dc, GdiObject object) {
    if (!sys().alive(dc) || !usable(object)) return nullptr;
    if (object->kind == ObjectKind::bitmap &&
        (!dc->memory || (object->selections > 0 && !object->stock)))
        return nullptr;
    GdiObject& slot = slotFor(dc, object->kind);
    GdiObject previous = slot;
    if (previous && usable(previous)) --previous->selections;
    slot = object;
    ++object->selections;
    return previous;
}

// The system refuses to delete an object that a device context still has
// selected, and never deletes stock objects.
bool deleteObject(GdiObject object) {
    if (!object || !sys().alive(object)) return false;
    if (object->stock || object->selections > 0) return false;
    sys().destroy(object);
    return true;
}

GdiObject getStockObject(int which) { return sys().stock(which); }

int setBkMode(DeviceContext dc, int mode) {
    if (!sys().alive(dc) || (mode != bkOpaque && mode != bkTransparent)) return 0;
    int previous = dc->bkMode;
    dc->bkMode = mode;
    return previous;
}

ColorRef setBkColor(DeviceContext dc, ColorRef color) {
    if (!sys().alive(dc)) return 0xFFFFFFFF;
    ColorRef previous = dc->bkColor;
    dc->bkColor = color & 0xFFFFFF;
    return previous;
}

ColorRef setTextColor(DeviceContext dc, ColorRef color) {
    if (!sys().alive(dc)) return 0xFFFFFFFF;
    ColorRef previous = dc->textColor;
    dc->textColor = color & 0xFFFFFF;
    return previous;
}

GdiObject createPenIndirect(uint32_t style, int32_t width, ColorRef color) {
    auto pen = std::make_unique<GdiObjectTag>(ObjectKind::pen);
    pen->penStyle = style == penDot ? penDot : penSolid;
    pen->nullPen = style == 5;
    pen->color = color & 0xFFFFFF;
    (void)width;  // every pen of the toolkit is one pixel wide
    return sys().adopt(std::move(pen));
}

GdiObject createSolidBrushIndirect(ColorRef color) {
    auto brush = std::make_unique<GdiObjectTag>(ObjectKind::brush);
    brush->color = color & 0xFFFFFF;
    return sys().adopt(std::move(brush));
}

uint32_t getLastError() { return 0; }

GdiObject createFontIndirect(const FontDescription& description) {
    auto font = std::make_unique<GdiObjectTag>(ObjectKind::font);
    font->font = description;
    font->font.faceName[sizeof(description.faceName) - 1] = 0;
    return sys().adopt(std::move(font));
}

bool moveToEx(DeviceContext dc, int x, int y) {
    if (!sys().alive(dc)) return false;
    dc->position = {x, y};
    dc->dashPosition = 0;
    return true;
}

// Bresenham's line from the current position, leaving out the end point,
// which becomes the new current position.
bool lineTo(DeviceContext dc, int x1, int y1) {
    if (!sys().alive(dc)) return false;
    Surface* surface = sys().target(dc);
    int x = dc->position.x;
    int y = dc->position.y;
    int dx = std::abs(x1 - x);
    int dy = -std::abs(y1 - y);
    int sx = x < x1 ? 1 : -1;
    int sy = y < y1 ? 1 : -1;
    int err = dx + dy;
    while (x != x1 || y != y1) {
        if (penPaints(dc) && surface) soft::putPixel(dc, *surface, x, y, dc->pen->color);
        int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
    dc->position = {x1, y1};
    return true;
}

// The rectangle covers left..right-1 and top..bottom-1; a one-pixel pen
// outlines that block and the brush fills what lies inside. Without a pen
// the filled block is one pixel smaller on the right and bottom.
bool rectangle(DeviceContext dc, int left, int top, int right, int bottom) {
    if (!sys().alive(dc)) return false;
    Surface* surface = sys().target(dc);
    if (!surface) return true;
    if (left > right) std::swap(left, right);
    if (top > bottom) std::swap(top, bottom);
    bool pen = dc->pen && !dc->pen->nullPen;
    if (!pen) {
        if (dc->brush) fillBlock(dc, *surface, left, top, right - 1, bottom - 1, dc->brush->color);
        return true;
    }
    if (dc->brush)
        fillBlock(dc, *surface, left + 1, top + 1, right - 1, bottom - 1, dc->brush->color);
    ColorRef c = dc->pen->color;
    for (int x = left; x < right; ++x) {
        soft::putPixel(dc, *surface, x, top, c);
        soft::putPixel(dc, *surface, x, bottom - 1, c);
    }
    for (int y = top; y < bottom; ++y) {
        soft::putPixel(dc, *surface, left, y, c);
        soft::putPixel(dc, *surface, right - 1, y, c);
    }
    return true;
}

// Single-line text, clipped to the rectangle; the flags choose the
// horizontal placement and vertical centring. Answers the text's height.
int drawText(DeviceContext dc, const char* text, int length, PlatformRect* rect, uint32_t format) {
    if (!sys().alive(dc) || !text || !rect) return 0;
    if (length < 0) length = static_cast<int>(std::strlen(text));
    soft::TextLayout layout = soft::layoutText(dc, text, length, nullptr, 0, 0, *rect);
    int height = layout.ascent + layout.descent;
    int x = rect->left;
    if (format & textCenter)
        x = rect->left + (rect->right - rect->left - layout.width) / 2;
    else if (format & textRight)
        x = rect->right - layout.width;
    int y = rect->top;
    if (format & textVCenter) y = rect->top + (rect->bottom - rect->top - height) / 2;
    Surface* surface = sys().target(dc);
    if (!surface) return height;
    if (dc->bkMode == bkOpaque) {
        PlatformRect box{std::max(x, rect->left), std::max(y, rect->top),
                         std::min(x + layout.width, rect->right),
                         std::min(y + height, rect->bottom)};
        fillBlock(dc, *surface, box.left, box.top, box.right, box.bottom, dc->bkColor);
    }
    soft::layoutText(dc, text, length, surface, x, y, *rect);
    return height;
}

GdiObject loadBitmap(Module instance, int resourceId) {
    if (!instance) return nullptr;
    const int id = resourceId & 0xFFFF;
    auto decoded = sys().decodedImages.find(id);
    if (decoded == sys().decodedImages.end()) {
        auto found = sys().images.find(id);
        if (found == sys().images.end()) return nullptr;
        const unsigned char* data = found->second.first;
        size_t size = found->second.second;
        std::vector<unsigned char> unpacked;
        if (isPackedImage(data, size)) {
            if (!unpackImage(data, size, unpacked)) return nullptr;
            data = unpacked.data();
            size = unpacked.size();
        }
        Surface image;
        if (!soft::decodeBitmapFile(data, size, image)) return nullptr;
        decoded = sys().decodedImages.emplace(id, std::move(image)).first;
    }
    auto bitmap = std::make_unique<GdiObjectTag>(ObjectKind::bitmap);
    bitmap->picture = &decoded->second;  // the map never lets go of it
    return sys().adopt(std::move(bitmap));
}

bool getBitmapSize(GdiObject bitmap, int32_t* width, int32_t* height) {
    if (!usable(bitmap) || bitmap->kind != ObjectKind::bitmap) return false;
    if (width) *width = bitmap->pixels().width;
    if (height) *height = bitmap->pixels().height;
    return true;
}

DeviceContext createCompatibleDC(DeviceContext dc) {
    if (dc && !sys().alive(dc)) return nullptr;
    DeviceContext memory = sys().newContext();
    memory->memory = true;
    memory->bitmap = sys().stock(100);
    ++memory->bitmap->selections;
    return memory;
}

bool deleteDC(DeviceContext dc) {
    if (!sys().alive(dc)) return false;
    sys().destroy(dc);
    return true;
}

namespace {

// The part [from, to) of 0..count whose offsets land inside 0..size at
// start + offset: 64-bit, so that a far-off start cannot wrap round.
void narrow(int64_t start, int64_t size, int64_t& from, int64_t& to) {
    from = std::max(from, -start);
    to = std::min(to, size - start);
}

// The block's columns [left, right) and rows [top, bottom) that land inside
// the destination at (x, y), and inside its clip for a window's context.
void narrowToDestination(DeviceContext dst, const Surface& to, int x, int y, int64_t& left,
                         int64_t& right, int64_t& top, int64_t& bottom) {
    narrow(x, to.width, left, right);
    narrow(y, to.height, top, bottom);
    if (dst->memory) return;
    narrow(static_cast<int64_t>(x) - dst->clip.left,
           static_cast<int64_t>(dst->clip.right) - dst->clip.left, left, right);
    narrow(static_cast<int64_t>(y) - dst->clip.top,
           static_cast<int64_t>(dst->clip.bottom) - dst->clip.top, top, bottom);
}

// A block known to lie inside both surfaces (and the clip), row by row.
void copyRows(const Surface& from, DeviceContext src, int64_t sx, int64_t sy, Surface& to,
              DeviceContext dst, int64_t x, int64_t y, int64_t columns, int64_t rows,
              uint32_t code) {
    const ColorRef mask = to.monochrome ? 1u : 0xFFFFFFu;
    const bool plainCopy =
        code != ropSrcInvert && code != ropSrcAnd && !from.monochrome && !to.monochrome;
    for (int64_t j = 0; j < rows; ++j) {
        const ColorRef* in = from.pixels.data() + (sy + j) * from.width + sx;
        ColorRef* out = to.pixels.data() + (y + j) * to.width + x;
        if (plainCopy) {
            for (int64_t i = 0; i < columns; ++i) out[i] = in[i] & mask;
            continue;
        }
        for (int64_t i = 0; i < columns; ++i) {
            const ColorRef value = convert(in[i], from.monochrome, src, to.monochrome, dst);
            out[i] = rop(code, out[i], value) & mask;
        }
    }
}

}  // namespace

// Pixels whose source lies outside the source, or whose destination lies
// outside the destination or its clip, are left alone. Those conditions cut
// out one rectangle, so it is found first and copied a row at a time: the
// whole panel is drawn this way, and a test per pixel made blits most of
// what drawing it cost.
bool bitBlt(DeviceContext dst, int x, int y, int width, int height, DeviceContext src, int sx,
            int sy, uint32_t code) {
    if (!sys().alive(dst) || !sys().alive(src)) return false;
    Surface* to = sys().target(dst);
    const Surface* from = sys().source(src);
    if (!to || !from) return false;
    int64_t left = 0, right = width, top = 0, bottom = height;
    narrow(sx, from->width, left, right);
    narrow(sy, from->height, top, bottom);
    narrowToDestination(dst, *to, x, y, left, right, top, bottom);
    if (left < right && top < bottom) {
        const int64_t columns = right - left, rows = bottom - top;
        if (from != to) {
            copyRows(*from, src, sx + left, sy + top, *to, dst, x + left, y + top, columns, rows,
                     code);
        } else {
            // A block moved within one surface (a scroll) reads every pixel
            // before any is written, as the system's own copy does.
            Surface block;
            block.resize(static_cast<int>(columns), static_cast<int>(rows), from->monochrome, 0);
            copyRows(*from, src, sx + left, sy + top, block, src, 0, 0, columns, rows, ropSrcCopy);
            copyRows(block, src, 0, 0, *to, dst, x + left, y + top, columns, rows, code);
        }
    }
    if (width > 0 && height > 0) to->markDamage(x, y, x + width, y + height);
    return true;
}

GdiObject createMonochromeBitmap(int width, int height) {
    if (width <= 0 || height <= 0) return nullptr;
    auto bitmap = std::make_unique<GdiObjectTag>(ObjectKind::bitmap);
    bitmap->bitmap.resize(width, height, true, 0);
    return sys().adopt(std::move(bitmap));
}

GdiObject createDibSection(int width, int height) {
    if (width <= 0 || height <= 0) return nullptr;
    auto bitmap = std::make_unique<GdiObjectTag>(ObjectKind::bitmap);
    sys().lendPixels(bitmap->bitmap);  // filled anew: nothing of an old one shows
    bitmap->bitmap.resize(width, height, false, 0);
    return sys().adopt(std::move(bitmap));
}

// The system refuses a bitmap that is still selected; so does this.
int getDibits(DeviceContext dc, GdiObject bitmap, int width, int height, uint32_t* pixels) {
    if (!sys().alive(dc) || !usable(bitmap) || bitmap->kind != ObjectKind::bitmap || !pixels ||
        bitmap->selections > 0)
        return 0;
    const Surface& source = bitmap->pixels();
    if (width != source.width || height <= 0) return 0;
    const int rows = std::min(height, source.height);
    for (int y = 0; y < rows; ++y) {
        for (int x = 0; x < width; ++x) {
            const ColorRef c = source.pixels[static_cast<size_t>(y) * width + x];
            pixels[static_cast<size_t>(y) * width + x] = swapRedBlue(c);
        }
    }
    return rows;
}

}  // namespace platform

namespace platform::soft {

// The imaging library's copy: every source pixel except those of the
// transparent colour replaces its destination pixel. Blocks of different
// sizes are stretched by nearest pixel.
int BRV_SYSCALL transparentBlt(DeviceContext dst, int dx, int dy, int dw, int dh, DeviceContext src,
                               int sx, int sy, int sw, int sh, uint32_t transparent) {
    System& s = System::get();
    if (!s.alive(dst) || !s.alive(src) || dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return 0;
    Surface* to = s.target(dst);
    const Surface* from = s.source(src);
    if (!to || !from || from->monochrome) return 0;
    // The pixels the destination and its clip allow, as one rectangle; the
    // damage is the box round the pixels written, marked once.
    int64_t left = 0, right = dw, top = 0, bottom = dh;
    narrowToDestination(dst, *to, dx, dy, left, right, top, bottom);
    PlatformRect written{INT32_MAX, INT32_MAX, INT32_MIN, INT32_MIN};
    for (int64_t j = top; j < bottom; ++j) {
        const int64_t fy = sy + j * sh / dh;
        if (fy < 0 || fy >= from->height) continue;
        const int ty = static_cast<int>(dy + j);
        for (int64_t i = left; i < right; ++i) {
            const int64_t fx = sx + i * sw / dw;
            if (fx < 0 || fx >= from->width) continue;
            const ColorRef value = from->at(static_cast<int>(fx), static_cast<int>(fy));
            if (value == (transparent & 0xFFFFFF)) continue;
            const int tx = static_cast<int>(dx + i);
            to->at(tx, ty) = toSurface(*to, value);
            written.left = std::min(written.left, tx);
            written.right = std::max(written.right, tx + 1);
            written.top = std::min(written.top, ty);
            written.bottom = std::max(written.bottom, ty + 1);
        }
    }
    if (written.left < written.right)
        to->markDamage(written.left, written.top, written.right, written.bottom);
    return 1;
}

namespace {

uint32_t readLe(const unsigned char* p, int bytes) {
    uint32_t v = 0;
    for (int i = bytes - 1; i >= 0; --i) v = (v << 8) | p[i];
    return v;
}

}  // namespace

// Uncompressed 24- and 32-bit device-independent bitmap files, bottom-up or
// top-down.
bool decodeBitmapFile(const unsigned char* data, size_t size, Surface& out) {
    if (!data || size < 54 || data[0] != 'B' || data[1] != 'M') return false;
    uint32_t offset = readLe(data + 10, 4);
    uint32_t header = readLe(data + 14, 4);
    int32_t width = static_cast<int32_t>(readLe(data + 18, 4));
    int32_t height = static_cast<int32_t>(readLe(data + 22, 4));
    uint32_t bpp = readLe(data + 28, 2);
    uint32_t compression = readLe(data + 30, 4);
    if (header < 40 || width <= 0 || height == 0 || (bpp != 24 && bpp != 32) ||
        (compression != 0 && !(compression == 3 && bpp == 32)))
        return false;
    bool topDown = height < 0;
    int32_t rows = topDown ? -height : height;
    size_t stride = (static_cast<size_t>(width) * (bpp / 8) + 3) & ~static_cast<size_t>(3);
    if (offset > size || stride * rows > size - offset) return false;
    out.resize(width, rows, false, 0);
    for (int32_t r = 0; r < rows; ++r) {
        const unsigned char* row = data + offset + stride * r;
        int32_t y = topDown ? r : rows - 1 - r;
        for (int32_t x = 0; x < width; ++x) {
            const unsigned char* p = row + x * (bpp / 8);
            out.at(x, y) = p[2] | (p[1] << 8) | (p[0] << 16);
        }
    }
    return true;
}

}  // namespace platform::soft
