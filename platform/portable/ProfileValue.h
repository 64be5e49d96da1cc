#pragma once
// The text rules of private-profile files (blanks, names compared without
// regard to case, how a single-value read hands a stored value back),
// shared by our INI engine, the store's one-read-per-section load and the
// check of the system's writes. Kept apart from the engine so that using
// them does not bring the engine's file handling along.
#include <cstdint>
#include <string>
#include <string_view>
#include <algorithm>
#include <optional>
#include <vector>

namespace quickdex {

// The blanks the Windows parser strips: C white space plus ^Z, the old DOS
// end-of-file mark found in files copied from floppies and CDs.
bool IsBlank(char c);
std::string TrimBoth(std::string_view s);
// Names compare equal whatever the case of their ASCII letters.
bool EqualNoCase(std::string_view a, std::string_view b);

// Copies `value` into `buffer` of `size` (> 0) characters the way the
// system's calls do: a value enclosed in matching single or double quotes
// loses them, and a value longer than the buffer is cut to size - 1
// characters. Returns the characters copied.
std::uint32_t CopyValue(std::string_view value, bool stripQuotes, char* buffer, std::uint32_t size);

// The items of a list as the profile calls return them (section names, key
// names, a section's entries): each ends in a zero byte, `length` characters
// in all (without the list's closing zero). An empty name among them is an
// item.
std::vector<std::string> ZeroSeparatedList(const char* buffer, std::size_t length);

// A whole list from one of the profile calls, however long: `call(buffer,
// size)` is asked with a buffer that grows from `first` until the list fits.
// The calls return size - 2 when it did not, and also when it just did, which
// the next size tells apart. Nothing when it would not fit in `limit`.
template <class Call>
std::optional<std::vector<std::string>> WholeList(Call call, std::uint32_t first = 65536, std::uint32_t limit = 1u << 30)
{
    std::vector<char> buffer(first);
    for (;;) {
        const auto size = static_cast<std::uint32_t>(buffer.size());
        const std::uint32_t n = call(buffer.data(), size);
        if (n != size - 2)
            return ZeroSeparatedList(buffer.data(), std::min(n, size));
        if (size >= limit)
            return std::nullopt;
        buffer.assign(std::size_t{size} * 2, '\0');
    }
}

// A stored value as a single-value read through a buffer of `size`
// characters gives it back.
std::string ValueAsRead(std::string_view stored, std::uint32_t size);

} // namespace quickdex
