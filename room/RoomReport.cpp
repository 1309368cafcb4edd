#include "room/RoomReport.h"

#include <cmath>
#include <cstdio>

namespace room {

namespace {

std::string printf1(const char* format, double value) {
    char text[64];
    std::snprintf(text, sizeof(text), format, value);
    return text;
}

std::string row(const std::string& label, const std::string& cells) {
    char text[32];
    std::snprintf(text, sizeof(text), "%-11s", label.c_str());
    return text + cells + "\n";
}

std::string cell(const std::string& text) {
    char padded[32];
    std::snprintf(padded, sizeof(padded), "%9s", text.c_str());
    return padded;
}

std::string channelCells(const DecayCurve& curve) {
    return cell(formatFit(curve, curve.edt)) + cell(formatFit(curve, curve.t20)) +
           cell(formatFit(curve, curve.t30));
}

}  // namespace

std::string bandName(double centreHz) {
    if (centreHz <= 0.0) return "full band";
    if (centreHz >= 1000.0) return printf1("%g kHz", centreHz / 1000.0);
    return printf1("%g Hz", centreHz);
}

std::string formatFit(const DecayCurve& curve, const DecayFit& fit) {
    if (!curve.available) return "n/a";
    if (fit.valid) {
        // A line through a curve that drops the whole range within a
        // sample or two is straight, and says nothing: no room falls 60 dB
        // in the half millisecond the table cannot show.
        const bool step = fit.seconds < 0.0005;
        return printf1(fit.seconds < 10.0 ? "%.3f" : "%.2f", fit.seconds) +
               (fit.nonLinearity > straightLineLimit || step ? "*" : "");
    }
    if (curve.rangeDb < -fit.toDb + 10.0) return printf1("(%.0f dB)", std::floor(curve.rangeDb));
    return "--";
}

std::string formatReport(const RoomAnalysis& a, const RenderNote& note) {
    std::string out =
        printf1("impulse response at %g Hz, ", a.sampleRate) + printf1("%.2f s", a.seconds);
    out += note.fell ? printf1(": the tail fell %.0f dB\n", note.fallDb)
                     : std::string(": stopped before the tail fell far\n");
    if (a.left.silent && a.right.silent) return out + "the module's output is silent\n";

    const auto arrival = [](const ChannelAnalysis& c) {
        return c.silent ? std::string("silent") : printf1("%.1f ms", c.firstArrival * 1000.0);
    };
    out += "first arrival (pre-delay): left " + arrival(a.left) + ", right " + arrival(a.right) +
           " (the first sample within 20 dB of the peak)\n";
    out += a.correlationValid
               ? printf1("tail correlation, left with right: %+.2f", a.tailCorrelation) +
                     printf1(" (from %.0f ms after the first arrival to the end)\n",
                             tailStartSeconds * 1000.0)
               : std::string("tail correlation: none (a side is silent)\n");

    out += "\ndecay times in seconds\n";
    out += row("", "  left" + std::string(23, ' ') + "  right");
    out += row("", cell("EDT") + cell("T20") + cell("T30") + "  " + cell("EDT") + cell("T20") +
                       cell("T30"));
    out +=
        row(bandName(0.0), channelCells(a.left.fullBand) + "  " + channelCells(a.right.fullBand));
    for (int k = 0; k < bandCount; ++k)
        out += row(bandName(a.left.bands[k].centreHz),
                   channelCells(a.left.bands[k]) + "  " + channelCells(a.right.bands[k]));
    out +=
        "EDT from 0 to -10 dB, T20 from -5 to -25 dB, T30 from -5 to -35 dB of the decay curve,\n"
        "extrapolated to 60 dB. (N dB): the decay spans only N dB above its floor or the end of\n"
        "the response, too little for that measure (EDT needs 20, T20 35, T30 45); n/a: the band\n"
        "reaches past half the sample rate; *: the curve is far from a straight line over that\n"
        "range (1 - r^2 above 0.2), as for a few sparse echoes, or drops through it in one step\n"
        "(shown as 0.000), and the number describes no decay; --: no line fits, as the curve\n"
        "drops through the whole range within one sample or stops above its bottom.\n";
    return out;
}

}  // namespace room
