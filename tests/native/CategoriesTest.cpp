// Set.ini through our engine: names a key cannot hold, keys without a name.
#include "platform/portable/PortableFiles.h"
#include "store/Categories.h"
#include "store/Errors.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace quickdex {
namespace {

using Names = std::vector<std::string>;

class CategoriesTest : public ::testing::Test {
protected:
    test::TempDir dir;
    PortableFiles files;
    Categories categories{files, dir.Dir()};
};

// A name the file cannot hold as typed is refused before anything is
// written or deleted, with an error that says why, not that the disk failed.
TEST_F(CategoriesTest, NamesAKeyCannotHoldAreRefusedAndNothingChanges)
{
    const std::string original = "[Sort]\r\nWork=0\r\nGames=0\r\n";
    dir.Write("Set.ini", original);
    const struct {
        std::string name;
        std::string text;
    } refused[] = {
        {"", "A category name cannot be empty."},
        {"a=b", "A category name cannot contain \"=\"."},
        {"=", "A category name cannot contain \"=\"."},
        {" Work", "A category name cannot begin or end with a blank."},
        {"Work\t", "A category name cannot begin or end with a blank."},
        {"  ", "A category name cannot begin or end with a blank."},
        {";Work", "A category name cannot begin with \";\" or \"[\"."},
        {"[Work]", "A category name cannot begin with \";\" or \"[\"."},
        {"Wo\r\nrk", "A category name cannot contain a line break."},
    };
    for (const auto& r : refused) {
        SCOPED_TRACE("'" + r.name + "'");
        EXPECT_EQ(CategoryNameProblem(r.name), r.text);
        for (int rename = 0; rename < 2; ++rename) {
            try {
                if (rename)
                    categories.RenameCategory("Work", r.name);
                else
                    categories.AddCategory(r.name);
                ADD_FAILURE() << "accepted";
            } catch (const CategoryNameError& e) {
                EXPECT_EQ(std::string(e.what()), r.text);
            } catch (const std::exception& e) {
                ADD_FAILURE() << "other error: " << e.what();
            }
            EXPECT_EQ(dir.Read("Set.ini"), original);
        }
    }
    // Every other name is stored and read back exactly as typed.
    const Names accepted = {"a b", "x;y", "x[1]", "#hash", "a\tb", "\xC3\x89t\xC3\xA9", "Work]", "'q'", "\"q\""};
    for (const std::string& name : accepted) {
        SCOPED_TRACE(name);
        EXPECT_EQ(CategoryNameProblem(name), "");
        categories.AddCategory(name);
    }
    Names all = {"Work", "Games"};
    all.insert(all.end(), accepted.begin(), accepted.end());
    EXPECT_EQ(categories.ReadCategories(), all);
    // "Été" fits the code page: the file keeps it in the code page.
    EXPECT_NE(dir.Read("Set.ini").find("\r\n\xC9t\xE9=0\r\n"), std::string::npos);
    categories.RenameCategory("a b", "b a");
    categories.RenameCategory("Work", "WORK"); // the same key in another case moves to the end
    EXPECT_EQ(categories.ReadCategories(),
              (Names{"Games", "x;y", "x[1]", "#hash", "a\tb", "\xC3\x89t\xC3\xA9", "Work]", "'q'", "\"q\"", "b a", "WORK"}));
}

// A name listed already, compared as the file compares keys (trimmed,
// without regard to case), is refused with the file untouched; a rename may
// change the case of its own name.
TEST_F(CategoriesTest, NameListedAlreadyIsRefused)
{
    const std::string original = "[Sort]\r\nTools=\r\n;comment=\r\n  Games =1\r\n";
    dir.Write("Set.ini", original);
    const struct {
        const char* from; // nullptr: an add
        std::string name;
        std::string text;
    } refused[] = {
        {nullptr, "Tools", "The category \"Tools\" is in the list already."},
        {nullptr, "tools", "The category \"Tools\" is in the list already."},
        {nullptr, "GAMES", "The category \"Games\" is in the list already."},
        {"Tools", "games", "The category \"Games\" is in the list already."},
        {"Games", "TOOLS", "The category \"Tools\" is in the list already."},
    };
    for (const auto& r : refused) {
        SCOPED_TRACE(r.name);
        try {
            if (r.from)
                categories.RenameCategory(r.from, r.name);
            else
                categories.AddCategory(r.name);
            ADD_FAILURE() << "accepted";
        } catch (const CategoryNameError& e) {
            EXPECT_EQ(std::string(e.what()), r.text);
        }
        EXPECT_EQ(dir.Read("Set.ini"), original);
    }
    // A comment is no category.
    categories.AddCategory("comment");
    categories.RenameCategory("Tools", "TOOLS");
    EXPECT_EQ(categories.ReadCategories(), (Names{"Games", "comment", "TOOLS"}));
}

// A key without a name, typed into the file by hand, no longer hides the
// list, wherever it stands; it can be deleted and renamed like any other.
TEST_F(CategoriesTest, KeyWithoutANameHidesNothing)
{
    const struct {
        std::string file;
        Names names;
    } cases[] = {
        {"[Sort]\r\n=0\r\nWork=0\r\nGames=0\r\n", {"", "Work", "Games"}},
        {"[Sort]\r\nWork=0\r\n=0\r\nGames=0\r\n", {"Work", "", "Games"}},
        {"[Sort]\r\nWork=0\r\nGames=0\r\n=0\r\n", {"Work", "Games", ""}},
        {"[Sort]\r\n  = 0 \r\n;Note=0\r\nflag\r\n Work = 0\r\n", {"", "Work"}},
        {"[Sort]\r\n=0\r\n", {""}},
        {std::string("[Sort]\r\n=0\r\n\0junk\r\nWork=0\r\n", 27), {"", "Work"}}, // a line cut at a zero byte
        {"[Other]\r\nWork=0\r\n[Sort]\r\n", {}},
        {"", {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        dir.Write("Set.ini", c.file);
        EXPECT_EQ(categories.ReadCategories(), c.names);
    }
    dir.Write("Set.ini", "[Sort]\r\n=0\r\nWork=0\r\nGames=0\r\n");
    categories.RenameCategory("", "Misc");
    EXPECT_EQ(dir.Read("Set.ini"), "[Sort]\r\nWork=0\r\nGames=0\r\nMisc=0\r\n");
    dir.Write("Set.ini", "[Sort]\r\nWork=0\r\n=0\r\nGames=0\r\n");
    categories.DeleteCategory("");
    EXPECT_EQ(dir.Read("Set.ini"), "[Sort]\r\nWork=0\r\nGames=0\r\n");
}

// A long list that starts with a key without a name: every name is listed
// (the list was once cut where the system's 16 KB name buffer ended).
TEST_F(CategoriesTest, KeyWithoutANameBeforeALongList)
{
    std::string file = "[Sort]\r\n=0\r\n";
    for (int i = 0; i < 3000; ++i)
        file += "Category " + std::to_string(10000 + i) + "=0\r\n";
    dir.Write("Set.ini", file);
    const Names names = categories.ReadCategories();
    ASSERT_EQ(names.size(), 3001u);
    EXPECT_EQ(names[0], "");
    EXPECT_EQ(names[1], "Category 10000");
    EXPECT_EQ(names.back(), "Category 12999");
}

} // namespace
} // namespace quickdex
