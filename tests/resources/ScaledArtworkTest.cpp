// The panel artwork at 1.5 and 2 times the size: drawn by the generator from
// the same shapes and type, so it has the sizes the panel's layout expects,
// looks like the 1x panel when halved, and is no enlarged 1x bitmap.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

namespace {

// An uncompressed 24-bit BMP as the generator writes it, rows from the top,
// three bytes a pixel in blue, green, red order.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> bgr;
    int at(int x, int y, int channel) const {
        return bgr[(static_cast<size_t>(y) * width + x) * 3 + channel];
    }
};

uint32_t little(const std::vector<uint8_t>& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

Picture readBmp(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::vector<uint8_t> file((std::istreambuf_iterator<char>(in)),
                              std::istreambuf_iterator<char>());
    Picture p;
    if (file.size() < 54 || file[0] != 'B' || file[1] != 'M' || little(file, 28) != 24) return p;
    const uint32_t offset = little(file, 10);
    const int width = static_cast<int>(little(file, 18));
    const int height = static_cast<int>(little(file, 22));
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) & ~size_t{3};
    if (width <= 0 || height <= 0 || file.size() < offset + stride * height) return p;
    p.width = width;
    p.height = height;
    p.bgr.resize(static_cast<size_t>(width) * height * 3);
    for (int y = 0; y < height; ++y) {
        const uint8_t* row = &file[offset + stride * (height - 1 - y)];
        std::copy(row, row + width * 3, &p.bgr[static_cast<size_t>(y) * width * 3]);
    }
    return p;
}

class ScaledArtwork : public ::testing::Test {
protected:
    // Each scale is drawn once per run of the suite, into a fresh folder.
    static Picture draw(const std::string& scale, const std::string& name) {
        static std::set<std::string> drawn;
        const std::string folder = std::string(BRV_RESOURCES_SCRATCH) + "/scale-" + scale;
        if (drawn.insert(scale).second) {
            const std::string command = "rm -rf '" + folder + "' && mkdir -p '" + folder +
                                        "' && '" + BRV_IMAGE_GENERATOR + "' '" + folder +
                                        "' --scale " + scale;
            if (std::system(command.c_str()) != 0) return {};
        }
        return readBmp(folder + "/" + name + ".bmp");
    }
};

}  // namespace

TEST_F(ScaledArtwork, EachScaleHasEveryPlaceAndSizeOfThePanelTimesItsFactor) {
    const struct {
        const char* scale;
        int panelWidth, panelHeight, knob, lampWidth, lampHeight;
    } sizes[] = {
        {"1", 547, 202, 38, 39, 20}, {"1.5", 820, 303, 57, 58, 30}, {"2", 1094, 404, 76, 78, 40}};
    for (const auto& s : sizes) {
        const Picture panel = draw(s.scale, "panel");
        EXPECT_EQ(panel.width, s.panelWidth) << s.scale;
        EXPECT_EQ(panel.height, s.panelHeight) << s.scale;
        const Picture knob = draw(s.scale, "knob");
        EXPECT_EQ(knob.width, s.knob) << s.scale;
        EXPECT_EQ(knob.height, s.knob * 65) << s.scale << ": 65 frames";
        const Picture lamp = draw(s.scale, "lamp");
        EXPECT_EQ(lamp.width, s.lampWidth) << s.scale;
        EXPECT_EQ(lamp.height, s.lampHeight * 2) << s.scale << ": off above on";
    }
}

TEST_F(ScaledArtwork, DoublePanelHalvedLooksLikeTheSinglePanelYetIsNoEnlargement) {
    const Picture one = draw("1", "panel");
    const Picture two = draw("2", "panel");
    ASSERT_EQ(one.width * 2, two.width);
    ASSERT_EQ(one.height * 2, two.height);
    double squares = 0.0;
    size_t samples = 0;
    size_t unlikeDoubled = 0;
    for (int y = 0; y < one.height; ++y) {
        for (int x = 0; x < one.width; ++x) {
            for (int c = 0; c < 3; ++c) {
                const int block[4] = {two.at(2 * x, 2 * y, c), two.at(2 * x + 1, 2 * y, c),
                                      two.at(2 * x, 2 * y + 1, c), two.at(2 * x + 1, 2 * y + 1, c)};
                const double halved = (block[0] + block[1] + block[2] + block[3]) / 4.0;
                const double error = (halved - one.at(x, y, c)) / 255.0;
                squares += error * error;
                ++samples;
            }
            for (int k = 0; k < 4; ++k) {
                const int dx = k & 1, dy = k >> 1;
                bool same = true;
                for (int c = 0; c < 3; ++c)
                    same = same && two.at(2 * x + dx, 2 * y + dy, c) == one.at(x, y, c);
                if (!same) ++unlikeDoubled;
            }
        }
    }
    const double rms = std::sqrt(squares / static_cast<double>(samples));
    EXPECT_LT(rms, 0.06) << "the 2x panel halved strays from the 1x panel";
    const double unlike = static_cast<double>(unlikeDoubled) / (4.0 * one.width * one.height);
    EXPECT_GE(unlike, 0.30) << "the 2x panel is too close to the 1x one blown up";
    std::printf(
        "2x halved against 1x: RMS %.2f %% of full scale; %.1f %% of pixels unlike 1x doubled\n",
        rms * 100.0, unlike * 100.0);
}
