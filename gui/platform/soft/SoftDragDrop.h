// What the soft system keeps for drag and drop: the drop targets registered
// on windows and the memory blocks handed out for dropped data. It has no
// drag source of its own; the data a drag carries comes from whoever plays
// the drag.
#pragma once

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "gui/platform/DropRoute.h"

// A block of dropped text, or a dropped file list.
struct platform::GlobalMemoryTag {
    std::vector<char> bytes;
    bool fileList = false;
    std::vector<std::string> names;
};

// The data a drag carries, in the clipboard formats it offers.
struct platform::DataObjectTag {
    virtual bool offers(uint16_t format) const = 0;
    // Fills a new block with the data in a format it offers.
    virtual void render(uint16_t format, GlobalMemoryTag& block) const = 0;

protected:
    ~DataObjectTag() = default;
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

    std::map<GlobalMemory, std::unique_ptr<GlobalMemoryTag>> blocks;
    int liveTargets = 0;
};

}  // namespace platform::soft
