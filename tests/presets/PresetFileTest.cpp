// The factory presets as files and as the command-line host applies them:
// the program and bank layout written and read back, every kind of bad file
// refused whole, and what a preset sets heard in a render.
#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <limits>
#include <sstream>
#include <string>
#include <vector>

#include "gui/PngFile.h"
#include "presets/FactoryPresets.h"
#include "presets/PresetFile.h"
#include "presets/PresetList.h"
#include "tests/support/HostRun.h"
#include "tests/support/ScratchFolder.h"

namespace {

const std::string factoryDir = BRV_VST2_PRESET_DIR;

std::vector<NamedPreset> sourcePresets() {
    std::ifstream in(BRV_PRESET_SOURCE);
    std::ostringstream text;
    text << in.rdbuf();
    std::vector<NamedPreset> presets;
    std::string error;
    EXPECT_TRUE(parsePresetList(text.str(), presets, error)) << error;
    return presets;
}

int32_t wordAt(const std::vector<uint8_t>& bytes, size_t at) {
    return static_cast<int32_t>((uint32_t{bytes[at]} << 24) | (uint32_t{bytes[at + 1]} << 16) |
                                (uint32_t{bytes[at + 2]} << 8) | bytes[at + 3]);
}

void putWord(std::vector<uint8_t>& bytes, size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<uint8_t>(value >> (24 - 8 * i));
}

void putFloat(std::vector<uint8_t>& bytes, size_t at, float value) {
    uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof(bits));
    putWord(bytes, at, bits);
}

NamedPreset makePreset(const std::string& name, float first) {
    NamedPreset preset;
    preset.name = name;
    for (int32_t i = 0; i < paramCount; ++i)
        preset.values[i] = std::fmod(first + 0.1234567f * i, 1.0f);
    preset.values[paramOnOff] = 1.0f;
    return preset;
}

struct PresetFiles : ::testing::Test {
    void SetUp() override {
        dir = testsupport::scratchFolder(
            "brv-presets-" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::system(("rm -rf '" + dir + "' && mkdir -p '" + dir + "'").c_str());
    }
    void TearDown() override { std::system(("rm -rf '" + dir + "'").c_str()); }

    std::string write(const std::string& name, const std::vector<uint8_t>& bytes) {
        const std::string path = dir + "/" + name;
        std::string error;
        EXPECT_TRUE(presetfile::saveBytes(path, bytes, error)) << error;
        return path;
    }

    // The demo phrase with a short tail through the module: its samples (the
    // file's header carries the time it was written).
    std::vector<float> render(const std::string& args) {
        const std::string out = dir + "/render.wav";
        std::remove(out.c_str());
        const HostRun run = runHost("--demo --tail 0.3 --quiet -o '" + out + "' " + args);
        EXPECT_EQ(run.status, 0) << args << "\n" << run.output;
        SF_INFO info{};
        SNDFILE* file = sf_open(out.c_str(), SFM_READ, &info);
        if (!file) return {};
        std::vector<float> samples(static_cast<size_t>(info.frames) * info.channels);
        sf_readf_float(file, samples.data(), info.frames);
        sf_close(file);
        return samples;
    }

    static std::string setAll(const NamedPreset& preset, bool withDryWet) {
        std::string args;
        for (int32_t i = 0; i < paramCount; ++i)
            if (withDryWet || i != paramDryWet)
                args += " --set " + std::to_string(i) + "=" + shortestFloat(preset.values[i]);
        return args;
    }

    std::string dir;
};

}  // namespace

TEST_F(PresetFiles, ProgramAndBankKeepTheLayoutAndReadBackExactly) {
    const NamedPreset preset = makePreset("Twenty-three chars long", 0.0f);
    const std::vector<uint8_t> program = presetfile::writeProgram(preset);
    ASSERT_EQ(program.size(), 92u);
    EXPECT_EQ(std::string(program.begin(), program.begin() + 4), "CcnK");
    EXPECT_EQ(wordAt(program, 4), 84) << "the size counts what follows it";
    EXPECT_EQ(std::string(program.begin() + 8, program.begin() + 12), "FxCk");
    EXPECT_EQ(std::string(program.begin() + 16, program.begin() + 20), "TWrv");
    EXPECT_EQ(wordAt(program, 24), 9);
    EXPECT_EQ(std::string(reinterpret_cast<const char*>(&program[28])), preset.name);
    EXPECT_EQ(wordAt(program, 56 + 4 * paramOnOff), 0x3F800000) << "1.0f, big-endian";
    NamedPreset back;
    std::string error;
    ASSERT_TRUE(presetfile::readProgram(program, back, error)) << error;
    EXPECT_EQ(back.name, preset.name);
    EXPECT_EQ(back.values, preset.values);

    std::vector<NamedPreset> many;
    for (int i = 0; i < 18; ++i)
        many.push_back(makePreset("Preset " + std::to_string(i), 0.05f * i));
    const std::vector<uint8_t> bank = presetfile::writeBank(many);
    ASSERT_EQ(bank.size(), 156u + 16u * 92u);
    EXPECT_EQ(std::string(bank.begin() + 8, bank.begin() + 12), "FxBk");
    EXPECT_EQ(wordAt(bank, 4), static_cast<int32_t>(bank.size() - 8));
    EXPECT_EQ(wordAt(bank, 24), 16) << "the module's program count, not the source's";
    std::vector<NamedPreset> programs;
    ASSERT_TRUE(presetfile::readBank(bank, programs, error)) << error;
    ASSERT_EQ(programs.size(), 16u);
    for (size_t i = 0; i < programs.size(); ++i) {
        EXPECT_EQ(programs[i].name, many[i].name);
        EXPECT_EQ(programs[i].values, many[i].values);
    }
    ASSERT_TRUE(presetfile::readBank(presetfile::writeBank({preset}), programs, error)) << error;
    EXPECT_EQ(programs[15].name, "Init")
        << "a short list leaves the rest as the module starts them";
    EXPECT_EQ(programs[15].values[paramDryWet], parameterTable[paramDryWet].defaultValue);
}

TEST_F(PresetFiles, TheBuiltBankHoldsTheFirstSixteenOfTheSource) {
    const std::vector<NamedPreset> source = sourcePresets();
    ASSERT_GE(source.size(), 16u);
    std::vector<uint8_t> bytes;
    std::string error;
    ASSERT_TRUE(presetfile::loadBytes(factoryDir + "/Brellivaunt Factory.fxb", bytes, error))
        << error;
    std::vector<NamedPreset> bank;
    ASSERT_TRUE(presetfile::readBank(bytes, bank, error)) << error;
    ASSERT_EQ(bank.size(), 16u);
    for (size_t i = 0; i < bank.size(); ++i) {
        EXPECT_EQ(bank[i].name, source[i].name);
        EXPECT_EQ(bank[i].values, source[i].values);
        EXPECT_EQ(bank[i].values[paramOnOff], 1.0f) << bank[i].name << " switches the reverb on";
        EXPECT_EQ(bank[i].values[paramMonoIn], 0.0f) << bank[i].name << " keeps stereo input";
    }
    for (const NamedPreset& preset : source) {
        NamedPreset read;
        ASSERT_TRUE(presetfile::loadBytes(factoryDir + "/" + preset.name + ".fxp", bytes, error))
            << error;
        ASSERT_TRUE(presetfile::readProgram(bytes, read, error)) << preset.name << ": " << error;
        EXPECT_EQ(read.values, preset.values) << preset.name;
    }
}

// The table the panel and the host compile in is written by CMake, not by
// this parser; the two must read the source alike, to the bit.
TEST_F(PresetFiles, TheCompiledTableIsTheSourceAsTheParserReadsIt) {
    const std::vector<NamedPreset> source = sourcePresets();
    ASSERT_EQ(static_cast<size_t>(factoryPresetCount), source.size());
    for (size_t i = 0; i < source.size(); ++i) {
        EXPECT_EQ(std::string(factoryPresets[i].name), source[i].name);
        for (int32_t p = 0; p < paramCount; ++p)
            EXPECT_EQ(
                std::memcmp(&factoryPresets[i].values[p], &source[i].values[p], sizeof(float)), 0)
                << source[i].name << " parameter " << p;
    }
}

// A factory preset by name keeps the user's Dry-Wet; the same preset as a
// file, or from the bank, sets all nine values.
TEST_F(PresetFiles, HostAppliesNamedPresetsWithoutDryWetAndFilesWithAllNine) {
    const std::vector<NamedPreset> source = sourcePresets();
    ASSERT_GE(source.size(), 9u);
    const NamedPreset& hall = source[8];
    ASSERT_NE(hall.values[paramDryWet], parameterTable[paramDryWet].defaultValue)
        << "else the check below proves nothing";
    const std::vector<float> byName = render("--preset '" + hall.name + "'");
    ASSERT_FALSE(byName.empty());
    EXPECT_TRUE(byName == render(setAll(hall, false))) << "every value but Dry-Wet";
    EXPECT_FALSE(byName == render(setAll(hall, true))) << "Dry-Wet stays as it was";
    const std::vector<float> byFile = render("--preset '" + factoryDir + "/" + hall.name + ".fxp'");
    EXPECT_TRUE(byFile == render(setAll(hall, true))) << "a program file sets all nine";
    EXPECT_TRUE(byFile ==
                render("--bank '" + factoryDir + "/Brellivaunt Factory.fxb' --bank-program 8"))
        << "the bank's program 8 is the source's ninth preset";
    EXPECT_TRUE(render("--set Dry-Wet=0.9 --preset '" + hall.name + "'") ==
                render("--preset '" + hall.name + "' --set Dry-Wet=0.9"))
        << "the user's settings come after the preset, wherever they stand";

    const HostRun list = runHost("--list-presets");
    ASSERT_EQ(list.status, 0) << list.output;
    for (const NamedPreset& preset : source)
        EXPECT_NE(list.output.find(preset.name), std::string::npos) << preset.name;
}

// The presets' pictures are laid side by side in docs/, so a plot of a
// preset names it in its title; the same values set one by one draw the
// same picture under the plain title.
TEST_F(PresetFiles, APresetsPlotNamesItInItsTitleAndNowhereElse) {
    const std::vector<NamedPreset> source = sourcePresets();
    ASSERT_FALSE(source.empty());
    const NamedPreset& booth = source[0];
    const std::string named = dir + "/named.png", plain = dir + "/plain.png";
    const HostRun byName = runHost("--quiet --plot '" + named + "' --preset '" + booth.name + "'");
    ASSERT_EQ(byName.status, 0) << byName.output;
    const HostRun byValues = runHost("--quiet --plot '" + plain + "'" + setAll(booth, false));
    ASSERT_EQ(byValues.status, 0) << byValues.output;
    platform::Image withName, without;
    ASSERT_TRUE(readPng(named.c_str(), withName));
    ASSERT_TRUE(readPng(plain.c_str(), without));
    ASSERT_EQ(withName.width, without.width);
    ASSERT_EQ(withName.height, without.height);
    int firstRow = -1, lastRow = -1;
    for (int y = 0; y < withName.height; ++y) {
        for (int x = 0; x < withName.width; ++x) {
            if (withName.at(x, y) == without.at(x, y)) continue;
            if (firstRow < 0) firstRow = y;
            lastRow = y;
            break;
        }
    }
    EXPECT_GE(firstRow, 0) << "the titles differ";
    EXPECT_LT(lastRow, 30) << "nothing but the title's rows differ";
}

TEST_F(PresetFiles, HostRefusesEveryBadFileWithOneLineAndAppliesNothing) {
    const std::vector<uint8_t> good = presetfile::writeProgram(makePreset("Good", 0.2f));
    std::vector<std::pair<std::string, std::vector<uint8_t>>> programs;
    auto variant = [&](const std::string& name, auto change) {
        std::vector<uint8_t> bytes = good;
        change(bytes);
        programs.emplace_back(name, bytes);
    };
    variant("magic.fxp", [](std::vector<uint8_t>& b) { b[0] = 'X'; });
    variant("chunk.fxp", [](std::vector<uint8_t>& b) { b[9] = 'P', b[10] = 'C', b[11] = 'h'; });
    variant("id.fxp", [](std::vector<uint8_t>& b) { putWord(b, 16, 0x41424344); });
    variant("count.fxp", [](std::vector<uint8_t>& b) { putWord(b, 24, 8); });
    variant("huge-count.fxp", [](std::vector<uint8_t>& b) { putWord(b, 24, 0x7FFFFFFF); });
    variant("short.fxp", [](std::vector<uint8_t>& b) { b.resize(b.size() - 1); });
    variant("header.fxp", [](std::vector<uint8_t>& b) { b.resize(20); });
    variant("empty.fxp", [](std::vector<uint8_t>& b) { b.clear(); });
    variant("high.fxp", [](std::vector<uint8_t>& b) { putFloat(b, 56 + 4 * 3, 1.5f); });
    variant("negative.fxp", [](std::vector<uint8_t>& b) { putFloat(b, 56 + 4 * 8, -0.25f); });
    variant("nan.fxp", [](std::vector<uint8_t>& b) {
        putFloat(b, 56, std::numeric_limits<float>::quiet_NaN());
    });
    variant("bank.fxp", [](std::vector<uint8_t>& b) { b = presetfile::writeBank({}); });

    std::vector<NamedPreset> sixteen(16, makePreset("Bank", 0.3f));
    const std::vector<uint8_t> bank = presetfile::writeBank(sixteen);
    std::vector<uint8_t> shortBank(bank.begin(), bank.end() - 10);
    std::vector<uint8_t> badInBank = bank;
    putFloat(badInBank, 156 + 5 * 92 + 56, 2.0f);
    std::vector<uint8_t> otherBank = bank;
    putWord(otherBank, 16, 0x41424344);

    std::vector<std::string> cases;
    for (const auto& [name, bytes] : programs)
        cases.push_back("--preset '" + write(name, bytes) + "'");
    cases.push_back("--bank '" + write("short.fxb", shortBank) + "' --bank-program 0");
    cases.push_back("--bank '" + write("bad.fxb", badInBank) + "' --bank-program 0");
    cases.push_back("--bank '" + write("other.fxb", otherBank) + "' --bank-program 0");
    cases.push_back("--bank '" + write("good.fxb", bank) + "' --bank-program 16");
    cases.push_back("--bank '" + write("program.fxb", good) + "' --bank-program 0");
    cases.push_back("--preset '" + dir + "/missing.fxp'");
    cases.push_back("--preset 'No Such Room'");

    const std::string picture = dir + "/panel.png";
    for (const std::string& args : cases) {
        const HostRun run = runHost(args + " --panel '" + picture + "'");
        EXPECT_EQ(run.status, 1) << args << "\n" << run.output;
        EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1) << args << "\n"
                                                                             << run.output;
        EXPECT_FALSE(std::ifstream(picture).good())
            << args << ": nothing runs after a refused file";
    }
    const HostRun applied =
        runHost("--bank '" + dir + "/good.fxb' --bank-program 15 --panel '" + picture + "'");
    EXPECT_EQ(applied.status, 0) << applied.output;

    for (const char* usage :
         {"--bank-program 3", "--bank x.fxb", "--preset",
          "--preset a.fxp --bank b.fxb --bank-program 0", "--bank b.fxb --bank-program two"}) {
        const HostRun run = runHost(usage);
        EXPECT_EQ(run.status, 2) << usage << "\n" << run.output;
        EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1) << usage << "\n"
                                                                             << run.output;
    }
}

TEST(PresetSource, ALineThatIsNoPresetIsRefusedWithItsNumber) {
    std::vector<NamedPreset> presets;
    std::string error;
    const std::string good = "Room | 0.1 0.2 0.3 0.4 0.5 0.6 0 1 0\n";
    ASSERT_TRUE(parsePresetList("# comment\n\n" + good, presets, error)) << error;
    ASSERT_EQ(presets.size(), 1u);
    EXPECT_EQ(presets[0].name, "Room");
    EXPECT_EQ(presets[0].values[4], 0.5f);
    const std::string bad[] = {
        "A name of twenty-four ch | 0 0 0 0 0 0 0 1 0",
        "Room | 0.1 0.2 0.3 0.4 0.5 0.6 0 1 0",  // the name again, in other case below
        "Short | 0 0 0 0 0 0 0 1",
        "Long | 0 0 0 0 0 0 0 1 0 0",
        "High | 0 0 1.01 0 0 0 0 1 0",
        "Word | 0 0 half 0 0 0 0 1 0",
        "No bar 0 0 0 0 0 0 0 1 0",
        " | 0 0 0 0 0 0 0 1 0",
    };
    for (const std::string& line : bad) {
        std::vector<NamedPreset> kept = presets;
        const std::string text =
            good + "\n" + (line.rfind("Room", 0) == 0 ? "ROOM" + line.substr(4) : line) + "\n";
        EXPECT_FALSE(parsePresetList(text, kept, error)) << line;
        EXPECT_EQ(error.rfind("line 3: ", 0), 0u) << line << ": " << error;
        EXPECT_EQ(kept.size(), 1u) << "a refused source changes nothing";
    }
}
