#include "platform/win32/Controls.h"

#include "platform/win32/Dpi.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Text.h"

namespace quickdex::win32 {

void CreateControls(HWND parent, std::span<const ControlSpec> controls)
{
    // Unicode controls: what the user types or pastes keeps every character.
    HINSTANCE instance = GetModuleHandleW(nullptr);
    for (const ControlSpec& c : controls) {
        HWND control = CreateWindowExW(c.exStyle, Wide(c.className).c_str(), Wide(c.text).c_str(),
                                       WS_CHILD | WS_VISIBLE | c.style, Scale(c.x), Scale(c.y), Scale(c.width),
                                       Scale(c.height), parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)),
                                       instance, nullptr);
        if (control)
            SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(UiFont()), FALSE);
    }
}

HFONT UiFont()
{
    // "Microsoft Sans Serif" is the TrueType face drawn to the metrics of the
    // old bitmap "MS Sans Serif": the same at 96 dpi, smooth at any other.
    static const FontHandle font(CreateFontA(-MulDiv(8, ScreenDpi(), 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                             DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                             DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Microsoft Sans Serif"));
    return font.get();
}

} // namespace quickdex::win32
