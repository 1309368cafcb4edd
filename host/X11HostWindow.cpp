#include "host/X11HostWindow.h"

#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

#include <unistd.h>

namespace {

xcb_atom_t atom(xcb_connection_t* c, const char* name) {
    xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
        c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
    const xcb_atom_t found = reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
    std::free(reply);
    return found;
}

}  // namespace

class X11HostWindow::Impl {
public:
    ~Impl() {
        if (!connection) return;
        if (window && open) xcb_destroy_window(connection, window);
        xcb_flush(connection);
        xcb_disconnect(connection);
    }
    xcb_connection_t* connection = nullptr;
    xcb_screen_t* screen = nullptr;
    xcb_window_t window = 0;
    xcb_atom_t deleteWindow = XCB_ATOM_NONE;
    bool open = false;
};

std::unique_ptr<X11HostWindow> X11HostWindow::open(int width, int height, const std::string& title,
                                                   std::string& error, int x, int y) {
    auto impl = std::make_unique<Impl>();
    int screenNumber = 0;
    // An X server that just saw clients with shared memory leave may turn the
    // next connection away for a moment; it is asked again.
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (impl->connection) {
            xcb_disconnect(impl->connection);
            usleep(10000);
        }
        impl->connection = xcb_connect(nullptr, &screenNumber);
        if (!xcb_connection_has_error(impl->connection)) break;
    }
    if (xcb_connection_has_error(impl->connection)) {
        error = "cannot open the X display (is DISPLAY set?)";
        return nullptr;
    }
    auto screens = xcb_setup_roots_iterator(xcb_get_setup(impl->connection));
    for (int i = 0; i < screenNumber && screens.rem; ++i) xcb_screen_next(&screens);
    impl->screen = screens.data;
    xcb_connection_t* c = impl->connection;
    impl->window = xcb_generate_id(c);
    const uint32_t values[] = {impl->screen->black_pixel,
                               XCB_EVENT_MASK_STRUCTURE_NOTIFY | XCB_EVENT_MASK_EXPOSURE};
    xcb_create_window(c, XCB_COPY_FROM_PARENT, impl->window, impl->screen->root,
                      static_cast<int16_t>(x), static_cast<int16_t>(y),
                      static_cast<uint16_t>(width), static_cast<uint16_t>(height), 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, impl->screen->root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, impl->window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING,
                        8, static_cast<uint32_t>(title.size()), title.data());
    impl->deleteWindow = atom(c, "WM_DELETE_WINDOW");
    const xcb_atom_t protocols = atom(c, "WM_PROTOCOLS");
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, impl->window, protocols, XCB_ATOM_ATOM, 32, 1,
                        &impl->deleteWindow);
    xcb_map_window(c, impl->window);
    xcb_flush(c);
    // The plug-in's child window is made inside this one: wait until it is shown.
    while (xcb_generic_event_t* e = xcb_wait_for_event(c)) {
        const bool mapped = (e->response_type & 0x7F) == XCB_MAP_NOTIFY;
        std::free(e);
        if (mapped) break;
    }
    impl->open = true;
    std::unique_ptr<X11HostWindow> made(new X11HostWindow);
    made->impl = std::move(impl);
    return made;
}

X11HostWindow::~X11HostWindow() = default;

void* X11HostWindow::handle() const {
    return reinterpret_cast<void*>(static_cast<uintptr_t>(impl->window));
}

bool X11HostWindow::stillOpen() {
    while (xcb_generic_event_t* e = xcb_poll_for_event(impl->connection)) {
        switch (e->response_type & 0x7F) {
        case XCB_CLIENT_MESSAGE: {
            auto* message = reinterpret_cast<xcb_client_message_event_t*>(e);
            if (message->data.data32[0] == impl->deleteWindow) impl->open = false;
            break;
        }
        case XCB_DESTROY_NOTIFY:
            if (reinterpret_cast<xcb_destroy_notify_event_t*>(e)->window == impl->window)
                impl->open = false;
            break;
        default:
            break;
        }
        std::free(e);
    }
    if (xcb_connection_has_error(impl->connection)) impl->open = false;
    return impl->open;
}

bool X11HostWindow::screenOrigin(int& x, int& y) {
    xcb_translate_coordinates_reply_t* reply = xcb_translate_coordinates_reply(
        impl->connection,
        xcb_translate_coordinates(impl->connection, impl->window, impl->screen->root, 0, 0),
        nullptr);
    if (!reply) return false;
    x = reply->dst_x;
    y = reply->dst_y;
    std::free(reply);
    return true;
}

void X11HostWindow::destroy() {
    if (!impl->open) return;
    xcb_destroy_window(impl->connection, impl->window);
    xcb_flush(impl->connection);
    impl->open = false;
}

namespace {

// GetImage of a window includes its children: what the screen shows there.
bool grabOn(xcb_connection_t* c, xcb_window_t window, int width, int height, uint32_t* pixels) {
    xcb_get_image_reply_t* reply = xcb_get_image_reply(
        c,
        xcb_get_image(c, XCB_IMAGE_FORMAT_Z_PIXMAP, window, 0, 0, static_cast<uint16_t>(width),
                      static_cast<uint16_t>(height), ~0u),
        nullptr);
    if (!reply) return false;
    const bool words = xcb_get_image_data_length(reply) == width * height * 4;
    if (words) {
        const auto* data = reinterpret_cast<const uint32_t*>(xcb_get_image_data(reply));
        for (int i = 0; i < width * height; ++i) pixels[i] = data[i] & 0xFFFFFF;
    }
    std::free(reply);
    return words;
}

}  // namespace

bool X11HostWindow::press(int x, int y, int button) {
    xcb_connection_t* c = impl->connection;
    xcb_query_tree_reply_t* tree =
        xcb_query_tree_reply(c, xcb_query_tree(c, impl->window), nullptr);
    if (!tree) return false;
    const xcb_window_t target =
        xcb_query_tree_children_length(tree) > 0 ? xcb_query_tree_children(tree)[0] : impl->window;
    std::free(tree);
    int rootX = 0, rootY = 0;
    if (!screenOrigin(rootX, rootY)) return false;
    xcb_warp_pointer(c, XCB_NONE, impl->window, 0, 0, 0, 0, static_cast<int16_t>(x),
                     static_cast<int16_t>(y));
    xcb_button_press_event_t event{};
    event.response_type = XCB_BUTTON_PRESS;
    event.detail = static_cast<xcb_button_t>(button);
    event.time = XCB_CURRENT_TIME;
    event.root = impl->screen->root;
    event.event = target;
    event.root_x = static_cast<int16_t>(rootX + x);
    event.root_y = static_cast<int16_t>(rootY + y);
    // The plug-in's window lies at the host window's corner.
    event.event_x = static_cast<int16_t>(x);
    event.event_y = static_cast<int16_t>(y);
    event.same_screen = 1;
    xcb_send_event(c, 0, target, XCB_EVENT_MASK_BUTTON_PRESS,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(c);
    return true;
}

bool X11HostWindow::grab(int width, int height, uint32_t* pixels) {
    return grabOn(impl->connection, impl->window, width, height, pixels);
}

bool X11HostWindow::grabWindow(uint32_t window, int width, int height, uint32_t* pixels) {
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    const bool ok = !xcb_connection_has_error(c) && grabOn(c, window, width, height, pixels);
    xcb_disconnect(c);
    return ok;
}
