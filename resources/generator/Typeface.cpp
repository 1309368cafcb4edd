#include "resources/generator/Typeface.h"

#include <fontconfig/fontconfig.h>

#include <cmath>
#include <stdexcept>

namespace {

// Light text on a dark plate reads heavier than intended when FreeType's
// coverage is blended in linear light; this weights the partly covered pixels
// back to how a screen's own text renderer makes them look.
constexpr float coverageGamma = 1.45f;

struct Match {
    std::string file;
    int index = 0;
};

bool familyMatches(FcPattern* match, const std::string& family) {
    FcChar8* name = nullptr;
    for (int i = 0; FcPatternGetString(match, FC_FAMILY, i, &name) == FcResultMatch; ++i)
        if (name && family == reinterpret_cast<const char*>(name)) return true;
    return false;
}

Match findFace(const std::string& family, int weight, const std::string& package) {
    FcConfig* config = FcInitLoadConfigAndFonts();
    if (!config) throw std::runtime_error("fontconfig could not load its configuration");
    FcPattern* pattern = FcPatternCreate();
    FcPatternAddString(pattern, FC_FAMILY, reinterpret_cast<const FcChar8*>(family.c_str()));
    FcPatternAddInteger(pattern, FC_WEIGHT, weight);
    FcPatternAddInteger(pattern, FC_SLANT, FC_SLANT_ROMAN);
    FcPatternAddBool(pattern, FC_SCALABLE, FcTrue);
    FcConfigSubstitute(config, pattern, FcMatchPattern);
    FcDefaultSubstitute(pattern);
    FcResult result = FcResultNoMatch;
    FcPattern* match = FcFontMatch(config, pattern, &result);
    Match found;
    bool exact = false;
    if (match) {
        int matchedWeight = -1;
        FcChar8* file = nullptr;
        FcPatternGetInteger(match, FC_WEIGHT, 0, &matchedWeight);
        exact = familyMatches(match, family) && matchedWeight == weight &&
                FcPatternGetString(match, FC_FILE, 0, &file) == FcResultMatch && file;
        if (exact) found.file = reinterpret_cast<const char*>(file);
        if (FcPatternGetInteger(match, FC_INDEX, 0, &found.index) != FcResultMatch) found.index = 0;
        FcPatternDestroy(match);
    }
    FcPatternDestroy(pattern);
    FcConfigDestroy(config);
    if (!exact)
        throw std::runtime_error("the typeface \"" + family + "\" (fontconfig weight " +
                                 std::to_string(weight) +
                                 ") is not installed; install the Debian package " + package +
                                 " (scripts/setup.sh does)");
    return found;
}

}  // namespace

FontLibrary::FontLibrary() {
    if (FT_Init_FreeType(&library) != 0) throw std::runtime_error("FreeType did not start");
}

FontLibrary::~FontLibrary() { FT_Done_FreeType(library); }

Typeface::Typeface(const FontLibrary& library, const std::string& family, int fontconfigWeight,
                   float pixelSize, const std::string& debianPackage) {
    Match match = findFace(family, fontconfigWeight, debianPackage);
    path = match.file;
    if (FT_New_Face(library.handle(), path.c_str(), match.index, &face) != 0)
        throw std::runtime_error("FreeType could not open " + path);
    FT_Set_Char_Size(face, 0, static_cast<FT_F26Dot6>(std::lround(pixelSize * 64.0f)), 72, 72);
}

Typeface::~Typeface() { FT_Done_Face(face); }

FT_GlyphSlot Typeface::load(char c, float penFraction) const {
    FT_Vector shift{static_cast<FT_Pos>(std::lround(penFraction * 64.0f)), 0};
    FT_Set_Transform(face, nullptr, &shift);
    FT_UInt glyph = FT_Get_Char_Index(face, static_cast<unsigned char>(c));
    if (FT_Load_Glyph(face, glyph, FT_LOAD_TARGET_LIGHT) != 0 ||
        FT_Render_Glyph(face->glyph, FT_RENDER_MODE_NORMAL) != 0)
        throw std::runtime_error(std::string("FreeType could not draw '") + c + "' from " + path);
    return face->glyph;
}

float Typeface::width(const std::string& text, float tracking) const {
    float w = 0.0f;
    for (char c : text) w += static_cast<float>(load(c, 0.0f)->linearHoriAdvance) / 65536.0f;
    return text.empty() ? 0.0f : w + tracking * static_cast<float>(text.size() - 1);
}

int Typeface::capHeight() const {
    return static_cast<int>(load('H', 0.0f)->metrics.horiBearingY / 64);
}

void Typeface::draw(Canvas& canvas, const std::string& text, float x, int baseline, Align align,
                    const TextLook& look) const {
    float pen = x;
    if (align == Align::centre) pen -= width(text, look.tracking) * 0.5f;
    if (align == Align::right) pen -= width(text, look.tracking);
    for (char c : text) {
        float whole = std::floor(pen);
        FT_GlyphSlot slot = load(c, pen - whole);
        const FT_Bitmap& bitmap = slot->bitmap;
        int left = static_cast<int>(whole) + slot->bitmap_left;
        int top = baseline - slot->bitmap_top;
        for (unsigned row = 0; row < bitmap.rows; ++row) {
            for (unsigned col = 0; col < bitmap.width; ++col) {
                float coverage = bitmap.buffer[row * bitmap.pitch + col] / 255.0f;
                canvas.blend(left + static_cast<int>(col), top + static_cast<int>(row), look.colour,
                             std::pow(coverage, coverageGamma) * look.opacity);
            }
        }
        pen += static_cast<float>(slot->linearHoriAdvance) / 65536.0f + look.tracking;
    }
}
