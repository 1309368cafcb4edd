#include "resources/generator/PlatePainter.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "resources/generator/Layout.h"
#include "resources/generator/Palette.h"
#include "resources/generator/Random.h"
#include "resources/generator/Shapes.h"

namespace {

constexpr uint64_t textureSeed = 0x42726C76u;

// Brushing leaves every row its own faint streaks: long soft ones, short
// ones and a level of its own; amounts in sRGB levels, kept small so that the
// plate reads as metal and not as noise.
constexpr float rowLevel = 1.1f;
constexpr float longStreak = 0.9f;
constexpr float shortStreak = 0.5f;
constexpr float grain = 0.45f;

// The streaks keep their length in panel units at every scale s.
float brushed(int x, int y, float s, const ValueNoise1D& longNoise, const ValueNoise1D& shortNoise,
              const std::vector<float>& rowOffset, const std::vector<float>& rowBias,
              SplitMix64& random) {
    float offset = rowOffset[static_cast<size_t>(y)];
    return rowLevel * rowBias[static_cast<size_t>(y)] +
           longStreak * longNoise.at(static_cast<float>(x) / (70.0f * s) + offset) +
           shortStreak * shortNoise.at(static_cast<float>(x) / (6.0f * s) + offset * 13.0f) +
           grain * random.signedUnit();
}

// Brighter towards the top and, more faintly, towards the middle, as under
// one broad light above the panel.
float lightFalloff(int x, int y, int w, int h) {
    float v = static_cast<float>(y) / (h - 1);
    float u = (static_cast<float>(x) - w * 0.5f) / (w * 0.5f);
    float sheen = (1.0f - v) * (1.0f - v) * (1.0f - 0.5f * u * u);
    return 0.75f * (1.0f - v) + 0.25f * sheen;
}

// A one-pixel dark border, then a lit or shaded pixel or two depending on
// which way the edge faces; each band as wide as a scaled pixel.
void bevel(Canvas& plate, float s) {
    const int w = plate.width(), h = plate.height();
    const int borderBand = scaled(s, 1), lit = scaled(s, 2), shaded = scaled(s, 3);
    const Rgb border = linear(palette::plateBorder);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            int top = y, bottom = h - 1 - y, left = x, right = w - 1 - x;
            int edge = std::min(std::min(top, bottom), std::min(left, right));
            if (edge >= shaded) continue;
            if (edge < borderBand) {
                plate.at(x, y) = border;
                continue;
            }
            float facing = edge == top      ? -lightY
                           : edge == bottom ? lightY
                           : edge == left   ? -lightX
                                            : lightX;
            float strength = edge < lit ? 26.0f : 8.0f;
            float levels = facing > 0.0f ? facing * strength : facing * strength * 0.6f;
            plate.at(x, y) = shiftLevels(plate.at(x, y), levels);
        }
    }
}

struct Screw {
    float x, y, slotDegrees;
};

// Slots turned every which way, as screws are when they are tightened.
constexpr float inset = 10.0f;
constexpr Screw screws[4] = {{inset, inset, 20.0f},
                             {layout::panelWidth - inset, inset, 70.0f},
                             {inset, layout::panelHeight - inset, -12.0f},
                             {layout::panelWidth - inset, layout::panelHeight - inset, 41.0f}};
constexpr float headRadius = 4.0f;
constexpr float sinkRadius = 5.0f;

Paint screwPoint(const Screw& screw, float x, float y) {
    Circle sink{screw.x, screw.y, sinkRadius};
    Circle head{screw.x, screw.y, headRadius};
    if (sink.distance(x, y) >= 0.0f) return {};
    if (head.distance(x, y) >= 0.0f) {
        // The countersink's wall is lit on its far side from the light.
        float facing = facingLight(sink, x, y);
        return {linear(palette::countersink) * (1.0f + 1.5f * std::max(-facing, 0.0f)), 1.0f};
    }
    float a = radians(screw.slotDegrees);
    float c = std::cos(a) * (headRadius - 0.6f), s = std::sin(a) * (headRadius - 0.6f);
    Capsule one{screw.x - c, screw.y - s, screw.x + c, screw.y + s, 0.55f};
    Capsule other{screw.x + s, screw.y - c, screw.x - s, screw.y + c, 0.55f};
    if (std::min(one.distance(x, y), other.distance(x, y)) < 0.0f)
        return {linear(palette::screwSlot), 1.0f};
    // A dome: brightest on the side towards the light.
    float t = clamp01(0.5f + 0.6f * ((x - screw.x) * lightX + (y - screw.y) * lightY) / headRadius);
    return {mix(linear(palette::screwHead), linear(palette::screwLit), t * t * t), 1.0f};
}

void paintScrews(Canvas& plate, float s) {
    for (const Screw& screw : screws) {
        int x = static_cast<int>(screw.x), y = static_cast<int>(screw.y);
        paintScaled(plate, s, {x - 7, y - 7, x + 8, y + 8},
                    [&](float px, float py) { return screwPoint(screw, px, py); });
    }
}

}  // namespace

Canvas paintPlate(float s) {
    const int w = scaled(s, layout::panelWidth), h = scaled(s, layout::panelHeight);
    Canvas plate(w, h);
    SplitMix64 random(textureSeed);
    ValueNoise1D longNoise(textureSeed + 1, 512);
    ValueNoise1D shortNoise(textureSeed + 2, 1024);
    std::vector<float> rowOffset(static_cast<size_t>(h)), rowBias(static_cast<size_t>(h));
    for (int y = 0; y < h; ++y) {
        rowOffset[static_cast<size_t>(y)] = random.unit() * 512.0f;
        rowBias[static_cast<size_t>(y)] = random.signedUnit();
    }
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            float t = lightFalloff(x, y, w, h);
            float levels = brushed(x, y, s, longNoise, shortNoise, rowOffset, rowBias, random);
            const Srgb8 a = palette::plateBottom, b = palette::plateTop;
            plate.at(x, y) =
                linearFromLevels(a.r + (b.r - a.r) * t + levels, a.g + (b.g - a.g) * t + levels,
                                 a.b + (b.b - a.b) * t + levels);
        }
    }
    bevel(plate, s);
    paintScrews(plate, s);
    return plate;
}
