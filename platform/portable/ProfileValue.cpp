#include "platform/portable/ProfileValue.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace quickdex {

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

} // namespace quickdex
