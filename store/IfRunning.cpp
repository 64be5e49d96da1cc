#include "store/IfRunning.h"

#include "platform/portable/ProfileValue.h"
#include "store/Errors.h"
#include "store/Hotkeys.h"

#include <cstring>

namespace quickdex {

std::optional<IfRunningMode> ParseIfRunning(std::string_view value)
{
    if (EqualNoCase(value, "front"))
        return IfRunningMode::Front;
    if (EqualNoCase(value, "toggle"))
        return IfRunningMode::Toggle;
    return std::nullopt;
}

const char* IfRunningText(IfRunningMode mode)
{
    switch (mode) {
    case IfRunningMode::Front:
        return "front";
    case IfRunningMode::Toggle:
        return "toggle";
    case IfRunningMode::Start:
        break;
    }
    return nullptr;
}

IfRunningMode IfRunningOfEntries(const char* entries, std::uint32_t length)
{
    const char* const end = entries + length;
    for (const char* entry = entries; entry < end && *entry;) {
        const char* stop = static_cast<const char*>(std::memchr(entry, '\0', static_cast<std::size_t>(end - entry)));
        const std::string_view line(entry, static_cast<std::size_t>((stop ? stop : end) - entry));
        entry += line.size() + 1;
        const std::size_t equals = line.find('=');
        if (!EqualNoCase(line.substr(0, equals), IfRunningKey))
            continue;
        // The first key of the name counts, as for a single-value read.
        if (equals == std::string_view::npos)
            return IfRunningMode::Start;
        return ParseIfRunning(ValueAsRead(line.substr(equals + 1), ValueBufferSize)).value_or(IfRunningMode::Start);
    }
    return IfRunningMode::Start;
}

IfRunningMode ReadIfRunning(IProfile& profile, const std::string& path, const std::string& section,
                            const char* entries, std::uint32_t length, std::uint32_t size)
{
    if (size >= 2 && length >= size - 2)
        return ParseIfRunning(ReadValue(profile, path, section, IfRunningKey, "")).value_or(IfRunningMode::Start);
    return IfRunningOfEntries(entries, length);
}

void WriteIfRunning(IProfile& profile, const std::string& path, const std::string& section, IfRunningMode mode)
{
    const char* text = IfRunningText(mode);
    if (!profile.WriteString(section.c_str(), IfRunningKey, text, path.c_str()))
        throw WriteError(path);
}

} // namespace quickdex
