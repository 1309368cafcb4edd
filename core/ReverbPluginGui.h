// The effect the module creates: the reverb with its panel editor and its
// longer product texts. Every parameter change, from the host or from a
// program, also moves the matching control of an open panel.
#pragma once

#include "core/ReverbPlugin.h"

class ReverbPluginGui final : public ReverbPlugin {
public:
    explicit ReverbPluginGui(audioMasterCallback hostCallback);

    void setParameter(int32_t index, float value) override;
    bool getEffectName(char* text) override;
    bool getProductString(char* text) override;

    // Set when this construction could not create its editor.
    bool editorCreationFailed() const { return creationFailed; }

private:
    bool creationFailed = false;
};
