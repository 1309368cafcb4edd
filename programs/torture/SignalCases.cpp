// What the audio path must survive: every rate and block size a host may
// choose, automation between small blocks, and values no parameter should
// ever be given.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "params/Parameters.h"
#include "programs/torture/StereoBuffers.h"
#include "programs/torture/Torture.h"

namespace {

std::string scanReport(const std::string& where, const OutputScan& scan) {
    char text[240];
    std::snprintf(text, sizeof(text), "%s: %zu of %zu output samples not finite, %zu subnormal",
                  where.c_str(), scan.nonFinite, scan.samples, scan.subnormal);
    return text;
}

// Renders noise and then silence in host blocks of `block` frames; the
// silent tail is where a decaying reverb turns subnormal if it is going to.
OutputScan renderNoiseThenSilence(PluginInstance& plugin, Random& random, StereoBuffers& buffers,
                                  size_t noiseFrames, size_t tailFrames, size_t block) {
    OutputScan scan;
    const size_t total = noiseFrames + tailFrames;
    for (size_t done = 0; done < total;) {
        const size_t n = std::min(block, total - done);
        const size_t noisy = done < noiseFrames ? std::min(n, noiseFrames - done) : 0;
        buffers.fillNoise(random, noisy);
        buffers.fillSilence(n);
        buffers.fillNoise(random, noisy);
        buffers.process(plugin, n);
        buffers.scan(scan, n);
        done += n;
    }
    return scan;
}

bool sameBits(float a, float b) { return std::memcmp(&a, &b, sizeof(float)) == 0; }

// What the effect should hear when a parameter is given `value`: a number
// that is not finite is refused, the switches compare as they always do,
// and the continuous parameters are heard within 0 to 1.
float heardAs(int32_t index, float value, float old) {
    if (!std::isfinite(value)) return old;
    if (index == paramOnOff || index == paramMonoIn) return value;
    return std::min(std::max(value, 0.0f), 1.0f);
}

}  // namespace

void everyRateAndBlockSize(Torture& t) {
    const float rates[] = {22050.0f, 44100.0f, 48000.0f, 96000.0f, 192000.0f};
    // 0 stands for the host that announces 256 frames and then sends more.
    const int32_t blocks[] = {1, 64, 128, 256, 512, 1024, 4096, 0};
    const int32_t announcedForLarger = 256, largerBlock = 3001;
    StereoBuffers buffers(4096);
    for (float rate : rates) {
        for (int32_t block : blocks) {
            auto plugin = t.create();
            if (!plugin) return;
            applySettings(*plugin, randomSettings(t.random));
            plugin->start(rate, block ? block : announcedForLarger);
            const size_t actual = static_cast<size_t>(block ? block : largerBlock);
            const auto noise = static_cast<size_t>(rate * 0.1f),
                       tail = static_cast<size_t>(rate * 0.15f);
            const OutputScan scan =
                renderNoiseThenSilence(*plugin, t.random, buffers, noise, tail, actual);
            char where[96];
            std::snprintf(where, sizeof(where), "%.0f Hz in blocks of %zu (announced %d)",
                          static_cast<double>(rate), actual, block ? block : announcedForLarger);
            t.verdict.check(scan.clean(), scanReport(where, scan));
            t.verdict.check(scan.energy > 0.0, std::string(where) + ": the output is silent");
        }
    }
}

void automationWhileProcessing(Torture& t) {
    auto plugin = t.create();
    if (!plugin) return;
    applySettings(*plugin, randomSettings(t.random));
    plugin->start(48000.0f, 512);
    StereoBuffers buffers(32);
    OutputScan scan;
    // Two seconds in steps of 32 frames, one change before each step; now
    // and then a whole program changes, and the power lamp flips.
    for (int step = 0; step < 3000; ++step) {
        const int32_t index = t.random.below(paramCount);
        float value = t.random.unit();
        if (index == paramOnOff || index == paramMonoIn) value = t.random.below(4) ? 1.0f : 0.0f;
        plugin->setParameter(index, value);
        if (t.random.below(64) == 0) plugin->setProgram(t.random.below(plugin->numPrograms()));
        buffers.fillNoise(t.random, 32);
        buffers.process(*plugin, 32);
        buffers.scan(scan, 32);
    }
    t.verdict.check(scan.clean(), scanReport("random changes every 32 frames", scan));
}

// Every parameter is given each of these, with noise running, and then its
// old value back, while a twin is given what the effect should make of it.
// The output must stay finite, the value must read back as given (or stay
// as it was, when it is not a number), and the twins must sound the same
// throughout and after.
void hostileParameterValues(Torture& t) {
    auto plugin = t.create();
    auto twin = t.create();
    if (!plugin || !twin) return;
    const std::vector<float> settings = randomSettings(t.random);
    applySettings(*plugin, settings);
    applySettings(*twin, settings);
    plugin->start(44100.0f, 256);
    twin->start(44100.0f, 256);
    const float inf = std::numeric_limits<float>::infinity();
    const float hostile[] = {t.random.unit(),
                             std::numeric_limits<float>::quiet_NaN(),
                             inf,
                             -inf,
                             -1.0f,
                             2.0f,
                             -0.0f,
                             1e30f,
                             -1e30f};
    TwinRun twins(*plugin, *twin);
    OutputScan scan;
    for (int32_t index = 0; index < paramCount; ++index) {
        const float old = settings[static_cast<size_t>(index)];
        for (float value : hostile) {
            plugin->setParameter(index, value);
            twin->setParameter(index, heardAs(index, value, old));
            const float now = plugin->getParameter(index);
            char what[120];
            std::snprintf(what, sizeof(what), "parameter %d given %g reads back %g", index,
                          static_cast<double>(value), static_cast<double>(now));
            t.verdict.check(sameBits(now, std::isfinite(value) ? value : old), what);
            bool same = true;
            for (int block = 0; block < 8; ++block) {
                twins.block(t.random);
                twins.firstOut().scan(scan, TwinRun::blockFrames);
                same = same && twins.identical();
            }
            std::snprintf(what, sizeof(what), "parameter %d at %g does not sound as %g", index,
                          static_cast<double>(value),
                          static_cast<double>(heardAs(index, value, old)));
            t.verdict.check(same, what);
            plugin->setParameter(index, old);
            twin->setParameter(index, old);
        }
    }
    t.verdict.check(scan.nonFinite == 0, scanReport("with hostile values", scan));
    // Restored, the effect must carry nothing of it.
    bool same = true;
    for (int block = 0; block < 64; ++block) {
        twins.block(t.random);
        same = same && twins.identical();
    }
    t.verdict.check(same, "restored, the effect sounds otherwise than its twin");
}
