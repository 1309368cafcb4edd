// Pictures for judging the images by eye, never shipped: each image as PNG,
// the panel as the plug-in will show it (lamps and knob frames copied in the
// same way, values written in the read-outs) and nearest-neighbour
// enlargements of those.
#pragma once

#include <string>

#include "resources/generator/Image8.h"
#include "resources/generator/Typeface.h"

struct PanelImages {
    Image8 panel;
    Image8 knob;
    Image8 lamp;
};

void writePreviews(const PanelImages& images, const FontLibrary& fonts, const std::string& folder);
