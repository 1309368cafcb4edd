// Colours as the generator mixes them: in linear light, so that edges,
// shadows and glows average the way light does, and only turned into sRGB
// bytes when a picture is written.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstdint>

struct Srgb8 {
    uint8_t r, g, b;
};

struct Rgb {
    float r = 0.0f, g = 0.0f, b = 0.0f;
};

inline Rgb operator+(Rgb a, Rgb b) { return {a.r + b.r, a.g + b.g, a.b + b.b}; }
inline Rgb operator*(Rgb a, float s) { return {a.r * s, a.g * s, a.b * s}; }
inline Rgb operator*(Rgb a, Rgb b) { return {a.r * b.r, a.g * b.g, a.b * b.b}; }

inline float clamp01(float v) { return std::min(1.0f, std::max(0.0f, v)); }

inline Rgb mix(Rgb a, Rgb b, float t) { return a * (1.0f - t) + b * t; }

inline float srgbToLinear(float v) {
    return v <= 0.04045f ? v / 12.92f : std::pow((v + 0.055f) / 1.055f, 2.4f);
}

inline float linearToSrgb(float v) {
    v = clamp01(v);
    return v <= 0.0031308f ? v * 12.92f : 1.055f * std::pow(v, 1.0f / 2.4f) - 0.055f;
}

inline Rgb linear(Srgb8 c) {
    return {srgbToLinear(c.r / 255.0f), srgbToLinear(c.g / 255.0f), srgbToLinear(c.b / 255.0f)};
}

// A colour given by sRGB levels that need not be whole numbers, which is how
// texture is added: in steps the eye sees as equal, not in linear amounts.
inline Rgb linearFromLevels(float r, float g, float b) {
    return {srgbToLinear(clamp01(r / 255.0f)), srgbToLinear(clamp01(g / 255.0f)),
            srgbToLinear(clamp01(b / 255.0f))};
}

inline uint8_t toByte(float linearValue) {
    return static_cast<uint8_t>(std::lround(linearToSrgb(linearValue) * 255.0f));
}

inline Srgb8 toSrgb8(Rgb c) { return {toByte(c.r), toByte(c.g), toByte(c.b)}; }

inline float smoothstep(float edge0, float edge1, float x) {
    float t = clamp01((x - edge0) / (edge1 - edge0));
    return t * t * (3.0f - 2.0f * t);
}

// The same colour made lighter or darker by a number of sRGB levels.
inline Rgb shiftLevels(Rgb c, float levels) {
    float d = levels / 255.0f;
    return {srgbToLinear(clamp01(linearToSrgb(c.r) + d)),
            srgbToLinear(clamp01(linearToSrgb(c.g) + d)),
            srgbToLinear(clamp01(linearToSrgb(c.b) + d))};
}
