// The product's marks: the emblem at the top centre (a decaying wave inside
// a round badge, a room ringing out) and the wordmark at the top right.
#pragma once

#include "resources/generator/Canvas.h"
#include "resources/generator/Typeface.h"

void paintEmblem(Canvas& panel, float s);
void paintWordmark(Canvas& panel, float s, const Typeface& titleFace, const Typeface& subtitleFace);
