// What is printed and cut into the plate: the recessed channel with a well
// for each knob and its scale, the value read-out windows, and the captions.
#pragma once

#include "resources/generator/Canvas.h"
#include "resources/generator/Typeface.h"

void paintStrip(Canvas& panel);
void paintWells(Canvas& panel);
void paintReadouts(Canvas& panel);
void paintCaptions(Canvas& panel, const Typeface& face);
