#pragma once
// Pixel sizes of the layouts are given for 96 dots per inch and scaled to the
// screen's.
#include <windows.h>

namespace quickdex::win32 {

int ScreenDpi();
int Scale(int pixels);

// The size of a top-level window whose client area is width x height (96 dpi).
SIZE WindowSizeForClient(int width, int height, DWORD style, DWORD exStyle, bool hasMenu);

} // namespace quickdex::win32
