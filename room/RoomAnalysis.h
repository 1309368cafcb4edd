// What an impulse response says about the room it rings in, measured as
// ISO 3382 does: the first arrival, the energy decay curve by Schroeder's
// backward integration of the squared response, and decay times from
// least-squares lines fitted to that curve, extrapolated to 60 dB.
//
// A measure is given only where the response falls far enough: its lower
// evaluation limit must lie at least 10 dB above the floor the decay runs
// into (a noise floor, or simply where the response ends), and the curve
// must reach that limit.
#pragma once

#include <array>
#include <vector>

#include "room/OctaveFilter.h"

namespace room {

// One decay time: a line fitted to the decay curve between two levels.
struct DecayFit {
    bool valid = false;
    double seconds = 0.0;    // time for the line to fall 60 dB
    double slope = 0.0;      // dB per second
    double intercept = 0.0;  // dB at the first arrival
    // 1000 (1 − r²) of the fit, ISO 3382-2's non-linearity: above 10 the
    // curve bends over the range; far above, as for a few sparse echoes
    // whose curve falls in steps, the line describes no decay at all.
    double nonLinearity = 0.0;
    double fromDb = 0.0;  // the evaluation range, e.g. −5 and −35
    double toDb = 0.0;
};

struct DecayCurve {
    double centreHz = 0.0;   // 0 for the full band
    bool available = false;  // false where the band reaches the Nyquist frequency
    // Envelope peak to floor, in dB: how far the decay can be followed.
    double rangeDb = 0.0;
    // The Schroeder curve in dB (0 at the first arrival), every `step`
    // seconds, up to where integration stopped.
    std::vector<float> levelsDb;
    double step = 0.0;
    DecayFit edt;  // 0 to −10 dB
    DecayFit t20;  // −5 to −25 dB
    DecayFit t30;  // −5 to −35 dB
};

struct ChannelAnalysis {
    bool silent = true;
    // Seconds from the impulse to the first sample within 20 dB of the
    // response's peak magnitude; decay curves start here.
    double firstArrival = 0.0;
    DecayCurve fullBand;
    std::array<DecayCurve, bandCount> bands;
};

struct RoomAnalysis {
    double sampleRate = 0.0;
    double seconds = 0.0;  // length of the response analysed
    ChannelAnalysis left;
    ChannelAnalysis right;
    // Zero-lag correlation coefficient of left and right from 80 ms after
    // the earlier first arrival to the end: 1 for a mono tail, near 0 for a
    // wide one. Not valid when either side is silent there.
    bool correlationValid = false;
    double tailCorrelation = 0.0;
};

constexpr double tailStartSeconds = 0.080;
// Beyond this non-linearity a decay time is shown marked as meaningless.
constexpr double straightLineLimit = 200.0;

// The decay curve of a squared response that starts at its first arrival.
// `centreHz` only chooses the envelope's window (at least five periods of
// the band) and is recorded.
DecayCurve analyzeDecay(const std::vector<double>& energy, double sampleRate, double centreHz);

ChannelAnalysis analyzeChannel(const std::vector<float>& response, double sampleRate);

RoomAnalysis analyzeRoom(const std::vector<float>& left, const std::vector<float>& right,
                         double sampleRate);

}  // namespace room
