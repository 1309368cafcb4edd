// The room selector's artwork on the panel: its two arrow buttons and the
// window between them that the plug-in writes the room's name into.
#pragma once

#include "resources/generator/Canvas.h"

void paintRoomSelector(Canvas& panel, float s);
