// The panel in a real window, end to end. --write takes the module's own
// picture of its panel at program 0 (drawn by the soft platform on Linux).
// --drive opens the panel in a window as a host does (a Win32 window under
// wine, an X window on Linux), compares what the window shows with that
// picture, prints where the first knob is and waits while an outside program
// (xdotool) drags it, then checks what the host was told.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "host/HostWindow.h"
#include "host/VstHost.h"

#if !defined(_WIN32)
#include <sys/resource.h>

#include <atomic>
#include <chrono>
#include <thread>
#endif

namespace {

// What ctest counts as skipped: no display to open a window on. A run that
// asks for a display (BRV_REQUIRE_DISPLAY) fails instead.
int skippedOrFailed() {
    const char* required = std::getenv("BRV_REQUIRE_DISPLAY");
    std::printf("no display to open a window on\n");
    return required && *required ? 1 : 77;
}

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

// Copied bitmaps and filled boxes must agree exactly. The read-outs' text
// comes from the system's font engine, which may place its pixels
// differently; they are counted apart.
bool insideReadout(int x, int y) {
    static const int lefts[6] = {55, 135, 215, 294, 374, 454};
    if (y < 89 || y > 101) return false;
    for (int left : lefts)
        if (x >= left && x <= left + 38) return true;
    return false;
}

bool compareWithReference(const HostWindow& host, const Picture& reference) {
    Picture shown = reference;
    if (!host.grab(shown.width, shown.height, shown.pixels)) {
        std::printf("the window's picture could not be read at %d x %d\n", reference.width,
                    reference.height);
        return false;
    }
    size_t outside = 0, inside = 0, readoutPixels = 0;
    int largest = 0;
    for (int y = 0; y < shown.height; ++y) {
        for (int x = 0; x < shown.width; ++x) {
            const size_t i = static_cast<size_t>(y) * shown.width + x;
            const bool readout = insideReadout(x, y);
            readoutPixels += readout;
            if (shown.pixels[i] == reference.pixels[i]) continue;
            (readout ? inside : outside) += 1;
            for (int shift = 0; shift < 24; shift += 8)
                largest = std::max(
                    largest, std::abs(static_cast<int>((shown.pixels[i] >> shift) & 0xFF) -
                                      static_cast<int>((reference.pixels[i] >> shift) & 0xFF)));
        }
    }
    std::printf(
        "window vs soft picture: %zu of %zu pixels differ outside the read-outs, %zu of %zu "
        "inside them; largest channel difference %d\n",
        outside, shown.pixels.size() - readoutPixels, inside, readoutPixels, largest);
    return outside == 0;
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
                    e.opcode == audioMasterBeginEdit ? "begin"
                    : e.opcode == audioMasterEndEdit ? "end"
                                                     : "value",
                    e.index, static_cast<double>(e.value));
    if (events.size() < 4 || events.front().opcode != audioMasterBeginEdit ||
        events.back().opcode != audioMasterEndEdit)
        return false;
    float last = 0.5f;
    for (size_t i = 1; i + 1 < events.size(); ++i) {
        if (events[i].opcode != audioMasterAutomate || events[i].index != 0 ||
            !(events[i].value > last))
            return false;
        last = events[i].value;
    }
    return std::fabs(last - (0.5f + static_cast<float>(rise) / 200.0f)) < 1e-5f;
}

int drive(PluginInstance& plugin, const Picture& reference) {
    HostWindow host(reference.width, reference.height);
    if (!host.exists()) return skippedOrFailed();
    plugin.dispatch(effSetEditKnobMode, 0, 2);
    const uint32_t start = nowMs();
    if (plugin.dispatch(effEditOpen, 0, 0, host.handle()) != 1) {
        std::printf("the panel did not open\n");
        return 1;
    }
    std::printf("the panel opened in %u ms\n", nowMs() - start);
    pumpPanel(plugin, host, 500);
    const bool same = compareWithReference(host, reference);

    long x = 0, y = 0;
    host.panelOrigin(x, y);
    const int rise = 40;
    std::printf("READY %ld %ld %d\n", x + 73, y + 132, rise);
    std::fflush(stdout);
    const uint32_t deadline = nowMs() + 30000;
    while (!edited(plugin) && static_cast<int32_t>(deadline - nowMs()) > 0)
        pumpPanel(plugin, host, 50);
    const bool dragged = checkDrag(plugin, rise);
    std::printf("drag %s\n", dragged ? "followed" : "NOT followed");
    plugin.dispatch(effEditClose);
    return same && dragged ? 0 : 1;
}

#if !defined(_WIN32)
// What Linux hosts do to a panel, each step followed by the panel still
// showing exactly its picture: open and close many times, pass a display
// pointer or none, destroy their window before closing the panel, show two
// instances' panels at once, and idle with no panel open.
int stress(const LoadedModule& module, PluginInstance& plugin, const Picture& reference) {
    int failures = 0;
    auto check = [&failures](bool ok, const char* what) {
        std::printf("%s: %s\n", ok ? "ok" : "FAILED", what);
        failures += !ok;
    };
    auto openShowingPicture = [&](PluginInstance& instance, HostWindow& host, intptr_t display) {
        if (instance.dispatch(effEditOpen, 0, display, host.handle()) != 1) return false;
        pumpPanel(instance, host, 300);
        return compareWithReference(host, reference);
    };
    plugin.dispatch(effEditIdle);
    plugin.dispatch(effEditClose);
    {
        HostWindow host(reference.width, reference.height);
        if (!host.exists()) return skippedOrFailed();
        bool opened = true;
        const uint32_t start = nowMs();
        for (int i = 0; i < 100; ++i) {
            opened = opened && plugin.dispatch(effEditOpen, 0, 0, host.handle()) == 1;
            pumpPanel(plugin, host, 0);
            plugin.dispatch(effEditClose);
        }
        std::printf("100 openings and closings took %u ms\n", nowMs() - start);
        check(opened && openShowingPicture(plugin, host, 0),
              "open and close 100 times, then show the panel");
        plugin.dispatch(effEditClose);
    }
    {
        HostWindow host(reference.width, reference.height);
        int notADisplay = 0;
        check(openShowingPicture(plugin, host, reinterpret_cast<intptr_t>(&notADisplay)),
              "open with the host's display pointer in value");
        // CPU while the panel sits open and idles at 60 Hz.
        rusage before{}, after{};
        getrusage(RUSAGE_SELF, &before);
        const uint32_t start = nowMs();
        while (nowMs() - start < 2000) {
            host.pumpMessages();
            plugin.dispatch(effEditIdle);
            sleepMs(16);
        }
        getrusage(RUSAGE_SELF, &after);
        const double cpu = (after.ru_utime.tv_sec - before.ru_utime.tv_sec + after.ru_stime.tv_sec -
                            before.ru_stime.tv_sec) *
                               1000.0 +
                           (after.ru_utime.tv_usec - before.ru_utime.tv_usec +
                            after.ru_stime.tv_usec - before.ru_stime.tv_usec) /
                               1000.0;
        std::printf("idle at 60 Hz with the panel open: %.1f ms of CPU per second\n", cpu / 2.0);
        plugin.dispatch(effEditClose);
    }
    {
        HostWindow host(reference.width, reference.height);
        plugin.dispatch(effEditOpen, 0, 0, host.handle());
        pumpPanel(plugin, host, 200);
        host.destroy();
        pumpPanel(plugin, host, 200);
        plugin.dispatch(effEditClose);
        plugin.dispatch(effEditIdle);
        HostWindow again(reference.width, reference.height);
        check(openShowingPicture(plugin, again, 0),
              "the host destroys its window before closing the panel");
        plugin.dispatch(effEditClose);
    }
    {
        PluginInstance second;
        std::string error;
        HostWindow first(reference.width, reference.height),
            other(reference.width, reference.height, 1);
        const bool both = second.create(module, error) &&
                          plugin.dispatch(effEditOpen, 0, 0, first.handle()) == 1 &&
                          second.dispatch(effEditOpen, 0, 0, other.handle()) == 1;
        for (int i = 0; i < 20; ++i) {
            pumpPanel(plugin, first, 15);
            pumpPanel(second, other, 15);
        }
        check(both && compareWithReference(first, reference) &&
                  compareWithReference(other, reference),
              "two instances' panels open at once");
        second.dispatch(effEditClose);
        plugin.dispatch(effEditClose);
    }
    return failures == 0 ? 0 : 1;
}

bool xdotool(const std::string& arguments) {
    return std::system(("xdotool " + arguments + " >/dev/null 2>&1").c_str()) == 0;
}

// A knob held and dragged straight up in an X window, as a user does in a
// Linux host: every idle comes back while the button is still down, the
// value follows the pointer 200 pixels to the range, and the host's own
// timer goes on firing. A drag that kept the idle until release would hold
// the button until the watchdog lets go of it.
int heldDrag(PluginInstance& plugin, const Picture& reference) {
    HostWindow host(reference.width, reference.height);
    if (!host.exists()) return skippedOrFailed();
    if (std::system("command -v xdotool >/dev/null") != 0) {
        std::printf("xdotool is missing\n");
        return 1;
    }
    if (plugin.dispatch(effEditOpen, 0, 0, host.handle()) != 1) return 1;
    pumpPanel(plugin, host, 300);
    long x = 0, y = 0;
    host.panelOrigin(x, y);
    const long knobX = x + 73, knobY = y + 132;
    const float before = plugin.getParameter(0);
    xdotool("mousemove " + std::to_string(knobX) + " " + std::to_string(knobY) + " mousedown 1");

    std::atomic<bool> finished{false}, watchdogReleased{false};
    std::thread watchdog([&] {
        for (int i = 0; i < 100 && !finished; ++i)
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        if (!finished) {
            watchdogReleased = true;
            xdotool("mouseup 1");
        }
    });
    int timerTicks = 0;
    uint32_t longestIdle = 0;
    for (int step = 1; step <= 10; ++step) {
        xdotool("mousemove " + std::to_string(knobX) + " " + std::to_string(knobY - 6 * step));
        const uint32_t start = nowMs();
        plugin.dispatch(effEditIdle);
        longestIdle = std::max(longestIdle, nowMs() - start);
        host.pumpMessages();
        ++timerTicks;  // the host's own timer, which runs only between idles
        sleepMs(15);
    }
    plugin.dispatch(effEditIdle);  // the last move, taken while still held
    const bool heldThroughout = !watchdogReleased;
    const float during = plugin.getParameter(0);
    xdotool("mouseup 1");
    finished = true;
    watchdog.join();
    pumpPanel(plugin, host, 100);
    int ends = 0;
    for (const EditEvent& e : plugin.edits()) ends += e.opcode == audioMasterEndEdit;
    plugin.dispatch(effEditClose);

    std::printf("longest idle while held: %u ms; host timer ticks during the drag: %d\n",
                longestIdle, timerTicks);
    std::printf("value %.4f -> %.4f over 60 pixels up; %d end of edit\n",
                static_cast<double>(before), static_cast<double>(during), ends);
    const bool followed = std::fabs(during - before - 0.3f) < 0.02f;
    const bool ok = heldThroughout && followed && ends == 1 && timerTicks == 10;
    std::printf("%s\n", ok ? "the host kept running during the drag" : "FAILED");
    return ok ? 0 : 1;
}
#endif

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4 ||
        (std::strcmp(argv[2], "--write") != 0 && std::strcmp(argv[2], "--drive") != 0 &&
         std::strcmp(argv[2], "--stress") != 0 && std::strcmp(argv[2], "--held-drag") != 0)) {
        std::fprintf(stderr,
                     "usage: panel_check MODULE --write|--drive|--stress|--held-drag PICTURE\n");
        return 2;
    }
    std::setvbuf(stdout, nullptr, _IOLBF, 0);
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
#if !defined(_WIN32)
    if (std::strcmp(argv[2], "--stress") == 0) return stress(module, plugin, picture);
    if (std::strcmp(argv[2], "--held-drag") == 0) return heldDrag(plugin, picture);
#endif
    return drive(plugin, picture);
}
