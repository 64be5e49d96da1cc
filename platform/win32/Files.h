#pragma once
// Whole-file access on the Windows calls (see platform/Files.h): paths of
// any script, and the system's code page (CP_ACP).
#include "platform/Files.h"

#include <functional>

namespace quickdex::win32 {

class Files final : public IFiles {
public:
    FileContent Read(const std::string& path) override;
    ReplaceOutcome Replace(const std::string& path, const std::string& bytes) override;
    std::string CodePageToUtf8(std::string_view text) const override;
    std::optional<std::string> Utf8ToCodePage(std::string_view utf8) const override;

    // How long a file held by another program is waited for, in all.
    unsigned retryMilliseconds = 1200;
};

} // namespace quickdex::win32
