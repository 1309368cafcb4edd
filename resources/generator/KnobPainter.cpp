#include "resources/generator/KnobPainter.h"

#include <cmath>
#include <stdexcept>
#include <string>

#include "resources/generator/Canvas.h"
#include "resources/generator/Layout.h"
#include "resources/generator/Palette.h"
#include "resources/generator/Random.h"
#include "resources/generator/Shapes.h"

namespace {

constexpr float centre = layout::knobSize * 0.5f;
constexpr float capRadius = 11.0f;
constexpr float grooveWidth = 0.9f;
constexpr float chamfer = 1.0f;
constexpr float edgeRoll = 1.4f;
constexpr int ribs = 32;
constexpr float pointerInner = 4.0f;
constexpr float pointerOuter = 13.9f;
constexpr float pointerHalfWidth = 0.95f;
constexpr uint64_t machiningSeed = 0x4B6E6F62u;

// Brushed discs shine in two wedges along the line towards the light.
const float sheenAngle = std::atan2(-lightY, lightX);

class Knob final {
public:
    explicit Knob(float pointerRadians) : pointer(pointerRadians), rings(machiningSeed, 256) {}

    Paint operator()(float x, float y) const {
        float dx = x - centre, dy = y - centre;
        float r = std::hypot(dx, dy);
        if (r >= layout::knobRadius) return {};
        Capsule line{centre + pointerInner * std::cos(pointer),
                     centre - pointerInner * std::sin(pointer),
                     centre + pointerOuter * std::cos(pointer),
                     centre - pointerOuter * std::sin(pointer), pointerHalfWidth};
        if (line.distance(x, y) < 0.0f) return {pointerColour(r), 1.0f};
        if (r > capRadius + grooveWidth) return {skirt(dx, dy, r), 1.0f};
        if (r > capRadius) return {linear(palette::knobGroove), 1.0f};
        return {cap(x, y, dx, dy, r), 1.0f};
    }

private:
    // Light falling on a surface that faces outwards along (dx, dy)/r.
    static float lit(float dx, float dy, float r) { return (dx * lightX + dy * lightY) / r; }

    // The skirt slopes away from the cap like a shallow cone, so it takes the
    // light on its upper side; fine ribs on it turn with the knob.
    Rgb skirt(float dx, float dy, float r) const {
        float facing = lit(dx, dy, r);
        float t = (facing + 1.0f) * 0.5f;
        Rgb colour = mix(linear(palette::knobSkirt), linear(palette::knobSkirtLit), t * t);
        float phase = std::atan2(-dy, dx) - pointer;
        colour = colour * (1.0f + 0.14f * std::cos(ribs * phase));
        // The outer edge rolls under: a bright lip towards the light, dark elsewhere.
        float roll = smoothstep(layout::knobRadius - edgeRoll, layout::knobRadius, r);
        if (facing > 0.0f)
            return mix(colour, linear(palette::knobChamferLit), 0.8f * roll * facing * facing);
        return colour * (1.0f + 0.7f * roll * facing);
    }

    Rgb cap(float x, float y, float dx, float dy, float r) const {
        if (r > capRadius - chamfer) {
            Circle edge{centre, centre, capRadius};
            float facing = facingLight(edge, x, y);
            Rgb base = linear(palette::knobCap);
            return facing > 0.0f ? mix(base, linear(palette::knobChamferLit), facing * facing)
                                 : base * (1.0f + 0.55f * facing);
        }
        float theta = r > 1e-4f ? std::atan2(-dy, dx) : 0.0f;
        float wedge = std::pow(std::fabs(std::cos(theta - sheenAngle)), 10.0f);
        float towardLight = 0.5f + 0.5f * (dx * lightX + dy * lightY) / capRadius;
        float sheen = wedge * (0.35f + 0.45f * towardLight) + 0.12f * towardLight;
        Rgb colour = mix(linear(palette::knobCap), linear(palette::knobCapSheen), sheen);
        return colour * (1.0f + 0.07f * rings.at(r * 3.0f));
    }

    static Rgb pointerColour(float r) {
        // A touch dimmer where the line runs down onto the skirt.
        float fade = smoothstep(capRadius, layout::knobRadius, r);
        return linear(palette::knobPointer) * (1.0f - 0.25f * fade);
    }

    float pointer;
    ValueNoise1D rings;
};

Rgb wellBeneath(const Image8& panel, float s, int x, int y) {
    return linear(panel.at(scaled(s, layout::knobLeft[0]) + x, scaled(s, layout::knobTop) + y));
}

void requireIdenticalWells(const Image8& panel, float s, int x, int y) {
    const int top = scaled(s, layout::knobTop);
    Srgb8 first = panel.at(scaled(s, layout::knobLeft[0]) + x, top + y);
    for (int i = 1; i < layout::knobCount; ++i) {
        Srgb8 other = panel.at(scaled(s, layout::knobLeft[i]) + x, top + y);
        if (other.r != first.r || other.g != first.g || other.b != first.b)
            throw std::runtime_error("well " + std::to_string(i) +
                                     " differs from well 0 under the knob rim at (" +
                                     std::to_string(x) + ", " + std::to_string(y) + ")");
    }
}

Srgb8 finish(Paint p, Rgb beneath) {
    if (p.alpha <= 0.0f) return palette::transparent;
    Srgb8 c = toSrgb8(p.colour + beneath * (1.0f - p.alpha));
    // Pure white would be cut out by the transparent copy.
    if (c.r == palette::transparent.r && c.g == palette::transparent.g &&
        c.b == palette::transparent.b)
        c = palette::nearWhite;
    return c;
}

}  // namespace

Image8 paintKnobStrip(const Image8& panel, float s) {
    const int size = scaled(s, layout::knobSize);
    constexpr int grid = 8;
    Image8 strip(size, size * layout::knobFrames);
    for (int k = 0; k < layout::knobFrames; ++k) {
        float position = static_cast<float>(k) / (layout::knobFrames - 1);
        Knob knob(radians(layout::sweepAngleDegrees(position)));
        for (int y = 0; y < size; ++y) {
            for (int x = 0; x < size; ++x) {
                Paint p = s == 1.0f
                              ? samplePixel(knob, x, y, grid)
                              : samplePixel([&](float u, float v) { return knob(u / s, v / s); }, x,
                                            y, grid);
                if (p.alpha > 0.0f && p.alpha < 1.0f) requireIdenticalWells(panel, s, x, y);
                strip.set(x, k * size + y, finish(p, wellBeneath(panel, s, x, y)));
            }
        }
    }
    return strip;
}
