#pragma once
// From the hotkey editor's fields to a binding record, and the refusals a
// write of one can meet.
#include "store/Errors.h"
#include "store/Hotkeys.h"

#include <cstdint>
#include <string>

namespace quickdex {

// The editor's fields: the key field as a shortcut value, the target, the
// note and the category, exactly as typed; and how the target starts.
struct BindingFields {
    std::uint16_t hotKey = 0;
    std::string path;
    std::string hint;
    std::string sort;
    std::string arguments;
    std::string startIn;
    WindowMode window = WindowMode::Normal;
    bool admin = false;
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

// A change that would put the binding past the 100th binding of the file,
// where it is neither listed nor registered. Nothing was written.
class BindingOutOfReachError : public AppError {
public:
    BindingOutOfReachError(const std::string& fileName, int bindings, int position);
};

// The binding a change or a delete was asked for is no longer where the list
// showed it: the file was changed by hand or by another program meanwhile.
// Nothing was written.
class BindingChangedError : public AppError {
public:
    BindingChangedError(const std::string& fileName, const std::string& section);
};

// A key and a target are needed; blanks count as text.
bool InputComplete(const BindingFields& fields);

// "<modifier flags>+<key code>" of a shortcut value.
std::string SectionForShortcut(std::uint16_t hotKey);

// The record the editor's fields give. `loaded` is the binding the editor
// was filled with for a change (null for an add): while the key field still
// holds the value it was filled with, the binding keeps its own combination,
// the Win key and key codes the field cannot show included. Every other key
// of the record comes from `loaded` (what the editor does not show is kept),
// then the fields and `ifRunning` are put in.
Tquickdex BindingFromFields(const BindingFields& fields, IfRunningMode ifRunning, const Tquickdex* loaded);

} // namespace quickdex
