#pragma once
// The session's notifications for a window (the session was unlocked, which
// the main window answers by trying refused hotkeys again).
//
// At logon the registration fails (RPC_S_INVALID_BINDING) until the terminal
// services are up, and a program started with Windows gets there first. A
// refused registration is tried again on a timer of the window until it is
// taken; what was taken is given back before the window goes.
#include <functional>

#include <windows.h>

namespace quickdex::win32 {

class SessionNotes {
public:
    // What reaches the system: wtsapi32's two calls, unless a test listens in.
    struct Calls {
        std::function<bool(HWND window, DWORD flags)> registerNotes;
        std::function<bool(HWND window)> unregisterNotes;
    };
    static Calls& SystemCalls();

    SessionNotes(HWND window, UINT_PTR timerId) : window_(window), timerId_(timerId) {}
    ~SessionNotes();
    SessionNotes(const SessionNotes&) = delete;
    SessionNotes& operator=(const SessionNotes&) = delete;

    // Asks for the notifications; when refused, again on the timer.
    void Register();
    // A WM_TIMER of the window: true when it was this retry's.
    bool OnTimer(WPARAM timerId);

private:
    HWND window_;
    UINT_PTR timerId_;
    bool registered_ = false;
};

} // namespace quickdex::win32
