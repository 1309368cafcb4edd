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

// What the version call names the platform: Windows NT.
constexpr uint32_t platformWin32Nt = 2;

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
    sys().call(window, msgDestroy, 0, 0);
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

void invalidateArea(Window window, const PlatformRect& area) {
    window->update = window->updatePending ? unite(window->update, area) : area;
    window->updatePending = true;
    window->erasePending = true;
}

// What was drawn on a window shown on a display server goes to the screen
// when the program next turns to the system (for input, time, messages or
// to hand back a device context), as output is flushed on a display
// connection.
void present(Window window) {
    soft::Surface& surface = window->surface;
    if (!window->native || !surface.damaged) return;
    window->native->present(surface, surface.damage);
    surface.damaged = false;
}

void presentAll() {
    for (auto& entry : sys().windows) present(entry.first);
}

void post(Window window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    sys().posted.push_back(Message{window, message, wParam, lParam, sys().now(), sys().cursor});
}

// Turns the events waiting on the window's display connection into what the
// system would have done: update areas, queued input messages, or the
// window's destruction when the host took it away.
void takeNativeEvents(Window window) {
    soft::X11Event event;
    while (sys().alive(window) && window->native && window->native->nextEvent(event)) {
        switch (event.kind) {
        case soft::X11Event::expose:
            invalidateArea(window, event.area);
            break;
        case soft::X11Event::buttonDown: {
            static const uint32_t messages[] = {0, msgLButtonDown, msgMButtonDown, msgRButtonDown};
            sys().pointerWindow = window;
            post(window, messages[event.button], 0,
                 (static_cast<intptr_t>(event.point.y & 0xFFFF) << 16) | (event.point.x & 0xFFFF));
            break;
        }
        case soft::X11Event::wheel:
            post(window, msgMouseWheel,
                 static_cast<uintptr_t>(static_cast<uint16_t>(event.button * 120)) << 16, 0);
            break;
        case soft::X11Event::keyDown:
            post(window, msgKeyDown, event.virtualKey, 0);
            break;
        case soft::X11Event::destroyed:
            destroyTree(window);
            return;
        }
    }
}

constexpr uint32_t shortestClick = 60;  // milliseconds

void takeAllNativeEvents() {
    std::vector<Window> natives;
    for (auto& entry : sys().windows)
        if (entry.second->native) natives.push_back(entry.first);
    for (Window w : natives) takeNativeEvents(w);
}

// The pointer and keys as the display server sees them, asked once per
// millisecond at most: a drag asks for every button and modifier on each pass.
bool nativePointer(PlatformPoint& where, uint32_t& keys) {
    Window source = sys().alive(sys().pointerWindow) ? sys().pointerWindow : nullptr;
    if (!source || !source->native || !source->native->alive()) {
        source = nullptr;
        for (auto& entry : sys().windows)
            if (entry.second->native && entry.second->native->alive()) source = entry.first;
    }
    if (!source) return false;
    static uint32_t askedAt = 0;
    static Window askedOf = nullptr;
    static PlatformPoint lastWhere{0, 0};
    static uint32_t lastKeys = 0;
    const uint32_t now = sys().now();
    if (askedOf != source || askedAt != now) {
        if (!source->native->pointer(lastWhere, lastKeys)) return false;
        askedOf = source;
        askedAt = now;
    }
    where = lastWhere;
    keys = lastKeys;
    return true;
}

// A parent the soft platform does not know is a host's window on the display
// server, named by its id.
std::unique_ptr<soft::X11Window> nativeChild(Window parent, int width, int height) {
    const auto id = reinterpret_cast<uintptr_t>(parent);
    if (id == 0 || id > 0xFFFFFFFFu) return nullptr;
    return soft::X11Window::create(static_cast<uint32_t>(id), width, height);
}

}  // namespace

int16_t getAsyncKeyState(int key) {
    presentAll();
    sys().takeStagedInput();
    if (key < 0 || key >= 32) return 0;
    PlatformPoint where{0, 0};
    uint32_t keys = sys().keys;
    if (nativePointer(where, keys) && key < 8 &&
        static_cast<int32_t>(sys().pressShownUntil[key] - sys().now()) > 0)
        keys |= 1u << key;
    return (keys & (1u << key)) ? static_cast<int16_t>(0x8000) : 0;
}

bool getCursorPos(PlatformPoint* point) {
    if (!point) return false;
    presentAll();
    sys().takeStagedInput();
    uint32_t keys = 0;
    if (!nativePointer(*point, keys)) *point = sys().cursor;
    return true;
}

Module loadLibrary(const char* name) {
    if (!name || (sys().staging && !sys().staging->imagingLibraryPresent())) return nullptr;
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
    if (!platformId) return false;
    *platformId = sys().staging ? sys().staging->platformId() : platformWin32Nt;
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
    return index == metricSwapButton && sys().staging && sys().staging->swappedButtons() ? 1 : 0;
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
    std::unique_ptr<soft::X11Window> native;
    if ((style & styleChild) && !sys().alive(parent)) {
        native = nativeChild(parent, width, height);
        if (!native) return nullptr;
        parent = nullptr;
        x = y = 0;
    }
    Window window = sys().newWindow();
    window->native = std::move(native);
    window->className = className;
    window->procedure = found->second.description.procedure;
    window->classBackground = found->second.description.background;
    window->style = style;
    window->x = x;
    window->y = y;
    sys().lendPixels(window->surface);  // filled anew: nothing of an old one shows
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

intptr_t getWindowUserData(Window window) { return sys().alive(window) ? window->userData : 0; }

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
    if (window->native) window->native->screenOrigin(p);
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
        sys().call(window, msgEraseBackground, reinterpret_cast<uintptr_t>(dc), 0);
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
        if (sys().call(window, msgEraseBackground, reinterpret_cast<uintptr_t>(dc), 0))
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
    if (!sys().alive(dc) || dc->memory) return 0;
    if (sys().alive(window)) present(window);
    sys().destroy(dc);
    return 1;
}

uint32_t getTickCount() { return sys().now(); }

void sleep(uint32_t milliseconds) {
    presentAll();
    if (sys().staging && sys().staging->sleep(milliseconds)) return;
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

// Posted messages first, then, like the system, a paint message for a window
// with an update area; that one stays due until the window is painted.
bool peekMessage(Message* message, Window window, uint32_t first, uint32_t last, uint32_t removal) {
    if (!message) return false;
    takeAllNativeEvents();
    presentAll();
    auto& queue = sys().posted;
    for (auto it = queue.begin(); it != queue.end(); ++it) {
        if ((window && it->window != window) || it->message < first || it->message > last) continue;
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
    return sys().call(message->window, message->message, message->wParam, message->lParam);
}

// The module's own event loop for a window shown on a display server, run
// from the editor's idle: no host message loop delivers its events. Input
// waits while the window's procedure is busy (inside a drag), as it waits in
// the system's queue while a tracking loop holds the thread; painting does not.
void deliverPendingEvents(Window window) {
    if (!sys().alive(window) || !window->native) return;
    takeNativeEvents(window);
    if (!sys().alive(window)) return;
    if (window->procedureDepth == 0) {
        auto& queue = sys().posted;
        for (auto it = queue.begin(); it != queue.end();) {
            if (it->window != window) {
                ++it;
                continue;
            }
            const Message message = *it;
            queue.erase(it);
            // A click shorter than the time between two idle calls is over
            // before its press is handled. The press reads as held for a
            // moment, so the control still sees a short click.
            const int button = message.message == msgLButtonDown   ? keyLButton
                               : message.message == msgMButtonDown ? keyMButton
                               : message.message == msgRButtonDown ? keyRButton
                                                                   : 0;
            if (button) sys().pressShownUntil[button] = sys().now() + shortestClick;
            sys().call(window, message.message, message.wParam, message.lParam);
            if (!sys().alive(window)) return;
            it = queue.begin();
        }
    }
    if (window->updatePending) sys().call(window, msgPaint, 0, 0);
    if (sys().alive(window)) present(window);
}

bool isOnDisplayServer(Window window) { return sys().alive(window) && window->native != nullptr; }

// A thread its host put in the multi-threaded apartment refuses OLE; an
// uninitialise takes one initialisation away, whoever made it.
bool oleInitialize() {
    if (sys().multithreadedApartment) return false;
    ++sys().oleInitialized;
    return true;
}

void oleUninitialize() { --sys().oleInitialized; }

uint32_t displayWindowId(Window window) {
    return sys().alive(window) && window->native ? window->native->id() : 0;
}

}  // namespace platform
