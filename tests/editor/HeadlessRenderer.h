// Opens an editor on a window of the soft platform, lets it paint and idle
// once, and writes what the window shows to a PNG file: the panel's picture
// without a screen.
#pragma once

class EditorBase;

bool renderEditorToPng(EditorBase& editor, const char* path);
