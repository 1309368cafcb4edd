// Pictures as PNG files, 8-bit RGB: the command-line host's panel pictures
// and plots, the presets' montage, and the references tests compare with.
// Neither the module nor the platform writes one.
#pragma once

#include "gui/platform/ReadBack.h"

bool writePng(const platform::Image& image, const char* path);
bool readPng(const char* path, platform::Image& image);
