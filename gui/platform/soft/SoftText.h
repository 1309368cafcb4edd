// A font description resolved to a face on this machine: fontconfig picks the
// face that best matches the description's name, weight and slant (a
// metric-compatible stand-in where the named face is not installed), and
// FreeType renders its glyphs one bit per pixel, as plain system text is.
#pragma once

#include <memory>

#include "gui/platform/Platform.h"

struct FT_FaceRec_;

namespace platform::soft {

class FreeTypeLibrary;

struct FontFace {
    std::shared_ptr<FreeTypeLibrary> owner;
    FT_FaceRec_* face = nullptr;
    int ascent = 0;
    int descent = 0;

    ~FontFace();
    static FontFace* resolve(GdiObject font);
};

}  // namespace platform::soft
