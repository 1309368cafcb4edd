// Drags staged on the soft platform: the calls the system's drag loop makes
// on a window's drop target, and the files the tests set up around them.
#include <algorithm>

#include "gui/platform/Probe.h"
#include "gui/platform/soft/SoftControls.h"
#include "gui/platform/soft/SoftDragDrop.h"
#include "gui/platform/soft/SoftSystem.h"
#include "gui/platform/soft/StagedAnswers.h"

namespace platform::soft {

void makeShortcut(const std::string& link, const std::string& target) {
    StagedAnswers::installed().shellLinks[link] = target;
}

void makeUnreadable(const std::string& file) {
    StagedAnswers::installed().unreadableNames.insert(file);
}
int liveDropTargets() { return DragDropState::get().liveTargets; }

}  // namespace platform::soft

namespace platform::probe {

namespace {

// A staged drag's data, offered as the system's data object offers it.
class StagedDrag final : public DataObjectTag {
public:
    explicit StagedDrag(const DragData& data) : staged(data) {}

    bool offers(uint16_t format) const override {
        return (format == clipboardText && staged.offersText) ||
               (format == clipboardFileList && staged.offersFiles);
    }

    void render(uint16_t format, GlobalMemoryTag& block) const override {
        if (format == clipboardText) {
            block.bytes.assign(std::max(staged.textBlock, staged.text.size() + 1), 0);
            std::copy(staged.text.begin(), staged.text.end(), block.bytes.begin());
        } else {
            block.names = staged.files;
        }
    }

private:
    const DragData& staged;
};

soft::DropTarget* targetOf(Window window) {
    return soft::System::get().alive(window) ? window->dropTarget : nullptr;
}

soft::DropTarget* soft(DropTargetRef target) { return reinterpret_cast<soft::DropTarget*>(target); }

}  // namespace

uint32_t dragEnter(Window window, const DragData& data, uint32_t keyState) {
    soft::DropTarget* target = targetOf(window);
    StagedDrag offered(data);
    return target ? target->dragEnter(&offered, keyState) : dropEffectNone;
}

uint32_t dragOver(Window window, uint32_t keyState) {
    soft::DropTarget* target = targetOf(window);
    return target ? target->dragOver(keyState) : dropEffectNone;
}

void drop(Window window, const DragData& data, uint32_t keyState) {
    (void)keyState;
    soft::DropTarget* target = targetOf(window);
    StagedDrag offered(data);
    if (target) target->drop(&offered);
}

int mediaInUse() { return static_cast<int>(soft::DragDropState::get().blocks.size()); }

DropTargetRef registeredDropTarget(Window window) {
    return reinterpret_cast<DropTargetRef>(targetOf(window));
}

int32_t addRefDropTarget(DropTargetRef target) { return soft(target)->addRef(); }
int32_t releaseDropTarget(DropTargetRef target) { return soft(target)->release(); }

}  // namespace platform::probe
