#include "store/KeyNames.h"

#include <array>
#include <string_view>

namespace quickdex {

std::uint16_t MakeShortcut(std::uint16_t key, ShiftState shift)
{
    if (key & 0xFF00)
        return 0;
    std::uint16_t value = key;
    if (shift & shiftstate::Shift)
        value |= 0x2000;
    if (shift & shiftstate::Ctrl)
        value |= 0x4000;
    if (shift & shiftstate::Alt)
        value |= 0x8000;
    return value;
}

SplitShortcutResult SplitShortcut(std::uint16_t shortcut)
{
    SplitShortcutResult result;
    result.key = shortcut & 0x1FFF;
    if (shortcut & 0x2000)
        result.shift |= shiftstate::Shift;
    if (shortcut & 0x4000)
        result.shift |= shiftstate::Ctrl;
    if (shortcut & 0x8000)
        result.shift |= shiftstate::Alt;
    return result;
}

ShiftState ModifiersToShiftState(int modifiers)
{
    ShiftState shift = 0;
    if (modifiers & modflag::Shift)
        shift |= shiftstate::Shift;
    if (modifiers & modflag::Ctrl)
        shift |= shiftstate::Ctrl;
    if (modifiers & modflag::Alt)
        shift |= shiftstate::Alt;
    return shift;
}

int ShiftStateToModifiers(ShiftState shift)
{
    int modifiers = 0;
    if (shift & shiftstate::Shift)
        modifiers += modflag::Shift;
    if (shift & shiftstate::Ctrl)
        modifiers += modflag::Ctrl;
    if (shift & shiftstate::Alt)
        modifiers += modflag::Alt;
    return modifiers;
}

std::uint16_t ShortcutFromHotKeyControl(std::uint16_t value)
{
    const std::uint16_t flags = value >> 8;
    std::uint16_t shortcut = value & 0xFF;
    if (flags & 1)
        shortcut |= 0x2000;
    if (flags & 2)
        shortcut |= 0x4000;
    if (flags & 4)
        shortcut |= 0x8000;
    return shortcut;
}

std::uint16_t HotKeyControlFromShortcut(std::uint16_t shortcut)
{
    const SplitShortcutResult split = SplitShortcut(shortcut);
    std::uint16_t flags = 0;
    if (split.shift & shiftstate::Shift)
        flags |= 1;
    if (split.shift & shiftstate::Ctrl)
        flags |= 2;
    if (split.shift & shiftstate::Alt)
        flags |= 4;
    return static_cast<std::uint16_t>((flags << 8) | (split.key & 0xFF));
}

std::string ModifierText(int modifiers)
{
    // Index = modifier flags. "ALT" in capitals for Ctrl+Alt is how the
    // program has always spelled it.
    static constexpr std::array<std::string_view, 8> texts = {
        "",
        "Alt + ",
        "Ctrl + ",
        "Ctrl + ALT + ",
        "Shift + ",
        "Shift + Alt + ",
        "Ctrl + Shift + ",
        "Ctrl + Shift + Alt + ",
    };
    if (modifiers < 0 || modifiers >= static_cast<int>(texts.size()))
        return {};
    return std::string(texts[modifiers]);
}

std::string KeyName(int key)
{
    if (key >= 0x30 && key <= 0x39) // digits
        return std::string(1, static_cast<char>(key));
    if (key >= 0x41 && key <= 0x5A) // letters
        return std::string(1, static_cast<char>(key));
    if (key >= 0x60 && key <= 0x69) // numeric keypad digits
        return "Num " + std::string(1, static_cast<char>('0' + key - 0x60));
    if (key >= 0x70 && key <= 0x7B) // F1..F12
        return "F" + std::to_string(key - 111);

    struct Named {
        int key;
        std::string_view name;
    };
    // Fixed texts; they do not follow the keyboard layout.
    static constexpr std::array<Named, 25> named = {{
        {0x14, "Caps Lock"},
        {0x21, "Page Up"},
        {0x22, "Page Down"},
        {0x23, "End"},
        {0x24, "Home"},
        {0x25, "Left"},
        {0x26, "Up"},
        {0x27, "Right"},
        {0x28, "Down"},
        {0x6A, "Num *"},
        {0x6B, "Num +"},
        {0x6E, "Num Del"},
        {0x90, "Num Lock"},
        {0x91, "Soroll Lock"},
        {0xBA, ";"},
        {0xBB, "="},
        {0xBC, ","},
        {0xBD, "-"},
        {0xBE, "."},
        {0xBF, "/"},
        {0xC0, "`"},
        {0xDB, "["},
        {0xDC, "\\"},
        {0xDD, "]"},
        {0xDE, "'"},
    }};
    for (const Named& entry : named)
        if (entry.key == key)
            return std::string(entry.name);
    return {};
}

std::string HotkeyCaption(int modifiers, int key)
{
    // The editor never writes the Win flag, but a hand-written section may
    // hold it, and the system registers the hotkey with it: the row says so.
    std::string caption = ModifierText(modifiers & (modflag::Alt | modflag::Ctrl | modflag::Shift));
    if (modifiers & modflag::Win)
        caption += "Win + ";
    return caption + KeyName(key);
}

} // namespace quickdex
