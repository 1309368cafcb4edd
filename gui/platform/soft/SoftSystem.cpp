#include "gui/platform/soft/SoftSystem.h"

#include <chrono>
#include <cstring>

#include "gui/platform/EmbeddedImages.h"
#include "gui/platform/soft/SoftText.h"

platform::GdiObjectTag::GdiObjectTag(soft::ObjectKind k) : kind(k) {}
platform::GdiObjectTag::~GdiObjectTag() = default;

namespace platform::soft {

void Surface::resize(int w, int h, bool mono, ColorRef fill) {
    width = w > 0 ? w : 0;
    height = h > 0 ? h : 0;
    monochrome = mono;
    const size_t count = static_cast<size_t>(width) * height;
    // New windows and bitmaps start black, mostly in memory lent from one of
    // the same size (see System::lendPixels): one clear of the block, where
    // a store per pixel was most of what opening a panel cost under the
    // sanitizers.
    if (fill == 0 && count > 0 && count <= pixels.capacity()) {
        pixels.resize(count);
        std::memset(pixels.data(), 0, count * sizeof(ColorRef));
        return;
    }
    pixels.assign(count, fill);
}

System& System::get() {
    static System system;
    return system;
}

System::System() { reset(); }

void System::reset() {
    cursor = {0, 0};
    keys = 0;
    if (multithreadedApartment) --oleInitialized;  // the host's own initialisation
    multithreadedApartment = false;
}

bool System::known(GdiObject object) const {
    if (alive(object)) return true;
    for (const auto& entry : stockObjects) {
        if (entry.second.get() == object) return true;
    }
    return false;
}

GdiObject System::adopt(std::unique_ptr<GdiObjectTag> object) {
    GdiObject handle = object.get();
    objects[handle] = std::move(object);
    return handle;
}

namespace {

void keepLarger(std::vector<ColorRef>& spare, std::vector<ColorRef>& pixels) {
    if (pixels.capacity() > spare.capacity()) spare.swap(pixels);
}

}  // namespace

void System::destroy(GdiObject object) {
    auto found = objects.find(object);
    if (found == objects.end()) return;
    keepLarger(sparePixels, found->second->bitmap.pixels);
    objects.erase(found);
}

DeviceContext System::newContext() {
    auto dc = std::make_unique<DeviceContextTag>();
    dc->pen = stock(7);
    dc->brush = stock(0);
    dc->font = stock(13);
    for (GdiObject o : {dc->pen, dc->brush, dc->font}) ++o->selections;
    DeviceContext handle = dc.get();
    contexts[handle] = std::move(dc);
    return handle;
}

void System::destroy(DeviceContext dc) {
    auto it = contexts.find(dc);
    if (it == contexts.end()) return;
    for (GdiObject o : {dc->pen, dc->brush, dc->font, dc->bitmap}) {
        if (o && known(o)) --o->selections;
    }
    contexts.erase(it);
}

Window System::newWindow() {
    auto window = std::make_unique<WindowTag>();
    Window handle = window.get();
    windows[handle] = std::move(window);
    return handle;
}

void System::forget(Window window) {
    for (auto it = posted.begin(); it != posted.end();) {
        it = it->window == window ? posted.erase(it) : it + 1;
    }
    for (auto& entry : contexts) {
        if (entry.second->window == window) entry.second->window = nullptr;
    }
    auto found = windows.find(window);
    if (found == windows.end()) return;
    keepLarger(sparePixels, found->second->surface.pixels);
    windows.erase(found);
}

// Stock objects live as long as the process and are never deleted: white
// brush 0, black pen 7, null pen 8, system font 13, and the one-pixel
// monochrome bitmap of a fresh memory device context (number 100 here).
GdiObject System::stock(int which) {
    auto found = stockObjects.find(which);
    if (found != stockObjects.end()) return found->second.get();
    std::unique_ptr<GdiObjectTag> object;
    switch (which) {
    case 0:
        object = std::make_unique<GdiObjectTag>(ObjectKind::brush);
        object->color = 0xFFFFFF;
        break;
    case 7:
    case 8:
        object = std::make_unique<GdiObjectTag>(ObjectKind::pen);
        object->nullPen = which == 8;
        break;
    case 13:
        object = std::make_unique<GdiObjectTag>(ObjectKind::font);
        object->font.height = -12;
        object->font.weight = 700;
        break;
    case 100:
        object = std::make_unique<GdiObjectTag>(ObjectKind::bitmap);
        object->bitmap.resize(1, 1, true, 0);
        break;
    default:
        return nullptr;
    }
    object->stock = true;
    GdiObject handle = object.get();
    stockObjects[which] = std::move(object);
    return handle;
}

Surface* System::target(DeviceContext dc) {
    if (!alive(dc)) return nullptr;
    if (dc->memory) return dc->bitmap ? &dc->bitmap->canvas() : nullptr;
    if (dc->window && alive(dc->window)) return &dc->window->surface;
    return nullptr;
}

const Surface* System::source(DeviceContext dc) {
    if (alive(dc) && dc->memory) return dc->bitmap ? &dc->bitmap->pixels() : nullptr;
    return target(dc);
}

intptr_t System::call(Window window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    if (!alive(window) || !window->procedure) return 0;
    ++window->procedureDepth;
    const intptr_t result = window->procedure(window, message, wParam, lParam);
    if (alive(window)) --window->procedureDepth;
    return result;
}

void System::takeStagedInput() {
    if (staging) staging->input(now(), cursor, keys);
}

uint32_t System::now() {
    uint32_t staged = 0;
    if (staging && staging->clock(staged)) return staged;
    using namespace std::chrono;
    static const auto start = steady_clock::now();
    return 1000u +
           static_cast<uint32_t>(duration_cast<milliseconds>(steady_clock::now() - start).count());
}

ColorRef toSurface(const Surface& surface, ColorRef color) {
    if (!surface.monochrome) return color & 0xFFFFFF;
    uint32_t sum = (color & 0xFF) + ((color >> 8) & 0xFF) + ((color >> 16) & 0xFF);
    return sum >= 384 ? 1 : 0;
}

bool insideClip(DeviceContext dc, int x, int y) {
    if (dc->memory) return true;
    return x >= dc->clip.left && x < dc->clip.right && y >= dc->clip.top && y < dc->clip.bottom;
}

void putPixel(DeviceContext dc, Surface& surface, int x, int y, ColorRef color) {
    if (!surface.contains(x, y) || !insideClip(dc, x, y)) return;
    surface.at(x, y) = toSurface(surface, color);
    surface.markDamage(x, y, x + 1, y + 1);
}

}  // namespace platform::soft

namespace platform {

// Called before main by the code the build writes for each image the
// program or module carries.
void registerEmbeddedImage(int id, const unsigned char* data, size_t size) {
    soft::System::get().images[id] = {data, size};
}

}  // namespace platform
