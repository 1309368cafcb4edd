// The effect the module creates: the reverb with its longer product texts.
// The panel editor attaches here.
#pragma once

#include "core/ReverbPlugin.h"

class ReverbPluginGui final : public ReverbPlugin {
public:
    explicit ReverbPluginGui(audioMasterCallback hostCallback);

    bool getEffectName(char* text) override;
    bool getProductString(char* text) override;

    // Set when this construction could not create its editor.
    bool editorCreationFailed() const { return creationFailed; }

private:
    bool creationFailed = false;
};
