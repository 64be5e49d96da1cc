#include "platform/portable/PortableFiles.h"
#include "ui/main/ListText.h"

#include <gtest/gtest.h>

namespace quickdex {
namespace {

TEST(ListText, CommaTextQuotesOnlyWhatNeedsIt)
{
    EXPECT_EQ(CommaText({"C:\\Windows\\notepad.exe", "Other"}), "C:\\Windows\\notepad.exe,Other");
    EXPECT_EQ(CommaText({"C:\\Program Files\\a.exe", "My Work"}), "\"C:\\Program Files\\a.exe\",\"My Work\"");
    EXPECT_EQ(CommaText({"say \"hi\"", "a,b"}), "\"say \"\"hi\"\"\",\"a,b\"");
    EXPECT_EQ(CommaText({"tab\there", ""}), "\"tab\there\",");
    EXPECT_EQ(CommaText({"caf\xE9", "x"}), "caf\xE9,x"); // bytes above the blank need no quotes
}

TEST(ListText, DeleteConfirmation)
{
    EXPECT_EQ(DeleteConfirmationText("Ctrl + A", "C:\\Windows\\notepad.exe", "Other"),
              "Are you sure to delete the item \"Ctrl + A: C:\\Windows\\notepad.exe,Other\"?");
    EXPECT_EQ(DeleteConfirmationText("F1", "\"C:\\a b\\x.exe\" -n", "Work, Home"),
              "Are you sure to delete the item \"F1: \"\"\"C:\\a b\\x.exe\"\" -n\",\"Work, Home\"\"?");
}

TEST(ListText, ComparisonFoldsOnlyAsciiLetters)
{
    EXPECT_EQ(CompareListText("abc", "ABC"), 0);
    EXPECT_LT(CompareListText("abc", "abd"), 0);
    EXPECT_LT(CompareListText("ab", "abc"), 0);
    EXPECT_GT(CompareListText("b", "A"), 0);
    EXPECT_LT(CompareListText("Z", "_"), 0);      // 'Z' 0x5A < '_' 0x5F
    EXPECT_GT(CompareListText("_", "a"), 0);      // 'a' folds to 'A' (0x41), below '_' (0x5F)
    EXPECT_GT(CompareListText("\xE9", "\xC9"), 0); // accented letters are not folded
    EXPECT_EQ(CompareListText("", ""), 0);
}

TEST(ListText, SortStateClicks)
{
    ListSortState s;
    s.ColumnClicked(0);
    EXPECT_FALSE(s.SortDescending);
    s.ColumnClicked(0);
    EXPECT_TRUE(s.SortDescending);
    s.ColumnClicked(0);
    EXPECT_FALSE(s.SortDescending);
    s.ColumnClicked(2);
    EXPECT_FALSE(s.SortDescending);
    EXPECT_EQ(s.SortColumn, 2);
    s.ColumnClicked(2);
    EXPECT_GT(s.Compare("a", "b"), 0);
    s.Reset();
    EXPECT_EQ(s.LastSortColumn, -1);
    EXPECT_EQ(s.SortColumn, 2); // kept
    s.ColumnClicked(2);
    EXPECT_FALSE(s.SortDescending);
}

// Texts that fit the code page keep the byte order of the code page (here
// Latin-1: "\xE9" after "z"); a text that does not comes after all of them.
TEST(ListText, SortKeysKeepTheCodePageOrderAndPutOtherTextsAfter)
{
    PortableFiles files;
    const auto key = [&](const std::string& utf8) { return ListSortKey(utf8, files.Utf8ToCodePage(utf8)); };
    const std::vector<std::string> sorted = {"abc", "ABD", "zeta", "\xC3\xA9t\xC3\xA9", "\xC5\x81ukasz",
                                             "\xE4\xB8\xAD", "\xF0\x9F\x98\x80"};
    for (std::size_t i = 0; i + 1 < sorted.size(); ++i) {
        SCOPED_TRACE(sorted[i] + " < " + sorted[i + 1]);
        EXPECT_LT(CompareListText(key(sorted[i]), key(sorted[i + 1])), 0);
        EXPECT_GT(CompareListText(key(sorted[i + 1]), key(sorted[i])), 0);
    }
    EXPECT_EQ(CompareListText(key("abc"), key("ABC")), 0);
}

} // namespace
} // namespace quickdex
