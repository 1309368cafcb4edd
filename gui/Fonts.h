// The toolkit's eight fonts: a face, a default size and, for two of them, a
// trait that no style request changes.
#pragma once

#include <cstdint>

enum FontId : int32_t {
    fontSystem = 0,
    fontHuge,
    fontLarge,
    fontNormal,
    fontSmall,
    fontSmaller,
    fontTiny,
    fontSymbol,
};

constexpr int32_t fontCount = 8;

enum FontStyle : int32_t {
    styleBold = 1,
    styleItalic = 2,
    styleUnderline = 4,
};

struct FontEntry {
    const char* face;
    int32_t defaultSize;  // character height in pixels
};

constexpr FontEntry fontTable[fontCount] = {
    {"Arial", 12}, {"Arial", 18}, {"Arial", 14}, {"Arial", 12},
    {"Arial", 11}, {"Arial", 10}, {"Arial", 9},  {"Symbol", 13},
};
