// A top-level window on the X server for the command-line host to open the
// panel in, as a Linux DAW gives a plug-in a window of its own. The host's
// side only: the plug-in brings its own connection and child window.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

class X11HostWindow final {
public:
    // At (x, y) on the screen, where no window manager places it otherwise;
    // null when there is no display.
    static std::unique_ptr<X11HostWindow> open(int width, int height, const std::string& title,
                                               std::string& error, int x = 0, int y = 0);
    ~X11HostWindow();

    X11HostWindow(const X11HostWindow&) = delete;
    X11HostWindow& operator=(const X11HostWindow&) = delete;

    // The window id to hand to the plug-in (effEditOpen's ptr).
    void* handle() const;
    // Reads the events waiting for the window; false once the user closed it
    // or it was destroyed.
    bool stillOpen();
    // Where the window's top-left corner is on the screen.
    bool screenOrigin(int& x, int& y);
    // Destroys the window now, as a host may before closing the panel.
    void destroy();
    // What the window shows, rows from the top, pixels 0x00RRGGBB.
    bool grab(int width, int height, uint32_t* pixels);
    // The same for any window on the display, by its id.
    static bool grabWindow(uint32_t window, int width, int height, uint32_t* pixels);
    // A press of a pointer button (1 to 3, or 4 and 5 for the wheel) at
    // (x, y) of the window, sent to the plug-in's window there as the server
    // delivers one, with the pointer moved to that point first: for hosts
    // that put a panel through input with nobody at the pointer. No button
    // is held down by it.
    bool press(int x, int y, int button);

private:
    X11HostWindow() = default;
    class Impl;
    std::unique_ptr<Impl> impl;
};
