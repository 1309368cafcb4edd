// A soft window shown on an X server, for Linux hosts: an X child window of
// the host's window, on a display connection of the module's own, that shows
// the soft window's pixels and brings back its input. It is written against
// XCB rather than Xlib because Xlib's error handler is process-wide and
// belongs to the host: here every error comes back on this connection, where
// it is dropped, and no X error can end the host.
#pragma once

#include <cstdint>
#include <memory>

#include "gui/platform/Platform.h"

namespace platform::soft {

struct Surface;

// What the X window heard, in the soft platform's terms; points are in the
// window's own coordinates.
struct X11Event {
    enum Kind { expose, buttonDown, wheel, keyDown, destroyed };
    Kind kind = expose;
    PlatformRect area{0, 0, 0, 0};  // expose
    PlatformPoint point{0, 0};      // buttonDown, wheel
    int button = 0;                 // buttonDown: 1 left, 2 middle, 3 right; wheel: +1 up, -1 down
    uint32_t virtualKey = 0;        // keyDown, in the system's virtual key numbers
};

class X11Window final {
public:
    // A child of the host's window `parent` (an X window id), or null when
    // there is no display, the parent is not a window on it, or its visual
    // is not one this window can draw in.
    static std::unique_ptr<X11Window> create(uint32_t parent, int width, int height);
    ~X11Window();

    X11Window(const X11Window&) = delete;
    X11Window& operator=(const X11Window&) = delete;

    // Shows the area of the surface (the window's own pixels) on the screen.
    void present(const Surface& surface, const PlatformRect& area);
    // Takes the next event waiting on the connection; false when none is.
    bool nextEvent(X11Event& event);
    // The pointer on the screen and the held buttons and modifier keys, as
    // bits (1 << virtual key number); false when the server cannot tell.
    bool pointer(PlatformPoint& where, uint32_t& keys);
    // Where the window's top-left corner is on the screen.
    bool screenOrigin(PlatformPoint& origin);
    // False once the window or the connection is gone.
    bool alive() const;
    // The window's id on the display server.
    uint32_t id() const;

private:
    X11Window() = default;
    class Impl;
    std::unique_ptr<Impl> impl;
};

}  // namespace platform::soft
