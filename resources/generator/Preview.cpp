#include "resources/generator/Preview.h"

#include <fontconfig/fontconfig.h>

#include <cmath>
#include <string>

#include "resources/generator/Canvas.h"
#include "resources/generator/ImageFiles.h"
#include "resources/generator/Layout.h"
#include "resources/generator/Palette.h"

namespace {

struct PanelState {
    bool switchOn[2];
    float knob[layout::knobCount];
};

void copyTransparent(const Image8& source, int sy, Image8& target, int dx, int dy) {
    for (int y = 0; y < layout::knobSize; ++y) {
        for (int x = 0; x < layout::knobSize; ++x) {
            Srgb8 c = source.at(x, sy + y);
            if (c.r == palette::transparent.r && c.g == palette::transparent.g &&
                c.b == palette::transparent.b)
                continue;
            target.set(dx + x, dy + y, c);
        }
    }
}

// What the editor shows: switch lamps and knob frames copied over the panel,
// the read-outs filled black with the values in white.
Image8 composite(const PanelImages& images, const PanelState& state, const Typeface& readoutFace) {
    Image8 out = images.panel;
    for (int i = 0; i < 2; ++i)
        copyBlock(images.lamp, 0, state.switchOn[i] ? layout::lampHeight : 0, layout::lampWidth,
                  layout::lampHeight, out, layout::switchLeft, layout::switchTop[i]);
    for (int i = 0; i < layout::knobCount; ++i) {
        int frame = static_cast<int>(std::lround(state.knob[i] * (layout::knobFrames - 1)));
        copyTransparent(images.knob, frame * layout::knobSize, out, layout::knobLeft[i],
                        layout::knobTop);
    }
    Canvas canvas = canvasFrom(out);
    for (int i = 0; i < layout::knobCount; ++i) {
        std::string text =
            std::to_string(static_cast<int>(std::lround(state.knob[i] * 100.0f))) + "%";
        float middle = layout::readoutLeft[i] + layout::readoutWidth * 0.5f;
        int baseline = layout::readoutTop + (layout::readoutHeight + readoutFace.capHeight()) / 2;
        readoutFace.draw(canvas, text, middle, baseline, Align::centre,
                         {Rgb{1.0f, 1.0f, 1.0f}, 1.0f, 0.0f});
    }
    return canvas.toImage();
}

Image8 enlarge(const Image8& image, int factor) {
    Image8 big(image.width * factor, image.height * factor);
    for (int y = 0; y < big.height; ++y)
        for (int x = 0; x < big.width; ++x) big.set(x, y, image.at(x / factor, y / factor));
    return big;
}

Image8 crop(const Image8& image, int x, int y, int w, int h) {
    Image8 part(w, h);
    copyBlock(image, x, y, w, h, part, 0, 0);
    return part;
}

// Every sixteenth knob frame side by side, so the turn and the rim can be seen.
Image8 knobSampler(const Image8& knob) {
    constexpr int shown = 5;
    Image8 row(layout::knobSize * shown, layout::knobSize);
    for (int i = 0; i < shown; ++i)
        copyBlock(knob, 0, i * 16 * layout::knobSize, layout::knobSize, layout::knobSize, row,
                  i * layout::knobSize, 0);
    return row;
}

}  // namespace

void writePreviews(const PanelImages& images, const FontLibrary& fonts, const std::string& folder) {
    // The plug-in asks for Arial, which fontconfig answers with Liberation Sans here.
    Typeface readoutFace(fonts, "Liberation Sans", FC_WEIGHT_REGULAR, 11.0f, "fonts-liberation2");
    writePng(images.panel, folder + "/panel.png");
    writePng(images.lamp, folder + "/lamp.png");
    writePng(enlarge(images.lamp, 8), folder + "/lamp_x8.png");
    writePng(enlarge(knobSampler(images.knob), 8), folder + "/knob_frames_x8.png");
    Image8 first =
        composite(images, {{false, true}, {0.0f, 0.25f, 0.5f, 0.68f, 0.85f, 1.0f}}, readoutFace);
    Image8 second =
        composite(images, {{true, false}, {0.12f, 0.4f, 0.6f, 0.33f, 0.5f, 0.77f}}, readoutFace);
    writePng(first, folder + "/composite.png");
    writePng(second, folder + "/composite_b.png");
    writePng(enlarge(first, 3), folder + "/composite_x3.png");
    writePng(enlarge(second, 4), folder + "/composite_b_x4.png");
    writePng(enlarge(crop(first, 36, 82, 220, 100), 6), folder + "/detail_knobs_x6.png");
    writePng(enlarge(crop(first, 0, 0, 150, 84), 6), folder + "/detail_switches_x6.png");
    writePng(enlarge(crop(first, 236, 8, 311, 68), 4), folder + "/detail_brand_x4.png");
    writePng(enlarge(crop(first, 400, 150, 147, 52), 6), folder + "/detail_corner_x6.png");
    writePng(enlarge(crop(first, 0, 0, 40, 40), 12), folder + "/detail_screw_x12.png");
    writePng(enlarge(crop(first, 290, 109, 46, 46), 12), folder + "/detail_knob_x12.png");
}
