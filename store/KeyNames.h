#pragma once
// The three encodings of a key combination and the texts of a list row.
//
//   modifier flags   Alt 1, Ctrl 2, Shift 4 (what RegisterHotKey takes)
//   shift state      Shift 1, Alt 2, Ctrl 4 (one byte, the editor's set)
//   shortcut value   key code + 0x2000 Shift + 0x4000 Ctrl + 0x8000 Alt
#include <cstdint>
#include <string>

namespace quickdex {

namespace modflag {
inline constexpr int Alt = 1;
inline constexpr int Ctrl = 2;
inline constexpr int Shift = 4;
inline constexpr int Win = 8; // only in hand-written sections
} // namespace modflag

using ShiftState = std::uint8_t;
namespace shiftstate {
inline constexpr ShiftState Shift = 1;
inline constexpr ShiftState Alt = 2;
inline constexpr ShiftState Ctrl = 4;
} // namespace shiftstate

struct SplitShortcutResult {
    std::uint16_t key = 0;
    ShiftState shift = 0;
    bool operator==(const SplitShortcutResult&) const = default;
};

std::uint16_t MakeShortcut(std::uint16_t key, ShiftState shift);
SplitShortcutResult SplitShortcut(std::uint16_t shortcut);
// Values above 7 only come from a hand-edited file: only the three known
// bits are looked at, so the editor shows the modifiers that are really set.
ShiftState ModifiersToShiftState(int modifiers);
int ShiftStateToModifiers(ShiftState shift);

// The system's hot-key control holds a key code in its low byte and the
// flags Shift 1, Ctrl 2, Alt 4 and extended key 8 in its high byte; the
// extended-key flag has no place in a shortcut value and is dropped.
std::uint16_t ShortcutFromHotKeyControl(std::uint16_t value);
std::uint16_t HotKeyControlFromShortcut(std::uint16_t shortcut);

std::string ModifierText(int modifiers);
std::string KeyName(int key);
// The list row caption: the modifier text of Alt, Ctrl and Shift, "Win + "
// when the Win flag (8) is set, then the key name.
std::string HotkeyCaption(int modifiers, int key);

} // namespace quickdex
