// Compares what an X window shows with a PNG picture, pixel for pixel:
// x11_grab WINDOW_ID REFERENCE.png. Exits 0 when they are the same.
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "gui/PngFile.h"
#include "host/X11HostWindow.h"

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: x11_grab WINDOW_ID REFERENCE.png\n");
        return 2;
    }
    platform::Image reference;
    if (!readPng(argv[2], reference)) {
        std::fprintf(stderr, "x11_grab: cannot read %s\n", argv[2]);
        return 2;
    }
    const auto window = static_cast<uint32_t>(std::strtoul(argv[1], nullptr, 0));
    std::vector<uint32_t> shown(reference.pixels.size());
    if (!X11HostWindow::grabWindow(window, reference.width, reference.height, shown.data())) {
        std::fprintf(stderr, "x11_grab: cannot read window %s\n", argv[1]);
        return 1;
    }
    size_t differ = 0;
    for (size_t i = 0; i < shown.size(); ++i) {
        const uint32_t c = reference.pixels[i];
        differ += shown[i] != platform::swapRedBlue(c);
    }
    std::printf("window vs headless picture: %zu of %zu pixels differ\n", differ, shown.size());
    return differ == 0 ? 0 : 1;
}
