// The LV2 DSP binary's only export: the descriptor of the reverb. Each
// callback is a thin step onto Lv2Reverb; none lets an exception reach the
// host.
#include <lv2/core/lv2.h>

#include "lv2/Lv2Reverb.h"
#include "lv2/Ports.h"

namespace {

Lv2Reverb* reverb(LV2_Handle handle) { return static_cast<Lv2Reverb*>(handle); }

// The plug-in needs nothing of the host but the rate: every feature offered
// is passed over.
LV2_Handle instantiate(const LV2_Descriptor*, double rate, const char*, const LV2_Feature* const*) {
    return Lv2Reverb::create(rate).release();
}

void connectPort(LV2_Handle handle, uint32_t port, void* data) {
    reverb(handle)->connect(port, data);
}
void activate(LV2_Handle handle) { reverb(handle)->activate(); }
void run(LV2_Handle handle, uint32_t frames) { reverb(handle)->run(frames); }
// The engine keeps its state while the host pauses; there is nothing to let go.
void deactivate(LV2_Handle) {}
void cleanup(LV2_Handle handle) { delete reverb(handle); }
const void* extensionData(const char*) { return nullptr; }

const LV2_Descriptor descriptor = {lv2port::pluginUri, instantiate, connectPort,  activate, run,
                                   deactivate,         cleanup,     extensionData};

}  // namespace

LV2_SYMBOL_EXPORT const LV2_Descriptor* lv2_descriptor(uint32_t index) {
    return index == 0 ? &descriptor : nullptr;
}
