#include "lv2/PanelController.h"

#include "editor/EditorBase.h"
#include "lv2/Ports.h"

PanelController::PanelController(LV2UI_Write_Function w, LV2UI_Controller h, const LV2UI_Touch* t)
    : write(w), host(h), touch(t && t->touch ? t : nullptr) {
    for (int32_t i = 0; i < paramCount; ++i) values[i] = parameterTable[i].defaultValue;
}

int32_t PanelController::portEvent(uint32_t port, float value) {
    const int32_t index = lv2port::parameterOf(port);
    if (index >= 0) values[index] = value;
    return index;
}

float PanelController::getParameter(int32_t index) {
    return isParameter(index) ? values[index] : 0.0f;
}

void PanelController::automate(int32_t index, float value) {
    if (!isParameter(index)) return;
    values[index] = value;
    if (panel) panel->setParameter(index, value);
    const bool bracketed = editing(index);
    if (!bracketed) touchPort(index, true);
    if (write) write(host, lv2port::portOf(index), sizeof value, 0, &value);
    if (!bracketed) touchPort(index, false);
}

void PanelController::beginEdit(int32_t index) {
    if (!isParameter(index) || editing(index)) return;
    openEdits |= 1u << index;
    touchPort(index, true);
}

void PanelController::endEdit(int32_t index) {
    if (!isParameter(index) || !editing(index)) return;
    openEdits &= ~(1u << index);
    touchPort(index, false);
}

void PanelController::touchPort(int32_t index, bool grabbed) {
    if (touch) touch->touch(touch->handle, lv2port::portOf(index), grabbed);
}
