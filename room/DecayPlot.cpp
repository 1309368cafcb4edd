#include "room/DecayPlot.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <memory>

#include "gui/DrawContext.h"
#include "gui/PngFile.h"
#include "room/RoomReport.h"

namespace room {

namespace {

constexpr Color ink{20, 20, 20, 0};
constexpr Color paper{255, 255, 255, 0};
constexpr Color gridColor{200, 200, 200, 0};
constexpr Color mutedInk{90, 90, 90, 0};
constexpr Color leftColor{31, 119, 180, 0};
constexpr Color rightColor{214, 39, 40, 0};
// Low to high bands run from purple through green to red, so the order of
// the curves reads at a glance; the full band is black.
constexpr Color bandColors[bandCount] = {
    {110, 60, 170, 0}, {31, 119, 180, 0}, {20, 160, 170, 0}, {44, 160, 44, 0},
    {190, 150, 0, 0},  {255, 127, 14, 0}, {214, 39, 40, 0},
};
constexpr Color fullBandColor{0, 0, 0, 0};

constexpr double waveformSeconds = 0.200;
constexpr double lowestDb = -80.0;

// 1, 2 or 5 times a power of ten: the smallest such step that cuts `range`
// into at most `most` parts.
double niceStep(double range, int most) {
    const double raw = range / most;
    const double power = std::pow(10.0, std::floor(std::log10(raw)));
    for (double m : {1.0, 2.0, 5.0, 10.0})
        if (m * power >= raw) return m * power;
    return 10.0 * power;
}

std::string number(double value) {
    char text[32];
    std::snprintf(text, sizeof(text), "%g", std::fabs(value) < 1e-9 ? 0.0 : value);
    return text;
}

// A value range drawn onto a pixel range.
struct Scale {
    double from, to;
    int pixelFrom, pixelTo;
    int at(double v) const {
        return pixelFrom +
               static_cast<int>(std::lround((v - from) / (to - from) * (pixelTo - pixelFrom)));
    }
};

// A memory device context with a DIB section selected, and the toolkit's
// drawing object on it; what it drew is read back as an image.
class Canvas final {
public:
    Canvas(int pixelsWide, int pixelsHigh) : width(pixelsWide), height(pixelsHigh) {
        dc = platform::createCompatibleDC(nullptr);
        bitmap = platform::createDibSection(width, height);
        original = platform::selectObject(dc, bitmap);
        draw = std::make_unique<DrawContext>(nullptr, dc, nullptr);
        draw->setFillColor(paper);
        draw->fillRect({-1, -1, width, height});
    }
    ~Canvas() {
        draw.reset();
        if (original) platform::selectObject(dc, original);
        platform::deleteDC(dc);
        platform::deleteObject(bitmap);
    }
    Canvas(const Canvas&) = delete;
    Canvas& operator=(const Canvas&) = delete;

    DrawContext& context() { return *draw; }

    void text(const std::string& s, const Rect& r, TextAlign align, Color color, int size,
              bool bold = false) {
        draw->setFont(fontNormal, size, bold ? styleBold : 0);
        draw->setFontColor(color);
        draw->drawText(s.c_str(), r, false, align);
    }

    void line(Point a, Point b, Color color, LineStyle style = lineSolid) {
        draw->setPenColor(color);
        draw->setLineStyle(style);
        draw->moveTo(a);
        draw->lineTo(b);
    }

    // Two pixels wide: once more one pixel lower.
    void thickLine(Point a, Point b, Color color) {
        line(a, b, color);
        line({a.x, a.y + 1}, {b.x, b.y + 1}, color);
    }

    platform::Image image() {
        draw.reset();
        platform::selectObject(dc, original);
        original = nullptr;
        std::vector<uint32_t> pixels(static_cast<size_t>(width) * height);
        platform::getDibits(dc, bitmap, width, height, pixels.data());
        platform::Image out;
        out.width = width;
        out.height = height;
        out.pixels.reserve(pixels.size());
        for (uint32_t p : pixels) out.pixels.push_back(platform::swapRedBlue(p));
        return out;
    }

private:
    int width, height;
    platform::DeviceContext dc = nullptr;
    platform::GdiObject bitmap = nullptr;
    platform::GdiObject original = nullptr;
    std::unique_ptr<DrawContext> draw;
};

// The first 200 ms of each channel in a lane of its own, each pixel column
// drawn from the lowest to the highest sample it covers, so no peak is lost
// between columns.
void drawWaveform(Canvas& c, const StereoSignal& response, const RoomAnalysis& analysis,
                  const Rect& area) {
    const size_t frames =
        std::min(response.left.size(), static_cast<size_t>(waveformSeconds * response.sampleRate));
    float peak = 0.0f;
    for (size_t i = 0; i < frames; ++i)
        peak = std::max({peak, std::fabs(response.left[i]), std::fabs(response.right[i])});
    double top = peak > 0.0f ? niceStep(peak, 1) : 1.0;
    if (top < peak) top *= 2.0;

    const Scale time{0.0, waveformSeconds * 1000.0, area.left, area.right};
    const int laneGap = 24;
    const int laneHeight = (area.height() - laneGap) / 2;
    struct Lane {
        const std::vector<float>* samples;
        const ChannelAnalysis* channel;
        Color color;
        const char* name;
    };
    const Lane lanes[2] = {{&response.left, &analysis.left, leftColor, "left"},
                           {&response.right, &analysis.right, rightColor, "right"}};
    for (int k = 0; k < 2; ++k) {
        const Rect lane{area.left, area.top + k * (laneHeight + laneGap), area.right,
                        area.top + k * (laneHeight + laneGap) + laneHeight};
        const Scale amplitude{top, -top, lane.top, lane.bottom};
        for (double v : {top, 0.0, -top}) {
            c.line({lane.left, amplitude.at(v)}, {lane.right, amplitude.at(v)}, gridColor,
                   v == 0.0 ? lineSolid : lineDotted);
            c.text(number(v),
                   {lane.left - 60, amplitude.at(v) - 8, lane.left - 6, amplitude.at(v) + 8},
                   alignRight, mutedInk, 12);
        }
        for (double ms = 0.0; ms <= waveformSeconds * 1000.0 + 1e-9; ms += 20.0)
            c.line({time.at(ms), lane.top}, {time.at(ms), lane.bottom}, gridColor, lineDotted);
        c.line({lane.left, lane.top}, {lane.left, lane.bottom}, ink);
        const ChannelAnalysis& channel = *lanes[k].channel;
        if (!channel.silent && channel.firstArrival <= waveformSeconds) {
            const int x = time.at(channel.firstArrival * 1000.0);
            c.line({x, lane.top}, {x, lane.bottom}, ink, lineDotted);
        }
        const std::vector<float>& s = *lanes[k].samples;
        const double perPixel = static_cast<double>(frames) / lane.width();
        for (int x = 0; x < lane.width() && frames > 0; ++x) {
            const size_t from = static_cast<size_t>(x * perPixel);
            const size_t to =
                std::min(frames, std::max(from + 1, static_cast<size_t>((x + 1) * perPixel)));
            float low = s[from], high = s[from];
            for (size_t i = from; i < to; ++i) {
                low = std::min(low, s[i]);
                high = std::max(high, s[i]);
            }
            c.line({lane.left + x, amplitude.at(high)}, {lane.left + x, amplitude.at(low) + 1},
                   lanes[k].color);
        }
        c.text(lanes[k].name, {lane.right + 8, lane.top, lane.right + 80, lane.top + 18}, alignLeft,
               lanes[k].color, 13, true);
        if (!channel.silent) {
            char note[64];
            std::snprintf(note, sizeof(note), "first arrival %.1f ms",
                          channel.firstArrival * 1000.0);
            c.text(note, {lane.right + 8, lane.top + 20, plotWidth - 4, lane.top + 36}, alignLeft,
                   mutedInk, 12);
        }
    }
    const int axisY = area.bottom;
    c.line({area.left, axisY}, {area.right + 1, axisY}, ink);
    for (double ms = 0.0; ms <= waveformSeconds * 1000.0 + 1e-9; ms += 20.0) {
        const int x = time.at(ms);
        c.line({x, axisY}, {x, axisY + 5}, ink);
        c.text(number(ms), {x - 30, axisY + 6, x + 30, axisY + 20}, alignCenter, ink, 12);
    }
    c.text("time after the impulse (ms)", {area.left, axisY + 20, area.right, axisY + 36},
           alignCenter, ink, 13);
}

// How far the time axis of the decay curves reaches: until the slowest curve
// has fallen 70 dB, or ends.
double decayAxisSeconds(const ChannelAnalysis& channel) {
    double longest = 0.0;
    const auto consider = [&](const DecayCurve& curve) {
        if (!curve.available || curve.levelsDb.empty()) return;
        size_t i = 0;
        while (i < curve.levelsDb.size() && curve.levelsDb[i] > -70.0f) ++i;
        longest = std::max(longest, static_cast<double>(i) * curve.step);
    };
    consider(channel.fullBand);
    for (const DecayCurve& band : channel.bands) consider(band);
    if (!(longest > 0.0)) return 1.0;
    const double step = niceStep(longest, 8);
    return std::ceil(longest / step) * step;
}

void drawCurve(Canvas& c, const DecayCurve& curve, const Scale& time, const Scale& level,
               Color color) {
    if (!curve.available || curve.levelsDb.size() < 2) return;
    Point previous{time.at(0.0), level.at(curve.levelsDb[0])};
    for (size_t i = 1; i < curve.levelsDb.size(); ++i) {
        const double t = static_cast<double>(i) * curve.step;
        if (t > time.to || curve.levelsDb[i] < lowestDb) break;
        const Point p{time.at(t), level.at(curve.levelsDb[i])};
        if (p == previous) continue;
        c.thickLine(previous, p, color);
        previous = p;
    }
    // The fitted line from its 0 dB point to its −60 dB point: where it
    // crosses −60 dB is the T30 read off the picture.
    const DecayFit& fit = curve.t30;
    if (!fit.valid) return;
    const double start = std::max(0.0, -fit.intercept / fit.slope);
    const double end = std::min(time.to, (-60.0 - fit.intercept) / fit.slope);
    if (end <= start) return;
    const auto at = [&](double t) {
        return Point{time.at(t), level.at(fit.intercept + fit.slope * t)};
    };
    c.line(at(start), at(end), color, lineDotted);
    c.line({at(start).x, at(start).y + 1}, {at(end).x, at(end).y + 1}, color, lineDotted);
}

void drawDecayCurves(Canvas& c, const ChannelAnalysis& channel, const Rect& area) {
    const Scale time{0.0, decayAxisSeconds(channel), area.left, area.right};
    const Scale level{0.0, lowestDb, area.top, area.bottom};
    for (double db = 0.0; db >= lowestDb; db -= 10.0) {
        const int y = level.at(db);
        c.line({area.left, y}, {area.right + 1, y}, gridColor,
               db == -60.0 ? lineSolid : lineDotted);
        c.text(number(db), {area.left - 50, y - 8, area.left - 6, y + 8}, alignRight, ink, 12);
    }
    c.text("dB", {area.left - 50, area.top - 22, area.left - 6, area.top - 6}, alignRight, ink, 13,
           true);
    const double step = niceStep(time.to, 8);
    for (double t = 0.0; t <= time.to + step * 1e-6; t += step) {
        const int x = time.at(t);
        c.line({x, area.top}, {x, area.bottom}, gridColor, lineDotted);
        c.line({x, area.bottom}, {x, area.bottom + 5}, ink);
        c.text(number(t), {x - 30, area.bottom + 6, x + 30, area.bottom + 20}, alignCenter, ink,
               12);
    }
    c.text("time after the first arrival (s)",
           {area.left, area.bottom + 20, area.right, area.bottom + 36}, alignCenter, ink, 13);
    c.line({area.left, area.top}, {area.left, area.bottom + 1}, ink);
    c.line({area.left, area.bottom}, {area.right + 1, area.bottom}, ink);

    for (int k = 0; k < bandCount; ++k) drawCurve(c, channel.bands[k], time, level, bandColors[k]);
    drawCurve(c, channel.fullBand, time, level, fullBandColor);

    // The legend: each curve's colour with its T30.
    const int x = area.right + 14;
    int y = area.top;
    c.text("T30, left", {x, y, plotWidth - 4, y + 18}, alignLeft, ink, 14, true);
    y += 26;
    const auto entry = [&](const DecayCurve& curve, Color color) {
        c.thickLine({x, y + 9}, {x + 26, y + 9}, color);
        c.text(bandName(curve.centreHz), {x + 32, y, x + 100, y + 18}, alignLeft, ink, 13);
        c.text(formatFit(curve, curve.t30) + (curve.t30.valid ? " s" : ""),
               {x + 96, y, x + 176, y + 18}, alignRight, ink, 13);
        y += 22;
    };
    entry(channel.fullBand, fullBandColor);
    for (int k = 0; k < bandCount; ++k) entry(channel.bands[k], bandColors[k]);
    y += 8;
    for (const char* note :
         {"dotted: the line fitted", "from -5 to -35 dB, drawn", "to -60 dB, where T30 ends",
          "(N dB): the decay spans", "only N dB, too little", "*: far from a straight line"}) {
        c.text(note, {x, y, plotWidth - 4, y + 16}, alignLeft, mutedInk, 12);
        y += 16;
    }
}

}  // namespace

platform::Image drawDecayPlot(const RoomAnalysis& analysis, const StereoSignal& response,
                              const PlotCaption& caption) {
    Canvas c(plotWidth, plotHeight);
    c.text(caption.title, {0, 6, plotWidth, 30}, alignCenter, ink, 18, true);
    c.text(caption.subtitle, {0, 30, plotWidth, 48}, alignCenter, mutedInk, 13);
    const int left = 80, right = 780;
    c.text("Impulse response, first 200 ms", {left - 1, 56, right, 74}, alignLeft, ink, 14, true);
    drawWaveform(c, response, analysis, {left, 80, right, 290});
    c.text("Energy decay of the left channel (Schroeder curves), full band and octave bands",
           {left - 1, 350, plotWidth, 368}, alignLeft, ink, 14, true);
    drawDecayCurves(c, analysis.left, {left, 392, right, 692});
    return c.image();
}

bool writeDecayPlot(const std::string& path, const RoomAnalysis& analysis,
                    const StereoSignal& response, const PlotCaption& caption) {
    return writePng(drawDecayPlot(analysis, response, caption), path.c_str());
}

}  // namespace room
