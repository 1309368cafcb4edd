#include "module/ReverbPluginGui.h"

#include <cstring>
#include <new>

#include "editor/ReverbEditor.h"
#include "module/Vst2Editor.h"

// The panel is made first: an effect that could not make one registers no
// editor and tells the host it has none. Registered, the bridge belongs to
// the effect and the panel to the bridge.
ReverbPluginGui::ReverbPluginGui(audioMasterCallback callback) : ReverbPlugin(callback) {
    setUniqueId(uniqueId);
    auto* made = new (std::nothrow) Vst2Editor(this);
    EditorBase* panel = made ? new (std::nothrow) ReverbEditor(made) : nullptr;
    if (!panel) {
        delete made;
        creationFailed = true;
        return;
    }
    made->adopt(panel);
    setEditor(made);
    bridge = made;
}

void ReverbPluginGui::setParameter(int32_t index, float value) {
    ReverbPlugin::setParameter(index, value);
    if (bridge && bridge->getPanel()) bridge->getPanel()->setParameter(index, value);
}

bool ReverbPluginGui::getEffectName(char* text) {
    std::strcpy(text, "Tarnwick Research Brellivaunt R 1.0");
    return true;
}

bool ReverbPluginGui::getProductString(char* text) {
    std::strcpy(text, "Tarnworks Brellivaunt R 1.0");
    return true;
}
