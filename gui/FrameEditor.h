// The editor as its frame and views see it: the idle pacing that keeps the
// display and the host alive during a drag, the bracket around a user's
// edit that the host hears about, and word of a screen of another density.
#pragma once

#include <cstdint>

class FrameEditor {
public:
    virtual ~FrameEditor() = default;
    virtual void pumpIdle() = 0;
    virtual void beginEdit(int32_t index) = 0;
    virtual void endEdit(int32_t index) = 0;
    // The window now shows on a screen of another density.
    virtual void screenChanged() {}
};
