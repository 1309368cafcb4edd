#include <memory>

#include "gui/platform/ReadBack.h"
#include "gui/platform/soft/SoftSystem.h"

namespace platform {

using soft::System;

namespace {

void composite(Window window, int ox, int oy, Image& image) {
    const soft::Surface& s = window->surface;
    for (int y = 0; y < s.height; ++y) {
        for (int x = 0; x < s.width; ++x) {
            int tx = ox + x, ty = oy + y;
            if (tx >= 0 && ty >= 0 && tx < image.width && ty < image.height)
                image.pixels[static_cast<size_t>(ty) * image.width + tx] =
                    s.monochrome ? (s.pixels[static_cast<size_t>(y) * s.width + x] ? 0xFFFFFF : 0)
                                 : s.pixels[static_cast<size_t>(y) * s.width + x];
        }
    }
    for (Window child : window->children) composite(child, ox + child->x, oy + child->y, image);
}

}  // namespace

DeviceContext createSurface(int width, int height) {
    DeviceContext dc = createCompatibleDC(nullptr);
    auto bitmap = std::make_unique<GdiObjectTag>(soft::ObjectKind::bitmap);
    bitmap->bitmap.resize(width, height, false, 0);
    selectObject(dc, System::get().adopt(std::move(bitmap)));
    return dc;
}

void destroySurface(DeviceContext dc) {
    if (!System::get().alive(dc)) return;
    GdiObject bitmap = selectObject(dc, System::get().stock(100));
    deleteDC(dc);
    deleteObject(bitmap);
}

ColorRef getPixel(DeviceContext dc, int x, int y) {
    soft::Surface* s = System::get().target(dc);
    if (!s || !s->contains(x, y)) return 0xFFFFFFFF;
    return s->monochrome ? (s->at(x, y) ? 0xFFFFFF : 0) : s->at(x, y);
}

Image readSurface(DeviceContext dc, int width, int height) {
    Image image;
    image.width = width;
    image.height = height;
    image.pixels.resize(static_cast<size_t>(width) * height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.pixels[static_cast<size_t>(y) * width + x] = getPixel(dc, x, y);
    return image;
}

Image readWindow(Window window) {
    Image image;
    if (!System::get().alive(window)) return image;
    image.width = window->surface.width;
    image.height = window->surface.height;
    image.pixels.assign(static_cast<size_t>(image.width) * image.height, 0);
    composite(window, 0, 0, image);
    return image;
}

}  // namespace platform
