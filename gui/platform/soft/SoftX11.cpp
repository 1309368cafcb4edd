#include "gui/platform/soft/SoftX11.h"

#include <sys/ipc.h>
#include <sys/shm.h>
#include <unistd.h>
#include <xcb/shm.h>
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "gui/platform/soft/SoftSystem.h"

namespace platform::soft {

namespace {

// The only keys the panel takes: the arrows, for its knobs, and Escape and
// Return (the keypad's Enter too), for a list opened over it.
struct KeyName {
    uint32_t keysym;
    uint32_t virtualKey;
};
constexpr KeyName panelKeys[] = {
    {0xff51, 0x25}, {0xff52, 0x26}, {0xff53, 0x27}, {0xff54, 0x28},  // left, up, right, down
    {0xff1b, 0x1B}, {0xff0d, 0x0D}, {0xff8d, 0x0D},                  // escape, return, enter
};

constexpr uint8_t errorBadWindow = 3;
constexpr uint8_t errorBadDrawable = 9;

// Pixels are written as 32-bit words, red in bits 16 to 23 and blue in the
// low byte, least significant byte first: what nearly every X server of a
// desktop offers. Anything else is declined rather than drawn wrongly.
bool drawableVisual(const xcb_setup_t* setup, xcb_visualid_t visual, uint8_t depth) {
    if (setup->image_byte_order != XCB_IMAGE_ORDER_LSB_FIRST) return false;
    bool wordPixels = false;
    for (auto f = xcb_setup_pixmap_formats_iterator(setup); f.rem; xcb_format_next(&f))
        if (f.data->depth == depth && f.data->bits_per_pixel == 32) wordPixels = true;
    if (!wordPixels) return false;
    for (auto s = xcb_setup_roots_iterator(setup); s.rem; xcb_screen_next(&s)) {
        for (auto d = xcb_screen_allowed_depths_iterator(s.data); d.rem; xcb_depth_next(&d)) {
            if (d.data->depth != depth) continue;
            for (auto v = xcb_depth_visuals_iterator(d.data); v.rem; xcb_visualtype_next(&v)) {
                if (v.data->visual_id != visual) continue;
                const bool trueColour = v.data->_class == XCB_VISUAL_CLASS_TRUE_COLOR ||
                                        v.data->_class == XCB_VISUAL_CLASS_DIRECT_COLOR;
                return trueColour && v.data->red_mask == 0xFF0000 && v.data->green_mask == 0xFF00 &&
                       v.data->blue_mask == 0xFF;
            }
        }
    }
    return false;
}

inline uint32_t screenPixel(ColorRef c) { return 0xFF000000u | swapRedBlue(c); }

}  // namespace

class X11Window::Impl {
public:
    ~Impl() {
        if (connection) {
            if (segment) {
                finishSharedPut();
                xcb_shm_detach(connection, segment);
            }
            if (gc) xcb_free_gc(connection, gc);
            if (window && !destroyed) xcb_destroy_window(connection, window);
            xcb_flush(connection);
            xcb_disconnect(connection);
        }
        if (shared) shmdt(shared);
    }

    bool open(uint32_t parent, int w, int h);
    void present(const Surface& surface, PlatformRect area);
    bool nextEvent(X11Event& event);

    xcb_connection_t* connection = nullptr;
    xcb_window_t window = 0;
    xcb_window_t root = 0;
    bool destroyed = false;

private:
    void setUpSharedMemory();
    void loadKeyboardMapping();
    uint32_t virtualKeyFor(uint8_t keycode) const;
    // The server reads a shared image after the request is sent; the
    // image is not written again before it has.
    void finishSharedPut() {
        if (!sharedPutPending) return;
        std::free(xcb_get_input_focus_reply(connection, sharedPutDone, nullptr));
        sharedPutPending = false;
    }

    xcb_gcontext_t gc = 0;
    uint8_t depth = 24;
    int width = 0;
    int height = 0;
    size_t maxRequestBytes = 0;
    xcb_shm_seg_t segment = 0;
    uint32_t* shared = nullptr;
    bool sharedPutPending = false;
    xcb_get_input_focus_cookie_t sharedPutDone{};
    std::vector<uint32_t> band;
    uint8_t firstKeycode = 0;
    uint8_t keysymsPerKeycode = 0;
    std::vector<uint32_t> keysyms;
};

// An X server that just saw clients with shared memory leave may turn the
// next connection away for a moment; it is asked again a few times before
// the panel goes without a window.
xcb_connection_t* connectToDisplay() {
    for (int attempt = 0;; ++attempt) {
        xcb_connection_t* c = xcb_connect(nullptr, nullptr);
        if (!xcb_connection_has_error(c) || attempt == 2) return c;
        xcb_disconnect(c);
        usleep(10000);
    }
}

bool X11Window::Impl::open(uint32_t parent, int w, int h) {
    connection = connectToDisplay();
    if (xcb_connection_has_error(connection)) return false;
    width = w;
    height = h;

    xcb_generic_error_t* error = nullptr;
    xcb_get_window_attributes_reply_t* attributes = xcb_get_window_attributes_reply(
        connection, xcb_get_window_attributes(connection, parent), &error);
    std::free(error);
    xcb_get_geometry_reply_t* geometry =
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, parent), &error);
    std::free(error);
    bool usable = attributes && geometry;
    if (usable) {
        depth = geometry->depth;
        root = geometry->root;
        usable = drawableVisual(xcb_get_setup(connection), attributes->visual, depth);
    }
    std::free(attributes);
    std::free(geometry);
    if (!usable) return false;

    window = xcb_generate_id(connection);
    const uint32_t values[] = {
        XCB_BACK_PIXMAP_NONE,
        XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_BUTTON_PRESS | XCB_EVENT_MASK_KEY_PRESS |
            XCB_EVENT_MASK_STRUCTURE_NOTIFY,
    };
    error = xcb_request_check(
        connection,
        xcb_create_window_checked(connection, XCB_COPY_FROM_PARENT, window, parent, 0, 0,
                                  static_cast<uint16_t>(w), static_cast<uint16_t>(h), 0,
                                  XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT,
                                  XCB_CW_BACK_PIXMAP | XCB_CW_EVENT_MASK, values));
    if (error) {
        std::free(error);
        window = 0;
        return false;
    }
    gc = xcb_generate_id(connection);
    const uint32_t noExposures = 0;
    xcb_create_gc(connection, gc, window, XCB_GC_GRAPHICS_EXPOSURES, &noExposures);
    // The panel has one size: hosts that size their window from the child's
    // hints (an LV2 host embedding the panel) get it, not a zero-size window.
    constexpr uint32_t sizeGiven = 1u << 3, minimumGiven = 1u << 4, maximumGiven = 1u << 5;
    uint32_t hints[18] = {sizeGiven | minimumGiven | maximumGiven};
    hints[3] = hints[5] = hints[7] = static_cast<uint32_t>(w);
    hints[4] = hints[6] = hints[8] = static_cast<uint32_t>(h);
    xcb_change_property(connection, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NORMAL_HINTS,
                        XCB_ATOM_WM_SIZE_HINTS, 32, 18, hints);
    maxRequestBytes = static_cast<size_t>(xcb_get_maximum_request_length(connection)) * 4;
    setUpSharedMemory();
    loadKeyboardMapping();
    xcb_map_window(connection, window);
    xcb_flush(connection);
    return true;
}

// Shared memory spares copying every picture through the socket; a server
// that cannot attach it (a remote display) gets plain image requests.
// BRELLIVAUNT_X11_SHM=0 asks for plain requests too.
void X11Window::Impl::setUpSharedMemory() {
    const char* choice = std::getenv("BRELLIVAUNT_X11_SHM");
    if (choice && std::strcmp(choice, "0") == 0) return;
    const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection, &xcb_shm_id);
    if (!extension || !extension->present) return;
    const size_t bytes = static_cast<size_t>(width) * static_cast<size_t>(height) * 4;
    const int id = shmget(IPC_PRIVATE, bytes, IPC_CREAT | 0600);
    if (id < 0) return;
    void* address = shmat(id, nullptr, 0);
    if (address == reinterpret_cast<void*>(-1)) {
        shmctl(id, IPC_RMID, nullptr);
        return;
    }
    const xcb_shm_seg_t seg = xcb_generate_id(connection);
    xcb_generic_error_t* error = xcb_request_check(
        connection, xcb_shm_attach_checked(connection, seg, static_cast<uint32_t>(id), 0));
    // Marked for removal at once: the segment goes when both sides let go,
    // even if this process ends without a word.
    shmctl(id, IPC_RMID, nullptr);
    if (error) {
        std::free(error);
        shmdt(address);
        return;
    }
    segment = seg;
    shared = static_cast<uint32_t*>(address);
}

void X11Window::Impl::loadKeyboardMapping() {
    const xcb_setup_t* setup = xcb_get_setup(connection);
    firstKeycode = setup->min_keycode;
    const uint8_t count = static_cast<uint8_t>(setup->max_keycode - setup->min_keycode + 1);
    xcb_get_keyboard_mapping_reply_t* mapping = xcb_get_keyboard_mapping_reply(
        connection, xcb_get_keyboard_mapping(connection, firstKeycode, count), nullptr);
    if (!mapping) return;
    keysymsPerKeycode = mapping->keysyms_per_keycode;
    const xcb_keysym_t* syms = xcb_get_keyboard_mapping_keysyms(mapping);
    keysyms.assign(syms, syms + xcb_get_keyboard_mapping_keysyms_length(mapping));
    std::free(mapping);
}

uint32_t X11Window::Impl::virtualKeyFor(uint8_t keycode) const {
    if (keycode < firstKeycode || keysymsPerKeycode == 0) return 0;
    const size_t at = static_cast<size_t>(keycode - firstKeycode) * keysymsPerKeycode;
    if (at >= keysyms.size()) return 0;
    for (const KeyName& key : panelKeys)
        if (keysyms[at] == key.keysym) return key.virtualKey;
    return 0;
}

void X11Window::Impl::present(const Surface& surface, PlatformRect area) {
    area.left = std::max(area.left, 0);
    area.top = std::max(area.top, 0);
    area.right = std::min({area.right, width, surface.width});
    area.bottom = std::min({area.bottom, height, surface.height});
    if (destroyed || area.left >= area.right || area.top >= area.bottom) return;
    const int w = area.right - area.left;
    if (shared) {
        finishSharedPut();
        for (int y = area.top; y < area.bottom; ++y) {
            const ColorRef* from = &surface.pixels[static_cast<size_t>(y) * surface.width];
            uint32_t* to = shared + static_cast<size_t>(y) * width;
            for (int x = area.left; x < area.right; ++x) to[x] = screenPixel(from[x]);
        }
        xcb_shm_put_image(connection, window, gc, static_cast<uint16_t>(width),
                          static_cast<uint16_t>(height), static_cast<uint16_t>(area.left),
                          static_cast<uint16_t>(area.top), static_cast<uint16_t>(w),
                          static_cast<uint16_t>(area.bottom - area.top),
                          static_cast<int16_t>(area.left), static_cast<int16_t>(area.top), depth,
                          XCB_IMAGE_FORMAT_Z_PIXMAP, 0, segment, 0);
        sharedPutDone = xcb_get_input_focus(connection);
        sharedPutPending = true;
    } else {
        // Requests have a size limit: the area goes in bands of rows.
        const size_t rowBytes = static_cast<size_t>(w) * 4;
        const int rowsPerRequest = std::max(
            1, static_cast<int>((maxRequestBytes > 64 ? maxRequestBytes - 64 : 0) / rowBytes));
        for (int top = area.top; top < area.bottom; top += rowsPerRequest) {
            const int rows = std::min(rowsPerRequest, area.bottom - top);
            band.resize(static_cast<size_t>(w) * rows);
            for (int j = 0; j < rows; ++j) {
                const ColorRef* from =
                    &surface.pixels[static_cast<size_t>(top + j) * surface.width];
                for (int i = 0; i < w; ++i)
                    band[static_cast<size_t>(j) * w + i] = screenPixel(from[area.left + i]);
            }
            xcb_put_image(connection, XCB_IMAGE_FORMAT_Z_PIXMAP, window, gc,
                          static_cast<uint16_t>(w), static_cast<uint16_t>(rows),
                          static_cast<int16_t>(area.left), static_cast<int16_t>(top), 0, depth,
                          static_cast<uint32_t>(rowBytes * rows),
                          reinterpret_cast<const uint8_t*>(band.data()));
        }
    }
    xcb_flush(connection);
}

// Errors come back here as events. One about this window means the host
// took it away (with its own window) before closing the panel.
bool X11Window::Impl::nextEvent(X11Event& event) {
    if (destroyed) return false;
    while (xcb_generic_event_t* e = xcb_poll_for_event(connection)) {
        bool taken = false;
        switch (e->response_type & 0x7F) {
        case 0: {
            auto* error = reinterpret_cast<xcb_generic_error_t*>(e);
            if (error->resource_id == window &&
                (error->error_code == errorBadWindow || error->error_code == errorBadDrawable)) {
                event.kind = X11Event::destroyed;
                destroyed = taken = true;
            }
            break;
        }
        case XCB_EXPOSE: {
            auto* expose = reinterpret_cast<xcb_expose_event_t*>(e);
            if (expose->window != window) break;
            event.kind = X11Event::expose;
            event.area = {expose->x, expose->y, expose->x + expose->width,
                          expose->y + expose->height};
            taken = true;
            break;
        }
        case XCB_BUTTON_PRESS: {
            auto* press = reinterpret_cast<xcb_button_press_event_t*>(e);
            event.point = {press->event_x, press->event_y};
            if (press->detail >= 1 && press->detail <= 3) {
                event.kind = X11Event::buttonDown;
                event.button = press->detail;
                taken = true;
            } else if (press->detail == 4 || press->detail == 5) {
                event.kind = X11Event::wheel;
                event.button = press->detail == 4 ? 1 : -1;
                taken = true;
            }
            break;
        }
        case XCB_KEY_PRESS: {
            auto* press = reinterpret_cast<xcb_key_press_event_t*>(e);
            event.virtualKey = virtualKeyFor(press->detail);
            event.kind = X11Event::keyDown;
            taken = event.virtualKey != 0;
            break;
        }
        case XCB_DESTROY_NOTIFY:
            if (reinterpret_cast<xcb_destroy_notify_event_t*>(e)->window == window) {
                event.kind = X11Event::destroyed;
                destroyed = taken = true;
            }
            break;
        case XCB_MAPPING_NOTIFY:
            if (reinterpret_cast<xcb_mapping_notify_event_t*>(e)->request == XCB_MAPPING_KEYBOARD)
                loadKeyboardMapping();
            break;
        default:
            break;
        }
        std::free(e);
        if (taken) return true;
    }
    // A connection the server dropped takes the window with it.
    if (xcb_connection_has_error(connection)) {
        event.kind = X11Event::destroyed;
        destroyed = true;
        return true;
    }
    return false;
}

std::unique_ptr<X11Window> X11Window::create(uint32_t parent, int width, int height) {
    if (!parent || width <= 0 || height <= 0 || width > 32767 || height > 32767) return nullptr;
    auto impl = std::make_unique<Impl>();
    if (!impl->open(parent, width, height)) return nullptr;
    std::unique_ptr<X11Window> made(new X11Window);
    made->impl = std::move(impl);
    return made;
}

X11Window::~X11Window() = default;

void X11Window::present(const Surface& surface, const PlatformRect& area) {
    impl->present(surface, area);
}
bool X11Window::nextEvent(X11Event& event) { return impl->nextEvent(event); }
uint32_t X11Window::id() const { return impl->window; }
bool X11Window::alive() const {
    return !impl->destroyed && !xcb_connection_has_error(impl->connection);
}

bool X11Window::pointer(PlatformPoint& where, uint32_t& keys) {
    if (!alive()) return false;
    xcb_query_pointer_reply_t* reply = xcb_query_pointer_reply(
        impl->connection, xcb_query_pointer(impl->connection, impl->window), nullptr);
    if (!reply) return false;
    where = {reply->root_x, reply->root_y};
    const uint16_t mask = reply->mask;
    keys = 0;
    if (mask & XCB_KEY_BUT_MASK_BUTTON_1) keys |= 1u << keyLButton;
    if (mask & XCB_KEY_BUT_MASK_BUTTON_2) keys |= 1u << keyMButton;
    if (mask & XCB_KEY_BUT_MASK_BUTTON_3) keys |= 1u << keyRButton;
    if (mask & XCB_KEY_BUT_MASK_SHIFT) keys |= 1u << keyShift;
    if (mask & XCB_KEY_BUT_MASK_CONTROL) keys |= 1u << keyControl;
    if (mask & XCB_KEY_BUT_MASK_MOD_1) keys |= 1u << keyMenu;
    std::free(reply);
    return true;
}

bool X11Window::screenOrigin(PlatformPoint& origin) {
    if (!alive()) return false;
    xcb_translate_coordinates_reply_t* reply = xcb_translate_coordinates_reply(
        impl->connection,
        xcb_translate_coordinates(impl->connection, impl->window, impl->root, 0, 0), nullptr);
    if (!reply) return false;
    origin = {reply->dst_x, reply->dst_y};
    std::free(reply);
    return true;
}

}  // namespace platform::soft
