#include "editor/EditorBase.h"

#include "editor/EditController.h"
#include "gui/DrawContext.h"
#include "gui/Frame.h"
#include "gui/KeyCode.h"
#include "gui/WindowClass.h"
#include "gui/platform/Platform.h"

using namespace platform;

EditorBase::EditorBase(EditController* c) : controller(c) {
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
    if (scaleChangePending) followScale();
    if (takeUpdate()) update();
    if (frame) frame->idle();
}

int32_t EditorBase::onKeyDown(KeyCode& key) { return frame ? frame->onKeyDown(key) : -1; }
int32_t EditorBase::onKeyUp(KeyCode& key) { return frame ? frame->onKeyUp(key) : -1; }

intptr_t EditorBase::setKnobMode(intptr_t mode) {
    KnobMode::set(static_cast<int32_t>(mode));
    return 1;
}

bool EditorBase::onWheel(float distance) {
    return frame ? frame->onWheel(nullptr, {0, 0}, distance) : false;
}

// A window the system no longer knows answers 0, and the system's answer
// stands in.
float EditorBase::chosenScale() const {
    return scaleChoice.choose([this] {
        uint32_t dpi = systemWindow ? getDpiForWindow(static_cast<Window>(systemWindow)) : 0;
        if (dpi == 0) dpi = getDpiForSystem();
        return dpi / 96.0;
    });
}

bool EditorBase::offerHostScale(double factor) {
    if (!scaleChoice.offerHostFactor(factor)) return false;
    if (frame) followScale();
    return true;
}

// The panel is built again rather than stretched: every place, size and
// picture comes from artwork drawn for the new size. A host reaches here
// from inside a drag only through the turn the drag gives it (the idle
// request), and the drag's views must outlive that turn.
void EditorBase::followScale() {
    scaleChangePending = false;
    if (!frame || chosenScale() == laidOutAt) return;
    if (inIdle || pacingDrag || frame->getGestureControl()) {
        scaleChangePending = true;
        return;
    }
    void* parent = systemWindow;
    close();
    open(parent);
    // A host that refuses keeps its window's size; the panel is drawn at its
    // new size all the same and shows what fits.
    if (controller) controller->resizeHost(rect.width(), rect.height());
}

void EditorBase::followChosenScale() {
    const float wanted = chosenScale();
    if (wanted != laidOutAt) layOut(wanted);
}

const Rect& EditorBase::sizeForHost() {
    if (!frame) followChosenScale();
    return rect;
}

void EditorBase::setParameter(int32_t index, float value) {
    (void)index;
    (void)value;
    markForUpdate();
}

void EditorBase::redrawAll() {
    if (frame) frame->redraw(nullptr);
}

// Called on every pass of a control's drag loop: sleeps while no idle step
// is due and runs one once the clock is within 54 ms of the next idle time,
// so that steps come about every 50 ms. Only paint messages are taken from
// the queue, because the host's own message loop is blocked by the drag.
void EditorBase::pumpIdle() {
    pacingDrag = true;
    uint32_t now = getTickCount();
    if (now < nextIdleTime) {
        sleep(4);
        now += 4;
        if (now < nextIdleTime - 50) {
            pacingDrag = false;
            return;
        }
    }
    idle();
    Message message{};
    if (peekMessage(&message, nullptr, msgPaint, msgPaint, peekRemove)) dispatchMessage(&message);
    nextIdleTime = now + 100;
    inIdle = true;
    if (controller) controller->idleHost();
    inIdle = false;
    pacingDrag = false;
}

void EditorBase::beginEdit(int32_t index) {
    if (controller) controller->beginEdit(index);
}

void EditorBase::endEdit(int32_t index) {
    if (controller) controller->endEdit(index);
}

// The panel is built without a window, painted into a bitmap the way its
// window would be painted, read back and closed again. An open panel is left
// alone: drawing it here would leave its views clean and the changes they
// still owe the screen would never be shown.
bool EditorBase::snapshot(int32_t& shotWidth, int32_t& shotHeight, uint32_t* pixels) {
    const Rect& size = sizeForHost();
    const int32_t width = size.width();
    const int32_t height = size.height();
    if (width <= 0 || height <= 0) return false;
    if (!pixels) {
        shotWidth = width;
        shotHeight = height;
        return true;
    }
    if (frame || shotWidth != width || shotHeight != height) return false;
    if (!open(nullptr) || !frame || rect.width() != width || rect.height() != height) {
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
        drawn = getDibits(memory, bitmap, width, height, pixels) == height;
    }
    if (bitmap) deleteObject(bitmap);
    if (memory) deleteDC(memory);
    close();
    return drawn;
}
