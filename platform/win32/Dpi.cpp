#include "platform/win32/Dpi.h"

namespace quickdex::win32 {

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

SIZE WindowSizeForClient(int width, int height, DWORD style, DWORD exStyle, bool hasMenu)
{
    RECT r{0, 0, Scale(width), Scale(height)};
    AdjustWindowRectEx(&r, style, hasMenu, exStyle);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

} // namespace quickdex::win32
