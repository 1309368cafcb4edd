// Collects the torture run's findings: each case says what it checked, a
// failed check prints what went wrong, and the run's exit status is the sum.
#pragma once

#include <cstdint>
#include <string>

class Verdict final {
public:
    void begin(const std::string& caseName);
    // Returns ok, so a case can stop early on a failure that makes the rest moot.
    bool check(bool ok, const std::string& what);
    void skip(const std::string& why);
    void end();

    int failures() const { return totalFailures; }
    bool skippedAny() const { return skipped; }

private:
    std::string current;
    int caseFailures = 0;
    int totalFailures = 0;
    int checks = 0;
    uint32_t started = 0;
    bool skipped = false;
};
