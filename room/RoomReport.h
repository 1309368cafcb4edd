// The room analysis as the command-line host prints it: one table of decay
// times for both channels, with the first arrival and the tail's correlation.
#pragma once

#include <string>

#include "room/RoomAnalysis.h"

namespace room {

// How the render ended, for the heading: the tail fell `fallDb`, or the
// render stopped at its time limit first.
struct RenderNote {
    bool fell = false;
    double fallDb = 0.0;
};

std::string formatReport(const RoomAnalysis& analysis, const RenderNote& note);

// "125 Hz", "2 kHz", "full band".
std::string bandName(double centreHz);

// A decay time as a table shows it: seconds, marked "*" where the curve is
// far from a straight line over the range or falls through it in one step,
// "(N dB)" where the decay spans only N dB, too little for this measure,
// "n/a" for a band this sample rate cannot hold, "--" where no line fits.
std::string formatFit(const DecayCurve& curve, const DecayFit& fit);

}  // namespace room
