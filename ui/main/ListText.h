#pragma once
// The texts and the order of the main window's list, kept free of the
// system so that they are tested natively.
#include <optional>
#include <string>
#include <vector>

namespace quickdex {

// Items joined by ",", each in double quotes (inner quotes doubled) when it
// holds a blank or control character, a double quote or a comma.
std::string CommaText(const std::vector<std::string>& items);

// "Are you sure to delete the item "<caption>: <action>,<sort>"?"
std::string DeleteConfirmationText(const std::string& caption, const std::string& action, const std::string& sort);

// Byte-wise comparison folding only a-z to A-Z; a prefix sorts first.
// Negative, zero or positive like strcmp.
int CompareListText(const std::string& a, const std::string& b);

// What a row's text is sorted by: its bytes in the system's code page when
// it fits there (the order rows always had), and after every such text, a
// text with a character outside the code page, in Unicode order.
std::string ListSortKey(const std::string& utf8, const std::optional<std::string>& inCodePage);

// The list's sort state: which column the rows are compared by, the column
// clicked last and the direction.
struct ListSortState {
    int SortColumn = 0;
    int LastSortColumn = -1;
    bool SortDescending = false;

    // A click on column c: the same column again reverses, another sorts up.
    void ColumnClicked(int column);
    // After Add, Change and Delete the rows come back in slot order.
    void Reset();
    // The comparison of two rows' texts in the current column and direction.
    int Compare(const std::string& first, const std::string& second) const;
};

} // namespace quickdex
