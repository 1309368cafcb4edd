// Text for the panel: a face found through fontconfig, drawn by FreeType with
// light hinting (vertical snapping only, so glyphs can sit at fractional x and
// letter spacing stays even) and blended into the canvas by coverage.
#pragma once

#include <ft2build.h>
#include FT_FREETYPE_H

#include <string>

#include "resources/generator/Canvas.h"

// FreeType's library handle; every typeface must be gone before it is.
class FontLibrary final {
public:
    FontLibrary();
    ~FontLibrary();
    FontLibrary(const FontLibrary&) = delete;
    FontLibrary& operator=(const FontLibrary&) = delete;
    FT_Library handle() const { return library; }

private:
    FT_Library library = nullptr;
};

enum class Align { left, centre, right };

struct TextLook {
    Rgb colour;
    float opacity = 1.0f;
    float tracking = 0.0f;  // extra pixels after every letter but the last
};

class Typeface final {
public:
    // Throws with the Debian package to install when fontconfig has no face
    // of that family and weight (it would otherwise hand back a stand-in).
    Typeface(const FontLibrary& library, const std::string& family, int fontconfigWeight,
             float pixelSize, const std::string& debianPackage);
    ~Typeface();
    Typeface(const Typeface&) = delete;
    Typeface& operator=(const Typeface&) = delete;

    float width(const std::string& text, float tracking) const;
    // Height of a flat capital above the baseline, whole pixels as hinted.
    int capHeight() const;
    // Draws with the pen starting at x for left, the middle at x for centre,
    // the end at x for right.
    void draw(Canvas& canvas, const std::string& text, float x, int baseline, Align align,
              const TextLook& look) const;
    const std::string& file() const { return path; }

private:
    FT_GlyphSlot load(char c, float penFraction) const;

    FT_Face face = nullptr;
    std::string path;
};
