// A preset is a room, and a room must not change with the session's sample
// rate. Each preset is measured with the command-line host at 44.1 kHz and
// at other rates, and the decay of every octave band compared.
//
// Two differences are the design's own and are allowed for. The late
// lines read between samples through a cubic that itself takes a little
// treble at every pass (about 0.4 dB at 8 kHz at 44.1 kHz, almost none at
// 192 kHz), so the 8 kHz band rings longer at high rates: it has a wider
// margin. And the full band is not compared: from 88.2 kHz on it holds
// sound above 20 kHz, which 44.1 kHz cannot carry and which dies faster.
//
// One preset gets a little more room. The tiled bathroom's small loops at
// diffusion 0.95 ring in a few strong modes, and where they fall depends on
// the one sample each allpass adds and the whole samples of the early
// delays, which stay samples at every rate. Its band times jitter by a few
// per cent when the rate moves at all: from 44.1 to 44.3 kHz its 1 kHz T30
// moves by 3 %, and at 96 kHz by 5.1 %.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/presets/AnalyzeReport.h"
#include "tests/presets/FactoryPresetNames.h"
#include "tests/support/HostRun.h"

namespace {

struct RoomCase {
    std::string preset;
    std::vector<int> rates;
    double bandShare;  // how far a band's T30 up to 4 kHz may move
};

AnalyzeReport measure(const std::string& preset, int rate) {
    const HostRun run =
        runHost("--quiet --analyze --preset '" + preset + "' --rate " + std::to_string(rate));
    EXPECT_EQ(run.status, 0) << run.output;
    return AnalyzeReport(run.output);
}

// Octave bands up to 4 kHz within 5 % (or 20 ms, as short rooms measure
// less steadily); 8 kHz within 40 %.
void expectSameDecay(const AnalyzeReport& base, const AnalyzeReport& other, double bandShare,
                     const std::string& what) {
    const char* bands[] = {"125 Hz", "250 Hz", "500 Hz", "1 kHz", "2 kHz", "4 kHz", "8 kHz"};
    for (const char* band : bands) {
        const bool treble = std::string(band) == "8 kHz";
        for (int column : {AnalyzeReport::t30Left, AnalyzeReport::t30Right}) {
            const char* side = column == AnalyzeReport::t30Left ? "left" : "right";
            const auto a = base.bands.find(band);
            const auto b = other.bands.find(band);
            ASSERT_TRUE(a != base.bands.end() && b != other.bands.end()) << what << " " << band;
            double t44 = 0.0, t = 0.0;
            if (!AnalyzeReport::seconds(a->second[column], t44) ||
                !AnalyzeReport::seconds(b->second[column], t)) {
                EXPECT_EQ(b->second[column], a->second[column])
                    << what << ", " << band << " " << side << ": a T30 that is not a time";
                continue;
            }
            const double margin = treble ? 0.4 * t44 : std::max(bandShare * t44, 0.02);
            EXPECT_NEAR(t, t44, margin) << what << ", " << band << " " << side << " T30";
        }
    }
    EXPECT_NEAR(other.arrivalLeft, base.arrivalLeft, 0.1 + 1e-9) << what << ", first arrival";
    EXPECT_NEAR(other.arrivalRight, base.arrivalRight, 0.1 + 1e-9) << what << ", first arrival";
}

class RoomAtEveryRate : public ::testing::TestWithParam<RoomCase> {};

// Every preset at 96 kHz; a short, a medium and a long room from 48 to
// 192 kHz as well.
std::vector<RoomCase> roomCases() {
    std::vector<RoomCase> cases;
    for (const std::string& name : presetNames()) {
        const double share = name == "Tiled Bathroom" ? 0.06 : 0.05;
        if (name == "Small Room" || name == "Medium Hall" || name == "Cathedral")
            cases.push_back({name, {48000, 88200, 96000, 192000}, share});
        else
            cases.push_back({name, {96000}, share});
    }
    return cases;
}

}  // namespace

TEST_P(RoomAtEveryRate, DecaysAsAt44100InEveryOctaveBand) {
    const RoomCase& room = GetParam();
    const AnalyzeReport base = measure(room.preset, 44100);
    ASSERT_EQ(base.bands.size(), 8u) << "no report at 44.1 kHz";
    for (int rate : room.rates) {
        const AnalyzeReport other = measure(room.preset, rate);
        expectSameDecay(base, other, room.bandShare,
                        room.preset + " at " + std::to_string(rate) + " Hz");
    }
}

INSTANTIATE_TEST_SUITE_P(FactoryPresets, RoomAtEveryRate, ::testing::ValuesIn(roomCases()),
                         [](const ::testing::TestParamInfo<RoomCase>& param) {
                             return testNameOf(param.param.preset);
                         });
