#pragma once
// The list of category names in Set.ini, section [Sort]: one key per name,
// each with the value "0", in the order the user added them. Set.ini is read
// and saved whole, in its own encoding, like hotkey.ini (store/OwnedIni.h).
// Nothing here reads or writes hotkey.ini.
#include "platform/Files.h"
#include "store/OwnedIni.h"

#include <functional>

#include <string>
#include <vector>

namespace quickdex {

inline constexpr const char* CategoryFileName = "Set.ini";
inline constexpr const char* CategorySection = "Sort";

// What keeps `name` from being stored as a category and read back as
// typed, as a sentence to show the user; empty when nothing does. A key
// cannot be empty, hold "=" or a line break, begin or end with a blank (the
// file's reader trims them), or begin with ";" (a comment) or "[" (a
// section header).
std::string CategoryNameProblem(const std::string& name);

// What keeps `name` from being added to the categories `listed`: the
// sentence to show when one of them names the same key (the file compares
// keys trimmed and without regard to case); empty when none does.
// `renaming`, when given, is the listed name being renamed, which may
// become `name` in another case.
std::string ListedCategoryProblem(const std::vector<std::string>& listed, const std::string& name,
                                  const std::string* renaming = nullptr);

class Categories {
public:
    // `exeDir` ends in a backslash.
    Categories(IFiles& files, const std::string& exeDir) : ini_(files, exeDir + CategoryFileName) {}

    // The names in file order; a missing file or section gives none. A key
    // without a name (written by hand) is listed as an empty name, wherever
    // it stands.
    std::vector<std::string> ReadCategories() const;
    // Throws CategoryNameError for a name CategoryNameProblem refuses or a
    // name listed already, with the file untouched, and WriteError when the
    // file refuses.
    // Returns whether Set.ini became UTF-16 to keep a name its code page has
    // no place for (its old bytes kept as Set.ini.bak), as RenameCategory.
    bool AddCategory(const std::string& name) const;
    // The old key goes and the new one is written, so the name moves to the
    // end. The new name is checked as AddCategory checks it (it may be the
    // old one in another case) before anything is changed, and a refused
    // write or erase throws WriteError with the file as it was.
    bool RenameCategory(const std::string& oldName, const std::string& newName) const;
    // A refused delete throws WriteError.
    void DeleteCategory(const std::string& name) const;

    const std::string& Path() const { return ini_.Path(); }

private:
    bool Change(const std::function<std::string(const IniDocument&, const FileTextEncoder&)>& edit) const;

    OwnedIni ini_;
};

} // namespace quickdex
