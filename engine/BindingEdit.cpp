#include "engine/BindingEdit.h"

#include "platform/portable/ProfileValue.h"
#include "store/Hotkeys.h"
#include "store/KeyNames.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <utility>
#include <vector>

namespace quickdex {
namespace {

// The largest list the name and section reads grow to. Far beyond any real
// hotkey.ini; it only keeps a damaged file from eating the memory.
constexpr std::uint32_t MaxListBuffer = 64u << 20;

// One line of a section as the file holds it: the value exactly as stored
// (quotes kept), none for a line without '='.
struct Entry {
    std::string name;
    std::optional<std::string> value;
};

// The binding keys in the order they are written, with the field each comes
// from and the word the length refusal uses.
struct FieldKey {
    const char* key;
    std::string BindingFields::*field;
    const char* label;
};
constexpr std::array<FieldKey, 3> FieldKeys = {{
    {"Action", &BindingFields::path, "target"},
    {"Hint", &BindingFields::hint, "hint"},
    {"Sort", &BindingFields::sort, "category"},
}};

// Every section name, however long the list: the store's fixed buffer would
// cut it, and a change must know where a section really stands.
std::vector<std::string> AllSectionNames(IProfile& profile, const std::string& path)
{
    for (std::uint32_t size = NameListBufferSize;; size *= 2) {
        std::vector<char> buffer(size, '\0');
        const std::uint32_t n = profile.GetString(nullptr, nullptr, "", buffer.data(), size, path.c_str());
        const bool cut = n >= size - 2;
        if (cut && size < MaxListBuffer)
            continue;
        std::vector<std::string> names;
        for (const char* p = buffer.data(); p < buffer.data() + std::min(n, size - 1) && *p; p += std::strlen(p) + 1)
            names.emplace_back(p);
        if (cut && !names.empty())
            names.pop_back(); // cut inside its last name
        return names;
    }
}

// The lines of a section in file order, values whole (not cut to 2,047).
std::vector<Entry> SectionEntries(IProfile& profile, const std::string& path, const std::string& section)
{
    for (std::uint32_t size = 32768;; size *= 2) {
        std::vector<char> buffer(size, '\0');
        const std::uint32_t n = profile.GetSection(section.c_str(), buffer.data(), size, path.c_str());
        if (n >= size - 2 && size < MaxListBuffer)
            continue;
        std::vector<Entry> entries;
        for (const char* p = buffer.data(); p < buffer.data() + std::min(n, size - 1) && *p; p += std::strlen(p) + 1) {
            const std::string line(p);
            const std::size_t equals = line.find('=');
            if (equals == std::string::npos)
                entries.push_back({line, std::nullopt});
            else
                entries.push_back({line.substr(0, equals), line.substr(equals + 1)});
        }
        return entries;
    }
}

// The first line of that name decides, as on every read.
const Entry* FindEntry(const std::vector<Entry>& entries, const std::string& name)
{
    for (const Entry& entry : entries)
        if (EqualNoCase(entry.name, name))
            return &entry;
    return nullptr;
}

std::optional<std::size_t> IndexOf(const std::vector<std::string>& names, const std::string& section)
{
    const std::string wanted = TrimBoth(section);
    for (std::size_t i = 0; i < names.size(); ++i)
        if (EqualNoCase(names[i], wanted))
            return i;
    return std::nullopt;
}

std::optional<std::pair<int, int>> Combination(const std::string& section)
{
    try {
        return std::make_pair(SplitSectionName(section, 1), SplitSectionName(section, 2));
    } catch (const ConversionError&) {
        return std::nullopt;
    }
}

// The first section that holds the combination of `section`, whatever its
// spelling ("02+65" holds Ctrl+A as well as "2+65" does).
std::optional<std::size_t> SectionOfCombination(const std::vector<std::string>& names, const std::string& section)
{
    const auto wanted = Combination(section);
    for (std::size_t i = 0; i < names.size(); ++i)
        if (EqualNoCase(names[i], TrimBoth(section)) || (wanted && Combination(names[i]) == wanted))
            return i;
    return std::nullopt;
}

void CheckLength(const std::string& value, const char* label)
{
    if (value.size() > MaxValueLength)
        throw ValueTooLongError(label);
}

std::string FileNameOf(const std::string& path)
{
    const std::size_t sep = path.find_last_of("\\/");
    return sep == std::string::npos ? path : path.substr(sep + 1);
}

// Writes `values` into `section` in order, then erases `erase` when given.
// On a refused write or erase, puts back what the successful writes
// replaced: the section as it was (`before`), or no section at all when it
// did not exist (`existed` false). Undoing is best effort (the file is
// refusing writes); the original error goes on.
void WriteThenErase(IProfile& profile, const std::string& path, const std::string& section, bool existed,
                    const std::vector<Entry>& before, const std::vector<std::pair<std::string, std::string>>& values,
                    const std::optional<std::string>& erase)
{
    std::vector<std::string> written;
    try {
        for (const auto& [key, value] : values) {
            WriteValue(profile, path, section, key.c_str(), value);
            written.push_back(key);
        }
        if (erase)
            EraseSection(profile, path, *erase);
    } catch (const WriteError&) {
        if (!existed) {
            if (!written.empty())
                profile.WriteString(section.c_str(), nullptr, nullptr, path.c_str());
        } else {
            for (auto key = written.rbegin(); key != written.rend(); ++key) {
                const Entry* old = FindEntry(before, *key);
                const char* value = old && old->value ? old->value->c_str() : nullptr;
                profile.WriteString(section.c_str(), key->c_str(), value, path.c_str());
            }
        }
        throw;
    }
}

void Apply(IProfile& profile, const std::string& path, const BindingChange& change, bool loadedKnown)
{
    if (TrimBoth(change.newSection).empty())
        throw AppError("The binding has no key combination");

    const std::vector<std::string> names = AllSectionNames(profile, path);
    const std::optional<std::size_t> oldIndex = IndexOf(names, change.oldSection);
    // A binding whose section has gone meanwhile: nothing to take over from
    // the file, the change adds it.
    if (!oldIndex)
        loadedKnown = false;

    std::optional<std::size_t> targetIndex = oldIndex;
    std::string target = change.oldSection;
    if (!EqualNoCase(TrimBoth(change.newSection), TrimBoth(change.oldSection)) || !oldIndex) {
        targetIndex = SectionOfCombination(names, change.newSection);
        target = targetIndex ? names[*targetIndex] : change.newSection;
    }
    const bool sameSection = oldIndex && targetIndex == oldIndex;

    const std::vector<Entry> oldEntries =
        oldIndex ? SectionEntries(profile, path, names[*oldIndex]) : std::vector<Entry>{};
    const auto changed = [&](const FieldKey& f) {
        return !loadedKnown || change.loaded.*f.field != change.edited.*f.field;
    };

    std::vector<std::pair<std::string, std::string>> values;
    for (const FieldKey& f : FieldKeys) {
        if (changed(f)) {
            CheckLength(change.edited.*f.field, f.label);
            values.emplace_back(f.key, change.edited.*f.field);
        } else if (!sameSection) {
            // Copied as the file holds it, not as the editor was shown it.
            if (const Entry* entry = FindEntry(oldEntries, f.key); entry && entry->value)
                values.emplace_back(f.key, *entry->value);
        }
    }

    if (sameSection) {
        WriteThenErase(profile, path, target, true, oldEntries, values, std::nullopt);
        return;
    }

    // Where the binding stands once the old section is gone; past the 100th
    // it would be neither listed nor registered.
    const std::size_t position = targetIndex ? *targetIndex + 1 - (oldIndex && *oldIndex < *targetIndex ? 1 : 0)
                                             : names.size() + 1 - (oldIndex ? 1 : 0);
    if (position > static_cast<std::size_t>(MaxHotkeys))
        throw BindingOutOfReachError(FileNameOf(path), static_cast<int>(names.size()), static_cast<int>(position));

    // Keys the editor does not know go along, after the three it does.
    for (const Entry& entry : oldEntries) {
        if (!entry.value || TrimBoth(entry.name).empty())
            continue;
        const bool known = std::any_of(FieldKeys.begin(), FieldKeys.end(),
                                       [&](const FieldKey& f) { return EqualNoCase(entry.name, f.key); });
        const bool seen = std::any_of(values.begin(), values.end(),
                                      [&](const auto& v) { return EqualNoCase(v.first, entry.name); });
        if (!known && !seen)
            values.emplace_back(entry.name, *entry.value);
    }

    const std::vector<Entry> targetBefore =
        targetIndex ? SectionEntries(profile, path, target) : std::vector<Entry>{};
    WriteThenErase(profile, path, target, targetIndex.has_value(), targetBefore, values,
                   oldIndex ? std::optional<std::string>(names[*oldIndex]) : std::nullopt);
}

} // namespace

BindingOutOfReachError::BindingOutOfReachError(const std::string& fileName, int sections, int position)
    : AppError(fileName + " holds " + std::to_string(sections) + " bindings and only the first " +
               std::to_string(MaxHotkeys) + " work: the changed binding would be number " +
               std::to_string(position) + " and would not work. Delete unused bindings first")
{
}

bool InputComplete(const BindingFields& fields)
{
    return SplitShortcut(fields.hotKey).key != 0 && !fields.path.empty();
}

std::string SectionForShortcut(std::uint16_t hotKey)
{
    const SplitShortcutResult split = SplitShortcut(hotKey);
    return SectionName(ShiftStateToModifiers(split.shift), split.key);
}

std::string SectionToWrite(const std::string& oldSection, std::uint16_t hotKeyFilled, std::uint16_t hotKeyNow)
{
    return hotKeyNow == hotKeyFilled ? oldSection : SectionForShortcut(hotKeyNow);
}

void WriteBinding(IProfile& profile, const std::string& path, const BindingFields& fields)
{
    for (const FieldKey& f : FieldKeys)
        CheckLength(fields.*f.field, f.label);
    const std::string section = SectionForShortcut(fields.hotKey);
    for (const FieldKey& f : FieldKeys)
        WriteValue(profile, path, section, f.key, fields.*f.field);
}

void ReplaceBinding(IProfile& profile, const std::string& path, const BindingChange& change)
{
    Apply(profile, path, change, true);
}

void ReplaceBinding(IProfile& profile, const std::string& path, const std::string& oldSection,
                    const BindingFields& fields)
{
    Apply(profile, path, {oldSection, SectionForShortcut(fields.hotKey), fields, fields}, false);
}

} // namespace quickdex
