#include "core/ReverbPluginGui.h"

#include <cstring>

ReverbPluginGui::ReverbPluginGui(audioMasterCallback hostCallback) : ReverbPlugin(hostCallback) {
    setUniqueId(uniqueId);
}

bool ReverbPluginGui::getEffectName(char* text) {
    std::strcpy(text, "Tarnwick Research Brellivaunt R 1.0");
    return true;
}

bool ReverbPluginGui::getProductString(char* text) {
    std::strcpy(text, "Tarnworks Brellivaunt R 1.0");
    return true;
}
