#include "resources/generator/BrandPainter.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "resources/generator/Layout.h"
#include "resources/generator/Palette.h"
#include "resources/generator/Shapes.h"

namespace {

constexpr float emblemX = layout::panelWidth * 0.5f;
constexpr float emblemY = 45.0f;
constexpr float badgeRadius = 17.0f;
constexpr float badgeRim = 1.6f;
constexpr float traceHalfWidth = 0.7f;

constexpr float wordmarkRight = 527.0f;
constexpr int titleBaseline = 47;
constexpr int subtitleBaseline = 61;

// The trace is an impulse response: silence, one sharp arrival, then ringing
// that dies away to the right.
std::vector<Capsule> traceSegments() {
    constexpr int steps = 120;
    constexpr float halfSpan = 12.0f;
    constexpr float arrival = 0.16f;
    std::vector<Capsule> segments;
    float px = 0.0f, py = 0.0f;
    for (int i = 0; i <= steps; ++i) {
        float u = static_cast<float>(i) / steps;
        float since = std::max(u - arrival, 0.0f);
        float envelope = 9.5f * std::exp(-since * 5.0f);
        float x = emblemX - halfSpan + 2.0f * halfSpan * u;
        float y = emblemY - envelope * std::sin(2.0f * pi * 4.2f * since);
        if (i > 0) segments.push_back({px, py, x, y, traceHalfWidth});
        px = x;
        py = y;
    }
    return segments;
}

Paint badgePoint(float x, float y) {
    Circle outer{emblemX, emblemY, badgeRadius};
    Circle face{emblemX, emblemY, badgeRadius - badgeRim};
    float d = outer.distance(x, y);
    if (d >= 0.0f) return {};
    if (face.distance(x, y) >= 0.0f) {
        // A raised ring: lit where it faces the light.
        float facing = facingLight(outer, x, y);
        Rgb rim = linear(palette::badgeRim);
        return {facing > 0.0f ? mix(rim, linear(palette::wellWallLit), facing)
                              : rim * (1.0f + 0.6f * facing),
                1.0f};
    }
    // The face is sunk below the ring, shaded under its upper edge.
    float depth = -face.distance(x, y);
    float facing = facingLight(face, x, y);
    float shadow = 0.55f * std::exp(-depth / 2.0f) * std::max(facing, 0.0f);
    return {linear(palette::badgeFace) * (1.0f - shadow), 1.0f};
}

Paint tracePoint(const std::vector<Capsule>& trace, float x, float y) {
    float nearest = 1e9f;
    for (const Capsule& c : trace) nearest = std::min(nearest, c.distance(x, y));
    float inside = badgeRadius - badgeRim - 1.5f - std::hypot(x - emblemX, y - emblemY);
    if (inside <= 0.0f) return {};
    // A phosphor-like glow around the line, fading out before the rim.
    float glow = 0.22f * std::exp(-std::max(nearest, 0.0f) / 1.1f);
    float alpha = nearest < 0.0f ? 1.0f : glow;
    return {linear(palette::accent), alpha * std::min(1.0f, inside)};
}

}  // namespace

void paintEmblem(Canvas& panel, float s) {
    int reach = static_cast<int>(badgeRadius) + 2;
    PixelBox box{static_cast<int>(emblemX) - reach, static_cast<int>(emblemY) - reach,
                 static_cast<int>(emblemX) + reach + 1, static_cast<int>(emblemY) + reach + 1};
    paintScaled(panel, s, box, badgePoint);
    std::vector<Capsule> trace = traceSegments();
    paintScaled(panel, s, box, [&](float x, float y) { return tracePoint(trace, x, y); });
}

void paintWordmark(Canvas& panel, float s, const Typeface& titleFace,
                   const Typeface& subtitleFace) {
    const float right = wordmarkRight * s;
    const int title0 = scaled(s, titleBaseline), subtitle0 = scaled(s, subtitleBaseline);
    const int drop = scaled(s, 1);
    TextLook shadow{linear(palette::captionShadow), 0.6f, 0.4f * s};
    TextLook title{linear(palette::title), 1.0f, 0.4f * s};
    titleFace.draw(panel, "Brellivaunt", right, title0 + drop, Align::right, shadow);
    titleFace.draw(panel, "Brellivaunt", right, title0, Align::right, title);
    TextLook line{linear(palette::accent), 1.0f, 2.4f * s};
    TextLook lineShadow{linear(palette::captionShadow), 0.5f, 2.4f * s};
    subtitleFace.draw(panel, "STEREO REVERB", right, subtitle0 + drop, Align::right, lineShadow);
    subtitleFace.draw(panel, "STEREO REVERB", right, subtitle0, Align::right, line);
}
