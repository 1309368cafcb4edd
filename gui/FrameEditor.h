// The editor as its frame and views see it: the idle pacing that keeps the
// display and the host alive during a drag, and the bracket around a user's
// edit that the host hears about.
#pragma once

#include <cstdint>

class FrameEditor {
public:
    virtual ~FrameEditor() = default;
    virtual void pumpIdle() = 0;
    virtual void beginEdit(int32_t index) = 0;
    virtual void endEdit(int32_t index) = 0;
};
