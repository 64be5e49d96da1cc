#include "store/Categories.h"

#include "store/Hotkeys.h"

#include <cstring>

namespace quickdex {

std::vector<std::string> Categories::ReadCategories() const
{
    std::vector<char> buffer(NameListBufferSize, '\0');
    const std::uint32_t n =
        profile_.GetString(CategorySection, nullptr, "", buffer.data(), NameListBufferSize, path_.c_str());
    std::vector<std::string> names;
    // Names follow each other zero-terminated, up to the length returned; a
    // category may be an empty name.
    for (const char* p = buffer.data(); p < buffer.data() + n; p += std::strlen(p) + 1)
        names.emplace_back(p);
    return names;
}

void Categories::AddCategory(const std::string& name) const
{
    WriteValue(profile_, path_, CategorySection, name.c_str(), "0");
}

void Categories::RenameCategory(const std::string& oldName, const std::string& newName) const
{
    DeleteCategory(oldName);
    AddCategory(newName);
}

void Categories::DeleteCategory(const std::string& name) const
{
    profile_.WriteString(CategorySection, name.c_str(), nullptr, path_.c_str());
}

} // namespace quickdex
