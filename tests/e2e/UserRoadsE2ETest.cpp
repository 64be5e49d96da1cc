// quickdex.exe on the roads users take that the program's own fields do not
// show: a question left open while the program is told to close, the
// taskbar button's own Close, a second start, the keyboard alone, hotkeys
// another program holds. Everything is read from outside, where the user
// sees it: the file's bytes, which windows exist, which control has the
// focus, what the list shows.
#include "QuickdexProcess.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <set>

#include <tlhelp32.h>

namespace quickdex {
namespace {

using namespace quickdex::test;

// The control that has the keyboard focus in the thread of `window`.
HWND FocusOf(HWND window)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
    return info.hwndFocus;
}

// Selects a row of another process's list view: the item record the
// message points to must live in that process.
void SelectRow(HWND list, int row)
{
    DWORD process = 0;
    GetWindowThreadProcessId(list, &process);
    HANDLE target = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, process);
    ASSERT_NE(target, nullptr);
    void* remote = VirtualAllocEx(target, nullptr, sizeof(LVITEMA), MEM_COMMIT, PAGE_READWRITE);
    LVITEMA item{};
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    WriteProcessMemory(target, remote, &item, sizeof item, nullptr);
    SendMessageA(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(remote));
    VirtualFreeEx(target, remote, 0, MEM_RELEASE);
    CloseHandle(target);
}

void PressKey(WORD key, bool shift = false)
{
    PressCombination(shift ? MOD_SHIFT : 0, key);
}

// Waits for the focus to move away from `from`; returns where it went.
HWND NextFocus(HWND window, HWND from)
{
    HWND now = nullptr;
    PumpUntil([&] { return (now = FocusOf(window)) != from && now != nullptr; }, 5000);
    // Where it settles: a combo box hands the focus on to its edit field.
    for (HWND settled = nullptr; settled != now;) {
        settled = now;
        PumpUntil([] { return false; }, 150);
        now = FocusOf(window);
    }
    return now;
}

// The running processes of the system's rundll32.exe.
std::set<DWORD> RundllProcesses()
{
    std::set<DWORD> ids;
    HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot, &entry); more; more = Process32Next(snapshot, &entry))
        if (_stricmp(entry.szExeFile, "rundll32.exe") == 0)
            ids.insert(entry.th32ProcessID);
    CloseHandle(snapshot);
    return ids;
}

// `path` spelled through another drive that reaches the same file. Under
// Wine, a drive maps the whole Unix file system (Z: in a new prefix), so every
// folder of C: has a second name, as a mapped drive or subst gives one on
// Windows; there, the 8.3 name is another. GetModuleFileName gives the
// started program the spelling it was started by (Wine turns an 8.3 name
// into the long one, so that one shows nothing there).
std::string OtherSpelling(const std::string& path)
{
    using UnixName = char*(CDECL*)(const wchar_t*);
    const auto unixName = reinterpret_cast<UnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    if (unixName) {
        const std::wstring wide(path.begin(), path.end());
        if (char* name = unixName(wide.c_str())) {
            std::string rest = name;
            HeapFree(GetProcessHeap(), 0, name);
            std::replace(rest.begin(), rest.end(), '/', '\\');
            for (char drive = 'D'; drive <= 'Z'; ++drive) {
                const std::string spelled = std::string(1, drive) + ":" + rest;
                if (GetFileAttributesA(spelled.c_str()) != INVALID_FILE_ATTRIBUTES)
                    return spelled;
            }
        }
    }
    char shortPath[MAX_PATH] = {};
    if (GetShortPathNameA(path.c_str(), shortPath, MAX_PATH) != 0 && lstrcmpiA(shortPath, path.c_str()) != 0)
        return shortPath;
    return {};
}

class UserRoadsE2ETest : public MarkerTest {
protected:
    // Starts quickdex on `ini` and waits for its bindings to be registered
    // (the combination given is the last one's).
    QuickdexProcess& Start(const std::string& ini, unsigned modifiers, unsigned key)
    {
        dir.Write("hotkey.ini", ini);
        quickdex.emplace(dir);
        EXPECT_TRUE(quickdex->Started());
        EXPECT_TRUE(quickdex->WaitUntilHeld(modifiers, key)) << "the bindings were never registered";
        return *quickdex;
    }
    HWND ShowMain()
    {
        HWND main = quickdex->MainWindow();
        PostMessageA(main, WM_COMMAND, ids::Show_N, 0);
        // Shown, and the keyboard settled in one of its controls: the window
        // itself holds the focus for a moment as it is activated.
        EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(main) && IsChild(main, FocusOf(main)); }, 10000));
        return main;
    }
    HWND WaitForWindow(const char* className)
    {
        HWND window = nullptr;
        PumpUntil(
            [&] {
                window = FindProcessWindow(quickdex->Id(), className);
                return window && IsWindowVisible(window) && FocusOf(window) != nullptr;
            },
            10000);
        return window;
    }
    HWND WaitForBox()
    {
        HWND box = nullptr;
        PumpUntil([&] { return (box = FindProcessWindow(quickdex->Id(), "#32770")) && IsWindowVisible(box); }, 10000);
        return box;
    }
    // Presses Tab (or Shift+Tab) `count` times and gives the controls the
    // focus went to, starting with the one that had it.
    std::vector<HWND> TabWalk(HWND window, int count, bool back = false)
    {
        std::vector<HWND> visited{FocusOf(window)};
        for (int i = 0; i < count; ++i) {
            PressKey(VK_TAB, back);
            visited.push_back(NextFocus(window, visited.back()));
        }
        return visited;
    }
    int StateImage(int row) const
    {
        HWND list = FindWindowExA(quickdex->MainWindow(), nullptr, WC_LISTVIEWA, nullptr);
        return static_cast<int>(SendMessageA(list, LVM_GETITEMSTATE, row, LVIS_STATEIMAGEMASK) >> 12);
    }

    // Shows the main window, selects its first row and asks to delete it:
    // the question, once it is open.
    HWND OpenDeleteQuestion()
    {
        HWND main = ShowMain();
        SelectRow(FindWindowExA(main, nullptr, WC_LISTVIEWA, nullptr), 0);
        PostMessageA(main, WM_COMMAND, ids::DelBitBtn, 0);
        HWND box = WaitForBox();
        if (box)
            EXPECT_EQ(MessageBoxText(box).rfind("Are you sure to delete the item", 0), 0u) << MessageBoxText(box);
        return box;
    }

    std::optional<QuickdexProcess> quickdex;
};

TEST_F(UserRoadsE2ETest, UnansweredDeleteQuestionErasesNothingWhenTheProgramIsClosed)
{
    const std::string ini = "[3+67]\r\nAction=Close quickdex\r\n[3+68]\r\nAction=keep me\r\n";
    Start(ini, MOD_CONTROL | MOD_ALT, 'D');
    ASSERT_NE(OpenDeleteQuestion(), nullptr) << "no confirmation";

    // "Close quickdex" pressed while the question is open: the program ends,
    // without taking the closed box for a yes.
    PressCombination(MOD_CONTROL | MOD_ALT, 'C');
    EXPECT_TRUE(quickdex->WaitForExit(10000)) << "the program did not end";
    EXPECT_EQ(dir.Read("hotkey.ini"), ini);
    EXPECT_FALSE(CombinationHeld(MOD_CONTROL | MOD_ALT, 'D'));
}

TEST_F(UserRoadsE2ETest, ExitFromTheTrayMenuUnderAnOpenQuestionErasesNothing)
{
    const std::string ini = "[3+68]\r\nAction=keep me\r\n";
    Start(ini, MOD_CONTROL | MOD_ALT, 'D');
    ASSERT_NE(OpenDeleteQuestion(), nullptr) << "no confirmation";
    PostMessageA(quickdex->MainWindow(), WM_COMMAND, ids::N2, 0); // the tray menu's Exit
    EXPECT_TRUE(quickdex->WaitForExit(10000));
    EXPECT_EQ(dir.Read("hotkey.ini"), ini);
}

TEST_F(UserRoadsE2ETest, CloseFromTheTaskbarButtonHidesIntoTheTray)
{
    const std::string a = Marker("a");
    Start("[3+81]\r\nAction=" + a + "\r\n", MOD_CONTROL | MOD_ALT, 'Q');
    HWND main = ShowMain();
    HWND application = quickdex->ApplicationWindow();
    // What "Close window" on the taskbar button sends.
    PostMessageA(application, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(main) && !IsWindowVisible(application); }, 10000));
    Idle(500);
    ASSERT_TRUE(quickdex->Running());
    EXPECT_TRUE(IsWindow(main)) << "the main window was destroyed";
    PressCombination(MOD_CONTROL | MOD_ALT, 'Q');
    EXPECT_TRUE(WaitForRuns("a", 1)) << "the hotkeys stopped working";
    PostMessageA(main, WM_COMMAND, ids::N4, 0);
    EXPECT_TRUE(quickdex->WaitForExit(10000));
}

// Libraries and programs left beside quickdex.exe under a system one's name
// (a Downloads folder) never run in its place. Wine prefers its own built-in
// libraries; the override gives it Windows' order, the program's own folder
// first (set for quickdex.exe in the registry: a variable of the
// environment does not reach the programs a Wine program starts), for the
// libraries loaded late: at start (wtsapi32), at the first
// launch (ole32) and at the first CD door command (winmm). comdlg32, loaded
// by the editor's file button, is one of Windows' known libraries, never
// taken from the program's folder.
TEST_F(UserRoadsE2ETest, PlantedLibrariesAndProgramsBesideTheExeNeverRun)
{
    const char* const libraries[] = {"wtsapi32", "winmm", "ole32"};
    for (const char* library : libraries)
        ASSERT_TRUE(CopyFileA((TestProgramDir() + "planted.dll").c_str(), dir.File(std::string(library) + ".dll").c_str(),
                              FALSE));
    Marker("rundll32");
    const std::set<DWORD> panelsBefore = RundllProcesses();
    const std::string launched = Marker("launched");

    // Wine's overrides for quickdex.exe alone, in this test's prefix.
    const char* const overrides = "Software\\Wine\\AppDefaults\\quickdex.exe";
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, (std::string(overrides) + "\\DllOverrides").c_str(), 0, nullptr, 0,
                              KEY_ALL_ACCESS, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    for (const char* library : libraries)
        RegSetValueExA(key, library, 0, REG_SZ, reinterpret_cast<const BYTE*>("native,builtin"), 15);
    RegCloseKey(key);
    struct Undo {
        const char* path;
        ~Undo() { RegDeleteTreeA(HKEY_CURRENT_USER, path); }
    } undo{overrides};
    Start("[3+80]\r\nAction=Control Panel\r\n[3+79]\r\nAction=Close/Open CD-ROM\r\n[3+76]\r\nAction=" + launched +
              "\r\n",
          MOD_CONTROL | MOD_ALT, 'L');

    PressCombination(MOD_CONTROL | MOD_ALT, 'L');
    EXPECT_TRUE(WaitForRuns("launched", 1)) << "the launch did not happen";
    PressCombination(MOD_CONTROL | MOD_ALT, 'O');
    PressCombination(MOD_CONTROL | MOD_ALT, 'P');
    Idle(3000);
    for (const char* library : libraries)
        EXPECT_FALSE(dir.Exists(std::string(library) + ".dll.ran")) << "the planted " << library << ".dll was loaded";
    EXPECT_EQ(Runs("rundll32"), 0) << "the planted rundll32.exe ran for Control Panel";
    // The system's Control Panel, which the press opened, goes again.
    for (DWORD id : RundllProcesses())
        if (!panelsBefore.contains(id))
            if (HANDLE process = OpenProcess(PROCESS_TERMINATE, FALSE, id)) {
                TerminateProcess(process, 0);
                CloseHandle(process);
            }
}

// A held combination: the keyboard repeats its key-down for as long as the
// user holds it. One press starts its target once; the next press again.
TEST_F(UserRoadsE2ETest, HeldCombinationStartsItsTargetOnce)
{
    const std::string held = Marker("held");
    Start("[3+77]\r\nAction=" + held + "\r\n", MOD_CONTROL | MOD_ALT, 'M');

    std::vector<INPUT> inputs;
    auto key = [&](WORD vk, bool up) {
        INPUT in{};
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = vk;
        in.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
        inputs.push_back(in);
    };
    key(VK_CONTROL, false);
    key(VK_MENU, false);
    for (int repeat = 0; repeat < 4; ++repeat)
        key('M', false);
    key('M', true);
    key(VK_MENU, true);
    key(VK_CONTROL, true);
    ASSERT_EQ(SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)), inputs.size());
    ASSERT_TRUE(WaitForRuns("held", 1)) << "the press did not start the target";
    Idle(2500);
    EXPECT_EQ(Runs("held"), 1) << "the key's repeats started it again";

    PressCombination(MOD_CONTROL | MOD_ALT, 'M');
    EXPECT_TRUE(WaitForRuns("held", 2)) << "the next press did not start the target";
}

// The menus from the keyboard alone: Alt and a menu's underlined letter
// open it, the item's letter chooses it.
TEST_F(UserRoadsE2ETest, MenusOpenWithAltAndTheirUnderlinedLetters)
{
    Start("[3+75]\r\nAction=x\r\n", MOD_CONTROL | MOD_ALT, 'K');
    HWND main = ShowMain();
    ASSERT_NE(main, nullptr);

    // File, Stop: the hotkeys are let go.
    PressCombination(MOD_ALT, 'F');
    PressKey('S');
    EXPECT_TRUE(quickdex->WaitUntilHeld(MOD_CONTROL | MOD_ALT, 'K', false, 10000)) << "Alt+F, S did not stop";

    // File, Start: taken again (the item's letter is kept by its new text).
    PressCombination(MOD_ALT, 'F');
    PressKey('S');
    EXPECT_TRUE(quickdex->WaitUntilHeld(MOD_CONTROL | MOD_ALT, 'K', true, 10000)) << "Alt+F, S did not start";

    // Help, About: the About window comes.
    PressCombination(MOD_ALT, 'H');
    PressKey('A');
    EXPECT_NE(WaitForWindow("TAbout_Form"), nullptr) << "Alt+H, A did not show About";
}

TEST_F(UserRoadsE2ETest, SecondStartThroughAnotherSpellingOfTheFolderShowsTheRunningCopy)
{
    Start("[3+71]\r\nAction=x\r\n", MOD_CONTROL | MOD_ALT, 'G');
    HWND main = quickdex->MainWindow();
    ASSERT_FALSE(IsWindowVisible(main));

    // The same folder under another name, as a mapped drive, subst or a link
    // to the folder reach it.
    const std::string exe = dir.File("quickdex.exe");
    const std::string spelled = OtherSpelling(exe);
    ASSERT_FALSE(spelled.empty()) << "no other spelling of " << exe;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION second{};
    std::string command = "\"" + spelled + "\"";
    ASSERT_TRUE(CreateProcessA(spelled.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &second));
    const bool ended = WaitForSingleObject(second.hProcess, 15000) == WAIT_OBJECT_0;
    if (!ended) {
        if (HWND other = FindProcessWindow(second.dwProcessId, "TMainForm"))
            PostMessageA(other, WM_COMMAND, ids::N4, 0);
        if (WaitForSingleObject(second.hProcess, 5000) == WAIT_TIMEOUT)
            TerminateProcess(second.hProcess, 1);
    }
    EXPECT_TRUE(ended) << "a second copy ran on the same hotkey.ini";
    DWORD code = 1;
    GetExitCodeProcess(second.hProcess, &code);
    EXPECT_EQ(code, 0u);
    CloseHandle(second.hThread);
    CloseHandle(second.hProcess);
    EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(main) != FALSE; }, 10000))
        << "the running copy did not come to the front";
    EXPECT_TRUE(quickdex->Running());

    // A copy in another folder, with its own hotkey.ini, runs beside it.
    TempDir other;
    other.Write("hotkey.ini", "[3+72]\r\nAction=y\r\n");
    QuickdexProcess beside(other);
    EXPECT_TRUE(beside.WaitUntilHeld(MOD_CONTROL | MOD_ALT, 'H')) << "the copy from another folder did not run";
}

TEST_F(UserRoadsE2ETest, EveryWindowOpensOnItsFirstControlAndTabCyclesItsControls)
{
    Start("[3+74]\r\nAction=x\r\n", MOD_CONTROL | MOD_ALT, 'J');
    dir.Write("Set.ini", "[Sort]\r\nWork=0\r\n");
    HWND main = ShowMain();
    HWND list = FindWindowExA(main, nullptr, WC_LISTVIEWA, nullptr);
    auto button = [](HWND root, const char* text) { return FindControl(root, "Button", text); };

    // The main window: the list, then the panel's buttons, round.
    EXPECT_EQ(FocusOf(main), list);
    EXPECT_EQ(TabWalk(main, 6), (std::vector<HWND>{list, button(main, "Add"), button(main, "Change"),
                                                  button(main, "Delete"), button(main, "Hide"),
                                                  button(main, "Exit"), list}));
    EXPECT_EQ(TabWalk(main, 1, true), (std::vector<HWND>{list, button(main, "Exit")}));
    // Moving the window keeps the focus where it is.
    RECT r;
    GetWindowRect(main, &r);
    SetWindowPos(main, nullptr, r.left + 20, r.top + 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Idle(300);
    EXPECT_EQ(FocusOf(main), button(main, "Exit"));

    // The hotkey editor: Cancel first, then the layout's tab order.
    PostMessageA(main, WM_COMMAND, ids::AddBitBtn, 0);
    HWND editor = WaitForWindow("TAddOrChange_Form");
    ASSERT_NE(editor, nullptr);
    HWND sortBox = nullptr;
    for (HWND box : FindControls(editor, "ComboBox"))
        if (GetDlgCtrlID(box) == 304) // the category's; the window's is another
            sortBox = box;
    const std::vector<HWND> editorWalk = TabWalk(editor, 12);
    ASSERT_EQ(editorWalk.size(), 13u);
    EXPECT_EQ(editorWalk[0], button(editor, "Cancel"));
    EXPECT_EQ(editorWalk[1], FindControls(editor, "Edit").at(0)); // the target
    EXPECT_EQ(editorWalk[2], FindControl(editor, "msctls_hotkey32"));
    EXPECT_EQ(editorWalk[3], button(editor, "OK"));
    EXPECT_EQ(editorWalk[4], FindControls(editor, "Edit").at(1)); // the hint
    EXPECT_EQ(GetParent(editorWalk[5]), sortBox);                 // the category's edit
    // The choice under the fields (its second box is closed until the first is ticked).
    EXPECT_EQ(editorWalk[6], button(editor, "If it is running, bring it to the &front"));
    // How the target starts, top to bottom.
    EXPECT_EQ(editorWalk[7], GetDlgItem(editor, 315)); // the arguments
    EXPECT_EQ(editorWalk[8], GetDlgItem(editor, 316)); // the start-in folder
    EXPECT_EQ(editorWalk[9], button(editor, "..."));
    EXPECT_EQ(editorWalk[10], GetDlgItem(editor, 318)); // the window
    EXPECT_EQ(editorWalk[11], button(editor, "Run as a&dministrator"));
    EXPECT_EQ(editorWalk[12], button(editor, "Cancel"));
    // Escape has no meaning of its own there: the editor stays open.
    PressKey(VK_ESCAPE);
    Idle(300);
    EXPECT_TRUE(IsWindowVisible(editor));

    // The action chooser: the tree, OK, Cancel.
    PostMessageA(editor, WM_COMMAND, 310, 0); // the action button
    HWND chooser = WaitForWindow("TDoList_Form");
    ASSERT_NE(chooser, nullptr);
    HWND tree = FindControl(chooser, WC_TREEVIEWA);
    EXPECT_EQ(TabWalk(chooser, 3),
              (std::vector<HWND>{tree, button(chooser, "OK"), button(chooser, "Cancel"), tree}));
    PressKey(VK_TAB);
    PressKey(VK_TAB);
    PressKey(VK_SPACE); // Cancel, from the keyboard
    ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(chooser); }, 5000));
    ASSERT_TRUE(PumpUntil([&] { return FocusOf(editor) != nullptr && IsWindowEnabled(editor); }, 5000));
    PostMessageA(button(editor, "Cancel"), BM_CLICK, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(editor) && IsWindowEnabled(main); }, 5000));

    // The category editor: the list, Add, Delete, Change, Close.
    PostMessageA(main, WM_COMMAND, ids::Sort_N, 0);
    HWND sorts = WaitForWindow("TSort_Form");
    ASSERT_NE(sorts, nullptr);
    HWND sortList = FindControl(sorts, "ListBox");
    EXPECT_EQ(TabWalk(sorts, 5), (std::vector<HWND>{sortList, button(sorts, "Add"), button(sorts, "Delete"),
                                                   button(sorts, "Change"), button(sorts, "Close"), sortList}));
    // Its name dialog: the edit, OK, Cancel.
    PostMessageA(sorts, WM_COMMAND, MAKEWPARAM(502, BN_CLICKED), 0); // Add
    HWND name = WaitForWindow("TAddOrChangeSort_Form");
    ASSERT_NE(name, nullptr);
    HWND nameEdit = FindControl(name, "Edit");
    EXPECT_EQ(TabWalk(name, 3),
              (std::vector<HWND>{nameEdit, button(name, "OK"), button(name, "Cancel"), nameEdit}));
    PostMessageA(button(name, "Cancel"), BM_CLICK, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(name) && FocusOf(sorts) != nullptr; }, 5000));
    PostMessageA(button(sorts, "Close"), BM_CLICK, 0, 0);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(sorts) && IsWindowEnabled(main); }, 5000));

    // About: its one button.
    PostMessageA(main, WM_COMMAND, ids::N5, 0);
    HWND about = WaitForWindow("TAbout_Form");
    ASSERT_NE(about, nullptr);
    EXPECT_EQ(FocusOf(about), button(about, "Close"));
    PressKey(VK_SPACE);
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(about) && IsWindowEnabled(main); }, 5000));
}

TEST_F(UserRoadsE2ETest, RefusedHotkeyIsMarkedAndHealsWhenItIsFreedAgain)
{
    const std::string a = Marker("a");
    // This process holds Ctrl+Alt+F9 before quickdex starts.
    ASSERT_TRUE(RegisterHotKey(nullptr, 0x3001, MOD_CONTROL | MOD_ALT, VK_F9));
    Start("[3+120]\r\nAction=" + a + "\r\n[3+75]\r\nAction=x\r\n[3+76]\r\nAction=y\r\n", MOD_CONTROL | MOD_ALT, 'L');
    EXPECT_EQ(StateImage(0), 2) << "a combination another program holds is not marked refused";
    EXPECT_EQ(StateImage(1), 1);
    EXPECT_EQ(StateImage(2), 1);

    // Freed, then the shell's taskbar is made anew: quickdex takes it.
    UnregisterHotKey(nullptr, 0x3001);
    SendMessageTimeoutA(HWND_BROADCAST, RegisterWindowMessageA("TaskbarCreated"), 0, 0, SMTO_ABORTIFHUNG, 5000,
                        nullptr);
    EXPECT_TRUE(PumpUntil([&] { return StateImage(0) == 1; }, 10000)) << "not tried again on TaskbarCreated";
    PressCombination(MOD_CONTROL | MOD_ALT, VK_F9);
    EXPECT_TRUE(WaitForRuns("a", 1)) << "the healed hotkey does not run its target";

    // The same after a resume and after an unlock.
    HWND main = quickdex->MainWindow();
    struct Wake {
        UINT message;
        WPARAM reason;
    };
    for (const Wake wake : {Wake{WM_POWERBROADCAST, 0x12}, Wake{0x02B1, 0x8}}) {
        SCOPED_TRACE(wake.message);
        PostMessageA(main, WM_COMMAND, ids::Stop_N, 0); // stop and start: the row is refused again
        ASSERT_TRUE(PumpUntil([&] { return StateImage(0) == 3; }, 10000)) << "stopped rows are not grey";
        ASSERT_TRUE(RegisterHotKey(nullptr, 0x3001, MOD_CONTROL | MOD_ALT, VK_F9));
        PostMessageA(main, WM_COMMAND, ids::Stop_N, 0);
        ASSERT_TRUE(PumpUntil([&] { return StateImage(0) == 2 && StateImage(1) == 1; }, 10000));
        UnregisterHotKey(nullptr, 0x3001);
        PostMessageA(main, wake.message, wake.reason, 0);
        EXPECT_TRUE(PumpUntil([&] { return StateImage(0) == 1; }, 10000)) << "not tried again";
    }
    EXPECT_TRUE(CombinationHeld(MOD_CONTROL | MOD_ALT, VK_F9));
}

} // namespace
} // namespace quickdex
