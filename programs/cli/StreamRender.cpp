#include "programs/cli/StreamRender.h"

#include <algorithm>
#include <vector>

// The blocks are cut exactly as renderThrough cuts input and tail taken
// together, so a streamed render is sample for sample the one made whole.
StreamResult renderStream(PluginInstance& plugin, FrameSource& source, size_t tailFrames,
                          int32_t blockSize, AudioWriter& output,
                          const std::function<void(size_t, size_t)>& progress) {
    const size_t block = static_cast<size_t>(std::max<int32_t>(blockSize, 1));
    std::vector<float> inLeft(block), inRight(block), outLeft(block), outRight(block);
    StreamResult result;
    bool sourceEnded = false;
    size_t done = 0;
    size_t expected = source.promisedFrames();
    if (expected) expected += tailFrames;
    while (!sourceEnded || result.tailFrames < tailFrames) {
        size_t n = 0;
        if (!sourceEnded) {
            n = source.read(inLeft.data(), inRight.data(), block);
            result.inputFrames += n;
            if (n < block) {
                sourceEnded = true;
                expected = result.inputFrames + tailFrames;
            }
        }
        const size_t silence = std::min(block - n, tailFrames - result.tailFrames);
        std::fill_n(inLeft.data() + n, silence, 0.0f);
        std::fill_n(inRight.data() + n, silence, 0.0f);
        result.tailFrames += silence;
        n += silence;
        if (n == 0) continue;
        float* inputs[2] = {inLeft.data(), inRight.data()};
        float* outputs[2] = {outLeft.data(), outRight.data()};
        plugin.processReplacing(inputs, outputs, static_cast<int32_t>(n));
        if (!output.write(outLeft.data(), outRight.data(), n)) {
            result.written = false;
            return result;
        }
        done += n;
        if (progress) progress(done, expected);
    }
    return result;
}
