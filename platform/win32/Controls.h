#pragma once
// Child controls from a table of positions, and the one font the windows share.
#include <span>

#include <windows.h>

namespace quickdex::win32 {

// One child control of a form: its id, window class, text, position and size
// (client pixels at 96 dpi) and styles. WS_CHILD and WS_VISIBLE are added.
struct ControlSpec {
    int id;
    const char* className;
    const char* text;
    int x, y, width, height;
    DWORD style = 0;
    DWORD exStyle = 0;
};

// Creates the controls in table order, which is their tab order, each with
// the windows' font. Reach them afterwards by id (Form::Item).
void CreateControls(HWND parent, std::span<const ControlSpec> controls);

// "Microsoft Sans Serif", 8 points: the font of every window, made once.
HFONT UiFont();

} // namespace quickdex::win32
