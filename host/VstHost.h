// A small VST 2 host: loads a module file, creates its effect through
// "main" and drives it the way a DAW does. Shared by the command-line host
// and the cross-platform render check.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "vst2/vst2.h"

class LoadedModule final {
public:
    using Entry = AEffect*(VSTCALL*)(audioMasterCallback);

    LoadedModule() = default;
    ~LoadedModule();
    LoadedModule(const LoadedModule&) = delete;
    LoadedModule& operator=(const LoadedModule&) = delete;

    bool load(const std::string& path, std::string& error);
    Entry entry() const { return entryPoint; }

private:
    void* handle = nullptr;
    Entry entryPoint = nullptr;
};

// What the effect told the host about a user's edit: begin-edit, an
// automated value, end-edit.
struct EditEvent {
    int32_t opcode;  // audioMasterBeginEdit, audioMasterAutomate or audioMasterEndEdit
    int32_t index;
    float value;  // the automated value; 0 for the brackets
};

class PluginInstance final {
public:
    PluginInstance() = default;
    ~PluginInstance();
    PluginInstance(const PluginInstance&) = delete;
    PluginInstance& operator=(const PluginInstance&) = delete;

    bool create(const LoadedModule& module, std::string& error);

    // effOpen, sample rate, block size, then processing switched on.
    void start(float sampleRate, int32_t blockSize);
    void stop();

    intptr_t dispatch(int32_t opcode, int32_t index = 0, intptr_t value = 0, void* ptr = nullptr,
                      float opt = 0.0f);
    void setParameter(int32_t index, float value);
    float getParameter(int32_t index) const;
    void setProgram(int32_t program);
    void processReplacing(float** inputs, float** outputs, int32_t frames);

    std::string parameterName(int32_t index);
    std::string parameterLabel(int32_t index);
    std::string parameterDisplay(int32_t index);
    std::string programName(int32_t index);
    std::string effectName();
    std::string vendorString();
    std::string productString();

    AEffect* effect() const { return aeffect; }
    int32_t numParams() const { return aeffect ? aeffect->numParams : 0; }
    int32_t numPrograms() const { return aeffect ? aeffect->numPrograms : 0; }
    const std::vector<EditEvent>& edits() const { return editEvents; }
    // Called as each edit event arrives, for hosts that show them live.
    std::function<void(const EditEvent&)> onEdit;

    // The effect's picture of its panel (our own request; see
    // host/PanelSnapshot.h): rows from the top, pixels 0x00RRGGBB.
    bool panelSnapshot(std::vector<uint32_t>& pixels, int32_t& width, int32_t& height);

private:
    static intptr_t VSTCALL hostCallback(AEffect* effect, int32_t opcode, int32_t index,
                                         intptr_t value, void* ptr, float opt);
    std::string text(int32_t opcode, int32_t index);

    AEffect* aeffect = nullptr;
    float rate = 44100.0f;
    int32_t block = 512;
    bool running = false;
    std::vector<EditEvent> editEvents;
};

// Renders a stereo signal through the instance in blocks, followed by
// tailFrames of silence. The outputs receive frames + tailFrames samples each.
// progress, when given, is called after every block with the share done.
void renderThrough(PluginInstance& plugin, const float* left, const float* right, size_t frames,
                   size_t tailFrames, int32_t blockSize, std::vector<float>& outLeft,
                   std::vector<float>& outRight,
                   const std::function<void(double)>& progress = nullptr);
