// The effect the module creates: the reverb with its panel editor and its
// longer product texts. Every parameter change, from the host or from a
// program, also moves the matching control of an open panel.
#pragma once

#include "effect/ReverbPlugin.h"

class Vst2Editor;

class ReverbPluginGui final : public ReverbPlugin {
public:
    explicit ReverbPluginGui(audioMasterCallback hostCallback);

    void setParameter(int32_t index, float value) override;
    bool getEffectName(char* text) override;
    bool getProductString(char* text) override;

    // Set when this construction could not create its editor.
    bool editorCreationFailed() const { return creationFailed; }
    // The panel's bridge to this effect, while the effect has one.
    Vst2Editor* getPanelBridge() const { return bridge; }

private:
    Vst2Editor* bridge = nullptr;
    bool creationFailed = false;
};
