// Every colour of the panel, the knob and the lamps, as sRGB levels, so that
// the look can be changed in one place.
#pragma once

#include "resources/generator/Color.h"

namespace palette {

// The knob strip's transparent colour: the plug-in leaves such pixels out.
constexpr Srgb8 transparent{255, 255, 255};
// What a knob pixel that would come out pure white is drawn as instead.
constexpr Srgb8 nearWhite{250, 250, 250};

// Plate: graphite, lighter at the top where the light falls.
constexpr Srgb8 plateTop{47, 49, 54};
constexpr Srgb8 plateBottom{30, 31, 35};
constexpr Srgb8 plateBorder{10, 10, 12};

// Corner screws: a domed head in a countersink.
constexpr Srgb8 screwHead{62, 64, 70};
constexpr Srgb8 screwLit{172, 174, 180};
constexpr Srgb8 screwSlot{12, 12, 14};
constexpr Srgb8 countersink{16, 16, 18};

// The channel the knobs sit in, and the wells cut into it.
constexpr Srgb8 stripFloor{22, 23, 26};
constexpr Srgb8 stripLip{86, 88, 94};
constexpr Srgb8 wellWall{40, 41, 45};
constexpr Srgb8 wellWallLit{92, 94, 100};
constexpr Srgb8 wellFloor{14, 15, 17};
constexpr Srgb8 scaleDot{104, 106, 112};

// Value read-outs: the plug-in fills them with black.
constexpr Srgb8 readout{0, 0, 0};
constexpr Srgb8 readoutShadow{12, 12, 14};
constexpr Srgb8 readoutHighlight{78, 80, 86};

// The room selector's buttons: raised a little from the plate, their
// arrows printed like the captions.
constexpr Srgb8 buttonFace{50, 52, 58};
constexpr Srgb8 buttonFaceLow{34, 35, 40};
constexpr Srgb8 buttonEdgeLit{104, 106, 112};
constexpr Srgb8 buttonEdgeShade{16, 16, 18};

// Print on the plate.
constexpr Srgb8 caption{200, 196, 187};
constexpr Srgb8 captionShadow{0, 0, 0};
constexpr Srgb8 title{232, 228, 219};
constexpr Srgb8 accent{226, 164, 82};
constexpr Srgb8 subtitle{150, 151, 156};

// Emblem: a dark badge with an amber trace.
constexpr Srgb8 badgeFace{20, 21, 24};
constexpr Srgb8 badgeRim{70, 72, 78};

// Knob: a dark machined cap on a ribbed skirt, with a light pointer line.
constexpr Srgb8 knobSkirt{26, 27, 30};
constexpr Srgb8 knobSkirtLit{104, 106, 112};
constexpr Srgb8 knobGroove{10, 10, 12};
constexpr Srgb8 knobCap{52, 54, 59};
constexpr Srgb8 knobCapSheen{150, 152, 158};
constexpr Srgb8 knobChamferLit{170, 172, 178};
constexpr Srgb8 knobPointer{240, 236, 226};

// Switch lamps: a dark bezel around a lens.
constexpr Srgb8 bezel{44, 45, 50};
constexpr Srgb8 bezelLit{120, 122, 128};
constexpr Srgb8 lampWell{8, 8, 9};
constexpr Srgb8 greenHot{205, 255, 190};
constexpr Srgb8 greenMid{60, 214, 96};
constexpr Srgb8 greenEdge{16, 104, 40};
constexpr Srgb8 redHot{255, 204, 184};
constexpr Srgb8 redMid{236, 58, 42};
constexpr Srgb8 redEdge{124, 18, 16};
constexpr Srgb8 specular{250, 250, 250};

}  // namespace palette
