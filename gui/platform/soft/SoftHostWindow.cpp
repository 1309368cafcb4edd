#include "gui/platform/HostWindow.h"
#include "gui/platform/soft/SoftSystem.h"

namespace platform {

using soft::System;

namespace {

// Host windows of the soft platform sit away from the screen's corner so
// that window and screen coordinates differ.
constexpr int hostX = 120;
constexpr int hostY = 90;

intptr_t BRV_SYSCALL hostProcedure(Window w, uint32_t m, uintptr_t wp, intptr_t lp) {
    return defWindowProc(w, m, wp, lp);
}

}  // namespace

Window createHostWindow(int width, int height) {
    static const char* name = "BrvSoftHost";
    if (!System::get().classes.count(name)) {
        WindowClassDescription d{};
        d.procedure = hostProcedure;
        d.instance = moduleInstance();
        d.background = getSysColorBrush(sysColorButtonFace);
        d.className = name;
        registerClass(d);
    }
    return createWindowEx(0, name, "Host", styleVisible, hostX, hostY, width, height, nullptr,
                          moduleInstance());
}

void destroyHostWindow(Window window) { destroyWindow(window); }
bool isWindow(Window window) { return System::get().alive(window); }

void moveWindow(Window window, int x, int y) {
    if (!System::get().alive(window)) return;
    window->x = x;
    window->y = y;
}

}  // namespace platform
