#include "platform/portable/IniFile.h"

#include "platform/portable/IniDocument.h"
#include "platform/portable/PortableFiles.h"
#include "platform/portable/ProfileValue.h"

#include <cstring>
#include <filesystem>
#include <memory>
#include <optional>
#include <system_error>
#include <vector>

namespace quickdex {
namespace {

namespace fs = std::filesystem;

using Document = IniDocument;
using Line = IniDocument::Line;
using Section = IniDocument::Section;

std::optional<std::string> ReadFile(const char* path)
{
    FileContent content = ReadFileBytes(path);
    if (content.status == FileContent::Status::Unreadable)
        return std::nullopt;
    return std::move(content.bytes);
}

// The last file read, parsed. Loading the bindings reads one file hundreds
// of times in a row; reading it again is cheap, parsing it again is not, so
// a document whose bytes are unchanged is reused.
const Document& ParsedFile(const char* path)
{
    thread_local std::string cachedPath;
    thread_local std::unique_ptr<Document> cached;
    std::string text = ReadFile(path).value_or(std::string());
    if (!cached || cachedPath != path || cached->Text() != text) {
        cached.reset();
        cached = std::make_unique<Document>(std::move(text));
        cachedPath = path;
    }
    return *cached;
}

// The section a read or write of one key looks in: the first section whose
// name equals the trimmed argument, ignoring case. The lines before the first
// header form a section without a name, which "" reaches.
const Section* FindSectionTrimmed(const Document& doc, const char* section)
{
    const std::string wanted = TrimBoth(section);
    for (const Section& s : doc.Sections())
        if (EqualNoCase(s.name, wanted))
            return &s;
    return nullptr;
}

// Listing keys compares the argument as given.
const Section* FindSectionForList(const Document& doc, const char* section)
{
    for (const Section& s : doc.Sections())
        if (EqualNoCase(s.name, section))
            return &s;
    return nullptr;
}

// Erasing never touches the lines before the first header.
const Section* FindNamedSection(const Document& doc, const char* section)
{
    for (const Section& s : doc.Sections())
        if (!s.name.empty() && EqualNoCase(s.name, section))
            return &s;
    return nullptr;
}

std::string DefaultValue(const char* fallback)
{
    std::string def = fallback ? fallback : "";
    while (!def.empty() && def.back() == ' ')
        def.pop_back();
    return def;
}

std::uint32_t ListSectionNames(const Document& doc, char* buffer, std::uint32_t size)
{
    if (size == 1) {
        buffer[0] = '\0';
        return 0;
    }
    std::uint32_t room = size - 1; // one byte kept for the closing zero
    char* out = buffer;
    for (const Section& s : doc.Sections()) {
        if (s.name.empty())
            continue;
        const std::uint32_t need = static_cast<std::uint32_t>(s.name.size()) + 1;
        if (need >= room) {
            // Does not fit: cut the name, close with two zeros.
            std::memcpy(out, s.name.data(), room - 1);
            out += room - 1;
            *out++ = '\0';
            *out = '\0';
            return size - 2;
        }
        std::memcpy(out, s.name.c_str(), need);
        out += need;
        room -= need;
    }
    *out = '\0';
    return static_cast<std::uint32_t>(out - buffer);
}

std::uint32_t ListKeyNames(const Document& doc, const Section& s, char* buffer, std::uint32_t size)
{
    if (size < 2) {
        buffer[0] = '\0';
        return 0;
    }
    std::uint32_t room = size;
    char* out = buffer;
    for (std::size_t i = s.first; i < s.last; ++i) {
        if (room <= 2)
            break;
        const Line& line = doc.Lines()[i];
        // Comments and lines without '=' are not keys; "=value" is a key
        // with an empty name.
        if (line.kind != Line::Kind::Entry || !line.value || (!line.name.empty() && line.name[0] == ';'))
            continue;
        const std::size_t n = std::min<std::size_t>(line.name.size(), room - 2);
        std::memcpy(out, line.name.data(), n);
        out[n] = '\0';
        out += n + 1;
        room -= static_cast<std::uint32_t>(n + 1);
        if (room < 2)
            break;
    }
    *out = '\0';
    if (room <= 1) {
        out[-1] = '\0';
        return size - 2;
    }
    return size - room;
}

} // namespace

std::uint32_t PortableProfile::GetString(const char* section, const char* key, const char* fallback,
                                         char* buffer, std::uint32_t size, const char* path)
{
    if (!buffer || size == 0)
        return 0;
    if (!path)
        path = "";
    const std::string def = DefaultValue(fallback);
    const Document& doc = ParsedFile(path);

    if (!section)
        return ListSectionNames(doc, buffer, size);

    if (!key) {
        std::uint32_t n = 0;
        if (const Section* s = FindSectionForList(doc, section))
            n = ListKeyNames(doc, *s, buffer, size);
        else
            buffer[0] = '\0';
        if (buffer[0] == '\0')
            n = CopyValue(def, true, buffer, size);
        return n;
    }

    const Line* line = nullptr;
    if (const Section* s = FindSectionTrimmed(doc, section))
        line = doc.FindKey(*s, TrimBoth(key));
    return CopyValue(line && line->value ? *line->value : def, true, buffer, size);
}

std::uint32_t PortableProfile::GetSection(const char* section, char* buffer, std::uint32_t size, const char* path)
{
    if (!buffer || size == 0)
        return 0;
    buffer[0] = '\0';
    if (size < 2 || !section)
        return 0;
    if (!path)
        path = "";
    const Document& doc = ParsedFile(path);
    const Section* s = FindSectionForList(doc, section); // the name as given, like the key list
    if (!s)
        return 0;
    std::uint32_t room = size; // as the system counts: two bytes kept for the closing zeros
    char* out = buffer;
    // Copies text cut to room - 1 characters plus its zero, as the system does.
    const auto put = [&](const std::string& text) {
        const std::size_t n = std::min<std::size_t>(text.size(), room - 2);
        std::memcpy(out, text.data(), n);
        out[n] = '\0';
        out += n + 1;
        room -= static_cast<std::uint32_t>(n + 1);
    };
    for (std::size_t i = s->first; i < s->last; ++i) {
        const Line& line = doc.Lines()[i];
        if (room <= 2)
            break;
        if (line.kind != Line::Kind::Entry || (!line.name.empty() && line.name[0] == ';'))
            continue; // blank lines and comments
        put(line.value ? line.name + "=" + *line.value : line.name);
        if (room < 2)
            break;
    }
    *out = '\0';
    if (room <= 2 && out > buffer) {
        // Cut short: the system closes the list inside the buffer.
        buffer[size - 2] = '\0';
        buffer[size - 1] = '\0';
        return size - 2;
    }
    return static_cast<std::uint32_t>(out - buffer);
}

namespace {

std::optional<std::string> EraseSectionText(const Document& doc, const char* section)
{
    const Section* s = FindNamedSection(doc, section);
    if (!s)
        return std::nullopt;
    return doc.EraseSection(*s);
}

// The key deleted from the first section of that name that holds it.
std::optional<std::string> DeleteKeyText(const Document& doc, const char* section, const char* key)
{
    for (const Section& s : doc.Sections()) {
        if (s.name.empty() || !EqualNoCase(s.name, section))
            continue;
        if (auto text = doc.DeleteFirstKey(s, key))
            return text;
    }
    return std::nullopt;
}

// The text with `key` set to `value`; nothing when it holds that already.
std::optional<std::string> SetValueText(const Document& doc, const char* section, const char* key,
                                        const char* value)
{
    const Section* s = FindSectionTrimmed(doc, section);
    if (!s)
        return doc.AppendSection(section, {{key, value}});
    return doc.SetValue(*s, key, value);
}

// The file's text, or nothing when it may not or cannot be written: a
// read-only file is never written, whoever we run as. A missing file is
// an empty text.
std::optional<std::string> WritableText(const char* path)
{
    std::error_code ec;
    const fs::file_status st = fs::status(fs::u8path(path), ec);
    if (!fs::exists(st))
        return std::string();
    if (!fs::is_regular_file(st) || (st.permissions() & fs::perms::owner_write) == fs::perms::none)
        return std::nullopt;
    return ReadFile(path);
}

} // namespace

bool PortableProfile::WriteString(const char* section, const char* key, const char* value, const char* path)
{
    // The system's "flush the cache" form (all null) has nothing to flush:
    // a parsed file is reused only while its bytes are unchanged.
    if (!section || !path)
        return false;
    const std::optional<std::string> text = WritableText(path);
    if (!text)
        return false;
    const Document doc(*text);
    const std::optional<std::string> updated = !key     ? EraseSectionText(doc, section)
                                               : !value ? DeleteKeyText(doc, section, key)
                                                        : SetValueText(doc, section, key, value);
    // Nothing to change is a write that succeeded.
    return !updated || ReplaceFileContent(path, *updated) == ReplaceOutcome::Replaced;
}

} // namespace quickdex
