// The drop target as a COM object, apart from any window.
#include <gtest/gtest.h>

#include "gui/platform/win32/DropTarget.h"

TEST(DropTargetObject, StartsUnheldAndAnswersOnlyForItsOwnTwoInterfaces) {
    auto* target = new platform::DropTarget(nullptr);
    EXPECT_EQ(target->AddRef(), 1u);

    void* found = nullptr;
    EXPECT_EQ(target->QueryInterface(IID_IUnknown, &found), S_OK);
    EXPECT_EQ(found, static_cast<IUnknown*>(target));
    found = nullptr;
    EXPECT_EQ(target->QueryInterface(IID_IDropTarget, &found), S_OK);
    EXPECT_EQ(found, static_cast<IDropTarget*>(target));
    EXPECT_EQ(target->Release(), 2u);

    found = target;
    EXPECT_EQ(target->QueryInterface(IID_IDataObject, &found), E_NOINTERFACE);
    EXPECT_EQ(found, nullptr);
    EXPECT_EQ(target->QueryInterface(IID_IDropSource, &found), E_NOINTERFACE);
    EXPECT_EQ(target->Release(), 1u);
    EXPECT_EQ(target->Release(), 0u);
}

// Without a frame a drop asks the data for nothing.
TEST(DropTargetObject, WithoutAFrameADropIsAnsweredAndLeavesTheEffectAlone) {
    auto* target = new platform::DropTarget(nullptr);
    target->AddRef();
    DWORD effect = DROPEFFECT_LINK;
    EXPECT_EQ(target->Drop(nullptr, 0, POINTL{0, 0}, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_LINK));
    EXPECT_EQ(target->DragEnter(nullptr, 0, POINTL{0, 0}, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_NONE));
    EXPECT_EQ(target->Release(), 0u);
}
