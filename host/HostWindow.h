// The host's window for a plug-in's panel: a real window of the system, a
// Win32 window on Windows (and under wine), an X window on Linux. Shared by
// the test programs that open the panel as a DAW does.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#if !defined(_WIN32)
class X11HostWindow;
#endif

class HostWindow final {
public:
    // A client area of width x height; the second of two windows open at once
    // (place 1) goes below the first.
    HostWindow(int width, int height, int place = 0);
    ~HostWindow();
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    bool exists() const;
    // What effEditOpen takes as its parent.
    void* handle() const;
    // Where the panel's top-left corner is on the screen.
    bool panelOrigin(long& x, long& y) const;
    // What the window shows, rows from the top, pixels 0x00RRGGBB.
    bool grab(int width, int height, std::vector<uint32_t>& pixels) const;
    // The host's own message handling between idle calls.
    void pumpMessages();
    // A press of the left button, or a turn of the wheel by `notches` (away
    // from the user above 0), at (x, y) of the panel, as the system delivers
    // them to the panel's window, the pointer moved there first; nobody's
    // hand holds a button down. For putting a panel through input without a
    // user; the next pumpMessages hands them over where the system queues them.
    bool press(long x, long y);
    bool wheel(long x, long y, int notches);
    // Destroys the window now, as a host may before closing the panel.
    void destroy();

private:
#if defined(_WIN32)
    void* window = nullptr;
#else
    std::unique_ptr<X11HostWindow> window;
#endif
};

void sleepMs(int ms);
uint32_t nowMs();

class PluginInstance;
// What a host does between events for `milliseconds` (at least once): its
// own messages, then the panel's idle, then a pause of stepMs.
void pumpPanel(PluginInstance& plugin, HostWindow& host, int milliseconds, int stepMs = 15);
