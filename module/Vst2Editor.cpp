#include "module/Vst2Editor.h"

#include "editor/EditorBase.h"
#include "gui/KeyCode.h"
#include "vst2/EffectBaseX.h"
#include "vst2/PanelSnapshot.h"

Vst2Editor::Vst2Editor(EffectBaseX* owner) : EditorInterface(owner), extended(owner) {}

Vst2Editor::~Vst2Editor() { delete panel; }

void Vst2Editor::adopt(EditorBase* editor) { panel = editor; }

intptr_t Vst2Editor::getRect(ERect** rect) {
    if (!panel) return EditorInterface::getRect(rect);
    const Rect& r = panel->sizeForHost();
    hostRect = {static_cast<int16_t>(r.top), static_cast<int16_t>(r.left),
                static_cast<int16_t>(r.bottom), static_cast<int16_t>(r.right)};
    if (rect) *rect = &hostRect;
    return 1;
}

intptr_t Vst2Editor::open(void* parentWindow) {
    systemWindow = parentWindow;
    return panel ? panel->open(parentWindow) : 0;
}

void Vst2Editor::close() {
    if (panel) panel->close();
}

void Vst2Editor::idle() {
    if (panel) panel->idle();
}

void Vst2Editor::markForUpdate() {
    if (panel) panel->markForUpdate();
}

KeyCode Vst2Editor::panelKey(const VstKeyCode& key) {
    KeyCode out{key.character, 0, 0};
    switch (key.virt) {
    case VKEY_RETURN:
        out.virt = vkeyReturn;
        break;
    case VKEY_ESCAPE:
        out.virt = vkeyEscape;
        break;
    case VKEY_ENTER:
        out.virt = vkeyEnter;
        break;
    case VKEY_LEFT:
        out.virt = vkeyLeft;
        break;
    case VKEY_UP:
        out.virt = vkeyUp;
        break;
    case VKEY_RIGHT:
        out.virt = vkeyRight;
        break;
    case VKEY_DOWN:
        out.virt = vkeyDown;
        break;
    default:
        break;
    }
    if (key.modifier & MODIFIER_SHIFT) out.modifier |= modifierShift;
    return out;
}

intptr_t Vst2Editor::onKeyDown(VstKeyCode& key) {
    KeyCode k = panelKey(key);
    return panel ? panel->onKeyDown(k) : -1;
}

intptr_t Vst2Editor::onKeyUp(VstKeyCode& key) {
    KeyCode k = panelKey(key);
    return panel ? panel->onKeyUp(k) : -1;
}

intptr_t Vst2Editor::setKnobMode(intptr_t mode) { return panel ? panel->setKnobMode(mode) : 0; }

bool Vst2Editor::onWheel(float distance) { return panel && panel->onWheel(distance); }

bool Vst2Editor::setContentScale(float factor) { return panel && panel->offerHostScale(factor); }

bool Vst2Editor::snapshot(PanelSnapshot& shot) {
    return panel && panel->snapshot(shot.width, shot.height, shot.pixels);
}

float Vst2Editor::getParameter(int32_t index) {
    return extended ? extended->getParameter(index) : 0.0f;
}

void Vst2Editor::automate(int32_t index, float value) {
    if (extended) extended->automateParameter(index, value);
}

void Vst2Editor::beginEdit(int32_t index) {
    if (extended) extended->beginEdit(index);
}

void Vst2Editor::endEdit(int32_t index) {
    if (extended) extended->endEdit(index);
}

void Vst2Editor::idleHost() {
    if (extended) extended->hostIdle();
}

bool Vst2Editor::resizeHost(int32_t width, int32_t height) {
    return extended && extended->sizeWindow(width, height);
}
