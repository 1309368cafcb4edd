// One picture of an impulse response: the waveform of both channels over
// the first 200 ms, and the left channel's energy decay curves, full band
// and per octave band, with the lines the T30 values come from. Drawn with
// the toolkit's own drawing and text code on a memory surface.
#pragma once

#include <string>

#include "gui/platform/ReadBack.h"
#include "host/DemoPhrase.h"
#include "room/RoomAnalysis.h"

namespace room {

struct PlotCaption {
    std::string title;
    std::string subtitle;  // the settings, say
};

constexpr int plotWidth = 1000;
constexpr int plotHeight = 760;

platform::Image drawDecayPlot(const RoomAnalysis& analysis, const StereoSignal& response,
                              const PlotCaption& caption);

// Writes the picture as a PNG file; the caller writes it under a partial
// name and renames it when complete (see OutputFile).
bool writeDecayPlot(const std::string& path, const RoomAnalysis& analysis,
                    const StereoSignal& response, const PlotCaption& caption);

}  // namespace room
