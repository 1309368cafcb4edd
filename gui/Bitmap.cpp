#include "gui/Bitmap.h"

#include "gui/DrawContext.h"

using namespace platform;

Bitmap::Bitmap(int32_t id) : resourceId(id) {
    handle = loadBitmap(moduleInstance(), id & 0xFFFF);
    if (handle && !getBitmapSize(handle, &width, &height)) width = height = 0;
}

Bitmap::~Bitmap() {
    if (handle) deleteObject(handle);
}

int32_t Bitmap::release() {
    if (refCount <= 0) return refCount;
    if (--refCount == 0) {
        delete this;
        return 0;
    }
    return refCount;
}

void Bitmap::draw(DrawContext* context, const Rect& rect, const Point& source) {
    if (!handle || !context) return;
    DeviceContext dc = context->getDeviceContext();
    DeviceContext memory = createCompatibleDC(dc);
    GdiObject previous = selectObject(memory, handle);
    Point offset = context->getOffset();
    bitBlt(dc, rect.left + offset.x, rect.top + offset.y, rect.width(), rect.height(), memory,
           source.x, source.y, ropSrcCopy);
    selectObject(memory, previous);
    deleteDC(memory);
}

void Bitmap::drawTransparent(DrawContext* context, const Rect& rect, const Point& source) {
    if (!handle || !context) return;
    DeviceContext dc = context->getDeviceContext();
    Point offset = context->getOffset();
    int w = rect.width();
    int h = rect.height();
    int dx = rect.left + offset.x;
    int dy = rect.top + offset.y;
    DeviceContext memory = createCompatibleDC(dc);
    GdiObject previous = selectObject(memory, handle);
    if (TransparentBltFunction copy = TransparentCopy::get()) {
        copy(dc, dx, dy, w, h, memory, source.x, source.y, w, h, transparentColor.toColorRef());
    } else {
        drawMasked(dc, memory, dx, dy, w, h, source);
    }
    selectObject(memory, previous);
    deleteDC(memory);
}

// The image is mixed into the destination, the mask clears the mix wherever
// the image is opaque, and mixing the image in again leaves the destination
// where the mask kept it and the image everywhere else.
void Bitmap::drawMasked(DeviceContext dst, DeviceContext src, int dx, int dy, int w, int h,
                        const Point& source) {
    DeviceContext maskDc = createCompatibleDC(dst);
    GdiObject mask = createMonochromeBitmap(w, h);
    GdiObject previousMask = selectObject(maskDc, mask);
    ColorRef oldBack = setBkColor(dst, 0xFFFFFF);
    ColorRef oldText = setTextColor(dst, 0x000000);

    setBkColor(src, transparentColor.toColorRef());
    bitBlt(maskDc, 0, 0, w, h, src, source.x, source.y, ropSrcCopy);

    bitBlt(dst, dx, dy, w, h, src, source.x, source.y, ropSrcInvert);
    bitBlt(dst, dx, dy, w, h, maskDc, 0, 0, ropSrcAnd);
    bitBlt(dst, dx, dy, w, h, src, source.x, source.y, ropSrcInvert);

    selectObject(maskDc, previousMask);
    if (mask) deleteObject(mask);
    deleteDC(maskDc);
    setBkColor(dst, oldBack);
    setTextColor(dst, oldText);
}

TransparentBltFunction& TransparentCopy::slot() {
    static TransparentBltFunction function = nullptr;
    return function;
}

TransparentBltFunction TransparentCopy::get() { return slot(); }
void TransparentCopy::set(TransparentBltFunction function) { slot() = function; }

void TransparentCopy::lookUp(Module library) {
    slot() = nullptr;
    if (!library) return;
    uint32_t platformId = 0;
    if (getVersionPlatformId(&platformId) && platformId > platformWin32Windows)
        slot() =
            reinterpret_cast<TransparentBltFunction>(getProcAddress(library, "TransparentBlt"));
}
