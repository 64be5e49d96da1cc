#include "platform/portable/ProfileValue.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace quickdex {

bool IsBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r' || c == 0x1A;
}

std::string TrimBoth(std::string_view s)
{
    std::size_t b = 0, e = s.size();
    while (b < e && IsBlank(s[b]))
        ++b;
    while (e > b && IsBlank(s[e - 1]))
        --e;
    return std::string(s.substr(b, e - b));
}

bool EqualNoCase(std::string_view a, std::string_view b)
{
    const auto fold = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; };
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [&](char x, char y) { return fold(x) == fold(y); });
}

std::uint32_t CopyValue(std::string_view value, bool stripQuotes, char* buffer, std::uint32_t size)
{
    std::string_view v(value);
    bool quoted = false;
    if (stripQuotes && v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front()) {
        quoted = true;
        v.remove_prefix(1);
    }
    std::size_t n = std::min<std::size_t>(v.size(), size - 1);
    std::memcpy(buffer, v.data(), n);
    buffer[n] = '\0';
    // The closing quote is dropped only when the whole rest fitted; a cut
    // value keeps its last character instead (the system does the same).
    if (quoted && size >= v.size() && n > 0)
        buffer[--n] = '\0';
    return static_cast<std::uint32_t>(n);
}

std::string ValueAsRead(std::string_view stored, std::uint32_t size)
{
    if (size == 0)
        return std::string();
    std::vector<char> buffer(size);
    const std::uint32_t n = CopyValue(stored, true, buffer.data(), size);
    return std::string(buffer.data(), n);
}

std::vector<std::string> ZeroSeparatedList(const char* buffer, std::size_t length)
{
    std::vector<std::string> items;
    const char* const end = buffer + length;
    for (const char* p = buffer; p < end;) {
        const char* stop = static_cast<const char*>(std::memchr(p, '\0', static_cast<std::size_t>(end - p)));
        items.emplace_back(p, static_cast<std::size_t>((stop ? stop : end) - p));
        p += items.back().size() + 1;
    }
    return items;
}

} // namespace quickdex
