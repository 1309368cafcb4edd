// Signed distance fields of the few shapes the panel is made of (negative
// inside, in pixels), and the one light that shades every bevel: all edges
// are lit from the same place, so the plate, strip, wells, knob and lamps
// agree about where the light is.
#pragma once

#include <algorithm>
#include <cmath>

constexpr float pi = 3.14159265358979f;

constexpr float radians(float degrees) { return degrees * pi / 180.0f; }

struct Circle {
    float cx, cy, radius;
    float distance(float x, float y) const { return std::hypot(x - cx, y - cy) - radius; }
};

struct RoundedBox {
    float x0, y0, x1, y1, radius;
    float distance(float x, float y) const {
        float hx = (x1 - x0) * 0.5f - radius, hy = (y1 - y0) * 0.5f - radius;
        float qx = std::fabs(x - (x0 + x1) * 0.5f) - hx;
        float qy = std::fabs(y - (y0 + y1) * 0.5f) - hy;
        float outside = std::hypot(std::max(qx, 0.0f), std::max(qy, 0.0f));
        return outside + std::min(std::max(qx, qy), 0.0f) - radius;
    }
};

// A line with round ends, from a to b, of width 2 * halfWidth.
struct Capsule {
    float ax, ay, bx, by, halfWidth;
    float distance(float x, float y) const {
        float dx = bx - ax, dy = by - ay;
        float t = ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy);
        t = std::min(1.0f, std::max(0.0f, t));
        return std::hypot(x - (ax + t * dx), y - (ay + t * dy)) - halfWidth;
    }
};

// Towards the light, in picture coordinates (y grows downwards): from above
// and a little from the left.
constexpr float lightX = -0.3162278f;
constexpr float lightY = -0.9486833f;

// How squarely the shape's outward normal at (x, y) faces the light, from -1
// (away) to 1 (towards). A raised edge is lit where this is positive; the wall
// of a recess faces the other way, so it is lit where this is negative.
template <class Shape>
float facingLight(const Shape& shape, float x, float y) {
    constexpr float e = 0.25f;
    float gx = shape.distance(x + e, y) - shape.distance(x - e, y);
    float gy = shape.distance(x, y + e) - shape.distance(x, y - e);
    float length = std::hypot(gx, gy);
    if (length < 1e-6f) return 0.0f;
    return (gx * lightX + gy * lightY) / length;
}
