#pragma once
// Writing a binding from the hotkey editor's fields into hotkey.ini.
#include "platform/Profile.h"

#include <cstdint>
#include <string>

namespace quickdex {

// The editor's four fields: the key field as a shortcut value, the target,
// the note and the category, exactly as typed.
struct BindingFields {
    std::uint16_t hotKey = 0;
    std::string path;
    std::string hint;
    std::string sort;
};

// A key and a target are needed; blanks count as text.
bool InputComplete(const BindingFields& fields);

// "<modifier flags>+<key code>" of a shortcut value.
std::string SectionForShortcut(std::uint16_t hotKey);

// Writes Action, Hint and Sort, in this order, into the section of the
// fields' combination: a new section at the end of the file, or the values
// of an existing one replaced in place. Throws WriteError.
void WriteBinding(IProfile& profile, const std::string& path, const BindingFields& fields);

// A change: erases `oldSection`, then writes the new binding. When a write
// fails after the erase, the old binding is written back before the error
// goes on, so that a change never loses it. Throws WriteError.
void ReplaceBinding(IProfile& profile, const std::string& path, const std::string& oldSection,
                    const BindingFields& fields);

} // namespace quickdex
