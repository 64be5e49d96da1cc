#pragma once
// The text of a private-profile (INI) file, parsed by the rules the Windows
// parser follows, and the edits that change one thing and keep every other
// byte: a value replaced in place, a key added after its section's last key,
// a key or a whole section taken out, a section added at the end.
//
// Our profile engine answers the profile calls from it, and the store reads
// and writes hotkey.ini through it directly: one read of the file gives
// every section, the second of two sections of one name included, which
// the profile calls cannot address.
#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace quickdex {

inline constexpr const char* Utf8Mark = "\xEF\xBB\xBF";

class IniDocument {
public:
    // One physical line. A line ends at CR LF, LF or a lone CR.
    struct Line {
        std::size_t begin = 0; // first byte of the line
        std::size_t end = 0;   // where the line break (or the file) starts
        std::size_t next = 0;  // first byte of the following line
        enum class Kind { Blank, Header, Entry } kind = Kind::Blank;
        std::string name;                  // section name, or key name (trimmed)
        std::optional<std::string> value;  // entries with '=' only (trimmed, quotes kept)
        std::size_t valueBegin = 0;        // where the value starts, for rewrites

        // A line that holds a key (with or without '='; "=value" is a key
        // with an empty name), not a comment or blank.
        bool IsKey() const;
    };

    // Sections()[0] holds the lines before the first header and has no
    // header of its own; every other section starts at its header line.
    struct Section {
        std::string name;       // trimmed; empty for the unnamed first one
        std::size_t header = 0; // index of the header line
        std::size_t first = 0;  // first line after the header
        std::size_t last = 0;   // one past the section's last line
    };

    explicit IniDocument(std::string text);

    const std::string& Text() const { return text_; }
    const std::vector<Line>& Lines() const { return lines_; }
    const std::vector<Section>& Sections() const { return sections_; }
    // The line ending the file already uses, so that added lines match it.
    std::string Eol() const;

    // The first line of the section whose key is `trimmedKey` (case
    // ignored), as every read finds it.
    const Line* FindKey(const Section& section, const std::string& trimmedKey) const;

    // --- Edits: each returns the whole new text --------------------------
    // Key `key` of `section` set to `value`: the first line of that name
    // gets the value in place (name and blanks before the value as they
    // stand), or a new line goes after the section's last key. Nothing when
    // the line holds that value already.
    std::optional<std::string> SetValue(const Section& section, const std::string& key, const std::string& value) const;
    // Every line of the section with that key taken out; nothing when there is none.
    std::optional<std::string> DeleteKey(const Section& section, const std::string& key) const;
    // The first line of that key taken out, as the profile call deletes it.
    std::optional<std::string> DeleteFirstKey(const Section& section, const std::string& key) const;
    // The section taken out: its header and its lines up to its last key.
    // Blank lines and comments after that stay, as they usually introduce
    // what follows.
    std::string EraseSection(const Section& section) const;
    // A new section at the end of the file, with its keys in order.
    std::string AppendSection(const std::string& name,
                              const std::vector<std::pair<std::string, std::string>>& keys) const;

private:
    void Parse();
    void Classify(Line& line) const;
    std::string WithoutLines(std::size_t first, std::size_t last) const;

    std::string text_;
    std::vector<Line> lines_;
    std::vector<Section> sections_;
};

} // namespace quickdex
