// What a test needs beyond the toolkit's own calls and what our hosts use
// (HostWindow.h, ReadBack.h): filling surfaces, the state of drawing objects,
// the synchronous message delivery the system offers and staged drags. Both
// implementations provide all of it; only tests link it.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "gui/platform/HostWindow.h"
#include "gui/platform/Platform.h"
#include "gui/platform/ReadBack.h"

namespace platform::probe {

// The tests reach what hosts use under the same names as the rest.
using platform::createHostWindow;
using platform::createSurface;
using platform::destroyHostWindow;
using platform::destroySurface;
using platform::getPixel;
using platform::Image;
using platform::isWindow;
using platform::moveWindow;
using platform::readSurface;
using platform::readWindow;

void fillSurface(DeviceContext dc, int width, int height, ColorRef color);

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
