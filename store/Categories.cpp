#include "store/Categories.h"

#include "platform/portable/ProfileValue.h"
#include "store/Errors.h"
#include "store/Hotkeys.h"

#include <cstring>

namespace quickdex {

std::string CategoryNameProblem(const std::string& name)
{
    if (name.empty())
        return "A category name cannot be empty.";
    if (IsBlank(name.front()) || IsBlank(name.back()))
        return "A category name cannot begin or end with a blank.";
    if (name.front() == ';' || name.front() == '[')
        return "A category name cannot begin with \";\" or \"[\".";
    if (name.find('=') != std::string::npos)
        return "A category name cannot contain \"=\".";
    if (name.find_first_of("\r\n") != std::string::npos)
        return "A category name cannot contain a line break.";
    return {};
}

std::string ListedCategoryProblem(const std::vector<std::string>& listed, const std::string& name,
                                  const std::string* renaming)
{
    const std::string key = TrimBoth(name);
    if (renaming && EqualNoCase(TrimBoth(*renaming), key))
        return {}; // the same key, perhaps in another case
    for (const std::string& other : listed)
        if (EqualNoCase(TrimBoth(other), key))
            return "The category \"" + other + "\" is in the list already.";
    return {};
}

namespace {

void CheckName(const std::string& name)
{
    if (std::string problem = CategoryNameProblem(name); !problem.empty())
        throw CategoryNameError(problem);
}

} // namespace

std::vector<std::string> Categories::ReadCategories() const
{
    std::vector<char> buffer(NameListBufferSize, '\0');
    const std::uint32_t n =
        profile_.GetString(CategorySection, nullptr, "", buffer.data(), NameListBufferSize, path_.c_str());
    // A list that starts with a key without a name reads as no list at all
    // (the call then hands back the default): the section's entries say
    // whether that is so.
    if (n == 0)
        return KeysOfSection();
    std::vector<std::string> names;
    // Names follow each other zero-terminated, up to the length returned; a
    // key without a name further on is an empty name among them.
    for (const char* p = buffer.data(); p < buffer.data() + n; p += std::strlen(p) + 1)
        names.emplace_back(p);
    return names;
}

// The key names of [Sort] taken from its entries ("name=value"), as far as
// the name list's buffer would hold them whole.
std::vector<std::string> Categories::KeysOfSection() const
{
    std::vector<char> buffer(NameListBufferSize);
    std::uint32_t n = 0;
    for (;;) {
        const auto size = static_cast<std::uint32_t>(buffer.size());
        n = profile_.GetSection(CategorySection, buffer.data(), size, path_.c_str());
        if (n != size - 2 || size >= NameListBufferSize * 64u)
            break;
        buffer.assign(std::size_t{size} * 2, '\0'); // not all of it fitted
    }
    std::vector<std::string> names;
    std::size_t used = 1; // the list's closing zero
    for (const char* p = buffer.data(); p < buffer.data() + n; p += std::strlen(p) + 1) {
        const char* equals = std::strchr(p, '=');
        if (!equals)
            continue; // a line without '=' is no key
        std::string name = TrimBoth(std::string_view(p, static_cast<std::size_t>(equals - p)));
        if (!name.empty() && name.front() == ';')
            continue;
        used += name.size() + 1;
        if (used > NameListBufferSize)
            break;
        names.push_back(std::move(name));
    }
    return names;
}

bool Categories::HasKey(const std::string& name) const
{
    // A default no stored value reads back as: a value never holds a line
    // break.
    char value[4] = {};
    profile_.GetString(CategorySection, name.c_str(), "\n", value, sizeof value, path_.c_str());
    return std::strcmp(value, "\n") != 0;
}

void Categories::Write(const std::string& name) const
{
    WriteValue(profile_, path_, CategorySection, name.c_str(), "0");
}

void Categories::Erase(const std::string& name) const
{
    if (!profile_.WriteString(CategorySection, name.c_str(), nullptr, path_.c_str()))
        throw WriteError(path_);
}

void Categories::AddCategory(const std::string& name) const
{
    CheckName(name);
    if (std::string problem = ListedCategoryProblem(ReadCategories(), name); !problem.empty())
        throw CategoryNameError(problem);
    Write(name);
}

void Categories::RenameCategory(const std::string& oldName, const std::string& newName) const
{
    CheckName(newName);
    if (std::string problem = ListedCategoryProblem(ReadCategories(), newName, &oldName); !problem.empty())
        throw CategoryNameError(problem);
    if (!HasKey(newName)) {
        // A key the section does not hold yet: writing it first appends it,
        // and erasing the old one after gives the same file as the other
        // order, but a refused write leaves the old name in place. A refused
        // erase takes the new key out again.
        Write(newName);
        try {
            Erase(oldName);
        } catch (const WriteError&) {
            profile_.WriteString(CategorySection, newName.c_str(), nullptr, path_.c_str());
            throw;
        }
        return;
    }
    // The new name is the old key in another case (or unchanged): it must
    // go first to move to the end. The write then puts back as much as was
    // erased; should it be refused, the old name is put back.
    Erase(oldName);
    try {
        Write(newName);
    } catch (const WriteError&) {
        profile_.WriteString(CategorySection, oldName.c_str(), "0", path_.c_str());
        throw;
    }
}

void Categories::DeleteCategory(const std::string& name) const
{
    Erase(name);
}

} // namespace quickdex
