// The answers a test or a headless renderer stages in place of the machine's:
// a clock that moves only when told, pointer input due at given ticks, the
// system's version and library answers, and the shortcut and unreadable files
// a drop may name. Part of the probe library: the module never carries it.
#pragma once

#include <cstdint>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "gui/platform/soft/SoftStaging.h"

namespace platform::soft {

class StagedAnswers final : public Staging {
public:
    // The one instance, put in the system's place on first use.
    static StagedAnswers& installed();
    StagedAnswers(const StagedAnswers&) = delete;
    StagedAnswers& operator=(const StagedAnswers&) = delete;

    // Back to what the machine would answer, with no input scheduled.
    void reset();

    bool clock(uint32_t& tick) const override;
    bool sleep(uint32_t milliseconds) override;
    void input(uint32_t tick, PlatformPoint& cursor, uint32_t& keys) override;
    bool imagingLibraryPresent() const override { return imagingLibrary; }
    uint32_t platformId() const override { return platform; }
    bool swappedButtons() const override { return swapButtons; }
    bool unreadable(const std::string& file) const override;
    bool resolveShortcut(const std::string& link, std::string& target) const override;

    struct ScheduledInput {
        uint32_t tick;
        PlatformPoint cursor;
        uint32_t keys;
    };

    bool manualClock = false;
    uint32_t manualTick = 0;
    uint32_t slept = 0;  // milliseconds asked of sleep
    std::vector<ScheduledInput> schedule;
    bool imagingLibrary = true;
    uint32_t platform = 2;  // Windows NT
    bool swapButtons = false;
    std::map<std::string, std::string> shellLinks;  // shortcut file: its target's short path
    std::set<std::string> unreadableNames;

private:
    StagedAnswers();
};

}  // namespace platform::soft
