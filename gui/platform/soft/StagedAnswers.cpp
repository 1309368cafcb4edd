#include "gui/platform/soft/StagedAnswers.h"

#include "gui/platform/soft/SoftSystem.h"

namespace platform::soft {

StagedAnswers& StagedAnswers::installed() {
    static StagedAnswers answers;
    return answers;
}

StagedAnswers::StagedAnswers() { System::get().staging = this; }

void StagedAnswers::reset() {
    manualClock = false;
    manualTick = 0;
    slept = 0;
    schedule.clear();
    imagingLibrary = true;
    platform = 2;
    swapButtons = false;
    shellLinks.clear();
    unreadableNames.clear();
}

bool StagedAnswers::clock(uint32_t& tick) const {
    if (manualClock) tick = manualTick;
    return manualClock;
}

bool StagedAnswers::sleep(uint32_t milliseconds) {
    slept += milliseconds;
    if (manualClock) manualTick += milliseconds;
    return manualClock;
}

void StagedAnswers::input(uint32_t tick, PlatformPoint& cursor, uint32_t& keys) {
    while (!schedule.empty() && static_cast<int32_t>(tick - schedule.front().tick) >= 0) {
        cursor = schedule.front().cursor;
        keys = schedule.front().keys;
        schedule.erase(schedule.begin());
    }
}

bool StagedAnswers::unreadable(const std::string& file) const {
    return unreadableNames.count(file) != 0;
}

bool StagedAnswers::resolveShortcut(const std::string& link, std::string& target) const {
    auto found = shellLinks.find(link);
    if (found == shellLinks.end()) return false;
    target = found->second;
    return true;
}

}  // namespace platform::soft
