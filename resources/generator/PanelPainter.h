// What is printed and cut into the plate: the recessed channel with a well
// for each knob and its scale, the value read-out windows, and the captions.
#pragma once

#include "resources/generator/Canvas.h"
#include "resources/generator/Typeface.h"

void paintStrip(Canvas& panel, float s);
void paintWells(Canvas& panel, float s);
void paintReadouts(Canvas& panel, float s);
void paintCaptions(Canvas& panel, float s, const Typeface& face);
