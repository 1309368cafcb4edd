#include "tests/editor/HeadlessRenderer.h"

#include "editor/EditorBase.h"
#include "gui/PngFile.h"
#include "gui/platform/Probe.h"

using namespace platform;

bool renderEditorToPng(EditorBase& editor, const char* path) {
    const Rect& size = editor.sizeForHost();
    const int width = size.width();
    const int height = size.height();
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
    return drawn && writePng(image, path);
}
