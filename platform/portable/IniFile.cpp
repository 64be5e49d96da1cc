#include "platform/portable/IniFile.h"

#include "platform/portable/ProfileValue.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <memory>
#include <optional>
#include <random>
#include <system_error>
#include <vector>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace quickdex {
namespace {

namespace fs = std::filesystem;

std::string TrimLeft(const char* s)
{
    while (*s && IsBlank(*s))
        ++s;
    return s;
}

// Names and values are C strings to the Windows calls: a zero byte in the
// file ends them.
std::string CutAtZero(std::string s)
{
    if (auto z = s.find('\0'); z != std::string::npos)
        s.resize(z);
    return s;
}

// One physical line of the file. A line ends at CR LF, LF or a lone CR.
struct Line {
    std::size_t begin = 0; // first byte of the line
    std::size_t end = 0;   // where the line break (or the file) starts
    std::size_t next = 0;  // first byte of the following line
    enum class Kind { Blank, Header, Entry } kind = Kind::Blank;
    std::string name;                // section name, or key name
    std::optional<std::string> value; // entries with '=' only
    std::size_t valueBegin = 0;       // where the value starts, for rewrites
};

struct Section {
    std::string name;         // empty for the lines before the first header
    std::size_t header = 0;   // index of the header line (unused for the unnamed)
    std::size_t first = 0;    // first line index after the header
    std::size_t last = 0;     // one past the last line index of the section
};

class Document {
public:
    explicit Document(std::string text) : text_(std::move(text)) { Parse(); }

    const std::string& Text() const { return text_; }
    const std::vector<Line>& Lines() const { return lines_; }
    const std::vector<Section>& Sections() const { return sections_; }

    // The line ending the file already uses, so that added lines match it.
    std::string Eol() const
    {
        const std::size_t br = text_.find_first_of("\r\n");
        if (br == std::string::npos || text_.compare(br, 2, "\r\n") == 0)
            return "\r\n";
        return text_.substr(br, 1);
    }

private:
    void Parse()
    {
        std::size_t pos = 0;
        // A UTF-8 byte-order mark is not part of the first line.
        if (text_.compare(0, 3, "\xEF\xBB\xBF") == 0)
            pos = 3;
        sections_.push_back(Section{});
        while (pos < text_.size()) {
            Line line;
            line.begin = pos;
            const std::size_t br = text_.find_first_of("\r\n", pos);
            line.end = br == std::string::npos ? text_.size() : br;
            line.next = line.end;
            if (line.next < text_.size())
                line.next += text_.compare(line.next, 2, "\r\n") == 0 ? 2 : 1;
            pos = line.next;
            Classify(line);
            if (line.kind == Line::Kind::Header) {
                sections_.back().last = lines_.size();
                Section s;
                s.name = line.name;
                s.header = lines_.size();
                s.first = lines_.size() + 1;
                sections_.push_back(s);
            }
            lines_.push_back(std::move(line));
        }
        sections_.back().last = lines_.size();
    }

    void Classify(Line& line) const
    {
        std::size_t b = line.begin, e = line.end;
        while (b < e && IsBlank(text_[b]))
            ++b;
        while (e > b && IsBlank(text_[e - 1]))
            --e;
        if (b >= e)
            return;
        if (text_[b] == '[') {
            // The name runs to the last ']' of the line; text after it is ignored.
            std::size_t close = text_.rfind(']', e - 1);
            if (close != std::string::npos && close > b) {
                line.kind = Line::Kind::Header;
                line.name = TrimBoth(CutAtZero(text_.substr(b + 1, close - b - 1)));
                return;
            }
        }
        line.kind = Line::Kind::Entry;
        std::size_t eq = text_.find('=', b);
        if (eq == std::string::npos || eq >= e) {
            line.name = CutAtZero(text_.substr(b, e - b));
            return;
        }
        std::size_t nameEnd = eq;
        while (nameEnd > b && IsBlank(text_[nameEnd - 1]))
            --nameEnd;
        std::size_t v = eq + 1;
        while (v < e && IsBlank(text_[v]))
            ++v;
        line.name = CutAtZero(text_.substr(b, nameEnd - b));
        line.value = CutAtZero(text_.substr(v, e - v));
        line.valueBegin = v;
    }

    std::string text_;
    std::vector<Line> lines_;
    std::vector<Section> sections_;
};

// A line that holds a key (with or without '='; "=value" is a key with an
// empty name), not a comment or blank.
bool IsKeyLine(const Line& line)
{
    if (line.kind != Line::Kind::Entry)
        return false;
    return line.name.empty() ? line.value.has_value() : line.name[0] != ';';
}

std::optional<std::string> ReadFile(const char* path)
{
    std::ifstream in(fs::u8path(path), std::ios::binary | std::ios::ate);
    if (!in)
        return std::nullopt;
    const std::streamoff size = in.tellg();
    if (size < 0)
        return std::nullopt;
    std::string text(static_cast<std::size_t>(size), '\0');
    in.seekg(0);
    if (!in.read(text.data(), size))
        return std::nullopt;
    return text;
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

const Line* FindKey(const Document& doc, const Section& s, const std::string& trimmedKey)
{
    for (std::size_t i = s.first; i < s.last; ++i) {
        const Line& line = doc.Lines()[i];
        if (line.kind == Line::Kind::Entry && EqualNoCase(line.name, trimmedKey))
            return &line;
    }
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
        line = FindKey(doc, *s, TrimBoth(key));
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

// The text with the lines [first, last) removed.
std::string WithoutLines(const Document& doc, const std::string& text, std::size_t first, std::size_t last)
{
    const auto& lines = doc.Lines();
    const std::size_t from = lines[first].begin;
    const std::size_t to = last < lines.size() ? lines[last].begin : text.size();
    return text.substr(0, from) + text.substr(to);
}

// The whole section erased: its header and its lines up to its last entry.
// Blank lines and comments after that stay, as they usually introduce what
// follows. Nothing when there is no such section.
std::optional<std::string> EraseSectionText(const Document& doc, const std::string& text, const char* section)
{
    const Section* s = FindNamedSection(doc, section);
    if (!s)
        return std::nullopt;
    std::size_t end = s->first;
    for (std::size_t i = s->first; i < s->last; ++i)
        if (IsKeyLine(doc.Lines()[i]))
            end = i + 1;
    return WithoutLines(doc, text, s->header, end);
}

// The key deleted from the first section of that name that holds it.
std::optional<std::string> DeleteKeyText(const Document& doc, const std::string& text, const char* section,
                                         const char* key)
{
    const auto& lines = doc.Lines();
    for (const Section& s : doc.Sections()) {
        if (s.name.empty() || !EqualNoCase(s.name, section))
            continue;
        for (std::size_t i = s.first; i < s.last; ++i)
            if (lines[i].kind == Line::Kind::Entry && EqualNoCase(lines[i].name, key))
                return WithoutLines(doc, text, i, i + 1);
    }
    return std::nullopt;
}

// A key's value replaced in place; the name and the blanks around '=' stay
// as the user wrote them.
std::string ReplaceValueText(const std::string& text, const Line& line, const std::string& value)
{
    std::string head = line.value ? text.substr(line.begin, line.valueBegin - line.begin)
                                  : text.substr(line.begin, line.end - line.begin) + "=";
    if (!line.value) {
        // A line without '=' may carry trailing blanks or '\r'.
        std::size_t e = head.size() - 1;
        while (e > 0 && IsBlank(head[e - 1]))
            --e;
        head = head.substr(0, e) + "=";
    }
    return text.substr(0, line.begin) + head + value + text.substr(line.end);
}

// A new key in an existing section: after the section's last key line, so
// that blank lines and comments that lead to the next section stay there.
std::string AppendKeyText(const Document& doc, const std::string& text, const Section& s, const char* key,
                          const std::string& value)
{
    std::optional<std::size_t> after;
    if (!s.name.empty())
        after = s.header;
    for (std::size_t i = s.first; i < s.last; ++i)
        if (IsKeyLine(doc.Lines()[i]))
            after = i;
    std::string insert = TrimLeft(key) + "=" + value + doc.Eol();
    std::size_t at = text.compare(0, 3, "\xEF\xBB\xBF") == 0 ? 3 : 0; // no key yet before the first header
    if (after) {
        const Line& anchor = doc.Lines()[*after];
        at = anchor.next;
        if (anchor.next == anchor.end) // the file ends on this line without a line break
            insert = doc.Eol() + insert;
    }
    return text.substr(0, at) + insert + text.substr(at);
}

// A new section, with the one key, at the end of the file.
std::string AppendSectionText(const Document& doc, std::string text, const char* section, const char* key,
                              const std::string& value)
{
    if (!text.empty() && text.back() != '\n')
        text += doc.Eol();
    return text + "[" + TrimLeft(section) + "]" + doc.Eol() + TrimLeft(key) + "=" + value + doc.Eol();
}

// The text with `key` set to `value`; nothing when it holds that already.
std::optional<std::string> SetValueText(const Document& doc, const std::string& text, const char* section,
                                        const char* key, const char* value)
{
    const std::string newValue = TrimLeft(value);
    const Section* s = FindSectionTrimmed(doc, section);
    if (!s)
        return AppendSectionText(doc, text, section, key, newValue);
    const Line* line = FindKey(doc, *s, TrimBoth(key));
    if (!line)
        return AppendKeyText(doc, text, *s, key, newValue);
    if (line->value && *line->value == newValue)
        return std::nullopt;
    return ReplaceValueText(text, *line, newValue);
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
    const std::optional<std::string> updated = !key     ? EraseSectionText(doc, *text, section)
                                               : !value ? DeleteKeyText(doc, *text, section, key)
                                                        : SetValueText(doc, *text, section, key, value);
    // Nothing to change is a write that succeeded.
    return !updated || ReplaceFileContent(path, *updated);
}

bool ReplaceFileContent(const std::string& path, const std::string& content)
{
    std::error_code ec;
    const fs::path file = fs::u8path(path);
    static std::mt19937_64 rng{std::random_device{}()};
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%08llx.tmp", static_cast<unsigned long long>(rng() & 0xFFFFFFFFu));
    const fs::path temp = fs::u8path(path + suffix);

    std::FILE* out = std::fopen(temp.string().c_str(), "wb");
    if (!out)
        return false;
    bool ok = std::fwrite(content.data(), 1, content.size(), out) == content.size();
    ok = std::fflush(out) == 0 && ok;
#ifdef _WIN32
    ok = _commit(_fileno(out)) == 0 && ok;
#else
    ok = fsync(fileno(out)) == 0 && ok;
#endif
    ok = std::fclose(out) == 0 && ok;
    if (ok) {
        const fs::file_status st = fs::status(file, ec);
        if (!ec && fs::exists(st))
            fs::permissions(temp, st.permissions(), ec);
        fs::rename(temp, file, ec);
        ok = !ec;
    }
    if (!ok)
        fs::remove(temp, ec);
    return ok;
}

} // namespace quickdex
