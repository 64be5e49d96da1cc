#include "platform/win32/Files.h"

#include "platform/win32/Handles.h"
#include "platform/win32/Text.h"

#include <algorithm>
#include <cstdio>
#include <memory>

#include <windows.h>

namespace quickdex::win32 {
namespace {

using win32::Wide;

struct FileCloser {
    void operator()(HANDLE h) const
    {
        if (h && h != INVALID_HANDLE_VALUE)
            CloseHandle(h);
    }
};
using FileHandle = std::unique_ptr<void, FileCloser>;

FileHandle Open(const std::string& path, DWORD access, DWORD share, DWORD disposition, DWORD flags)
{
    HANDLE h = CreateFileW(Wide(path).c_str(), access, share, nullptr, disposition, flags, nullptr);
    return FileHandle(h == INVALID_HANDLE_VALUE ? nullptr : h);
}

// The errors of a file that another program holds open for a moment: a
// scanner, the search indexer or a sync client opens every new file.
bool IsHeld(DWORD error)
{
    switch (error) {
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
    case ERROR_ACCESS_DENIED:
    case ERROR_UNABLE_TO_REMOVE_REPLACED:
    case ERROR_USER_MAPPED_FILE:
        return true;
    default:
        return false;
    }
}

// A name of our own beside the file, not taken yet.
std::string TemporaryName(const std::string& path)
{
    char suffix[48];
    std::snprintf(suffix, sizeof suffix, ".%lx-%lx.tmp", GetCurrentProcessId(), GetTickCount());
    return path + suffix;
}

bool WriteAll(HANDLE file, const std::string& bytes)
{
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0)
            return false;
        done += written;
    }
    return true;
}

// The temporary file, written and flushed to the disk, then read back: a
// disk that fills up during the write does not always say so.
bool WriteChecked(const std::string& temp, const std::string& bytes)
{
    {
        FileHandle out = Open(temp, GENERIC_WRITE, 0, CREATE_NEW, FILE_ATTRIBUTE_NORMAL);
        if (!out || !WriteAll(out.get(), bytes) || !FlushFileBuffers(out.get()))
            return false;
    }
    const FileContent landed = [&] {
        Files files;
        return files.Read(temp);
    }();
    return landed.status == FileContent::Status::Read && landed.bytes == bytes;
}

// Whether the file can be taken out of its place now: a program that holds
// it open without sharing its deletion (a scanner, the indexer) keeps it.
bool DeletableNow(const std::string& path, DWORD& error)
{
    FileHandle probe = Open(path, DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL);
    error = probe ? 0 : GetLastError();
    return probe || !IsHeld(error);
}

} // namespace

FileContent Files::Read(const std::string& path)
{
    // Shared every way: a scanner or an editor may hold the file open.
    FileHandle in = Open(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING,
                         FILE_ATTRIBUTE_NORMAL | FILE_FLAG_SEQUENTIAL_SCAN);
    if (!in) {
        const DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND)
            return {FileContent::Status::Missing, {}};
        return {FileContent::Status::Unreadable, {}};
    }
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(in.get(), &size) || size.QuadPart > (1LL << 30))
        return {FileContent::Status::Unreadable, {}};
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        const DWORD chunk = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - done, 1u << 20));
        if (!ReadFile(in.get(), bytes.data() + done, chunk, &read, nullptr))
            return {FileContent::Status::Unreadable, {}};
        if (read == 0)
            break;
        done += read;
    }
    bytes.resize(done);
    return {FileContent::Status::Read, std::move(bytes)};
}

ReplaceOutcome Files::Replace(const std::string& path, const std::string& bytes)
{
    const DWORD attributes = GetFileAttributesW(Wide(path).c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    // Windows refuses to replace a read-only file by itself, but Wine run as
    // root does not, so the attribute is checked here.
    if (exists && (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        return ReplaceOutcome::ReadOnly;

    const std::string temp = TemporaryName(path);
    if (!WriteChecked(temp, bytes)) {
        const DWORD error = GetLastError();
        DeleteFileW(Wide(temp).c_str());
        return error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT ? ReplaceOutcome::ReadOnly
                                                                           : ReplaceOutcome::Failed;
    }

    // ReplaceFile keeps the old file's attributes (hidden stays hidden),
    // permissions, owner, creation time and identity; a file that does not
    // exist yet is simply moved into place. Wine's ReplaceFile carries no
    // attributes over, so the replacement gets them first: the same result
    // on both.
    if (exists)
        SetFileAttributesW(Wide(temp).c_str(), attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM |
                                                       FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED));
    const DWORD started = GetTickCount();
    for (;;) {
        BOOL done = FALSE;
        DWORD error = 0;
        if (exists && !DeletableNow(path, error)) {
            // Held by another program: asked again in a moment, without a
            // replace that would fail (and, under Wine, leave a file behind).
        } else if (exists) {
            done = ReplaceFileW(Wide(path).c_str(), Wide(temp).c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr, nullptr);
            error = done ? 0 : GetLastError();
            // The old file was moved away and the new one could not take its
            // name: nothing holds the name now, so the new one simply moves in.
            if (!done && error == ERROR_UNABLE_TO_MOVE_REPLACEMENT) {
                done = MoveFileExW(Wide(temp).c_str(), Wide(path).c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
                error = done ? 0 : GetLastError();
            }
        } else {
            done = MoveFileExW(Wide(temp).c_str(), Wide(path).c_str(), MOVEFILE_WRITE_THROUGH);
            error = done ? 0 : GetLastError();
        }
        if (done)
            return ReplaceOutcome::Replaced;
        if (!IsHeld(error) || GetTickCount() - started >= retryMilliseconds) {
            DeleteFileW(Wide(temp).c_str());
            return IsHeld(error) ? ReplaceOutcome::InUse : ReplaceOutcome::Failed;
        }
        Sleep(50);
    }
}

std::string Files::CodePageToUtf8(std::string_view text) const
{
    return Utf8(FromCodePage(text, CP_ACP));
}

std::optional<std::string> Files::Utf8ToCodePage(std::string_view utf8) const
{
    const std::wstring wide = Wide(utf8);
    if (wide.empty())
        return std::string();
    // No best fit: a character the code page has no place for must not
    // become a look-alike or "?".
    BOOL lost = FALSE;
    const int n = WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()),
                                      nullptr, 0, nullptr, &lost);
    if (n <= 0 || lost)
        return std::nullopt;
    std::string text(static_cast<std::size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, wide.data(), static_cast<int>(wide.size()), text.data(), n,
                        nullptr, &lost);
    // And it must read back as it was (a code page without the default
    // character's flag for some characters).
    if (lost || FromCodePage(text, CP_ACP) != wide)
        return std::nullopt;
    return text;
}

} // namespace quickdex::win32
