#include "platform/portable/Utf.h"

#include <algorithm>

namespace quickdex {
namespace {

constexpr char32_t Replacement = 0xFFFD;

// The character starting at `i`, and how many bytes it takes.
char32_t DecodeAt(std::string_view s, std::size_t i, std::size_t& length)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char first = byte(i);
    length = 1;
    if (first < 0x80)
        return first;
    std::size_t need = 0;
    char32_t c = 0;
    char32_t least = 0;
    if ((first & 0xE0) == 0xC0) {
        need = 1, c = first & 0x1F, least = 0x80;
    } else if ((first & 0xF0) == 0xE0) {
        need = 2, c = first & 0x0F, least = 0x800;
    } else if ((first & 0xF8) == 0xF0) {
        need = 3, c = first & 0x07, least = 0x10000;
    } else {
        return Replacement;
    }
    for (std::size_t k = 1; k <= need; ++k) {
        if (i + k >= s.size() || (byte(i + k) & 0xC0) != 0x80)
            return Replacement;
        c = (c << 6) | (byte(i + k) & 0x3F);
    }
    if (c < least || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return Replacement;
    length = need + 1;
    return c;
}

void AppendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

} // namespace

std::u16string Utf8ToUtf16(std::string_view utf8)
{
    std::u16string out;
    out.reserve(utf8.size());
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t length = 1;
        const char32_t c = DecodeAt(utf8, i, length);
        i += length;
        if (c >= 0x10000) {
            out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
            out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
        } else {
            out += static_cast<char16_t>(c);
        }
    }
    return out;
}

std::string Utf16ToUtf8(std::u16string_view utf16)
{
    std::string out;
    out.reserve(utf16.size());
    for (std::size_t i = 0; i < utf16.size(); ++i) {
        char32_t c = utf16[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < utf16.size() && utf16[i + 1] >= 0xDC00 && utf16[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (utf16[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = Replacement;
        }
        AppendUtf8(out, c);
    }
    return out;
}

std::size_t Utf16Length(std::string_view utf8)
{
    std::size_t units = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        std::size_t length = 1;
        units += DecodeAt(utf8, i, length) >= 0x10000 ? 2 : 1;
        i += length;
    }
    return units;
}

std::string CutToUtf16Units(std::string_view utf8, std::size_t units)
{
    std::size_t i = 0;
    std::size_t taken = 0;
    while (i < utf8.size()) {
        std::size_t length = 1;
        const std::size_t need = DecodeAt(utf8, i, length) >= 0x10000 ? 2 : 1;
        if (taken + need > units)
            break;
        taken += need;
        i += length;
    }
    return std::string(utf8.substr(0, i));
}

bool IsAscii(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](char c) { return static_cast<unsigned char>(c) < 0x80; });
}

} // namespace quickdex
