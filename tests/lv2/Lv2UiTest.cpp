// The panel's LV2 UI binary loaded through its descriptor, as an LV2 host
// loads it: in a host's X window, idled at 15 Hz, with port events from the
// host and the user's changes heard through write_function and ui:touch. A
// real pointer (xdotool, through the X server) drags and turns its knobs and
// chooses a room.
// Each test runs with the host offering a scale of 1 and of 2: the panel at
// 2 is drawn from its own artwork, and its places, hit areas and drag spans
// are twice as large.
#include <gtest/gtest.h>
#include <lv2/options/options.h>
#include <lv2/ui/ui.h>
#include <lv2/urid/urid.h>

#include <dlfcn.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "gui/PngFile.h"
#include "host/X11HostWindow.h"
#include "params/Parameters.h"
#include "presets/FactoryPresets.h"

namespace {

constexpr uint32_t firstControl = 4;
constexpr useconds_t idlePeriod = 66667;  // 15 Hz, as some hosts idle their UIs

struct Heard {
    enum Kind { write, grab, release } kind;
    uint32_t port;
    float value;
};

// What the host offers the UI and what it hears back.
class UiHost {
public:
    std::vector<Heard> heard;
    int resizedWidth = 0;
    int resizedHeight = 0;

    static void write(LV2UI_Controller c, uint32_t port, uint32_t size, uint32_t format,
                      const void* buffer) {
        auto* host = static_cast<UiHost*>(c);
        if (size == sizeof(float) && format == 0)
            host->heard.push_back({Heard::write, port, *static_cast<const float*>(buffer)});
    }
    static void touch(LV2UI_Feature_Handle h, uint32_t port, bool grabbed) {
        static_cast<UiHost*>(h)->heard.push_back(
            {grabbed ? Heard::grab : Heard::release, port, 0.0f});
    }
    static int resize(LV2UI_Feature_Handle h, int width, int height) {
        auto* host = static_cast<UiHost*>(h);
        host->resizedWidth = width;
        host->resizedHeight = height;
        return 0;
    }
    static LV2_URID map(LV2_URID_Map_Handle h, const char* uri) {
        auto& uris = static_cast<UiHost*>(h)->uris;
        for (size_t i = 0; i < uris.size(); ++i)
            if (uris[i] == uri) return static_cast<LV2_URID>(i + 1);
        uris.push_back(uri);
        return static_cast<LV2_URID>(uris.size());
    }

private:
    std::vector<std::string> uris;
};

// One step of a pointer script, then a pause long enough for the panel,
// idled at 15 Hz, to see it.
void xdotool(const std::string& arguments, useconds_t pause) {
    const std::string command = "xdotool " + arguments;
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    usleep(pause);
}

std::string moveTo(int x, int y) {
    return "mousemove " + std::to_string(x) + " " + std::to_string(y);
}

// The settings the reference picture was drawn with: "P=V,P=V,...".
std::vector<std::pair<int32_t, float>> referenceSettings() {
    std::vector<std::pair<int32_t, float>> settings;
    std::stringstream list(BRV_PANEL_SETTINGS);
    std::string item;
    while (std::getline(list, item, ','))
        settings.push_back({std::stoi(item.substr(0, item.find('='))),
                            std::stof(item.substr(item.find('=') + 1))});
    return settings;
}

// The command-line host's picture of the panel at the host's scale.
std::string picturePath(const char* path, int scale) {
    std::string name = path;
    if (scale != 1) name.insert(name.rfind(".png"), "-" + std::to_string(scale) + "x");
    return name;
}

class Lv2Panel : public ::testing::TestWithParam<int> {
protected:
    void SetUp() override {
        if (!std::getenv("DISPLAY")) {
            const char* required = std::getenv("BRV_REQUIRE_DISPLAY");
            if (required && *required) FAIL() << "no display";
            GTEST_SKIP() << "no display to open a window on";
        }
        const std::string shown = picturePath(BRV_PANEL_REFERENCE, GetParam());
        ASSERT_TRUE(readPng(shown.c_str(), reference)) << shown;
        std::string error;
        if (hostGivesWindow()) {
            window = X11HostWindow::open(reference.width, reference.height, "Brellivaunt LV2",
                                         error, 40, 40);
            ASSERT_TRUE(window) << error;
        }
        library = dlopen(BRV_LV2_UI, RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(library, nullptr) << dlerror();
        auto entry = reinterpret_cast<const LV2UI_Descriptor* (*)(uint32_t)>(
            dlsym(library, "lv2ui_descriptor"));
        ASSERT_NE(entry, nullptr);
        descriptor = entry(0);
        ASSERT_NE(descriptor, nullptr);
        EXPECT_STREQ(descriptor->URI, "urn:brellivaunt:reverb#ui");

        map = {&host, &UiHost::map};
        scale = static_cast<float>(GetParam());
        options[0] = {LV2_OPTIONS_INSTANCE,
                      0,
                      UiHost::map(&host, LV2_UI__scaleFactor),
                      sizeof(float),
                      UiHost::map(&host, "http://lv2plug.in/ns/ext/atom#Float"),
                      &scale};
        options[1] = {LV2_OPTIONS_INSTANCE, 0, 0, 0, 0, nullptr};
        touch = {&host, &UiHost::touch};
        resize = {&host, &UiHost::resize};
        if (window) featureRecords.push_back({LV2_UI__parent, window->handle()});
        featureRecords.insert(featureRecords.end(), {{LV2_UI__idleInterface, nullptr},
                                                     {LV2_UI__touch, &touch},
                                                     {LV2_UI__resize, &resize},
                                                     {LV2_URID__map, &map},
                                                     {LV2_OPTIONS__options, options}});
        for (auto& f : featureRecords) features.push_back(&f);
        features.push_back(nullptr);

        handle = descriptor->instantiate(descriptor, "urn:brellivaunt:reverb", BRV_LV2_BUNDLE,
                                         &UiHost::write, &host, &widget, features.data());
        ASSERT_NE(handle, nullptr);
        idleInterface = static_cast<const LV2UI_Idle_Interface*>(
            descriptor->extension_data(LV2_UI__idleInterface));
        ASSERT_NE(idleInterface, nullptr);
    }
    // A host that embeds the panel gives it a window; one that shows panels
    // in windows of their own gives none.
    virtual bool hostGivesWindow() const { return true; }

    void TearDown() override {
        if (handle) descriptor->cleanup(handle);
        window.reset();
    }

    void portEvent(int32_t parameter, float value) {
        descriptor->port_event(handle, firstControl + parameter, sizeof value, 0, &value);
    }
    void idleFor(int steps) {
        for (int i = 0; i < steps; ++i) {
            EXPECT_EQ(idleInterface->idle(handle), 0);
            usleep(idlePeriod);
        }
    }
    // Idles the panel at the host's rate while a pointer script plays.
    template <typename Script>
    void idleWhile(Script script) {
        std::atomic<bool> done{false};
        std::thread player([&] {
            script();
            done = true;
        });
        while (!done) idleFor(1);
        player.join();
        idleFor(8);
    }
    // How many pixels of the host's window differ from the picture; all of
    // them when the window cannot be read.
    size_t pixelsDifferingFrom(const platform::Image& picture) {
        return pixelsDifferingIn(picture, 0, 0, picture.width - 1, picture.height - 1);
    }
    // The same inside columns left to right and rows top to bottom.
    size_t pixelsDifferingIn(const platform::Image& picture, int left, int top, int right,
                             int bottom) {
        std::vector<uint32_t> shown(picture.pixels.size());
        const bool read = window ? window->grab(picture.width, picture.height, shown.data())
                                 : X11HostWindow::grabWindow(
                                       static_cast<uint32_t>(reinterpret_cast<uintptr_t>(widget)),
                                       picture.width, picture.height, shown.data());
        if (!read) return shown.size();
        size_t differ = 0;
        for (int y = top; y <= bottom; ++y)
            for (int x = left; x <= right; ++x) {
                const size_t i = static_cast<size_t>(y) * picture.width + x;
                differ += shown[i] != platform::swapRedBlue(picture.pixels[i]);
            }
        return differ;
    }
    void knobCentre(int32_t place, int& x, int& y) {
        window->screenOrigin(x, y);
        x += (73 + 80 * place) * GetParam();
        y += 132 * GetParam();
    }

    platform::Image reference;
    std::unique_ptr<X11HostWindow> window;
    void* library = nullptr;
    const LV2UI_Descriptor* descriptor = nullptr;
    const LV2UI_Idle_Interface* idleInterface = nullptr;
    UiHost host;
    LV2_URID_Map map{};
    float scale = 1.0f;
    LV2_Options_Option options[2]{};
    LV2UI_Touch touch{};
    LV2UI_Resize resize{};
    std::vector<LV2_Feature> featureRecords;
    std::vector<const LV2_Feature*> features;
    LV2UI_Handle handle = nullptr;
    LV2UI_Widget widget = nullptr;
};

}  // namespace

TEST_P(Lv2Panel, NamesItsSizeAndShowsWhatTheHostsPanelPictureShows) {
    EXPECT_NE(widget, nullptr) << "the panel's own X window";
    EXPECT_EQ(host.resizedWidth, reference.width);
    EXPECT_EQ(host.resizedHeight, reference.height);
    for (const auto& setting : referenceSettings()) portEvent(setting.first, setting.second);
    idleFor(6);
    EXPECT_TRUE(host.heard.empty()) << "a host's change does not come back to it";
    EXPECT_EQ(pixelsDifferingFrom(reference), 0u);
}

TEST_P(Lv2Panel, DragWritesRisingValuesBetweenOneGrabAndItsRelease) {
    portEvent(paramEarlySize, 0.25f);
    idleFor(2);
    int x = 0, y = 0;
    knobCentre(0, x, y);
    // Alt makes the drag linear: straight up by 40 panel units is 40 / 200,
    // since the law spans 200 units of the panel at every scale.
    const int unit = GetParam();
    idleWhile([&] {
        xdotool(moveTo(x, y), 200000);
        xdotool("keydown alt mousedown 1", 400000);
        for (int step = 1; step <= 4; ++step) xdotool(moveTo(x, y - 10 * unit * step), 150000);
        usleep(150000);
        xdotool("mouseup 1 keyup alt", 0);
    });
    const uint32_t port = firstControl + paramEarlySize;
    ASSERT_GE(host.heard.size(), 3u);
    EXPECT_EQ(host.heard.front().kind, Heard::grab);
    EXPECT_EQ(host.heard.front().port, port);
    EXPECT_EQ(host.heard.back().kind, Heard::release);
    EXPECT_EQ(host.heard.back().port, port);
    float last = 0.25f;
    for (size_t i = 1; i + 1 < host.heard.size(); ++i) {
        const Heard& h = host.heard[i];
        ASSERT_EQ(h.kind, Heard::write) << i;
        EXPECT_EQ(h.port, port);
        EXPECT_GT(h.value, last) << "rising from where the host's port event put the knob";
        last = h.value;
    }
    EXPECT_NEAR(last, 0.25f + 40.0f / 200.0f, 1e-5f);

    // The knob's read-out follows the drag, as the VST 2 panel's does.
    platform::Image dragged;
    const std::string draggedPath = picturePath(BRV_PANEL_DRAGGED, GetParam());
    ASSERT_TRUE(readPng(draggedPath.c_str(), dragged)) << draggedPath;
    EXPECT_EQ(pixelsDifferingFrom(dragged), 0u);
}

// A change that comes in one step has no drag to bracket it: it gets a grab
// and a release of its own, so that a host recording by touch records it.
TEST_P(Lv2Panel, WheelAndKeyChangesEachComeBetweenAGrabAndItsRelease) {
    idleFor(2);
    int x = 0, y = 0;
    knobCentre(1, x, y);
    const uint32_t port = firstControl + paramLateSize;
    auto expectOneBracketedRise = [&](float from) {
        ASSERT_EQ(host.heard.size(), 3u);
        EXPECT_EQ(host.heard[0].kind, Heard::grab);
        EXPECT_EQ(host.heard[1].kind, Heard::write);
        EXPECT_GT(host.heard[1].value, from);
        EXPECT_EQ(host.heard[2].kind, Heard::release);
        for (const Heard& h : host.heard) EXPECT_EQ(h.port, port);
    };
    idleWhile([&] {
        xdotool(moveTo(x, y), 200000);
        xdotool("click 4", 300000);
    });
    expectOneBracketedRise(parameterTable[paramLateSize].defaultValue);
    const float wheeled = host.heard[1].value;

    // A click that does not move the knob gives it the keyboard.
    idleWhile([&] { xdotool("keydown alt click 1 keyup alt", 300000); });
    host.heard.clear();
    const std::string panelWindow = std::to_string(reinterpret_cast<uintptr_t>(widget));
    idleWhile([&] {
        xdotool("windowfocus " + panelWindow, 200000);
        xdotool("key Up", 300000);
    });
    expectOneBracketedRise(wheeled);
}

// The room selector's next arrow from the defaults: the first room, every
// port but dry_wet written between its own grab and release, in turn, so
// that a host recording by touch records each.
TEST_P(Lv2Panel, ChoosingARoomWritesEachPortBetweenItsGrabAndItsRelease) {
    idleFor(2);
    int x = 0, y = 0;
    window->screenOrigin(x, y);
    const int unit = GetParam();
    idleWhile([&] {
        xdotool(moveTo(x + 518 * unit, y + 74 * unit), 200000);
        xdotool("click 1", 300000);
    });
    ASSERT_EQ(host.heard.size(), 3u * (paramCount - 1));
    size_t k = 0;
    for (int32_t p = 0; p < paramCount; ++p) {
        if (p == paramDryWet) continue;
        const uint32_t port = firstControl + p;
        EXPECT_EQ(host.heard[k].kind, Heard::grab) << p;
        EXPECT_EQ(host.heard[k + 1].kind, Heard::write) << p;
        EXPECT_EQ(host.heard[k + 1].value, p == paramOnOff ? 1.0f : factoryPresets[0].values[p]);
        EXPECT_EQ(host.heard[k + 2].kind, Heard::release) << p;
        for (size_t i = k; i < k + 3; ++i) EXPECT_EQ(host.heard[i].port, port) << p;
        k += 3;
    }
}

// A host's own preset arrives as port events (jalv and Ardour send them for
// the values it sets): the panel names the room, as the command-line host's
// picture of the same preset does.
TEST_P(Lv2Panel, AHostsPresetArrivingAsPortEventsNamesItsRoom) {
    int32_t room = -1;
    for (int32_t i = 0; i < factoryPresetCount; ++i)
        if (std::strcmp(factoryPresets[i].name, BRV_PANEL_ROOM_NAME) == 0) room = i;
    ASSERT_GE(room, 0);
    idleFor(2);
    for (int32_t p = 0; p < paramCount; ++p)
        if (p != paramDryWet) portEvent(p, factoryPresets[room].values[p]);
    idleFor(6);
    platform::Image named;
    const std::string namedPath = picturePath(BRV_PANEL_ROOM, GetParam());
    ASSERT_TRUE(readPng(namedPath.c_str(), named)) << namedPath;
    EXPECT_EQ(pixelsDifferingFrom(named), 0u);
    EXPECT_TRUE(host.heard.empty()) << "naming the room writes nothing";

    // The room's name window, 385 to 508 and 67 to 82 at 1x.
    const int unit = GetParam();
    auto nameWindowChanged = [&] {
        return pixelsDifferingIn(named, 385 * unit, 67 * unit, 509 * unit - 1, 83 * unit - 1);
    };
    portEvent(paramDamping, factoryPresets[room].values[paramDamping] + 0.1f);
    idleFor(3);
    EXPECT_GT(nameWindowChanged(), 0u) << "another decay is no longer that room";
    portEvent(paramDamping, factoryPresets[room].values[paramDamping]);
    idleFor(3);
    EXPECT_EQ(nameWindowChanged(), 0u) << "and back, it is again";
}

INSTANTIATE_TEST_SUITE_P(AtHostScale, Lv2Panel, ::testing::Values(1, 2),
                         [](const ::testing::TestParamInfo<int>& scale) {
                             return "x" + std::to_string(scale.param);
                         });

// Without a window from the host, the panel opens one of its own, titled
// for the plug-in, on show and closes it on hide; when the user closes it
// with the window manager's button it hides, and idle says so.
class Lv2PanelInItsOwnWindow : public Lv2Panel {
protected:
    bool hostGivesWindow() const override { return false; }

    // The panel's top-level window: the parent of the panel's own X window.
    uint32_t topLevel(xcb_connection_t* c) {
        xcb_query_tree_reply_t* tree = xcb_query_tree_reply(
            c, xcb_query_tree(c, static_cast<uint32_t>(reinterpret_cast<uintptr_t>(widget))),
            nullptr);
        const uint32_t parent = tree ? tree->parent : 0;
        std::free(tree);
        return parent;
    }
};

TEST_P(Lv2PanelInItsOwnWindow, ShowsAndHidesItAndHidesWhenTheUserClosesIt) {
    auto show =
        static_cast<const LV2UI_Show_Interface*>(descriptor->extension_data(LV2_UI__showInterface));
    ASSERT_NE(show, nullptr);
    for (const auto& setting : referenceSettings()) portEvent(setting.first, setting.second);
    idleFor(2);
    EXPECT_EQ(pixelsDifferingFrom(reference), reference.pixels.size()) << "not shown yet";

    // Where a window manager would place it: away from the other tests'
    // windows on the shared display, which would show through.
    xcb_connection_t* c = xcb_connect(nullptr, nullptr);
    ASSERT_FALSE(xcb_connection_has_error(c));
    const uint32_t own = topLevel(c);
    const uint32_t place[] = {500, 780};
    xcb_configure_window(c, own, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, place);
    xcb_flush(c);

    ASSERT_EQ(show->show(handle), 0);
    idleFor(6);
    EXPECT_EQ(pixelsDifferingFrom(reference), 0u) << "the panel as --panel draws it";
    xcb_get_property_reply_t* title = xcb_get_property_reply(
        c, xcb_get_property(c, 0, own, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 0, 64), nullptr);
    ASSERT_NE(title, nullptr);
    EXPECT_EQ(std::string(static_cast<const char*>(xcb_get_property_value(title)),
                          static_cast<size_t>(xcb_get_property_value_length(title))),
              "Brellivaunt");
    std::free(title);

    ASSERT_EQ(show->hide(handle), 0);
    idleFor(2);
    EXPECT_EQ(pixelsDifferingFrom(reference), reference.pixels.size()) << "hidden";
    ASSERT_EQ(show->show(handle), 0);
    idleFor(4);
    EXPECT_EQ(pixelsDifferingFrom(reference), 0u) << "shown again";

    // The window manager's close button: WM_DELETE_WINDOW in a
    // WM_PROTOCOLS message, as a window manager sends it.
    const auto atom = [c](const char* name) {
        xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
            c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr);
        const xcb_atom_t a = reply ? reply->atom : 0;
        std::free(reply);
        return a;
    };
    xcb_client_message_event_t close{};
    close.response_type = XCB_CLIENT_MESSAGE;
    close.format = 32;
    close.window = own;
    close.type = atom("WM_PROTOCOLS");
    close.data.data32[0] = atom("WM_DELETE_WINDOW");
    xcb_send_event(c, 0, own, XCB_EVENT_MASK_NO_EVENT, reinterpret_cast<const char*>(&close));
    xcb_flush(c);
    xcb_disconnect(c);
    // The host idles on until the panel says it is closed; a second at most.
    int closed = 0;
    for (int step = 0; step < 15 && closed == 0; ++step) {
        usleep(idlePeriod);
        closed = idleInterface->idle(handle);
    }
    EXPECT_EQ(closed, 1) << "closed by the user";
    usleep(idlePeriod);
    EXPECT_EQ(pixelsDifferingFrom(reference), reference.pixels.size()) << "hidden on close";
    ASSERT_EQ(show->hide(handle), 0);
    ASSERT_EQ(show->show(handle), 0);
    idleFor(4);
    EXPECT_EQ(pixelsDifferingFrom(reference), 0u) << "a host may show it again";
    EXPECT_TRUE(host.heard.empty());
}

INSTANTIATE_TEST_SUITE_P(AtHostScale, Lv2PanelInItsOwnWindow, ::testing::Values(1, 2),
                         [](const ::testing::TestParamInfo<int>& scale) {
                             return "x" + std::to_string(scale.param);
                         });
