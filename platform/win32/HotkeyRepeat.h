#pragma once
// One hotkey message per press of a combination.
//
// The hotkeys are registered with MOD_NOREPEAT, so that Windows sends no
// message for the key-downs the keyboard repeats while a combination is
// held. Wine ignores that flag and sends one for every repeat. This latch
// lets one message through per press wherever the program runs: a key whose
// hotkey fired stays latched until it is seen up.
#include <vector>

#include <windows.h>

namespace quickdex::win32 {

class HotkeyRepeatLatch {
public:
    // The latch looks at the keys on a timer of `window`, with `timerId`.
    HotkeyRepeatLatch(HWND window, UINT_PTR timerId) : window_(window), timerId_(timerId) {}
    ~HotkeyRepeatLatch();
    HotkeyRepeatLatch(const HotkeyRepeatLatch&) = delete;
    HotkeyRepeatLatch& operator=(const HotkeyRepeatLatch&) = delete;

    // The lParam of WM_HOTKEY: false when it repeats a press still held.
    bool Accept(LPARAM lParam);
    // A WM_TIMER of the window: true when it was the latch's.
    bool OnTimer(WPARAM timerId);

private:
    HWND window_;
    UINT_PTR timerId_;
    std::vector<UINT> held_; // the keys of the presses that fired
};

} // namespace quickdex::win32
