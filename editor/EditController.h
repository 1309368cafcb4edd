// What the panel needs of the effect it edits, in no plug-in format's terms:
// the value a parameter holds, the user's change to report for automation,
// the bracket around a user's edit, and a turn for the host while a drag
// holds its thread. Each plug-in format's wrapper implements it over its own
// connection to the host.
#pragma once

#include <cstdint>

class EditController {
public:
    virtual ~EditController() = default;
    virtual float getParameter(int32_t index) = 0;
    virtual void automate(int32_t index, float value) = 0;
    virtual void beginEdit(int32_t index) = 0;
    virtual void endEdit(int32_t index) = 0;
    virtual void idleHost() = 0;
    // Asks the host to give the panel this size in device pixels; false
    // when it cannot or will not, which leaves the host's window as it was.
    virtual bool resizeHost(int32_t width, int32_t height) {
        (void)width;
        (void)height;
        return false;
    }
};
