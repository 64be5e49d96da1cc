#include "platform/win32/Subclass.h"

#include "platform/win32/ErrorEdge.h"

#include <commctrl.h>

namespace quickdex::win32 {

bool WindowHook::Attach(HWND window, Handler handler)
{
    Detach();
    handler_ = std::move(handler);
    if (!window || !SetWindowSubclass(window, &WindowHook::Proc, 0, reinterpret_cast<DWORD_PTR>(this)))
        return false;
    window_ = window;
    return true;
}

void WindowHook::Detach()
{
    if (window_)
        RemoveWindowSubclass(window_, &WindowHook::Proc, 0);
    window_ = nullptr;
}

LRESULT CALLBACK WindowHook::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR,
                                  DWORD_PTR selfPointer)
{
    auto* self = reinterpret_cast<WindowHook*>(selfPointer);
    if (message == WM_NCDESTROY) {
        // The window goes: the hook leaves the chain before it does.
        self->Detach();
        return DefSubclassProc(hwnd, message, wParam, lParam);
    }
    try {
        if (const std::optional<LRESULT> answer = self->handler_(message, wParam, lParam))
            return *answer;
    } catch (const std::exception& e) {
        ReportError(e);
    }
    return DefSubclassProc(hwnd, message, wParam, lParam);
}

} // namespace quickdex::win32
