#include "programs/cli/ImpulseRender.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double windowSeconds = 0.020;
constexpr double holdSeconds = 1.0;
// A response still silent this long after the impulse will stay silent.
constexpr double silenceSeconds = 1.0;
constexpr double settleSeconds = 1.0;

}  // namespace

TailWatch::TailWatch(double sampleRate, double fallDb)
    : window(std::max<size_t>(1, static_cast<size_t>(sampleRate * windowSeconds))),
      ratio(std::pow(10.0, -fallDb / 10.0)),
      windowsToHold(static_cast<size_t>(std::ceil(holdSeconds / windowSeconds))) {}

void TailWatch::add(const float* samples, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        sum += static_cast<double>(samples[i]) * samples[i];
        if (++filled < window) continue;
        peak = std::max(peak, sum);
        quietWindows = peak > 0.0 && sum <= peak * ratio ? quietWindows + 1 : 0;
        sum = 0.0;
        filled = 0;
    }
}

ImpulseRender renderImpulseResponse(PluginInstance& plugin, float sampleRate, int32_t blockSize,
                                    double fallDb, double maxSeconds) {
    ImpulseRender render;
    render.response.sampleRate = sampleRate;
    std::vector<float>& left = render.response.left;
    std::vector<float>& right = render.response.right;
    TailWatch watchLeft(sampleRate, fallDb), watchRight(sampleRate, fallDb);

    // Whole blocks of about a tenth of a second between the checks, so the
    // module sees the block size it was told.
    const size_t block = static_cast<size_t>(std::max<int32_t>(blockSize, 1));
    const size_t chunk = block * std::max<size_t>(1, static_cast<size_t>(0.1 * sampleRate) / block);
    const size_t limit = static_cast<size_t>(maxSeconds * sampleRate);
    const float impulse = 1.0f;
    std::vector<float> outLeft, outRight;
    plugin.start(sampleRate, blockSize);
    // A freshly started effect glides its pre-delay in from nothing (halving
    // the distance every 50 ms): the impulse comes once it has settled, as
    // it would into an effect that has been running in a session.
    const size_t settle = block * (static_cast<size_t>(settleSeconds * sampleRate) / block + 1);
    renderThrough(plugin, nullptr, nullptr, 0, settle, blockSize, outLeft, outRight);
    while (left.size() < limit) {
        const size_t frames = left.empty() ? 1 : 0;
        const size_t n = std::min(chunk, limit - left.size());
        renderThrough(plugin, &impulse, &impulse, frames, n - frames, blockSize, outLeft, outRight);
        left.insert(left.end(), outLeft.begin(), outLeft.end());
        right.insert(right.end(), outRight.begin(), outRight.end());
        watchLeft.add(outLeft.data(), outLeft.size());
        watchRight.add(outRight.data(), outRight.size());
        // A side that stays silent (a setting may route everything to one
        // side) does not hold the other up.
        const bool silent = watchLeft.silentSoFar() && watchRight.silentSoFar();
        if (!silent && (watchLeft.fallen() || watchLeft.silentSoFar()) &&
            (watchRight.fallen() || watchRight.silentSoFar())) {
            render.fell = true;
            break;
        }
        if (silent && static_cast<double>(left.size()) >= silenceSeconds * sampleRate) break;
    }
    plugin.stop();
    return render;
}
