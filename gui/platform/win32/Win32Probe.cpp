#include <windows.h>

#include <cstring>

#include "gui/platform/Probe.h"

namespace platform::probe {

namespace {

HDC h(DeviceContext dc) { return reinterpret_cast<HDC>(dc); }
HWND h(Window w) { return reinterpret_cast<HWND>(w); }

}  // namespace

void fillSurface(DeviceContext dc, int width, int height, ColorRef color) {
    HBRUSH brush = CreateSolidBrush(color);
    RECT r{0, 0, width, height};
    FillRect(h(dc), &r, brush);
    DeleteObject(brush);
}

bool objectExists(GdiObject object) {
    return GetObjectType(reinterpret_cast<HGDIOBJ>(object)) != 0;
}

bool getFontDescription(GdiObject font, FontDescription* description) {
    LOGFONTA record{};
    if (!description || GetObjectA(reinterpret_cast<HGDIOBJ>(font), sizeof record, &record) == 0)
        return false;
    std::memcpy(description, &record, sizeof record);
    return true;
}

int getBkMode(DeviceContext dc) { return GetBkMode(h(dc)); }
ColorRef getBkColor(DeviceContext dc) { return GetBkColor(h(dc)); }
ColorRef getTextColor(DeviceContext dc) { return GetTextColor(h(dc)); }

bool classExists(const char* className, Module instance) {
    WNDCLASSA c{};
    return GetClassInfoA(reinterpret_cast<HINSTANCE>(instance), className, &c) != 0;
}

intptr_t sendMessage(Window window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    return SendMessageA(h(window), message, wParam, lParam);
}

void repaint(Window window) {
    RedrawWindow(h(window), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

void setCursorPos(int x, int y) { SetCursorPos(x, y); }

}  // namespace platform::probe
