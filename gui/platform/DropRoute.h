// What a drop target does with the calls of a drag over its window, apart
// from how the system reaches it: it says which effect the pointer shows
// and turns dropped text or files into items for the window's receiver.
// The system's drop target on each platform holds one and forwards to it.
#pragma once

#include <cstdint>

#include "gui/platform/Platform.h"

namespace platform {

// Replaces a shortcut (".lnk" after the last dot, in any letter case) by
// its target's path in the same buffer of droppedNameSize bytes. Any other
// name, or a link that cannot be resolved, stays as it was and answers false.
bool resolveShortcut(char* name);

class DropRoute final {
public:
    explicit DropRoute(DropReceiver* to) : receiver(to) {}

    // Each answers the drop effect the pointer shows.
    uint32_t dragEnter(DataObject data, uint32_t keyState);
    uint32_t dragOver(uint32_t keyState) const;
    void drop(DataObject data);

    bool isAccepting() const { return accepting; }

private:
    void deliverText(GlobalMemory memory);
    void deliverFiles(GlobalMemory files);

    bool accepting = false;
    DropReceiver* receiver;
};

}  // namespace platform
