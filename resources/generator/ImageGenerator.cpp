// Draws the editor's three bitmaps - the panel (128), the knob film strip
// (129) and the switch lamps (130) - and writes them as the BMP files the
// module carries. They are made by this program rather than by hand so that
// any change to the look is a change to code that can be reviewed and rerun,
// and a test keeps the committed files equal to what this program writes.
//
//   brv_image_generator OUT_FOLDER [--preview PREVIEW_FOLDER]

#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <exception>
#include <string>

#include "resources/generator/BrandPainter.h"
#include "resources/generator/ImageFiles.h"
#include "resources/generator/KnobPainter.h"
#include "resources/generator/LampPainter.h"
#include "resources/generator/Layout.h"
#include "resources/generator/PanelPainter.h"
#include "resources/generator/PlatePainter.h"
#include "resources/generator/Preview.h"
#include "resources/generator/Typeface.h"

namespace {

// Lato: open, even letters that stay clear at nine pixels, and a light cut
// for the wordmark.
const char* const family = "Lato";
const char* const familyPackage = "fonts-lato";

PanelImages paintAll(const FontLibrary& fonts) {
    Typeface captionFace(fonts, family, FC_WEIGHT_BOLD, 9.0f, familyPackage);
    Typeface titleFace(fonts, family, FC_WEIGHT_LIGHT, 30.0f, familyPackage);
    Typeface subtitleFace(fonts, family, FC_WEIGHT_BOLD, 8.0f, familyPackage);

    Canvas panel = paintPlate();
    PanelImages images;
    images.lamp = paintLamps(panel);
    easePlateTowardsLamps(panel, images.lamp);
    paintStrip(panel);
    paintWells(panel);
    paintReadouts(panel);
    paintCaptions(panel, captionFace);
    paintEmblem(panel);
    paintWordmark(panel, titleFace, subtitleFace);
    images.panel = panel.toImage();
    // The panel on its own shows the switches as the plug-in first does.
    for (int i = 0; i < 2; ++i)
        copyBlock(images.lamp, 0, 0, layout::lampWidth, layout::lampHeight, images.panel,
                  layout::switchLeft, layout::switchTop[i]);
    images.knob = paintKnobStrip(images.panel);
    return images;
}

}  // namespace

int main(int argc, char** argv) {
    std::string out, preview;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--preview" && i + 1 < argc)
            preview = argv[++i];
        else if (out.empty() && arg.rfind("--", 0) != 0)
            out = arg;
        else {
            std::fprintf(stderr, "usage: %s OUT_FOLDER [--preview PREVIEW_FOLDER]\n", argv[0]);
            return 2;
        }
    }
    if (out.empty()) {
        std::fprintf(stderr, "usage: %s OUT_FOLDER [--preview PREVIEW_FOLDER]\n", argv[0]);
        return 2;
    }
    try {
        FontLibrary fonts;
        PanelImages images = paintAll(fonts);
        writeBmp(images.panel, out + "/panel.bmp");
        writeBmp(images.knob, out + "/knob.bmp");
        writeBmp(images.lamp, out + "/lamp.bmp");
        if (!preview.empty()) writePreviews(images, fonts, preview);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "brv_image_generator: %s\n", e.what());
        return 1;
    }
    return 0;
}
