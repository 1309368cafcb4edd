// The knob film strip: 65 pictures of one knob, the pointer turning
// clockwise through the 270 degree sweep while the light stays put. The rim is
// blended with the well beneath it in the finished panel, and everything
// outside the knob is the plug-in's transparent white.
#pragma once

#include "resources/generator/Image8.h"

// Throws if the wells do not all look the same under the knob's rim, since
// one strip must blend cleanly into every one of them.
Image8 paintKnobStrip(const Image8& panel, float s);
