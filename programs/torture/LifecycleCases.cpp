// Instances created and closed in random order, as a host's project opens,
// gains and loses tracks, each at a rate of its own that now and then
// changes (a host moving a track to another device, a project at another
// rate opened beside it). Every instance's whole life is written down, and
// afterwards it is lived again by a fresh instance alone: whatever the
// others did to it while they came and went, their rates included, shows
// as a difference.
#include <cstdio>
#include <cstring>
#include <iterator>

#include "programs/torture/StereoBuffers.h"
#include "programs/torture/Torture.h"

namespace {

constexpr size_t lifeBlock = 256;
constexpr float lifeRates[] = {22050.0f, 44100.0f, 48000.0f, 88200.0f, 96000.0f, 192000.0f};

float randomRate(Random& random) {
    return lifeRates[random.below(static_cast<int32_t>(std::size(lifeRates)))];
}

struct RateChange {
    size_t block;  // before this block of the life
    float rate;
};

struct Life {
    std::unique_ptr<PluginInstance> plugin;
    std::vector<float> settings;
    float rate = 44100.0f;
    std::vector<RateChange> rateChanges;
    uint64_t noiseSeed = 0;
    Random noise{0};
    std::vector<float> output;  // every block it rendered, left then right
    size_t blocks = 0;
};

void live(Life& life, StereoBuffers& buffers) {
    for (const RateChange& change : life.rateChanges)
        if (change.block == life.blocks)
            life.plugin->dispatch(effSetSampleRate, 0, 0, nullptr, change.rate);
    buffers.fillNoise(life.noise, lifeBlock);
    buffers.process(*life.plugin, lifeBlock);
    life.output.insert(life.output.end(), buffers.outLeft(), buffers.outLeft() + lifeBlock);
    life.output.insert(life.output.end(), buffers.outRight(), buffers.outRight() + lifeBlock);
    ++life.blocks;
}

bool begin(Torture& t, Life& life) {
    life.plugin = t.create();
    if (!life.plugin) return false;
    applySettings(*life.plugin, life.settings);
    life.plugin->start(life.rate, static_cast<int32_t>(lifeBlock));
    life.noise = Random(life.noiseSeed);
    return true;
}

void comeAndGo(Torture& t, int count) {
    std::vector<Life> lives(static_cast<size_t>(count));
    for (Life& life : lives) {
        life.settings = randomSettings(t.random);
        life.rate = randomRate(t.random);
        life.noiseSeed = t.random.next();
    }
    StereoBuffers buffers(lifeBlock);
    std::vector<size_t> living;
    size_t born = 0;
    // Each step creates the next instance or closes a random living one;
    // then every living instance renders a block.
    while (born < lives.size() || !living.empty()) {
        if (born < lives.size() && (living.empty() || t.random.coin())) {
            if (!begin(t, lives[born])) return;
            living.push_back(born++);
        } else {
            const size_t which =
                static_cast<size_t>(t.random.below(static_cast<int32_t>(living.size())));
            lives[living[which]].plugin.reset();
            living.erase(living.begin() + static_cast<std::ptrdiff_t>(which));
        }
        // Now and then one of them moves to another rate, and lives on
        // beside the others at it.
        if (!living.empty() && t.random.below(4) == 0) {
            Life& moved = lives[living[static_cast<size_t>(
                t.random.below(static_cast<int32_t>(living.size())))]];
            moved.rateChanges.push_back({moved.blocks, randomRate(t.random)});
        }
        for (size_t i : living) live(lives[i], buffers);
    }
    // The same lives again, one at a time.
    int differing = 0;
    for (size_t i = 0; i < lives.size(); ++i) {
        Life& original = lives[i];
        Life again;
        again.settings = original.settings;
        again.rate = original.rate;
        again.rateChanges = original.rateChanges;
        again.noiseSeed = original.noiseSeed;
        if (!begin(t, again)) return;
        for (size_t b = 0; b < original.blocks; ++b) live(again, buffers);
        OutputScan scan;
        scan.add(original.output.data(), original.output.size());
        const bool same = again.output.size() == original.output.size() &&
                          std::memcmp(again.output.data(), original.output.data(),
                                      original.output.size() * sizeof(float)) == 0;
        char what[160];
        std::snprintf(
            what, sizeof(what), "instance %zu of %d (%zu blocks): %s, %zu samples not finite",
            i + 1, count, original.blocks,
            same ? "rendered as it does alone" : "rendered otherwise than alone", scan.nonFinite);
        if (!t.verdict.check(same && scan.nonFinite == 0, what)) ++differing;
    }
    std::printf("  %d instances came and went; %d rendered otherwise than alone\n", count,
                differing);
}

}  // namespace

void instancesComeAndGo(Torture& t) {
    comeAndGo(t, 2);
    comeAndGo(t, 33);
}
