#pragma once
// hotkey.ini files whose list of section names meets the end of the
// 16,384-byte name buffer in each way that matters. Shared by the native
// tests (our engine) and the Windows tests (the system's calls).
#include <string>

namespace quickdex::test {

// The name of binding `i` (Alt + key 65 + i), `length` characters long: the
// key's digits padded with zeros, which still decode to the same number.
inline std::string PaddedSectionName(int i, std::size_t length)
{
    const std::string key = std::to_string(65 + i);
    std::string name = "1+";
    name.append(length - 2 - key.size(), '0');
    return name + key;
}

// 63 names of 255 characters (16,128 bytes with their zeros), then a 64th
// of `lastLength` characters, then `after` as a further section when not
// empty. In a buffer of 16,384 bytes the 64th name's zero lands on byte
// 16,128 + lastLength: up to byte 16,382 the name is whole, past it cut.
inline std::string FillingSectionList(std::size_t lastLength, const std::string& after)
{
    std::string text;
    for (int i = 0; i < 64; ++i)
        text += "[" + PaddedSectionName(i, i < 63 ? 255 : lastLength) + "]\r\nAction=tool" + std::to_string(i) + ".exe\r\n";
    if (!after.empty())
        text += "[" + after + "]\r\nAction=after.exe\r\n";
    return text;
}

struct FillingCase {
    const char* what;
    std::size_t lastLength;
    const char* after;
    int complete; // the names that come back whole
};

// Each way the list can end at the buffer's edge, and the names a reader
// must keep: every whole name, never a cut one.
inline constexpr FillingCase FillingCases[] = {
    {"a short name cut after the last whole one", 252, "9+9", 64},
    {"cut between two names", 253, "9+9", 64},
    {"the list ends on the last byte", 253, "", 64},
    {"the last name fills the buffer exactly", 254, "", 64},
    {"exact fit with more names after it", 254, "9+9", 64},
    {"the last name cut by one character", 255, "", 63},
    {"the last name cut, more after it", 300, "9+9", 63},
};

} // namespace quickdex::test
