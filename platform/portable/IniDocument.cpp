#include "platform/portable/IniDocument.h"

#include "platform/portable/ProfileValue.h"

#include <algorithm>

namespace quickdex {
namespace {

std::string TrimLeft(const std::string& s)
{
    std::size_t i = 0;
    while (i < s.size() && IsBlank(s[i]))
        ++i;
    return s.substr(i);
}

// Names and values are C strings to the Windows calls: a zero byte in the
// file ends them.
std::string CutAtZero(std::string s)
{
    if (auto z = s.find('\0'); z != std::string::npos)
        s.resize(z);
    return s;
}

bool StartsWithMark(const std::string& text)
{
    return text.compare(0, 3, Utf8Mark) == 0;
}

} // namespace

bool IniDocument::Line::IsKey() const
{
    if (kind != Kind::Entry)
        return false;
    return name.empty() ? value.has_value() : name[0] != ';';
}

IniDocument::IniDocument(std::string text) : text_(std::move(text))
{
    Parse();
}

std::string IniDocument::Eol() const
{
    const std::size_t br = text_.find_first_of("\r\n");
    if (br == std::string::npos || text_.compare(br, 2, "\r\n") == 0)
        return "\r\n";
    return text_.substr(br, 1);
}

void IniDocument::Parse()
{
    // A UTF-8 byte-order mark is not part of the first line.
    std::size_t pos = StartsWithMark(text_) ? 3 : 0;
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

void IniDocument::Classify(Line& line) const
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
        // Looked for within the line only: a search past its ends ran over
        // the whole file for every line and made a 10 MB file take seconds.
        std::size_t close = e - 1;
        while (close > b && text_[close] != ']')
            --close;
        if (close > b) {
            line.kind = Line::Kind::Header;
            line.name = TrimBoth(CutAtZero(text_.substr(b + 1, close - b - 1)));
            return;
        }
    }
    line.kind = Line::Kind::Entry;
    const std::size_t eq = static_cast<std::size_t>(std::find(text_.begin() + static_cast<std::ptrdiff_t>(b),
                                                               text_.begin() + static_cast<std::ptrdiff_t>(e), '=') -
                                                     text_.begin());
    if (eq >= e) {
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

const IniDocument::Line* IniDocument::FindKey(const Section& section, const std::string& trimmedKey) const
{
    for (std::size_t i = section.first; i < section.last; ++i) {
        const Line& line = lines_[i];
        if (line.kind == Line::Kind::Entry && EqualNoCase(line.name, trimmedKey))
            return &line;
    }
    return nullptr;
}

std::string IniDocument::WithoutLines(std::size_t first, std::size_t last) const
{
    const std::size_t from = lines_[first].begin;
    const std::size_t to = last < lines_.size() ? lines_[last].begin : text_.size();
    return text_.substr(0, from) + text_.substr(to);
}

std::optional<std::string> IniDocument::SetValue(const Section& section, const std::string& key,
                                                 const std::string& value) const
{
    const std::string newValue = TrimLeft(value);
    if (const Line* line = FindKey(section, TrimBoth(key))) {
        if (line->value && *line->value == newValue)
            return std::nullopt;
        // The name and the blanks around '=' stay as the user wrote them.
        std::string head;
        if (line->value) {
            head = text_.substr(line->begin, line->valueBegin - line->begin);
        } else {
            // A line without '=' may carry trailing blanks.
            std::size_t e = line->end;
            while (e > line->begin && IsBlank(text_[e - 1]))
                --e;
            head = text_.substr(line->begin, e - line->begin) + "=";
        }
        return text_.substr(0, line->begin) + head + newValue + text_.substr(line->end);
    }

    // A new key: after the section's last key line, so that blank lines and
    // comments that lead to the next section stay there.
    std::optional<std::size_t> after;
    if (&section != &sections_.front())
        after = section.header;
    for (std::size_t i = section.first; i < section.last; ++i)
        if (lines_[i].IsKey())
            after = i;
    std::string insert = TrimLeft(key) + "=" + newValue + Eol();
    std::size_t at = StartsWithMark(text_) ? 3 : 0; // no key yet before the first header
    if (after) {
        const Line& anchor = lines_[*after];
        at = anchor.next;
        if (anchor.next == anchor.end) // the file ends on this line without a line break
            insert = Eol() + insert;
    }
    return text_.substr(0, at) + insert + text_.substr(at);
}

std::optional<std::string> IniDocument::DeleteKey(const Section& section, const std::string& key) const
{
    const std::string wanted = TrimBoth(key);
    std::string text;
    std::size_t kept = 0; // bytes of the original copied so far
    for (std::size_t i = section.first; i < section.last; ++i) {
        const Line& line = lines_[i];
        if (line.kind != Line::Kind::Entry || !EqualNoCase(line.name, wanted))
            continue;
        text += text_.substr(kept, line.begin - kept);
        kept = line.next;
    }
    if (kept == 0)
        return std::nullopt;
    return text + text_.substr(kept);
}

std::optional<std::string> IniDocument::DeleteFirstKey(const Section& section, const std::string& key) const
{
    const Line* line = FindKey(section, TrimBoth(key));
    if (!line)
        return std::nullopt;
    const std::size_t index = static_cast<std::size_t>(line - lines_.data());
    return WithoutLines(index, index + 1);
}

std::string IniDocument::EraseSection(const Section& section) const
{
    std::size_t end = section.first;
    for (std::size_t i = section.first; i < section.last; ++i)
        if (lines_[i].IsKey())
            end = i + 1;
    return WithoutLines(section.header, end);
}

std::string IniDocument::AppendSection(const std::string& name,
                                       const std::vector<std::pair<std::string, std::string>>& keys) const
{
    std::string text = text_;
    const std::string eol = Eol();
    if (!text.empty() && text.back() != '\n')
        text += eol;
    text += "[" + TrimLeft(name) + "]" + eol;
    for (const auto& [key, value] : keys)
        text += TrimLeft(key) + "=" + TrimLeft(value) + eol;
    return text;
}

} // namespace quickdex
