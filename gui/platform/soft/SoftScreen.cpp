#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "gui/PlainDecimal.h"
#include "gui/platform/Platform.h"
#include "gui/platform/soft/XResources.h"

namespace platform::soft {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t'; }

std::string trimmed(const char* begin, const char* end) {
    while (begin < end && isBlank(*begin)) ++begin;
    while (end > begin && isBlank(end[-1])) --end;
    return std::string(begin, end);
}

}  // namespace

// A later line wins, as it does when xrdb merges.
uint32_t xftDpi(const char* database, size_t length) {
    if (!database) return 0;
    uint32_t dpi = 0;
    const char* end = database + length;
    for (const char* line = database; line < end;) {
        const char* lineEnd = static_cast<const char*>(std::memchr(line, '\n', end - line));
        if (!lineEnd) lineEnd = end;
        const char* colon = static_cast<const char*>(std::memchr(line, ':', lineEnd - line));
        if (colon && trimmed(line, colon) == "Xft.dpi") {
            const std::string text = trimmed(colon + 1, lineEnd);
            const double value = plainDecimal(text.data(), text.data() + text.size());
            if (value >= 0.5 && value < 10000.0) dpi = static_cast<uint32_t>(value + 0.5);
        }
        line = lineEnd + 1;
    }
    return dpi;
}

}  // namespace platform::soft

namespace platform {

// Every window of ours shows on the one server DISPLAY names, so the
// window does not change the answer.
uint32_t getDpiForWindow(Window window) {
    (void)window;
    return getDpiForSystem();
}

uint32_t getDpiForSystem() {
    if (!std::getenv("DISPLAY")) return 0;
    int screenNumber = 0;
    xcb_connection_t* connection = xcb_connect(nullptr, &screenNumber);
    uint32_t dpi = 0;
    if (!xcb_connection_has_error(connection)) {
        xcb_screen_iterator_t screen = xcb_setup_roots_iterator(xcb_get_setup(connection));
        for (int i = 0; i < screenNumber && screen.rem; ++i) xcb_screen_next(&screen);
        static const char name[] = "RESOURCE_MANAGER";
        xcb_intern_atom_reply_t* atom = xcb_intern_atom_reply(
            connection, xcb_intern_atom(connection, 1, sizeof name - 1, name), nullptr);
        if (screen.rem && atom && atom->atom != XCB_ATOM_NONE) {
            // The database of a desktop is a few kilobytes; a megabyte is plenty.
            xcb_get_property_reply_t* property =
                xcb_get_property_reply(connection,
                                       xcb_get_property(connection, 0, screen.data->root,
                                                        atom->atom, XCB_ATOM_STRING, 0, 1u << 18),
                                       nullptr);
            if (property && property->format == 8)
                dpi = soft::xftDpi(static_cast<const char*>(xcb_get_property_value(property)),
                                   static_cast<size_t>(xcb_get_property_value_length(property)));
            std::free(property);
        }
        std::free(atom);
    }
    xcb_disconnect(connection);
    return dpi;
}

}  // namespace platform
