#include <gtest/gtest.h>

#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "gui/platform/Probe.h"
#include "host/VstHost.h"
#include "tests/support/DescriptorChecks.h"

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

namespace {

intptr_t VSTCALL refusingHost(AEffect*, int32_t opcode, int32_t, intptr_t, void*, float) {
    return opcode == audioMasterVersion ? 0 : 1;
}

struct Module : ::testing::Test {
    void SetUp() override {
        std::string error;
        ASSERT_TRUE(module.load(BRV_MODULE_PATH, error)) << error;
    }
    LoadedModule module;
};

}  // namespace

TEST_F(Module, ExportsOnlyMain) {
#if defined(_WIN32)
    HMODULE handle = LoadLibraryA(BRV_MODULE_PATH);
    ASSERT_NE(handle, nullptr);
    EXPECT_NE(GetProcAddress(handle, "main"), nullptr);
    EXPECT_EQ(GetProcAddress(handle, "brellivauntEntry"), nullptr);
    EXPECT_EQ(GetProcAddress(handle, "DllMain"), nullptr);
    FreeLibrary(handle);
#else
    void* handle = dlopen(BRV_MODULE_PATH, RTLD_NOW | RTLD_LOCAL);
    ASSERT_NE(handle, nullptr);
    EXPECT_NE(dlsym(handle, "main"), nullptr);
    EXPECT_EQ(dlsym(handle, "brellivauntEntry"), nullptr);
    EXPECT_EQ(dlsym(handle, "_ZN10ReverbCore12updateEngineEv"), nullptr);
    dlclose(handle);
#endif
}

TEST_F(Module, MainRefusesAHostThatAnswersNoVersion) {
    EXPECT_EQ(module.entry()(&refusingHost), nullptr);
    EXPECT_EQ(module.entry()(nullptr), nullptr);
}

TEST_F(Module, MainGivesTheReverbsDescriptor) {
    PluginInstance plugin;
    std::string error;
    ASSERT_TRUE(plugin.create(module, error)) << error;
    const AEffect* e = plugin.effect();
    support::expectReverbDescriptor(e);
    EXPECT_EQ(plugin.effectName(), "Tarnwick Research Brellivaunt R 1.0");
    EXPECT_EQ(plugin.vendorString(), "Tarnwick Research");
    EXPECT_EQ(plugin.productString(), "Tarnworks Brellivaunt R 1.0");
    EXPECT_EQ(plugin.dispatch(effGetVstVersion), 2300);
    EXPECT_EQ(plugin.dispatch(effGetCurrentMidiProgram, 0, 0, &error), -1);
}

TEST_F(Module, TwoInstancesAreIndependent) {
    auto first = std::make_unique<PluginInstance>();
    PluginInstance second;
    std::string error;
    ASSERT_TRUE(first->create(module, error)) << error;
    ASSERT_TRUE(second.create(module, error)) << error;
    first->setParameter(2, 0.9f);
    EXPECT_EQ(second.getParameter(2), 0.5f);
    first.reset();  // closes the first effect
    second.setParameter(7, 1.0f);
    second.start(44100.0f, 256);
    std::vector<float> impulse(64, 0.0f), left, right;
    impulse[0] = 1.0f;
    renderThrough(second, impulse.data(), impulse.data(), impulse.size(), 44100, 256, left, right);
    double tail = 0.0;
    for (size_t i = 22050; i < left.size(); ++i) tail += std::fabs(left[i]) + std::fabs(right[i]);
    EXPECT_GT(tail, 0.0) << "the remaining instance still reverberates";
}

TEST_F(Module, ProcessingBeforeMainsChangedIsSafe) {
    PluginInstance plugin;
    std::string error;
    ASSERT_TRUE(plugin.create(module, error)) << error;
    std::vector<float> in(100, 0.5f), left, right;
    renderThrough(plugin, in.data(), in.data(), in.size(), 0, 7, left, right);
    EXPECT_EQ(left, in) << "engine off by default: output is input";
}

// Some hosts size their window before they open the panel, and one uses the
// answer without checking it: the rectangle is there all the time.
TEST_F(Module, ThePanelRectangleIsAnsweredBeforeAndAfterOpeningAndAfterClosing) {
    PluginInstance plugin;
    std::string error;
    ASSERT_TRUE(plugin.create(module, error)) << error;
    auto expectPanelRect = [&plugin](const char* when) {
        ERect* rect = nullptr;
        ASSERT_EQ(plugin.dispatch(effEditGetRect, 0, 0, &rect), 1) << when;
        ASSERT_NE(rect, nullptr) << when;
        EXPECT_EQ(rect->top, 0) << when;
        EXPECT_EQ(rect->left, 0) << when;
        EXPECT_EQ(rect->bottom, 202) << when;
        EXPECT_EQ(rect->right, 547) << when;
    };
    expectPanelRect("before opening");
    // On Linux the module cannot use this test's window, as it cannot use
    // a display server's window id yet: the panel still opens and answers.
    platform::Window parent = platform::probe::createHostWindow(547, 202);
    EXPECT_EQ(plugin.dispatch(effEditOpen, 0, 0, parent), 1);
    expectPanelRect("while open");
    plugin.dispatch(effEditIdle);
    plugin.dispatch(effEditClose);
    expectPanelRect("after closing");
    platform::probe::destroyHostWindow(parent);
}
