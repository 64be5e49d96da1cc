#pragma once
// Pixel sizes of the layouts are given for 96 dots per inch and scaled to the
// DPI of the monitor a window stands on (the screen's, for what has no window
// yet).
#include <windows.h>

namespace quickdex::win32 {

int ScreenDpi();
int Scale(int pixels);
int Scale(int pixels, int dpi);

// The DPI of the monitor `window` stands on, as the system lays it out for
// a per-monitor program; the screen's where the system cannot tell.
int WindowDpi(HWND window);

// A system metric (SM_CXSMICON, ...) as the system gives it to a window of
// `dpi`.
int SystemMetricForDpi(int index, int dpi);

// The size of a top-level window whose client area is width x height (96 dpi),
// at the screen's DPI or at `dpi`.
SIZE WindowSizeForClient(int width, int height, DWORD style, DWORD exStyle, bool hasMenu);
SIZE WindowSizeForClient(int width, int height, DWORD style, DWORD exStyle, bool hasMenu, int dpi);

} // namespace quickdex::win32
