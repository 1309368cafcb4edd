// The panel in a real window, end to end. The Linux build writes the soft
// platform's picture of the panel at program 0; the Windows build, under wine,
// opens the panel in a window as a host does, compares what the window shows
// with that picture, prints where the first knob is and waits while an outside
// program (xdotool) drags it, then checks what the host was told.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tools/VstHost.h"

#if defined(_WIN32)
#include <windows.h>

#include "gui/platform/Probe.h"
#endif

namespace {

struct Picture {
    int32_t width = 0;
    int32_t height = 0;
    std::vector<uint32_t> pixels;  // 0x00RRGGBB, rows from the top
};

bool writePicture(const std::string& path, const Picture& p) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    const bool ok = std::fwrite(&p.width, 4, 1, f) == 1 && std::fwrite(&p.height, 4, 1, f) == 1 &&
                    std::fwrite(p.pixels.data(), 4, p.pixels.size(), f) == p.pixels.size();
    return std::fclose(f) == 0 && ok;
}

bool readPicture(const std::string& path, Picture& p) {
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    bool ok = std::fread(&p.width, 4, 1, f) == 1 && std::fread(&p.height, 4, 1, f) == 1 &&
              p.width > 0 && p.height > 0 && p.width <= 4096 && p.height <= 4096;
    if (ok) {
        p.pixels.resize(static_cast<size_t>(p.width) * p.height);
        ok = std::fread(p.pixels.data(), 4, p.pixels.size(), f) == p.pixels.size();
    }
    std::fclose(f);
    return ok;
}

#if defined(_WIN32)

// The read-outs draw text through the system's font engine, which need not
// place its grey levels where FreeType does; everything else is copied
// bitmaps and filled boxes and must agree exactly.
bool insideReadout(int x, int y) {
    static const int lefts[6] = {55, 135, 215, 294, 374, 454};
    if (y < 89 || y > 101) return false;
    for (int left : lefts)
        if (x >= left && x <= left + 38) return true;
    return false;
}

bool compareWithReference(HWND host, const Picture& reference) {
    const platform::probe::Image shown = platform::probe::readWindow(reinterpret_cast<platform::Window>(host));
    if (shown.width != reference.width || shown.height != reference.height) {
        std::printf("window shows %d x %d, reference is %d x %d\n", shown.width, shown.height,
                    reference.width, reference.height);
        return false;
    }
    size_t outside = 0, inside = 0, readoutPixels = 0;
    int largest = 0;
    for (int y = 0; y < shown.height; ++y) {
        for (int x = 0; x < shown.width; ++x) {
            const uint32_t c = shown.at(x, y);
            const uint32_t rgb = ((c & 0xFF) << 16) | (c & 0xFF00) | ((c >> 16) & 0xFF);
            const uint32_t want = reference.pixels[static_cast<size_t>(y) * reference.width + x];
            const bool readout = insideReadout(x, y);
            readoutPixels += readout;
            if (rgb == want) continue;
            (readout ? inside : outside) += 1;
            for (int shift = 0; shift < 24; shift += 8)
                largest = std::max(largest, std::abs(static_cast<int>((rgb >> shift) & 0xFF) -
                                                     static_cast<int>((want >> shift) & 0xFF)));
        }
    }
    std::printf("window vs soft picture: %zu of %zu pixels differ outside the read-outs, %zu of %zu "
                "inside them; largest channel difference %d\n",
                outside, shown.pixels.size() - readoutPixels, inside, readoutPixels, largest);
    return outside == 0;
}

void pump(PluginInstance& plugin, DWORD milliseconds) {
    const DWORD end = GetTickCount() + milliseconds;
    while (static_cast<int32_t>(end - GetTickCount()) > 0) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        plugin.dispatch(effEditIdle);
        Sleep(15);
    }
}

bool edited(const PluginInstance& plugin) {
    for (const EditEvent& e : plugin.edits())
        if (e.opcode == audioMasterEndEdit) return true;
    return false;
}

// A drag straight up by `rise` pixels in linear knob mode moves the value by
// rise / 200, through values that only grow.
bool checkDrag(const PluginInstance& plugin, int rise) {
    const std::vector<EditEvent>& events = plugin.edits();
    for (const EditEvent& e : events)
        std::printf("  %s %d %.6f\n",
                    e.opcode == audioMasterBeginEdit ? "begin" : e.opcode == audioMasterEndEdit ? "end" : "value",
                    e.index, static_cast<double>(e.value));
    if (events.size() < 4 || events.front().opcode != audioMasterBeginEdit ||
        events.back().opcode != audioMasterEndEdit)
        return false;
    float last = 0.5f;
    for (size_t i = 1; i + 1 < events.size(); ++i) {
        if (events[i].opcode != audioMasterAutomate || events[i].index != 0 || !(events[i].value > last))
            return false;
        last = events[i].value;
    }
    return std::fabs(last - (0.5f + static_cast<float>(rise) / 200.0f)) < 1e-5f;
}

int drive(PluginInstance& plugin, const Picture& reference) {
    platform::Window hostWindow = platform::probe::createHostWindow(reference.width, reference.height);
    HWND host = reinterpret_cast<HWND>(hostWindow);
    plugin.dispatch(effSetEditKnobMode, 0, 2);
    if (plugin.dispatch(effEditOpen, 0, 0, host) != 1) {
        std::printf("the panel did not open\n");
        return 1;
    }
    pump(plugin, 500);
    const bool same = compareWithReference(host, reference);

    HWND panel = GetWindow(host, GW_CHILD);
    RECT r{};
    GetWindowRect(panel, &r);
    const int rise = 40;
    std::printf("READY %ld %ld %d\n", r.left + 73, r.top + 132, rise);
    std::fflush(stdout);
    const DWORD deadline = GetTickCount() + 30000;
    while (!edited(plugin) && static_cast<int32_t>(deadline - GetTickCount()) > 0) pump(plugin, 50);
    const bool dragged = checkDrag(plugin, rise);
    std::printf("drag %s\n", dragged ? "followed" : "NOT followed");
    plugin.dispatch(effEditClose);
    platform::probe::destroyHostWindow(hostWindow);
    return same && dragged ? 0 : 1;
}

#endif

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 || (std::strcmp(argv[2], "--write") != 0 && std::strcmp(argv[2], "--drive") != 0)) {
        std::fprintf(stderr, "usage: panel_check MODULE --write|--drive PICTURE\n");
        return 2;
    }
    std::string error;
    LoadedModule module;
    PluginInstance plugin;
    if (!module.load(argv[1], error) || !plugin.create(module, error)) {
        std::fprintf(stderr, "panel_check: %s\n", error.c_str());
        return 1;
    }
    Picture picture;
    if (std::strcmp(argv[2], "--write") == 0) {
        if (!plugin.panelSnapshot(picture.pixels, picture.width, picture.height) ||
            !writePicture(argv[3], picture)) {
            std::fprintf(stderr, "panel_check: no picture written\n");
            return 1;
        }
        return 0;
    }
    if (!readPicture(argv[3], picture)) {
        std::fprintf(stderr, "panel_check: cannot read %s\n", argv[3]);
        return 1;
    }
#if defined(_WIN32)
    return drive(plugin, picture);
#else
    std::fprintf(stderr, "panel_check: driving a window needs the Windows build\n");
    return 2;
#endif
}
