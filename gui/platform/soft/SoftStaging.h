// Where a test or a headless renderer may answer for the machine. The soft
// system asks these questions only when a program installed answers; the
// module never does, and then the system answers as the machine it runs on:
// the real clock, no input but the display server's, the imaging library
// present on an NT platform, buttons unswapped, every dropped name readable
// and no shortcut file it could resolve.
#pragma once

#include <cstdint>
#include <string>

#include "gui/platform/Platform.h"

namespace platform::soft {

class Staging {
public:
    virtual ~Staging() = default;

    // The clock's reading in milliseconds, or false for the real clock.
    virtual bool clock(uint32_t& tick) const = 0;
    // A sleep the program asked for; true when it passes on the staged clock
    // alone, with no real wait.
    virtual bool sleep(uint32_t milliseconds) = 0;
    // Moves the pointer and keys to what was staged for the time `tick`.
    virtual void input(uint32_t tick, PlatformPoint& cursor, uint32_t& keys) = 0;

    virtual bool imagingLibraryPresent() const = 0;
    virtual uint32_t platformId() const = 0;
    virtual bool swappedButtons() const = 0;

    virtual bool unreadable(const std::string& file) const = 0;
    // The short path a shortcut file leads to, false for any other file.
    virtual bool resolveShortcut(const std::string& link, std::string& target) const = 0;
};

}  // namespace platform::soft
