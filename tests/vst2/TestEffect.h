// A minimal effect and editor for driving the host layer in tests, and a
// host callback that records what it was asked.
#pragma once

#include <string>
#include <vector>

#include "vst2/EffectBaseX.h"

class TestEffect final : public EffectBaseX {
public:
    explicit TestEffect(audioMasterCallback host = nullptr, bool* destroyedFlag = nullptr)
        : EffectBaseX(host, 16, 9), destroyed(destroyedFlag) {}
    ~TestEffect() override {
        if (destroyed) *destroyed = true;
    }

    void process(float**, float**, int32_t frames) override { processedFrames += frames; }
    void processReplacing(float**, float**, int32_t frames) override { replacedFrames += frames; }
    void setParameter(int32_t index, float value) override {
        if (index >= 0 && index < 9) params[index] = value;
    }
    float getParameter(int32_t index) override {
        return (index >= 0 && index < 9) ? params[index] : -1.0f;
    }
    void open() override { ++opens; }
    void close() override { ++closes; }
    void suspend() override { ++suspends; }
    void resume() override { ++resumes; }
    void setSampleRate(float rate) override {
        EffectBaseX::setSampleRate(rate);
        ++sampleRateCalls;
    }
    void inputConnected(int32_t index, bool state) override {
        connectedIndex = index;
        connectedState = state;
    }

    int32_t processedFrames = 0;
    int32_t replacedFrames = 0;
    int opens = 0, closes = 0, suspends = 0, resumes = 0, sampleRateCalls = 0;
    int32_t connectedIndex = -1;
    bool connectedState = false;
    float params[9] = {};

private:
    bool* destroyed;
};

class TestEditor final : public EditorInterface {
public:
    explicit TestEditor(EffectBase* owner, bool* destroyedFlag = nullptr)
        : EditorInterface(owner), destroyed(destroyedFlag) {}
    ~TestEditor() override {
        if (destroyed) *destroyed = true;
    }

    intptr_t getRect(ERect** r) override {
        *r = &rect;
        return 1;
    }
    intptr_t open(void* parent) override {
        EditorInterface::open(parent);
        return 1;
    }
    void close() override { ++closes; }
    void update() override { ++updates; }
    intptr_t onKeyDown(VstKeyCode& key) override {
        lastKey = key;
        return 7;
    }
    intptr_t onKeyUp(VstKeyCode& key) override {
        lastKey = key;
        return 8;
    }
    intptr_t setKnobMode(intptr_t mode) override {
        knobMode = mode;
        return 1;
    }

    ERect rect{0, 0, 202, 547};
    int closes = 0, updates = 0;
    VstKeyCode lastKey{};
    intptr_t knobMode = -1;

private:
    bool* destroyed;
};

struct HostCall {
    AEffect* effect;
    int32_t opcode;
    int32_t index;
    intptr_t value;
    void* ptr;
    float opt;
};

// The callback is a plain function, so its record and its answer live here.
struct RecordingHost {
    static std::vector<HostCall>& calls() {
        static std::vector<HostCall> c;
        return c;
    }
    static intptr_t& reply() {
        static intptr_t r = 0;
        return r;
    }
    static void reset(intptr_t answer = 0) {
        calls().clear();
        reply() = answer;
    }
    static intptr_t VSTCALL callback(AEffect* e, int32_t opcode, int32_t index, intptr_t value,
                                     void* ptr, float opt) {
        calls().push_back({e, opcode, index, value, ptr, opt});
        return reply();
    }
};
