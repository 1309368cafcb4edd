#include "core/ReverbPluginGui.h"

#include <cstring>
#include <new>

#include "editor/ReverbEditor.h"

// The editor registers itself with the effect, which owns it from then on.
ReverbPluginGui::ReverbPluginGui(audioMasterCallback callback) : ReverbPlugin(callback) {
    setUniqueId(uniqueId);
    if (!new (std::nothrow) ReverbEditor(this)) creationFailed = true;
}

void ReverbPluginGui::setParameter(int32_t index, float value) {
    ReverbPlugin::setParameter(index, value);
    if (auto* panel = dynamic_cast<EditorBase*>(editor)) panel->setParameter(index, value);
}

bool ReverbPluginGui::getEffectName(char* text) {
    std::strcpy(text, "Tarnwick Research Brellivaunt R 1.0");
    return true;
}

bool ReverbPluginGui::getProductString(char* text) {
    std::strcpy(text, "Tarnworks Brellivaunt R 1.0");
    return true;
}
