#include "store/OwnedIni.h"

#include "platform/portable/ProfileValue.h"
#include "platform/portable/Utf.h"
#include "store/Errors.h"
#include "store/Hotkeys.h"

namespace quickdex {
namespace {

constexpr std::string_view Utf16Mark = "\xFF\xFE";

constexpr const char* InUseCause =
    "another program keeps the file open (a virus scanner, the search indexer or a sync client). "
    "Nothing was changed; try again in a moment";

OwnedIni::Content Decode(std::string bytes)
{
    if (bytes.compare(0, Utf16Mark.size(), Utf16Mark) == 0) {
        std::u16string units((bytes.size() - 2) / 2, u'\0');
        for (std::size_t i = 0; i < units.size(); ++i)
            units[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 + 2 * i]) |
                                             static_cast<unsigned char>(bytes[3 + 2 * i]) << 8);
        return {FileEncoding::Utf16, Utf16ToUtf8(units)};
    }
    if (bytes.compare(0, 3, Utf8Mark) == 0)
        return {FileEncoding::Utf8, std::move(bytes)};
    return {FileEncoding::CodePage, std::move(bytes)};
}

std::string Encode(FileEncoding encoding, const std::string& text)
{
    if (encoding != FileEncoding::Utf16)
        return text;
    std::string bytes(Utf16Mark);
    for (char16_t unit : Utf8ToUtf16(text)) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

} // namespace

std::string UnicodeNotice(const std::string& path)
{
    const std::size_t sep = path.find_last_of("\\/");
    const std::string name = sep == std::string::npos ? path : path.substr(sep + 1);
    return path + " now keeps its text as Unicode (UTF-16), so that every character of it is kept. The file as it "
                  "was is kept beside it as " + name + ".bak.";
}

std::string FileTextEncoder::operator()(std::string_view utf8) const
{
    if (encoding_ != FileEncoding::CodePage || IsAscii(utf8))
        return std::string(utf8);
    std::optional<std::string> text = files_.Utf8ToCodePage(utf8);
    if (!text)
        throw NotInCodePage();
    return std::move(*text);
}

std::string FileTextEncoder::ValueAsRead(std::string_view stored) const
{
    if (encoding_ != FileEncoding::CodePage)
        return CutToUtf16Units(quickdex::ValueAsRead(stored, static_cast<std::uint32_t>(stored.size() + 2)),
                               ValueBufferSize - 1);
    return ToUtf8(quickdex::ValueAsRead(stored, ValueBufferSize));
}

std::string FileTextEncoder::ToUtf8(std::string_view text) const
{
    if (encoding_ != FileEncoding::CodePage || IsAscii(text))
        return std::string(text);
    return files_.CodePageToUtf8(text);
}

OwnedIni::Content OwnedIni::Read() const
{
    FileContent content = files_.Read(path_);
    if (content.status == FileContent::Status::Unreadable)
        throw ReadError(path_);
    return Decode(std::move(content.bytes));
}

void OwnedIni::Put(const std::string& path, const std::string& bytes) const
{
    switch (files_.Replace(path, bytes)) {
    case ReplaceOutcome::Replaced:
        return;
    case ReplaceOutcome::InUse:
        throw WriteError(path, InUseCause);
    case ReplaceOutcome::ReadOnly:
    case ReplaceOutcome::Failed:
        break;
    }
    throw WriteError(path);
}

bool OwnedIni::Save(const Edit& edit) const
{
    FileContent before = files_.Read(path_);
    if (before.status == FileContent::Status::Unreadable)
        throw WriteError(path_);
    const Content content = Decode(before.bytes);
    try {
        const std::optional<std::string> text = edit(IniDocument(content.text), EncoderFor(content.encoding));
        if (text)
            Put(path_, Encode(content.encoding, *text));
        return false;
    } catch (const NotInCodePage&) {
    }
    // A character the code page has no place for: the whole file becomes
    // UTF-16, the old one kept beside it first.
    const std::string utf8 = files_.CodePageToUtf8(content.text);
    const std::optional<std::string> text = edit(IniDocument(utf8), EncoderFor(FileEncoding::Utf16));
    const std::string bytes = Encode(FileEncoding::Utf16, text.value_or(utf8));
    if (before.status == FileContent::Status::Read)
        Put(path_ + ".bak", before.bytes);
    Put(path_, bytes);
    return before.status == FileContent::Status::Read;
}

} // namespace quickdex
