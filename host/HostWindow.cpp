#include "host/HostWindow.h"

#include <chrono>
#include <cstdio>
#include <string>

#include "host/VstHost.h"

#if defined(_WIN32)
#include <windows.h>

#include "gui/platform/HostWindow.h"
#include "gui/platform/ReadBack.h"
#else
#include <unistd.h>

#include "host/X11HostWindow.h"
#endif

#if defined(_WIN32)

HostWindow::HostWindow(int width, int height, int place) {
    window = platform::createHostWindow(width, height);
    if (place) platform::moveWindow(static_cast<platform::Window>(window), 120, 90 + height + 20);
}

HostWindow::~HostWindow() { destroy(); }

bool HostWindow::exists() const { return window != nullptr; }
void* HostWindow::handle() const { return window; }

// The panel is the host window's child; it sits at the host's origin.
bool HostWindow::panelOrigin(long& x, long& y) const {
    RECT r{};
    if (!GetWindowRect(GetWindow(static_cast<HWND>(window), GW_CHILD), &r)) return false;
    x = r.left;
    y = r.top;
    return true;
}

bool HostWindow::grab(int width, int height, std::vector<uint32_t>& pixels) const {
    if (!window) return false;
    const platform::Image image = platform::readWindow(static_cast<platform::Window>(window));
    if (image.width != width || image.height != height) return false;
    pixels.clear();
    for (uint32_t c : image.pixels) pixels.push_back(platform::swapRedBlue(c));
    return true;
}

void HostWindow::pumpMessages() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void HostWindow::destroy() {
    if (window) platform::destroyHostWindow(static_cast<platform::Window>(window));
    window = nullptr;
}

bool HostWindow::press(long x, long y) {
    HWND panel = window ? GetWindow(static_cast<HWND>(window), GW_CHILD) : nullptr;
    POINT at{x, y};
    if (!panel || !ClientToScreen(panel, &at)) return false;
    SetCursorPos(at.x, at.y);
    return PostMessageA(panel, WM_LBUTTONDOWN, 0, MAKELPARAM(x, y)) != 0;
}

bool HostWindow::wheel(long x, long y, int notches) {
    HWND panel = window ? GetWindow(static_cast<HWND>(window), GW_CHILD) : nullptr;
    POINT at{x, y};
    if (!panel || !ClientToScreen(panel, &at)) return false;
    SetCursorPos(at.x, at.y);
    const auto delta = static_cast<WORD>(static_cast<int16_t>(notches * WHEEL_DELTA));
    return PostMessageA(panel, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(at.x, at.y)) != 0;
}

void sleepMs(int ms) { Sleep(static_cast<DWORD>(ms)); }

#else

HostWindow::HostWindow(int width, int height, int place) {
    std::string error;
    window =
        X11HostWindow::open(width, height, "Brellivaunt check", error, 0, place * (height + 20));
    if (!window) std::printf("%s\n", error.c_str());
}

HostWindow::~HostWindow() = default;

bool HostWindow::exists() const { return window != nullptr; }
void* HostWindow::handle() const { return window ? window->handle() : nullptr; }

bool HostWindow::panelOrigin(long& x, long& y) const {
    int wx = 0, wy = 0;
    if (!window || !window->screenOrigin(wx, wy)) return false;
    x = wx;
    y = wy;
    return true;
}

bool HostWindow::grab(int width, int height, std::vector<uint32_t>& pixels) const {
    pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), 0);
    return window && window->grab(width, height, pixels.data());
}

void HostWindow::pumpMessages() {
    if (window) window->stillOpen();
}

void HostWindow::destroy() {
    if (window) window->destroy();
}

bool HostWindow::press(long x, long y) {
    return window && window->press(static_cast<int>(x), static_cast<int>(y), 1);
}

// Buttons 4 and 5 are the wheel's turns away from and towards the user.
bool HostWindow::wheel(long x, long y, int notches) {
    bool sent = window != nullptr;
    for (int i = 0; i < (notches < 0 ? -notches : notches) && sent; ++i)
        sent = window->press(static_cast<int>(x), static_cast<int>(y), notches > 0 ? 4 : 5);
    return sent;
}

void sleepMs(int ms) { usleep(static_cast<useconds_t>(ms) * 1000); }

#endif

uint32_t nowMs() {
    using namespace std::chrono;
    return static_cast<uint32_t>(
        duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count());
}

void pumpPanel(PluginInstance& plugin, HostWindow& host, int milliseconds, int stepMs) {
    const uint32_t end = nowMs() + static_cast<uint32_t>(milliseconds);
    do {
        host.pumpMessages();
        plugin.dispatch(effEditIdle);
        sleepMs(stepMs);
    } while (static_cast<int32_t>(end - nowMs()) > 0);
}
