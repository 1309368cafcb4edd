#include "room/RoomAnalysis.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace room {

namespace {

constexpr double curveStep = 0.001;
// ISO 3382: the bottom of an evaluation range at least this far above the floor.
constexpr double floorMarginDb = 10.0;
// Below this the floor counts as none: the response simply faded out.
constexpr double silentFloorDb = -200.0;

double toDb(double energyRatio) {
    return energyRatio > 0.0 ? 10.0 * std::log10(energyRatio)
                             : -std::numeric_limits<double>::infinity();
}

// Mean energy per window, in dB, with each window's centre time.
struct Envelope {
    std::vector<double> times;
    std::vector<double> levels;
};

Envelope envelopeOf(const std::vector<double>& energy, size_t window, double sampleRate) {
    Envelope env;
    for (size_t start = 0; start + window <= energy.size(); start += window) {
        double sum = 0.0;
        for (size_t i = start; i < start + window; ++i) sum += energy[i];
        env.times.push_back((static_cast<double>(start) + 0.5 * static_cast<double>(window)) /
                            sampleRate);
        env.levels.push_back(toDb(sum / static_cast<double>(window)));
    }
    return env;
}

struct Line {
    bool valid = false;
    double slope = 0.0;
    double intercept = 0.0;
    double rSquared = 0.0;
};

template <class Time, class Level>
Line leastSquares(size_t first, size_t last, Time time, Level level) {
    Line line;
    if (last <= first) return line;
    double n = 0.0, st = 0.0, sl = 0.0, stt = 0.0, stl = 0.0, sll = 0.0;
    for (size_t i = first; i <= last; ++i) {
        const double t = time(i);
        const double l = level(i);
        n += 1.0;
        st += t;
        sl += l;
        stt += t * t;
        stl += t * l;
        sll += l * l;
    }
    const double denominator = n * stt - st * st;
    if (!(denominator > 0.0)) return line;
    line.slope = (n * stl - st * sl) / denominator;
    line.intercept = (sl - line.slope * st) / n;
    const double spread = n * sll - sl * sl;
    line.rSquared = spread > 0.0 ? line.slope * (n * stl - st * sl) / spread : 1.0;
    line.valid = std::isfinite(line.slope) && std::isfinite(line.intercept);
    return line;
}

// The fit between two levels of the decay curve, if the curve reaches the
// lower one and the floor lies far enough below it.
DecayFit fitBetween(const std::vector<double>& curveDb, double sampleRate, double rangeDb,
                    double fromDb, double toDbLevel) {
    DecayFit fit;
    fit.fromDb = fromDb;
    fit.toDb = toDbLevel;
    if (rangeDb < -toDbLevel + floorMarginDb) return fit;
    const auto below = [&](double level) {
        return static_cast<size_t>(
            std::find_if(curveDb.begin(), curveDb.end(), [level](double v) { return v <= level; }) -
            curveDb.begin());
    };
    const size_t first = below(fromDb);
    const size_t last = below(toDbLevel);
    if (last >= curveDb.size()) return fit;
    const Line line = leastSquares(
        first, last, [&](size_t i) { return static_cast<double>(i) / sampleRate; },
        [&](size_t i) { return curveDb[i]; });
    if (!line.valid || !(line.slope < 0.0)) return fit;
    fit.valid = true;
    fit.slope = line.slope;
    fit.intercept = line.intercept;
    fit.seconds = -60.0 / line.slope;
    fit.nonLinearity = 1000.0 * (1.0 - line.rSquared);
    return fit;
}

size_t firstArrivalIndex(const std::vector<float>& response, float& peak) {
    peak = 0.0f;
    for (float v : response) peak = std::max(peak, std::fabs(v));
    const float threshold = peak * 0.1f;  // −20 dB
    for (size_t i = 0; i < response.size(); ++i)
        if (peak > 0.0f && std::fabs(response[i]) >= threshold) return i;
    return 0;
}

}  // namespace

// The floor is the mean energy of the last tenth of the response. Where it
// stands out, integration stops where a line fitted to the envelope's decay
// (peak down to 10 dB above the floor) meets it, and the energy that line
// would still have after that point is added back, so the curve neither bends
// down at the cut nor levels out on the floor (after Lundeby's method). A
// response that just fades out is integrated to its end.
DecayCurve analyzeDecay(const std::vector<double>& energy, double sampleRate, double centreHz) {
    DecayCurve curve;
    curve.centreHz = centreHz;
    curve.available = true;
    curve.step = curveStep;
    const size_t window = static_cast<size_t>(std::max(
        1.0, std::round(sampleRate * std::max(0.010, centreHz > 0.0 ? 5.0 / centreHz : 0.0))));
    const Envelope env = envelopeOf(energy, window, sampleRate);
    if (env.levels.size() < 2) return curve;
    const size_t peakAt = static_cast<size_t>(
        std::max_element(env.levels.begin(), env.levels.end()) - env.levels.begin());
    const double peakDb = env.levels[peakAt];
    if (!std::isfinite(peakDb)) return curve;

    const size_t tail = std::max(window, energy.size() / 10);
    double floorSum = 0.0;
    for (size_t i = energy.size() - tail; i < energy.size(); ++i) floorSum += energy[i];
    const double floorEnergy = floorSum / static_cast<double>(tail);
    const double floorDb = toDb(floorEnergy) - peakDb;
    curve.rangeDb = std::isfinite(floorDb) ? -floorDb : -silentFloorDb;

    size_t end = energy.size();
    double beyond = 0.0;
    if (floorDb > silentFloorDb) {
        // The last window, not the first, that stands clear of the floor: a
        // sparse or beating response dips for a moment long before it ends.
        size_t lastAbove = env.levels.size() - 1;
        while (lastAbove > peakAt && !(env.levels[lastAbove] - peakDb > floorDb + floorMarginDb))
            --lastAbove;
        const Line line = leastSquares(
            peakAt, lastAbove, [&](size_t i) { return env.times[i]; },
            [&](size_t i) { return env.levels[i] - peakDb; });
        if (line.valid && line.slope < 0.0) {
            const double crossing = (floorDb - line.intercept) / line.slope;
            end = static_cast<size_t>(std::clamp(crossing * sampleRate,
                                                 env.times[lastAbove] * sampleRate,
                                                 static_cast<double>(energy.size())));
            const double tau = 10.0 / (-line.slope * std::log(10.0));
            beyond = floorEnergy * tau * sampleRate;
        }
    }

    std::vector<double> curveDb(end);
    double sum = beyond;
    for (size_t i = end; i-- > 0;) {
        sum += energy[i];
        curveDb[i] = sum;
    }
    const double total = sum;
    if (!(total > 0.0)) return curve;
    for (double& v : curveDb) v = toDb(v / total);

    const size_t every =
        std::max<size_t>(1, static_cast<size_t>(std::round(curveStep * sampleRate)));
    curve.step = static_cast<double>(every) / sampleRate;
    for (size_t i = 0; i < end; i += every)
        curve.levelsDb.push_back(static_cast<float>(curveDb[i]));

    curve.edt = fitBetween(curveDb, sampleRate, curve.rangeDb, 0.0, -10.0);
    curve.t20 = fitBetween(curveDb, sampleRate, curve.rangeDb, -5.0, -25.0);
    curve.t30 = fitBetween(curveDb, sampleRate, curve.rangeDb, -5.0, -35.0);
    return curve;
}

ChannelAnalysis analyzeChannel(const std::vector<float>& response, double sampleRate) {
    ChannelAnalysis channel;
    float peak = 0.0f;
    const size_t onset = firstArrivalIndex(response, peak);
    channel.silent = !(peak > 0.0f);
    channel.firstArrival = static_cast<double>(onset) / sampleRate;
    for (int k = 0; k < bandCount; ++k) channel.bands[k].centreHz = nominalCentres[k];
    if (channel.silent) return channel;

    std::vector<double> energy(response.size() - onset);
    for (size_t i = onset; i < response.size(); ++i)
        energy[i - onset] = static_cast<double>(response[i]) * response[i];
    channel.fullBand = analyzeDecay(energy, sampleRate, 0.0);

    std::vector<double> filtered;
    for (int k = 0; k < bandCount; ++k) {
        const OctaveFilter filter(exactCentre(k), sampleRate);
        if (!filter.usable()) continue;
        filter.applyReversed(response, filtered);
        for (size_t i = onset; i < filtered.size(); ++i)
            energy[i - onset] = filtered[i] * filtered[i];
        channel.bands[k] = analyzeDecay(energy, sampleRate, nominalCentres[k]);
    }
    return channel;
}

RoomAnalysis analyzeRoom(const std::vector<float>& left, const std::vector<float>& right,
                         double sampleRate) {
    RoomAnalysis room;
    room.sampleRate = sampleRate;
    room.seconds = static_cast<double>(std::min(left.size(), right.size())) / sampleRate;
    room.left = analyzeChannel(left, sampleRate);
    room.right = analyzeChannel(right, sampleRate);
    if (room.left.silent || room.right.silent) return room;

    const double arrival = std::min(room.left.firstArrival, room.right.firstArrival);
    const size_t from = static_cast<size_t>((arrival + tailStartSeconds) * sampleRate);
    double lr = 0.0, ll = 0.0, rr = 0.0;
    for (size_t i = from; i < left.size() && i < right.size(); ++i) {
        lr += static_cast<double>(left[i]) * right[i];
        ll += static_cast<double>(left[i]) * left[i];
        rr += static_cast<double>(right[i]) * right[i];
    }
    if (ll > 0.0 && rr > 0.0) {
        room.correlationValid = true;
        room.tailCorrelation = lr / std::sqrt(ll * rr);
    }
    return room;
}

}  // namespace room
