// Window classes, windows with their own pixel surfaces, the paint cycle,
// the message queue, input state, the clock, libraries and OLE, as the soft
// platform provides them.
#include <algorithm>
#include <chrono>
#include <cstring>
#include <thread>

#include "gui/platform/Platform.h"
#include "gui/platform/soft/SoftSystem.h"

namespace platform {

using soft::System;

namespace {

System& sys() { return System::get(); }

// Stands for the module when nothing stored an instance handle, and for the
// imaging library once it is "loaded".
struct ModuleToken {
    int unused;
};
ModuleToken thisModule;
ModuleToken imagingLibrary;

PlatformRect unite(const PlatformRect& a, const PlatformRect& b) {
    return {std::min(a.left, b.left), std::min(a.top, b.top), std::max(a.right, b.right),
            std::max(a.bottom, b.bottom)};
}

void invalidate(Window window) {
    PlatformRect all{0, 0, window->surface.width, window->surface.height};
    window->update = window->updatePending ? unite(window->update, all) : all;
    window->updatePending = true;
    window->erasePending = true;
}

PlatformPoint screenOrigin(Window window) {
    PlatformPoint p{0, 0};
    for (Window w = window; w; w = w->parent) {
        p.x += w->x;
        p.y += w->y;
    }
    return p;
}

void destroyTree(Window window) {
    if (!sys().alive(window)) return;
    if (window->procedure) window->procedure(window, msgDestroy, 0, 0);
    std::vector<Window> children = window->children;
    for (Window child : children) destroyTree(child);
    if (!sys().alive(window)) return;
    if (window->parent && sys().alive(window->parent)) {
        auto& siblings = window->parent->children;
        siblings.erase(std::remove(siblings.begin(), siblings.end(), window), siblings.end());
    }
    auto& top = sys().topLevel;
    top.erase(std::remove(top.begin(), top.end(), window), top.end());
    sys().forget(window);
}

Window findPaintable(const std::vector<Window>& windows, Window only) {
    for (Window w : windows) {
        if (w->updatePending && (!only || w == only)) return w;
        if (Window inner = findPaintable(w->children, only)) return inner;
    }
    return nullptr;
}

}  // namespace

int16_t getAsyncKeyState(int key) {
    sys().applyScheduledInput();
    if (key < 0 || key >= 32) return 0;
    return (sys().keys & (1u << key)) ? static_cast<int16_t>(0x8000) : 0;
}

bool getCursorPos(PlatformPoint* point) {
    if (!point) return false;
    sys().applyScheduledInput();
    *point = sys().cursor;
    return true;
}

Module loadLibrary(const char* name) {
    if (!name || !sys().imagingLibrary) return nullptr;
    std::string lower(name);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (lower != "msimg32.dll") return nullptr;
    ++sys().librariesLoaded;
    return reinterpret_cast<Module>(&imagingLibrary);
}

void* getProcAddress(Module library, const char* name) {
    if (library != reinterpret_cast<Module>(&imagingLibrary) || !name) return nullptr;
    if (std::strcmp(name, "TransparentBlt") != 0) return nullptr;
    return reinterpret_cast<void*>(&soft::transparentBlt);
}

bool freeLibrary(Module library) {
    if (library != reinterpret_cast<Module>(&imagingLibrary) || sys().librariesLoaded <= 0)
        return false;
    --sys().librariesLoaded;
    return true;
}

bool getVersionPlatformId(uint32_t* platformId) {
    if (!platformId || sys().versionCallFails) return false;
    *platformId = sys().platformId;
    return true;
}

Module moduleInstance() {
    return sys().instance ? sys().instance : reinterpret_cast<Module>(&thisModule);
}

void setModuleInstance(Module instance) { sys().instance = instance; }

Cursor loadArrowCursor() {
    static int arrow;
    return reinterpret_cast<Cursor>(&arrow);
}

// The button face colour of the classic scheme.
GdiObject getSysColorBrush(int index) {
    if (index != sysColorButtonFace) return nullptr;
    static GdiObject face = [] {
        GdiObject brush = createSolidBrushIndirect(0xF0F0F0);
        brush->stock = true;
        return brush;
    }();
    return face;
}

uint16_t registerClass(const WindowClassDescription& d) {
    if (!d.className || !d.procedure || sys().classes.count(d.className)) return 0;
    soft::WindowClass& entry = sys().classes[d.className];
    entry.description = d;
    entry.name = d.className;
    entry.description.className = entry.name.c_str();
    return static_cast<uint16_t>(0xC000 + sys().classes.size());
}

bool unregisterClass(const char* className, Module instance) {
    (void)instance;
    if (!className) return false;
    for (auto& entry : sys().windows) {
        if (entry.second->className == className) return false;
    }
    return sys().classes.erase(className) != 0;
}

int getSystemMetrics(int index) {
    return index == metricSwapButton && sys().swapButtons ? 1 : 0;
}

Window createWindowEx(uint32_t exStyle, const char* className, const char* windowName,
                      uint32_t style, int x, int y, int width, int height, Window parent,
                      Module instance) {
    (void)exStyle;
    (void)windowName;
    (void)instance;
    if (!className) return nullptr;
    auto found = sys().classes.find(className);
    if (found == sys().classes.end()) return nullptr;
    if ((style & styleChild) && !sys().alive(parent)) return nullptr;
    Window window = sys().newWindow();
    window->className = className;
    window->procedure = found->second.description.procedure;
    window->classBackground = found->second.description.background;
    window->style = style;
    window->x = x;
    window->y = y;
    window->surface.resize(width, height, false, 0);
    if (parent && sys().alive(parent)) {
        window->parent = parent;
        parent->children.push_back(window);
    } else {
        sys().topLevel.push_back(window);
    }
    if (style & styleVisible) invalidate(window);
    return window;
}

bool destroyWindow(Window window) {
    if (!sys().alive(window)) return false;
    destroyTree(window);
    return true;
}

intptr_t setWindowUserData(Window window, intptr_t value) {
    if (!sys().alive(window)) return 0;
    intptr_t previous = window->userData;
    window->userData = value;
    return previous;
}

intptr_t getWindowUserData(Window window) {
    return sys().alive(window) ? window->userData : 0;
}

intptr_t defWindowProc(Window window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    (void)lParam;
    if (!sys().alive(window)) return 0;
    if (message == msgPaint) {
        PaintRecord paint{};
        beginPaint(window, &paint);
        endPaint(window, &paint);
        return 0;
    }
    if (message == msgEraseBackground) {
        auto dc = reinterpret_cast<DeviceContext>(wParam);
        soft::Surface* surface = sys().target(dc);
        GdiObject brush = window->classBackground;
        if (!surface || !brush) return 0;
        for (int y = dc->clip.top; y < dc->clip.bottom; ++y)
            for (int x = dc->clip.left; x < dc->clip.right; ++x)
                soft::putPixel(dc, *surface, x, y, brush->color);
        return 1;
    }
    return 0;
}

bool getWindowRect(Window window, PlatformRect* rect) {
    if (!sys().alive(window) || !rect) return false;
    PlatformPoint p = screenOrigin(window);
    *rect = {p.x, p.y, p.x + window->surface.width, p.y + window->surface.height};
    return true;
}

bool getUpdateRect(Window window, PlatformRect* rect, bool erase) {
    if (!sys().alive(window) || !window->updatePending) {
        if (rect) *rect = {0, 0, 0, 0};
        return false;
    }
    if (rect) *rect = window->update;
    if (erase && window->erasePending) {
        DeviceContext dc = getDC(window);
        dc->clip = window->update;
        window->erasePending = false;
        window->procedure(window, msgEraseBackground, reinterpret_cast<uintptr_t>(dc), 0);
        releaseDC(window, dc);
    }
    return true;
}

// Takes the update area: the device context it hands out draws only there,
// the background is erased first when that is due, and the area counts as
// painted from then on.
DeviceContext beginPaint(Window window, PaintRecord* paint) {
    if (!sys().alive(window) || !paint) return nullptr;
    DeviceContext dc = getDC(window);
    PlatformRect area = window->updatePending ? window->update : PlatformRect{0, 0, 0, 0};
    dc->clip = area;
    bool erase = window->erasePending;
    window->updatePending = false;
    window->erasePending = false;
    if (erase) {
        if (window->procedure(window, msgEraseBackground, reinterpret_cast<uintptr_t>(dc), 0))
            erase = false;
    }
    paint->dc = dc;
    paint->erase = erase;
    paint->paint = area;
    return dc;
}

bool endPaint(Window window, PaintRecord* paint) {
    if (!paint) return false;
    releaseDC(window, paint->dc);
    paint->dc = nullptr;
    return true;
}

DeviceContext getDC(Window window) {
    if (!sys().alive(window)) return nullptr;
    DeviceContext dc = sys().newContext();
    dc->window = window;
    dc->clip = {0, 0, window->surface.width, window->surface.height};
    return dc;
}

int releaseDC(Window window, DeviceContext dc) {
    (void)window;
    if (!sys().alive(dc) || dc->memory) return 0;
    sys().destroy(dc);
    return 1;
}

uint32_t getTickCount() { return sys().now(); }

void sleep(uint32_t milliseconds) {
    sys().slept += milliseconds;
    if (sys().manualClock) {
        sys().manualTick += milliseconds;
        return;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

// Posted messages first, then, like the system, a paint message for a window
// with an update area; that one stays due until the window is painted.
bool peekMessage(Message* message, Window window, uint32_t first, uint32_t last,
                 uint32_t removal) {
    if (!message) return false;
    auto& queue = sys().posted;
    for (auto it = queue.begin(); it != queue.end(); ++it) {
        if ((window && it->window != window) || it->message < first || it->message > last)
            continue;
        *message = *it;
        if (removal & peekRemove) queue.erase(it);
        return true;
    }
    if (first <= msgPaint && msgPaint <= last) {
        if (Window w = findPaintable(sys().topLevel, window)) {
            *message = Message{w, msgPaint, 0, 0, sys().now(), sys().cursor};
            return true;
        }
    }
    return false;
}

intptr_t dispatchMessage(const Message* message) {
    if (!message || !sys().alive(message->window) || !message->window->procedure) return 0;
    return message->window->procedure(message->window, message->message, message->wParam,
                                      message->lParam);
}

// A thread its host put in the multi-threaded apartment refuses OLE; an
// uninitialise takes one initialisation away, whoever made it.
bool oleInitialize() {
    if (sys().multithreadedApartment) return false;
    ++sys().oleInitialized;
    return true;
}

void oleUninitialize() { --sys().oleInitialized; }

}  // namespace platform
