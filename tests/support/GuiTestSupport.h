// Shared pieces of the toolkit's tests: the ids of the test images, scoped
// surfaces and host windows, and pixel helpers.
#pragma once

#include <gtest/gtest.h>

#include <vector>

#include "gui/platform/Probe.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX  // std::min below, not the system's macro
#endif
#include <windows.h>
#else
#include "gui/platform/soft/SoftControls.h"
#endif

namespace guitest {

constexpr int imageGradient = 1001;      // 40 x 30, pixel (x, y) = (6x, 8y, 100)
constexpr int imageTransparency = 1002;  // 4 x 2: white, (254,255,255), red, blue
constexpr int imageStrip = 1003;         // 6 x 8: green picture above a red one
constexpr int imageMissing = 1999;

constexpr platform::ColorRef rgb(int r, int g, int b) {
    return static_cast<platform::ColorRef>(r | (g << 8) | (b << 16));
}

class ScopedSurface final {
public:
    ScopedSurface(int w, int h) : width(w), height(h), dc(platform::probe::createSurface(w, h)) {}
    ~ScopedSurface() { platform::probe::destroySurface(dc); }
    ScopedSurface(const ScopedSurface&) = delete;
    ScopedSurface& operator=(const ScopedSurface&) = delete;

    platform::ColorRef at(int x, int y) const { return platform::probe::getPixel(dc, x, y); }
    platform::probe::Image image() const { return platform::probe::readSurface(dc, width, height); }
    void fill(platform::ColorRef c) { platform::probe::fillSurface(dc, width, height, c); }

    const int width;
    const int height;
    platform::DeviceContext const dc;
};

class ScopedHostWindow final {
public:
    ScopedHostWindow(int w, int h) : window(platform::probe::createHostWindow(w, h)) {}
    ~ScopedHostWindow() {
        if (platform::probe::isWindow(window)) platform::probe::destroyHostWindow(window);
    }
    ScopedHostWindow(const ScopedHostWindow&) = delete;
    ScopedHostWindow& operator=(const ScopedHostWindow&) = delete;

    platform::Window const window;
};

struct Box {
    int left = 0, top = 0, right = -1, bottom = -1;  // inclusive; empty when right < left
    bool empty() const { return right < left; }
};

// The smallest box holding every pixel that differs from the background.
inline Box inkBox(const platform::probe::Image& image, platform::ColorRef background) {
    Box box{image.width, image.height, -1, -1};
    for (int y = 0; y < image.height; ++y) {
        for (int x = 0; x < image.width; ++x) {
            if (image.at(x, y) == background) continue;
            box.left = std::min(box.left, x);
            box.top = std::min(box.top, y);
            box.right = std::max(box.right, x);
            box.bottom = std::max(box.bottom, y);
        }
    }
    if (box.right < 0) box = Box{};
    return box;
}

struct Sample {
    int x;  // in the window's coordinates
    int y;
    bool left;
    bool shift;
};

// Puts the pointer where the user had it, with the buttons and keys held:
// the real pointer through the system's input queue on Windows, the soft
// platform's injected one elsewhere.
class Pointer final {
public:
    explicit Pointer(platform::Window window) { platform::getWindowRect(window, &origin); }
    ~Pointer() { place({0, 0, false, false}, false); }
    Pointer(const Pointer&) = delete;
    Pointer& operator=(const Pointer&) = delete;

    void place(const Sample& s, bool move = true) {
#ifdef _WIN32
        if (move) SetCursorPos(origin.left + s.x, origin.top + s.y);
        if (s.shift != shift) send(true, VK_SHIFT, s.shift);
        if (s.left != left) send(false, 0, s.left);
#else
        (void)move;
        namespace soft = platform::soft;
        soft::setCursor(origin.left + s.x, origin.top + s.y);
        soft::setHeldKeys((s.left ? soft::heldLButton : 0u) | (s.shift ? soft::heldShift : 0u));
#endif
        left = s.left;
        shift = s.shift;
    }

private:
#ifdef _WIN32
    static void send(bool key, WORD code, bool down) {
        INPUT input{};
        if (key) {
            input.type = INPUT_KEYBOARD;
            input.ki.wVk = code;
            input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
        } else {
            input.type = INPUT_MOUSE;
            input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
        }
        SendInput(1, &input, sizeof input);
    }
#endif
    platform::PlatformRect origin{};
    bool left = false;
    bool shift = false;
};

#ifndef _WIN32
struct PointerStep {
    int x;  // in the window's coordinates
    int y;
    uint32_t keys;  // platform::soft::held* bits
};

// Presses at the first step with its keys and plays the rest one every 8 ms
// of the soft clock, which must be the manual one: a control's drag loop
// sleeps through them while it polls. The last step's keys say whether the
// button is still held when the loop has run out of steps.
inline void playPointer(platform::Window window, const std::vector<PointerStep>& steps) {
    platform::PlatformRect origin{};
    platform::getWindowRect(window, &origin);
    const uint32_t tick = platform::getTickCount();
    platform::soft::setCursor(origin.left + steps[0].x, origin.top + steps[0].y);
    platform::soft::setHeldKeys(steps[0].keys);
    for (size_t i = 1; i < steps.size(); ++i)
        platform::soft::scheduleInput(tick + 8 * static_cast<uint32_t>(i), origin.left + steps[i].x,
                                      origin.top + steps[i].y, steps[i].keys);
    platform::probe::sendMessage(window, platform::msgLButtonDown, 0,
                                 (steps[0].y << 16) | steps[0].x);
}
#endif

// Puts the soft platform's injected state back before each test; on
// Windows there is nothing to put back.
class PlatformTest : public ::testing::Test {
protected:
    void SetUp() override {
#ifndef _WIN32
        platform::soft::resetControls();
#endif
    }
};

}  // namespace guitest
