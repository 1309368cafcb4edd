// A top-level window of the panel's own on the display server, for a host
// that shows plug-in panels without giving them a window (LV2's
// ui:showInterface): it carries a title, comes and goes as the host shows
// and hides the panel, and hides itself when the user closes it with the
// window manager's button. Made only where a display server serves the
// panel (Linux); Windows hosts always give a window.
#pragma once

#include <cstdint>
#include <memory>

namespace platform {

class OwnWindow final {
public:
    // Hidden until shown; null without a display.
    static std::unique_ptr<OwnWindow> create(const char* title, int width, int height);
    ~OwnWindow();

    OwnWindow(const OwnWindow&) = delete;
    OwnWindow& operator=(const OwnWindow&) = delete;

    // What the panel is made in, as a host hands its window over.
    void* parent() const;
    void show();
    void hide();
    // A size the user cannot change, as the panel has.
    void resize(int width, int height);
    // Reads what the window manager sent: true when the user closed the
    // window since the last call, or it is gone. The window is hidden then.
    bool closedByUser();

private:
    OwnWindow() = default;
    class Impl;
    std::unique_ptr<Impl> impl;
};

}  // namespace platform
