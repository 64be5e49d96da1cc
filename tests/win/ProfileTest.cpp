// The store on the system's own private-profile calls.
#include "platform/win32/Win32Platform.h"
#include "store/Categories.h"
#include "store/Errors.h"
#include "store/Hotkeys.h"
#include "support/Fakes.h"
#include "support/SectionLists.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

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

// A list through the system's call, however long: section names, or the
// entries of one section.
std::vector<std::string> SystemList(const char* section, const std::string& path)
{
    std::vector<char> buffer(8 << 20);
    const DWORD n = section ? GetPrivateProfileSectionA(section, buffer.data(), static_cast<DWORD>(buffer.size()), path.c_str())
                            : GetPrivateProfileSectionNamesA(buffer.data(), static_cast<DWORD>(buffer.size()), path.c_str());
    std::vector<std::string> items;
    for (const char* p = buffer.data(); p < buffer.data() + n && *p; p += std::strlen(p) + 1)
        items.emplace_back(p);
    return items;
}

std::string SystemValue(const char* section, const char* key, const std::string& path)
{
    char value[256];
    GetPrivateProfileStringA(section, key, "(none)", value, sizeof value, path.c_str());
    return value;
}

// Files far past any fixed buffer stay editable, with nothing lost: 12,000
// sections in hotkey.ini (100 of them used), 6,000 categories in Set.ini.
TEST(Win32Store, LargeFilesStayEditable)
{
    test::TempDir dir;
    win32::Profile profile;
    const std::string hotkeys = dir.File("hotkey.ini");
    std::string text;
    for (int i = 1; i <= 12000; ++i) {
        const std::string n = std::to_string(i), name = std::to_string(1000 + i);
        text.append("[3+").append(name).append("]\r\nAction=C:\\Tools\\tool").append(n);
        text.append(".exe\r\nHint=Tool ").append(n).append("\r\nSort=Tools\r\n");
    }
    dir.Write("hotkey.ini", text);

    // Each checked write reads both files through the system section by
    // section, a few seconds here: one of each kind.
    EraseSection(profile, hotkeys, "3+6000");                    // Delete, and a Change's first step
    WriteValue(profile, hotkeys, "6+90", "Action", "changed.exe"); // a new section
    WriteValue(profile, hotkeys, "3+13000", "Hint", "last one");   // a value in place
    const std::vector<std::string> sections = SystemList(nullptr, hotkeys);
    ASSERT_EQ(sections.size(), 12000u);
    EXPECT_EQ(sections.front(), "3+1001");
    EXPECT_EQ(sections.back(), "6+90");
    EXPECT_EQ(std::count(sections.begin(), sections.end(), "3+6000"), 0);
    EXPECT_EQ(SystemValue("6+90", "Action", hotkeys), "changed.exe");
    EXPECT_EQ(SystemValue("3+13000", "Hint", hotkeys), "last one");
    EXPECT_EQ(SystemValue("3+12999", "Action", hotkeys), "C:\\Tools\\tool11999.exe");
    EXPECT_EQ(SystemList("3+5000", hotkeys).size(), 3u);

    std::string set = "[Sort]\r\n";
    for (int i = 1; i <= 6000; ++i)
        set += "Category " + std::to_string(i) + "=0\r\n";
    dir.Write("Set.ini", set);
    const Categories categories(profile, dir.Dir());
    categories.DeleteCategory("Category 3000");
    categories.RenameCategory("Category 10", "Renamed");
    const std::vector<std::string> entries = SystemList("Sort", dir.File("Set.ini"));
    ASSERT_EQ(entries.size(), 5999u);
    EXPECT_EQ(std::count(entries.begin(), entries.end(), "Category 3000=0"), 0);
    EXPECT_EQ(std::count(entries.begin(), entries.end(), "Category 10=0"), 0);
    EXPECT_EQ(entries.back(), "Renamed=0");
    EXPECT_EQ(entries[5997], "Category 6000=0");
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
