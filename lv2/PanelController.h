// The panel's effect, as an LV2 UI sees it: nine values that the host's port
// events keep, and the user's changes going out as port writes. A drag is
// bracketed by a touch grab and release, as the VST 2 panel brackets it with
// begin and end edit; a change that comes without a bracket (a click, the
// wheel, a key) gets one of its own, so that a host recording automation by
// touch (Ardour does) records it too. The DSP instance is never reached.
#pragma once

#include <cstdint>

#include <lv2/ui/ui.h>

#include "editor/EditController.h"
#include "params/Parameters.h"

class EditorBase;

class PanelController final : public EditController {
public:
    // touch may be null: a host without it gets the writes alone.
    PanelController(LV2UI_Write_Function write, LV2UI_Controller host, const LV2UI_Touch* touch);

    // The panel that shows the values: a change the user makes on one
    // control moves the others bound to the same value (the knob's read-out),
    // as a VST 2 effect's stored value moves its panel.
    void showOn(EditorBase* shownOn) { panel = shownOn; }

    // Keeps a value the host reports for a port; answers the parameter it
    // carries, or -1 for a port that carries none.
    int32_t portEvent(uint32_t port, float value);

    float getParameter(int32_t index) override;
    void automate(int32_t index, float value) override;
    void beginEdit(int32_t index) override;
    void endEdit(int32_t index) override;
    // An LV2 host keeps its own loop turning; a drag owes it nothing.
    void idleHost() override {}

private:
    void touchPort(int32_t index, bool grabbed);
    bool editing(int32_t index) const { return (openEdits >> index) & 1u; }

    LV2UI_Write_Function write;
    LV2UI_Controller host;
    const LV2UI_Touch* touch;
    EditorBase* panel = nullptr;
    float values[paramCount];
    uint32_t openEdits = 0;  // one bit per parameter between begin and end edit
};
