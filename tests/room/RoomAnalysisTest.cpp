#include <gtest/gtest.h>
#include <sndfile.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "gui/PngFile.h"
#include "room/RoomAnalysis.h"
#include "room/RoomReport.h"
#include "tests/support/HostRun.h"
#include "tests/support/ScratchFolder.h"

using namespace room;

namespace {

constexpr double rate = 44100.0;
constexpr double pi = 3.14159265358979323846;

double envelope(double seconds, double t60) { return std::pow(10.0, -3.0 * seconds / t60); }

// Noise confined to a third of an octave either side of a band's centre: a
// tone whose pitch wanders at random. Its energy envelope is flat, so the
// only decay in it is the one it is given; band-filtered white noise would
// bring random fluctuations of several per cent into every decay time.
std::vector<double> wanderingTone(double centre, size_t frames, std::mt19937& rng) {
    std::uniform_real_distribution<double> push(-1.0, 1.0);
    std::vector<double> tone(frames);
    double pitch = 0.0, drift = 0.0, phase = 0.0;
    for (size_t i = 0; i < frames; ++i) {
        drift = 0.999 * drift + push(rng) * 40.0 / rate;
        pitch += 0.05 * drift;
        if (std::fabs(pitch) > 1.0) {
            pitch = std::copysign(2.0, pitch) - pitch;
            drift = -drift;
        }
        phase += 2.0 * pi * centre * std::pow(2.0, pitch / 3.0) / rate;
        tone[i] = std::cos(phase);
    }
    return tone;
}

// Every other octave band rings with its own decay time; bands two octaves
// apart leak too little into each other to move the result.
std::vector<float> bandsDecaying(int firstBand, const double (&t60)[bandCount], double seconds,
                                 unsigned seed) {
    std::mt19937 rng(seed);
    const size_t frames = static_cast<size_t>(seconds * rate);
    std::vector<float> response(frames, 0.0f);
    for (int k = firstBand; k < bandCount; k += 2) {
        const std::vector<double> tone = wanderingTone(nominalCentres[k], frames, rng);
        for (size_t i = 0; i < frames; ++i)
            response[i] +=
                static_cast<float>(tone[i] * envelope(static_cast<double>(i) / rate, t60[k]));
    }
    return response;
}

std::vector<float> whiteNoiseDecaying(double t60, double seconds, double floorDb, unsigned seed) {
    std::mt19937 rng(seed);
    std::normal_distribution<double> noise(0.0, 1.0);
    const double floor = std::pow(10.0, floorDb / 20.0);
    std::vector<float> response(static_cast<size_t>(seconds * rate));
    for (size_t i = 0; i < response.size(); ++i)
        response[i] = static_cast<float>(noise(rng) * envelope(static_cast<double>(i) / rate, t60) +
                                         floor * noise(rng));
    return response;
}

void expectWithin(const DecayFit& fit, double truth, double share, const std::string& what) {
    ASSERT_TRUE(fit.valid) << what;
    EXPECT_NEAR(fit.seconds, truth, share * truth) << what;
}

}  // namespace

TEST(RoomAnalysis, DecayTimesOfDecayingNoiseMatchTheT60SetInEachOctaveBand) {
    const double t60[bandCount] = {2.0, 1.7, 1.4, 1.2, 0.9, 0.7, 0.5};
    for (int first = 0; first < 2; ++first) {
        const ChannelAnalysis channel =
            analyzeChannel(bandsDecaying(first, t60, 2.3, 11 + first), rate);
        EXPECT_FALSE(channel.silent);
        for (int k = first; k < bandCount; k += 2) {
            const std::string band = bandName(nominalCentres[k]);
            expectWithin(channel.bands[k].t30, t60[k], 0.02, "T30 " + band);
            expectWithin(channel.bands[k].t20, t60[k], 0.02, "T20 " + band);
            expectWithin(channel.bands[k].edt, t60[k], 0.04, "EDT " + band);
        }
    }
    const ChannelAnalysis broad = analyzeChannel(whiteNoiseDecaying(1.0, 1.5, -200.0, 5), rate);
    expectWithin(broad.fullBand.t30, 1.0, 0.02, "T30 full band");
}

// A floor 30 dB under the start leaves room for EDT (0 to −10 dB, 10 dB of
// margin) but not for T20 or T30; a response cut off after 15 dB leaves room
// for nothing.
TEST(RoomAnalysis, ResponseThatDoesNotFallFarEnoughIsReportedAsSuch) {
    const ChannelAnalysis noisy = analyzeChannel(whiteNoiseDecaying(1.0, 3.0, -30.0, 7), rate);
    const DecayCurve& curve = noisy.fullBand;
    EXPECT_NEAR(curve.rangeDb, 30.0, 3.0);
    EXPECT_FALSE(curve.t30.valid);
    EXPECT_FALSE(curve.t20.valid);
    expectWithin(curve.edt, 1.0, 0.05, "EDT above the floor");
    const std::string shown = formatFit(curve, curve.t30);
    EXPECT_EQ(shown.front(), '(') << shown;
    EXPECT_NE(shown.find("dB)"), std::string::npos) << shown;

    const ChannelAnalysis cut = analyzeChannel(whiteNoiseDecaying(4.0, 1.0, -200.0, 9), rate);
    EXPECT_FALSE(cut.fullBand.edt.valid);
    EXPECT_FALSE(cut.fullBand.t20.valid);
    EXPECT_FALSE(cut.fullBand.t30.valid);
    for (const DecayCurve& band : cut.bands)
        EXPECT_FALSE(band.t30.valid) << bandName(band.centreHz);
}

// Echoes 150 ms apart, each 20 dB under the last: the decay curve falls in
// steps as tall as half the T30 range, and a line through it says nothing.
TEST(RoomAnalysis, SparseEchoesAreMarkedAsNoStraightDecay) {
    std::vector<float> echoes(static_cast<size_t>(2.0 * rate), 0.0f);
    float level = 1.0f;
    for (size_t i = 0; i < echoes.size(); i += static_cast<size_t>(0.15 * rate), level *= 0.1f)
        echoes[i] = level;
    const DecayCurve stepped = analyzeChannel(echoes, rate).fullBand;
    ASSERT_TRUE(stepped.t30.valid);
    EXPECT_EQ(formatFit(stepped, stepped.t30).back(), '*');

    const DecayCurve smooth =
        analyzeChannel(whiteNoiseDecaying(1.0, 1.5, -200.0, 3), rate).fullBand;
    EXPECT_NE(formatFit(smooth, smooth.t30).back(), '*');
}

namespace {

// The full-band T30 of both channels from the printed table.
std::vector<double> fullBandT30(const std::string& output) {
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("full band", 0) != 0) continue;
        std::istringstream cells(line.substr(9));
        double v[6] = {};
        for (double& x : v) cells >> x;
        if (cells.fail()) return {};
        return {v[2], v[5]};
    }
    return {};
}

}  // namespace

TEST(RoomAnalysisOfTheModule, MoreDampingRingsLongerInBothChannels) {
    const HostRun shorter = runHost("--analyze --rate 32000 --set Damping=0.45");
    const HostRun longer = runHost("--analyze --rate 32000 --set Damping=0.55");
    ASSERT_EQ(shorter.status, 0) << shorter.output;
    ASSERT_EQ(longer.status, 0) << longer.output;
    const std::vector<double> a = fullBandT30(shorter.output);
    const std::vector<double> b = fullBandT30(longer.output);
    ASSERT_EQ(a.size(), 2u) << shorter.output;
    ASSERT_EQ(b.size(), 2u) << longer.output;
    EXPECT_GT(b[0], a[0] * 1.2) << shorter.output << longer.output;
    EXPECT_GT(b[1], a[1] * 1.2) << shorter.output << longer.output;
}

TEST(RoomAnalysisOfTheModule, WritesTheImpulseResponseAsFloatsAndItsPicture) {
    const std::string dir = testsupport::scratchFolder("brv-room");
    std::system(("rm -rf '" + dir + "' && mkdir -p '" + dir + "'").c_str());
    const std::string ir = dir + "/ir.wav", plot = dir + "/decay.png";
    const HostRun run =
        runHost("--ir '" + ir + "' --plot '" + plot + "' --rate 32000 --set Dry-Wet=0.2");
    ASSERT_EQ(run.status, 0) << run.output;

    SF_INFO info{};
    SNDFILE* f = sf_open(ir.c_str(), SFM_READ, &info);
    ASSERT_NE(f, nullptr);
    EXPECT_EQ(info.channels, 2);
    EXPECT_EQ(info.samplerate, 32000);
    EXPECT_EQ(info.format, SF_FORMAT_WAV | SF_FORMAT_FLOAT);
    std::vector<float> samples(static_cast<size_t>(info.frames) * 2);
    sf_readf_float(f, samples.data(), info.frames);
    sf_close(f);
    // Wet only whatever Dry-Wet says: the dry impulse is not in it.
    std::vector<float> left(samples.size() / 2), right(samples.size() / 2);
    for (size_t i = 0; i < left.size(); ++i) {
        left[i] = samples[2 * i];
        right[i] = samples[2 * i + 1];
    }
    const RoomAnalysis analysis = analyzeRoom(left, right, 32000.0);
    ASSERT_TRUE(analysis.left.fullBand.t30.valid) << "the response is long enough to measure";
    EXPECT_LT(std::fabs(samples[0]), 0.5f);

    platform::Image picture;
    ASSERT_TRUE(readPng(plot.c_str(), picture));
    EXPECT_GT(picture.width, 600);
    EXPECT_GT(picture.height, 400);
    std::system(("rm -rf '" + dir + "'").c_str());
}

// One loud click over a faint tail: the decay curve drops 40 dB within a
// sample. A line through that step "falls 60 dB" in no time; it must not
// pass for a decay time, and the table must explain every mark it shows.
TEST(RoomAnalysis, OneSteepStepIsMarkedAndEveryMarkInTheTableIsExplained) {
    std::vector<float> response = whiteNoiseDecaying(0.5, 1.5, -200.0, 5);
    for (float& v : response) v *= 1e-4f;
    response[0] = 1.0f;
    const ChannelAnalysis clicked = analyzeChannel(response, rate);
    const DecayCurve& curve = clicked.fullBand;
    ASSERT_TRUE(curve.edt.valid);
    EXPECT_EQ(formatFit(curve, curve.edt), "0.000*");
    const RoomAnalysis room = analyzeRoom(response, response, rate);
    const std::string report = formatReport(room, RenderNote{true, 70.0});
    EXPECT_NE(report.find("0.000*"), std::string::npos) << report;
    EXPECT_NE(report.find("--"), std::string::npos) << report;
    const std::string legend = report.substr(report.find("EDT from"));
    for (const char* mark : {"(N dB):", "n/a:", "*:", "--:"})
        EXPECT_NE(legend.find(mark), std::string::npos) << mark << " unexplained in\n" << legend;
}
