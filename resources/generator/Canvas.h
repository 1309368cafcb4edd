// The picture being drawn, in linear light with float precision, and the one
// way shapes reach it: a paint field sampled on a grid inside every pixel and
// averaged, which anti-aliases every edge the field has.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <vector>

#include "resources/generator/Color.h"
#include "resources/generator/Image8.h"

// What a field puts at one point: a colour and how much of it covers.
struct Paint {
    Rgb colour;
    float alpha = 0.0f;
};

// A pixel area, half-open: [x0, x1) x [y0, y1).
struct PixelBox {
    int x0, y0, x1, y1;
};

// The average of the field over pixel (x, y), which covers [x, x+1) x [y, y+1),
// as a premultiplied colour and a coverage.
template <class Field>
Paint samplePixel(const Field& field, int x, int y, int grid) {
    Paint sum;
    float step = 1.0f / static_cast<float>(grid);
    for (int j = 0; j < grid; ++j) {
        for (int i = 0; i < grid; ++i) {
            Paint p = field(static_cast<float>(x) + (static_cast<float>(i) + 0.5f) * step,
                            static_cast<float>(y) + (static_cast<float>(j) + 0.5f) * step);
            sum.colour = sum.colour + p.colour * p.alpha;
            sum.alpha += p.alpha;
        }
    }
    float n = static_cast<float>(grid * grid);
    return {sum.colour * (1.0f / n), sum.alpha / n};
}

class Canvas final {
public:
    Canvas(int width, int height, Rgb fill = {})
        : w(width), h(height), pixels(static_cast<size_t>(width) * height, fill) {}

    int width() const { return w; }
    int height() const { return h; }
    Rgb& at(int x, int y) { return pixels[static_cast<size_t>(y) * w + x]; }
    const Rgb& at(int x, int y) const { return pixels[static_cast<size_t>(y) * w + x]; }

    void blend(int x, int y, Rgb colour, float alpha) {
        if (x < 0 || y < 0 || x >= w || y >= h || alpha <= 0.0f) return;
        Rgb& p = at(x, y);
        p = mix(p, colour, std::min(alpha, 1.0f));
    }

    // Lays the field over the pixels of the box, "over" compositing.
    template <class Field>
    void paint(PixelBox box, const Field& field, int grid = 8) {
        int x0 = std::max(box.x0, 0), y0 = std::max(box.y0, 0);
        int x1 = std::min(box.x1, w), y1 = std::min(box.y1, h);
        for (int y = y0; y < y1; ++y) {
            for (int x = x0; x < x1; ++x) {
                Paint p = samplePixel(field, x, y, grid);
                if (p.alpha <= 0.0f) continue;
                Rgb& dst = at(x, y);
                dst = p.colour + dst * (1.0f - std::min(p.alpha, 1.0f));
            }
        }
    }

    Image8 toImage() const {
        Image8 image(w, h);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) image.set(x, y, toSrgb8(at(x, y)));
        return image;
    }

private:
    int w, h;
    std::vector<Rgb> pixels;
};

// The pixels for 1x panel units at scale s: each coordinate v becomes
// floor(s * v), as every place and size of the layout does.
inline int scaled(float s, int v) {
    return static_cast<int>(std::floor(s * static_cast<float>(v)));
}

// Paints a field defined in 1x panel units at scale s: the box is widened to
// every pixel it touches, and each sample is taken back to units. At 1 it is
// exactly Canvas::paint, so the 1x images do not change by a bit.
template <class Field>
void paintScaled(Canvas& canvas, float s, PixelBox unitBox, const Field& field, int grid = 8) {
    if (s == 1.0f) {
        canvas.paint(unitBox, field, grid);
        return;
    }
    PixelBox box{scaled(s, unitBox.x0), scaled(s, unitBox.y0),
                 static_cast<int>(std::ceil(s * static_cast<float>(unitBox.x1))),
                 static_cast<int>(std::ceil(s * static_cast<float>(unitBox.y1)))};
    canvas.paint(
        box, [&](float x, float y) { return field(x / s, y / s); }, grid);
}

inline Canvas canvasFrom(const Image8& image) {
    Canvas canvas(image.width, image.height);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) canvas.at(x, y) = linear(image.at(x, y));
    return canvas;
}
