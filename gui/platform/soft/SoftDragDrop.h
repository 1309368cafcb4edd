// What the soft system keeps for drag and drop: the drop targets registered
// on windows, the data a staged drag offers, the memory blocks handed out
// for it, and the shortcut files it knows.
#pragma once

#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "gui/platform/DropRoute.h"
#include "gui/platform/Probe.h"

struct platform::DataObjectTag {
    const probe::DragData* offered;
};

// A block of dropped text, or a dropped file list.
struct platform::GlobalMemoryTag {
    std::vector<char> bytes;
    bool fileList = false;
    std::vector<std::string> names;
};

namespace platform::soft {

// The route the system's COM object forwards to, behind the same
// reference counting: none after construction, freed when released to 0.
class DropTarget final {
public:
    explicit DropTarget(DropReceiver* receiver);
    DropTarget(const DropTarget&) = delete;
    DropTarget& operator=(const DropTarget&) = delete;

    int32_t addRef();
    int32_t release();
    uint32_t dragEnter(DataObject data, uint32_t keyState);
    uint32_t dragOver(uint32_t keyState) const;
    void dragLeave() {}
    void drop(DataObject data);

private:
    ~DropTarget();

    int32_t count = 0;
    DropRoute route;
};

struct DragDropState {
    static DragDropState& get();
    // Forgets what tests staged; targets and blocks in use stay.
    void reset();

    std::map<std::string, std::string> shellLinks;  // shortcut file: its target's short path
    std::set<std::string> unreadableNames;
    std::map<GlobalMemory, std::unique_ptr<GlobalMemoryTag>> blocks;
    int liveTargets = 0;
};

}  // namespace platform::soft
