#pragma once
// The one way the program hooks the procedure of a window it did not make
// (the application window seen from the tray icon, an edit control): the
// system's subclass chain, which stays correct when others hook the same
// window, and which the hook leaves by itself when the window goes.
#include <functional>
#include <optional>

#include <windows.h>

namespace quickdex::win32 {

class WindowHook {
public:
    // Sees every message first: a value answers it, nothing passes it on.
    using Handler = std::function<std::optional<LRESULT>(UINT message, WPARAM wParam, LPARAM lParam)>;

    WindowHook() = default;
    ~WindowHook() { Detach(); }
    WindowHook(const WindowHook&) = delete;
    WindowHook& operator=(const WindowHook&) = delete;

    // Hooks `window` (a hook holds one window at a time).
    bool Attach(HWND window, Handler handler);
    void Detach();
    HWND Window() const { return window_; }

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                 DWORD_PTR self);
    HWND window_ = nullptr;
    Handler handler_;
};

} // namespace quickdex::win32
