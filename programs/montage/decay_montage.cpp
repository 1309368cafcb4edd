// Lays pictures of the same size side by side, each shrunk by a whole
// factor (the mean of each square of pixels), on a white ground:
//   decay_montage OUT.png COLUMNS FACTOR IN.png...
// The presets' page in docs/ shows every preset's decay curves this way.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "gui/PngFile.h"

namespace {

using platform::Image;

int fail(const std::string& message) {
    std::fprintf(stderr, "decay_montage: %s\n", message.c_str());
    return 1;
}

uint32_t meanOfSquare(const Image& image, int x0, int y0, int factor) {
    uint32_t sums[3] = {0, 0, 0};
    for (int y = y0; y < y0 + factor; ++y)
        for (int x = x0; x < x0 + factor; ++x)
            for (int c = 0; c < 3; ++c)
                sums[c] += (static_cast<uint32_t>(image.at(x, y)) >> (8 * c)) & 0xFF;
    const uint32_t n = static_cast<uint32_t>(factor * factor);
    return ((sums[2] / n) << 16) | ((sums[1] / n) << 8) | (sums[0] / n);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 5) return fail("usage: decay_montage OUT.png COLUMNS FACTOR IN.png...");
    const int columns = std::atoi(argv[2]);
    const int factor = std::atoi(argv[3]);
    if (columns < 1 || factor < 1) return fail("COLUMNS and FACTOR are whole numbers from 1");
    std::vector<Image> pictures(static_cast<size_t>(argc - 4));
    for (size_t i = 0; i < pictures.size(); ++i) {
        const char* path = argv[4 + i];
        if (!readPng(path, pictures[i])) return fail(std::string("cannot read ") + path);
        if (pictures[i].width != pictures[0].width || pictures[i].height != pictures[0].height)
            return fail(std::string(path) + " is not the size of the first picture");
    }
    const int gap = 8;
    const int cellWidth = pictures[0].width / factor;
    const int cellHeight = pictures[0].height / factor;
    const int count = static_cast<int>(pictures.size());
    const int rows = (count + columns - 1) / columns;
    const int used = count < columns ? count : columns;
    Image sheet;
    sheet.width = used * cellWidth + (used + 1) * gap;
    sheet.height = rows * cellHeight + (rows + 1) * gap;
    sheet.pixels.assign(static_cast<size_t>(sheet.width) * sheet.height, 0xFFFFFFu);
    for (int i = 0; i < count; ++i) {
        const int left = gap + (i % columns) * (cellWidth + gap);
        const int top = gap + (i / columns) * (cellHeight + gap);
        for (int y = 0; y < cellHeight; ++y)
            for (int x = 0; x < cellWidth; ++x)
                sheet.pixels[static_cast<size_t>(top + y) * sheet.width + left + x] =
                    meanOfSquare(pictures[i], x * factor, y * factor, factor);
    }
    const std::string out = argv[1];
    const std::string partial = out + ".partial";
    if (!writePng(sheet, partial.c_str()) || std::rename(partial.c_str(), out.c_str()) != 0) {
        std::remove(partial.c_str());
        return fail("cannot write " + out);
    }
    return 0;
}
