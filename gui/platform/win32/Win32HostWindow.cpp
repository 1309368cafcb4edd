#include <windows.h>

#include "gui/platform/HostWindow.h"

namespace platform {

namespace {

HWND h(Window w) { return reinterpret_cast<HWND>(w); }

constexpr const char* hostClass = "BrvHostWindow";

}  // namespace

Window createHostWindow(int width, int height) {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA c{};
    if (!GetClassInfoA(instance, hostClass, &c)) {
        c.lpfnWndProc = DefWindowProcA;
        c.hInstance = instance;
        c.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        c.lpszClassName = hostClass;
        RegisterClassA(&c);
    }
    HWND window = CreateWindowExA(0, hostClass, "Host", WS_POPUP | WS_VISIBLE, 120, 90, width,
                                  height, nullptr, nullptr, instance, nullptr);
    UpdateWindow(window);
    return reinterpret_cast<Window>(window);
}

void destroyHostWindow(Window window) { DestroyWindow(h(window)); }
bool isWindow(Window window) { return IsWindow(h(window)) != 0; }

void moveWindow(Window window, int x, int y) {
    SetWindowPos(h(window), nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace platform
