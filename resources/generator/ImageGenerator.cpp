// Draws the editor's three bitmaps - the panel (128) with the room
// selector's buttons and window, the knob film strip (129) and the switch
// lamps (130) - and writes them as the BMP files the
// module carries. They are made by this program rather than by hand so that
// any change to the look is a change to code that can be reviewed and rerun,
// and a test keeps the committed files equal to what this program writes.
// With --scale the same panel is drawn at 1.5 or 2 times its size, from the
// same shapes and type, for screens that draw that much larger: every place
// and size v of the panel becomes floor(scale * v).
//
// With --deflate the files are written zlib-compressed, as panel.bmp.z and
// so on, the form the module carries the larger artwork in.
//
//   brv_image_generator OUT_FOLDER [--scale 1|1.5|2] [--deflate] [--preview PREVIEW_FOLDER]

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
#include "resources/generator/SelectorPainter.h"
#include "resources/generator/Typeface.h"

namespace {

// Lato: open, even letters that stay clear at nine pixels, and a light cut
// for the wordmark.
const char* const family = "Lato";
const char* const familyPackage = "fonts-lato";

PanelImages paintAll(const FontLibrary& fonts, float s) {
    Typeface captionFace(fonts, family, FC_WEIGHT_BOLD, 9.0f * s, familyPackage);
    Typeface titleFace(fonts, family, FC_WEIGHT_LIGHT, 30.0f * s, familyPackage);
    Typeface subtitleFace(fonts, family, FC_WEIGHT_BOLD, 8.0f * s, familyPackage);

    Canvas panel = paintPlate(s);
    PanelImages images;
    images.lamp = paintLamps(panel, s);
    easePlateTowardsLamps(panel, images.lamp, s);
    paintStrip(panel, s);
    paintWells(panel, s);
    paintReadouts(panel, s);
    paintCaptions(panel, s, captionFace);
    paintEmblem(panel, s);
    paintWordmark(panel, s, titleFace, subtitleFace);
    paintRoomSelector(panel, s);
    images.panel = panel.toImage();
    // The panel on its own shows the switches as the plug-in first does.
    const int lampWidth = images.lamp.width, lampHeight = images.lamp.height / 2;
    for (int i = 0; i < 2; ++i)
        copyBlock(images.lamp, 0, 0, lampWidth, lampHeight, images.panel,
                  scaled(s, layout::switchLeft), scaled(s, layout::switchTop[i]));
    images.knob = paintKnobStrip(images.panel, s);
    return images;
}

// The sizes the module carries artwork for.
bool drawnScale(const std::string& text, float& s) {
    if (text == "1")
        s = 1.0f;
    else if (text == "1.5")
        s = 1.5f;
    else if (text == "2")
        s = 2.0f;
    else
        return false;
    return true;
}

}  // namespace

int usage(const char* program) {
    std::fprintf(stderr,
                 "usage: %s OUT_FOLDER [--scale 1|1.5|2] [--deflate] [--preview PREVIEW_FOLDER]\n"
                 "(previews are drawn at scale 1 only)\n",
                 program);
    return 2;
}

int main(int argc, char** argv) {
    std::string out, preview;
    float s = 1.0f;
    bool deflate = false;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        if (arg == "--preview" && i + 1 < argc)
            preview = argv[++i];
        else if (arg == "--deflate")
            deflate = true;
        else if (arg == "--scale" && i + 1 < argc) {
            if (!drawnScale(argv[++i], s)) return usage(argv[0]);
        } else if (out.empty() && arg.rfind("--", 0) != 0)
            out = arg;
        else
            return usage(argv[0]);
    }
    // The previews lay the pictures out at the 1x places.
    if (out.empty() || (!preview.empty() && s != 1.0f)) return usage(argv[0]);
    try {
        FontLibrary fonts;
        PanelImages images = paintAll(fonts, s);
        auto write = deflate ? writeDeflatedBmp : writeBmp;
        const std::string suffix = deflate ? ".bmp.z" : ".bmp";
        write(images.panel, out + "/panel" + suffix);
        write(images.knob, out + "/knob" + suffix);
        write(images.lamp, out + "/lamp" + suffix);
        if (!preview.empty()) writePreviews(images, fonts, preview);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "brv_image_generator: %s\n", e.what());
        return 1;
    }
    return 0;
}
