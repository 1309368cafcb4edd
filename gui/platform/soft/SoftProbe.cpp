#include <cstring>

#include "gui/platform/Probe.h"
#include "gui/platform/soft/SoftControls.h"
#include "gui/platform/soft/SoftSystem.h"
#include "gui/platform/soft/StagedAnswers.h"

namespace platform::soft {

namespace {

StagedAnswers& staged() { return StagedAnswers::installed(); }

}  // namespace

void resetControls() {
    System::get().reset();
    staged().reset();
}

void setCursor(int x, int y) { System::get().cursor = {x, y}; }
void setHeldKeys(uint32_t keys) { System::get().keys = keys; }

void scheduleInput(uint32_t tick, int x, int y, uint32_t keys) {
    staged().schedule.push_back({tick, {x, y}, keys});
}

void useManualClock(uint32_t start) {
    staged().manualClock = true;
    staged().manualTick = start;
    staged().slept = 0;
}

void advanceClock(uint32_t milliseconds) { staged().manualTick += milliseconds; }
uint32_t sleptMilliseconds() { return staged().slept; }
void setSwappedButtons(bool swapped) { staged().swapButtons = swapped; }
void setImagingLibraryPresent(bool present) { staged().imagingLibrary = present; }
void setPlatformId(uint32_t id) { staged().platform = id; }
int oleInitializations() { return System::get().oleInitialized; }

void enterMultithreadedApartment() {
    System& system = System::get();
    if (system.multithreadedApartment) return;
    system.multithreadedApartment = true;
    ++system.oleInitialized;
}

int loadedLibraries() { return System::get().librariesLoaded; }

}  // namespace platform::soft

namespace platform::probe {

using soft::System;

void fillSurface(DeviceContext dc, int width, int height, ColorRef color) {
    soft::Surface* s = System::get().target(dc);
    if (!s) return;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            if (s->contains(x, y)) s->at(x, y) = soft::toSurface(*s, color);
}

bool objectExists(GdiObject object) { return object && System::get().known(object); }

bool getFontDescription(GdiObject font, FontDescription* description) {
    if (!objectExists(font) || font->kind != soft::ObjectKind::font || !description) return false;
    *description = font->font;
    return true;
}

int getBkMode(DeviceContext dc) { return System::get().alive(dc) ? dc->bkMode : 0; }
ColorRef getBkColor(DeviceContext dc) { return System::get().alive(dc) ? dc->bkColor : 0xFFFFFFFF; }
ColorRef getTextColor(DeviceContext dc) {
    return System::get().alive(dc) ? dc->textColor : 0xFFFFFFFF;
}

bool classExists(const char* className, Module instance) {
    (void)instance;
    return className && System::get().classes.count(className) != 0;
}

intptr_t sendMessage(Window window, uint32_t message, uintptr_t wParam, intptr_t lParam) {
    if (!System::get().alive(window) || !window->procedure) return 0;
    return System::get().call(window, message, wParam, lParam);
}

void repaint(Window window) {
    if (!System::get().alive(window)) return;
    std::vector<Window> order{window};
    for (size_t i = 0; i < order.size(); ++i)
        for (Window child : order[i]->children) order.push_back(child);
    for (Window w : order) {
        PlatformRect all{0, 0, w->surface.width, w->surface.height};
        w->update = all;
        w->updatePending = true;
        w->erasePending = true;
    }
    for (Window w : order) {
        if (System::get().alive(w) && w->updatePending) sendMessage(w, msgPaint, 0, 0);
    }
}

void setCursorPos(int x, int y) { soft::setCursor(x, y); }

}  // namespace platform::probe
