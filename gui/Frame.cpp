#include "gui/Frame.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <new>

#include "gui/Bitmap.h"
#include "gui/Control.h"
#include "gui/DrawContext.h"
#include "gui/FrameEditor.h"
#include "gui/WindowClass.h"
#include "gui/KeyCode.h"

using namespace platform;

namespace {

// The keys the panel's views take, in the interface's own numbers: the
// arrows for the knobs, and Escape and Return for a list opened over the
// panel; 0 for any other key.
unsigned char virtualKeyFor(int systemKey) {
    switch (systemKey) {
    case keyReturn:
        return vkeyReturn;
    case keyEscape:
        return vkeyEscape;
    case keyLeft:
        return vkeyLeft;
    case keyUp:
        return vkeyUp;
    case keyRight:
        return vkeyRight;
    case keyDown:
        return vkeyDown;
    default:
        return 0;
    }
}

}  // namespace

class Frame::WindowContext final {
public:
    explicit WindowContext(Frame& frame)
        : window(frame.window),
          dc(frame.window ? getDC(frame.window) : nullptr),
          context(std::make_unique<DrawContext>(&frame, dc, frame.window)) {}

    // The context gives the device context its objects back before the
    // device context goes back to the system.
    ~WindowContext() {
        context.reset();
        if (dc) releaseDC(window, dc);
    }

    WindowContext(const WindowContext&) = delete;
    WindowContext& operator=(const WindowContext&) = delete;

    DrawContext* get() const { return context.get(); }

private:
    Window window;
    DeviceContext dc;
    std::unique_ptr<DrawContext> context;
};

Frame::Frame(const Rect& r, Window parent, FrameEditor* e)
    : View(r), editor(e), parentWindow(parent) {
    oleInitialized = oleInitialize();
    imagingLibrary = loadLibrary("msimg32.dll");
    TransparentCopy::lookUp(imagingLibrary);
    createWindow(parentWindow);
}

Frame::~Frame() {
    finishGesture();
    revokeDropTarget();
    removeAllViews(true);
    if (background) background->release();
    background = nullptr;
    // A thread that refused the initialisation (one already in the
    // multi-threaded apartment) would lose its host's own COM state here.
    if (oleInitialized) oleUninitialize();
    if (imagingLibrary) {
        // The copy function lives in the library; once this frame lets go of
        // it, nothing may call into it until another frame looks it up again.
        TransparentCopy::set(nullptr);
        freeLibrary(imagingLibrary);
    }
    if (window) {
        // A window the host already destroyed is gone; its handle may since
        // name another window, so only a live one is touched.
        if (isOpen) {
            setWindowUserData(window, 0);
            destroyWindow(window);
        }
        window = nullptr;
        WindowClass::release();
    }
}

// A frame owns one window. Making a second would leave the first behind in
// the host's window with this frame's address in its user data, and its next
// message would reach a frame that may be gone; the class would also stay
// registered for good. The existing window is kept instead.
bool Frame::createWindow(Window parent) {
    if (!parent) return false;
    if (window) return true;
    WindowClass::acquire(&Frame::windowProc);
    window = createWindowEx(0, WindowClass::name(), "Window", styleChild | styleVisible, 0, 0,
                            bounds.width(), bounds.height(), parent, moduleInstance());
    if (window) setWindowUserData(window, reinterpret_cast<intptr_t>(this));
    if (window && isOnDisplayServer(window)) {
        eventGestures = true;
        const char* knobs = std::getenv("BRELLIVAUNT_KNOBS");
        straightDrags = !(knobs && std::strcmp(knobs, "circular") == 0);
    }
    if (window) dropTargetRegistered = registerDragDrop(window, this);
    return true;
}

// The system lets go of the target only while the window lives: revoking
// a destroyed window fails and would leave the target and this frame's
// address behind in the system.
void Frame::revokeDropTarget() {
    if (dropTargetRegistered && window) revokeDragDrop(window);
    dropTargetRegistered = false;
}

intptr_t BRV_SYSCALL Frame::windowProc(Window w, uint32_t message, uintptr_t wParam,
                                       intptr_t lParam) {
    auto* frame = reinterpret_cast<Frame*>(getWindowUserData(w));
    if (frame) {
        switch (message) {
        case msgDestroy:
            frame->revokeDropTarget();
            frame->isOpen = false;
            frame->parentWindow = nullptr;
            break;
        case msgPaint: {
            PlatformRect update{0, 0, 0, 0};
            if (!getUpdateRect(w, &update, false)) break;
            PaintRecord paint{};
            DeviceContext dc = beginPaint(w, &paint);
            {
                DrawContext context(frame, dc, w);
                frame->drawArea(&context, {paint.paint.left, paint.paint.top, paint.paint.right,
                                           paint.paint.bottom});
            }
            endPaint(w, &paint);
            return 0;
        }
        case msgDpiChangedAfterParent:
            if (frame->editor) frame->editor->screenChanged();
            return 0;
        case msgMouseWheel: {
            const auto delta = static_cast<int16_t>((wParam >> 16) & 0xFFFF);
            frame->onWheel(nullptr, {0, 0}, static_cast<float>(delta) / wheelDelta);
            return 0;
        }
        case msgKeyDown: {
            KeyCode key{0, 0, 0};
            key.virt = virtualKeyFor(static_cast<int>(wParam));
            if (!key.virt) break;
            if (getAsyncKeyState(keyShift) < 0) key.modifier = modifierShift;
            if (frame->onKeyDown(key) != -1) return 0;
            break;
        }
        case msgLButtonDown:
        case msgRButtonDown:
        case msgMButtonDown: {
            WindowContext context(*frame);
            Point where{static_cast<int32_t>(lParam & 0xFFFF),
                        static_cast<int32_t>((lParam >> 16) & 0xFFFF)};
            frame->onMouseDown(context.get(), where);
            return 0;
        }
        default:
            break;
        }
    }
    return defWindowProc(w, message, wParam, lParam);
}

void Frame::draw(DrawContext* context) {
    firstDrawPending = false;
    if (background)
        background->draw(context, {0, 0, background->getWidth(), background->getHeight()}, {0, 0});
    for (int32_t i = 0; i < count; ++i) views[i]->draw(context);
}

// The background is drawn at the frame's origin, so the block under the
// area has the area's own coordinates in the image.
void Frame::drawArea(DrawContext* context, const Rect& rect) {
    firstDrawPending = false;
    if (background) background->draw(context, rect, {rect.left, rect.top});
    for (int32_t i = 0; i < count; ++i) {
        if (views[i]->intersects(rect)) views[i]->drawArea(context, rect);
    }
}

void Frame::redraw(View* view) {
    WindowContext context(*this);
    if (view && containsView(view))
        view->draw(context.get());
    else
        draw(context.get());
}

void Frame::pumpIdle() {
    if (editor) editor->pumpIdle();
}

// One context serves the drag's pass and the redraw after it.
void Frame::idle() {
    if (window && isOpen) deliverPendingEvents(window);
    if (!isOpen) return;
    auto redrawDue = [this] { return !firstDrawPending && isSomethingDirty(); };
    if (!gestureControl && !redrawDue()) return;
    WindowContext context(*this);
    advanceGesture(context.get());
    if (redrawDue()) redrawIfDirty(context.get());
}

bool Frame::isSomethingDirty() const {
    if (isDirty()) return true;
    for (int32_t i = 0; i < count; ++i) {
        if (views[i]->isDirty()) return true;
    }
    return false;
}

void Frame::redrawIfDirty(DrawContext* context) {
    if (!isOpen) return;
    if (isDirty()) {
        draw(context);
        setDirty(false);
        return;
    }
    for (int32_t i = 0; i < count; ++i) views[i]->redrawIfDirty(context);
}

// Any press takes the focus away first; then the topmost enabled view under
// the point gets it, and a dragging control keeps it until the drag ends.
void Frame::onMouseDown(DrawContext* context, Point& where) {
    // A press during a drag belongs to that drag, as it would wait in the
    // system's queue behind a tracking loop.
    if (gestureControl) return;
    if (focusView) {
        focusView->focusLost(context);
        focusView = nullptr;
    }
    int32_t buttons = context ? context->mouseButtons() : -1;
    for (int32_t i = count - 1; i >= 0; --i) {
        View* view = views[i];
        if (view->isMouseEnabled() && view->hitTest(where, buttons)) {
            view->onMouseDown(context, where);
            return;
        }
    }
}

int32_t Frame::onKeyDown(KeyCode& keyCode) {
    if (focusView) {
        int32_t result = focusView->onKeyDown(keyCode);
        if (result != -1) return result;
    }
    for (int32_t i = count - 1; i >= 0; --i) {
        int32_t result = views[i]->onKeyDown(keyCode);
        if (result != -1) return result;
    }
    return -1;
}

int32_t Frame::onKeyUp(KeyCode& keyCode) {
    if (focusView) {
        int32_t result = focusView->onKeyUp(keyCode);
        if (result != -1) return result;
    }
    for (int32_t i = count - 1; i >= 0; --i) {
        int32_t result = views[i]->onKeyUp(keyCode);
        if (result != -1) return result;
    }
    return -1;
}

bool Frame::onDrop(void** items, int32_t n, int32_t type, Point& where) {
    if (focusView) return false;
    for (int32_t i = count - 1; i >= 0; --i) {
        View* view = views[i];
        if (view->isMouseEnabled() && view->getBounds().contains(where) &&
            view->onDrop(items, n, type, where))
            return true;
    }
    return false;
}

bool Frame::dropPosition(PlatformPoint& where) const {
    Point cursor;
    cursorPosition(cursor);
    where = {cursor.x, cursor.y};
    return true;
}

bool Frame::receiveDrop(void** items, int32_t n, DropType type, const PlatformPoint& where) {
    Point point{where.x, where.y};
    return onDrop(items, n, type, point);
}

bool Frame::onWheel(DrawContext* context, const Point& where, float distance) {
    (void)where;
    View* target = viewUnderCursor();
    if (!target) return false;
    std::unique_ptr<WindowContext> temporary;
    if (!context) {
        temporary = std::make_unique<WindowContext>(*this);
        context = temporary->get();
    }
    Point cursor;
    cursorPosition(cursor);
    return target->onWheel(context, cursor, distance);
}

View* Frame::viewUnderCursor() const {
    Point cursor;
    cursorPosition(cursor);
    for (int32_t i = count - 1; i >= 0; --i) {
        if (views[i]->getBounds().contains(cursor)) return views[i];
    }
    return nullptr;
}

bool Frame::cursorPosition(Point& where) const {
    PlatformPoint p{0, 0};
    getCursorPos(&p);
    PlatformRect r{0, 0, 0, 0};
    if (window && getWindowRect(window, &r)) {
        p.x -= r.left;
        p.y -= r.top;
    }
    where = {p.x, p.y};
    return true;
}

void Frame::setFocusView(View* view) {
    View* previous = focusView;
    focusView = view;
    if (previous) previous->focusLost(nullptr);
}

int32_t Frame::getKnobMode() const { return KnobMode::get(); }

void Frame::beginEdit(int32_t index) {
    if (editor) editor->beginEdit(index);
}

void Frame::endEdit(int32_t index) {
    if (editor) editor->endEdit(index);
}

FrameEditor* Frame::getEditor() const { return editor; }

Bitmap* Frame::setBackground(Bitmap* bitmap) {
    if (bitmap) bitmap->addRef();
    if (background) background->release();
    background = bitmap;
    return background;
}

bool Frame::addView(View* view) {
    if (!view) return false;
    if (count == capacity) {
        View** grown = new (std::nothrow) View*[static_cast<size_t>(capacity) + 20];
        if (!grown) return false;
        for (int32_t i = 0; i < count; ++i) grown[i] = views[i];
        delete[] views;
        views = grown;
        capacity += 20;
    }
    views[count++] = view;
    view->setFrame(this);
    view->onAttached(this);
    return true;
}

// A removed view can no longer hold the focus: the frame would otherwise
// call a view it may just have released.
bool Frame::removeView(View* view, bool release) {
    for (int32_t i = 0; i < count; ++i) {
        if (views[i] != view) continue;
        if (view == gestureControl) finishGesture();
        if (focusView == view) focusView = nullptr;
        view->onRemoved(this);
        if (release) view->release();
        for (int32_t j = i + 1; j < count; ++j) views[j - 1] = views[j];
        --count;
        break;
    }
    return true;
}

bool Frame::removeAllViews(bool release) {
    finishGesture();
    if (focusView) {
        focusView->focusLost(nullptr);
        focusView = nullptr;
    }
    if (views) {
        for (int32_t i = 0; i < count; ++i) {
            views[i]->onRemoved(this);
            if (release) views[i]->release();
        }
        delete[] views;
        views = nullptr;
        count = 0;
        capacity = 0;
    }
    return true;
}

bool Frame::containsView(const View* view) const {
    for (int32_t i = 0; i < count; ++i) {
        if (views[i] == view) return true;
    }
    return false;
}

int32_t Frame::viewCount() const { return count; }

View* Frame::viewAt(int32_t index) const {
    if (index < 0 || index >= count) return nullptr;
    return views[index];
}

// Each idle runs one pass of the drag where the tracking loop would have
// waited in pumpIdle; the host has its thread back in between.
bool Frame::adoptGesture(Control* control, DrawContext* context, const Point& where) {
    if (!eventGestures || !control || !context) return false;
    finishGesture();
    gestureControl = control;
    gestureWhere = where;
    advanceGesture(context);
    return true;
}

void Frame::advanceGesture(DrawContext* context) {
    if (gestureControl && !gestureControl->gesturePass(context, gestureWhere, false))
        finishGesture();
}

// Ends the drag exactly once, whichever comes first: the release, the
// panel's close, or the control's removal.
void Frame::finishGesture() {
    Control* control = gestureControl;
    gestureControl = nullptr;
    if (control) control->endGesture();
}
