// The editor as the dispatcher and the effect see it. Graphical editors
// derive from it; the defaults are the answers of an effect without a panel.
#pragma once

#include <atomic>
#include <cstdint>

#include "vst2/vst2.h"

struct PanelSnapshot;

class EffectBase;

class EditorInterface {
public:
    explicit EditorInterface(EffectBase* owner) : effect(owner) {}
    virtual ~EditorInterface() = default;

    EditorInterface(const EditorInterface&) = delete;
    EditorInterface& operator=(const EditorInterface&) = delete;

    virtual intptr_t getRect(ERect** rect) {
        (void)rect;
        return 0;
    }
    virtual intptr_t open(void* parentWindow) {
        systemWindow = parentWindow;
        return 0;
    }
    virtual void close() {}
    virtual void idle() {
        if (takeUpdate()) update();
    }
    virtual void update() {}
    virtual void markForUpdate() { updateFlag.store(1, std::memory_order_relaxed); }
    virtual intptr_t onKeyDown(VstKeyCode& key) {
        (void)key;
        return -1;
    }
    virtual intptr_t onKeyUp(VstKeyCode& key) {
        (void)key;
        return -1;
    }
    virtual intptr_t setKnobMode(intptr_t mode) {
        (void)mode;
        return 0;
    }
    virtual bool onWheel(float distance) {
        (void)distance;
        return false;
    }
    // The host's content-scale factor (see ContentScale.h); true when taken.
    virtual bool setContentScale(float factor) {
        (void)factor;
        return false;
    }
    // Draws the panel into the record's pixels (see PanelSnapshot.h).
    virtual bool snapshot(PanelSnapshot& shot) {
        (void)shot;
        return false;
    }

    EffectBase* getEffect() const { return effect; }
    void* getParentWindow() const { return systemWindow; }
    bool isUpdatePending() const { return updateFlag.load(std::memory_order_relaxed) != 0; }

protected:
    EffectBase* effect;
    void* systemWindow = nullptr;
    // Reads and clears the update flag in one step.
    bool takeUpdate() { return updateFlag.exchange(0, std::memory_order_relaxed) != 0; }

    // Set by parameter changes on whatever thread the host makes them, taken
    // by the idle on the user-interface thread: a relaxed atomic, a plain
    // 32-bit store and load on every target.
    std::atomic<int32_t> updateFlag{0};
};
