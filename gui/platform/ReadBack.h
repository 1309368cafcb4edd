// Pixels read back from what the platform drew: off-screen surfaces to draw
// on, and what a window shows on the screen. For programs that make
// pictures without a screen of their own (the command-line host's plots,
// the panel pictures) and for tests; the module draws without them.
#pragma once

#include <cstddef>
#include <vector>

#include "gui/platform/Platform.h"

namespace platform {

struct Image {
    int width = 0;
    int height = 0;
    std::vector<ColorRef> pixels;  // row by row from the top

    ColorRef at(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// A memory device context with a 24-bit colour bitmap selected, cleared to
// black; destroySurface deletes both.
DeviceContext createSurface(int width, int height);
void destroySurface(DeviceContext dc);
ColorRef getPixel(DeviceContext dc, int x, int y);
Image readSurface(DeviceContext dc, int width, int height);

// What the window shows on screen, its child windows included.
Image readWindow(Window window);

}  // namespace platform
