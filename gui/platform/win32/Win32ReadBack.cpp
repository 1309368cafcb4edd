#include <windows.h>

#include "gui/platform/ReadBack.h"

namespace platform {

namespace {

HDC h(DeviceContext dc) { return reinterpret_cast<HDC>(dc); }
HWND h(Window w) { return reinterpret_cast<HWND>(w); }

// A top-down device-independent bitmap whose pixels the caller can read.
HBITMAP makeSection(HDC dc, int width, int height, WORD bitsPerPixel, void** bits) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = bitsPerPixel;
    info.bmiHeader.biCompression = BI_RGB;
    return CreateDIBSection(dc, &info, DIB_RGB_COLORS, bits, nullptr, 0);
}

// Copies a block of a device context into an image.
Image copyBlock(HDC source, int x, int y, int width, int height) {
    Image image;
    if (width <= 0 || height <= 0) return image;
    void* bits = nullptr;
    HDC memory = CreateCompatibleDC(source);
    HBITMAP dib = makeSection(memory, width, height, 32, &bits);
    if (!dib || !bits) {
        DeleteDC(memory);
        return image;
    }
    HGDIOBJ previous = SelectObject(memory, dib);
    BitBlt(memory, 0, 0, width, height, source, x, y, SRCCOPY);
    GdiFlush();
    image.width = width;
    image.height = height;
    image.pixels.resize(static_cast<size_t>(width) * height);
    const auto* p = static_cast<const uint32_t*>(bits);
    for (size_t i = 0; i < image.pixels.size(); ++i) {
        uint32_t bgra = p[i];
        image.pixels[i] = swapRedBlue(bgra);
    }
    SelectObject(memory, previous);
    DeleteObject(dib);
    DeleteDC(memory);
    return image;
}

}  // namespace

DeviceContext createSurface(int width, int height) {
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    SelectObject(dc, makeSection(dc, width, height, 24, &bits));
    return reinterpret_cast<DeviceContext>(dc);
}

// Deleting the device context lets go of its bitmap, which can then go too.
void destroySurface(DeviceContext dc) {
    HGDIOBJ bitmap = GetCurrentObject(h(dc), OBJ_BITMAP);
    DeleteDC(h(dc));
    DeleteObject(bitmap);
}

ColorRef getPixel(DeviceContext dc, int x, int y) { return GetPixel(h(dc), x, y); }

Image readSurface(DeviceContext dc, int width, int height) {
    return copyBlock(h(dc), 0, 0, width, height);
}

// A child window is read from its parent's device context: that is where
// the system composes what the screen shows.
Image readWindow(Window window) {
    RECT r{};
    GetClientRect(h(window), &r);
    HWND parent = GetParent(h(window));
    HWND source = parent ? parent : h(window);
    POINT origin{0, 0};
    if (parent) MapWindowPoints(h(window), parent, &origin, 1);
    HDC dc = GetDC(source);
    Image image = copyBlock(dc, origin.x, origin.y, r.right - r.left, r.bottom - r.top);
    ReleaseDC(source, dc);
    return image;
}

}  // namespace platform
