#include <gtest/gtest.h>
#include <sndfile.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "gui/PngFile.h"
#include "tests/support/HostRun.h"
#include "tests/support/ScratchFolder.h"

namespace {

bool exists(const std::string& path) {
    FILE* f = std::fopen(path.c_str(), "rb");
    if (f) std::fclose(f);
    return f != nullptr;
}

struct CommandLineHost : ::testing::Test {
    void SetUp() override {
        dir = testsupport::scratchFolder(
            "brv-cli-" +
            std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        std::system(("rm -rf '" + dir + "' && mkdir -p '" + dir + "'").c_str());
    }
    void TearDown() override { std::system(("rm -rf '" + dir + "'").c_str()); }

    // A short mono 16-bit WAV with one click.
    std::string writeMonoWav(int rate, int frames) {
        const std::string path = dir + "/in.wav";
        SF_INFO info{};
        info.samplerate = rate;
        info.channels = 1;
        info.format = SF_FORMAT_WAV | SF_FORMAT_PCM_16;
        SNDFILE* f = sf_open(path.c_str(), SFM_WRITE, &info);
        std::vector<float> samples(frames, 0.0f);
        samples[10] = 0.9f;
        sf_writef_float(f, samples.data(), frames);
        sf_close(f);
        return path;
    }

    std::string dir;
};

}  // namespace

TEST_F(CommandLineHost, RendersAMonoFileWithItsTailInTheInputsFormat) {
    const std::string in = writeMonoWav(22050, 2205);
    const std::string out = dir + "/out.wav";
    const HostRun run =
        runHost("--quiet --tail 1 --set Dry-Wet=1 --set 2=0.8 -o " + out + " " + in);
    ASSERT_EQ(run.status, 0) << run.output;
    SF_INFO info{};
    SNDFILE* f = sf_open(out.c_str(), SFM_READ, &info);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(info.channels, 2);
    EXPECT_EQ(info.samplerate, 22050);
    EXPECT_EQ(info.frames, 2205 + 22050);
    EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_PCM_16);
    std::vector<float> samples(static_cast<size_t>(info.frames) * 2);
    sf_readf_float(f, samples.data(), info.frames);
    sf_close(f);
    double late = 0.0;
    for (size_t i = 2 * 11025; i < samples.size(); ++i) late += std::fabs(samples[i]);
    EXPECT_GT(late, 0.0) << "the reverb tail reaches past the input";
}

TEST_F(CommandLineHost, FloatOutputAndTheDemoPhrase) {
    const std::string out = dir + "/demo.wav";
    const HostRun run = runHost("--demo --tail 0.5 -o " + out);
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find(out), std::string::npos) << "says where it wrote";
    EXPECT_EQ(run.output.find('\r'), std::string::npos) << "no progress bar off a terminal";
    SF_INFO info{};
    SNDFILE* f = sf_open(out.c_str(), SFM_READ, &info);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(info.format & SF_FORMAT_SUBMASK, SF_FORMAT_FLOAT);
    sf_close(f);
}

TEST_F(CommandLineHost, PrintsDescriptorParametersAndPrograms) {
    const HostRun run = runHost("--info");
    ASSERT_EQ(run.status, 0) << run.output;
    EXPECT_NE(run.output.find("Tarnwick Research Brellivaunt R 1.0"), std::string::npos);
    EXPECT_NE(run.output.find("Early-Late"), std::string::npos);
    EXPECT_NE(run.output.find("0.500000"), std::string::npos);
    EXPECT_NE(run.output.find("'TWrv'"), std::string::npos);
}

TEST_F(CommandLineHost, BadRequestsFailWithOneLineAndNoOutputFile) {
    const std::string in = writeMonoWav(44100, 100);
    const std::string out = dir + "/out.wav";
    const std::string garbage = dir + "/garbage.wav";
    std::FILE* g = std::fopen(garbage.c_str(), "wb");
    std::fputs("this is not audio", g);
    std::fclose(g);
    const std::string cases[] = {
        "-o " + out + " " + dir + "/missing.wav",  "-o " + out + " " + garbage,
        "-o " + out + " --set Loudness=0.5 " + in, "-o " + out + " --set Dry-Wet=1.5 " + in,
        "-o " + out + " --set 3=-0.1 " + in,       "-o " + out + " --set Mono-In= " + in,
        "-o " + out + " --set 9=0.5 " + in,        "-o " + out + " --program 16 " + in,
    };
    for (const std::string& args : cases) {
        const HostRun run = runHost(args);
        EXPECT_NE(run.status, 0) << args;
        EXPECT_EQ(std::count(run.output.begin(), run.output.end(), '\n'), 1) << run.output;
        EXPECT_FALSE(exists(out)) << args;
        EXPECT_FALSE(exists(out + ".partial")) << args;
    }
}

// The module draws the picture itself: with program 0's values it must be the
// panel the editor's own tests keep.
TEST_F(CommandLineHost, PanelWritesTheModulesPictureOfItsPanelWithTheSettingsApplied) {
    const std::string path = dir + "/panel.png";
    const HostRun run = runHost("--panel '" + path + "' --set 7=0");
    ASSERT_EQ(run.status, 0) << run.output;
    platform::Image drawn, kept;
    ASSERT_TRUE(readPng(path.c_str(), drawn));
    ASSERT_TRUE(readPng(BRV_PANEL_REFERENCE, kept));
    EXPECT_EQ(drawn.width, 547);
    EXPECT_EQ(drawn.height, 202);
    EXPECT_EQ(drawn.pixels, kept.pixels);

    const HostRun on = runHost("--panel '" + path + "' --set Dry-Wet=1");
    ASSERT_EQ(on.status, 0) << on.output;
    ASSERT_TRUE(readPng(path.c_str(), drawn));
    EXPECT_NE(drawn.pixels, kept.pixels) << "power lamp and the wet/dry knob moved";
}
