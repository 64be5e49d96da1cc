#pragma once
// The binding record, the table of 100 slots, and the section names of
// hotkey.ini (the file itself is HotkeyStore's).
//
// hotkey.ini holds one section per binding, named "<modifiers>+<key>" in
// decimal, with the keys Action, Hint and Sort. The file is the master copy:
// the table is only ever rebuilt from it.
#include "platform/Profile.h"
#include "platform/portable/Paths.h"
#include "store/IfRunning.h"

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace quickdex {

inline constexpr int MaxHotkeys = 100;

// Private-profile buffer sizes: name lists and single values.
inline constexpr std::uint32_t NameListBufferSize = 16384;
inline constexpr std::uint32_t ValueBufferSize = 2048;

inline constexpr const char* HotkeyFileName = "hotkey.ini";
inline constexpr const char* DefaultSort = "Other";

struct Tquickdex {
    std::int32_t Modifiers = 0;
    std::int32_t Key = 0; // 0: the slot is empty
    std::string Action;
    std::string Hint;
    std::string Sort;
    IfRunningMode IfRunning = IfRunningMode::Start; // the key "IfRunning", when present
    // How the program starts (store/IfRunning.h): empty, Normal and false
    // when the key is absent; a built-in action ignores them.
    std::string Arguments;
    std::string StartIn;
    WindowMode Window = WindowMode::Normal;
    bool Admin = false;

    // Whether the binding says more than its target: a binding without any
    // launch option hands its Action to the shell whole, as always.
    bool HasLaunchOptions() const
    {
        return !Arguments.empty() || !StartIn.empty() || Window != WindowMode::Normal || Admin;
    }
};

// Which section of the file a binding was read from: its place among the
// file's sections (1 for the first) and its name as it stands there ("02+65"
// stays "02+65"). Two sections of one name are two bindings with two
// identities, so a change or a delete reaches exactly the one the user chose.
struct BindingId {
    int place = 0; // 0: no section (a binding not read from the file)
    std::string section;
    bool operator==(const BindingId&) const = default;
};

// The 100 one-based slots and the section each was read from.
class HotkeyTable {
public:
    Tquickdex& operator[](int slot) { return slots_.at(static_cast<std::size_t>(slot - 1)); }
    const Tquickdex& operator[](int slot) const { return slots_.at(static_cast<std::size_t>(slot - 1)); }

    const BindingId& IdOf(int slot) const { return ids_.at(static_cast<std::size_t>(slot - 1)); }
    void SetIdOf(int slot, BindingId id) { ids_.at(static_cast<std::size_t>(slot - 1)) = std::move(id); }
    // The section name as it stands in the file.
    const std::string& SectionOf(int slot) const { return IdOf(slot).section; }

    // Zeroes Modifiers and Key of every slot; the texts are left as they are
    // and never read for an empty slot.
    void ClearKeys();

    int HotkeyCount = 0;

private:
    std::array<Tquickdex, MaxHotkeys> slots_{};
    std::array<BindingId, MaxHotkeys> ids_{};
};

// Receives one row per loaded slot, after the whole file was read.
class IRowSink {
public:
    virtual ~IRowSink() = default;
    virtual void AddRow(int slot, const Tquickdex& binding) = 0;
    // The load is over, with or without rows (also when it failed).
    virtual void RowsDone() {}
};

struct LoadResult {
    int sections = 0; // sections in the file
    int bindings = 0; // of them, sections whose name is a combination
    int ignored = 0;  // bindings beyond slot 100, left in the file and unused
    // Sections that are no binding (their names do not decode), left in the
    // file as they are, and the text the first of them failed on.
    std::vector<std::string> foreign;
    std::string firstBadText;
};

std::string SectionName(int modifiers, int key);
// Half 1: the text before the first "+"; any other half: the text after it.
// Throws ConversionError naming the failing half.
int SplitSectionName(const std::string& name, int half);
// A decimal 32-bit integer with optional leading blanks and sign.
int StrToInt(const std::string& text);

// Single-value reads and writes through a profile engine: the reference the
// store's own reading is held to in the tests and fuzz targets.
std::string ReadValue(IProfile& profile, const std::string& path, const std::string& section,
                      const char* key, const char* fallback);
// Throws WriteError when the file refuses the write.
void WriteValue(IProfile& profile, const std::string& path, const std::string& section, const char* key,
                const std::string& value);

} // namespace quickdex
