#include "gui/platform/win32/DropTarget.h"

namespace platform {

namespace {
DataObject wrap(IDataObject* data) { return reinterpret_cast<DataObject>(data); }
}  // namespace

HRESULT STDMETHODCALLTYPE DropTarget::QueryInterface(REFIID id, void** object) {
    if (!object) return E_POINTER;
    if (IsEqualIID(id, IID_IUnknown) || IsEqualIID(id, IID_IDropTarget)) {
        *object = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG STDMETHODCALLTYPE DropTarget::AddRef() { return static_cast<ULONG>(++count); }

// The count is signed: a target released without ever being held ends too.
ULONG STDMETHODCALLTYPE DropTarget::Release() {
    LONG left = --count;
    if (left <= 0) delete this;
    return static_cast<ULONG>(left);
}

// The point the system passes is in screen coordinates and not used: a
// drop lands where the frame finds the cursor.
HRESULT STDMETHODCALLTYPE DropTarget::DragEnter(IDataObject* data, DWORD keyState, POINTL,
                                                DWORD* effect) {
    DWORD shown = route.dragEnter(wrap(data), keyState);
    if (effect) *effect = shown;
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DropTarget::DragOver(DWORD keyState, POINTL, DWORD* effect) {
    if (effect) *effect = route.dragOver(keyState);
    return S_OK;
}

HRESULT STDMETHODCALLTYPE DropTarget::DragLeave() { return S_OK; }

HRESULT STDMETHODCALLTYPE DropTarget::Drop(IDataObject* data, DWORD, POINTL, DWORD*) {
    route.drop(wrap(data));
    DragLeave();
    return S_OK;
}

}  // namespace platform
