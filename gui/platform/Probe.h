// What a test, or a headless renderer, needs beyond the toolkit's own calls:
// a host window to open an editor in, off-screen pixel surfaces, a way to read
// back what a device context or window shows, and the synchronous message
// delivery the system offers. Both implementations provide all of it.
#pragma once

#include <cstdint>
#include <string>
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

// What a staged drag carries: text in a memory block of `textBlock` bytes
// (at least the text and its zero), a list of file names, both or neither.
struct DragData {
    bool offersText = false;
    std::string text;
    size_t textBlock = 0;
    bool offersFiles = false;
    std::vector<std::string> files;
};

// The system's side of a drag over a window, played on the drop target
// registered there, with `keyState` as the drag reports it (dragKeyControl).
// Where the system passes a point, it lies outside the window, so a target
// that took it for the drop point would miss. dragEnter and dragOver answer
// the effect the target chose; without a target every call does nothing.
uint32_t dragEnter(Window window, const DragData& data, uint32_t keyState);
uint32_t dragOver(Window window, uint32_t keyState);
void drop(Window window, const DragData& data, uint32_t keyState);
// Memory blocks the staged drags handed out and did not get back.
int mediaInUse();

// The drop target the system holds for a window, none without one, and its
// reference count as AddRef and Release answer it.
struct DropTargetTag;
using DropTargetRef = DropTargetTag*;
DropTargetRef registeredDropTarget(Window window);
int32_t addRefDropTarget(DropTargetRef target);
int32_t releaseDropTarget(DropTargetRef target);

}  // namespace platform::probe
