#pragma once
// The text rules of private-profile files (blanks, names compared without
// regard to case, how a single-value read hands a stored value back),
// shared by our INI engine, the store's one-read-per-section load and the
// check of the system's writes. Kept apart from the engine so that using
// them does not bring the engine's file handling along.
#include <cstdint>
#include <string>
#include <string_view>

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

// A stored value as a single-value read through a buffer of `size`
// characters gives it back.
std::string ValueAsRead(std::string_view stored, std::uint32_t size);

} // namespace quickdex
