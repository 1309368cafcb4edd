// The LV2 bundle as a host finds it through LV2_PATH, with lilv: what it
// declares, what it renders next to the VST 2 module the same host process
// loads, and what it refuses.
#include <gtest/gtest.h>
#include <lilv/lilv.h>
#include <lv2/core/lv2.h>
#include <lv2/presets/presets.h>
#include <lv2/urid/urid.h>

#include <dlfcn.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <limits>
#include <string>
#include <tuple>
#include <vector>

#include "host/VstHost.h"
#include "params/Parameters.h"
#include "presets/PresetList.h"

namespace {

constexpr const char* pluginUri = "urn:brellivaunt:reverb";
constexpr const char* uiUri = "urn:brellivaunt:reverb#ui";
constexpr uint32_t firstControl = 4;
constexpr uint32_t enabledPort = 13;
// Hosts' usual rate; the bit-for-bit comparison runs at others too.
constexpr float usualRate = 48000.0f;

class Lv2Host : public ::testing::Test {
protected:
    void SetUp() override {
        world = lilv_world_new();
        lilv_world_load_all(world);
        LilvNode* uri = lilv_new_uri(world, pluginUri);
        plugin = lilv_plugins_get_by_uri(lilv_world_get_all_plugins(world), uri);
        lilv_node_free(uri);
        ASSERT_NE(plugin, nullptr) << "no " << pluginUri << " on LV2_PATH";
    }
    void TearDown() override {
        for (LilvNode* n : nodes) lilv_node_free(n);
        lilv_world_free(world);
    }

    LilvNode* node(const char* uri) {
        nodes.push_back(lilv_new_uri(world, uri));
        return nodes.back();
    }
    std::string portText(uint32_t index,
                         const LilvNode* (*get)(const LilvPlugin*, const LilvPort*)) {
        return lilv_node_as_string(get(plugin, lilv_plugin_get_port_by_index(plugin, index)));
    }

    LilvWorld* world = nullptr;
    const LilvPlugin* plugin = nullptr;
    std::vector<LilvNode*> nodes;
};

// Noise with a few clicks for a quarter of the time, then silence for the
// tail: the same for every render.
struct Stimulus {
    explicit Stimulus(size_t frames) : left(frames, 0.0f), right(frames, 0.0f) {
        uint32_t seed = 12345;
        for (size_t i = 0; i < frames / 4; ++i) {
            seed = seed * 1664525u + 1013904223u;
            left[i] = static_cast<float>(static_cast<int32_t>(seed) >> 8) * (0.5f / 8388608.0f);
            seed = seed * 1664525u + 1013904223u;
            right[i] = i % 997 == 0 ? 0.9f
                                    : static_cast<float>(static_cast<int32_t>(seed) >> 9) *
                                          (0.5f / 8388608.0f);
        }
    }
    std::vector<float> left, right;
};

struct Point {
    size_t frame;       // applied at the first block that starts at or after it
    int32_t parameter;  // or hostBypass
    float value;
};

// The LV2 host's bypass, in automation beside the parameters.
constexpr int32_t hostBypass = paramCount;

struct Render {
    std::vector<float> left, right;
};

// The block sizes are taken in turn until the stimulus is used up.
template <typename SetParameter, typename Process>
Render renderBlocks(const Stimulus& in, const std::vector<uint32_t>& blocks,
                    const std::vector<Point>& automation, SetParameter set, Process process) {
    Render out{std::vector<float>(in.left.size()), std::vector<float>(in.left.size())};
    size_t next = 0, start = 0, turn = 0;
    while (start < in.left.size()) {
        while (next < automation.size() && automation[next].frame <= start) {
            set(automation[next].parameter, automation[next].value);
            ++next;
        }
        const size_t count =
            std::min<size_t>(blocks[turn++ % blocks.size()], in.left.size() - start);
        process(in, out, start, static_cast<uint32_t>(count));
        start += count;
    }
    return out;
}

Render renderVst2(const Stimulus& in, const std::vector<uint32_t>& blocks,
                  const std::vector<Point>& automation, float rate = usualRate) {
    LoadedModule module;
    PluginInstance effect;
    std::string error;
    EXPECT_TRUE(module.load(BRV_MODULE_PATH, error)) << error;
    EXPECT_TRUE(effect.create(module, error)) << error;
    effect.start(rate, 512);
    return renderBlocks(
        in, blocks, automation, [&](int32_t p, float v) { effect.setParameter(p, v); },
        [&](const Stimulus& s, Render& r, size_t start, uint32_t count) {
            float* inputs[2] = {const_cast<float*>(&s.left[start]),
                                const_cast<float*>(&s.right[start])};
            float* outputs[2] = {&r.left[start], &r.right[start]};
            effect.processReplacing(inputs, outputs, static_cast<int32_t>(count));
        });
}

// Through the LV2 instance as a host drives one: ports connected once per
// block, controls written only between runs, audio in place when asked.
Render renderLv2(const LilvPlugin* plugin, const Stimulus& in, const std::vector<uint32_t>& blocks,
                 const std::vector<Point>& automation, bool inPlace, float rate = usualRate,
                 std::vector<float>* controlsAfter = nullptr) {
    LilvInstance* instance = lilv_plugin_instantiate(plugin, rate, nullptr);
    EXPECT_NE(instance, nullptr);
    if (!instance) return {};
    float controls[paramCount + 1];
    for (int32_t i = 0; i < paramCount; ++i) {
        controls[i] = parameterTable[i].defaultValue;
        lilv_instance_connect_port(instance, firstControl + i, &controls[i]);
    }
    // The bypass port stays unconnected unless the automation moves it.
    controls[hostBypass] = 1.0f;
    for (const Point& p : automation)
        if (p.parameter == hostBypass)
            lilv_instance_connect_port(instance, enabledPort, &controls[hostBypass]);
    lilv_instance_activate(instance);
    Render out = renderBlocks(
        in, blocks, automation, [&](int32_t p, float v) { controls[p] = v; },
        [&](const Stimulus& s, Render& r, size_t start, uint32_t count) {
            float* left = &r.left[start];
            float* right = &r.right[start];
            if (inPlace) {
                std::copy(s.left.begin() + start, s.left.begin() + start + count, left);
                std::copy(s.right.begin() + start, s.right.begin() + start + count, right);
            }
            lilv_instance_connect_port(instance, 0,
                                       inPlace ? left : const_cast<float*>(&s.left[start]));
            lilv_instance_connect_port(instance, 1,
                                       inPlace ? right : const_cast<float*>(&s.right[start]));
            lilv_instance_connect_port(instance, 2, left);
            lilv_instance_connect_port(instance, 3, right);
            lilv_instance_run(instance, count);
        });
    lilv_instance_deactivate(instance);
    lilv_instance_free(instance);
    if (controlsAfter) controlsAfter->assign(controls, controls + paramCount);
    return out;
}

void expectSameBits(const Render& lv2, const Render& vst2, const std::string& what) {
    ASSERT_EQ(lv2.left.size(), vst2.left.size()) << what;
    for (size_t i = 0; i < vst2.left.size(); ++i) {
        if (std::memcmp(&lv2.left[i], &vst2.left[i], sizeof(float)) != 0 ||
            std::memcmp(&lv2.right[i], &vst2.right[i], sizeof(float)) != 0) {
            ADD_FAILURE() << what << ": frame " << i << " differs: " << lv2.left[i] << " "
                          << lv2.right[i] << " against " << vst2.left[i] << " " << vst2.right[i];
            return;
        }
    }
}

double tailEnergy(const Render& r) {
    double sum = 0.0;
    for (size_t i = r.left.size() / 2; i < r.left.size(); ++i)
        sum += r.left[i] * r.left[i] + r.right[i] * r.right[i];
    return sum;
}

// Every knob moves, the switches go off and on again, mono comes and goes.
std::vector<Point> automationOverFrames(size_t frames) {
    return {{0, paramOnOff, 1.0f},
            {0, paramDryWet, 0.7f},
            {0, paramEarlySize, 0.3f},
            {frames / 16, paramLateSize, 0.85f},
            {frames / 10, paramDamping, 0.2f},
            {frames / 8, paramDiffusion, 0.9f},
            {frames / 6, paramEarlyLate, 0.15f},
            {frames / 5, paramMonoIn, 1.0f},
            {frames / 4, paramOnOff, 0.0f},
            {frames / 4 + 333, paramOnOff, 1.0f},
            {frames / 3, paramVolume, 0.6f},
            {frames / 2, paramMonoIn, 0.0f},
            {frames / 2, paramDryWet, 0.95f}};
}

}  // namespace

TEST_F(Lv2Host, DeclaresThePortsHostsSaveSessionsBy) {
    const char* symbols[] = {"in_l",      "in_r",    "out_l",     "out_r",      "early_size",
                             "late_size", "damping", "diffusion", "early_late", "dry_wet",
                             "volume",    "power",   "mono",      "enabled"};
    // A new port only ever comes last: the first 13 are the 1.0 release's.
    ASSERT_EQ(lilv_plugin_get_num_ports(plugin), 14u);
    for (uint32_t i = 0; i < 14; ++i) EXPECT_EQ(portText(i, lilv_port_get_symbol), symbols[i]) << i;
    for (uint32_t i = 0; i < 4; ++i) {
        const LilvPort* port = lilv_plugin_get_port_by_index(plugin, i);
        EXPECT_TRUE(lilv_port_is_a(plugin, port, node(LV2_CORE__AudioPort))) << i;
        EXPECT_TRUE(
            lilv_port_is_a(plugin, port, node(i < 2 ? LV2_CORE__InputPort : LV2_CORE__OutputPort)))
            << i;
    }

    LoadedModule module;
    PluginInstance vst2;
    std::string error;
    ASSERT_TRUE(module.load(BRV_MODULE_PATH, error)) << error;
    ASSERT_TRUE(vst2.create(module, error)) << error;
    for (int32_t p = 0; p < paramCount; ++p) {
        const uint32_t index = firstControl + p;
        const LilvPort* port = lilv_plugin_get_port_by_index(plugin, index);
        EXPECT_TRUE(lilv_port_is_a(plugin, port, node(LV2_CORE__ControlPort))) << index;
        EXPECT_TRUE(lilv_port_is_a(plugin, port, node(LV2_CORE__InputPort))) << index;
        LilvNode *def = nullptr, *min = nullptr, *max = nullptr;
        lilv_port_get_range(plugin, port, &def, &min, &max);
        ASSERT_TRUE(def && min && max) << index;
        EXPECT_EQ(lilv_node_as_float(def), vst2.getParameter(p))
            << "the effect's own default, " << index;
        EXPECT_EQ(lilv_node_as_float(min), 0.0f);
        EXPECT_EQ(lilv_node_as_float(max), 1.0f);
        lilv_node_free(def);
        lilv_node_free(min);
        lilv_node_free(max);
        const bool toggle = p == paramOnOff || p == paramMonoIn;
        EXPECT_EQ(lilv_port_has_property(plugin, port, node(LV2_CORE__toggled)), toggle) << index;
        EXPECT_EQ(lilv_port_has_property(plugin, port, node(LV2_CORE__integer)), toggle) << index;
        LilvNode* name = lilv_port_get_name(plugin, port);
        const std::string shown = lilv_node_as_string(name);
        lilv_node_free(name);
        if (p == paramOnOff)
            EXPECT_EQ(shown, "Power");
        else if (p == paramMonoIn)
            EXPECT_EQ(shown, "Mono-In");
        else
            EXPECT_EQ(shown, vst2.parameterName(p)) << "the VST 2 module's name, " << index;
    }
}

// What generic UIs and hosts show and connect by: the host's bypass, the
// two stereo pairs, a sentence on every port and the switches' two values.
TEST_F(Lv2Host, OffersAHostBypassStereoPairsAndWordsForEveryPort) {
    const LilvPort* bypass = lilv_plugin_get_port_by_designation(plugin, node(LV2_CORE__InputPort),
                                                                 node(LV2_CORE__enabled));
    ASSERT_NE(bypass, nullptr);
    EXPECT_EQ(lilv_port_get_index(plugin, bypass), enabledPort);
    EXPECT_TRUE(lilv_port_has_property(plugin, bypass, node(LV2_CORE__connectionOptional)));
    LilvNode *def = nullptr, *min = nullptr, *max = nullptr;
    lilv_port_get_range(plugin, bypass, &def, &min, &max);
    ASSERT_NE(def, nullptr);
    EXPECT_EQ(lilv_node_as_float(def), 1.0f) << "sessions saved without it play";
    for (LilvNode* n : {def, min, max}) lilv_node_free(n);

    const char* pg = "http://lv2plug.in/ns/ext/port-groups#";
    const std::string in = "urn:brellivaunt:reverb#in", out = "urn:brellivaunt:reverb#out";
    for (uint32_t i = 0; i < 4; ++i) {
        const LilvPort* port = lilv_plugin_get_port_by_index(plugin, i);
        LilvNodes* group =
            lilv_port_get_value(plugin, port, node((std::string(pg) + "group").c_str()));
        ASSERT_EQ(lilv_nodes_size(group), 1u) << i;
        EXPECT_EQ(lilv_node_as_uri(lilv_nodes_get_first(group)), i < 2 ? in : out) << i;
        lilv_nodes_free(group);
        LilvNodes* side = lilv_port_get_value(plugin, port, node(LV2_CORE__designation));
        ASSERT_EQ(lilv_nodes_size(side), 1u) << i;
        EXPECT_EQ(lilv_node_as_uri(lilv_nodes_get_first(side)),
                  std::string(pg) + (i % 2 == 0 ? "left" : "right"))
            << i;
        lilv_nodes_free(side);
    }
    for (const auto& [uri, kind, main] : {std::tuple{in, "InputGroup", "mainInput"},
                                          std::tuple{out, "OutputGroup", "mainOutput"}}) {
        EXPECT_TRUE(lilv_world_ask(world, node(uri.c_str()), node(LILV_NS_RDF "type"),
                                   node((std::string(pg) + kind).c_str())))
            << uri;
        EXPECT_TRUE(lilv_world_ask(world, node(uri.c_str()), node(LILV_NS_RDF "type"),
                                   node((std::string(pg) + "StereoGroup").c_str())))
            << uri;
        EXPECT_TRUE(lilv_world_ask(world, lilv_plugin_get_uri(plugin),
                                   node((std::string(pg) + main).c_str()), node(uri.c_str())))
            << uri;
    }

    LilvNodes* about = lilv_plugin_get_value(plugin, node(LILV_NS_RDFS "comment"));
    EXPECT_EQ(lilv_nodes_size(about), 1u) << "the plug-in says what it is";
    lilv_nodes_free(about);
    for (uint32_t i = 0; i < lilv_plugin_get_num_ports(plugin); ++i) {
        const LilvPort* port = lilv_plugin_get_port_by_index(plugin, i);
        LilvNodes* words = lilv_port_get_value(plugin, port, node(LILV_NS_RDFS "comment"));
        ASSERT_EQ(lilv_nodes_size(words), 1u) << portText(i, lilv_port_get_symbol);
        EXPECT_GT(std::strlen(lilv_node_as_string(lilv_nodes_get_first(words))), 20u) << i;
        lilv_nodes_free(words);
        LilvScalePoints* points = lilv_port_get_scale_points(plugin, port);
        std::vector<std::string> labels(2);
        LILV_FOREACH(scale_points, it, points) {
            const LilvScalePoint* point = lilv_scale_points_get(points, it);
            const float value = lilv_node_as_float(lilv_scale_point_get_value(point));
            if (value == 0.0f || value == 1.0f)
                labels[static_cast<size_t>(value)] =
                    lilv_node_as_string(lilv_scale_point_get_label(point));
        }
        const bool toggle =
            i == firstControl + paramOnOff || i == firstControl + paramMonoIn || i == enabledPort;
        EXPECT_EQ(points ? lilv_scale_points_size(points) : 0u, toggle ? 2u : 0u) << i;
        if (toggle) {
            EXPECT_EQ(labels, (std::vector<std::string>{"Off", "On"})) << i;
        }
        lilv_scale_points_free(points);
    }
}

TEST_F(Lv2Host, DescribesAReverbThatNeedsNothingAndItsX11Panel) {
    LilvNode* name = lilv_plugin_get_name(plugin);
    EXPECT_STREQ(lilv_node_as_string(name), "Brellivaunt");
    lilv_node_free(name);
    EXPECT_TRUE(lilv_world_ask(world, lilv_plugin_get_uri(plugin), node(LILV_NS_RDF "type"),
                               node(LV2_CORE__ReverbPlugin)));
    LilvNodes* required = lilv_plugin_get_required_features(plugin);
    EXPECT_EQ(lilv_nodes_size(required), 0u);
    lilv_nodes_free(required);
    EXPECT_TRUE(lilv_plugin_has_feature(plugin, node(LV2_CORE__hardRTCapable)));
    LilvNodes* license =
        lilv_plugin_get_value(plugin, node("http://usefulinc.com/ns/doap#license"));
    ASSERT_EQ(lilv_nodes_size(license), 1u);
    EXPECT_TRUE(lilv_node_is_uri(lilv_nodes_get_first(license)));
    lilv_nodes_free(license);
    // Hosts hide a development build: a minor version of zero, or an odd
    // minor or micro version.
    for (const char* version : {LV2_CORE__minorVersion, LV2_CORE__microVersion}) {
        LilvNodes* v = lilv_plugin_get_value(plugin, node(version));
        ASSERT_EQ(lilv_nodes_size(v), 1u) << version;
        const int number = lilv_node_as_int(lilv_nodes_get_first(v));
        EXPECT_EQ(number % 2, 0) << version;
        if (version == std::string(LV2_CORE__minorVersion)) {
            EXPECT_GT(number, 0);
        }
        lilv_nodes_free(v);
    }
    LilvNode* maintainer = lilv_plugin_get_author_name(plugin);
    EXPECT_NE(maintainer, nullptr);
    lilv_node_free(maintainer);

    LilvUIs* uis = lilv_plugin_get_uis(plugin);
    ASSERT_EQ(lilv_uis_size(uis), 1u);
    const LilvUI* ui = lilv_uis_get_by_uri(uis, node(uiUri));
    ASSERT_NE(ui, nullptr);
    EXPECT_TRUE(lilv_ui_is_a(ui, node("http://lv2plug.in/ns/extensions/ui#X11UI")));
    // A host that embeds no panels shows it in a window of its own.
    const char* uiNs = "http://lv2plug.in/ns/extensions/ui#";
    const LilvNode* uiNode = lilv_ui_get_uri(ui);
    EXPECT_TRUE(lilv_world_ask(world, uiNode, node(LV2_CORE__optionalFeature),
                               node((std::string(uiNs) + "parent").c_str())));
    EXPECT_FALSE(lilv_world_ask(world, uiNode, node(LV2_CORE__requiredFeature),
                                node((std::string(uiNs) + "parent").c_str())));
    EXPECT_TRUE(lilv_world_ask(world, uiNode, node(LV2_CORE__extensionData),
                               node((std::string(uiNs) + "showInterface").c_str())));
    lilv_uis_free(uis);
}

// An LV2 host gives the rate when it makes the instance, a VST 2 host
// after: both must come to the same room at every rate.
TEST_F(Lv2Host, RendersBitForBitWhatTheVst2ModuleRendersAtEveryRate) {
    const Stimulus in(24000);
    const std::vector<Point> automation = automationOverFrames(in.left.size());
    const std::vector<std::vector<uint32_t>> patterns = {
        {1}, {64}, {512}, {1, 0, 7, 300, 64, 1023, 2, 513, 0, 31}};
    for (float rate : {44100.0f, 48000.0f, 96000.0f}) {
        for (const auto& blocks : patterns) {
            const std::string what = std::to_string(static_cast<int>(rate)) + " Hz, blocks of " +
                                     std::to_string(blocks[0]) +
                                     (blocks.size() > 1 ? " and others" : "");
            const Render vst2 = renderVst2(in, blocks, automation, rate);
            EXPECT_GT(tailEnergy(vst2), 1e-3)
                << what << ": the reverb rings on after the input stops";
            expectSameBits(renderLv2(plugin, in, blocks, automation, false, rate), vst2, what);
            expectSameBits(renderLv2(plugin, in, blocks, automation, true, rate), vst2,
                           what + ", in place");
        }
    }
}

namespace {

// A stereo signal run through the LV2 instance in blocks of 256 frames,
// the reverb on, with the host's bypass off from frame `off` on and on
// again from `on`, each at the first block that starts there.
Render renderBypassed(const LilvPlugin* plugin, const Stimulus& in, size_t off, size_t on,
                      bool inPlace, bool mono) {
    return renderLv2(plugin, in, {256},
                     {{0, paramOnOff, 1.0f},
                      {0, paramDryWet, 0.7f},
                      {0, paramMonoIn, mono ? 1.0f : 0.0f},
                      {0, hostBypass, 1.0f},
                      {off, hostBypass, 0.0f},
                      {on, hostBypass, 1.0f}},
                     inPlace);
}

float largestStep(const std::vector<float>& v) {
    float step = 0.0f;
    for (size_t i = 1; i < v.size(); ++i) step = std::max(step, std::fabs(v[i] - v[i - 1]));
    return step;
}

bool sameFrames(const std::vector<float>& a, const std::vector<float>& b, size_t from, size_t to) {
    return std::memcmp(&a[from], &b[from], (to - from) * sizeof(float)) == 0;
}

}  // namespace

// The host's bypass fades to the bare input, left to left and right to
// right even with Mono-In on, and back, in 10 ms (480 frames at 48 kHz),
// while the reverb runs on: no sample steps further than the signals on
// either side do, and once the fade back is over every bit is what it
// would have been had the host never bypassed it. (A fade between two
// signals that have nothing in common, as a sine's right channel has with
// the reverb of its left under Mono-In, adds a step of its own of up to
// their difference over 480; the noise is what tests Mono-In here.)
TEST_F(Lv2Host, HostBypassFadesToTheInputAndBackWithoutAStep) {
    const size_t frames = 24000, off = 6144, on = 14080, fade = 480;
    Stimulus sine(frames);
    for (size_t i = 0; i < frames; ++i) {
        sine.left[i] = 0.6f * std::sin(0.031f * static_cast<float>(i));
        sine.right[i] = -0.5f * std::sin(0.047f * static_cast<float>(i));
    }
    // Noise all the way: the stimulus sounds for its first quarter.
    Stimulus noisy(4 * frames);
    noisy.left.resize(frames);
    noisy.right.resize(frames);
    const Stimulus* const stimuli[] = {&noisy, &sine};
    for (const Stimulus* in : stimuli) {
        for (bool inPlace : {false, true}) {
            const bool mono = in == &noisy;
            const std::string what = std::string(in == &sine ? "sine" : "noise") +
                                     (inPlace ? ", in place" : "") + (mono ? ", Mono-In" : "");
            const Render kept = renderBypassed(plugin, *in, frames, frames, inPlace, mono);
            const Render switched = renderBypassed(plugin, *in, off, on, inPlace, mono);
            for (int side = 0; side < 2; ++side) {
                const std::vector<float>& dry = side ? in->right : in->left;
                const std::vector<float>& wet = side ? kept.right : kept.left;
                const std::vector<float>& got = side ? switched.right : switched.left;
                const float bound = std::max(largestStep(dry), largestStep(wet));
                std::printf("%s, %s: largest step %.4f switched, %.4f without, %.4f in the input\n",
                            what.c_str(), side ? "right" : "left", largestStep(got),
                            largestStep(wet), largestStep(dry));
                EXPECT_LE(largestStep(got), bound) << what << ", channel " << side;
                EXPECT_TRUE(sameFrames(got, wet, 0, off)) << what << ": before the switch";
                EXPECT_TRUE(sameFrames(got, dry, off + fade, on)) << what << ": bypassed";
                EXPECT_FALSE(sameFrames(got, dry, off, off + fade)) << what << ": a fade, no cut";
                EXPECT_TRUE(sameFrames(got, wet, on + fade, frames)) << what << ": back";
            }
        }
    }
    // Held on, the port touches no sample: the same bits as the VST 2 module.
    const std::vector<uint32_t> blocks = {256};
    const Render vst2 = renderVst2(noisy, blocks, {{0, paramOnOff, 1.0f}, {0, paramDryWet, 0.7f}});
    expectSameBits(renderBypassed(plugin, noisy, frames, frames, false, false), vst2, "held on");
}

TEST_F(Lv2Host, HearsHostileControlValuesAsTheVst2ModuleDoesAndLeavesThemInThePorts) {
    const Stimulus in(12000);
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    std::vector<Point> automation = {{0, paramOnOff, 1.0f},          {0, paramEarlyLate, 1e30f},
                                     {0, paramDryWet, -0.5f},        {1000, paramLateSize, nan},
                                     {1500, paramDamping, inf},      {2000, paramDiffusion, -inf},
                                     {2500, paramEarlySize, -1e30f}, {3000, paramMonoIn, 0.5f},
                                     {3500, paramOnOff, nan},        {4000, paramDryWet, 2.0f}};
    const std::vector<uint32_t> blocks = {100, 1, 257};
    const Render vst2 = renderVst2(in, blocks, automation);
    std::vector<float> ports;
    const Render lv2 = renderLv2(plugin, in, blocks, automation, false, usualRate, &ports);
    expectSameBits(lv2, vst2, "hostile values");
    for (float v : lv2.left) ASSERT_TRUE(std::isfinite(v));
    EXPECT_TRUE(std::isnan(ports[paramLateSize]));
    EXPECT_EQ(ports[paramEarlyLate], 1e30f);
    EXPECT_EQ(ports[paramDamping], inf);
    EXPECT_EQ(ports[paramDryWet], 2.0f);
}

TEST_F(Lv2Host, RefusesRatesItCannotRunAndRunsAtBothEndsOfItsRange) {
    const double refused[] = {0.0,      std::nan(""), HUGE_VAL, -HUGE_VAL,
                              -48000.0, 7999.0,       384001.0, 1e300};
    for (double r : refused) {
        LilvInstance* instance = lilv_plugin_instantiate(plugin, r, nullptr);
        EXPECT_EQ(instance, nullptr) << r;
        if (instance) lilv_instance_free(instance);
    }
    for (double r : {8000.0, 384000.0}) {
        LilvInstance* instance = lilv_plugin_instantiate(plugin, r, nullptr);
        ASSERT_NE(instance, nullptr) << r;
        std::vector<float> audio(4 * 256, 0.25f);
        float power = 1.0f;
        lilv_instance_connect_port(instance, firstControl + paramOnOff, &power);
        for (uint32_t p = 0; p < 4; ++p) lilv_instance_connect_port(instance, p, &audio[p * 256]);
        lilv_instance_activate(instance);
        lilv_instance_run(instance, 0);
        lilv_instance_run(instance, 256);
        lilv_instance_deactivate(instance);
        lilv_instance_free(instance);
        for (float v : audio) ASSERT_TRUE(std::isfinite(v)) << r;
    }
}

// Each binary shows its descriptor and nothing else, so the VST 2 module
// and both LV2 binaries can live in one host process without one's code
// standing in for another's.
TEST(Lv2Binaries, ExportOnlyTheirDescriptorsBesideTheVst2Module) {
    void* vst2 = dlopen(BRV_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
    void* dsp = dlopen(BRV_LV2_DSP, RTLD_NOW | RTLD_LOCAL);
    void* ui = dlopen(BRV_LV2_UI, RTLD_NOW | RTLD_LOCAL);
    ASSERT_TRUE(vst2 && dsp && ui) << dlerror();
    const char* internal = "_ZN10ReverbCore12updateEngineEv";
    EXPECT_NE(dlsym(vst2, "main"), nullptr);
    EXPECT_NE(dlsym(dsp, "lv2_descriptor"), nullptr);
    EXPECT_NE(dlsym(ui, "lv2ui_descriptor"), nullptr);
    for (void* handle : {dsp, ui}) {
        EXPECT_EQ(dlsym(handle, "main"), nullptr);
        EXPECT_EQ(dlsym(handle, internal), nullptr);
    }
    EXPECT_EQ(dlsym(dsp, "lv2ui_descriptor"), nullptr);
    EXPECT_EQ(dlsym(ui, "lv2_descriptor"), nullptr);
    auto descriptor =
        reinterpret_cast<const LV2_Descriptor* (*)(uint32_t)>(dlsym(dsp, "lv2_descriptor"));
    ASSERT_NE(descriptor, nullptr);
    ASSERT_NE(descriptor(0), nullptr);
    EXPECT_STREQ(descriptor(0)->URI, pluginUri);
    EXPECT_EQ(descriptor(1), nullptr);
    dlclose(dsp);
    dlclose(vst2);
}

namespace {

std::string linkedLibraries(const char* path) {
    std::string text;
    std::FILE* ldd = popen((std::string("ldd '") + path + "'").c_str(), "r");
    if (!ldd) return text;
    char line[512];
    while (std::fgets(line, sizeof line, ldd)) text += line;
    pclose(ldd);
    return text;
}

}  // namespace

// The DSP binary loads in a host without a display or fonts: hosts that run
// plug-ins in a separate audio process, and render servers, have neither.
TEST(Lv2Binaries, DspLinksNoWindowingOrFontLibrary) {
    const std::string dsp = linkedLibraries(BRV_LV2_DSP);
    ASSERT_NE(dsp.find("libc.so"), std::string::npos) << dsp;
    for (const char* library : {"libX11", "libxcb", "libfreetype", "libfontconfig"})
        EXPECT_EQ(dsp.find(library), std::string::npos) << library << " in\n" << dsp;
    EXPECT_NE(linkedLibraries(BRV_LV2_UI).find("libxcb"), std::string::npos)
        << "the panel's binary shows what the check looks for";
}

namespace {

// The few URIs lilv asks a host to map while it reads presets.
class UridMap final {
public:
    UridMap() {
        feature.URI = LV2_URID__map;
        feature.data = &map;
        map.handle = this;
        map.map = [](LV2_URID_Map_Handle handle, const char* uri) -> LV2_URID {
            auto& known = static_cast<UridMap*>(handle)->uris;
            for (size_t i = 0; i < known.size(); ++i)
                if (known[i] == uri) return static_cast<LV2_URID>(i + 1);
            known.emplace_back(uri);
            return static_cast<LV2_URID>(known.size());
        };
    }
    LV2_URID_Map map{};
    LV2_Feature feature{};

private:
    std::vector<std::string> uris;
};

struct PortValues {
    std::vector<std::pair<std::string, float>> values;
    float of(const std::string& symbol) const {
        for (const auto& v : values)
            if (v.first == symbol) return v.second;
        return std::numeric_limits<float>::quiet_NaN();
    }
};

}  // namespace

// A host's preset menu: every factory preset, under its name, sets the ports
// to the source file's values, except dry_wet, so that the user's mix stays.
TEST_F(Lv2Host, EveryFactoryPresetSetsItsValuesAndKeepsTheMix) {
    std::FILE* f = std::fopen(BRV_PRESET_SOURCE, "rb");
    ASSERT_NE(f, nullptr);
    std::string text;
    char chunk[4096];
    for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, f)) > 0;) text.append(chunk, n);
    std::fclose(f);
    std::vector<NamedPreset> source;
    std::string error;
    ASSERT_TRUE(parsePresetList(text, source, error)) << error;

    UridMap urids;
    LilvNodes* presets = lilv_plugin_get_related(plugin, node(LV2_PRESETS__Preset));
    ASSERT_NE(presets, nullptr);
    EXPECT_EQ(lilv_nodes_size(presets), source.size());
    size_t checked = 0;
    LILV_FOREACH(nodes, i, presets) {
        const LilvNode* preset = lilv_nodes_get(presets, i);
        lilv_world_load_resource(world, preset);
        LilvState* state = lilv_state_new_from_world(world, &urids.map, preset);
        ASSERT_NE(state, nullptr) << lilv_node_as_uri(preset);
        const std::string label = lilv_state_get_label(state) ? lilv_state_get_label(state) : "";
        const NamedPreset* expected = findPreset(source, label);
        ASSERT_NE(expected, nullptr) << "no preset named \"" << label << "\" in the source";
        PortValues heard;
        lilv_state_emit_port_values(
            state,
            [](const char* symbol, void* user, const void* value, uint32_t size, uint32_t) {
                if (size == sizeof(float))
                    static_cast<PortValues*>(user)->values.emplace_back(
                        symbol, *static_cast<const float*>(value));
            },
            &heard);
        EXPECT_EQ(heard.values.size(), static_cast<size_t>(paramCount - 1)) << label;
        for (int32_t p = 0; p < paramCount; ++p) {
            const float got = heard.of(parameterTable[p].symbol);
            if (p == paramDryWet)
                EXPECT_TRUE(std::isnan(got)) << label << " must leave dry_wet alone";
            else
                EXPECT_EQ(got, expected->values[p]) << label << " " << parameterTable[p].symbol;
        }
        lilv_state_free(state);
        ++checked;
    }
    lilv_nodes_free(presets);
    EXPECT_EQ(checked, source.size());
}
