// The module's impulse response, rendered as long as the tail is still
// worth measuring: a unit impulse on both inputs, then silence until the
// tail has fallen far enough below its peak or a time limit is reached.
#pragma once

#include <cstdint>
#include <vector>

#include "host/DemoPhrase.h"
#include "host/VstHost.h"

// Follows a response's level in 20 ms windows and tells when every window
// of the last second has stayed `fallDb` below the loudest one: a sparse
// tail (little diffusion, a large room) leaves gaps of silence between its
// echoes long before it has died away.
class TailWatch final {
public:
    TailWatch(double sampleRate, double fallDb);
    void add(const float* samples, size_t count);
    bool fallen() const { return quietWindows >= windowsToHold; }
    bool silentSoFar() const { return !(peak > 0.0); }

private:
    size_t window;
    double ratio;
    double sum = 0.0;
    size_t filled = 0;
    double peak = 0.0;
    size_t quietWindows = 0;
    size_t windowsToHold;
};

struct ImpulseRender {
    StereoSignal response;
    bool fell = false;  // false: stopped at the time limit, or silent
};

// The instance must have its settings applied; it is started and stopped here.
ImpulseRender renderImpulseResponse(PluginInstance& plugin, float sampleRate, int32_t blockSize,
                                    double fallDb, double maxSeconds);
