#include "resources/generator/SelectorPainter.h"

#include <algorithm>
#include <cmath>

#include "resources/generator/Layout.h"
#include "resources/generator/Palette.h"
#include "resources/generator/PanelPainter.h"
#include "resources/generator/Shapes.h"

namespace {

// A triangle as the largest of its edges' signed distances: exact inside
// and along the edges, which is all the anti-aliasing needs.
struct Triangle {
    float x[3], y[3];
    float distance(float px, float py) const {
        float d = -1e9f;
        for (int i = 0; i < 3; ++i) {
            const int j = (i + 1) % 3;
            const float ex = x[j] - x[i], ey = y[j] - y[i];
            const float length = std::hypot(ex, ey);
            // Negative on the side the other corner lies, for corners
            // given as both arrows give them.
            d = std::max(d, (ex * (py - y[i]) - ey * (px - x[i])) / length);
        }
        return d;
    }
};

constexpr float buttonRadius = 3.0f;
constexpr float arrowHalfHeight = 3.5f;
constexpr float arrowLength = 5.0f;

// The button's face, a little lighter where the light falls, a bevel lit
// above and shaded below; the arrow printed on it with the captions' shadow.
Paint buttonPoint(const RoundedBox& box, const Triangle& arrow, const Triangle& shadow, float x,
                  float y) {
    const float d = box.distance(x, y);
    if (d >= 0.0f) return {};
    const float v = clamp01((y - box.y0) / (box.y1 - box.y0));
    Rgb colour = mix(linear(palette::buttonFace), linear(palette::buttonFaceLow), v);
    if (-d < 1.0f) {
        const float facing = facingLight(box, x, y);
        colour = facing > 0.0f ? mix(colour, linear(palette::buttonEdgeLit), facing)
                               : mix(colour, linear(palette::buttonEdgeShade), -facing);
    }
    if (shadow.distance(x, y) < 0.0f) colour = mix(colour, linear(palette::captionShadow), 0.55f);
    if (arrow.distance(x, y) < 0.0f) colour = linear(palette::caption);
    return {colour, 1.0f};
}

// Pointing left (direction -1) or right (1), centred on the button.
Triangle arrowOn(const RoundedBox& box, float direction, float drop) {
    const float cx = (box.x0 + box.x1) * 0.5f, cy = (box.y0 + box.y1) * 0.5f + drop;
    const float tip = cx + direction * arrowLength * 0.5f;
    const float base = cx - direction * arrowLength * 0.5f;
    if (direction < 0.0f)
        return {{tip, base, base}, {cy, cy + arrowHalfHeight, cy - arrowHalfHeight}};
    return {{tip, base, base}, {cy, cy - arrowHalfHeight, cy + arrowHalfHeight}};
}

void paintButton(Canvas& panel, float s, int left, int right, float direction) {
    const RoundedBox box{static_cast<float>(left), static_cast<float>(layout::roomTop),
                         static_cast<float>(right + 1), static_cast<float>(layout::roomBottom + 1),
                         buttonRadius};
    const Triangle arrow = arrowOn(box, direction, 0.0f);
    const Triangle shadow = arrowOn(box, direction, 1.0f);
    paintScaled(panel, s, {left, layout::roomTop, right + 1, layout::roomBottom + 1},
                [&](float x, float y) { return buttonPoint(box, arrow, shadow, x, y); });
}

}  // namespace

// The name's window is set into the plate as the read-outs are.
void paintRoomSelector(Canvas& panel, float s) {
    paintButton(panel, s, layout::roomPreviousLeft, layout::roomPreviousRight, -1.0f);
    paintSunkenWindow(panel, scaled(s, layout::roomNameLeft), scaled(s, layout::roomTop),
                      scaled(s, layout::roomNameRight + 1) - 1,
                      scaled(s, layout::roomBottom + 1) - 1);
    paintButton(panel, s, layout::roomNextLeft, layout::roomNextRight, 1.0f);
}
