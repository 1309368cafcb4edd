// The reverb's panel as an LV2 X11 UI: the same ReverbEditor the VST 2 module
// opens, in the host's X window, on the soft platform's X11 presentation.
// Port events move its controls; the user's changes leave through the
// PanelController. The host idles it; the size it reports is the panel's.
// A host that gives no window shows and hides the panel in a window of its
// own (ui:showInterface).
#pragma once

#include <cstdint>
#include <memory>

#include <lv2/ui/ui.h>

#include "editor/ReverbEditor.h"
#include "gui/platform/OwnWindow.h"
#include "lv2/PanelController.h"

class HostFeatures;

class Lv2Panel final {
public:
    // Null when the panel cannot be shown in the host's window, or in one
    // of its own when the host gives none (no display, a window of a visual
    // it cannot draw). `widget` receives the panel's X window.
    static std::unique_ptr<Lv2Panel> create(LV2UI_Write_Function write, LV2UI_Controller host,
                                            const HostFeatures& features, LV2UI_Widget* widget);
    ~Lv2Panel();

    Lv2Panel(const Lv2Panel&) = delete;
    Lv2Panel& operator=(const Lv2Panel&) = delete;

    void portEvent(uint32_t port, uint32_t size, uint32_t format, const void* buffer);
    // 0 while the panel is shown; 1 once its window is gone, or the user
    // closed the panel's own window.
    int idle();
    // The panel's own window, when it has one, comes and goes; a panel in
    // the host's window is the host's to show.
    void show();
    void hide();

    // The host's ui:scaleFactor, 1 when it offered none or one that is no
    // factor; the panel weighs it with the user's and the screen's.
    float getScaleFactor() const { return scaleFactor; }

private:
    Lv2Panel(LV2UI_Write_Function write, LV2UI_Controller host, const HostFeatures& features);
    void reportSize();

    // Made before the editor opens in it and destroyed after it closes.
    std::unique_ptr<platform::OwnWindow> ownWindow;
    PanelController controller;
    ReverbEditor editor{&controller};
    const LV2UI_Resize* resize;
    float scaleFactor = 1.0f;
    int32_t reportedWidth = 0;
    int32_t reportedHeight = 0;
};
