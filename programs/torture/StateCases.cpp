// What a host stores and restores: every program's values and name, read
// back exactly; and opcodes the effect does not know, which must be answered
// 0 and leave it exactly as it was.
#include <climits>
#include <cstdio>
#include <cstring>

#include "params/Parameters.h"
#include "programs/torture/StereoBuffers.h"
#include "programs/torture/Torture.h"

namespace {

constexpr size_t nameLimit = 23;  // characters a program name keeps

std::string randomName(Random& random, size_t length) {
    std::string name;
    for (size_t i = 0; i < length; ++i) name += static_cast<char>(' ' + 1 + random.below(94));
    return name;
}

// What the host sees of a program: the shown name (an untouched "Init"
// reads numbered) and the stored one.
std::string currentName(PluginInstance& plugin) {
    char text[256] = {};
    plugin.dispatch(effGetProgramName, 0, 0, text);
    return text;
}

bool valuesAre(PluginInstance& plugin, const std::vector<float>& values) {
    for (int32_t i = 0; i < paramCount; ++i) {
        const float now = plugin.getParameter(i);
        if (std::memcmp(&now, &values[static_cast<size_t>(i)], sizeof(float)) != 0) return false;
    }
    return true;
}

}  // namespace

void programsRoundTrip(Torture& t) {
    auto plugin = t.create();
    if (!plugin) return;
    const int32_t programs = plugin->numPrograms();
    std::vector<std::vector<float>> values(static_cast<size_t>(programs));
    std::vector<std::string> names(static_cast<size_t>(programs));
    for (int32_t p = 0; p < programs; ++p) {
        plugin->setProgram(p);
        std::vector<float>& set = values[static_cast<size_t>(p)];
        set.resize(paramCount);
        for (float& v : set)
            v = t.random.coin() ? t.random.unit() : static_cast<float>(t.random.below(2));
        applySettings(*plugin, set);
        t.verdict.check(valuesAre(*plugin, set), describe("values read back as set in program", p));
        // Some names longer than a program keeps: the host gets the first 23 characters.
        std::string name = randomName(t.random, 1 + static_cast<size_t>(t.random.below(40)));
        plugin->dispatch(effSetProgramName, 0, 0, &name[0]);
        names[static_cast<size_t>(p)] = name.substr(0, nameLimit);
        t.verdict.check(currentName(*plugin) == names[static_cast<size_t>(p)],
                        describe("name reads back as set in program", p));
    }
    // Away and back, in an order a host's preset browser might take.
    for (int round = 0; round < 3; ++round) {
        for (int32_t step = 0; step < programs; ++step) {
            const int32_t p = t.random.below(programs);
            plugin->setProgram(p);
            t.verdict.check(plugin->dispatch(effGetProgram) == p,
                            describe("program not selected:", p));
            t.verdict.check(
                valuesAre(*plugin, values[static_cast<size_t>(p)]),
                describe("values did not survive a switch away and back in program", p));
            t.verdict.check(currentName(*plugin) == names[static_cast<size_t>(p)],
                            describe("name did not survive a switch away and back in program", p));
        }
    }
    for (int32_t p = 0; p < programs; ++p) {
        char text[256] = {};
        t.verdict.check(plugin->dispatch(effGetProgramNameIndexed, p, -1, text) == 1 &&
                            names[static_cast<size_t>(p)] == text,
                        describe("indexed name differs for program", p));
    }
    // Numbers outside the programs change nothing.
    const int32_t before = static_cast<int32_t>(plugin->dispatch(effGetProgram));
    for (int32_t p : {-1, programs, INT_MAX, INT_MIN}) plugin->setProgram(p);
    t.verdict.check(plugin->dispatch(effGetProgram) == before &&
                        valuesAre(*plugin, values[static_cast<size_t>(before)]),
                    "a program number out of range changed the effect");
}

void unknownOpcodes(Torture& t) {
    auto plugin = t.create();
    auto twin = t.create();
    if (!plugin || !twin) return;
    const std::vector<float> settings = randomSettings(t.random);
    for (PluginInstance* p : {plugin.get(), twin.get()}) {
        p->setProgram(5);
        applySettings(*p, settings);
        p->start(44100.0f, 256);
    }
    TwinRun twins(*plugin, *twin);
    for (int i = 0; i < 8; ++i) twins.block(t.random);

    std::vector<int32_t> opcodes;
    for (int32_t op = 77; op <= 2000; ++op) opcodes.push_back(op);
    for (int32_t op = -1; op >= -300; --op) opcodes.push_back(op);
    for (int32_t op : {-2000, -65536, INT_MIN, INT_MIN + 1, INT_MAX, 0x7FFF, 0x10000})
        opcodes.push_back(op);
    unsigned char buffer[1024];
    int wrong = 0, written = 0;
    bool same = true;
    for (int32_t op : opcodes) {
        std::memset(buffer, 0xA5, sizeof(buffer));
        const auto index = static_cast<int32_t>(t.random.next());
        const auto value = static_cast<intptr_t>(t.random.next());
        const intptr_t answer = plugin->dispatch(op, index, value, buffer, t.random.noise() * 1e6f);
        if (answer != 0 && wrong++ < 5)
            t.verdict.check(false, describe("answered non-zero to opcode", op));
        for (unsigned char b : buffer) {
            if (b == 0xA5) continue;
            if (written++ < 5)
                t.verdict.check(false, describe("wrote into the host's buffer for opcode", op));
            break;
        }
        // A handful of blocks between them: the effect is still the twin of one that heard nothing.
        if (t.random.below(64) == 0) {
            twins.block(t.random);
            same = same && twins.identical();
        }
    }
    t.verdict.check(wrong == 0 && written == 0,
                    describe("unknown opcodes answered 0 and wrote nothing; tried",
                             static_cast<double>(opcodes.size())));
    t.verdict.check(plugin->dispatch(effGetProgram) == 5 &&
                        currentName(*plugin) == currentName(*twin) && valuesAre(*plugin, settings),
                    "an unknown opcode changed the program, its name or a parameter");
    for (int i = 0; i < 16; ++i) {
        twins.block(t.random);
        same = same && twins.identical();
    }
    t.verdict.check(same, "an unknown opcode changed the sound: the twins' outputs parted");
}
