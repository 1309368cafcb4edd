#include "gui/WindowClass.h"

#include <cinttypes>
#include <cstdio>

using namespace platform;

WindowClass& WindowClass::shared() {
    static WindowClass instance;
    return instance;
}

// The whole handle goes into the name: on 64-bit systems two modules can
// share the low 32 bits of their handles, and a global class of another
// module under the same name would receive this module's windows.
std::string WindowClass::nameFor(Module instance) {
    char text[40];
    std::snprintf(text, sizeof text, "Plugin%08" PRIxPTR, reinterpret_cast<uintptr_t>(instance));
    return text;
}

void WindowClass::acquire(WindowProc procedure) {
    WindowClass& c = shared();
    if (c.count++ != 0) return;
    std::snprintf(c.className, sizeof c.className, "%s", nameFor(moduleInstance()).c_str());
    WindowClassDescription d{};
    d.style = classGlobal;
    d.procedure = procedure;
    d.classExtra = 0;
    d.windowExtra = 0;
    d.instance = moduleInstance();
    d.cursor = loadArrowCursor();
    d.background = getSysColorBrush(sysColorButtonFace);
    d.className = c.className;
    registerClass(d);
    c.swapped = getSystemMetrics(metricSwapButton) > 0;
}

void WindowClass::release() {
    WindowClass& c = shared();
    if (c.count <= 0) return;
    if (--c.count == 0) unregisterClass(c.className, moduleInstance());
}

int32_t WindowClass::registrationCount() { return shared().count; }
const char* WindowClass::name() { return shared().className; }
bool WindowClass::buttonsSwapped() { return shared().swapped; }

int32_t& KnobMode::value() {
    static int32_t mode = 0;
    return mode;
}

int32_t KnobMode::get() { return value(); }
void KnobMode::set(int32_t mode) { value() = mode; }
