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

    // WritePrivateProfileStringA: value == nullptr deletes the key,
    // key == nullptr erases the whole section. Returns false when the file
    // could not be written.
    virtual bool WriteString(const char* section, const char* key, const char* value,
                             const char* path) = 0;
};

} // namespace quickdex
