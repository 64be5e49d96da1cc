#pragma once
// Our own private-profile engine, for systems without the Windows calls.
//
// It answers reads exactly as the Windows calls do on the points the program
// relies on (section order, first match wins, case-insensitive names, blanks
// trimmed around names and values, matching quotes stripped from values,
// defaults, the truncation rules of a short buffer), and it writes surgically:
// only the line a write concerns changes; every other line, comments and blank
// lines included, stays byte for byte. A write never leaves a half-written
// file: the new text goes to a temporary file beside the old one, which is
// then renamed over it.
#include "platform/Profile.h"

#include <string>

namespace quickdex {

class PortableProfile final : public IProfile {
public:
    std::uint32_t GetString(const char* section, const char* key, const char* fallback, char* buffer,
                            std::uint32_t size, const char* path) override;
    std::uint32_t GetSection(const char* section, char* buffer, std::uint32_t size, const char* path) override;
    bool WriteString(const char* section, const char* key, const char* value, const char* path) override;
};

} // namespace quickdex
