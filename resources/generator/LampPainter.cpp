#include "resources/generator/LampPainter.h"

#include <algorithm>
#include <cmath>

#include "resources/generator/Layout.h"
#include "resources/generator/Palette.h"
#include "resources/generator/Shapes.h"

namespace {

constexpr RoundedBox housing{2.0f, 2.5f, 37.0f, 17.5f, 7.5f};
constexpr float bezelWidth = 2.0f;
constexpr RoundedBox lens{6.5f, 6.5f, 32.5f, 13.5f, 3.5f};
constexpr RoundedBox glint{10.0f, 7.2f, 29.0f, 9.0f, 0.9f};

struct LampColours {
    Srgb8 hot, mid, edge;
};

Canvas plateBeneath(const Canvas& plate, float s) {
    const int w = scaled(s, layout::lampWidth), h = scaled(s, layout::lampHeight);
    const int left = scaled(s, layout::switchLeft);
    const int top0 = scaled(s, layout::switchTop[0]), top1 = scaled(s, layout::switchTop[1]);
    Canvas patch(w, h);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            patch.at(x, y) = (plate.at(left + x, top0 + y) + plate.at(left + x, top1 + y)) * 0.5f;
    return patch;
}

// A soft shadow under the housing that is gone by the picture's edge.
Paint shadowPoint(float x, float y) {
    float d = housing.distance(x, y - 0.8f);
    if (d <= 0.0f) return {};
    return {Rgb{}, 0.45f * std::exp(-d / 0.6f)};
}

Paint housingPoint(const LampColours& lamp, float x, float y) {
    float d = housing.distance(x, y);
    if (d >= 0.0f) return {};
    if (d > -bezelWidth) {
        float facing = facingLight(housing, x, y);
        Rgb bezel = linear(palette::bezel);
        float crest = 1.0f - std::fabs(d + bezelWidth * 0.5f) / (bezelWidth * 0.5f);
        return {facing > 0.0f
                    ? mix(bezel, linear(palette::bezelLit), facing * (0.4f + 0.6f * crest))
                    : bezel * (1.0f + 0.6f * facing),
                1.0f};
    }
    // Inside the bezel: dark, with the lamp's light spilling onto it.
    float fromLens = std::max(lens.distance(x, y), 0.0f);
    float spill = 0.3f * std::exp(-fromLens / 1.6f);
    return {linear(palette::lampWell) + linear(lamp.mid) * spill, 1.0f};
}

Paint lensPoint(const LampColours& lamp, float x, float y) {
    float d = lens.distance(x, y);
    if (d >= 0.0f) return {};
    float depth = std::min(-d / 3.5f, 1.0f);
    Rgb colour = mix(linear(lamp.edge), linear(lamp.mid), smoothstep(0.0f, 0.55f, depth));
    colour = mix(colour, linear(lamp.hot), 0.8f * smoothstep(0.5f, 1.0f, depth));
    float g = glint.distance(x, y);
    if (g < 0.0f) {
        float fade = 1.0f - (y - glint.y0) / (glint.y1 - glint.y0);
        colour = mix(colour, linear(palette::specular), 0.6f * fade * std::min(1.0f, -g));
    }
    return {colour, 1.0f};
}

Image8 paintLamp(const Canvas& background, const LampColours& lamp, float s) {
    Canvas picture = background;
    PixelBox all{0, 0, layout::lampWidth, layout::lampHeight};
    paintScaled(picture, s, all, shadowPoint);
    paintScaled(picture, s, all, [&](float x, float y) { return housingPoint(lamp, x, y); });
    paintScaled(picture, s, all, [&](float x, float y) { return lensPoint(lamp, x, y); });
    return picture.toImage();
}

}  // namespace

Image8 paintLamps(const Canvas& plate, float s) {
    Canvas background = plateBeneath(plate, s);
    const int w = background.width(), h = background.height();
    Image8 green =
        paintLamp(background, {palette::greenHot, palette::greenMid, palette::greenEdge}, s);
    Image8 red = paintLamp(background, {palette::redHot, palette::redMid, palette::redEdge}, s);
    Image8 both(w, 2 * h);
    copyBlock(green, 0, 0, w, h, both, 0, 0);
    copyBlock(red, 0, 0, w, h, both, 0, h);
    return both;
}

void easePlateTowardsLamps(Canvas& panel, const Image8& lamps, float s) {
    const int reach = scaled(s, 4);
    const int left = scaled(s, layout::switchLeft);
    const int w = lamps.width, h = lamps.height / 2;
    for (int unitTop : layout::switchTop) {
        const int top = scaled(s, unitTop);
        for (int y = top - reach; y < top + h + reach; ++y) {
            for (int x = left - reach; x < left + w + reach; ++x) {
                int ex = std::clamp(x - left, 0, w - 1);
                int ey = std::clamp(y - top, 0, h - 1);
                float gap =
                    std::hypot(static_cast<float>(x - left - ex), static_cast<float>(y - top - ey));
                if (gap <= 0.0f || gap > reach) continue;
                float weight = 1.0f - gap / (reach + 1.0f);
                Rgb& p = panel.at(x, y);
                p = mix(p, linear(lamps.at(ex, ey)), weight * weight);
            }
        }
    }
}
