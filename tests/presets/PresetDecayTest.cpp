// The README's table of what each factory preset measures must stay what
// it measures: each preset's T30, left and right, within 10 % of its row.
// scripts/preset-table.sh writes the table; this keeps it from drifting.
#include <gtest/gtest.h>

#include <cctype>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "presets/PresetList.h"
#include "tests/support/HostRun.h"

namespace {

std::string readText(const char* path) {
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

std::vector<std::string> presetNames() {
    std::vector<NamedPreset> presets;
    std::string error;
    parsePresetList(readText(BRV_PRESET_SOURCE), presets, error);
    std::vector<std::string> names;
    for (const NamedPreset& preset : presets) names.push_back(preset.name);
    return names;
}

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
    std::istringstream lines(output);
    std::string line;
    while (std::getline(lines, line)) {
        if (line.rfind("full band", 0) != 0) continue;
        std::istringstream fields(line.substr(9));
        std::vector<std::string> values;
        std::string value;
        while (fields >> value) values.push_back(value);
        if (values.size() == 6) return {values[2], values[5]};
    }
    return {};
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
                             std::string id;
                             for (unsigned char c : param.param)
                                 id += std::isalnum(c) ? static_cast<char>(c) : '_';
                             return id;
                         });
