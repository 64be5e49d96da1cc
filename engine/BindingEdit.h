#pragma once
// Writing a binding from the hotkey editor's fields into hotkey.ini.
#include "platform/Profile.h"
#include "store/Errors.h"

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

// A change of one binding: the fields the editor was filled with, and the
// fields on OK.
struct BindingChange {
    std::string oldSection; // the binding's section as it stands in the file ("02+65", "8+65" stay so)
    std::string newSection; // equal to oldSection when the user did not touch the key field
    BindingFields loaded;
    BindingFields edited;
};

// The longest value the program writes: a load reads values through a
// 2,048-byte buffer, so anything longer would come back cut.
inline constexpr std::size_t MaxValueLength = 2047;

// A target, hint or category too long to be read back whole. Nothing was
// written.
class ValueTooLongError : public AppError {
public:
    explicit ValueTooLongError(const std::string& field)
        : AppError("The " + field + " is longer than 2,047 characters") {}
};

// A change that would put the binding past the 100th section, where it is
// neither listed nor registered. Nothing was written.
class BindingOutOfReachError : public AppError {
public:
    BindingOutOfReachError(const std::string& fileName, int sections, int position);
};

// A key and a target are needed; blanks count as text.
bool InputComplete(const BindingFields& fields);

// "<modifier flags>+<key code>" of a shortcut value.
std::string SectionForShortcut(std::uint16_t hotKey);

// The section a change writes: the binding's own section while the key
// field still holds the value it was filled with (so that "8+65" or "02+65"
// keep their names), else the section of the key field's new value.
std::string SectionToWrite(const std::string& oldSection, std::uint16_t hotKeyFilled, std::uint16_t hotKeyNow);

// Writes Action, Hint and Sort, in this order, into the section of the
// fields' combination: a new section at the end of the file, or the values
// of an existing one replaced in place. Throws ValueTooLongError before
// writing anything, WriteError when the file refuses.
void WriteBinding(IProfile& profile, const std::string& path, const BindingFields& fields);

// Carries out a change of one binding.
//
// Same section: the binding keeps its place; only the fields whose text
// differs between `loaded` and `edited` are written, in place, and every
// other line of the file stays as it is.
//
// Another section: that section (the one already holding the combination,
// whatever its spelling, or a new one at the end of the file) gets Action,
// Hint and Sort, then every other key of the old section; unchanged fields
// are copied from the file in full. Then the old section is erased.
//
// Refused before anything is written: a changed field longer than
// MaxValueLength (ValueTooLongError), a binding that would end up past the
// 100th section (BindingOutOfReachError). When the file refuses a write or
// the erase, the writes already made are undone and the WriteError goes on:
// the old binding stays where it was.
void ReplaceBinding(IProfile& profile, const std::string& path, const BindingChange& change);

// The same, for a caller that knows only the new fields: every field counts
// as changed, and the section is that of `fields.hotKey`.
void ReplaceBinding(IProfile& profile, const std::string& path, const std::string& oldSection,
                    const BindingFields& fields);

} // namespace quickdex
