// quickdex.exe as its users meet it, driven from another process: bindings
// pressed with SendInput, commands sent to its windows, its exit watched.
#include "QuickdexProcess.h"
#include "platform/portable/Utf.h"
#include "platform/win32/Text.h"

#include <gtest/gtest.h>

namespace quickdex {
namespace {

using namespace quickdex::test;

class QuickdexE2ETest : public MarkerTest {};

TEST_F(QuickdexE2ETest, StartsInTrayPressRunsTargetAndCloseOnlyHides)
{
    const std::string a = Marker("a");
    dir.Write("hotkey.ini", "[3+81]\r\nAction=" + a + "\r\nHint=marker\r\nSort=Test\r\n");
    QuickdexProcess quickdex(dir);
    ASSERT_TRUE(quickdex.Started());
    ASSERT_TRUE(quickdex.WaitUntilHeld(MOD_CONTROL | MOD_ALT, 'Q')) << "the binding was never registered";

    // Only the tray icon: the main window and the application window (which
    // carries the taskbar button) are hidden.
    HWND main = quickdex.MainWindow();
    ASSERT_NE(main, nullptr);
    EXPECT_FALSE(IsWindowVisible(main));
    ASSERT_NE(quickdex.ApplicationWindow(), nullptr);
    EXPECT_FALSE(IsWindowVisible(quickdex.ApplicationWindow()));
    EXPECT_EQ(win32::WindowText(quickdex.ApplicationWindow()), "quickdex 3.50");
    EXPECT_EQ(quickdex.ListRowCount(), 1);

    PressCombination(MOD_CONTROL | MOD_ALT, 'Q');
    ASSERT_TRUE(WaitForRuns("a", 1)) << "the press did not start the target";

    PostMessageA(main, WM_COMMAND, ids::Show_N, 0);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(main) != FALSE; }, 10000));
    EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(quickdex.ApplicationWindow()) != FALSE; }, 10000))
        << "no taskbar button while shown";

    // The title-bar close button only hides into the tray.
    PostMessageA(main, WM_SYSCOMMAND, SC_CLOSE, 0);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindowVisible(main); }, 10000));
    // The application window is minimised first, then hidden with its button.
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(quickdex.ApplicationWindow()); }, 10000));
    Idle(500);
    EXPECT_TRUE(quickdex.Running());
    PressCombination(MOD_CONTROL | MOD_ALT, 'Q');
    EXPECT_TRUE(WaitForRuns("a", 2)) << "hotkeys stopped working after the close button";
}

TEST_F(QuickdexE2ETest, StopAndStartFromTheTrayMenu)
{
    const std::string a = Marker("a");
    dir.Write("hotkey.ini", "[6+69]\r\nAction=" + a + "\r\n");
    QuickdexProcess quickdex(dir);
    ASSERT_TRUE(quickdex.WaitUntilHeld(MOD_CONTROL | MOD_SHIFT, 'E'));
    HWND main = quickdex.MainWindow();

    PostMessageA(main, WM_COMMAND, ids::Stop_N, 0);
    ASSERT_TRUE(quickdex.WaitUntilHeld(MOD_CONTROL | MOD_SHIFT, 'E', false)) << "Stop kept the hotkey";
    PressCombination(MOD_CONTROL | MOD_SHIFT, 'E');
    Idle(2500);
    EXPECT_EQ(Runs("a"), 0) << "a stopped hotkey ran its target";

    PostMessageA(main, WM_COMMAND, ids::Stop_N, 0); // now reads "Start"
    ASSERT_TRUE(quickdex.WaitUntilHeld(MOD_CONTROL | MOD_SHIFT, 'E'));
    PressCombination(MOD_CONTROL | MOD_SHIFT, 'E');
    EXPECT_TRUE(WaitForRuns("a", 1)) << "Start did not bring the hotkey back";
}

TEST_F(QuickdexE2ETest, ExitEndsTheProcessAndReleasesEveryHotkey)
{
    dir.Write("hotkey.ini", "[3+81]\r\nAction=a\r\n[4+117]\r\nAction=b\r\n[0+123]\r\nAction=c\r\n");
    QuickdexProcess quickdex(dir);
    ASSERT_TRUE(quickdex.WaitUntilHeld(0, VK_F12));
    EXPECT_TRUE(CombinationHeld(MOD_CONTROL | MOD_ALT, 'Q'));
    EXPECT_TRUE(CombinationHeld(MOD_SHIFT, VK_F6));

    PostMessageA(quickdex.MainWindow(), WM_COMMAND, ids::N4, 0);
    ASSERT_TRUE(quickdex.WaitForExit(15000)) << "Exit did not end the program";
    EXPECT_FALSE(CombinationHeld(MOD_CONTROL | MOD_ALT, 'Q'));
    EXPECT_FALSE(CombinationHeld(MOD_SHIFT, VK_F6));
    EXPECT_FALSE(CombinationHeld(0, VK_F12));
}

// A section that is no binding once left every hotkey unregistered: the box
// still names it, and every other binding is listed and works.
TEST_F(QuickdexE2ETest, SectionThatIsNoBindingIsShownOnceAndTheOthersWork)
{
    dir.Write("hotkey.ini", "[2+65]\r\nAction=a\r\n[65]\r\nAction=x\r\n");
    QuickdexProcess quickdex(dir);
    HWND box = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (box = FindProcessWindow(quickdex.Id(), "#32770", "quickdex 3.50")) != nullptr; },
                          30000))
        << "no error box";
    EXPECT_EQ(MessageBoxText(box), "'' is not a valid integer value.\r\n\r\nhotkey.ini has a section that is no "
                                   "binding: [65]. It stays in the file as written; every other binding is loaded.");
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    ASSERT_TRUE(PumpUntil([&] { return !IsWindow(box); }, 10000));

    Idle(2000);
    EXPECT_EQ(FindProcessWindow(quickdex.Id(), "#32770"), nullptr) << "a second box";
    EXPECT_TRUE(quickdex.Running());
    EXPECT_EQ(quickdex.ListRowCount(), 1);
    EXPECT_TRUE(CombinationHeld(MOD_CONTROL, 'A')) << "the good binding is not registered";
    EXPECT_EQ(dir.Read("hotkey.ini"), "[2+65]\r\nAction=a\r\n[65]\r\nAction=x\r\n");
}

// A copy run from a folder whose name the code page cannot hold (a user
// name like "\xC5\x81ukasz" on a Western system) finds its hotkey.ini, and a
// press starts a program in such a folder, named in three scripts and an
// emoji: once the path came back with "?" and nothing loaded or started.
TEST_F(QuickdexE2ETest, PressStartsAProgramInAFolderOfAnyScriptFromACopyInOne)
{
    const std::string name = "\xE6\xB5\x8B\xE8\xAF\x95 \xC5\x81ukasz \xCE\x95\xCE\xBB \xF0\x9F\x98\x80";
    const std::string folder = dir.Dir() + name;
    ASSERT_TRUE(CreateDirectoryW(win32::Wide(folder).c_str(), nullptr));
    const std::string target = folder + "\\caf\xC3\xA9.exe";
    ASSERT_TRUE(CopyFileW(win32::Wide(TestProgramDir() + "marker.exe").c_str(), win32::Wide(target).c_str(), FALSE));
    // hotkey.ini as Notepad saves a file in any script: UTF-16 with its mark.
    const std::u16string text = Utf8ToUtf16("[3+74]\r\nAction=" + target + "\r\n");
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : text)
        bytes += {static_cast<char>(unit & 0xFF), static_cast<char>(unit >> 8)};
    HANDLE ini = CreateFileW(win32::Wide(folder + "\\hotkey.ini").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                             FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    WriteFile(ini, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(ini);

    QuickdexProcess quickdex(dir, name);
    ASSERT_TRUE(quickdex.WaitUntilHeld(MOD_CONTROL | MOD_ALT, 'J')) << "the bindings of that folder were not loaded";
    PressCombination(MOD_CONTROL | MOD_ALT, 'J');
    const std::wstring ran = win32::Wide(folder + "\\caf\xC3\xA9.ran");
    EXPECT_TRUE(PumpUntil([&] { return GetFileAttributesW(ran.c_str()) != INVALID_FILE_ATTRIBUTES; }, 20000))
        << "the program in that folder did not start";
}

TEST_F(QuickdexE2ETest, AddThroughTheEditorThenPressIt)
{
    const std::string added = Marker("added");
    dir.Write("hotkey.ini", "");
    QuickdexProcess quickdex(dir);
    HWND main = nullptr;
    ASSERT_TRUE(PumpUntil([&] { return (main = quickdex.MainWindow()) != nullptr; }, 30000));
    PostMessageA(main, WM_COMMAND, ids::Show_N, 0);
    ASSERT_TRUE(PumpUntil([&] { return IsWindowVisible(main) != FALSE; }, 10000));

    PostMessageA(FindControl(main, "Button", "Add"), BM_CLICK, 0, 0);
    HWND editor = nullptr;
    ASSERT_TRUE(PumpUntil(
        [&] {
            editor = FindProcessWindow(quickdex.Id(), "TAddOrChange_Form");
            return editor && IsWindowVisible(editor);
        },
        10000))
        << "the editor did not open";
    EXPECT_EQ(win32::WindowText(editor), "Add Hotkey");
    EXPECT_FALSE(IsWindowEnabled(main));

    SendMessageA(FindControl(editor, "msctls_hotkey32"), HKM_SETHOTKEY, MAKEWORD('Y', HOTKEYF_CONTROL | HOTKEYF_ALT), 0);
    SendMessageA(FindControls(editor, "Edit").at(0), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(added.c_str()));
    PostMessageA(FindControl(editor, "Button", "OK"), BM_CLICK, 0, 0);

    ASSERT_TRUE(quickdex.WaitUntilHeld(MOD_CONTROL | MOD_ALT, 'Y')) << "the new binding was not registered";
    EXPECT_TRUE(PumpUntil([&] { return !IsWindowVisible(editor); }, 10000)) << "OK did not close the editor";
    EXPECT_TRUE(IsWindowEnabled(main));
    EXPECT_EQ(quickdex.ListRowCount(), 1);
    EXPECT_EQ(dir.Read("hotkey.ini"), "[3+89]\r\nAction=" + added + "\r\nHint=\r\nSort=Other\r\n");

    PressCombination(MOD_CONTROL | MOD_ALT, 'Y');
    EXPECT_TRUE(WaitForRuns("added", 1)) << "the press did not start the new binding's target";
}

} // namespace
} // namespace quickdex
