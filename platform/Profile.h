#pragma once
// Access to Windows private-profile (INI) files, shaped exactly like the two
// kernel32 calls so that the store can run on the real calls under Windows and
// on our own engine (platform/portable) everywhere else.
#include <cstdint>

namespace quickdex {

class IProfile {
public:
    virtual ~IProfile() = default;

    // GetPrivateProfileStringA: section == nullptr lists the section names,
    // key == nullptr lists the key names of the section (each name followed by
    // a zero byte, the list closed by another). Returns the number of
    // characters copied, not counting the final zero.
    virtual std::uint32_t GetString(const char* section, const char* key, const char* fallback,
                                    char* buffer, std::uint32_t size, const char* path) = 0;

    // GetPrivateProfileSectionA: the entries of the first section of that
    // name (compared as given, not trimmed), each as "key=value" (a line without '=' as its name alone) and
    // followed by a zero byte, the list closed by another; blank lines and
    // comments are left out, values come as stored (blanks around them
    // trimmed, quotes kept). Returns the characters copied without the final
    // zero, size - 2 when the entries did not fit.
    virtual std::uint32_t GetSection(const char* section, char* buffer, std::uint32_t size, const char* path) = 0;

    // WritePrivateProfileStringA: value == nullptr deletes the key,
    // key == nullptr erases the whole section. Returns false when the file
    // could not be written.
    virtual bool WriteString(const char* section, const char* key, const char* value,
                             const char* path) = 0;
};

} // namespace quickdex
