// The X resource database as a display server holds it: the text that
// xrdb leaves in the RESOURCE_MANAGER property of the root window, one
// "name: value" a line. Desktops set Xft.dpi there to say how dense the
// screen is.
#pragma once

#include <cstddef>
#include <cstdint>

namespace platform::soft {

// The Xft.dpi of a database text, rounded to whole dots per inch; 0 when the
// text sets none, or sets something that is no positive number below 10000.
uint32_t xftDpi(const char* database, size_t length);

}  // namespace platform::soft
