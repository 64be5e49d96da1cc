#include "store/Categories.h"

#include "platform/portable/ProfileValue.h"
#include "store/Errors.h"
#include "store/Hotkeys.h"


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

namespace {

// The first [Sort] section, where the profile calls look.
const IniDocument::Section* SortSection(const IniDocument& doc)
{
    for (std::size_t i = 1; i < doc.Sections().size(); ++i)
        if (EqualNoCase(doc.Sections()[i].name, CategorySection))
            return &doc.Sections()[i];
    return nullptr;
}

} // namespace

std::vector<std::string> Categories::ReadCategories() const
{
    const OwnedIni::Content content = ini_.Read();
    const FileTextEncoder file = ini_.EncoderFor(content.encoding);
    const IniDocument doc(content.text);
    std::vector<std::string> names;
    const IniDocument::Section* sort = SortSection(doc);
    if (!sort)
        return names;
    // Every key in file order: lines with '=' that are no comment; a key
    // without a name (written by hand) is an empty name among them.
    for (std::size_t i = sort->first; i < sort->last; ++i) {
        const IniDocument::Line& line = doc.Lines()[i];
        if (line.IsKey() && line.value)
            names.push_back(file.ToUtf8(line.name));
    }
    return names;
}

bool Categories::Change(const std::function<std::string(const IniDocument&, const FileTextEncoder&)>& edit) const
{
    return ini_.Save([&](const IniDocument& doc, const FileTextEncoder& file) -> std::optional<std::string> {
        std::string text = edit(doc, file);
        if (text == doc.Text())
            return std::nullopt;
        return text;
    });
}

namespace {

// The text with `name` written as a key of [Sort] (the section made when
// there is none): after the section's last key, or in place.
std::string WithKey(const IniDocument& doc, const std::string& name)
{
    const IniDocument::Section* sort = SortSection(doc);
    if (!sort)
        return doc.AppendSection(CategorySection, {{name, "0"}});
    return doc.SetValue(*sort, name, "0").value_or(doc.Text());
}

std::string WithoutKey(const IniDocument& doc, const std::string& name)
{
    const IniDocument::Section* sort = SortSection(doc);
    if (!sort)
        return doc.Text();
    return doc.DeleteFirstKey(*sort, name).value_or(doc.Text());
}

} // namespace

bool Categories::AddCategory(const std::string& name) const
{
    CheckName(name);
    if (std::string problem = ListedCategoryProblem(ReadCategories(), name); !problem.empty())
        throw CategoryNameError(problem);
    return Change([&](const IniDocument& doc, const FileTextEncoder& file) { return WithKey(doc, file(name)); });
}

bool Categories::RenameCategory(const std::string& oldName, const std::string& newName) const
{
    CheckName(newName);
    if (std::string problem = ListedCategoryProblem(ReadCategories(), newName, &oldName); !problem.empty())
        throw CategoryNameError(problem);
    // The old key goes and the new one is written after the last key, in
    // one save: the name moves to the end, or nothing changes at all.
    return Change([&](const IniDocument& doc, const FileTextEncoder& file) {
        return WithKey(IniDocument(WithoutKey(doc, file(oldName))), file(newName));
    });
}

void Categories::DeleteCategory(const std::string& name) const
{
    Change([&](const IniDocument& doc, const FileTextEncoder& file) { return WithoutKey(doc, file(name)); });
}

} // namespace quickdex
