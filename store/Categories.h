#pragma once
// The list of category names in Set.ini, section [Sort]: one key per name,
// each with the value "0", in the order the user added them. Nothing here
// reads or writes hotkey.ini.
#include "platform/Profile.h"

#include <string>
#include <vector>

namespace quickdex {

inline constexpr const char* CategoryFileName = "Set.ini";
inline constexpr const char* CategorySection = "Sort";

class Categories {
public:
    // `exeDir` ends in a backslash.
    Categories(IProfile& profile, const std::string& exeDir) : profile_(profile), path_(exeDir + CategoryFileName) {}

    // The names in file order; a missing file or section gives none.
    std::vector<std::string> ReadCategories() const;
    // Throws WriteError when the file refuses.
    void AddCategory(const std::string& name) const;
    // Deletes the old key, then writes the new one: the name moves to the end.
    void RenameCategory(const std::string& oldName, const std::string& newName) const;
    // A refused delete is not reported.
    void DeleteCategory(const std::string& name) const;

    const std::string& Path() const { return path_; }

private:
    IProfile& profile_;
    std::string path_;
};

} // namespace quickdex
