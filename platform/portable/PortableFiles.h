#pragma once
// Whole-file access on the C++ library's file calls: the native tests and
// fuzz targets, and our profile engine's writes. Its code page is Latin-1
// (ISO 8859-1): every byte is a character, and a character past U+00FF has
// no place in it, as in the code page of a Western Windows.
#include "platform/Files.h"

#include <string>

namespace quickdex {

class PortableFiles final : public IFiles {
public:
    FileContent Read(const std::string& path) override;
    ReplaceOutcome Replace(const std::string& path, const std::string& bytes) override;
    std::string CodePageToUtf8(std::string_view text) const override;
    std::optional<std::string> Utf8ToCodePage(std::string_view utf8) const override;
};

FileContent ReadFileBytes(const std::string& path);

// Replaces the file at `path` with `content` through a temporary file in the
// same folder, checked by reading it back before it takes the file's place.
// Fails, leaving the old file untouched, when the file is read-only, the
// folder cannot take the temporary file, or the disk is full.
ReplaceOutcome ReplaceFileContent(const std::string& path, const std::string& content);

} // namespace quickdex
