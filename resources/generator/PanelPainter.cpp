#include "resources/generator/PanelPainter.h"

#include <algorithm>
#include <cmath>

#include "resources/generator/Layout.h"
#include "resources/generator/Palette.h"
#include "resources/generator/Shapes.h"

namespace {

// The channel is centred on the wells and as wide as the row of knobs with
// room for their scales.
constexpr RoundedBox strip{26.0f, 106.0f, 521.0f, 158.0f, 8.0f};
constexpr float stripWall = 1.25f;

constexpr float scaleRadius = 23.5f;
constexpr int scaleDots = 11;

constexpr const char* knobCaptions[layout::knobCount] = {"EARLY SIZE", "LATE SIZE",    "DIFFUSION",
                                                         "DECAY",      "EARLY / LATE", "WET / DRY"};
constexpr const char* switchCaptions[2] = {"POWER", "MONO"};
constexpr int knobCaptionBaseline = 174;
constexpr float captionTracking = 1.1f;

Paint stripPoint(float x, float y) {
    float d = strip.distance(x, y);
    float facing = facingLight(strip, x, y);
    if (d >= 1.0f) return {};
    if (d >= 0.0f) {
        // The plate's edge along the lit lower side catches a little light too.
        if (facing >= 0.0f) return {};
        return {linear(palette::stripLip), 0.18f * -facing};
    }
    float depth = -d;
    Rgb floor = linear(palette::stripFloor);
    if (depth < stripWall) {
        if (facing < 0.0f)
            return {mix(floor, linear(palette::stripLip), std::pow(-facing, 1.5f)), 1.0f};
        return {floor * (1.0f - 0.7f * facing), 1.0f};
    }
    float below = depth - stripWall;
    float shadow =
        0.6f * std::exp(-below / 2.5f) * std::max(facing, 0.0f) + 0.25f * std::exp(-below / 1.5f);
    return {floor * (1.0f - shadow), 1.0f};
}

Paint wellPoint(const Circle& well, float x, float y) {
    float d = well.distance(x, y);
    if (d >= 0.0f) return {};
    float depth = -d;
    float facing = facingLight(well, x, y);
    if (depth < layout::wellWall) {
        Rgb wall = linear(palette::wellWall);
        if (facing < 0.0f)
            return {mix(wall, linear(palette::wellWallLit), std::pow(-facing, 1.5f)), 1.0f};
        return {wall * (1.0f - 0.65f * facing), 1.0f};
    }
    // The upper wall shades the floor below it, and the knob, lit from above,
    // throws a soft shadow a little downwards.
    float below = depth - layout::wellWall;
    float wallShadow = 0.5f * std::exp(-below / 1.2f) * std::max(facing, 0.0f);
    float fromKnob = std::hypot(x - well.cx, y - (well.cy + 1.5f));
    float knobShadow =
        0.6f * (1.0f - smoothstep(layout::knobRadius - 0.5f, layout::knobRadius + 2.5f, fromKnob));
    return {linear(palette::wellFloor) * ((1.0f - wallShadow) * (1.0f - knobShadow)), 1.0f};
}

// Dots along the knob's sweep, larger at its two ends.
Paint scalePoint(float cx, float cy, float x, float y) {
    float nearest = 1e9f;
    for (int i = 0; i < scaleDots; ++i) {
        float a = radians(layout::sweepAngleDegrees(static_cast<float>(i) / (scaleDots - 1)));
        float radius = (i == 0 || i == scaleDots - 1) ? 1.15f : 0.8f;
        Circle dot{cx + scaleRadius * std::cos(a), cy - scaleRadius * std::sin(a), radius};
        nearest = std::min(nearest, dot.distance(x, y));
    }
    return nearest < 0.0f ? Paint{linear(palette::scaleDot), 1.0f} : Paint{};
}

void blendRun(Canvas& panel, int x0, int x1, int y, Srgb8 colour, float alpha) {
    for (int x = x0; x <= x1; ++x) panel.blend(x, y, linear(colour), alpha);
}

void blendColumn(Canvas& panel, int x, int y0, int y1, Srgb8 colour, float alpha) {
    for (int y = y0; y <= y1; ++y) panel.blend(x, y, linear(colour), alpha);
}

// The face is already made at the scale's size; the shadow falls one scaled
// pixel below.
void drawCaption(Canvas& panel, float s, const Typeface& face, const char* text, float x,
                 int baseline, Align align) {
    TextLook shadow{linear(palette::captionShadow), 0.55f, captionTracking * s};
    TextLook print{linear(palette::caption), 1.0f, captionTracking * s};
    face.draw(panel, text, x, baseline + scaled(s, 1), align, shadow);
    face.draw(panel, text, x, baseline, align, print);
}

}  // namespace

void paintStrip(Canvas& panel, float s) {
    PixelBox box{static_cast<int>(strip.x0) - 2, static_cast<int>(strip.y0) - 2,
                 static_cast<int>(strip.x1) + 2, static_cast<int>(strip.y1) + 2};
    paintScaled(panel, s, box, stripPoint);
}

void paintWells(Canvas& panel, float s) {
    for (int i = 0; i < layout::knobCount; ++i) {
        float cx = layout::wellCentreX(i), cy = layout::wellCentreY;
        int reach = static_cast<int>(scaleRadius) + 3;
        PixelBox around{static_cast<int>(cx) - reach, static_cast<int>(cy) - reach,
                        static_cast<int>(cx) + reach, static_cast<int>(cy) + reach};
        paintScaled(panel, s, around, [&](float x, float y) { return scalePoint(cx, cy, x, y); });
        Circle well{cx, cy, layout::wellRadius};
        PixelBox inside{layout::knobLeft[i] - 1, layout::knobTop - 1,
                        layout::knobLeft[i] + layout::knobSize + 1,
                        layout::knobTop + layout::knobSize + 1};
        paintScaled(panel, s, inside, [&](float x, float y) { return wellPoint(well, x, y); });
    }
}

// Set into the plate: shaded above and left, lit below and right.
void paintSunkenWindow(Canvas& panel, int x0, int y0, int x1, int y1) {
    const Rgb black = linear(palette::readout);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) panel.at(x, y) = black;
    blendRun(panel, x0 - 1, x1, y0 - 1, palette::readoutShadow, 0.8f);
    blendColumn(panel, x0 - 1, y0, y1, palette::readoutShadow, 0.8f);
    blendRun(panel, x0, x1 + 1, y1 + 1, palette::readoutHighlight, 0.55f);
    blendColumn(panel, x1 + 1, y0, y1, palette::readoutHighlight, 0.55f);
    panel.blend(x1 + 1, y0 - 1, linear(palette::readoutShadow), 0.35f);
    panel.blend(x0 - 1, y1 + 1, linear(palette::readoutShadow), 0.35f);
}

void paintReadouts(Canvas& panel, float s) {
    for (int i = 0; i < layout::knobCount; ++i) {
        const int x0 = scaled(s, layout::readoutLeft[i]);
        const int y0 = scaled(s, layout::readoutTop);
        paintSunkenWindow(panel, x0, y0, x0 + scaled(s, layout::readoutWidth) - 1,
                          y0 + scaled(s, layout::readoutHeight) - 1);
    }
}

void paintCaptions(Canvas& panel, float s, const Typeface& face) {
    for (int i = 0; i < layout::knobCount; ++i)
        drawCaption(panel, s, face, knobCaptions[i], layout::wellCentreX(i) * s,
                    scaled(s, knobCaptionBaseline), Align::centre);
    int halfCap = (face.capHeight() + 1) / 2;
    for (int i = 0; i < 2; ++i) {
        int centre = scaled(s, layout::switchTop[i]) + scaled(s, layout::lampHeight) / 2;
        drawCaption(panel, s, face, switchCaptions[i],
                    (layout::switchLeft + layout::lampWidth + 7.0f) * s, centre + halfCap,
                    Align::left);
    }
}
