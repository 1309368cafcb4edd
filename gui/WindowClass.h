// The window class that all frames of the module share, and what is learnt
// about the system when it is registered. Registration is counted so that
// the class lives exactly as long as some frame has a window of it.
#pragma once

#include <cstdint>
#include <string>

#include "gui/platform/Platform.h"

class WindowClass final {
public:
    // Registers the class on the first call only.
    static void acquire(platform::WindowProc procedure);
    // Called once for every window that was made; the last one unregisters.
    static void release();

    static int32_t registrationCount();
    static const char* name();
    static bool buttonsSwapped();

    // "Plugin" and the instance handle's value in at least eight lowercase
    // hexadecimal digits.
    static std::string nameFor(platform::Module instance);

private:
    int32_t count = 0;
    char className[40] = {};
    bool swapped = false;

    static WindowClass& shared();
};

// How knobs follow a drag, as the host asked for it; shared by every editor
// of the module.
class KnobMode final {
public:
    static int32_t get();
    static void set(int32_t mode);

private:
    static int32_t& value();
};
