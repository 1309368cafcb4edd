// Pictures of what a window shows, as PNG files: written by the headless
// renderer, read back by tests that compare with a kept reference.
#pragma once

#include "gui/platform/Probe.h"

namespace platform::soft {

bool writePng(const probe::Image& image, const char* path);
bool readPng(const char* path, probe::Image& image);

}  // namespace platform::soft
