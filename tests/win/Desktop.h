#pragma once
// What a program sees of the desktop from outside another program: key
// presses through the system's input queue, whether a combination is taken,
// the windows of another process. Shared by the Windows tests and bench/.
#include "platform/win32/Window.h"

#include <string>
#include <vector>

#include <windows.h>

namespace quickdex::test {

// Presses and releases a combination through the system's input queue.
inline void PressCombination(unsigned modifiers, WORD key)
{
    std::vector<WORD> held;
    if (modifiers & MOD_CONTROL)
        held.push_back(VK_CONTROL);
    if (modifiers & MOD_SHIFT)
        held.push_back(VK_SHIFT);
    if (modifiers & MOD_ALT)
        held.push_back(VK_MENU);
    std::vector<INPUT> inputs;
    auto add = [&](WORD vk, bool up) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vk;
        in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(in);
    };
    for (WORD vk : held)
        add(vk, false);
    add(key, false);
    add(key, true);
    for (auto it = held.rbegin(); it != held.rend(); ++it)
        add(*it, true);
    SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

// A window of `process` with the given class (and caption, when given).
inline HWND FindProcessWindow(DWORD process, const char* className, const char* caption = nullptr)
{
    struct Search {
        DWORD process;
        const char* className;
        const char* caption;
        HWND found;
    } search{process, className, caption, nullptr};
    EnumWindows(
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            char name[256] = {};
            GetClassNameA(hwnd, name, sizeof name);
            if (owner != s.process || std::string(name) != s.className)
                return TRUE;
            if (s.caption && win32::WindowText(hwnd) != s.caption)
                return TRUE;
            s.found = hwnd;
            return FALSE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// Whether some program holds the combination: our own registration of it fails.
inline bool CombinationHeld(unsigned modifiers, unsigned key)
{
    if (!RegisterHotKey(nullptr, 0x3FFE, modifiers, key))
        return true;
    UnregisterHotKey(nullptr, 0x3FFE);
    return false;
}

} // namespace quickdex::test
