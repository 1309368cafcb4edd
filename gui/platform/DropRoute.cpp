#include "gui/platform/DropRoute.h"

#include <cctype>
#include <cstring>
#include <limits>
#include <new>

namespace platform {

namespace {

bool sameIgnoringCase(const char* a, const char* b) {
    for (; *a && *b; ++a, ++b) {
        if (std::tolower(static_cast<unsigned char>(*a)) !=
            std::tolower(static_cast<unsigned char>(*b)))
            return false;
    }
    return *a == *b;
}

// The copies of the dropped names, each in a buffer of its own as large as
// the one it was read into; they and the list go when the drop is over.
class DroppedNames final {
public:
    explicit DroppedNames(uint32_t size)
        : items(new (std::nothrow) void*[size]), capacity(items ? size : 0) {}
    ~DroppedNames() {
        for (int32_t i = 0; i < count; ++i) delete[] static_cast<char*>(items[i]);
        delete[] items;
    }
    DroppedNames(const DroppedNames&) = delete;
    DroppedNames& operator=(const DroppedNames&) = delete;

    void append(const char* name) {
        if (static_cast<uint32_t>(count) >= capacity) return;
        char* copy = new (std::nothrow) char[droppedNameSize];
        if (!copy) return;
        std::memcpy(copy, name, std::strlen(name) + 1);
        items[count++] = copy;
    }

    void** items;
    int32_t count = 0;

private:
    uint32_t capacity;
};

}  // namespace

bool resolveShortcut(char* name) {
    const char* dot = std::strrchr(name, '.');
    if (!dot || !sameIgnoringCase(dot, ".lnk")) return false;
    return resolveShellLink(name);
}

uint32_t DropRoute::dragEnter(DataObject data, uint32_t keyState) {
    accepting = false;
    if (data && (queryGetData(data, clipboardText) || queryGetData(data, clipboardFileList))) {
        accepting = true;
        return dragOver(keyState);
    }
    return dropEffectNone;
}

uint32_t DropRoute::dragOver(uint32_t keyState) const {
    if (!accepting) return dropEffectNone;
    return (keyState & dragKeyControl) ? dropEffectCopy : dropEffectMove;
}

// Text is taken before files when the data offers both. Whatever medium the
// data handed out goes back to it, the file list's too.
void DropRoute::drop(DataObject data) {
    if (!receiver) return;
    StorageMedium medium{};
    if (getData(data, clipboardText, &medium)) {
        if (medium.global) deliverText(medium.global);
    } else if (getData(data, clipboardFileList, &medium)) {
        if (medium.global) deliverFiles(medium.global);
    } else {
        return;
    }
    releaseStgMedium(&medium);
}

// The count is the block's size, which may be more than the text: the
// text itself ends at its zero.
void DropRoute::deliverText(GlobalMemory memory) {
    void* text = globalLock(memory);
    if (!text) return;
    size_t size = globalSize(memory);
    if (size) {
        PlatformPoint where{0, 0};
        receiver->dropPosition(where);
        void* items[1] = {text};
        constexpr size_t largest = static_cast<size_t>(std::numeric_limits<int32_t>::max());
        receiver->receiveDrop(items, static_cast<int32_t>(size < largest ? size : largest),
                              dropText, where);
    }
    globalUnlock(memory);
}

// A name the system cannot hand out is left out, so the count is that of
// the names passed, not of the files dropped.
void DropRoute::deliverFiles(GlobalMemory files) {
    uint32_t n = dragQueryFile(files, allDroppedFiles, nullptr, 0);
    if (n == 0) return;
    DroppedNames names(n);
    if (!names.items) return;
    char name[droppedNameSize];
    for (uint32_t i = 0; i < n; ++i) {
        if (dragQueryFile(files, i, name, droppedNameSize) == 0) continue;
        name[droppedNameSize - 1] = 0;
        resolveShortcut(name);
        names.append(name);
    }
    PlatformPoint where{0, 0};
    receiver->dropPosition(where);
    receiver->receiveDrop(names.items, names.count, dropFileNames, where);
}

}  // namespace platform
