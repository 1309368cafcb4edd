// Drags staged on Windows: a data object that offers text or a file list
// the way the shell's do, handed to the drop target the system holds for
// the window, as the system's drag loop would hand it.
#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include <cstring>

#include "gui/platform/Probe.h"

namespace platform::probe {

namespace {

int& blocksInUse() {
    static int count = 0;
    return count;
}

// Gives a handed-out block back when its medium is released, so that the
// blocks not given back can be counted.
class BlockOwner final : public IUnknown {
public:
    explicit BlockOwner(HGLOBAL owned) : block(owned) { ++blocksInUse(); }

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (!object) return E_POINTER;
        *object = IsEqualIID(id, IID_IUnknown) ? this : nullptr;
        if (!*object) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    ULONG STDMETHODCALLTYPE AddRef() override { return ++count; }
    ULONG STDMETHODCALLTYPE Release() override {
        ULONG left = --count;
        if (left == 0) delete this;
        return left;
    }

private:
    ~BlockOwner() {
        GlobalFree(block);
        --blocksInUse();
    }

    ULONG count = 1;
    HGLOBAL block;
};

HGLOBAL blockOf(const void* bytes, size_t size, size_t blockSize) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, blockSize);
    if (!block) return nullptr;
    std::memcpy(GlobalLock(block), bytes, size);
    GlobalUnlock(block);
    return block;
}

// The shell's file list: a DROPFILES record, then the 8-bit names, each
// ended by a zero, and one zero more.
HGLOBAL fileListOf(const std::vector<std::string>& files) {
    std::string names;
    for (const std::string& f : files) names.append(f).push_back('\0');
    names.push_back('\0');
    DROPFILES head{};
    head.pFiles = sizeof head;
    std::string record(reinterpret_cast<const char*>(&head), sizeof head);
    record += names;
    return blockOf(record.data(), record.size(), record.size());
}

class StagedData final : public IDataObject {
public:
    explicit StagedData(const DragData& staged) : data(staged) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override {
        if (!object) return E_POINTER;
        *object = IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDataObject)
                      ? static_cast<IDataObject*>(this)
                      : nullptr;
        if (!*object) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    // Lives on the stack of the staging call; the target holds none of it.
    ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
    ULONG STDMETHODCALLTYPE Release() override { return 1; }

    HRESULT STDMETHODCALLTYPE QueryGetData(FORMATETC* format) override {
        if (!format || format->tymed != TYMED_HGLOBAL || format->dwAspect != DVASPECT_CONTENT)
            return DV_E_FORMATETC;
        if (format->cfFormat == CF_TEXT && data.offersText) return S_OK;
        if (format->cfFormat == CF_HDROP && data.offersFiles) return S_OK;
        return DV_E_FORMATETC;
    }

    HRESULT STDMETHODCALLTYPE GetData(FORMATETC* format, STGMEDIUM* medium) override {
        if (!medium) return E_POINTER;
        HRESULT offered = QueryGetData(format);
        if (offered != S_OK) return offered;
        HGLOBAL block = nullptr;
        if (format->cfFormat == CF_TEXT) {
            size_t size = data.textBlock > data.text.size() ? data.textBlock : data.text.size() + 1;
            block = blockOf(data.text.c_str(), data.text.size() + 1, size);
        } else {
            block = fileListOf(data.files);
        }
        if (!block) return E_OUTOFMEMORY;
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = block;
        medium->pUnkForRelease = new BlockOwner(block);
        return S_OK;
    }

    HRESULT STDMETHODCALLTYPE GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        if (out) out->ptd = nullptr;
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    HRESULT STDMETHODCALLTYPE DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    HRESULT STDMETHODCALLTYPE EnumDAdvise(IEnumSTATDATA**) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }

private:
    const DragData& data;
};

// RegisterDragDrop keeps the target in this property of the window.
IDropTarget* targetOf(Window window) {
    return static_cast<IDropTarget*>(
        GetPropA(reinterpret_cast<HWND>(window), "OleDropTargetInterface"));
}

// Far outside any window the tests make.
constexpr POINTL farAway{-30000, -30000};

}  // namespace

uint32_t dragEnter(Window window, const DragData& data, uint32_t keyState) {
    IDropTarget* target = targetOf(window);
    if (!target) return DROPEFFECT_NONE;
    StagedData staged(data);
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    target->DragEnter(&staged, keyState, farAway, &effect);
    return effect;
}

uint32_t dragOver(Window window, uint32_t keyState) {
    IDropTarget* target = targetOf(window);
    if (!target) return DROPEFFECT_NONE;
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    target->DragOver(keyState, farAway, &effect);
    return effect;
}

void drop(Window window, const DragData& data, uint32_t keyState) {
    IDropTarget* target = targetOf(window);
    if (!target) return;
    StagedData staged(data);
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK;
    target->Drop(&staged, keyState, farAway, &effect);
}

int mediaInUse() { return blocksInUse(); }

DropTargetRef registeredDropTarget(Window window) {
    return reinterpret_cast<DropTargetRef>(targetOf(window));
}

int32_t addRefDropTarget(DropTargetRef target) {
    return static_cast<int32_t>(reinterpret_cast<IDropTarget*>(target)->AddRef());
}

int32_t releaseDropTarget(DropTargetRef target) {
    return static_cast<int32_t>(reinterpret_cast<IDropTarget*>(target)->Release());
}

}  // namespace platform::probe
