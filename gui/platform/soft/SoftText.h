// A font description resolved to a face on this machine: fontconfig picks the
// face that best matches the description's name, weight and slant (a
// metric-compatible stand-in where the named face is not installed), and
// FreeType renders its glyphs one bit per pixel, as plain system text is.
// Arial is drawn with a face of Arial's metrics or not at all: where
// fontconfig offers none (or no font at all), the program's own copy of
// Liberation Sans stands in, so pictures come out the same on any machine.
#pragma once

#include <cstddef>
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

// A font file the program carries, in memory for the program's life.
struct EmbeddedFace {
    const unsigned char* data;
    size_t size;
};
// Liberation Sans, regular or bold: written into the build from
// resources/fonts (the file is generated, not part of the sources).
EmbeddedFace embeddedSans(bool bold);

}  // namespace platform::soft
