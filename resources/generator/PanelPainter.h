// What is printed and cut into the plate: the recessed channel with a well
// for each knob and its scale, the value read-out windows, and the captions.
#pragma once

#include "resources/generator/Canvas.h"
#include "resources/generator/Typeface.h"

void paintStrip(Canvas& panel, float s);
void paintWells(Canvas& panel, float s);
void paintReadouts(Canvas& panel, float s);
// A black window the plug-in writes into, pixels x0..x1 and y0..y1, with a
// bevel one pixel outside it.
void paintSunkenWindow(Canvas& panel, int x0, int y0, int x1, int y1);
void paintCaptions(Canvas& panel, float s, const Typeface& face);
