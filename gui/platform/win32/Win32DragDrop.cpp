// The drag-and-drop calls made by Windows itself: registration of the drop
// target, the data object's formats and media, the dropped file list, the
// memory block of dropped text, and the shell-link object.
#include <windows.h>
#include <ole2.h>
#include <shellapi.h>
#include <shlobj.h>

#include <new>

#include "gui/platform/Platform.h"
#include "gui/platform/win32/DropTarget.h"

namespace platform {

namespace {

HWND h(Window w) { return reinterpret_cast<HWND>(w); }
HGLOBAL h(GlobalMemory m) { return reinterpret_cast<HGLOBAL>(m); }
IDataObject* h(DataObject d) { return reinterpret_cast<IDataObject*>(d); }

static_assert(clipboardText == CF_TEXT && clipboardFileList == CF_HDROP, "clipboard formats");
static_assert(dropEffectNone == DROPEFFECT_NONE && dropEffectCopy == DROPEFFECT_COPY &&
                  dropEffectMove == DROPEFFECT_MOVE,
              "drop effects");
static_assert(dragKeyControl == MK_CONTROL && mediumGlobalMemory == TYMED_HGLOBAL,
              "key state and medium type");

FORMATETC formatFor(uint16_t format) {
    return {format, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
}

// What the resolution may do: no user interface, any match, and at most
// 500 ms of searching (the high word).
constexpr DWORD resolveFlags =
    static_cast<DWORD>(SLR_NO_UI) | static_cast<DWORD>(SLR_ANY_MATCH) | (500u << 16);
static_assert(resolveFlags == 0x1F40003, "shell-link resolution flags");

}  // namespace

// Held across the call, so that a target the system refuses goes back to
// no references and frees itself.
bool registerDragDrop(Window window, DropReceiver* receiver) {
    auto* target = new (std::nothrow) DropTarget(receiver);
    if (!target) return false;
    target->AddRef();
    HRESULT result = RegisterDragDrop(h(window), target);
    target->Release();
    return result == S_OK;
}

bool revokeDragDrop(Window window) { return RevokeDragDrop(h(window)) == S_OK; }

bool queryGetData(DataObject data, uint16_t format) {
    if (!data) return false;
    FORMATETC wanted = formatFor(format);
    return h(data)->QueryGetData(&wanted) == S_OK;
}

bool getData(DataObject data, uint16_t format, StorageMedium* medium) {
    if (!data || !medium) return false;
    FORMATETC wanted = formatFor(format);
    STGMEDIUM got{};
    if (FAILED(h(data)->GetData(&wanted, &got))) return false;
    *medium = {static_cast<uint32_t>(got.tymed), reinterpret_cast<GlobalMemory>(got.hGlobal),
               got.pUnkForRelease};
    return true;
}

void releaseStgMedium(StorageMedium* medium) {
    if (!medium) return;
    STGMEDIUM given{};
    given.tymed = medium->type;
    given.hGlobal = h(medium->global);
    given.pUnkForRelease = static_cast<IUnknown*>(medium->releaser);
    ReleaseStgMedium(&given);
    *medium = {TYMED_NULL, nullptr, nullptr};
}

uint32_t dragQueryFile(GlobalMemory files, uint32_t index, char* name, uint32_t size) {
    return DragQueryFileA(reinterpret_cast<HDROP>(files), index, name, size);
}

void* globalLock(GlobalMemory memory) { return GlobalLock(h(memory)); }
size_t globalSize(GlobalMemory memory) { return GlobalSize(h(memory)); }
void globalUnlock(GlobalMemory memory) { GlobalUnlock(h(memory)); }

bool resolveShellLink(char* path) {
    IShellLinkA* link = nullptr;
    if (FAILED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                reinterpret_cast<void**>(&link))))
        return false;
    IPersistFile* file = nullptr;
    if (FAILED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
        link->Release();
        return false;
    }
    WCHAR wide[2 * droppedNameSize] = {};
    MultiByteToWideChar(CP_ACP, 0, path, -1, wide, 2 * droppedNameSize);
    HRESULT result = file->Load(wide, STGM_READ);
    if (SUCCEEDED(result)) result = link->Resolve(nullptr, resolveFlags);
    if (SUCCEEDED(result)) {
        WIN32_FIND_DATAA found;
        result = link->GetPath(path, droppedNameSize, &found, SLGP_SHORTPATH);
    }
    file->Release();
    link->Release();
    return SUCCEEDED(result);
}

}  // namespace platform
