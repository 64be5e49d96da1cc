#pragma once
// Whole-file access for the files the program owns: one read of all their
// bytes, and a replace of all of them in one step, so that a save either
// lands whole or leaves the file as it was; and the system's code page, in
// which a file without a byte-order mark holds its text. Paths and texts
// are UTF-8.
#include <optional>
#include <string>
#include <string_view>

namespace quickdex {

struct FileContent {
    enum class Status { Read, Missing, Unreadable } status = Status::Missing;
    std::string bytes; // empty unless read
};

enum class ReplaceOutcome {
    Replaced,
    ReadOnly, // the file, or its folder, may not be written
    InUse,    // another program kept it open past every retry
    Failed,   // anything else: a full disk, a folder that is gone
};

class IFiles {
public:
    virtual ~IFiles() = default;
    virtual FileContent Read(const std::string& path) = 0;
    // Writes `bytes` to a temporary file of our own beside `path` (normal
    // attributes, flushed to disk), checks what landed by reading it back,
    // then puts it in the place of `path` in one step, keeping the old file's
    // attributes, permissions and identity. A missing file is created. While
    // another program holds the file (a scanner, the indexer, a sync client
    // open it for a moment after every change) the last step is retried for
    // about a second. On any failure `path` keeps every byte and no
    // temporary file is left.
    virtual ReplaceOutcome Replace(const std::string& path, const std::string& bytes) = 0;

    // Text of the system's code page as UTF-8, and back: nothing when a
    // character has no place in the code page (it would become "?").
    virtual std::string CodePageToUtf8(std::string_view text) const = 0;
    virtual std::optional<std::string> Utf8ToCodePage(std::string_view utf8) const = 0;
};

} // namespace quickdex
