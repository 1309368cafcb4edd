// Drop target registration, data objects, memory blocks, dropped file lists
// and shortcut files as the soft platform provides them.
#include "gui/platform/soft/SoftDragDrop.h"

#include <algorithm>
#include <cstring>

#include "gui/platform/soft/SoftSystem.h"

namespace platform {

using soft::DragDropState;
using soft::Staging;
using soft::System;

namespace {

DragDropState& state() { return DragDropState::get(); }

bool alive(GlobalMemory memory) { return memory && state().blocks.count(memory) != 0; }

GlobalMemory adopt(std::unique_ptr<GlobalMemoryTag> block) {
    GlobalMemory handle = block.get();
    state().blocks[handle] = std::move(block);
    return handle;
}

}  // namespace

namespace soft {

DragDropState& DragDropState::get() {
    static DragDropState dragDrop;
    return dragDrop;
}

DropTarget::DropTarget(DropReceiver* receiver) : route(receiver) { ++state().liveTargets; }
DropTarget::~DropTarget() { --state().liveTargets; }

int32_t DropTarget::addRef() { return ++count; }

int32_t DropTarget::release() {
    int32_t left = --count;
    if (left <= 0) delete this;
    return left;
}

uint32_t DropTarget::dragEnter(DataObject data, uint32_t keyState) {
    return route.dragEnter(data, keyState);
}

uint32_t DropTarget::dragOver(uint32_t keyState) const { return route.dragOver(keyState); }

void DropTarget::drop(DataObject data) {
    route.drop(data);
    dragLeave();
}

}  // namespace soft

// Like the system's, the registration needs OLE on a single-threaded
// apartment, and one window takes one target.
bool registerDragDrop(Window window, DropReceiver* receiver) {
    System& system = System::get();
    if (!system.alive(window) || window->dropTarget) return false;
    if (system.oleInitialized <= 0 || system.multithreadedApartment) return false;
    window->dropTarget = new soft::DropTarget(receiver);
    window->dropTarget->addRef();
    return true;
}

bool revokeDragDrop(Window window) {
    if (!System::get().alive(window) || !window->dropTarget) return false;
    soft::DropTarget* target = window->dropTarget;
    window->dropTarget = nullptr;
    target->release();
    return true;
}

bool queryGetData(DataObject data, uint16_t format) {
    if (!data) return false;
    return (format == clipboardText || format == clipboardFileList) && data->offers(format);
}

// Every call hands out a block of its own, which releaseStgMedium frees.
bool getData(DataObject data, uint16_t format, StorageMedium* medium) {
    if (!queryGetData(data, format) || !medium) return false;
    auto block = std::make_unique<GlobalMemoryTag>();
    data->render(format, *block);
    block->fileList = format == clipboardFileList;
    *medium = {mediumGlobalMemory, adopt(std::move(block)), nullptr};
    return true;
}

void releaseStgMedium(StorageMedium* medium) {
    if (!medium) return;
    state().blocks.erase(medium->global);
    *medium = {0, nullptr, nullptr};
}

uint32_t dragQueryFile(GlobalMemory files, uint32_t index, char* name, uint32_t size) {
    if (!alive(files) || !files->fileList) return 0;
    if (index == allDroppedFiles) return static_cast<uint32_t>(files->names.size());
    if (index >= files->names.size()) return 0;
    const std::string& file = files->names[index];
    const Staging* staging = System::get().staging;
    if (staging && staging->unreadable(file)) return 0;
    if (!name) return static_cast<uint32_t>(file.size());
    if (size == 0) return 0;
    size_t copied = std::min<size_t>(file.size(), size - 1);
    std::memcpy(name, file.data(), copied);
    name[copied] = 0;
    return static_cast<uint32_t>(copied);
}

void* globalLock(GlobalMemory memory) {
    if (!alive(memory) || memory->bytes.empty()) return nullptr;
    return memory->bytes.data();
}

size_t globalSize(GlobalMemory memory) { return alive(memory) ? memory->bytes.size() : 0; }
void globalUnlock(GlobalMemory memory) { (void)memory; }

// The soft system has no shell: only staged shortcut files resolve.
bool resolveShellLink(char* path) {
    const Staging* staging = System::get().staging;
    std::string target;
    if (!path || !staging || !staging->resolveShortcut(path, target)) return false;
    size_t copied = std::min<size_t>(target.size(), droppedNameSize - 1);
    std::memcpy(path, target.data(), copied);
    path[copied] = 0;
    return true;
}

}  // namespace platform
