#include "programs/torture/Verdict.h"

#include <cstdio>

#include "host/HostWindow.h"

void Verdict::begin(const std::string& caseName) {
    current = caseName;
    caseFailures = 0;
    checks = 0;
    started = nowMs();
}

bool Verdict::check(bool ok, const std::string& what) {
    ++checks;
    if (ok) return true;
    // A broken effect fails the same check thousands of times; the first few say it all.
    if (caseFailures < 12) std::printf("  FAILED: %s\n", what.c_str());
    ++caseFailures;
    ++totalFailures;
    return false;
}

void Verdict::skip(const std::string& why) {
    skipped = true;
    std::printf("  skipped: %s\n", why.c_str());
}

void Verdict::end() {
    std::printf("%s %s: %d checks, %d failed, %u ms\n", caseFailures ? "FAILED" : "ok",
                current.c_str(), checks, caseFailures, nowMs() - started);
    std::fflush(stdout);
}
