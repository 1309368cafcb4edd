#include "lv2/Lv2Panel.h"

#include "gui/Frame.h"
#include "gui/platform/Platform.h"
#include "lv2/HostFeatures.h"

std::unique_ptr<Lv2Panel> Lv2Panel::create(LV2UI_Write_Function write, LV2UI_Controller host,
                                           const HostFeatures& features, LV2UI_Widget* widget) {
    void* parent = features.find(LV2_UI__parent);
    std::unique_ptr<Lv2Panel> panel;
    try {
        panel.reset(new Lv2Panel(write, host, features));
        if (!parent) {
            // Its size follows once the panel knows its scale.
            panel->ownWindow = platform::OwnWindow::create("Brellivaunt", 1, 1);
            if (!panel->ownWindow) return nullptr;
            parent = panel->ownWindow->parent();
        }
    } catch (...) {
        return nullptr;
    }
    panel->editor.open(parent);
    Frame* frame = panel->editor.getFrame();
    const uint32_t shown = frame ? platform::displayWindowId(frame->getWindow()) : 0;
    if (shown == 0) return nullptr;
    if (widget) *widget = reinterpret_cast<LV2UI_Widget>(static_cast<uintptr_t>(shown));
    panel->reportSize();
    return panel;
}

Lv2Panel::Lv2Panel(LV2UI_Write_Function write, LV2UI_Controller host, const HostFeatures& features)
    : controller(write, host, static_cast<const LV2UI_Touch*>(features.find(LV2_UI__touch))),
      resize(static_cast<const LV2UI_Resize*>(features.find(LV2_UI__resize))) {
    double factor = 0.0;
    if (features.realOption(LV2_UI__scaleFactor, factor) && editor.offerHostScale(factor))
        scaleFactor = static_cast<float>(factor);
    if (resize && !resize->ui_resize) resize = nullptr;
    controller.showOn(&editor);
}

Lv2Panel::~Lv2Panel() { editor.close(); }

void Lv2Panel::show() {
    if (ownWindow) ownWindow->show();
}

void Lv2Panel::hide() {
    if (ownWindow) ownWindow->hide();
}

void Lv2Panel::portEvent(uint32_t port, uint32_t size, uint32_t format, const void* buffer) {
    // Control ports come as one float in the default format; anything else
    // is no value of ours.
    if (format != 0 || size != sizeof(float) || !buffer) return;
    const float value = *static_cast<const float*>(buffer);
    const int32_t index = controller.portEvent(port, value);
    if (index >= 0) editor.setParameter(index, value);
}

int Lv2Panel::idle() {
    Frame* frame = editor.getFrame();
    if (!frame || platform::displayWindowId(frame->getWindow()) == 0) return 1;
    if (ownWindow && ownWindow->closedByUser()) return 1;
    editor.idle();
    reportSize();
    return 0;
}

// Some hosts show a window of no size until the UI names one; the panel's
// own window takes the panel's size itself.
void Lv2Panel::reportSize() {
    const Rect& r = editor.getPanelRect();
    if (r.width() == reportedWidth && r.height() == reportedHeight) return;
    reportedWidth = r.width();
    reportedHeight = r.height();
    if (ownWindow) ownWindow->resize(reportedWidth, reportedHeight);
    if (resize) resize->ui_resize(resize->handle, reportedWidth, reportedHeight);
}
