#include "editor/HeadlessRenderer.h"

#include "gui/platform/Probe.h"
#include "gui/platform/soft/SoftPng.h"
#include "host/EditorInterface.h"

using namespace platform;

bool renderEditorToPng(EditorInterface& editor, const char* path) {
    ERect* r = nullptr;
    if (!editor.getRect(&r) || !r) return false;
    int width = r->right - r->left;
    int height = r->bottom - r->top;
    if (width <= 0 || height <= 0) return false;
    Window host = probe::createHostWindow(width, height);
    if (!host) return false;
    bool drawn = false;
    probe::Image image;
    if (editor.open(host)) {
        probe::repaint(host);
        editor.idle();
        image = probe::readWindow(host);
        drawn = true;
    }
    editor.close();
    probe::destroyHostWindow(host);
    return drawn && soft::writePng(image, path);
}
