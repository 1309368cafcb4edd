// The value records every part of the toolkit passes around: points and
// rectangles in pixels, and colours.
#pragma once

#include <cstdint>

struct Point {
    int32_t x = 0;
    int32_t y = 0;
};

inline bool operator==(const Point& a, const Point& b) { return a.x == b.x && a.y == b.y; }
inline bool operator!=(const Point& a, const Point& b) { return !(a == b); }

// Right and bottom are the far edges and belong to the rectangle.
struct Rect {
    int32_t left = 0;
    int32_t top = 0;
    int32_t right = 0;
    int32_t bottom = 0;

    int32_t width() const { return right - left; }
    int32_t height() const { return bottom - top; }

    bool contains(const Point& p) const {
        return left <= p.x && p.x <= right && top <= p.y && p.y <= bottom;
    }

    // Rectangles that only touch along an edge overlap.
    bool overlaps(const Rect& other) const {
        return !(other.right < left || right < other.left || other.bottom < top ||
                 bottom < other.top);
    }
};

inline bool operator==(const Rect& a, const Rect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

// Alpha is carried along but drawing never reads it.
struct Color {
    uint8_t red = 0;
    uint8_t green = 0;
    uint8_t blue = 0;
    uint8_t alpha = 0;

    uint32_t toColorRef() const {
        return static_cast<uint32_t>(red) | (static_cast<uint32_t>(green) << 8) |
               (static_cast<uint32_t>(blue) << 16);
    }
};

inline bool operator==(const Color& a, const Color& b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue && a.alpha == b.alpha;
}
inline bool operator!=(const Color& a, const Color& b) { return !(a == b); }

constexpr Color colorTransparent{255, 255, 255, 0};
constexpr Color colorWhite{255, 255, 255, 0};
constexpr Color colorBlack{0, 0, 0, 0};
constexpr Color colorGrey{127, 127, 127, 0};
constexpr Color colorRed{255, 0, 0, 0};
constexpr Color colorGreen{0, 255, 0, 0};
constexpr Color colorBlue{0, 0, 255, 0};
constexpr Color colorYellow{255, 255, 0, 0};
constexpr Color colorMagenta{255, 0, 255, 0};
constexpr Color colorCyan{0, 255, 255, 0};
