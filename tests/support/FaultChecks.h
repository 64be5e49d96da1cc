#pragma once
// Writes that the file system refuses (a full disk, a read-only folder, a
// file-size limit): every way the program writes hotkey.ini and Set.ini must
// fail with the error that names the file, and both files must keep every
// byte they had. Shared by the native tests and the Windows tests, which run
// it on the portable engine and on the system's calls.
#include "platform/Files.h"
#include "store/BindingEdit.h"
#include "store/HotkeyStore.h"
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
inline std::vector<std::string> CheckRefusedWrites(IFiles& files, const std::string& dir, bool onlyGrowing = false)
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

    // Values as long as the program writes, so that each write grows the
    // file by more than a page.
    const std::string longText(MaxValueLength, 'n');
    const HotkeyStore store(files, hotkeys);
    const auto binding = [&](int modifiers, int key) {
        Tquickdex b;
        b.Modifiers = modifiers;
        b.Key = key;
        b.Action = longText;
        b.Hint = "new";
        b.Sort = "Tools";
        b.IfRunning = IfRunningMode::Front;
        return b;
    };
    const BindingId first{1, "3+1001"};
    // An add of a new combination to 100 bindings is refused before any
    // write; one onto a bound combination replaces that binding.
    expectRefused("add", hotkeys, [&] { store.Write(nullptr, binding(3, 1003)); });
    expectRefused("change, same combination", hotkeys, [&] { store.Write(&first, binding(3, 1001)); });
    expectRefused("change, new combination", hotkeys, [&] { store.Write(&first, binding(6, 'Z')); });
    expectRefused("change, onto another binding", hotkeys, [&] { store.Write(&first, binding(3, 1002)); });
    if (!onlyGrowing)
        expectRefused("delete", hotkeys, [&] { store.Erase(BindingId{2, "3+1002"}); });
    const Categories categories(files, dir);
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
