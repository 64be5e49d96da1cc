#pragma once
// An INI file the program owns (hotkey.ini, Set.ini), read whole and saved
// whole, in the encoding it has:
//   - no byte-order mark: the system's code page, as the system's profile
//     calls read it (a UTF-8 file without a mark too: no guessing);
//   - the UTF-16 mark (FF FE): UTF-16, little-endian;
//   - the UTF-8 mark: UTF-8, the mark kept.
// A file in the code page stays so, byte for byte outside the lines an edit
// changes, as long as every text fits the code page. A save that holds a
// character the code page has no place for turns the file into UTF-16 with
// its mark, which the system's calls read and write as such, after keeping
// the old file beside it as "<name>.bak". Nothing ever becomes "?".
#include "platform/Files.h"
#include "platform/portable/IniDocument.h"

#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace quickdex {

enum class FileEncoding { CodePage, Utf8, Utf16 };

// A text of the program (UTF-8) as the file holds it.
class FileTextEncoder {
public:
    FileTextEncoder(const IFiles& files, FileEncoding encoding) : files_(files), encoding_(encoding) {}
    FileEncoding Encoding() const { return encoding_; }
    // Throws NotInCodePage for a text the code page has no place for.
    std::string operator()(std::string_view utf8) const;
    // A stored value as the program reads it: quotes dropped, cut to the
    // 2,047 characters a load takes, as UTF-8.
    std::string ValueAsRead(std::string_view stored) const;
    // A text of the file (a key's name) as UTF-8.
    std::string ToUtf8(std::string_view text) const;

private:
    const IFiles& files_;
    FileEncoding encoding_;
};

class NotInCodePage : public std::runtime_error {
public:
    NotInCodePage() : std::runtime_error("a character the code page has no place for") {}
};

// The notice a conversion to UTF-16 gets, once: the file at `path` now keeps
// its text as Unicode, and its old bytes are beside it.
std::string UnicodeNotice(const std::string& path);

class OwnedIni {
public:
    OwnedIni(IFiles& files, std::string path) : files_(files), path_(std::move(path)) {}

    const std::string& Path() const { return path_; }

    struct Content {
        FileEncoding encoding = FileEncoding::CodePage;
        std::string text; // in the file's encoding, UTF-16 as UTF-8
    };
    // A missing file is an empty one; one that cannot be read throws
    // ReadError.
    Content Read() const;
    FileTextEncoder EncoderFor(FileEncoding encoding) const { return FileTextEncoder(files_, encoding); }

    // One save: `edit` gives the file's new text from its parsed text (and
    // may throw to refuse: nothing is written), or nothing when nothing
    // changes. It is asked again on the text in UTF-8 when a text it
    // writes does not fit the code page, and the file becomes UTF-16.
    // Returns whether it did. Throws WriteError when the file refuses.
    using Edit = std::function<std::optional<std::string>(const IniDocument& doc, const FileTextEncoder& encode)>;
    bool Save(const Edit& edit) const;

private:
    void Put(const std::string& path, const std::string& bytes) const;

    IFiles& files_;
    std::string path_;
};

} // namespace quickdex
