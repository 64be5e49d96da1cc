#pragma once
// Child controls from a table of positions, and the one font the windows share.
#include <optional>
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

// Where a child window stands in its parent at 96 dpi, kept on the window so
// that its form can place it again for another DPI. CreateControls keeps it
// for the controls of a table; other child windows keep it themselves.
void KeepLayout(HWND child, int x, int y, int width, int height);
std::optional<RECT> KeptLayout(HWND child); // left, top, right, bottom at 96 dpi

// "Microsoft Sans Serif", 8 points: the font of every window, made once for
// each DPI (the screen's when none is given) and kept.
HFONT UiFont();
HFONT UiFont(int dpi);
bool IsUiFont(HFONT font);

} // namespace quickdex::win32
