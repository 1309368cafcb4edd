// A top-level window of the system, as a host gives a plug-in's panel one:
// for our own hosts, the fuzzer and the tests, which open the panel as a DAW
// does. The module never makes one.
#pragma once

#include "gui/platform/Platform.h"

namespace platform {

// A top-level window of the given client size.
Window createHostWindow(int width, int height);
void destroyHostWindow(Window window);
// Moves a top-level window to (x, y) on the screen, keeping its size.
void moveWindow(Window window, int x, int y);
bool isWindow(Window window);

}  // namespace platform
