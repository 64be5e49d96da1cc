#include "platform/win32/KeyboardLayouts.h"

#include <vector>

#include <windows.h>

namespace quickdex::win32 {
namespace {

// Leaves the keyboard's state alone, a dead key included (Windows 10 1607
// and later; earlier ones ignore it, see below).
constexpr UINT KeepKeyboardState = 0x4;

} // namespace

std::optional<std::string> AltGrText(int key, bool shift)
{
    const int count = GetKeyboardLayoutList(0, nullptr);
    if (count <= 0)
        return std::nullopt;
    std::vector<HKL> layouts(static_cast<std::size_t>(count));
    layouts.resize(static_cast<std::size_t>(GetKeyboardLayoutList(count, layouts.data())));

    // AltGr is the right Alt, which Windows turns into the left Ctrl with it.
    BYTE state[256] = {};
    state[VK_CONTROL] = state[VK_LCONTROL] = state[VK_MENU] = state[VK_RMENU] = 0x80;
    if (shift)
        state[VK_SHIFT] = state[VK_LSHIFT] = 0x80;
    const auto vk = static_cast<UINT>(key);
    for (HKL layout : layouts) {
        const UINT scan = MapVirtualKeyExA(vk, MAPVK_VK_TO_VSC, layout);
        wchar_t typed[8] = {};
        const int length = ToUnicodeEx(vk, scan, state, typed, 8, KeepKeyboardState, layout);
        if (length < 0) {
            // A dead key: it types its accent with the next key. A Windows
            // that ignores the flag keeps it pending; a second call takes it.
            wchar_t cleared[8] = {};
            ToUnicodeEx(vk, scan, state, cleared, 8, KeepKeyboardState, layout);
        }
        if (length == 0 || typed[0] < 0x20 || typed[0] == 0x7F)
            continue; // nothing, or a control character
        char text[8] = {};
        BOOL lost = FALSE;
        const int bytes = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, typed, 1, text, sizeof text - 1, nullptr,
                                              &lost);
        if (bytes <= 0 || lost)
            return std::string();
        return std::string(text, static_cast<std::size_t>(bytes));
    }
    return std::nullopt;
}

} // namespace quickdex::win32
