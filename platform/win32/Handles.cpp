#include "platform/win32/Handles.h"

#include "platform/win32/SystemLibraries.h"

#include <cstdlib>

namespace quickdex::win32 {

ImageListHandle LoadImageStrip(int bitmapId, int width, int height)
{
    ImageListHandle list(ImageList_Create(width, height, ILC_COLOR32, 0, 4));
    BitmapHandle strip(static_cast<HBITMAP>(LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(bitmapId),
                                                       IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION)));
    if (list && strip)
        ImageList_Add(list.get(), strip.get(), nullptr);
    return list;
}

int NearestDrawnSize(std::span<const DrawnStrip> drawn, int dpi)
{
    const int wanted = MulDiv(16, dpi, 96);
    int best = 0;
    for (const DrawnStrip& strip : drawn) {
        const int distance = std::abs(strip.size - wanted);
        const int bestDistance = std::abs(best - wanted);
        if (best == 0 || distance < bestDistance || (distance == bestDistance && strip.size > best))
            best = strip.size;
    }
    return best;
}

ImageListHandle LoadImageStrip(std::span<const DrawnStrip> drawn, int dpi)
{
    const int size = NearestDrawnSize(drawn, dpi);
    for (const DrawnStrip& strip : drawn)
        if (strip.size == size)
            return LoadImageStrip(strip.bitmapId, size, size);
    return nullptr;
}

IconHandle LoadIconAtSize(int iconId, int size)
{
    // comctl32 6 takes the picture drawn for the size or scales a larger one
    // down; loaded on first use, as older systems lack it.
    using LoadIconWithScaleDownFunction = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);
    static const auto loadScaledDown =
        LateBound<LoadIconWithScaleDownFunction>("comctl32.dll", "LoadIconWithScaleDown");
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HICON icon = nullptr;
    if (!loadScaledDown || FAILED(loadScaledDown(instance, MAKEINTRESOURCEW(iconId), size, size, &icon)) || !icon)
        icon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(iconId), IMAGE_ICON, size, size, 0));
    return IconHandle(icon);
}

ImageListHandle LoadSmallIcons(std::span<const int> iconIds)
{
    // comctl32 6 picks the size for the DPI and scales only down; loaded on
    // first use, as older systems lack it.
    using LoadIconMetricFunction = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, HICON*);
    static const auto loadIconMetric = LateBound<LoadIconMetricFunction>("comctl32.dll", "LoadIconMetric");
    HINSTANCE instance = GetModuleHandleA(nullptr);
    const int size = GetSystemMetrics(SM_CXSMICON);
    ImageListHandle list(ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, static_cast<int>(iconIds.size()), 0));
    for (const int id : iconIds) {
        HICON loaded = nullptr;
        if (!loadIconMetric ||
            FAILED(loadIconMetric(instance, MAKEINTRESOURCEW(id), 0 /* LIM_SMALL */, &loaded)) || !loaded)
            loaded = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
        const IconHandle icon(loaded);
        if (list)
            ImageList_AddIcon(list.get(), icon.get());
    }
    return list;
}

} // namespace quickdex::win32
