#pragma once
// Writes that the file system refuses (a full disk, a read-only folder, a
// file-size limit): every way the program writes hotkey.ini and Set.ini must
// fail with the error that names the file, and both files must keep every
// byte they had. Shared by the native tests and the Windows tests, which run
// it on the portable engine and on the system's calls.
#include "engine/BindingEdit.h"
#include "store/Categories.h"
#include "store/Errors.h"
#include "store/Hotkeys.h"

#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

namespace quickdex::test {

inline std::string FileBytes(const std::string& path)
{
    std::ifstream in(std::filesystem::u8path(path), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// A hotkey.ini of `count` bindings, Ctrl+Alt+F1.. style sections.
inline std::string BindingsFile(int count)
{
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += "[3+" + std::to_string(1000 + i) + "]\r\nAction=C:\\Tools\\tool" + std::to_string(i) +
                ".exe\r\nHint=Tool " + std::to_string(i) + "\r\nSort=Tools\r\n";
    return text;
}

inline std::string SetFile() { return "[Sort]\r\nTools=0\r\nGames=0\r\n"; }

// Runs every write against the files in `dir` (ending in a separator) and
// returns one line per problem found; none when all is well. A file-size
// limit lets writes that shrink a file through: `onlyGrowing` leaves out the
// change and the delete for that case.
inline std::vector<std::string> CheckRefusedWrites(IProfile& profile, const std::string& dir, bool onlyGrowing = false)
{
    std::vector<std::string> problems;
    const std::string hotkeys = dir + HotkeyFileName;
    const std::string set = dir + CategoryFileName;
    const std::string hotkeysBefore = FileBytes(hotkeys);
    const std::string setBefore = FileBytes(set);
    const auto folderBefore = [&] {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::u8path(dir)))
            names.push_back(entry.path().filename().string());
        return names;
    }();

    const auto expectRefused = [&](const char* what, const std::string& file, const std::function<void()>& write) {
        try {
            write();
            problems.push_back(std::string(what) + ": no error");
        } catch (const WriteError& e) {
            if (std::string(e.what()) != "Unable to write to " + file)
                problems.push_back(std::string(what) + ": error text \"" + e.what() + "\"");
        }
        if (FileBytes(hotkeys) != hotkeysBefore)
            problems.push_back(std::string(what) + ": hotkey.ini changed");
        if (FileBytes(set) != setBefore)
            problems.push_back(std::string(what) + ": Set.ini changed");
    };

    // Values as long as the program writes, so that each first write grows
    // the file by more than a page.
    const std::string longText(MaxValueLength, 'n');
    BindingFields added{static_cast<std::uint16_t>((6 << 8) | 'Z'), longText, "new", "Tools"};
    expectRefused("add", hotkeys, [&] { WriteBinding(profile, hotkeys, added); });
    // A change writes before it erases, so its first write always grows the
    // file.
    const BindingFields loaded{0, "C:\\Tools\\tool1.exe", "Tool 1", "Tools"};
    BindingFields edited = loaded;
    edited.path = longText;
    expectRefused("change", hotkeys, [&] { ReplaceBinding(profile, hotkeys, "3+1001", added); });
    expectRefused("change, same combination", hotkeys,
                  [&] { ReplaceBinding(profile, hotkeys, {"3+1001", "3+1001", loaded, edited}); });
    expectRefused("change, new combination", hotkeys,
                  [&] { ReplaceBinding(profile, hotkeys, {"3+1001", "6+90", loaded, edited}); });
    if (!onlyGrowing)
        expectRefused("delete", hotkeys, [&] { EraseSection(profile, hotkeys, "3+1002"); });
    const Categories categories(profile, dir);
    expectRefused("add category", set, [&] { categories.AddCategory(std::string(10000, 'c')); });
    expectRefused("rename category", set, [&] { categories.RenameCategory("Tools", std::string(10000, 'r')); });
    if (!onlyGrowing)
        expectRefused("delete category", set, [&] { categories.DeleteCategory("Tools"); });

    std::vector<std::string> folderAfter;
    for (const auto& entry : std::filesystem::directory_iterator(std::filesystem::u8path(dir)))
        folderAfter.push_back(entry.path().filename().string());
    if (folderAfter.size() != folderBefore.size())
        problems.push_back("a temporary file was left in the folder");
    return problems;
}

} // namespace quickdex::test
