#include "platform/win32/KeyCapture.h"

#include <algorithm>

#include <commctrl.h>

namespace quickdex::win32 {
namespace {

// A low-level hook carries no context of its own: the one capture running on
// this thread (there is one key field, with the focus).
thread_local KeyCapture* running = nullptr;

// The modifier keys, left and right, each with its bit.
constexpr DWORD ModifierKeys[] = {VK_LSHIFT, VK_RSHIFT, VK_LCONTROL, VK_RCONTROL, VK_LMENU, VK_RMENU, VK_LWIN, VK_RWIN};

// A modifier's bit; 0 for every other key. A press injected without its
// side comes as the generic code: it counts as the left key.
std::uint64_t ModifierBit(DWORD key)
{
    switch (key) {
    case VK_SHIFT:
        key = VK_LSHIFT;
        break;
    case VK_CONTROL:
        key = VK_LCONTROL;
        break;
    case VK_MENU:
        key = VK_LMENU;
        break;
    default:
        break;
    }
    for (std::size_t i = 0; i < std::size(ModifierKeys); ++i)
        if (ModifierKeys[i] == key)
            return std::uint64_t{1} << i;
    return 0;
}

bool AnyDown(std::uint64_t down, DWORD left, DWORD right)
{
    return (down & (ModifierBit(left) | ModifierBit(right))) != 0;
}

} // namespace

bool PassesCapture(UINT key, bool ctrl, bool alt, bool shift, bool win)
{
    if (win)
        return true;
    switch (key) {
    case VK_TAB:
        return !ctrl; // Shift+Tab goes back; Alt+Tab switches windows
    case VK_ESCAPE:
        return ctrl != alt || !(ctrl || alt || shift); // Ctrl+Esc, Alt+Esc, Esc alone
    case VK_RETURN:
    case VK_SPACE:
    case VK_DELETE:
    case VK_BACK:
        return !ctrl && !alt;
    default:
        return false;
    }
}

void KeyCapture::Start()
{
    if (hook_)
        return;
    // Modifiers held while the field gets the focus count from the start.
    modifiersDown_ = 0;
    for (DWORD key : ModifierKeys)
        if (GetAsyncKeyState(static_cast<int>(key)) & 0x8000)
            modifiersDown_ |= ModifierBit(key);
    lastTaken_.reset();
    hook_ = SetWindowsHookExA(WH_KEYBOARD_LL, &KeyCapture::Hook, GetModuleHandleA(nullptr), 0);
    if (hook_)
        running = this;
}

void KeyCapture::Stop()
{
    if (!hook_)
        return;
    UnhookWindowsHookEx(hook_);
    hook_ = nullptr;
    taken_.clear();
    lastTaken_.reset();
    if (running == this)
        running = nullptr;
}

LRESULT CALLBACK KeyCapture::Hook(int code, WPARAM message, LPARAM data)
{
    if (code == HC_ACTION && running && running->Take(message, *reinterpret_cast<const KBDLLHOOKSTRUCT*>(data)))
        return 1; // the press is the field's: nobody else sees it
    return CallNextHookEx(nullptr, code, message, data);
}

std::optional<WORD> KeyCapture::TakenSince(DWORD messageTime) const
{
    // Tick counts wrap: compared as a difference.
    if (lastTaken_ && static_cast<LONG>(lastTakenTime_ - messageTime) >= 0)
        return lastTaken_;
    return std::nullopt;
}

bool KeyCapture::Take(WPARAM message, const KBDLLHOOKSTRUCT& key)
{
    const bool up = message == WM_KEYUP || message == WM_SYSKEYUP;
    if (const std::uint64_t bit = ModifierBit(key.vkCode)) {
        modifiersDown_ = up ? modifiersDown_ & ~bit : modifiersDown_ | bit;
        return false; // the field shows it while held; the system must know it is up
    }
    const auto known = std::find(taken_.begin(), taken_.end(), key.vkCode);
    if (up) {
        // The release of a press the field took is the field's too.
        if (known == taken_.end())
            return false;
        taken_.erase(known);
        return true;
    }
    const bool ctrl = AnyDown(modifiersDown_, VK_LCONTROL, VK_RCONTROL);
    const bool alt = AnyDown(modifiersDown_, VK_LMENU, VK_RMENU);
    const bool shift = AnyDown(modifiersDown_, VK_LSHIFT, VK_RSHIFT);
    const bool win = AnyDown(modifiersDown_, VK_LWIN, VK_RWIN);
    if (known == taken_.end() && PassesCapture(key.vkCode, ctrl, alt, shift, win))
        return false;
    if (known == taken_.end())
        taken_.push_back(key.vkCode);
    BYTE flags = 0;
    if (shift)
        flags |= HOTKEYF_SHIFT;
    if (ctrl)
        flags |= HOTKEYF_CONTROL;
    if (alt)
        flags |= HOTKEYF_ALT;
    if (key.flags & LLKHF_EXTENDED)
        flags |= HOTKEYF_EXT;
    lastTaken_ = MAKEWORD(static_cast<BYTE>(key.vkCode), flags);
    lastTakenTime_ = key.time;
    onCombination_(*lastTaken_);
    return true;
}

} // namespace quickdex::win32
