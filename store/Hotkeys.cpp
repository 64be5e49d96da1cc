#include "store/Hotkeys.h"

#include "platform/portable/ProfileValue.h"
#include "store/Errors.h"

#include <algorithm>
#include <climits>
#include <cstring>
#include <string_view>

namespace quickdex {

void HotkeyTable::ClearKeys()
{
    for (Tquickdex& slot : slots_) {
        slot.Modifiers = 0;
        slot.Key = 0;
    }
}

std::string SectionName(int modifiers, int key)
{
    return std::to_string(modifiers) + "+" + std::to_string(key);
}

int StrToInt(const std::string& text)
{
    std::size_t i = 0;
    while (i < text.size() && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i == text.size())
        throw ConversionError(text);
    long long value = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            throw ConversionError(text);
        value = value * 10 + (c - '0');
        if (value > static_cast<long long>(INT_MAX) + 1)
            throw ConversionError(text);
    }
    if (negative)
        value = -value;
    if (value > INT_MAX || value < INT_MIN)
        throw ConversionError(text);
    return static_cast<int>(value);
}

int SplitSectionName(const std::string& name, int half)
{
    const auto plus = name.find('+');
    if (half == 1)
        return StrToInt(plus == std::string::npos ? std::string() : name.substr(0, plus));
    return StrToInt(plus == std::string::npos ? name : name.substr(plus + 1));
}

namespace {

// The section names in a buffer of `size` bytes, as the call returns them,
// and whether the call said they filled it (size - 2).
std::vector<std::string> SectionNamesIn(IProfile& profile, const std::string& path, std::uint32_t size, bool& full)
{
    std::vector<char> buffer(size, '\0');
    const std::uint32_t n = profile.GetString(nullptr, nullptr, "", buffer.data(), size, path.c_str());
    full = n == size - 2;
    std::vector<std::string> names;
    const char* p = buffer.data();
    const char* end = buffer.data() + std::min<std::uint32_t>(n, size - 1);
    while (p < end && *p) {
        std::string name(p);
        p += name.size() + 1;
        names.push_back(std::move(name));
    }
    return names;
}

} // namespace

std::vector<std::string> ReadSectionNames(IProfile& profile, const std::string& path)
{
    bool full = false;
    std::vector<std::string> names = SectionNamesIn(profile, path, NameListBufferSize, full);
    // A full buffer ends either on a whole name (it fitted to the last byte,
    // or the next name did not fit at all) or inside a name that was cut.
    // The call says the same in both cases, so a read into a buffer twice
    // the size tells them apart: there a cut name is longer, a whole one
    // the same. Only a cut name is dropped.
    if (full && !names.empty()) {
        bool largerFull = false;
        const std::vector<std::string> more = SectionNamesIn(profile, path, 2 * NameListBufferSize, largerFull);
        if (more.size() < names.size() || more[names.size() - 1] != names.back())
            names.pop_back();
    }
    return names;
}

std::string ReadValue(IProfile& profile, const std::string& path, const std::string& section, const char* key,
                      const char* fallback)
{
    std::vector<char> buffer(ValueBufferSize, '\0');
    profile.GetString(section.c_str(), key, fallback, buffer.data(), ValueBufferSize, path.c_str());
    buffer.back() = '\0';
    return std::string(buffer.data());
}

void WriteValue(IProfile& profile, const std::string& path, const std::string& section, const char* key,
                const std::string& value)
{
    if (!profile.WriteString(section.c_str(), key, value.c_str(), path.c_str()))
        throw WriteError(path);
}

namespace {

// Action, Hint and Sort of one binding. One read of the whole section
// answers all three exactly as three single-value reads would (the first
// key of each name counts, a key without '=' gives the default, blanks
// around names and values go, matching quotes go) at a third of the cost:
// each read of the file is a round trip through the system. A section too
// long for the buffer is read value by value.
void ReadBinding(IProfile& profile, const std::string& path, const std::string& section, Tquickdex& slot)
{
    static constexpr std::uint32_t SectionBufferSize = 32767;
    std::vector<char> buffer(SectionBufferSize, '\0');
    const std::uint32_t n = profile.GetSection(section.c_str(), buffer.data(), SectionBufferSize, path.c_str());
    slot.IfRunning = ReadIfRunning(profile, path, section, buffer.data(), n, SectionBufferSize);
    // The one read is trusted only when the system handed every line back
    // tidy, name and value trimmed, as Wine does: a system may hand them
    // back as they stand in the file, and a zero byte in the file cuts a
    // line in two. Such a section, and one too long for the buffer, is read
    // value by value, which tidies by the single-value rules.
    const char* const end = buffer.data() + std::min(n, SectionBufferSize);
    bool tidy = n < SectionBufferSize - 2;
    for (const char* entry = buffer.data(); tidy && entry < end; entry += std::strlen(entry) + 1) {
        const std::string_view line(entry);
        const std::size_t equals = line.find('=');
        tidy = equals != std::string_view::npos && TrimBoth(line.substr(0, equals)).size() == equals &&
               TrimBoth(line.substr(equals + 1)).size() == line.size() - equals - 1;
    }
    if (!tidy) {
        slot.Action = ReadValue(profile, path, section, "Action", "");
        slot.Hint = ReadValue(profile, path, section, "Hint", "");
        slot.Sort = ReadValue(profile, path, section, "Sort", DefaultSort);
        return;
    }
    struct Wanted {
        const char* key;
        const char* fallback;
        std::string* value;
        bool found = false;
    } wanted[] = {{"Action", "", &slot.Action}, {"Hint", "", &slot.Hint}, {"Sort", DefaultSort, &slot.Sort}};
    for (Wanted& w : wanted)
        *w.value = ValueAsRead(w.fallback, ValueBufferSize);
    for (const char* entry = buffer.data(); entry < end; entry += std::strlen(entry) + 1) {
        const std::string_view line(entry);
        const std::size_t equals = line.find('=');
        for (Wanted& w : wanted) {
            if (w.found || !EqualNoCase(line.substr(0, equals), w.key))
                continue;
            w.found = true;
            *w.value = ValueAsRead(line.substr(equals + 1), ValueBufferSize);
        }
    }
}

} // namespace

LoadResult LoadHotkeys(IProfile& profile, const std::string& path, HotkeyTable& table, IRowSink& rows)
{
    // The sink hears that the load is over however it ends: a malformed
    // section must not leave the list waiting for rows.
    struct Done {
        IRowSink& rows;
        ~Done() { rows.RowsDone(); }
    } done{rows};

    const std::vector<std::string> names = ReadSectionNames(profile, path);
    LoadResult result;
    result.sections = static_cast<int>(names.size());
    // The table has 100 slots; sections past the 100th stay in the file,
    // untouched, and are reported to the caller. HotkeyCount counts the
    // slots filled, so the editor's "100 bindings" refusal still holds.
    const int count = std::min(result.sections, MaxHotkeys);
    result.ignored = result.sections - count;
    table.HotkeyCount = count;

    for (int i = 1; i <= count; ++i) {
        const std::string& name = names[static_cast<std::size_t>(i - 1)];
        Tquickdex& slot = table[i];
        slot.Modifiers = SplitSectionName(name, 1);
        slot.Key = SplitSectionName(name, 2);
        table.SetSectionOf(i, name);
        ReadBinding(profile, path, name, slot);
    }
    for (int i = 1; i <= count; ++i)
        rows.AddRow(i, table[i]);
    return result;
}

void EraseSection(IProfile& profile, const std::string& path, const std::string& section)
{
    if (!profile.WriteString(section.c_str(), nullptr, nullptr, path.c_str()))
        throw WriteError(path);
}

} // namespace quickdex
