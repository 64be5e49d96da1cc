#pragma once
// UTF-8, the program's own encoding of text, to and from UTF-16, the
// encoding of the Windows calls and of Unicode INI files. Ill-formed input
// is not refused: each byte or unit that forms no character becomes U+FFFD.
#include <string>
#include <string_view>

namespace quickdex {

std::u16string Utf8ToUtf16(std::string_view utf8);
std::string Utf16ToUtf8(std::u16string_view utf16);

// How many UTF-16 units the text takes: what Windows counts as its length.
std::size_t Utf16Length(std::string_view utf8);
// The text cut to at most `units` UTF-16 units, never inside a character.
std::string CutToUtf16Units(std::string_view utf8, std::size_t units);

// Whether every byte is below 0x80: text that reads the same in every code
// page and in UTF-8.
bool IsAscii(std::string_view text);

} // namespace quickdex
