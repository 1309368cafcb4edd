// The panel as hosts treat it: opened and closed over and over while the
// audio thread keeps processing, opened by a host that never said its sample
// rate or block size, told of another scale while open, and left open when
// the host closes the effect; and its room selector worked by a restless
// hand, its list open as the panel or the effect closes.
#include <atomic>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <thread>

#include "host/HostWindow.h"
#include "params/Parameters.h"
#include "presets/FactoryPresets.h"
#include "programs/torture/StereoBuffers.h"
#include "programs/torture/Torture.h"
#include "vst2/ContentScale.h"

namespace {

// The host's audio thread: blocks of noise until told to stop, every output
// sample checked there and then.
class AudioThread final {
public:
    AudioThread(PluginInstance& plugin, uint64_t seed)
        : worker([this, &plugin, seed] { run(plugin, seed); }) {}
    ~AudioThread() { stop(); }
    AudioThread(const AudioThread&) = delete;
    AudioThread& operator=(const AudioThread&) = delete;

    void stop() {
        running = false;
        if (worker.joinable()) worker.join();
    }
    int blocks() const { return rendered.load(); }
    const OutputScan& scan() const { return outputs; }

private:
    void run(PluginInstance& plugin, uint64_t seed) {
        Random noise(seed);
        StereoBuffers buffers(512);
        while (running) {
            buffers.fillNoise(noise, 512);
            buffers.process(plugin, 512);
            buffers.scan(outputs, 512);
            ++rendered;
        }
    }

    std::atomic<bool> running{true};
    std::atomic<int> rendered{0};
    OutputScan outputs;
    std::thread worker;
};

bool panelSize(PluginInstance& plugin, int& width, int& height) {
    ERect* rect = nullptr;
    if (plugin.dispatch(effEditGetRect, 0, 0, &rect) != 1 || !rect) return false;
    width = rect->right - rect->left;
    height = rect->bottom - rect->top;
    return width > 0 && height > 0;
}

void openAndCloseWhileProcessing(Torture& t, HostWindow& host) {
    auto plugin = t.create();
    if (!plugin) return;
    applySettings(*plugin, randomSettings(t.random));
    plugin->start(44100.0f, 512);
    AudioThread audio(*plugin, t.random.next());
    int opened = 0;
    for (int i = 0; i < 50; ++i) {
        opened += plugin->dispatch(effEditOpen, 0, 0, host.handle()) == 1;
        // Host automation moves the open panel's controls.
        for (int k = 0; k < 3; ++k) {
            const int32_t index = t.random.below(paramCount);
            plugin->setParameter(index, index == paramOnOff ? 1.0f : t.random.unit());
            host.pumpMessages();
            plugin->dispatch(effEditIdle);
            sleepMs(2);
        }
        plugin->dispatch(effEditClose);
        host.pumpMessages();
        sleepMs(2);
    }
    const int during = audio.blocks();
    audio.stop();
    char what[160];
    std::snprintf(what, sizeof(what), "opened %d of 50 times while %d blocks were processed",
                  opened, during);
    t.verdict.check(opened == 50, what);
    t.verdict.check(during > 0, "the audio thread processed nothing while the panel came and went");
    t.verdict.check(
        audio.scan().clean() && audio.scan().energy > 0.0,
        describe("output while the panel came and went: samples not finite or subnormal",
                 static_cast<double>(audio.scan().nonFinite + audio.scan().subnormal)));
}

void openWithoutRateOrBlockSize(Torture& t, HostWindow& host) {
    auto plugin = t.create();
    if (!plugin) return;
    plugin->dispatch(effSetSampleRate, 0, 0, nullptr, 0.0f);
    plugin->dispatch(effSetBlockSize, 0, 0);
    plugin->dispatch(effSetBlockSizeAndSampleRate, 0, 0, nullptr, 0.0f);
    plugin->dispatch(effMainsChanged, 0, 1);
    int width = 0, height = 0;
    t.verdict.check(panelSize(*plugin, width, height) && width == 547 && height == 202,
                    "the panel's size with no rate and no block size");
    t.verdict.check(plugin->dispatch(effEditOpen, 0, 0, host.handle()) == 1,
                    "the panel opens with a sample rate of 0 and a block size of 0");
    pumpPanel(*plugin, host, 150, 5);
    StereoBuffers buffers(512);
    OutputScan scan;
    for (int i = 0; i < 20; ++i) {
        buffers.fillNoise(t.random, 512);
        buffers.process(*plugin, 512);
        buffers.scan(scan, 512);
    }
    t.verdict.check(scan.clean(), "output with the panel opened at rate 0 and block size 0");
    plugin->dispatch(effEditClose);
}

// A host that moves between screens offers scales while the panel is open
// and the audio runs; some are no scale at all. The panel is built again at
// each new size in the host's window and tells the host sizes it can be.
void scaleChangesWhileOpen(Torture& t, HostWindow& host) {
    auto plugin = t.create();
    if (!plugin) return;
    plugin->start(44100.0f, 512);
    AudioThread audio(*plugin, t.random.next());
    t.verdict.check(plugin->dispatch(effEditOpen, 0, 0, host.handle()) == 1, "the panel opens");
    const float offers[] = {
        1.0f, 1.5f, 2.0f, 1.3f, 3.9f, 0.0f, -1.0f, 100.0f, std::numeric_limits<float>::quiet_NaN()};
    int sizesSeen = 0, badSizes = 0, wrongAnswers = 0;
    for (int i = 0; i < 30; ++i) {
        const float factor = offers[t.random.below(sizeof offers / sizeof offers[0])];
        const bool isScale = std::isfinite(factor) && factor > 0.0f && factor <= 4.0f;
        const intptr_t answer = plugin->dispatch(effVendorSpecific, contentScaleIndex,
                                                 contentScaleValue, nullptr, factor);
        wrongAnswers += answer != (isScale ? 1 : 0);
        int width = 0, height = 0;
        if (panelSize(*plugin, width, height)) {
            ++sizesSeen;
            badSizes += !((width == 547 && height == 202) || (width == 820 && height == 303) ||
                          (width == 1094 && height == 404));
        }
        plugin->setParameter(t.random.below(paramCount - 2), t.random.unit());
        pumpPanel(*plugin, host, 10, 5);
    }
    plugin->dispatch(effEditClose);
    audio.stop();
    t.verdict.check(wrongAnswers == 0, describe("scale offers answered wrongly", wrongAnswers));
    t.verdict.check(sizesSeen == 30 && badSizes == 0,
                    describe("panel sizes that are none of its three", badSizes));
    t.verdict.check(audio.scan().clean(), "output while the panel changed its size");
}

void closeTheEffectWithThePanelOpen(Torture& t, HostWindow& host) {
    auto plugin = t.create();
    if (!plugin) return;
    plugin->start(44100.0f, 512);
    t.verdict.check(plugin->dispatch(effEditOpen, 0, 0, host.handle()) == 1, "the panel opens");
    pumpPanel(*plugin, host, 100, 5);
    plugin.reset();  // effClose with the panel still open
    host.pumpMessages();
    sleepMs(20);
    host.pumpMessages();
    // The host carries on: another instance's panel in the same window.
    auto next = t.create();
    if (!next) return;
    t.verdict.check(next->dispatch(effEditOpen, 0, 0, host.handle()) == 1,
                    "a new panel opens in the window whose panel was closed with its effect");
    pumpPanel(*next, host, 100, 5);
    next->dispatch(effEditClose);
}

// Places of the 1x panel: the selector's arrows and name, where the list's
// rows lie once it is open, a knob under the list, and the bare plate.
struct PanelPlace {
    long x;
    long y;
};
constexpr PanelPlace selectorPlaces[] = {{374, 74},  {518, 74},  {440, 74},  {333, 100},
                                         {333, 188}, {460, 100}, {460, 130}, {100, 180}};
constexpr unsigned char listKeys[] = {VKEY_ESCAPE, VKEY_RETURN, VKEY_ENTER, VKEY_UP,
                                      VKEY_DOWN,   VKEY_LEFT,   VKEY_RIGHT};

bool showsRoom(PluginInstance& plugin, int32_t room, float dryWet) {
    for (int32_t p = 0; p < paramCount; ++p) {
        const float want = p == paramDryWet  ? dryWet
                           : p == paramOnOff ? 1.0f
                                             : factoryPresets[room].values[p];
        if (plugin.getParameter(p) != want) return false;
    }
    return true;
}

// While the audio runs: the next arrow from the defaults applies the first
// room, and the wheel the next one; then presses on the selector, its list
// and around it, the wheel over the name, the list's keys through the
// host's key request and host changes, in any order, with the panel now and
// then closed and opened again under an open list; at the end the effect is
// closed with the list open. Every value stays one a parameter can hold.
void roomSelectorUnderStress(Torture& t, HostWindow& host) {
    auto plugin = t.create();
    if (!plugin) return;
    plugin->start(44100.0f, 512);
    AudioThread audio(*plugin, t.random.next());
    t.verdict.check(plugin->dispatch(effEditOpen, 0, 0, host.handle()) == 1, "the panel opens");
    pumpPanel(*plugin, host, 150, 5);
    const float dryWet = plugin->getParameter(paramDryWet);
    host.press(518, 74);
    pumpPanel(*plugin, host, 100, 5);
    t.verdict.check(showsRoom(*plugin, 0, dryWet),
                    "the room selector's next arrow from the defaults applies the first room");
    host.wheel(440, 74, -1);
    pumpPanel(*plugin, host, 100, 5);
    t.verdict.check(showsRoom(*plugin, 1, dryWet),
                    "the wheel turned towards the user over the name applies the next room");

    int strayValues = 0, reopenings = 0, reopened = 0;
    for (int i = 0; i < 200; ++i) {
        const PanelPlace& place =
            selectorPlaces[t.random.below(sizeof selectorPlaces / sizeof selectorPlaces[0])];
        switch (t.random.below(6)) {
        case 0:
        case 1:
            host.press(place.x, place.y);
            break;
        case 2:
            host.wheel(440, 74, t.random.below(2) ? 1 : -1);
            break;
        case 3:
            plugin->dispatch(effEditKeyDown, 0,
                             listKeys[t.random.below(sizeof listKeys / sizeof listKeys[0])]);
            break;
        case 4:
            plugin->setParameter(t.random.below(paramCount), t.random.unit());
            break;
        default:
            if (t.random.below(4) == 0) {
                plugin->dispatch(effEditClose);
                ++reopenings;
                reopened += plugin->dispatch(effEditOpen, 0, 0, host.handle()) == 1;
            }
        }
        pumpPanel(*plugin, host, 4, 2);
        for (int32_t p = 0; p < paramCount; ++p) {
            const float v = plugin->getParameter(p);
            strayValues += !(v >= 0.0f && v <= 1.0f);
        }
    }
    t.verdict.check(strayValues == 0,
                    describe("parameter values outside 0 to 1 after the selector", strayValues));
    char what[112];
    std::snprintf(what, sizeof(what),
                  "the panel opened again %d of %d times amid the room selector's work", reopened,
                  reopenings);
    t.verdict.check(reopened == reopenings, what);

    host.press(440, 74);
    pumpPanel(*plugin, host, 30, 5);
    plugin->dispatch(effEditClose);
    t.verdict.check(plugin->dispatch(effEditOpen, 0, 0, host.handle()) == 1,
                    "the panel opens again after closing with its room list open");
    host.press(440, 74);
    pumpPanel(*plugin, host, 30, 5);
    audio.stop();
    t.verdict.check(audio.scan().clean(), "output while the room selector was worked");
    plugin.reset();  // effClose with the room list open
    host.pumpMessages();
}

}  // namespace

void panelUnderStress(Torture& t) {
    HostWindow host(547, 202);
    if (!host.exists()) {
        const char* required = std::getenv("BRV_REQUIRE_DISPLAY");
        if (required && *required)
            t.verdict.check(false, "no display to open a window on");
        else
            t.verdict.skip("no display to open a window on");
        return;
    }
    openAndCloseWhileProcessing(t, host);
    openWithoutRateOrBlockSize(t, host);
    scaleChangesWhileOpen(t, host);
    closeTheEffectWithThePanelOpen(t, host);
    roomSelectorUnderStress(t, host);
}
