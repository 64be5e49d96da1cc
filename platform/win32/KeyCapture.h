#pragma once
// Every combination pressed while a key field has the focus goes to that
// field, also one another program holds as a hotkey: the system hands such
// a press to its holder before any window sees it, so only a low-level
// keyboard hook, which sees the press first, can keep it for the field.
//
// Tab and Shift+Tab still move the focus, Enter, Escape, Space, Delete and
// Backspace without Ctrl or Alt still reach the field (which empties itself
// with them, as it always did), Alt+Tab, Alt+Esc and Ctrl+Esc still switch
// windows, and a combination with a Win key still goes to the shell (the
// field cannot show Win). The modifier keys themselves pass, so that the
// field shows them while they are held and the system knows they are up.
#include <cstdint>
#include <functional>
#include <optional>
#include <vector>

#include <windows.h>

namespace quickdex::win32 {

// Whether a key pressed with these modifiers passes the capture.
bool PassesCapture(UINT key, bool ctrl, bool alt, bool shift, bool win);

class KeyCapture {
public:
    // `onCombination` gets the field's value for each combination pressed
    // (key code in the low byte, HOTKEYF_ flags in the high one).
    explicit KeyCapture(std::function<void(WORD value)> onCombination) : onCombination_(std::move(onCombination)) {}
    ~KeyCapture() { Stop(); }
    KeyCapture(const KeyCapture&) = delete;
    KeyCapture& operator=(const KeyCapture&) = delete;

    // While the field has the focus, and only then.
    void Start();
    void Stop();

    // The hook sees a press before the presses of the modifiers that came
    // first have reached the field (they wait in the queue), and the field
    // starts over at each of them. What was taken at or after a message's
    // time, the field's value again once it has handled that message.
    std::optional<WORD> TakenSince(DWORD messageTime) const;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM message, LPARAM data);
    // true: the press was the field's.
    bool Take(WPARAM message, const KBDLLHOOKSTRUCT& key);

    std::function<void(WORD)> onCombination_;
    HHOOK hook_ = nullptr;
    std::vector<DWORD> taken_; // keys whose press went to the field, until they are up
    // The modifier keys down, as the hook saw them go (the system's own
    // state lags behind it): one bit per key code.
    std::uint64_t modifiersDown_ = 0;
    std::optional<WORD> lastTaken_;
    DWORD lastTakenTime_ = 0;
};

} // namespace quickdex::win32
