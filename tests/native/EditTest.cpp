#include "engine/BindingEdit.h"
#include "platform/portable/IniFile.h"
#include "store/Categories.h"
#include "store/Errors.h"
#include "store/Hotkeys.h"
#include "store/KeyNames.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quickdex {
namespace {

using test::TempDir;

// The real engine on real files, refusing one chosen write (counted from 0).
class FailingProfile : public IProfile {
public:
    std::uint32_t GetString(const char* s, const char* k, const char* d, char* b, std::uint32_t n, const char* p) override
    {
        return inner.GetString(s, k, d, b, n, p);
    }
    std::uint32_t GetSection(const char* s, char* b, std::uint32_t n, const char* p) override
    {
        return inner.GetSection(s, b, n, p);
    }
    bool WriteString(const char* s, const char* k, const char* v, const char* p) override
    {
        if (writes++ == failAt)
            return false;
        return inner.WriteString(s, k, v, p);
    }
    PortableProfile inner;
    int failAt = -1;
    int writes = 0;
};

// Every binding of a file as "section: action|hint|sort", sorted.
std::vector<std::string> Bindings(IProfile& profile, const std::string& path)
{
    std::vector<std::string> out;
    for (const std::string& section : ReadSectionNames(profile, path))
        out.push_back(section + ": " + ReadValue(profile, path, section, "Action", "") + "|" +
                      ReadValue(profile, path, section, "Hint", "") + "|" + ReadValue(profile, path, section, "Sort", ""));
    std::sort(out.begin(), out.end());
    return out;
}

std::uint16_t Shortcut(int modifiers, int key)
{
    return MakeShortcut(static_cast<std::uint16_t>(key), ModifiersToShiftState(modifiers));
}

TEST(BindingEdit, InputAndSectionNames)
{
    EXPECT_FALSE(InputComplete({0, "notepad.exe", "", ""}));
    EXPECT_FALSE(InputComplete({Shortcut(2, 65), "", "hint", "Other"}));
    EXPECT_TRUE(InputComplete({Shortcut(2, 65), "   ", "", ""})); // blanks are text
    EXPECT_FALSE(InputComplete({0x6000, "x", "", ""}));            // modifiers without a key
    EXPECT_EQ(SectionForShortcut(Shortcut(3, 65)), "3+65");
    EXPECT_EQ(SectionForShortcut(Shortcut(0, 112)), "0+112");
    EXPECT_EQ(SectionForShortcut(Shortcut(6, 116)), "6+116");
}

class EditFileTest : public ::testing::Test {
protected:
    std::string Path() const { return dir.File("hotkey.ini"); }
    TempDir dir;
    FailingProfile profile;
};

TEST_F(EditFileTest, WriteAppendsKeysInOrderAndReplacesInPlace)
{
    dir.Write("hotkey.ini", "[0+112]\r\nAction=calc.exe\r\n");
    WriteBinding(profile, Path(), {Shortcut(3, 65), "notepad.exe", "", "Other"});
    EXPECT_EQ(dir.Read("hotkey.ini"),
              "[0+112]\r\nAction=calc.exe\r\n[3+65]\r\nAction=notepad.exe\r\nHint=\r\nSort=Other\r\n");
    WriteBinding(profile, Path(), {Shortcut(0, 112), "  spaced  ", "h", "Games"});
    EXPECT_EQ(dir.Read("hotkey.ini"), "[0+112]\r\nAction=spaced  \r\nHint=h\r\nSort=Games\r\n[3+65]\r\n"
                                      "Action=notepad.exe\r\nHint=\r\nSort=Other\r\n");
}

TEST_F(EditFileTest, ChangeMovesTheBindingToTheEndAndMergesOntoAnother)
{
    dir.Write("hotkey.ini", "[1+65]\r\nAction=a\r\nHint=x\r\nSort=S\r\n[1+66]\r\nAction=b\r\nHint=\r\nSort=S\r\n");
    ReplaceBinding(profile, Path(), "1+65", {Shortcut(1, 65), "a", "new hint", "S"});
    EXPECT_EQ(dir.Read("hotkey.ini"),
              "[1+66]\r\nAction=b\r\nHint=\r\nSort=S\r\n[1+65]\r\nAction=a\r\nHint=new hint\r\nSort=S\r\n");
    ReplaceBinding(profile, Path(), "1+65", {Shortcut(1, 66), "onto b", "", "T"});
    EXPECT_EQ(dir.Read("hotkey.ini"), "[1+66]\r\nAction=onto b\r\nHint=\r\nSort=T\r\n");
}

TEST_F(EditFileTest, FailedChangeNeverLosesTheBinding)
{
    const std::string original = "[1+65]\r\nAction=a\r\nHint=x\r\nSort=S\r\n[1+66]\r\nAction=b\r\nHint=y\r\nSort=T\r\n";
    const std::vector<std::string> before = {"1+65: a|x|S", "1+66: b|y|T"};
    // Writes: 0 erases the old section, 1..3 write Action, Hint and Sort.
    // The new combination is the same (65), a free one (67) or the other
    // binding's (66).
    for (int key : {65, 67, 66}) {
        for (int failAt = 1; failAt <= 3; ++failAt) {
            SCOPED_TRACE("key " + std::to_string(key) + ", failing write " + std::to_string(failAt));
            dir.Write("hotkey.ini", original);
            profile.writes = 0;
            profile.failAt = failAt;
            try {
                ReplaceBinding(profile, Path(), "1+65", {Shortcut(1, key), "changed", "", "Z"});
                ADD_FAILURE() << "no error";
            } catch (const WriteError& e) {
                EXPECT_EQ(std::string(e.what()), "Unable to write to " + Path());
            }
            EXPECT_EQ(Bindings(profile, Path()), before);
        }
    }
    // A refused erase leaves the file as it was.
    dir.Write("hotkey.ini", original);
    profile.writes = 0;
    profile.failAt = 0;
    EXPECT_THROW(ReplaceBinding(profile, Path(), "1+65", {Shortcut(1, 67), "c", "", ""}), WriteError);
    EXPECT_EQ(dir.Read("hotkey.ini"), original);
}

TEST_F(EditFileTest, CategoriesInSetIni)
{
    Categories categories(profile.inner, dir.Dir());
    EXPECT_TRUE(categories.ReadCategories().empty());
    categories.AddCategory("Work");
    EXPECT_EQ(dir.Read("Set.ini"), "[Sort]\r\nWork=0\r\n");
    categories.AddCategory("Games");
    categories.AddCategory("work"); // the same key: no second line
    categories.AddCategory("Home");
    EXPECT_EQ(categories.ReadCategories(), (std::vector<std::string>{"Work", "Games", "Home"}));
    categories.RenameCategory("Work", "Office");
    EXPECT_EQ(categories.ReadCategories(), (std::vector<std::string>{"Games", "Home", "Office"}));
    categories.RenameCategory("Games", "Games"); // unchanged: still moves to the end
    EXPECT_EQ(categories.ReadCategories(), (std::vector<std::string>{"Home", "Office", "Games"}));
    categories.DeleteCategory("HOME");
    categories.DeleteCategory("not there");
    EXPECT_THROW(categories.AddCategory(""), CategoryNameError); // refused, nothing written
    EXPECT_EQ(categories.ReadCategories(), (std::vector<std::string>{"Office", "Games"}));
    EXPECT_EQ(dir.Read("Set.ini"), "[Sort]\r\nOffice=0\r\nGames=0\r\n");
    EXPECT_FALSE(dir.Exists("hotkey.ini"));
}

TEST_F(EditFileTest, CategoryWriteRefusedNamesSetIni)
{
    Categories categories(profile, dir.Dir());
    profile.failAt = 0;
    try {
        categories.AddCategory("Work");
        ADD_FAILURE() << "no error";
    } catch (const WriteError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + dir.Dir() + "Set.ini");
    }
    categories.DeleteCategory("Work"); // a refused delete is not reported
}

} // namespace
} // namespace quickdex
