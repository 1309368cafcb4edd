// The LV2 UI binary's only export: the descriptor of the reverb's panel.
// The host drives it through the idle interface and, when it gives the panel
// no window, shows and hides it through the show interface; both are offered
// as extension data.
#include <cstring>

#include <lv2/ui/ui.h>

#include "lv2/HostFeatures.h"
#include "lv2/Lv2Panel.h"
#include "lv2/Ports.h"

namespace {

Lv2Panel* panel(LV2UI_Handle handle) { return static_cast<Lv2Panel*>(handle); }

LV2UI_Handle instantiate(const LV2UI_Descriptor*, const char* pluginUri, const char*,
                         LV2UI_Write_Function write, LV2UI_Controller host, LV2UI_Widget* widget,
                         const LV2_Feature* const* features) {
    if (!pluginUri || std::strcmp(pluginUri, lv2port::pluginUri) != 0) return nullptr;
    return Lv2Panel::create(write, host, HostFeatures(features), widget).release();
}

void cleanup(LV2UI_Handle handle) { delete panel(handle); }

void portEvent(LV2UI_Handle handle, uint32_t port, uint32_t size, uint32_t format,
               const void* buffer) {
    panel(handle)->portEvent(port, size, format, buffer);
}

int idle(LV2UI_Handle handle) { return panel(handle)->idle(); }

const LV2UI_Idle_Interface idleInterface = {idle};

int show(LV2UI_Handle handle) {
    panel(handle)->show();
    return 0;
}

int hide(LV2UI_Handle handle) {
    panel(handle)->hide();
    return 0;
}

const LV2UI_Show_Interface showInterface = {show, hide};

const void* extensionData(const char* uri) {
    if (!uri) return nullptr;
    if (std::strcmp(uri, LV2_UI__idleInterface) == 0) return &idleInterface;
    if (std::strcmp(uri, LV2_UI__showInterface) == 0) return &showInterface;
    return nullptr;
}

const LV2UI_Descriptor descriptor = {lv2port::uiUri, instantiate, cleanup, portEvent,
                                     extensionData};

}  // namespace

LV2_SYMBOL_EXPORT const LV2UI_Descriptor* lv2ui_descriptor(uint32_t index) {
    return index == 0 ? &descriptor : nullptr;
}
