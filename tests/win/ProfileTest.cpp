// The store on the system's own private-profile calls.
#include "platform/win32/Win32Platform.h"
#include "store/Categories.h"
#include "store/Errors.h"
#include "store/Hotkeys.h"
#include "support/Fakes.h"
#include "support/SectionLists.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace quickdex {
namespace {

TEST(Win32Store, LoadEraseAndWriteThroughTheSystem)
{
    test::TempDir dir;
    win32::Profile profile;
    const std::string path = dir.File("hotkey.ini");
    dir.Write("hotkey.ini", "[02+65]\r\nAction=a\r\n[3+66]\r\nAction=" + std::string(3000, 'v') + "\r\n");
    HotkeyTable table;
    test::FakeView rows;
    LoadHotkeys(profile, path, table, rows);
    ASSERT_EQ(table.HotkeyCount, 2);
    EXPECT_EQ(table[1].Modifiers, 2);
    EXPECT_EQ(table[2].Action.size(), 2047u);
    EXPECT_EQ(table[2].Sort, "Other");

    EraseSection(profile, path, table.SectionOf(1));
    WriteValue(profile, path, "4+67", "Action", "c");
    table.ClearKeys();
    rows.rows.clear();
    LoadHotkeys(profile, path, table, rows);
    ASSERT_EQ(table.HotkeyCount, 2);
    EXPECT_EQ(table[1].Modifiers, 3);
    EXPECT_EQ(table[2].Action, "c");

    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    try {
        WriteValue(profile, path, "5+68", "Action", "d");
        ADD_FAILURE() << "a read-only file took the write";
    } catch (const WriteError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + path);
    }
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// The system's list of section names, cut at the buffer's edge in each way:
// every whole name is a binding, a cut one is not.
TEST(Win32Store, SectionListAtTheBufferEdgeKeepsEveryWholeName)
{
    test::TempDir dir;
    win32::Profile profile;
    int index = 0;
    for (const test::FillingCase& c : test::FillingCases) {
        SCOPED_TRACE(c.what);
        const std::string name = "edge" + std::to_string(index++) + ".ini";
        dir.Write(name, test::FillingSectionList(c.lastLength, c.after));
        HotkeyTable table;
        test::FakeView rows;
        LoadHotkeys(profile, dir.File(name), table, rows);
        EXPECT_EQ(table.HotkeyCount, c.complete);
        EXPECT_EQ(rows.rows.size(), static_cast<std::size_t>(c.complete));
        EXPECT_EQ(table[c.complete].Action, "tool" + std::to_string(c.complete - 1) + ".exe");
    }
}

// Set.ini on the system's calls: a key without a name hides nothing, and a
// name the file cannot hold is refused before anything changes.
TEST(Win32Categories, KeyWithoutANameAndRefusedNames)
{
    using Names = std::vector<std::string>;
    const struct {
        const char* file;
        Names names;
    } cases[] = {
        {"[Sort]\r\n=0\r\nWork=0\r\nGames=0\r\n", {"", "Work", "Games"}},
        {"[Sort]\r\nWork=0\r\n=0\r\nGames=0\r\n", {"Work", "", "Games"}},
        {"[Sort]\r\nWork=0\r\nGames=0\r\n=0\r\n", {"Work", "Games", ""}},
        {"[Sort]\r\n  = 0 \r\n;Note=0\r\nflag\r\n Work = 0\r\n", {"", "Work"}},
        {"[Other]\r\nWork=0\r\n[Sort]\r\n", {}},
    };
    win32::Profile profile;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        test::TempDir dir; // a folder each: the system keeps a file it read for a while
        dir.Write("Set.ini", c.file);
        EXPECT_EQ(Categories(profile, dir.Dir()).ReadCategories(), c.names);
    }

    test::TempDir dir;
    const Categories categories(profile, dir.Dir());
    dir.Write("Set.ini", "[Sort]\r\n=0\r\nWork=0\r\nGames=0\r\n");
    categories.RenameCategory("", "Misc");
    EXPECT_EQ(categories.ReadCategories(), (Names{"Work", "Games", "Misc"}));
    const std::string before = dir.Read("Set.ini");
    for (const char* name : {"a=b", "", " Work", ";x", "[x"}) {
        SCOPED_TRACE(name);
        EXPECT_THROW(categories.RenameCategory("Work", name), CategoryNameError);
        EXPECT_THROW(categories.AddCategory(name), CategoryNameError);
        EXPECT_EQ(dir.Read("Set.ini"), before);
    }
    categories.RenameCategory("Work", "WORK");
    categories.DeleteCategory("games");
    EXPECT_EQ(categories.ReadCategories(), (Names{"Misc", "WORK"}));
}

TEST(Win32Platform, ExeDirAndVersion)
{
    const std::string dir = win32::ExeDir();
    ASSERT_FALSE(dir.empty());
    EXPECT_EQ(dir.back(), '\\');
    EXPECT_NE(GetFileAttributesA((dir + "win_platform_tests.exe").c_str()), INVALID_FILE_ATTRIBUTES);
    win32::SystemApi system;
    EXPECT_EQ(system.VersionPlatformId(), std::optional<std::uint32_t>(2u)); // the NT family
}

TEST(Win32Platform, ShutdownPrivilegeRoundTrip)
{
    win32::SystemApi system;
    const auto token = system.OpenProcessToken(TOKEN_ADJUST_PRIVILEGES | TOKEN_QUERY);
    ASSERT_TRUE(token.has_value());
    const auto luid = system.LookupPrivilege("SeShutdownPrivilege");
    ASSERT_TRUE(luid.has_value());
    EXPECT_TRUE(system.AdjustTokenPrivilege(*token, *luid, SE_PRIVILEGE_ENABLED));
    EXPECT_TRUE(system.AdjustTokenPrivilege(*token, *luid, 0));
    system.CloseHandle(*token);
}

} // namespace
} // namespace quickdex
