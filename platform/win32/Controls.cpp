#include "platform/win32/Controls.h"

#include "platform/win32/Dpi.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Text.h"

#include <map>

namespace quickdex::win32 {
namespace {

// The 96-dpi place of a child, in two words: its corner and its size.
constexpr const char* LayoutCorner = "quickdex.LayoutCorner";
constexpr const char* LayoutSize = "quickdex.LayoutSize";
constexpr const char* LayoutKept = "quickdex.LayoutKept";

HANDLE Pack(int low, int high)
{
    return reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(static_cast<DWORD>(MAKELONG(low, high))));
}

std::map<int, FontHandle>& Fonts()
{
    static std::map<int, FontHandle> fonts;
    return fonts;
}

} // namespace

void CreateControls(HWND parent, std::span<const ControlSpec> controls)
{
    // Unicode controls: what the user types or pastes keeps every character.
    HINSTANCE instance = GetModuleHandleW(nullptr);
    for (const ControlSpec& c : controls) {
        HWND control = CreateWindowExW(c.exStyle, Wide(c.className).c_str(), Wide(c.text).c_str(),
                                       WS_CHILD | WS_VISIBLE | c.style, Scale(c.x), Scale(c.y), Scale(c.width),
                                       Scale(c.height), parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)),
                                       instance, nullptr);
        if (control) {
            KeepLayout(control, c.x, c.y, c.width, c.height);
            SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont()), FALSE);
        }
    }
}

void KeepLayout(HWND child, int x, int y, int width, int height)
{
    SetPropA(child, LayoutCorner, Pack(x, y));
    SetPropA(child, LayoutSize, Pack(width, height));
    SetPropA(child, LayoutKept, reinterpret_cast<HANDLE>(1));
}

std::optional<RECT> KeptLayout(HWND child)
{
    if (!GetPropA(child, LayoutKept))
        return std::nullopt;
    const auto corner = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(GetPropA(child, LayoutCorner)));
    const auto size = static_cast<DWORD>(reinterpret_cast<UINT_PTR>(GetPropA(child, LayoutSize)));
    const int x = static_cast<short>(LOWORD(corner));
    const int y = static_cast<short>(HIWORD(corner));
    return RECT{x, y, x + static_cast<short>(LOWORD(size)), y + static_cast<short>(HIWORD(size))};
}

HFONT UiFont()
{
    return UiFont(ScreenDpi());
}

HFONT UiFont(int dpi)
{
    // "Microsoft Sans Serif" is the TrueType face drawn to the metrics of the
    // old bitmap "MS Sans Serif": the same at 96 dpi, smooth at any other.
    FontHandle& font = Fonts()[dpi];
    if (!font)
        font.reset(CreateFontA(-MulDiv(8, dpi, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                               OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE,
                               "Microsoft Sans Serif"));
    return font.get();
}

bool IsUiFont(HFONT font)
{
    for (const auto& [dpi, made] : Fonts())
        if (made.get() == font)
            return true;
    return false;
}

} // namespace quickdex::win32
