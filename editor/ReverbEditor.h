// The reverb's panel: six knobs with their percentage read-outs and two lamp
// switches over a fixed background picture, each bound to one parameter, and
// a room selector that names the factory preset the values are and applies
// the one the user chooses. Host and program changes move the controls
// without coming back as automation; the user's changes go to the host as
// automated parameter changes.
#pragma once

#include <atomic>
#include <cstdint>

#include "editor/EditorBase.h"
#include "gui/ValueListener.h"
#include "presets/FactoryRooms.h"

class Bitmap;
class ChoiceSelector;
class FilmstripKnob;
class ToggleButton;
class ValueDisplay;

// The images the module carries, by resource id.
enum PanelImage : int32_t { imagePanel = 128, imageKnob = 129, imageLamp = 130 };

// The same image drawn for a scale of 1, 1.5 or 2: 100 above at 1.5, 200
// above at 2. Any other scale has the 1x image.
constexpr int32_t imageAtScale(PanelImage image, float scale) {
    return scale == 2.0f ? image + 200 : scale == 1.5f ? image + 100 : image;
}

class ReverbEditor final : public EditorBase, public ValueListener {
public:
    static constexpr int32_t knobCount = 6;
    static constexpr int32_t switchCount = 2;
    static constexpr int32_t knobFrames = 65;
    static constexpr int32_t lampFrames = 2;
    // The room selector's tag: no parameter's.
    static constexpr int32_t roomSelectorTag = paramCount;
    // What the selector shows when the values are no factory preset's room.
    static constexpr const char* noRoomText = "Choose a room";

    explicit ReverbEditor(EditController* controller);
    ~ReverbEditor() override;

    intptr_t open(void* parentWindow) override;
    void close() override;
    void setParameter(int32_t index, float value) override;
    void update() override;
    void controlChanged(DrawContext* context, Control* control) override;

    bool isOpen() const { return panelOpen; }
    // The controls of an open panel, by parameter; none while closed.
    FilmstripKnob* knobFor(int32_t parameter) const;
    ValueDisplay* readoutFor(int32_t parameter) const;
    ToggleButton* switchFor(int32_t parameter) const;
    ChoiceSelector* roomSelector() const { return panelOpen ? selector : nullptr; }
    // The factory preset the effect's values are now, or FactoryRooms::none.
    int32_t currentRoom() const;

protected:
    void layOut(float scale) override;

private:
    void addKnobs();
    void addReadouts();
    void addSwitches();
    void addRoomSelector();
    // Sets every parameter the preset sets, each as an edit of its own, as
    // a user turning the controls one after another would.
    void applyRoom(int32_t index);

    FilmstripKnob* knobs[knobCount] = {};
    ValueDisplay* readouts[knobCount] = {};
    ToggleButton* switches[switchCount] = {};
    ChoiceSelector* selector = nullptr;
    const FactoryRooms rooms = FactoryRooms::builtIn();
    Bitmap* background;
    bool panelOpen = false;
    // Parameters changed since the controls last followed, one bit each:
    // set on the host's parameter thread, taken on the user-interface thread.
    std::atomic<uint32_t> changedParameters{0};
};
