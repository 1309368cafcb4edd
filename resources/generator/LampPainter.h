// The switch lamp pictures: a green lamp above a red one, each in a small
// bezel on a patch of the plate, drawn opaque over the panel at both switches.
#pragma once

#include "resources/generator/Canvas.h"
#include "resources/generator/Image8.h"

// The plate beneath both switches is averaged for the pictures' background,
// so their edges disappear into it at either place.
Image8 paintLamps(const Canvas& plate, float s);

// One picture serves both switches, so its edge cannot equal the plate at
// both; the plate just around each switch is eased towards the picture's edge
// instead, so no box shows where the copy ends.
void easePlateTowardsLamps(Canvas& panel, const Image8& lamps, float s);
