// An image from the module's resources, shared by reference count among the
// views that show it, copied onto a drawing context opaquely or with one
// colour left out.
#pragma once

#include <cstdint>

#include "gui/Geometry.h"
#include "gui/platform/Platform.h"

class DrawContext;

class Bitmap final {
public:
    explicit Bitmap(int32_t resourceId);

    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;

    void addRef() { ++refCount; }
    // Drops one reference and frees the bitmap at zero; a count already at
    // zero or below is left alone. Answers the count left.
    int32_t release();
    int32_t getRefCount() const { return refCount; }

    int32_t getWidth() const { return width; }
    int32_t getHeight() const { return height; }
    int32_t getResourceId() const { return resourceId; }
    Color getTransparentColor() const { return transparentColor; }
    platform::GdiObject getHandle() const { return handle; }

    void draw(DrawContext* context, const Rect& rect, const Point& source);
    void drawTransparent(DrawContext* context, const Rect& rect, const Point& source);

private:
    ~Bitmap();
    void drawMasked(platform::DeviceContext dst, platform::DeviceContext src, int dx, int dy, int w,
                    int h, const Point& source);

    int32_t resourceId;
    int32_t refCount = 1;
    int32_t width = 0;
    int32_t height = 0;
    Color transparentColor = colorTransparent;
    platform::GdiObject handle = nullptr;
};

// Where the system's own transparent copy is, if it has one; without it
// bitmaps make their transparent copies through a mask.
class TransparentCopy final {
public:
    static platform::TransparentBltFunction get();
    static void set(platform::TransparentBltFunction function);
    // Fills the facility from the imaging library, which the caller loaded
    // (and may be absent): only NT-family systems are trusted with it.
    static void lookUp(platform::Module library);

private:
    static platform::TransparentBltFunction& slot();
};
