// The soft platform's own state: what an operating system keeps behind its
// handles. Every handle the soft calls give out points at one of these
// records, and every call checks that its handle is still alive before
// touching it, so a stale or foreign handle is answered like the system would
// answer it (a neutral result), never with a crash.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "gui/platform/Platform.h"
#include "gui/platform/soft/SoftStaging.h"
#include "gui/platform/soft/SoftX11.h"

namespace platform::soft {

class DropTarget;

// A pixel surface. Colour surfaces hold 24-bit colours; monochrome ones hold
// 0 or 1 per pixel.
struct Surface {
    int width = 0;
    int height = 0;
    bool monochrome = false;
    std::vector<ColorRef> pixels;

    void resize(int w, int h, bool mono, ColorRef fill);
    bool contains(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    ColorRef& at(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
    ColorRef at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }

    // What was drawn since the surface was last shown on a screen.
    PlatformRect damage{0, 0, 0, 0};
    bool damaged = false;
    void markDamage(int left, int top, int right, int bottom) {
        if (!damaged) {
            damage = {left, top, right, bottom};
            damaged = true;
            return;
        }
        if (left < damage.left) damage.left = left;
        if (top < damage.top) damage.top = top;
        if (right > damage.right) damage.right = right;
        if (bottom > damage.bottom) damage.bottom = bottom;
    }
};

enum class ObjectKind { pen, brush, font, bitmap };

struct FontFace;

}  // namespace platform::soft

struct platform::GdiObjectTag {
    soft::ObjectKind kind;
    bool stock = false;
    int selections = 0;  // number of device contexts that have it selected
    uint32_t penStyle = penSolid;
    bool nullPen = false;
    ColorRef color = 0;
    FontDescription font{};
    std::unique_ptr<soft::FontFace> face;  // made on first text drawn with it
    soft::Surface bitmap;
    // A loaded bitmap shares the program's decoded picture until something
    // draws on it: a panel loads its pictures each time it is made and
    // mostly only copies from them.
    const soft::Surface* picture = nullptr;

    // The pixels to read from.
    const soft::Surface& pixels() const { return picture ? *picture : bitmap; }
    // The pixels to draw on, the bitmap's own from here on.
    soft::Surface& canvas() {
        if (picture) {
            bitmap = *picture;
            picture = nullptr;
        }
        return bitmap;
    }

    explicit GdiObjectTag(soft::ObjectKind k);
    ~GdiObjectTag();
};

struct platform::WindowTag {
    std::string className;
    WindowProc procedure = nullptr;
    GdiObject classBackground = nullptr;
    uint32_t style = 0;
    Window parent = nullptr;
    std::vector<Window> children;
    int x = 0;  // relative to the parent, or on the screen for a top-level window
    int y = 0;
    soft::Surface surface;
    intptr_t userData = 0;
    bool updatePending = false;
    bool erasePending = false;
    PlatformRect update{0, 0, 0, 0};
    int procedureDepth = 0;  // calls of the procedure under way
    // The window on the display server that shows this one, for a window
    // made in a host's window there.
    std::unique_ptr<soft::X11Window> native;
    // Registered for drops; the registration holds one reference, which goes
    // only with revokeDragDrop, never with the window.
    soft::DropTarget* dropTarget = nullptr;
};

struct platform::DeviceContextTag {
    bool memory = false;
    Window window = nullptr;  // for window device contexts
    PlatformRect clip{0, 0, 0, 0};
    GdiObject pen = nullptr;
    GdiObject brush = nullptr;
    GdiObject font = nullptr;
    GdiObject bitmap = nullptr;  // memory device contexts only
    int bkMode = bkOpaque;
    ColorRef bkColor = 0xFFFFFF;
    ColorRef textColor = 0;
    PlatformPoint position{0, 0};
    int dashPosition = 0;
};

namespace platform::soft {

struct WindowClass {
    WindowClassDescription description;
    std::string name;
};

class System final {
public:
    static System& get();

    bool alive(GdiObject object) const { return objects.count(object) != 0; }
    // A live object or a stock one; found without touching the handle.
    bool known(GdiObject object) const;
    bool alive(Window window) const { return windows.count(window) != 0; }
    bool alive(DeviceContext dc) const { return contexts.count(dc) != 0; }

    GdiObject adopt(std::unique_ptr<GdiObjectTag> object);
    void destroy(GdiObject object);
    DeviceContext newContext();
    void destroy(DeviceContext dc);
    Window newWindow();
    void forget(Window window);
    // A new window's or bitmap's surface gets the pixel memory of the
    // largest one destroyed since, to fill anew: a panel opened and closed
    // again would otherwise allocate its whole surface, and have the system
    // page it in, each time.
    void lendPixels(Surface& fresh) { fresh.pixels.swap(sparePixels); }

    GdiObject stock(int which);
    Surface* target(DeviceContext dc);
    // What a copy from the context reads; unlike target, leaves a shared
    // picture shared.
    const Surface* source(DeviceContext dc);

    // Runs the window's procedure; the window may be gone when it returns.
    intptr_t call(Window window, uint32_t message, uintptr_t wParam, intptr_t lParam);

    // Takes up the pointer and keys staged for now, where answers are staged.
    void takeStagedInput();
    uint32_t now();
    void reset();

    std::map<GdiObject, std::unique_ptr<GdiObjectTag>> objects;
    std::map<DeviceContext, std::unique_ptr<DeviceContextTag>> contexts;
    std::map<Window, std::unique_ptr<WindowTag>> windows;
    std::vector<ColorRef> sparePixels;
    std::vector<Window> topLevel;
    std::map<std::string, WindowClass> classes;
    std::vector<Message> posted;

    PlatformPoint cursor{0, 0};
    uint32_t keys = 0;               // bit n set: virtual key n is down (keys below 32 only)
    Staging* staging = nullptr;      // none in the module: the machine answers
    Window pointerWindow = nullptr;  // the native window the pointer last pressed in
    // Until when (by the clock) a button whose press was handed to a window
    // reads as held, by virtual key number: see deliverPendingEvents.
    uint32_t pressShownUntil[8] = {};
    int oleInitialized = 0;  // COM on the thread, the host's own included
    bool multithreadedApartment = false;
    int librariesLoaded = 0;
    Module instance = nullptr;

    std::map<int, std::pair<const unsigned char*, size_t>> images;
    // Each image decoded once: they are the program's own, fixed before main.
    std::map<int, Surface> decodedImages;

private:
    System();
    std::map<int, std::unique_ptr<GdiObjectTag>> stockObjects;
};

// Colour the way drawing puts it on a surface: monochrome surfaces keep only
// whether the colour is nearer white than black.
ColorRef toSurface(const Surface& surface, ColorRef color);
void putPixel(DeviceContext dc, Surface& surface, int x, int y, ColorRef color);
bool insideClip(DeviceContext dc, int x, int y);

bool decodeBitmapFile(const unsigned char* data, size_t size, Surface& out);

struct TextLayout {
    int width = 0;
    int ascent = 0;
    int descent = 0;
};
// Measures and, with a surface, draws the text with its top-left at (x, y).
TextLayout layoutText(DeviceContext dc, const char* text, int length, Surface* surface, int x,
                      int y, const PlatformRect& clip);

int BRV_SYSCALL transparentBlt(DeviceContext dst, int dx, int dy, int dw, int dh, DeviceContext src,
                               int sx, int sy, int sw, int sh, uint32_t transparent);

}  // namespace platform::soft
