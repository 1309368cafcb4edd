// A finished picture: 8-bit sRGB, rows top to bottom, three bytes a pixel.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "resources/generator/Color.h"

struct Image8 {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;

    Image8() = default;
    Image8(int w, int h) : width(w), height(h), rgb(static_cast<size_t>(w) * h * 3, 0) {}

    Srgb8 at(int x, int y) const {
        const uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
        return {p[0], p[1], p[2]};
    }
    void set(int x, int y, Srgb8 c) {
        uint8_t* p = &rgb[(static_cast<size_t>(y) * width + x) * 3];
        p[0] = c.r;
        p[1] = c.g;
        p[2] = c.b;
    }
};

// Copies a w x h block from (sx, sy) of the source to (dx, dy) of the target.
inline void copyBlock(const Image8& source, int sx, int sy, int w, int h, Image8& target, int dx,
                      int dy) {
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) target.set(dx + x, dy + y, source.at(sx + x, sy + y));
}
