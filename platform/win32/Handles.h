#pragma once
// Owners for the system's handles, so that no window writes a destructor by
// hand and a constructor that throws half-way leaks nothing. None can be
// copied (a copy would close its handle twice); all can be moved.
#include <memory>
#include <span>
#include <type_traits>

#include <windows.h>
#include <commctrl.h>

namespace quickdex::win32 {

namespace detail {
template <class Handle, auto Release>
struct Releaser {
    void operator()(Handle handle) const
    {
        if (handle)
            Release(handle);
    }
};
template <class Handle, auto Release>
using Owned = std::unique_ptr<std::remove_pointer_t<Handle>, Releaser<Handle, Release>>;

inline void DeleteGdiObject(HGDIOBJ object) { DeleteObject(object); }
inline void DestroyImageList(HIMAGELIST list) { ImageList_Destroy(list); }
inline void DestroyMenuHandle(HMENU menu) { DestroyMenu(menu); }
inline void DestroyIconHandle(HICON icon) { DestroyIcon(icon); }
inline void DestroyWindowHandle(HWND window) { DestroyWindow(window); }
} // namespace detail

using FontHandle = detail::Owned<HFONT, detail::DeleteGdiObject>;
using BitmapHandle = detail::Owned<HBITMAP, detail::DeleteGdiObject>;
using ImageListHandle = detail::Owned<HIMAGELIST, detail::DestroyImageList>;
using MenuHandle = detail::Owned<HMENU, detail::DestroyMenuHandle>;
using IconHandle = detail::Owned<HICON, detail::DestroyIconHandle>;
// A window that is not one of our own classes (a tool-tip control).
using WindowHandle = detail::Owned<HWND, detail::DestroyWindowHandle>;

// A memory device context compatible with `dc`, with `object` selected into
// it for as long as it lives.
class MemoryDC {
public:
    MemoryDC(HDC dc, HGDIOBJ object) : dc_(CreateCompatibleDC(dc)), old_(dc_ ? SelectObject(dc_, object) : nullptr) {}
    ~MemoryDC()
    {
        if (!dc_)
            return;
        SelectObject(dc_, old_);
        DeleteDC(dc_);
    }
    MemoryDC(const MemoryDC&) = delete;
    MemoryDC& operator=(const MemoryDC&) = delete;
    HDC Get() const { return dc_; }

private:
    HDC dc_;
    HGDIOBJ old_;
};

// `object` selected into `dc` until the end of the scope.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(dc_, old_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// An image list of `width` x `height` pictures from one bitmap strip of the
// program's resources (32-bit with alpha): one call for all the pictures.
ImageListHandle LoadImageStrip(int bitmapId, int width, int height);

// One strip of pictures drawn at `size` pixels, a bitmap of the resources.
struct DrawnStrip {
    int size;
    int bitmapId;
};

// The size of the pictures a window of `dpi` shows, among the sizes `drawn`
// has: the nearest to 16 pixels at 96 dpi scaled (the larger of two as
// near), so that a picture is shown as it was drawn and never stretched.
int NearestDrawnSize(std::span<const DrawnStrip> drawn, int dpi);

// The image list of the strip drawn at the size nearest `dpi`.
ImageListHandle LoadImageStrip(std::span<const DrawnStrip> drawn, int dpi);

// An icon of the exe's resources at `size` pixels: the picture drawn for
// that size where the icon has one, else the nearest larger scaled down.
IconHandle LoadIconAtSize(int iconId, int size);

// Icons of the exe's resources as one image list, at the system's small-icon
// size: the size drawn for it where the icon has one, else the nearest
// larger scaled down, never a smaller one stretched.
ImageListHandle LoadSmallIcons(std::span<const int> iconIds);

} // namespace quickdex::win32
