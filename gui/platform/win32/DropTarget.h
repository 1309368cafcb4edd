// The COM object the system calls while something is dragged over a
// frame's window. It counts its own references, starting from none: the
// registration holds the only one, and revoking it frees the target.
#pragma once

#include <windows.h>
#include <ole2.h>

#include "gui/platform/DropRoute.h"

namespace platform {

class DropTarget final : public IDropTarget {
public:
    explicit DropTarget(DropReceiver* receiver) : route(receiver) {}

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID id, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL point,
                                        DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL point, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keyState, POINTL point,
                                   DWORD* effect) override;

private:
    virtual ~DropTarget() = default;

    LONG count = 0;
    DropRoute route;
};

}  // namespace platform
