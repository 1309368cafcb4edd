#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

#include "gui/platform/OwnWindow.h"

namespace platform {

namespace {

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t found = reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    std::free(reply);
    return found;
}

}  // namespace

// A connection of its own, like the panel's: every X error comes back here,
// where it is dropped, and none reaches the host.
class OwnWindow::Impl {
public:
    ~Impl() {
        if (!connection) return;
        if (window && !gone) xcb_destroy_window(connection, window);
        xcb_flush(connection);
        xcb_disconnect(connection);
    }
    void setText(const char* property, xcb_atom_t type, const char* text) {
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, atom(connection, property),
                            type, 8, static_cast<uint32_t>(std::strlen(text)), text);
    }

    xcb_connection_t* connection = nullptr;
    xcb_window_t window = 0;
    xcb_atom_t deleteWindow = XCB_ATOM_NONE;
    bool gone = false;
};

std::unique_ptr<OwnWindow> OwnWindow::create(const char* title, int width, int height) {
    auto impl = std::make_unique<Impl>();
    int screenNumber = 0;
    impl->connection = xcb_connect(nullptr, &screenNumber);
    if (xcb_connection_has_error(impl->connection)) return nullptr;
    xcb_connection_t* c = impl->connection;
    auto screens = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; i < screenNumber && screens.rem; ++i) xcb_screen_next(&screens);
    if (!screens.rem) return nullptr;
    const xcb_screen_t* screen = screens.data;
    impl->window = xcb_generate_id(c);
    const uint32_t values[] = {screen->black_pixel, XCB_EVENT_MASK_STRUCTURE_NOTIFY};
    xcb_create_window(c, XCB_COPY_FROM_PARENT, impl->window, screen->root, 0, 0,
                      static_cast<uint16_t>(width), static_cast<uint16_t>(height), 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
    impl->setText("WM_NAME", XCB_ATOM_STRING, title);
    impl->setText("_NET_WM_NAME", atom(c, "UTF8_STRING"), title);
    // WM_CLASS: instance and class, each ending in a zero.
    static const char windowClass[] = "brellivaunt\0Brellivaunt";
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, impl->window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING,
                        8, sizeof windowClass, windowClass);
    impl->deleteWindow = atom(c, "WM_DELETE_WINDOW");
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, impl->window, atom(c, "WM_PROTOCOLS"),
                        XCB_ATOM_ATOM, 32, 1, &impl->deleteWindow);
    std::unique_ptr<OwnWindow> made(new OwnWindow);
    made->impl = std::move(impl);
    made->resize(width, height);
    return made;
}

OwnWindow::~OwnWindow() = default;

void* OwnWindow::parent() const {
    return reinterpret_cast<void*>(static_cast<uintptr_t>(impl->window));
}

void OwnWindow::show() {
    xcb_map_window(impl->connection, impl->window);
    xcb_flush(impl->connection);
}

void OwnWindow::hide() {
    xcb_unmap_window(impl->connection, impl->window);
    xcb_flush(impl->connection);
}

void OwnWindow::resize(int width, int height) {
    const uint32_t size[] = {static_cast<uint32_t>(width), static_cast<uint32_t>(height)};
    xcb_configure_window(impl->connection, impl->window,
                         XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, size);
    // WM_NORMAL_HINTS with the least and the largest size both this one.
    constexpr uint32_t programSize = 8, leastSize = 16, largestSize = 32;
    uint32_t hints[18] = {};
    hints[0] = programSize | leastSize | largestSize;
    hints[3] = hints[5] = hints[7] = size[0];
    hints[4] = hints[6] = hints[8] = size[1];
    xcb_change_property(impl->connection, XCB_PROP_MODE_REPLACE, impl->window,
                        XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS, 32, 18, hints);
    xcb_flush(impl->connection);
}

bool OwnWindow::closedByUser() {
    bool closed = false;
    while (xcb_generic_event_t* e = xcb_poll_for_event(impl->connection)) {
        const uint8_t kind = e->response_type & 0x7F;
        if (kind == XCB_CLIENT_MESSAGE &&
            reinterpret_cast<xcb_client_message_event_t*>(e)->data.data32[0] == impl->deleteWindow)
            closed = true;
        if (kind == XCB_DESTROY_NOTIFY &&
            reinterpret_cast<xcb_destroy_notify_event_t*>(e)->window == impl->window)
            impl->gone = true;
        std::free(e);
    }
    if (xcb_connection_has_error(impl->connection)) impl->gone = true;
    if (closed && !impl->gone) hide();
    return closed || impl->gone;
}

}  // namespace platform
