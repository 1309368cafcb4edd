#include "host/VstHost.h"

#include <algorithm>
#include <cstring>

#include "vst2/PanelSnapshot.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

// The host callback is a plain function: it finds its instance here. During
// the module's "main" there is no effect pointer yet, so the instance being
// created is remembered until the effect is known.
PluginInstance* creating = nullptr;
std::vector<std::pair<AEffect*, PluginInstance*>>& instances() {
    static std::vector<std::pair<AEffect*, PluginInstance*>> all;
    return all;
}

}  // namespace

LoadedModule::~LoadedModule() {
    if (!handle) return;
#if defined(_WIN32)
    FreeLibrary(static_cast<HMODULE>(handle));
#else
    dlclose(handle);
#endif
}

bool LoadedModule::load(const std::string& path, std::string& error) {
#if defined(_WIN32)
    HMODULE module = LoadLibraryA(path.c_str());
    if (!module) {
        error = "cannot load module " + path;
        return false;
    }
    handle = module;
    entryPoint = reinterpret_cast<Entry>(reinterpret_cast<void*>(GetProcAddress(module, "main")));
#else
    handle = dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        error = "cannot load module " + path + (why ? std::string(": ") + why : std::string());
        return false;
    }
    entryPoint = reinterpret_cast<Entry>(dlsym(handle, "main"));
#endif
    if (!entryPoint) {
        error = "module " + path + " has no entry point \"main\"";
        return false;
    }
    return true;
}

intptr_t VSTCALL PluginInstance::hostCallback(AEffect* effect, int32_t opcode, int32_t index,
                                              intptr_t, void*, float opt) {
    PluginInstance* self = creating;
    for (auto& entry : instances())
        if (entry.first == effect) self = entry.second;
    switch (opcode) {
    case audioMasterVersion:
        return 2300;
    case audioMasterAutomate:
    case audioMasterBeginEdit:
    case audioMasterEndEdit:
        if (self) {
            const EditEvent event{opcode, index, opcode == audioMasterAutomate ? opt : 0.0f};
            self->editEvents.push_back(event);
            if (self->onEdit) self->onEdit(event);
        }
        return opcode == audioMasterAutomate ? 0 : 1;
    case audioMasterGetSampleRate:
        return self ? static_cast<intptr_t>(self->rate) : 0;
    case audioMasterGetBlockSize:
        return self ? self->block : 0;
    default:
        return 0;
    }
}

PluginInstance::~PluginInstance() {
    if (!aeffect) return;
    stop();
    aeffect->dispatcher(aeffect, effClose, 0, 0, nullptr, 0.0f);
    auto& all = instances();
    all.erase(std::remove_if(all.begin(), all.end(),
                             [this](const auto& entry) { return entry.second == this; }),
              all.end());
}

bool PluginInstance::create(const LoadedModule& module, std::string& error) {
    if (!module.entry()) {
        error = "no module loaded";
        return false;
    }
    creating = this;
    AEffect* effect = module.entry()(&PluginInstance::hostCallback);
    creating = nullptr;
    if (!effect) {
        error = "the module's main returned no effect";
        return false;
    }
    if (effect->magic != kEffectMagic) {
        error = "the module's main returned something that is not an effect";
        return false;
    }
    if (effect->numInputs > 2 || effect->numOutputs < 2 || !effect->processReplacing ||
        !(effect->flags & effFlagsCanReplacing)) {
        effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
        error = "the effect is not a stereo effect with replacing processing";
        return false;
    }
    aeffect = effect;
    instances().emplace_back(effect, this);
    dispatch(effOpen);
    return true;
}

void PluginInstance::start(float sampleRate, int32_t blockSize) {
    rate = sampleRate;
    block = blockSize;
    dispatch(effSetSampleRate, 0, 0, nullptr, sampleRate);
    dispatch(effSetBlockSize, 0, blockSize);
    dispatch(effMainsChanged, 0, 1);
    running = true;
}

void PluginInstance::stop() {
    if (!running) return;
    dispatch(effMainsChanged, 0, 0);
    running = false;
}

intptr_t PluginInstance::dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr,
                                  float opt) {
    return aeffect ? aeffect->dispatcher(aeffect, opcode, index, value, ptr, opt) : 0;
}

void PluginInstance::setParameter(int32_t index, float value) {
    if (aeffect) aeffect->setParameter(aeffect, index, value);
}

float PluginInstance::getParameter(int32_t index) const {
    return aeffect ? aeffect->getParameter(aeffect, index) : 0.0f;
}

void PluginInstance::setProgram(int32_t program) { dispatch(effSetProgram, 0, program); }

void PluginInstance::processReplacing(float** inputs, float** outputs, int32_t frames) {
    if (aeffect) aeffect->processReplacing(aeffect, inputs, outputs, frames);
}

// Hosts give generous buffers: the published limits are far below 256 bytes.
std::string PluginInstance::text(int32_t opcode, int32_t index) {
    char buffer[256] = {};
    dispatch(opcode, index, 0, buffer);
    buffer[sizeof(buffer) - 1] = 0;
    return buffer;
}

std::string PluginInstance::parameterName(int32_t index) { return text(effGetParamName, index); }
std::string PluginInstance::parameterLabel(int32_t index) { return text(effGetParamLabel, index); }
std::string PluginInstance::parameterDisplay(int32_t index) {
    return text(effGetParamDisplay, index);
}
std::string PluginInstance::effectName() { return text(effGetEffectName, 0); }
std::string PluginInstance::vendorString() { return text(effGetVendorString, 0); }
std::string PluginInstance::productString() { return text(effGetProductString, 0); }

std::string PluginInstance::programName(int32_t index) {
    char buffer[256] = {};
    dispatch(effGetProgramNameIndexed, index, -1, buffer);
    buffer[sizeof(buffer) - 1] = 0;
    return buffer;
}

bool PluginInstance::panelSnapshot(std::vector<uint32_t>& pixels, int32_t& width, int32_t& height) {
    PanelSnapshot shot{0, 0, nullptr};
    if (dispatch(effVendorSpecific, panelSnapshotIndex, panelSnapshotValue, &shot) != 1 ||
        shot.width <= 0 || shot.height <= 0)
        return false;
    pixels.assign(static_cast<size_t>(shot.width) * static_cast<size_t>(shot.height), 0);
    shot.pixels = pixels.data();
    if (dispatch(effVendorSpecific, panelSnapshotIndex, panelSnapshotValue, &shot) != 1)
        return false;
    width = shot.width;
    height = shot.height;
    return true;
}

void renderThrough(PluginInstance& plugin, const float* left, const float* right, size_t frames,
                   size_t tailFrames, int32_t blockSize, std::vector<float>& outLeft,
                   std::vector<float>& outRight, const std::function<void(double)>& progress) {
    const size_t total = frames + tailFrames;
    const size_t block = static_cast<size_t>(std::max<int32_t>(blockSize, 1));
    outLeft.assign(total, 0.0f);
    outRight.assign(total, 0.0f);
    std::vector<float> inLeft(block), inRight(block);
    for (size_t start = 0; start < total; start += block) {
        const size_t n = std::min(block, total - start);
        for (size_t i = 0; i < n; ++i) {
            const size_t frame = start + i;
            inLeft[i] = frame < frames ? left[frame] : 0.0f;
            inRight[i] = frame < frames ? right[frame] : 0.0f;
        }
        float* inputs[2] = {inLeft.data(), inRight.data()};
        float* outputs[2] = {outLeft.data() + start, outRight.data() + start};
        plugin.processReplacing(inputs, outputs, static_cast<int32_t>(n));
        if (progress) progress(static_cast<double>(start + n) / static_cast<double>(total));
    }
}
