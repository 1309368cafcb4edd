// What a test, or a headless renderer, needs beyond the toolkit's own calls:
// a host window to open an editor in, off-screen pixel surfaces, a way to read
// back what a device context or window shows, and the synchronous message
// delivery the system offers. Both implementations provide all of it.
#pragma once

#include <cstdint>
#include <vector>

#include "gui/platform/Platform.h"

namespace platform::probe {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<ColorRef> pixels;  // row by row from the top

    ColorRef at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// A top-level window of the given client size, as a host would give it.
Window createHostWindow(int width, int height);
void destroyHostWindow(Window window);
// Moves a top-level window to (x, y) on the screen, keeping its size.
void moveWindow(Window window, int x, int y);
bool isWindow(Window window);

// A memory device context with a 24-bit colour bitmap selected, cleared to
// black; destroySurface deletes both.
DeviceContext createSurface(int width, int height);
void destroySurface(DeviceContext dc);
ColorRef getPixel(DeviceContext dc, int x, int y);
void fillSurface(DeviceContext dc, int width, int height, ColorRef color);
Image readSurface(DeviceContext dc, int width, int height);

// What the window shows on screen, its child windows included.
Image readWindow(Window window);

bool objectExists(GdiObject object);
bool getFontDescription(GdiObject font, FontDescription* description);
int getBkMode(DeviceContext dc);
ColorRef getBkColor(DeviceContext dc);
ColorRef getTextColor(DeviceContext dc);
bool classExists(const char* className, Module instance);

intptr_t sendMessage(Window window, uint32_t message, uintptr_t wParam, intptr_t lParam);
// Marks the whole client area for repainting and paints it at once.
void repaint(Window window);
void setCursorPos(int x, int y);

}  // namespace platform::probe
