// Shared pieces of the drag-and-drop tests: a view that takes every drop
// and keeps what came with it, a frame with two of them in a host window,
// and shortcut files made the way the system makes them.
#pragma once

#include <string>
#include <vector>

#include "gui/Frame.h"
#include "gui/View.h"
#include "tests/support/GuiTestSupport.h"

#ifdef _WIN32
#include <windows.h>
#include <shlobj.h>
#endif

namespace guitest {

class DropView final : public View {
public:
    explicit DropView(const Rect& r) : View(r) {}

    struct Received {
        int32_t type;
        int32_t count;
        Point where;
        std::vector<std::string> items;
    };

    bool onDrop(void** items, int32_t count, int32_t type, Point& where) override {
        Received r{type, count, where, {}};
        int32_t n = type == dropText ? 1 : count;
        for (int32_t i = 0; i < n; ++i) r.items.emplace_back(static_cast<const char*>(items[i]));
        drops.push_back(r);
        return true;
    }

    std::vector<Received> drops;
};

inline platform::probe::DragData textData(const std::string& text, size_t block) {
    platform::probe::DragData data;
    data.offersText = true;
    data.text = text;
    data.textBlock = block;
    return data;
}

inline platform::probe::DragData fileData(const std::vector<std::string>& files) {
    platform::probe::DragData data;
    data.offersFiles = true;
    data.files = files;
    return data;
}

// Two views side by side in a frame of 200 x 100 pixels; the pointer rests
// over the right one.
class FrameDrop : public PlatformTest {
protected:
    void SetUp() override {
        PlatformTest::SetUp();
        frame = new Frame({0, 0, 200, 100}, host.window, nullptr);
        window = frame->getWindow();
        left = new DropView({10, 10, 90, 90});
        right = new DropView({110, 10, 190, 90});
        frame->addView(left);
        frame->addView(right);
        pointAt(150, 40);
    }
    void TearDown() override { delete frame; }

    void pointAt(int x, int y) {
        platform::PlatformRect r{};
        platform::getWindowRect(window, &r);
        platform::probe::setCursorPos(r.left + x, r.top + y);
    }

    ScopedHostWindow host{200, 100};
    Frame* frame = nullptr;
    platform::Window window = nullptr;
    DropView* left = nullptr;
    DropView* right = nullptr;
};

// Shortcut files that lead to one target file, in a folder of their own.
// `sameFile` turns a name into one form per file, so that a resolved name
// can be compared with the target whichever form the system gave it in.
class Shortcuts final {
public:
#ifdef _WIN32
    Shortcuts() {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        folder = std::string(temp) + "brv-drop-" + std::to_string(GetCurrentProcessId()) + "\\";
        CreateDirectoryA(folder.c_str(), nullptr);
        target = folder + "Brellivaunt long target name.txt";
        HANDLE file = CreateFileA(target.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        CloseHandle(file);
    }
    ~Shortcuts() {
        for (const std::string& link : links) DeleteFileA(link.c_str());
        DeleteFileA(target.c_str());
        RemoveDirectoryA(folder.c_str());
    }

    // Saved through IShellLinkA and IPersistFile, as the shell saves them.
    std::string make(const std::string& name) {
        std::string path = folder + name;
        IShellLinkA* link = nullptr;
        CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                         reinterpret_cast<void**>(&link));
        if (!link) return path;
        link->SetPath(target.c_str());
        IPersistFile* file = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            wchar_t wide[MAX_PATH];
            MultiByteToWideChar(CP_ACP, 0, path.c_str(), -1, wide, MAX_PATH);
            if (SUCCEEDED(file->Save(wide, TRUE))) links.push_back(path);
            file->Release();
        }
        link->Release();
        return path;
    }

    static std::string sameFile(const std::string& name) {
        char shortName[MAX_PATH];
        DWORD n = GetShortPathNameA(name.c_str(), shortName, MAX_PATH);
        return n > 0 && n < MAX_PATH ? std::string(shortName) : name;
    }
#else
    Shortcuts() = default;

    std::string make(const std::string& name) {
        std::string path = folder + name;
        platform::soft::makeShortcut(path, target);
        links.push_back(path);
        return path;
    }

    static std::string sameFile(const std::string& name) { return name; }
#endif

    Shortcuts(const Shortcuts&) = delete;
    Shortcuts& operator=(const Shortcuts&) = delete;

    std::string folder = "C:\\Drops\\";
    std::string target = "C:\\Drops\\BRELLI~1.TXT";
    std::vector<std::string> links;
};

}  // namespace guitest
