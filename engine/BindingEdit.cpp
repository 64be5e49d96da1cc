#include "engine/BindingEdit.h"

#include "store/Errors.h"
#include "store/Hotkeys.h"
#include "store/KeyNames.h"

#include <algorithm>
#include <array>
#include <optional>

namespace quickdex {
namespace {

constexpr std::array<const char*, 3> BindingKeys = {"Action", "Hint", "Sort"};

// Reads one key, telling a missing key from an empty value.
std::optional<std::string> ReadIfPresent(IProfile& profile, const std::string& path, const std::string& section,
                                         const char* key)
{
    static constexpr const char* Missing = "\x01missing\x01";
    std::string value = ReadValue(profile, path, section, key, Missing);
    if (value == Missing)
        return std::nullopt;
    return value;
}

} // namespace

bool InputComplete(const BindingFields& fields)
{
    return SplitShortcut(fields.hotKey).key != 0 && !fields.path.empty();
}

std::string SectionForShortcut(std::uint16_t hotKey)
{
    const SplitShortcutResult split = SplitShortcut(hotKey);
    return SectionName(ShiftStateToModifiers(split.shift), split.key);
}

void WriteBinding(IProfile& profile, const std::string& path, const BindingFields& fields)
{
    const std::string section = SectionForShortcut(fields.hotKey);
    WriteValue(profile, path, section, "Action", fields.path);
    WriteValue(profile, path, section, "Hint", fields.hint);
    WriteValue(profile, path, section, "Sort", fields.sort);
}

void ReplaceBinding(IProfile& profile, const std::string& path, const std::string& oldSection,
                    const BindingFields& fields)
{
    // What both sections hold now: the new combination may be another
    // binding's, whose values the write replaces.
    using Snapshot = std::array<std::optional<std::string>, 3>;
    const auto snapshot = [&](const std::string& section) {
        Snapshot values;
        for (std::size_t i = 0; i < BindingKeys.size(); ++i)
            values[i] = ReadIfPresent(profile, path, section, BindingKeys[i]);
        return values;
    };
    const std::string newSection = SectionForShortcut(fields.hotKey);
    const Snapshot oldValues = snapshot(oldSection);
    const std::vector<std::string> sections = ReadSectionNames(profile, path);
    const bool newExisted = newSection != oldSection &&
                            std::find(sections.begin(), sections.end(), newSection) != sections.end();
    const Snapshot overwritten = newExisted ? snapshot(newSection) : Snapshot{};

    EraseSection(profile, path, oldSection);
    try {
        WriteBinding(profile, path, fields);
    } catch (const WriteError&) {
        // Put back what was there (best effort: the file is refusing
        // writes), then let the error be shown.
        const auto restore = [&](const std::string& section, const Snapshot& values) {
            for (std::size_t i = 0; i < BindingKeys.size(); ++i)
                if (values[i])
                    profile.WriteString(section.c_str(), BindingKeys[i], values[i]->c_str(), path.c_str());
        };
        if (newExisted)
            restore(newSection, overwritten);
        else if (newSection != oldSection)
            profile.WriteString(newSection.c_str(), nullptr, nullptr, path.c_str());
        restore(oldSection, oldValues);
        throw;
    }
}

} // namespace quickdex
