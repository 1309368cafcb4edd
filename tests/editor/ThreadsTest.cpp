// One effect used by three threads as hosts use it: the audio thread
// processes, a second thread changes parameters and programs, and a third,
// standing in for the host's user-interface thread, opens, idles and closes
// the panel. A second instance, on the parameter thread, changes the sample
// rate that all instances of the module share. Under ThreadSanitizer (the
// tsan preset) any data race among them fails the run.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cmath>
#include <random>
#include <thread>
#include <vector>

#include "module/ReverbPluginGui.h"
#include "tests/support/GuiTestSupport.h"

namespace {

AEffect* makeEffect() { return (new ReverbPluginGui(nullptr))->getAeffect(); }

intptr_t dispatch(AEffect* e, int32_t opcode, int32_t index = 0, intptr_t value = 0,
                  void* ptr = nullptr, float opt = 0.0f) {
    return e->dispatcher(e, opcode, index, value, ptr, opt);
}

TEST(Threads, AudioParametersAndThePanelOnThreeThreadsShareTheEffectSafely) {
    guitest::ScopedHostWindow window(547, 202);
    AEffect* effect = makeEffect();
    AEffect* other = makeEffect();
    dispatch(effect, effSetProgram, 0, 0);
    effect->setParameter(effect, 7, 1.0f);
    std::atomic<bool> stop{false};
    std::atomic<bool> finite{true};
    std::atomic<int> panels{0};

    std::thread audio([&] {
        std::vector<float> inL(64), inR(64), outL(64), outR(64);
        float* in[2] = {inL.data(), inR.data()};
        float* out[2] = {outL.data(), outR.data()};
        std::minstd_rand noise(7);
        while (!stop.load()) {
            for (size_t i = 0; i < 64; ++i)
                inL[i] = inR[i] = static_cast<float>(noise() % 2001) / 1000.0f - 1.0f;
            effect->processReplacing(effect, in, out, 64);
            for (size_t i = 0; i < 64; ++i)
                if (!std::isfinite(outL[i]) || !std::isfinite(outR[i])) finite = false;
        }
    });
    std::thread parameters([&] {
        std::minstd_rand random(11);
        std::vector<float> inL(32), inR(32), outL(32), outR(32);
        float* in[2] = {inL.data(), inR.data()};
        float* out[2] = {outL.data(), outR.data()};
        for (int n = 0; !stop.load(); ++n) {
            effect->setParameter(effect, static_cast<int32_t>(random() % 9),
                                 static_cast<float>(random() % 1001) / 1000.0f);
            if (n % 64 == 0)
                dispatch(effect, effSetProgram, 0, static_cast<intptr_t>(random() % 16));
            if (n % 256 == 0)
                dispatch(other, effSetSampleRate, 0, 0, nullptr, n % 512 ? 48000.0f : 44100.0f);
            other->processReplacing(other, in, out, 32);
        }
    });
    std::thread userInterface([&] {
        while (!stop.load()) {
            if (dispatch(effect, effEditOpen, 0, 0, window.window) == 1) ++panels;
            for (int i = 0; i < 5; ++i) {
                dispatch(effect, effEditIdle);
                std::this_thread::sleep_for(std::chrono::milliseconds(1));
            }
            dispatch(effect, effEditClose);
        }
    });
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    stop = true;
    audio.join();
    parameters.join();
    userInterface.join();

    EXPECT_TRUE(finite.load());
    EXPECT_GT(panels.load(), 10);
    dispatch(other, effClose);
    dispatch(effect, effClose);
}

}  // namespace
