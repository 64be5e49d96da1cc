#include "platform/portable/PortableFiles.h"

#include "platform/portable/Utf.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>
#include <system_error>

#ifdef _WIN32
#include <io.h>
#else
#include <unistd.h>
#endif

namespace quickdex {
namespace {

namespace fs = std::filesystem;

bool WriteFlushed(const fs::path& file, const std::string& content)
{
    std::FILE* out = std::fopen(file.string().c_str(), "wb");
    if (!out)
        return false;
    bool ok = std::fwrite(content.data(), 1, content.size(), out) == content.size();
    ok = std::fflush(out) == 0 && ok;
#ifdef _WIN32
    ok = _commit(_fileno(out)) == 0 && ok;
#else
    ok = fsync(fileno(out)) == 0 && ok;
#endif
    return std::fclose(out) == 0 && ok;
}

} // namespace

FileContent ReadFileBytes(const std::string& path)
{
    std::error_code ec;
    if (!fs::exists(fs::u8path(path), ec))
        return {FileContent::Status::Missing, {}};
    std::ifstream in(fs::u8path(path), std::ios::binary | std::ios::ate);
    if (!in)
        return {FileContent::Status::Unreadable, {}};
    const std::streamoff size = in.tellg();
    if (size < 0)
        return {FileContent::Status::Unreadable, {}};
    std::string bytes(static_cast<std::size_t>(size), '\0');
    in.seekg(0);
    if (!in.read(bytes.data(), size))
        return {FileContent::Status::Unreadable, {}};
    return {FileContent::Status::Read, std::move(bytes)};
}

ReplaceOutcome ReplaceFileContent(const std::string& path, const std::string& content)
{
    std::error_code ec;
    const fs::path file = fs::u8path(path);
    const fs::file_status st = fs::status(file, ec);
    if (fs::exists(st) &&
        (!fs::is_regular_file(st) || (st.permissions() & fs::perms::owner_write) == fs::perms::none))
        return ReplaceOutcome::ReadOnly;

    static std::mt19937_64 rng{std::random_device{}()};
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, ".%08llx.tmp", static_cast<unsigned long long>(rng() & 0xFFFFFFFFu));
    const fs::path temp = fs::u8path(path + suffix);

    // What the disk took is read back: a disk that fills up during the write
    // does not always say so.
    bool ok = WriteFlushed(temp, content);
    if (ok) {
        const FileContent landed = ReadFileBytes(temp.string());
        ok = landed.status == FileContent::Status::Read && landed.bytes == content;
    }
    if (ok) {
        if (fs::exists(st))
            fs::permissions(temp, st.permissions(), ec);
        fs::rename(temp, file, ec);
        ok = !ec;
    }
    if (!ok)
        fs::remove(temp, ec);
    return ok ? ReplaceOutcome::Replaced : ReplaceOutcome::Failed;
}

FileContent PortableFiles::Read(const std::string& path)
{
    return ReadFileBytes(path);
}

ReplaceOutcome PortableFiles::Replace(const std::string& path, const std::string& bytes)
{
    return ReplaceFileContent(path, bytes);
}

std::string PortableFiles::CodePageToUtf8(std::string_view text) const
{
    std::u16string units;
    for (char c : text)
        units += static_cast<char16_t>(static_cast<unsigned char>(c));
    return Utf16ToUtf8(units);
}

std::optional<std::string> PortableFiles::Utf8ToCodePage(std::string_view utf8) const
{
    std::string text;
    for (char16_t unit : Utf8ToUtf16(utf8)) {
        if (unit > 0xFF)
            return std::nullopt;
        text += static_cast<char>(unit);
    }
    return text;
}

} // namespace quickdex
