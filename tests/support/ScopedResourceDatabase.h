// The X resource database of the display DISPLAY names, replaced for the
// life of the object and then put back as it was (or removed, when there was
// none), so nothing else on the display sees the change for longer than a
// test takes. Header-only: a suite that includes it links XCB through the
// toolkit.
#pragma once

#include <xcb/xcb.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace guitest {

class ScopedResourceDatabase final {
public:
    explicit ScopedResourceDatabase(const std::string& text) {
        if (!std::getenv("DISPLAY")) return;
        int screenNumber = 0;
        connection = xcb_connect(nullptr, &screenNumber);
        if (xcb_connection_has_error(connection)) return;
        xcb_screen_iterator_t screen = xcb_setup_roots_iterator(xcb_get_setup(connection));
        for (int i = 0; i < screenNumber && screen.rem; ++i) xcb_screen_next(&screen);
        if (!screen.rem) return;
        root = screen.data->root;
        static const char name[] = "RESOURCE_MANAGER";
        xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 0, sizeof name - 1, name), nullptr);
        if (!atom) return;
        property = atom->atom;
        std::free(atom);
        xcb_get_property_reply_t* before = xcb_get_property_reply(
            connection,
            xcb_get_property(connection, 0, root, property, XCB_ATOM_STRING, 0, 1u << 18), nullptr);
        hadDatabase = before && before->format == 8 && before->type == XCB_ATOM_STRING;
        if (hadDatabase) {
            const char* bytes = static_cast<const char*>(xcb_get_property_value(before));
            kept.assign(bytes, bytes + xcb_get_property_value_length(before));
        }
        std::free(before);
        put(text.data(), text.size());
        active = true;
    }

    ~ScopedResourceDatabase() {
        if (active) {
            if (hadDatabase) {
                put(kept.data(), kept.size());
            } else {
                xcb_delete_property(connection, root, property);
                roundTrip();
            }
        }
        if (connection) xcb_disconnect(connection);
    }

    ScopedResourceDatabase(const ScopedResourceDatabase&) = delete;
    ScopedResourceDatabase& operator=(const ScopedResourceDatabase&) = delete;

    // False without a display to change.
    bool isActive() const { return active; }

    void put(const char* bytes, size_t length) {
        xcb_change_property(connection, XCB_PROP_MODE_REPLACE, root, property, XCB_ATOM_STRING, 8,
                            static_cast<uint32_t>(length), bytes);
        roundTrip();
    }

private:
    // The server has every change before anyone reads it back.
    void roundTrip() {
        std::free(xcb_get_input_focus_reply(connection, xcb_get_input_focus(connection), nullptr));
    }

    xcb_connection_t* connection = nullptr;
    xcb_window_t root = 0;
    xcb_atom_t property = 0;
    std::vector<char> kept;
    bool hadDatabase = false;
    bool active = false;
};

}  // namespace guitest
