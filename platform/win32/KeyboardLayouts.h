#pragma once
// What the keyboard layouts installed for the user type.
#include <optional>
#include <string>

namespace quickdex::win32 {

// The character `key` types with AltGr (which Windows sends as Ctrl+Alt),
// and Shift with `shift`, on the first installed layout where it types a
// printable one, in the program's code page; an empty text when that
// character has no place there; nothing when no layout types one.
std::optional<std::string> AltGrText(int key, bool shift);

} // namespace quickdex::win32
