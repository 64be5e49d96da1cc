#include "platform/win32/Dpi.h"

#include "platform/win32/SystemLibraries.h"

namespace quickdex::win32 {
namespace {

// Windows 10 1607 and later: loaded on first use, so that older systems,
// which lack them, still start.
using DpiForWindowFunction = UINT(WINAPI*)(HWND window);
using MetricForDpiFunction = int(WINAPI*)(int index, UINT dpi);
using AdjustForDpiFunction = BOOL(WINAPI*)(LPRECT rect, DWORD style, BOOL menu, DWORD exStyle, UINT dpi);

} // namespace

int ScreenDpi()
{
    static const int dpi = [] {
        HDC screen = GetDC(nullptr);
        const int value = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
        if (screen)
            ReleaseDC(nullptr, screen);
        return value > 0 ? value : 96;
    }();
    return dpi;
}

int Scale(int pixels)
{
    return MulDiv(pixels, ScreenDpi(), 96);
}

int Scale(int pixels, int dpi)
{
    return MulDiv(pixels, dpi, 96);
}

int WindowDpi(HWND window)
{
    static const auto dpiForWindow = LateBound<DpiForWindowFunction>("user32.dll", "GetDpiForWindow");
    if (dpiForWindow && window) {
        if (const UINT dpi = dpiForWindow(window); dpi > 0)
            return static_cast<int>(dpi);
    }
    return ScreenDpi();
}

int SystemMetricForDpi(int index, int dpi)
{
    static const auto metricForDpi = LateBound<MetricForDpiFunction>("user32.dll", "GetSystemMetricsForDpi");
    if (metricForDpi)
        return metricForDpi(index, static_cast<UINT>(dpi));
    // Older systems have one DPI for every monitor.
    return MulDiv(GetSystemMetrics(index), dpi, ScreenDpi());
}

SIZE WindowSizeForClient(int width, int height, DWORD style, DWORD exStyle, bool hasMenu)
{
    RECT r{0, 0, Scale(width), Scale(height)};
    AdjustWindowRectEx(&r, style, hasMenu, exStyle);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

SIZE WindowSizeForClient(int width, int height, DWORD style, DWORD exStyle, bool hasMenu, int dpi)
{
    if (dpi == ScreenDpi())
        return WindowSizeForClient(width, height, style, exStyle, hasMenu);
    // The frame and caption of another monitor's DPI.
    static const auto adjustForDpi = LateBound<AdjustForDpiFunction>("user32.dll", "AdjustWindowRectExForDpi");
    RECT r{0, 0, Scale(width, dpi), Scale(height, dpi)};
    if (adjustForDpi)
        adjustForDpi(&r, style, hasMenu, exStyle, static_cast<UINT>(dpi));
    else
        AdjustWindowRectEx(&r, style, hasMenu, exStyle);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

} // namespace quickdex::win32
