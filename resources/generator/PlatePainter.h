// The bare plate the panel is printed on: brushed graphite with a gentle
// fall-off from the top, a thin bevel at the window's edge and a screw in
// each corner.
#pragma once

#include "resources/generator/Canvas.h"

Canvas paintPlate(float s);
