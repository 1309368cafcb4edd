// The README's table of what each factory preset measures must stay what
// it measures: each preset's T30, left and right, within 10 % of its row.
// scripts/preset-table.sh writes the table; this keeps it from drifting.
#include <gtest/gtest.h>

#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "tests/presets/AnalyzeReport.h"
#include "tests/presets/FactoryPresetNames.h"
#include "tests/support/HostRun.h"

namespace {

std::vector<std::string> cells(const std::string& row) {
    std::vector<std::string> out;
    std::istringstream in(row);
    std::string cell;
    std::getline(in, cell, '|');  // before the first bar
    while (std::getline(in, cell, '|')) {
        const size_t first = cell.find_first_not_of(' ');
        const size_t last = cell.find_last_not_of(' ');
        out.push_back(first == std::string::npos ? std::string()
                                                 : cell.substr(first, last - first + 1));
    }
    return out;
}

// The README row of the preset: name, Early-Late, first arrival, EDT, T30
// left, T30 right, tail correlation; empty when it has none.
std::vector<std::string> readmeRow(const std::string& name) {
    const std::string readme = readText(BRV_README);
    const size_t begin = readme.find("<!-- preset-table:begin -->");
    const size_t end = readme.find("<!-- preset-table:end -->");
    if (begin == std::string::npos || end == std::string::npos) return {};
    std::istringstream lines(readme.substr(begin, end - begin));
    std::string line;
    while (std::getline(lines, line)) {
        const std::vector<std::string> row = cells(line);
        if (row.size() >= 6 && row[0] == name) return row;
    }
    return {};
}

// The full-band T30 of both channels as --analyze prints them.
std::vector<std::string> measuredT30(const std::string& output) {
    const AnalyzeReport report(output);
    const auto band = report.bands.find("full band");
    if (band == report.bands.end()) return {};
    return {band->second[AnalyzeReport::t30Left], band->second[AnalyzeReport::t30Right]};
}

bool isNumber(const std::string& text, double& value) {
    char* end = nullptr;
    value = std::strtod(text.c_str(), &end);
    return !text.empty() && end && *end == 0;
}

void expectWithinTenPercent(const std::string& measured, const std::string& documented,
                            const char* channel) {
    double m = 0.0, d = 0.0;
    if (!isNumber(documented, d) || !isNumber(measured, m)) {
        EXPECT_EQ(measured, documented)
            << channel << ": a marked or missing time must read the same";
        return;
    }
    EXPECT_NEAR(m, d, 0.1 * d) << channel << " T30 measures " << measured << " s, the README says "
                               << documented;
}

class PresetDecay : public ::testing::TestWithParam<std::string> {};

}  // namespace

TEST_P(PresetDecay, MeasuresTheT30TheReadmeGives) {
    const std::string name = GetParam();
    const std::vector<std::string> row = readmeRow(name);
    ASSERT_GE(row.size(), 6u) << "the README's preset table has no row for " << name;
    const HostRun run = runHost("--analyze --preset '" + name + "'");
    ASSERT_EQ(run.status, 0) << run.output;
    const std::vector<std::string> t30 = measuredT30(run.output);
    ASSERT_EQ(t30.size(), 2u) << run.output;
    expectWithinTenPercent(t30[0], row[4], "left");
    expectWithinTenPercent(t30[1], row[5], "right");
}

INSTANTIATE_TEST_SUITE_P(FactoryPresets, PresetDecay, ::testing::ValuesIn(presetNames()),
                         [](const ::testing::TestParamInfo<std::string>& param) {
                             return testNameOf(param.param);
                         });
