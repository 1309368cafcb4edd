// What `brellivaunt-host --analyze` printed, read back: the first arrival
// and, for the full band and each octave band, EDT, T20 and T30 of the left
// and then the right channel, as printed (a time, a time marked *, or a
// reason it gives none).
#pragma once

#include <array>
#include <cstdlib>
#include <map>
#include <sstream>
#include <string>

struct AnalyzeReport {
    // Milliseconds, left and right; negative when the report had none.
    double arrivalLeft = -1.0;
    double arrivalRight = -1.0;
    // "full band", "125 Hz" … "8 kHz": EDT, T20, T30 left, then right.
    std::map<std::string, std::array<std::string, 6>> bands;

    static constexpr int t30Left = 2;
    static constexpr int t30Right = 5;

    explicit AnalyzeReport(const std::string& output) {
        std::istringstream lines(output);
        std::string line;
        while (std::getline(lines, line)) {
            if (line.rfind("first arrival", 0) == 0) {
                readArrival(line);
                continue;
            }
            const std::string name = bandName(line);
            if (name.empty()) continue;
            std::istringstream fields(line.substr(name.size()));
            std::array<std::string, 6> values;
            int count = 0;
            while (count < 6 && fields >> values[count]) ++count;
            if (count == 6) bands[name] = values;
        }
    }

    // A time as printed, its * mark (a curve far from a line) ignored;
    // false for a reason instead of a time.
    static bool seconds(const std::string& text, double& value) {
        char* end = nullptr;
        value = std::strtod(text.c_str(), &end);
        return !text.empty() && end != text.c_str() && (*end == 0 || (*end == '*' && !end[1]));
    }

private:
    static std::string bandName(const std::string& line) {
        if (line.rfind("full band", 0) == 0) return "full band";
        for (const char* unit : {" Hz", " kHz"}) {
            const size_t at = line.find(unit);
            if (at == std::string::npos || at == 0) continue;
            const std::string name = line.substr(0, at + std::string(unit).size());
            if (name.find_first_not_of("0123456789") == at) return name;
        }
        return {};
    }
    void readArrival(const std::string& line) {
        // "first arrival (pre-delay): left 7.9 ms, right 4.1 ms (…)"
        const size_t left = line.find("left ");
        const size_t right = line.find("right ");
        if (left != std::string::npos) arrivalLeft = std::atof(line.c_str() + left + 5);
        if (right != std::string::npos) arrivalRight = std::atof(line.c_str() + right + 6);
    }
};
