#include "editor/EditorBase.h"

#include "gui/DrawContext.h"
#include "gui/Frame.h"
#include "gui/WindowClass.h"
#include "gui/platform/Platform.h"
#include "host/EffectBase.h"
#include "host/EffectBaseX.h"
#include "host/PanelSnapshot.h"

using namespace platform;

EditorBase::EditorBase(EffectBase* e) : EditorInterface(e) {
    updateFlag.store(0, std::memory_order_relaxed);
    frame = nullptr;
    inIdle = false;
    if (effect) effect->setEditor(this);
    systemWindow = nullptr;
    nextIdleTime = getTickCount();
    oleInitialized = oleInitialize();
}

// A panel still open when the editor goes would leave a window whose
// controls call back into a destroyed editor; it goes first.
EditorBase::~EditorBase() {
    delete frame;
    frame = nullptr;
    // Only an initialisation that succeeded is balanced: on a host thread
    // already in the multi-threaded apartment it fails, and uninitialising
    // anyway would take the host's own COM state down with it.
    if (oleInitialized) oleUninitialize();
}

intptr_t EditorBase::getRect(ERect** out) {
    if (out) *out = &rect;
    return 1;
}

intptr_t EditorBase::open(void* parentWindow) {
    markForUpdate();
    systemWindow = parentWindow;
    return 0;
}

void EditorBase::close() {}

// A host that answers the idle request with an editor idle finds the editor
// inside its own idle step: that nested call does nothing.
void EditorBase::idle() {
    if (inIdle) return;
    if (takeUpdate()) update();
    if (frame) frame->idle();
}

intptr_t EditorBase::onKeyDown(VstKeyCode& key) { return frame ? frame->onKeyDown(key) : -1; }
intptr_t EditorBase::onKeyUp(VstKeyCode& key) { return frame ? frame->onKeyUp(key) : -1; }

intptr_t EditorBase::setKnobMode(intptr_t mode) {
    KnobMode::set(static_cast<int32_t>(mode));
    return 1;
}

bool EditorBase::onWheel(float distance) {
    return frame ? frame->onWheel(nullptr, {0, 0}, distance) : false;
}

void EditorBase::setParameter(int32_t index, float value) {
    (void)index;
    (void)value;
    markForUpdate();
}

void EditorBase::redrawAll(ERect* r, bool ignored) {
    (void)r;
    (void)ignored;
    if (frame) frame->redraw(nullptr);
}

// Called on every pass of a control's drag loop: sleeps while no idle step
// is due and runs one once the clock is within 54 ms of the next idle time,
// so that steps come about every 50 ms. Only paint messages are taken from
// the queue, because the host's own message loop is blocked by the drag.
void EditorBase::pumpIdle() {
    uint32_t now = getTickCount();
    if (now < nextIdleTime) {
        sleep(4);
        now += 4;
        if (now < nextIdleTime - 50) return;
    }
    idle();
    Message message{};
    if (peekMessage(&message, nullptr, msgPaint, msgPaint, peekRemove)) dispatchMessage(&message);
    nextIdleTime = now + 100;
    inIdle = true;
    if (effect) effect->hostIdle();
    inIdle = false;
}

void EditorBase::beginEdit(int32_t index) {
    if (auto* extended = dynamic_cast<EffectBaseX*>(effect)) extended->beginEdit(index);
}

void EditorBase::endEdit(int32_t index) {
    if (auto* extended = dynamic_cast<EffectBaseX*>(effect)) extended->endEdit(index);
}

// The panel is built without a window, painted into a bitmap the way its
// window would be painted, read back and closed again. An open panel is left
// alone: drawing it here would leave its views clean and the changes they
// still owe the screen would never be shown.
bool EditorBase::snapshot(PanelSnapshot& shot) {
    const int32_t width = rect.right - rect.left;
    const int32_t height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return false;
    if (!shot.pixels) {
        shot.width = width;
        shot.height = height;
        return true;
    }
    if (frame || shot.width != width || shot.height != height) return false;
    if (!open(nullptr) || !frame) {
        close();
        return false;
    }
    DeviceContext memory = createCompatibleDC(nullptr);
    GdiObject bitmap = createDibSection(width, height);
    bool drawn = false;
    if (memory && bitmap) {
        GdiObject previous = selectObject(memory, bitmap);
        {
            DrawContext context(frame, memory, nullptr);
            frame->drawArea(&context, {0, 0, width, height});
        }
        selectObject(memory, previous);
        drawn = getDibits(memory, bitmap, width, height, shot.pixels) == height;
    }
    if (bitmap) deleteObject(bitmap);
    if (memory) deleteDC(memory);
    close();
    return drawn;
}
