#include "gui/platform/soft/SoftText.h"

#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_TRUETYPE_TABLES_H

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "gui/platform/soft/SoftSystem.h"

namespace platform::soft {

// The FreeType library lives as long as its last face: faces can outlast
// the static holder when the program or module ends, and a face must never
// be given back to a library that is already gone.
class FreeTypeLibrary final {
public:
    FreeTypeLibrary() {
        if (FT_Init_FreeType(&handle) != 0) handle = nullptr;
    }
    ~FreeTypeLibrary() {
        if (handle) FT_Done_FreeType(handle);
    }
    FreeTypeLibrary(const FreeTypeLibrary&) = delete;
    FreeTypeLibrary& operator=(const FreeTypeLibrary&) = delete;
    FT_Library get() const { return handle; }

private:
    FT_Library handle = nullptr;
};

namespace {

std::shared_ptr<FreeTypeLibrary> library() {
    static std::shared_ptr<FreeTypeLibrary> shared = std::make_shared<FreeTypeLibrary>();
    return shared;
}

// Our own fontconfig configuration, given back when the program or module
// ends. Fontconfig's process-wide state is left alone: the host shares it,
// and tearing it down (FcFini) would pull it from under the host's own text.
FcConfig* fontConfig() {
    struct Holder {
        FcConfig* config = FcInitLoadConfigAndFonts();
        ~Holder() {
            if (config) FcConfigDestroy(config);
        }
    };
    static Holder holder;
    return holder.config;
}

// Faces drawn with Arial's advance widths and line heights; text laid out in
// one of them lands on the same pixels in any of the others' places.
bool arialMetrics(const char* family) {
    static const char* const faces[] = {"Arial", "Liberation Sans", "Arimo"};
    for (const char* face : faces)
        if (family && FcStrCmpIgnoreCase(reinterpret_cast<const FcChar8*>(family),
                                         reinterpret_cast<const FcChar8*>(face)) == 0)
            return true;
    return false;
}

struct Match {
    std::string file;
    int index = 0;
    bool arialMetrics = false;  // one of the match's family names
};

// The file and face index that fontconfig offers for the description, or an
// empty name when nothing at all matches.
Match askFontconfig(const FontDescription& d) {
    FcConfig* config = fontConfig();
    if (!config) return {};
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(d.faceName));
    int weight = d.weight > 0 ? d.weight : 400;
    FcPatternAddInteger(pattern, FC_WEIGHT, FcWeightFromOpenType(weight));
    FcPatternAddInteger(pattern, FC_SLANT, d.italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    Match found;
    if (match) {
        FcChar8* name = nullptr;
        if (FcPatternGetString(match, FC_FILE, 0, &name) == FcResultMatch && name)
            found.file = reinterpret_cast<const char*>(name);
        if (FcPatternGetInteger(match, FC_INDEX, 0, &found.index) != FcResultMatch) found.index = 0;
        FcChar8* family = nullptr;
        for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &family) == FcResultMatch; ++i)
            found.arialMetrics =
                found.arialMetrics || arialMetrics(reinterpret_cast<const char*>(family));
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    return found;
}

// The configuration is read once and never again, so its answer for a
// description is kept: every panel makes its fonts anew, and the match cost
// more than drawing the panel's text.
const Match& matchFile(const FontDescription& d) {
    using Key = std::tuple<std::string, int32_t, bool>;
    static std::map<Key, Match> answers;
    const Key key{d.faceName, d.weight, d.italic != 0};
    auto known = answers.find(key);
    if (known == answers.end()) known = answers.emplace(key, askFontconfig(d)).first;
    return known->second;
}

// The face for the description: fontconfig's match, except that Arial gets
// the carried Liberation Sans unless the match has Arial's metrics, and any
// face gets it rather than no text at all.
FT_Face openFace(FT_Library lib, const FontDescription& d) {
    const Match& match = matchFile(d);
    const bool wantsArial = arialMetrics(d.faceName);
    FT_Face face = nullptr;
    if (!match.file.empty() && (match.arialMetrics || !wantsArial) &&
        FT_New_Face(lib, match.file.c_str(), match.index, &face) == 0)
        return face;
    const EmbeddedFace carried = embeddedSans(d.weight >= 600);
    if (FT_New_Memory_Face(lib, carried.data, static_cast<FT_Long>(carried.size), 0, &face) == 0)
        return face;
    return nullptr;
}

int scaled(int units, int em, int unitsPerEm) {
    return unitsPerEm > 0 ? (units * em + unitsPerEm / 2) / unitsPerEm : 0;
}

// A negative height asks for the character (em) height, a positive one for
// the cell height, zero for the default.
int emPixels(const FontDescription& d, FT_Face face, int winAscent, int winDescent) {
    if (d.height < 0) return -d.height;
    if (d.height == 0) return 12;
    int cell = winAscent + winDescent;
    return cell > 0 ? (d.height * face->units_per_EM + cell / 2) / cell : d.height;
}

FT_UInt glyphFor(FT_Face face, unsigned char c) {
    FT_UInt glyph = FT_Get_Char_Index(face, c);
    if (glyph == 0 && face->charmap && face->charmap->encoding == FT_ENCODING_MS_SYMBOL)
        glyph = FT_Get_Char_Index(face, 0xF000u + c);
    return glyph;
}

void drawGlyph(DeviceContext dc, Surface& surface, const FT_Bitmap& bitmap, int left, int top,
               const PlatformRect& clip) {
    for (unsigned row = 0; row < bitmap.rows; ++row) {
        const unsigned char* line = bitmap.buffer + static_cast<long>(row) * bitmap.pitch;
        for (unsigned col = 0; col < bitmap.width; ++col) {
            bool ink = bitmap.pixel_mode == FT_PIXEL_MODE_MONO
                           ? (line[col >> 3] & (0x80 >> (col & 7))) != 0
                           : line[col] >= 128;
            int x = left + static_cast<int>(col);
            int y = top + static_cast<int>(row);
            if (ink && x >= clip.left && x < clip.right && y >= clip.top && y < clip.bottom)
                putPixel(dc, surface, x, y, dc->textColor);
        }
    }
}

}  // namespace

FontFace::~FontFace() {
    if (face) FT_Done_Face(face);
    face = nullptr;
    owner.reset();
}

FontFace* FontFace::resolve(GdiObject font) {
    if (!font) return nullptr;
    if (font->face) return font->face.get();
    auto resolved = std::make_unique<FontFace>();
    resolved->owner = library();
    FT_Library lib = resolved->owner ? resolved->owner->get() : nullptr;
    FT_Face face = lib ? openFace(lib, font->font) : nullptr;
    if (face) {
        resolved->face = face;
        int winAscent = face->ascender;
        int winDescent = -face->descender;
        if (auto* os2 = static_cast<TT_OS2*>(FT_Get_Sfnt_Table(face, FT_SFNT_OS2))) {
            if (os2->usWinAscent + os2->usWinDescent > 0) {
                winAscent = os2->usWinAscent;
                winDescent = os2->usWinDescent;
            }
        }
        int em = emPixels(font->font, face, winAscent, winDescent);
        FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(em > 0 ? em : 1));
        resolved->ascent = scaled(winAscent, em, face->units_per_EM);
        resolved->descent = scaled(winDescent, em, face->units_per_EM);
    }
    font->face = std::move(resolved);
    return font->face.get();
}

TextLayout layoutText(DeviceContext dc, const char* text, int length, Surface* surface, int x,
                      int y, const PlatformRect& clip) {
    TextLayout layout;
    FontFace* font = FontFace::resolve(dc->font);
    if (!font || !font->face) return layout;
    FT_Face face = font->face;
    layout.ascent = font->ascent;
    layout.descent = font->descent;
    int baseline = y + font->ascent;
    int pen = x;
    for (int i = 0; i < length; ++i) {
        FT_UInt glyph = glyphFor(face, static_cast<unsigned char>(text[i]));
        int32_t flags = FT_LOAD_TARGET_MONO | (surface ? FT_LOAD_RENDER : 0);
        if (FT_Load_Glyph(face, glyph, flags) != 0) continue;
        FT_GlyphSlot slot = face->glyph;
        if (surface)
            drawGlyph(dc, *surface, slot->bitmap, pen + slot->bitmap_left,
                      baseline - slot->bitmap_top, clip);
        pen += static_cast<int>((slot->advance.x + 32) >> 6);
    }
    layout.width = pen - x;
    if (surface && dc->font->font.underline) {
        for (int px = x; px < pen; ++px) {
            if (px >= clip.left && px < clip.right && baseline + 1 >= clip.top &&
                baseline + 1 < clip.bottom)
                putPixel(dc, *surface, px, baseline + 1, dc->textColor);
        }
    }
    return layout;
}

}  // namespace platform::soft
