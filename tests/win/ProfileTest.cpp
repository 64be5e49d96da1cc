// The store on real files, against the system's own private-profile calls.
#include "WinSupport.h"
#include "platform/win32/Files.h"
#include "platform/win32/Win32Platform.h"
#include "store/Categories.h"
#include "store/Errors.h"
#include "store/HotkeyStore.h"
#include "store/Hotkeys.h"
#include "support/Fakes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace quickdex {
namespace {

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
    // The system keeps a file it read for a while: forget it first.
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str());
    GetPrivateProfileStringA(section, key, "(none)", value, sizeof value, path.c_str());
    return value;
}

Tquickdex Binding(int modifiers, int key, const std::string& action)
{
    Tquickdex b;
    b.Modifiers = modifiers;
    b.Key = key;
    b.Action = action;
    b.Sort = DefaultSort;
    return b;
}

// The store on real files: what it loads, and what it writes as the system's
// own profile calls read it back.
TEST(Win32Store, LoadEraseAndWriteAsTheSystemReadsThem)
{
    test::TempDir dir;
    win32::Files files;
    const std::string path = dir.File("hotkey.ini");
    const HotkeyStore store(files, path);
    dir.Write("hotkey.ini", "[02+65]\r\nAction=a\r\n[3+66]\r\nAction=" + std::string(3000, 'v') + "\r\n");
    HotkeyTable table;
    test::FakeView rows;
    store.Load(table, rows);
    ASSERT_EQ(table.HotkeyCount, 2);
    EXPECT_EQ(table[1].Modifiers, 2);
    EXPECT_EQ(table[2].Action.size(), 2047u);
    EXPECT_EQ(table[2].Sort, "Other");

    store.Erase(table.IdOf(1));
    store.Write(nullptr, Binding(4, 67, "c"));
    Tquickdex changed = table[2];
    changed.Hint = "note";
    store.Write(&table.IdOf(2), changed);
    EXPECT_EQ(SystemList(nullptr, path), (std::vector<std::string>{"3+66", "4+67"}));
    EXPECT_EQ(SystemValue("4+67", "Action", path), "c");
    EXPECT_EQ(SystemValue("3+66", "Hint", path), "note");
    EXPECT_EQ(dir.Read("hotkey.ini").find(std::string(3000, 'v')) != std::string::npos, true);

    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    const std::string before = dir.Read("hotkey.ini");
    try {
        store.Write(nullptr, Binding(5, 68, "d"));
        ADD_FAILURE() << "a read-only file took the write";
    } catch (const WriteError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + path);
    }
    EXPECT_EQ(dir.Read("hotkey.ini"), before);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// Another process holds hotkey.ini open as a scanner does right after every
// change (reading and writing shared, deleting not): a save waits for it
// for about a second, then says what holds it up. A hidden file stays
// hidden and stays editable, save after save, and keeps its identity.
TEST(Win32Store, SaveWaitsForAScannerAndKeepsAHiddenFileHidden)
{
    test::TempDir dir;
    win32::Files files;
    const std::string path = dir.File("hotkey.ini");
    const HotkeyStore store(files, path);
    dir.Write("hotkey.ini", "[1+65]\r\nAction=a\r\n");

    const auto holdFor = [&](int ms) {
        DeleteFileA((path + ".held").c_str());
        STARTUPINFOA startup{sizeof startup};
        PROCESS_INFORMATION process{};
        std::string command = "\"" + test::TestProgramDir() + "holder.exe\" \"" + path + "\" " + std::to_string(ms);
        EXPECT_TRUE(CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                   &process));
        CloseHandle(process.hThread);
        EXPECT_TRUE(test::PumpUntil([&] { return GetFileAttributesA((path + ".held").c_str()) != INVALID_FILE_ATTRIBUTES; },
                                    10000));
        return process.hProcess;
    };

    HANDLE holder = holdFor(700);
    store.Write(nullptr, Binding(1, 66, "b")); // held for 0.7 s: waits, then lands
    EXPECT_EQ(SystemValue("1+66", "Action", path), "b");
    WaitForSingleObject(holder, 10000);
    CloseHandle(holder);

    holder = holdFor(5000);
    const std::string before = dir.Read("hotkey.ini");
    try {
        store.Write(nullptr, Binding(1, 67, "c"));
        ADD_FAILURE() << "no error while the file was held";
    } catch (const WriteError& e) {
        EXPECT_EQ(std::string(e.what()).rfind("Unable to write to " + path + ": another program keeps the file open", 0),
                  0u)
            << e.what();
    }
    EXPECT_EQ(dir.Read("hotkey.ini"), before);
    TerminateProcess(holder, 0);
    WaitForSingleObject(holder, 10000);
    CloseHandle(holder);

    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_HIDDEN));
    for (int key : {68, 69}) {
        store.Write(nullptr, Binding(1, key, "hidden"));
        EXPECT_EQ(SystemValue(SectionName(1, key).c_str(), "Action", path), "hidden");
        EXPECT_TRUE(GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_HIDDEN) << GetFileAttributesA(path.c_str());
    }
    // Nothing of ours is left beside it.
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA(dir.File("*").c_str(), &found);
    int entries = 0;
    ASSERT_NE(search, INVALID_HANDLE_VALUE);
    std::string names;
    do {
        entries += found.cFileName[0] != '.';
        names += std::string(found.cFileName) + " ";
    } while (FindNextFileA(search, &found));
    FindClose(search);
    EXPECT_EQ(entries, 2) << names; // hotkey.ini and the holder's sign
}

// Files far past any fixed buffer stay editable, with nothing lost: 12,000
// sections in hotkey.ini (100 of them used), 6,000 categories in Set.ini.
TEST(Win32Store, LargeFilesStayEditable)
{
    test::TempDir dir;
    const std::string hotkeys = dir.File("hotkey.ini");
    std::string text;
    for (int i = 1; i <= 12000; ++i) {
        const std::string n = std::to_string(i), name = std::to_string(1000 + i);
        text.append("[3+").append(name).append("]\r\nAction=C:\\Tools\\tool").append(n);
        text.append(".exe\r\nHint=Tool ").append(n).append("\r\nSort=Tools\r\n");
    }
    dir.Write("hotkey.ini", text);

    // One of each kind of write: a delete of a binding past the 100th, a
    // change in place, an add onto a bound combination.
    win32::Files files;
    const HotkeyStore store(files, hotkeys);
    HotkeyTable table;
    test::FakeView rows;
    store.Load(table, rows);
    store.Erase(BindingId{5000, "3+6000"});
    Tquickdex first = table[1];
    first.Hint = "first one";
    store.Write(&table.IdOf(1), first);
    store.Write(nullptr, Binding(3, 1002, "changed.exe"));
    const std::vector<std::string> sections = SystemList(nullptr, hotkeys);
    ASSERT_EQ(sections.size(), 11999u);
    EXPECT_EQ(sections.front(), "3+1001");
    EXPECT_EQ(sections.back(), "3+13000");
    EXPECT_EQ(std::count(sections.begin(), sections.end(), "3+6000"), 0);
    EXPECT_EQ(SystemValue("3+1002", "Action", hotkeys), "changed.exe");
    EXPECT_EQ(SystemValue("3+1001", "Hint", hotkeys), "first one");
    EXPECT_EQ(SystemValue("3+12999", "Action", hotkeys), "C:\\Tools\\tool11999.exe");
    EXPECT_EQ(SystemList("3+5000", hotkeys).size(), 3u);

    std::string set = "[Sort]\r\n";
    for (int i = 1; i <= 6000; ++i)
        set += "Category " + std::to_string(i) + "=0\r\n";
    dir.Write("Set.ini", set);
    const Categories categories(files, dir.Dir());
    categories.DeleteCategory("Category 3000");
    categories.RenameCategory("Category 10", "Renamed");
    const std::vector<std::string> entries = SystemList("Sort", dir.File("Set.ini"));
    ASSERT_EQ(entries.size(), 5999u);
    EXPECT_EQ(std::count(entries.begin(), entries.end(), "Category 3000=0"), 0);
    EXPECT_EQ(std::count(entries.begin(), entries.end(), "Category 10=0"), 0);
    EXPECT_EQ(entries.back(), "Renamed=0");
    EXPECT_EQ(entries[5997], "Category 6000=0");
}

// Set.ini on the real files: a key without a name hides nothing, and a
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
    win32::Files files;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        test::TempDir dir; // a folder each: the system keeps a file it read for a while
        dir.Write("Set.ini", c.file);
        EXPECT_EQ(Categories(files, dir.Dir()).ReadCategories(), c.names);
    }

    test::TempDir dir;
    const Categories categories(files, dir.Dir());
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
