// An editor on a host thread that is already in the multi-threaded
// apartment, where OLE refuses to initialise.
#include <windows.h>
#include <ole2.h>
#include <shlobj.h>

#include "tests/editor/EditorTestSupport.h"

namespace {

struct ThreadReport {
    HRESULT hostInitialisation = E_FAIL;
    bool opened = false;
    HRESULT initialisationAfterwards = E_FAIL;
    HRESULT creationAfterwards = E_FAIL;
};

DWORD WINAPI hostThread(void* parameter) {
    auto* report = static_cast<ThreadReport*>(parameter);
    report->hostInitialisation = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    {
        guitest::Journal journal;
        auto* editor = new editortest::TestEditor(nullptr, journal);
        guitest::ScopedHostWindow window(60, 60);
        report->opened = editor->open(window.window) == 1 && editor->getFrame()->getWindow();
        editor->close();
        delete editor;
    }
    // A thread whose COM is still set up answers S_FALSE, one set up anew S_OK.
    report->initialisationAfterwards = CoInitializeEx(nullptr, COINIT_MULTITHREADED);
    if (SUCCEEDED(report->initialisationAfterwards)) CoUninitialize();
    IUnknown* link = nullptr;
    report->creationAfterwards = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER,
                                                  IID_IUnknown, reinterpret_cast<void**>(&link));
    if (link) link->Release();
    if (SUCCEEDED(report->hostInitialisation)) CoUninitialize();
    return 0;
}

}  // namespace

// Windows takes an uninitialise that follows a refused initialise from the
// host's own count; wine's ole32 ignores it, so there this guards only
// against a crash or a refusal to open.
TEST(HostApartment, AnEditorOnAMultithreadedThreadLeavesThatThreadsCOMUsable) {
    ThreadReport report;
    HANDLE thread = CreateThread(nullptr, 0, hostThread, &report, 0, nullptr);
    ASSERT_NE(thread, nullptr);
    WaitForSingleObject(thread, INFINITE);
    CloseHandle(thread);
    ASSERT_EQ(report.hostInitialisation, S_OK);
    EXPECT_TRUE(report.opened);
    EXPECT_EQ(report.initialisationAfterwards, S_FALSE);
    EXPECT_EQ(report.creationAfterwards, S_OK);
}
