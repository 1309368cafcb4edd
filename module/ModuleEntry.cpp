// The module's only export. GCC treats a function named main specially, so
// the entry has another name and is exported as "main" by the linker
// (a .def file on Windows, an assembler name on Linux).
#include <new>

#include "module/ReverbPluginGui.h"
#include "gui/platform/Platform.h"

#if defined(_WIN32)
#include <windows.h>

// The GUI toolkit loads the panel's images and registers its window class
// with the instance handle of this module, not of the host's program.
extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD, LPVOID) {
    platform::setModuleInstance(reinterpret_cast<platform::Module>(instance));
    return TRUE;
}

#define BRV_ENTRY_NAME
#else
#define BRV_ENTRY_NAME __asm__("main") __attribute__((visibility("default")))
#endif

extern "C" AEffect* brellivauntEntry(audioMasterCallback hostCallback) BRV_ENTRY_NAME;

extern "C" AEffect* brellivauntEntry(audioMasterCallback hostCallback) {
    if (!hostCallback || hostCallback(nullptr, audioMasterVersion, 0, 0, nullptr, 0.0f) == 0)
        return nullptr;
    ReverbPluginGui* effect = nullptr;
    try {
        effect = new ReverbPluginGui(hostCallback);
    } catch (...) {
        // No exception may cross into the host: no memory means no effect.
        return nullptr;
    }
    if (effect->editorCreationFailed()) {
        delete effect;
        return nullptr;
    }
    return effect->getAeffect();
}
