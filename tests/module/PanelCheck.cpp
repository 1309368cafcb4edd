// The panel in a real window, end to end. --write takes the module's own
// picture of its panel at program 0 (drawn by the soft platform on Linux).
// --drive opens the panel in a window as a host does (a Win32 window under
// wine, an X window on Linux), compares what the window shows with that
// picture, asks panel-drive.sh to drag the first knob with a real pointer
// and checks what the host was told. --rooms does the same with the room
// selector. Each pointer action is asked for as a line "XDOTOOL ARGS".
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
#include "params/Parameters.h"
#include "presets/FactoryPresets.h"

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

// Copied bitmaps and filled boxes must agree exactly. The text of the
// read-outs and of the room's name comes from the system's font engine,
// which may place its pixels differently; it is counted apart.
bool insideText(int x, int y) {
    static const int lefts[6] = {55, 135, 215, 294, 374, 454};
    if (x >= 385 && x <= 508 && y >= 67 && y <= 82) return true;
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
    size_t outside = 0, inside = 0, textPixels = 0;
    int largest = 0;
    for (int y = 0; y < shown.height; ++y) {
        for (int x = 0; x < shown.width; ++x) {
            const size_t i = static_cast<size_t>(y) * shown.width + x;
            const bool text = insideText(x, y);
            textPixels += text;
            if (shown.pixels[i] == reference.pixels[i]) continue;
            (text ? inside : outside) += 1;
            for (int shift = 0; shift < 24; shift += 8)
                largest = std::max(
                    largest, std::abs(static_cast<int>((shown.pixels[i] >> shift) & 0xFF) -
                                      static_cast<int>((reference.pixels[i] >> shift) & 0xFF)));
        }
    }
    std::printf(
        "window vs soft picture: %zu of %zu pixels differ outside the text, %zu of %zu "
        "inside it; largest channel difference %d\n",
        outside, shown.pixels.size() - textPixels, inside, textPixels, largest);
    return outside == 0;
}

// Asks the driving script for one pointer action: it runs `xdotool ACTION`
// once, in the order asked, and pauses after it.
void ask(const std::string& action) {
    std::printf("XDOTOOL %s\n", action.c_str());
    std::fflush(stdout);
}

// A straight drag of the first knob, from its centre, by `rise` pixels up
// (down when below 0), the panel's corner at (x, y) on the screen.
void askFirstKnobDragged(long x, long y, int rise) {
    const std::string column = std::to_string(x + 73) + " ";
    ask("mousemove " + column + std::to_string(y + 132));
    ask("mousedown 1");
    for (int step = 1; step <= 4; ++step)
        ask("mousemove " + column + std::to_string(y + 132 - rise * step / 4));
    ask("mouseup 1");
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
    askFirstKnobDragged(x, y, rise);
    const uint32_t deadline = nowMs() + 30000;
    while (!edited(plugin) && static_cast<int32_t>(deadline - nowMs()) > 0)
        pumpPanel(plugin, host, 50);
    const bool dragged = checkDrag(plugin, rise);
    std::printf("drag %s\n", dragged ? "followed" : "NOT followed");
    plugin.dispatch(effEditClose);
    return same && dragged ? 0 : 1;
}

// The room selector under real input. Each step asks the driving script for
// pointer actions, gives the panel its host's turns until what the host
// hears shows the step happened, and then compares the window with the
// module's own picture of the same values, drawn by a second instance of the
// same module without a window (same platform, same fonts). The picture of
// a room must show its name in the name's amber.
class RoomsDrive final {
public:
    RoomsDrive(const LoadedModule& m, PluginInstance& p, HostWindow& h)
        : module(m), plugin(p), host(h) {
        host.panelOrigin(x, y);
    }

    void click(int px, int py) {
        ask("mousemove " + std::to_string(x + px) + " " + std::to_string(y + py) + " click 1");
    }
    void dragFirstKnob(int rise) { askFirstKnobDragged(x, y, rise); }
    // Pumps until the host has heard `ends` end-of-edits since the last mark,
    // then a little longer for the panel to draw what followed.
    bool awaitEdits(size_t ends) {
        const uint32_t deadline = nowMs() + 30000;
        while (endsSinceMark() < ends && static_cast<int32_t>(deadline - nowMs()) > 0)
            pumpPanel(plugin, host, 50);
        pumpPanel(plugin, host, 300);
        return endsSinceMark() == ends;
    }
    void settle() { pumpPanel(plugin, host, 1500); }
    void mark() { marked = plugin.edits().size(); }

    // Every parameter but Dry-Wet, each as begin, value, end, since the mark.
    bool heardRoom(int32_t room) const {
        const std::vector<EditEvent>& all = plugin.edits();
        if (all.size() != marked + 3 * (paramCount - 1)) return false;
        size_t k = marked;
        for (int32_t p = 0; p < paramCount; ++p) {
            if (p == paramDryWet) continue;
            const float value = p == paramOnOff ? 1.0f : factoryPresets[room].values[p];
            if (all[k].opcode != audioMasterBeginEdit || all[k + 1].opcode != audioMasterAutomate ||
                all[k + 2].opcode != audioMasterEndEdit || all[k].index != p ||
                all[k + 1].index != p || all[k + 2].index != p || all[k + 1].value != value ||
                plugin.getParameter(p) != value)
                return false;
            k += 3;
        }
        return true;
    }
    bool nothingHeard() const { return plugin.edits().size() == marked; }

    // 1 when the window is the picture of its values, 0 when it differs
    // (the list lies over it), -1 when either cannot be had.
    int showsItsValues(bool& amberName) {
        PluginInstance twin;
        std::string error;
        if (!twin.create(module, error)) return -1;
        for (int32_t p = 0; p < paramCount; ++p) twin.setParameter(p, plugin.getParameter(p));
        Picture expected, shown;
        if (!twin.panelSnapshot(expected.pixels, expected.width, expected.height)) return -1;
        if (!host.grab(expected.width, expected.height, shown.pixels)) return -1;
        amberName = false;
        int amber = 0;
        for (int py = 67; py <= 82; ++py)
            for (int px = 385; px <= 508; ++px) {
                const uint32_t c = expected.pixels[static_cast<size_t>(py) * expected.width + px];
                const int r = (c >> 16) & 0xFF, g = (c >> 8) & 0xFF, b = c & 0xFF;
                amber += r >= 150 && g >= 90 && r - b >= 60;
            }
        amberName = amber >= 20;
        return shown.pixels == expected.pixels ? 1 : 0;
    }

private:
    size_t endsSinceMark() const {
        size_t n = 0;
        const std::vector<EditEvent>& all = plugin.edits();
        for (size_t i = marked; i < all.size(); ++i) n += all[i].opcode == audioMasterEndEdit;
        return n;
    }

    const LoadedModule& module;
    PluginInstance& plugin;
    HostWindow& host;
    long x = 0, y = 0;
    size_t marked = 0;
};

int32_t roomNamed(const char* name) {
    for (int32_t i = 0; i < factoryPresetCount; ++i)
        if (std::strcmp(factoryPresets[i].name, name) == 0) return i;
    return -1;
}

int rooms(const LoadedModule& module, PluginInstance& plugin, const Picture& reference) {
    HostWindow host(reference.width, reference.height);
    if (!host.exists()) return skippedOrFailed();
    plugin.dispatch(effSetEditKnobMode, 0, 2);
    if (plugin.dispatch(effEditOpen, 0, 0, host.handle()) != 1) {
        std::printf("the panel did not open\n");
        return 1;
    }
    pumpPanel(plugin, host, 500);
    int failures = compareWithReference(host, reference) ? 0 : 1;
    RoomsDrive drive(module, plugin, host);
    auto check = [&failures](bool ok, const char* what) {
        std::printf("%s: %s\n", ok ? "ok" : "FAILED", what);
        failures += !ok;
    };
    auto looks = [&](bool room, const char* what) {
        bool amber = false;
        const int same = drive.showsItsValues(amber);
        check(same == 1 && amber == room, what);
    };
    auto listOpens = [&](const char* what) {
        drive.mark();
        drive.click(440, 74);
        drive.settle();
        bool amber = false;
        check(drive.showsItsValues(amber) == 0 && drive.nothingHeard(), what);
    };

    drive.mark();
    drive.click(518, 74);
    check(drive.awaitEdits(paramCount - 1) && drive.heardRoom(0),
          "next from the defaults applies the first room, every parameter but Dry-Wet bracketed");
    looks(true, "the first room's name shows");

    drive.mark();
    drive.dragFirstKnob(40);
    check(drive.awaitEdits(1), "the first knob dragged up");
    looks(false, "a knob moved off the room shows no room");
    drive.mark();
    drive.dragFirstKnob(-40);
    check(drive.awaitEdits(1), "the first knob dragged back down");
    looks(true, "moved back, the room's name shows again");

    const int32_t hall = roomNamed("Large Hall");
    listOpens("a click on the name opens the list over the panel");
    drive.click(333, 188);
    check(drive.awaitEdits(paramCount - 1) && drive.heardRoom(hall),
          "a click on Large Hall in the list applies it");
    looks(true, "the list closed, Large Hall's name shows");

    listOpens("the list opens again");
    drive.mark();
    plugin.dispatch(effEditKeyDown, 0, VKEY_ESCAPE);
    pumpPanel(plugin, host, 300);
    check(drive.nothingHeard(), "Escape from the host's key request changes nothing");
    looks(true, "and closes the list");

    listOpens("and again");
    drive.click(100, 180);
    drive.settle();
    check(drive.nothingHeard(), "a click outside the list changes nothing");
    looks(true, "and closes it");
    plugin.dispatch(effEditClose);
    return failures == 0 ? 0 : 1;
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
         std::strcmp(argv[2], "--stress") != 0 && std::strcmp(argv[2], "--held-drag") != 0 &&
         std::strcmp(argv[2], "--rooms") != 0)) {
        std::fprintf(
            stderr,
            "usage: panel_check MODULE --write|--drive|--stress|--held-drag|--rooms PICTURE\n");
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
    if (std::strcmp(argv[2], "--rooms") == 0) return rooms(module, plugin, picture);
#if !defined(_WIN32)
    if (std::strcmp(argv[2], "--stress") == 0) return stress(module, plugin, picture);
    if (std::strcmp(argv[2], "--held-drag") == 0) return heldDrag(plugin, picture);
#endif
    return drive(plugin, picture);
}
