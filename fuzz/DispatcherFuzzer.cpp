// Drives one effect through its descriptor from a byte stream: opcodes with
// the arguments a host would pass, texts of every length, parameter changes
// with any float, short process calls, the panel opened, idled, closed and
// offered other scales on the soft platform, and the effect closed and made
// again, presses and wheel turns on the panel's window (its room selector
// and the list it opens among the places pressed). Besides the sanitizers
// it checks two things a host relies on:
// getParameter answers what the host (or the panel, through automation) last
// set, and finite input gives finite output.
//
// Each input gets a new effect, as its first and only one; what no input can
// change is made once per process and reused: the host window the panel
// opens in and the buffers its pictures are read into. Everything an input
// observes goes into a digest, so the replay can show that an input answers
// the same alone and after others.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <vector>

#include "params/Parameters.h"
#include "editor/EditorBase.h"
#include "gui/Frame.h"
#include "gui/platform/Probe.h"
#include "module/ReverbPluginGui.h"
#include "module/Vst2Editor.h"
#include "fuzz/ByteStream.h"
#include "fuzz/DispatcherRun.h"
#include "fuzz/Observations.h"
#include "gui/platform/HostWindow.h"
#include "vst2/ContentScale.h"
#include "vst2/PanelSnapshot.h"

namespace {

// What the host believes each program holds, kept as the effect promises:
// a finite value to a parameter goes into the live values and the current
// program; a program change brings that program's values back.
class ParameterModel final {
public:
    ParameterModel() {
        for (auto& program : programs)
            for (int32_t i = 0; i < paramCount; ++i) program[i] = i <= paramDryWet ? 0.5f : 0.0f;
    }
    void set(int32_t index, float value) {
        if (isParameter(index) && std::isfinite(value)) programs[current][index] = value;
    }
    void select(intptr_t program) {
        if (program >= 0 && program < 16) current = static_cast<int>(program);
    }
    float live(int32_t index) const { return programs[current][index]; }

private:
    float programs[16][paramCount];
    int current = 0;
};

ParameterModel* model = nullptr;

intptr_t VSTCALL hostCallback(AEffect*, int32_t opcode, int32_t index, intptr_t, void*, float opt) {
    if (opcode == audioMasterVersion) return 2400;
    if (opcode == audioMasterAutomate && model) model->set(index, opt);
    return 0;
}

void require(bool ok) {
    if (!ok) __builtin_trap();
}

// The top-level window a host gives the panel. Made when the first input
// opens a panel and kept for the process: closing the effect closes its panel
// and leaves the host's window as a host would.
class HostWindow final {
public:
    void* get() {
        if (!platform::isWindow(window)) window = platform::createHostWindow(547, 202);
        return window;
    }

private:
    platform::Window window = nullptr;
};

// Pixel buffers for the picture request, one per size, kept for the
// process: a new half megabyte for every request cost the sanitizer's
// allocator a mapping and its page faults each time. Each is exactly its
// size, so a write past its end still meets the allocator's red zone, and
// it is filled anew before each use.
class PixelBuffers final {
public:
    std::vector<uint32_t>& filled(size_t count, uint32_t value) {
        std::vector<uint32_t>& buffer = bySize[count];
        if (buffer.size() != count)
            buffer.assign(count, value);
        else
            std::fill(buffer.begin(), buffer.end(), value);
        return buffer;
    }

private:
    std::map<size_t, std::vector<uint32_t>> bySize;
};

// What the fuzzer keeps from one input to the next: nothing an input can
// leave changed for the next.
struct Kept {
    HostWindow window;
    PixelBuffers pixels;
};

class FuzzHost final {
public:
    FuzzHost(Kept& kept, Observations& observations)
        : shared(kept.window), pictures(kept.pixels), seen(observations) {
        // The pointer is the system's, shared by every input: back where no
        // input has moved it.
        platform::probe::setCursorPos(0, 0);
        create();
    }
    ~FuzzHost() { destroy(); }
    FuzzHost(const FuzzHost&) = delete;
    FuzzHost& operator=(const FuzzHost&) = delete;

    void step(ByteStream& in) {
        if (!effect) return;
        switch (in.byte() % 8) {
        case 0:
            knownOpcode(in);
            break;
        case 1:
            unknownOpcode(in);
            break;
        case 2:
            setParameter(in);
            break;
        case 3:
            checkParameters();
            break;
        case 4:
            process(in);
            break;
        case 5:
            panel(in);
            break;
        case 6:
            texts(in);
            break;
        default:
            if (in.byte() < 16) {
                destroy();
                create();
            }
        }
    }

private:
    void create() {
        modelHolder = std::make_unique<ParameterModel>();
        model = modelHolder.get();
        // As the module's entry makes it; effClose deletes it.
        plugin = new ReverbPluginGui(&hostCallback);
        effect = plugin->getAeffect();
        // The knob mode is the one setting all instances share, and a previous
        // input may have left it anywhere: back to a host's usual.
        dispatch(effSetEditKnobMode, 0, 0, nullptr, 0.0f);
    }
    void destroy() {
        if (effect) effect->dispatcher(effect, effClose, 0, 0, nullptr, 0.0f);
        effect = nullptr;
        plugin = nullptr;
    }
    intptr_t dispatch(int32_t opcode, int32_t index, intptr_t value, void* ptr, float opt) {
        if (opcode == effSetProgram) model->select(value);
        const intptr_t answer = effect->dispatcher(effect, opcode, index, value, ptr, opt);
        seen.add(opcode);
        seen.add(answer);
        return answer;
    }

    // Opcodes 0 to 79 with what a host puts in ptr (and, where the opcode
    // says so, in value) for each.
    void knownOpcode(ByteStream& in) {
        const int32_t opcode = in.byte() % 80;
        if (opcode == effClose) {
            // The effect is gone: a host makes a new one.
            destroy();
            create();
            return;
        }
        const int32_t index = in.index();
        intptr_t value = in.int32();
        const float opt = in.anyFloat();
        std::vector<unsigned char> scratch(1024, 0);
        void* ptr = scratch.data();
        ERect* rect = nullptr;
        void* chunk = nullptr;
        VstSpeakerArrangement arrangements[2] = {};
        VstSpeakerArrangement* arrangementPointers[2] = {nullptr, nullptr};
        switch (opcode) {
        case effEditGetRect:
            ptr = &rect;
            break;
        case effEditOpen:
            ptr = in.byte() < 200 ? hostWindow() : nullptr;
            break;
        case effGetChunk:
            ptr = &chunk;
            break;
        case effSetChunk:
            value = static_cast<intptr_t>(scratch.size());
            break;
        case effSetSpeakerArrangement:
            for (auto& a : arrangements) a.numChannels = in.byte() % 9;
            value = reinterpret_cast<intptr_t>(&arrangements[0]);
            ptr = &arrangements[1];
            break;
        case effGetSpeakerArrangement:
            value = reinterpret_cast<intptr_t>(&arrangementPointers[0]);
            ptr = &arrangementPointers[1];
            break;
        case effVendorSpecific: {
            const uint8_t which = in.byte();
            if (which < 128) return snapshot(in);
            if (which < 192) return offerScale(in);
            break;
        }
        default:
            if (in.byte() < 8) ptr = nullptr;
        }
        const intptr_t answer = dispatch(opcode, index, value, ptr, opt);
        if (ptr == scratch.data()) seen.add(scratch.data(), scratch.size());
        if (opcode == effGetChunk && chunk && answer > 0)
            seen.add(chunk, static_cast<size_t>(answer));
        if (opcode == effEditGetRect && rect) {
            // One of the panel's three sizes, whatever scale was offered.
            const int width = rect->right - rect->left, height = rect->bottom - rect->top;
            require((width == 547 && height == 202) || (width == 820 && height == 303) ||
                    (width == 1094 && height == 404));
            seen.add(*rect);
        }
    }

    // Numbers no host opcode has: any value, a buffer that must stay untouched.
    void unknownOpcode(ByteStream& in) {
        int32_t opcode = in.int32();
        if (opcode >= 0 && opcode <= 76) opcode = -1 - opcode;
        unsigned char buffer[64];
        std::memset(buffer, 0x5A, sizeof buffer);
        require(dispatch(opcode, in.int32(), in.int32(), buffer, in.anyFloat()) == 0);
        for (unsigned char b : buffer) require(b == 0x5A);
    }

    void setParameter(ByteStream& in) {
        const int32_t index = in.index();
        const float value = in.value();
        effect->setParameter(effect, index, value);
        model->set(index, value);
    }

    void checkParameters() {
        for (int32_t i = 0; i < paramCount; ++i) {
            const float now = effect->getParameter(effect, i);
            const float expected = model->live(i);
            require(std::memcmp(&now, &expected, sizeof now) == 0);
            seen.add(now);
        }
        require(effect->getParameter(effect, paramCount) == 0.0f);
        require(effect->getParameter(effect, -1) == 0.0f);
    }

    // A short block of finite input, replacing or accumulating, or a frame
    // count no host should send; whatever was set, the output stays finite.
    void process(ByteStream& in) {
        const int32_t frames = static_cast<int32_t>(in.byte() % 72) - 4;
        const bool replacing = in.byte() & 1;
        const size_t n = frames > 0 ? static_cast<size_t>(frames) : 0;
        std::vector<float> buffers[4];
        for (auto& b : buffers) b.assign(n + 1, 0.0f);
        for (size_t i = 0; i < n; ++i) {
            buffers[0][i] = static_cast<float>(static_cast<int8_t>(in.byte())) / 128.0f;
            buffers[1][i] = static_cast<float>(static_cast<int8_t>(in.byte())) / 128.0f;
        }
        float* inputs[2] = {buffers[0].data(), buffers[1].data()};
        float* outputs[2] = {buffers[2].data(), buffers[3].data()};
        if (replacing)
            effect->processReplacing(effect, inputs, outputs, frames);
        else
            effect->process(effect, inputs, outputs, frames);
        for (size_t i = 0; i < n; ++i)
            require(std::isfinite(buffers[2][i]) && std::isfinite(buffers[3][i]));
        seen.add(buffers[2].data(), n * sizeof(float));
        seen.add(buffers[3].data(), n * sizeof(float));
    }

    // The panel: open, idle, keys, knob mode, close, presses and the wheel,
    // in any order.
    void panel(ByteStream& in) {
        switch (in.byte() % 8) {
        case 0:
            dispatch(effEditOpen, 0, 0, hostWindow(), 0.0f);
            break;
        case 1:
            dispatch(effEditClose, 0, 0, nullptr, 0.0f);
            break;
        case 2:
            dispatch(effEditIdle, 0, 0, nullptr, 0.0f);
            break;
        case 3:
            dispatch(effSetEditKnobMode, 0, in.byte() % 4, nullptr, 0.0f);
            break;
        case 6:
            press(in);
            break;
        case 7:
            wheel(in);
            break;
        default: {
            const int32_t character = in.int32();
            const intptr_t key = in.byte();
            const float modifier = static_cast<float>(in.byte() % 16);
            dispatch(in.byte() & 1 ? effEditKeyDown : effEditKeyUp, character, key, nullptr,
                     modifier);
        }
        }
    }

    // Texts the effect reads, each in a block of exactly its length and its
    // terminator, so that a read past the end is caught.
    void texts(ByteStream& in) {
        static const int32_t readers[] = {effSetProgramName, effCanDo, effString2Parameter};
        const int32_t opcode = readers[in.byte() % 3];
        const int32_t index = in.index();
        const std::string text = in.text(4096);
        std::unique_ptr<char[]> exact(new char[text.size() + 1]);
        std::memcpy(exact.get(), text.c_str(), text.size() + 1);
        dispatch(opcode, index, 0, exact.get(), 0.0f);
        char shown[256] = {};
        dispatch(effGetProgramName, 0, 0, shown, 0.0f);
        require(std::strlen(shown) < 24 + 3);
        seen.add(shown, sizeof shown);
    }

    // Our own picture request: the size first, then a buffer of that size,
    // or a size that does not match (which must be refused untouched).
    void snapshot(ByteStream& in) {
        PanelSnapshot shot{0, 0, nullptr};
        if (dispatch(effVendorSpecific, panelSnapshotIndex, panelSnapshotValue, &shot, 0.0f) != 1)
            return;
        const bool wrong = in.byte() < 64;
        if (wrong) shot.width -= 1 + in.byte() % 8;
        std::vector<uint32_t>& pixels =
            pictures.filled(static_cast<size_t>(shot.width) * static_cast<size_t>(shot.height), 7);
        shot.pixels = pixels.data();
        const intptr_t drawn =
            dispatch(effVendorSpecific, panelSnapshotIndex, panelSnapshotValue, &shot, 0.0f);
        if (wrong) require(drawn == 0 && pixels.front() == 7);
        seen.add(pixels.data(), pixels.size() * sizeof(uint32_t));
    }

    // A host's content scale, open panel or not: one of the sizes' own
    // factors, one between them, or any float. Only a factor above 0 and at
    // most 4 is taken.
    void offerScale(ByteStream& in) {
        static const float factors[] = {1.0f, 1.5f, 2.0f, 1.25f};
        const float factor = in.byte() < 128 ? factors[in.byte() % 4] : in.anyFloat();
        const bool acceptable = std::isfinite(factor) && factor > 0.0f && factor <= 4.0f;
        require(dispatch(effVendorSpecific, contentScaleIndex, contentScaleValue, nullptr,
                         factor) == (acceptable ? 1 : 0));
    }

    // Where the panel's window is pressed, in 1x places scaled to the size it
    // is drawn at: the room selector's arrows and name, where its list's
    // rows and box lie, a knob, the bare plate, or anywhere.
    Point placeOn(const Frame& frame, ByteStream& in) {
        static const Point places[] = {{374, 74},  {518, 74},  {440, 74},  {333, 100}, {333, 188},
                                       {460, 130}, {270, 195}, {100, 180}, {73, 132}};
        const uint8_t which = in.byte();
        const int32_t width = frame.getBounds().width(), height = frame.getBounds().height();
        if (which >= sizeof places / sizeof places[0])
            return {in.byte() * width / 256, in.byte() * height / 256};
        return {places[which].x * width / 547, places[which].y * height / 202};
    }
    Frame* openFrame() const {
        Vst2Editor* bridge = plugin ? plugin->getPanelBridge() : nullptr;
        EditorBase* editor = bridge ? bridge->getPanel() : nullptr;
        Frame* frame = editor ? editor->getFrame() : nullptr;
        return frame && frame->getWindow() ? frame : nullptr;
    }
    // A left-button press as the window receives it; nobody holds it down.
    void press(ByteStream& in) {
        Frame* frame = openFrame();
        if (!frame) return;
        const Point at = placeOn(*frame, in);
        seen.add(platform::probe::sendMessage(frame->getWindow(), platform::msgLButtonDown, 0,
                                              (at.y << 16) | at.x));
    }
    // A notch of the wheel with the pointer over a place of the panel.
    void wheel(ByteStream& in) {
        Frame* frame = openFrame();
        if (!frame) return;
        const Point at = placeOn(*frame, in);
        platform::PlatformRect corner{};
        platform::getWindowRect(frame->getWindow(), &corner);
        platform::probe::setCursorPos(corner.left + at.x, corner.top + at.y);
        const int16_t delta = in.byte() & 1 ? 120 : -120;
        platform::probe::sendMessage(frame->getWindow(), platform::msgMouseWheel,
                                     static_cast<uintptr_t>(static_cast<uint16_t>(delta)) << 16, 0);
    }

    void* hostWindow() { return shared.get(); }

    HostWindow& shared;
    PixelBuffers& pictures;
    Observations& seen;
    AEffect* effect = nullptr;
    ReverbPluginGui* plugin = nullptr;  // the effect's object, owned by the effect
    std::unique_ptr<ParameterModel> modelHolder;
};

}  // namespace

uint64_t runDispatcherInput(const uint8_t* data, size_t size) {
    static Kept* const kept = new Kept;  // for the process's life
    Observations seen;
    ByteStream in(data, size);
    {
        FuzzHost host(*kept, seen);
        while (!in.empty()) host.step(in);
    }
    return seen.digest();
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    runDispatcherInput(data, size);
    return 0;
}
