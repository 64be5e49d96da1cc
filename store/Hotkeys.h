#pragma once
// The binding record, the table of 100 slots and the file hotkey.ini.
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
};

// The 100 one-based slots and the section name each was read from.
class HotkeyTable {
public:
    Tquickdex& operator[](int slot) { return slots_.at(static_cast<std::size_t>(slot - 1)); }
    const Tquickdex& operator[](int slot) const { return slots_.at(static_cast<std::size_t>(slot - 1)); }

    // The section name as it stands in the file ("02+65" stays "02+65"), so
    // that erasing a binding erases its own section.
    const std::string& SectionOf(int slot) const { return sections_.at(static_cast<std::size_t>(slot - 1)); }
    void SetSectionOf(int slot, std::string name) { sections_.at(static_cast<std::size_t>(slot - 1)) = std::move(name); }

    // Zeroes Modifiers and Key of every slot; the texts are left as they are
    // and never read for an empty slot.
    void ClearKeys();

    int HotkeyCount = 0;

private:
    std::array<Tquickdex, MaxHotkeys> slots_{};
    std::array<std::string, MaxHotkeys> sections_{};
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
    int ignored = 0;  // sections beyond slot 100, left in the file and unused
};

std::string SectionName(int modifiers, int key);
// Half 1: the text before the first "+"; any other half: the text after it.
// Throws ConversionError naming the failing half.
int SplitSectionName(const std::string& name, int half);
// A decimal 32-bit integer with optional leading blanks and sign.
int StrToInt(const std::string& text);

std::vector<std::string> ReadSectionNames(IProfile& profile, const std::string& path);
std::string ReadValue(IProfile& profile, const std::string& path, const std::string& section,
                      const char* key, const char* fallback);
// Throws WriteError when the file refuses the write.
void WriteValue(IProfile& profile, const std::string& path, const std::string& section, const char* key,
                const std::string& value);

// Fills slots 1..n and HotkeyCount from `path`, in file order, then hands
// each slot to `rows`. A malformed section name throws ConversionError and no
// row is added. The caller clears the table first (the reload cycle does).
LoadResult LoadHotkeys(IProfile& profile, const std::string& path, HotkeyTable& table, IRowSink& rows);

// Erases a whole section; throws WriteError when the file refuses.
void EraseSection(IProfile& profile, const std::string& path, const std::string& section);

} // namespace quickdex
