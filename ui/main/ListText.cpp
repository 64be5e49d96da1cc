#include "ui/main/ListText.h"

namespace quickdex {

std::string CommaText(const std::vector<std::string>& items)
{
    std::string out;
    for (std::size_t i = 0; i < items.size(); ++i) {
        if (i)
            out += ',';
        const std::string& item = items[i];
        bool quote = false;
        for (unsigned char c : item)
            if ((c >= 1 && c <= ' ') || c == '"' || c == ',')
                quote = true;
        if (!quote) {
            out += item;
            continue;
        }
        out += '"';
        for (char c : item) {
            if (c == '"')
                out += '"';
            out += c;
        }
        out += '"';
    }
    return out;
}

std::string DeleteConfirmationText(const std::string& caption, const std::string& action, const std::string& sort)
{
    return "Are you sure to delete the item \"" + caption + ": " + CommaText({action, sort}) + "\"?";
}

int CompareListText(const std::string& a, const std::string& b)
{
    auto fold = [](unsigned char c) { return (c >= 'a' && c <= 'z') ? c - 'a' + 'A' : c; };
    const std::size_t common = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < common; ++i) {
        const int x = fold(static_cast<unsigned char>(a[i]));
        const int y = fold(static_cast<unsigned char>(b[i]));
        if (x != y)
            return x < y ? -1 : 1;
    }
    if (a.size() == b.size())
        return 0;
    return a.size() < b.size() ? -1 : 1;
}

std::string ListSortKey(const std::string& utf8, const std::optional<std::string>& inCodePage)
{
    return inCodePage ? "\x01" + *inCodePage : "\x02" + utf8;
}

void ListSortState::ColumnClicked(int column)
{
    SortDescending = column == LastSortColumn ? !SortDescending : false;
    LastSortColumn = column;
    SortColumn = column;
}

void ListSortState::Reset()
{
    SortDescending = false;
    LastSortColumn = -1;
}

int ListSortState::Compare(const std::string& first, const std::string& second) const
{
    return SortDescending ? CompareListText(second, first) : CompareListText(first, second);
}

} // namespace quickdex
