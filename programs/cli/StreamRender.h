// Renders a source through the effect a block at a time straight into the
// output file, then the tail: the memory used does not grow with the
// length of the input, and an input of unknown length is read to its end.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>

#include "host/VstHost.h"
#include "programs/cli/AudioFile.h"

struct StreamResult {
    size_t inputFrames = 0;  // read from the source
    size_t tailFrames = 0;
    bool written = true;  // false: the output refused a block
};

// `progress` is told the frames done and the frames expected (0 where the
// source's length is unknown, until the tail begins).
StreamResult renderStream(PluginInstance& plugin, FrameSource& source, size_t tailFrames,
                          int32_t blockSize, AudioWriter& output,
                          const std::function<void(size_t, size_t)>& progress);
