// What every window shares, seen from outside the windows: which window
// takes input while others are open, where a box stands, what reached the
// shell for the tray icon, the key field while quickdex holds a combination,
// and what the list and the editor say of a hotkey that does not work.
#include "DialogAnswerer.h"
#include "app/SingleInstance.h"
#include "ProgramWindows.h"
#include "WinSupport.h"
#include "ui/Application.h"
#include "support/TempDir.h"
#include "ui/about/about.h"
#include "ui/dialogs/AddOrChange.h"
#include "ui/dialogs/DoList.h"
#include "ui/dialogs/Sort.h"
#include "ui/dialogs/psvDialogs.h"
#include "ui/main/MainIds.h"
#include "ui/main/main.h"
#include "platform/win32/SessionNotes.h"
#include "platform/win32/SystemLibraries.h"

#include <gtest/gtest.h>

#include <optional>

namespace quickdex {
namespace {

using namespace quickdex::test;

class WindowLayerTest : public ProgramWindowsTest {
protected:
    std::string InfoTip(int row) { return InfoTipOf(*main, row); }
    int StateImage(int row) const
    {
        return static_cast<int>(ListView_GetItemState(main->ListView(), row, LVIS_STATEIMAGEMASK) >> 12);
    }
};

TEST_F(WindowLayerTest, MainWindowStaysDisabledWhileAnyEditorIsOpen)
{
    Start("[1+65]\r\nAction=a\r\n");
    HWND mainWindow = main->Handle();
    main->ShowMainWindow();
    main->AddBitBtnClick();
    ASSERT_FALSE(IsWindowEnabled(mainWindow));
    // About from the tray menu, then closed: the editor still holds the main window.
    SendMessageA(mainWindow, WM_COMMAND, ids::N1, 0);
    EXPECT_TRUE(about->Visible());
    about->Close();
    EXPECT_FALSE(IsWindowEnabled(mainWindow)) << "About enabled the main window under the open editor";
    editor->Close();
    EXPECT_TRUE(IsWindowEnabled(mainWindow));

    // The same road from the category editor, and from its name dialog.
    sortForm->Show();
    sortForm->Add_BitBtnClick();
    EXPECT_FALSE(IsWindowEnabled(sortForm->Handle()));
    SendMessageA(mainWindow, WM_COMMAND, ids::N1, 0);
    about->Close();
    EXPECT_FALSE(IsWindowEnabled(mainWindow));
    EXPECT_FALSE(IsWindowEnabled(sortForm->Handle()));
    sortName->Close();
    EXPECT_TRUE(IsWindowEnabled(sortForm->Handle()));
    EXPECT_FALSE(IsWindowEnabled(mainWindow));
    sortForm->Close();
    EXPECT_TRUE(IsWindowEnabled(mainWindow));
}

TEST_F(WindowLayerTest, BoxesStandAboveTheWindowTheyConcernWithTheirIcons)
{
    Start("[1+65]\r\nAction=a\r\n");
    main->ShowMainWindow();
    const std::string path = dir.File("hotkey.ini");
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    DialogAnswerer answerer;
    // A refused write from the editor: the error box blocks the editor.
    main->AddBitBtnClick();
    SendMessageA(editor->HotKey(), HKM_SETHOTKEY, MAKEWORD('N', HOTKEYF_CONTROL), 0);
    SetWindowTextA(editor->Path_LabEdit(), "n.exe");
    SendMessageA(editor->Handle(), WM_COMMAND, editor_ids::IdOk, 0);
    SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    // An incomplete one: the information box, also above the editor.
    SetWindowTextA(editor->Path_LabEdit(), "");
    SendMessageA(editor->Handle(), WM_COMMAND, editor_ids::IdOk, 0);
    editor->Close();
    // The delete question, and the plain "Register hotkey fail"-style box.
    ListView_SetItemState(main->ListView(), 0, LVIS_SELECTED, LVIS_SELECTED);
    answerer.SetAnswer(IDCANCEL);
    main->DelBitBtnClick();

    const auto boxes = answerer.Boxes();
    ASSERT_EQ(boxes.size(), 3u);
    EXPECT_EQ(boxes[0].owner, editor->Handle());
    EXPECT_FALSE(boxes[0].ownerEnabled) << "the editor took input under its error box";
    EXPECT_EQ(boxes[0].icon, "error");
    EXPECT_EQ(boxes[0].caption, L"quickdex 3.50");
    EXPECT_EQ(boxes[1].owner, editor->Handle());
    EXPECT_EQ(boxes[1].icon, "information");
    EXPECT_FALSE(boxes[1].hasCancel);
    EXPECT_EQ(boxes[2].owner, main->Handle());
    EXPECT_EQ(boxes[2].icon, "question");
    EXPECT_TRUE(boxes[2].hasCancel);
    EXPECT_NE(dir.Read("hotkey.ini").find("[1+65]"), std::string::npos) << "Cancel erased the binding";
}

TEST_F(WindowLayerTest, CloseAskedForUnderTheDeleteQuestionErasesNothingAndEnds)
{
    const std::string ini = "[1+65]\r\nAction=a\r\n";
    Start(ini);
    main->ShowMainWindow();
    ListView_SetItemState(main->ListView(), 0, LVIS_SELECTED, LVIS_SELECTED);
    // While the question is open, "Close quickdex" posts the main window its close.
    DialogAnswerer answerer;
    HWND mainWindow = main->Handle();
    answerer.SetInstead([mainWindow](HWND) { PostMessageA(mainWindow, WM_CLOSE, 0, 0); });
    main->DelBitBtnClick();
    PumpUntil([&] { return !IsWindow(mainWindow); }, 5000);
    ASSERT_EQ(answerer.Boxes().size(), 1u);
    EXPECT_EQ(answerer.Boxes()[0].text.rfind(L"Are you sure to delete", 0), 0u);
    EXPECT_EQ(Ini(), ini) << "the unanswered question was taken for a yes";
    EXPECT_FALSE(IsWindow(mainWindow)) << "the program did not end once the question was gone";
}

TEST_F(WindowLayerTest, TrayPictureFollowsStopAndStartAfterEveryHide)
{
    Start("[5+80]\r\nAction=x\r\n");
    ASSERT_EQ(shell.ShownGrey(), false) << "the running picture is not the one shown at start";
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        main->ShowMainWindow();
        main->Mini_BitBtnClick(); // Hide
        PumpUntil([&] { return !IsWindowVisible(main->Handle()); }, 5000);
        SendMessageA(main->Handle(), WM_COMMAND, ids::Stop_N, 0);
        EXPECT_EQ(shell.ShownGrey(), true) << "Stop did not reach the shell";
        SendMessageA(main->Handle(), WM_COMMAND, ids::Stop_N, 0);
        EXPECT_EQ(shell.ShownGrey(), false) << "Start did not reach the shell";
    }
    // The shell was never asked to add an icon it holds.
    EXPECT_EQ(shell.Count(NIM_ADD), 1);
}

TEST_F(WindowLayerTest, ShellRestartAddsTheIconAgainWithTheCurrentPicture)
{
    Start("[5+80]\r\nAction=x\r\n");
    SendMessageA(main->Handle(), WM_COMMAND, ids::Stop_N, 0);
    shell.calls.clear();
    shell.holdsIcon = false; // the new taskbar holds none of the old icons
    SendMessageA(main->CoolTrayIcon().Handle(), RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    ASSERT_FALSE(shell.calls.empty());
    EXPECT_EQ(shell.calls.front().message, static_cast<DWORD>(NIM_ADD));
    EXPECT_TRUE(shell.calls.front().grey) << "the icon came back with the running picture while stopped";
}

// Started with Windows before the taskbar is ready: the shell refuses the
// first adds, and the icon comes as soon as it takes one; no add after that.
TEST_F(WindowLayerTest, IconRefusedAtStartIsAddedOnceTheShellTakesIt)
{
    shell.refuseAdds = 2;
    Start("[5+80]\r\nAction=x\r\n");
    EXPECT_FALSE(shell.holdsIcon);
    EXPECT_TRUE(PumpUntil([&] { return shell.holdsIcon; }, 15000)) << "the icon never came";
    const int adds = shell.Count(NIM_ADD);
    PumpUntil([] { return false; }, 3000);
    EXPECT_EQ(shell.Count(NIM_ADD), adds) << "adds went on after the shell took the icon";
    EXPECT_EQ(adds, 3);
}

TEST_F(WindowLayerTest, HeldCombinationCanBeTypedIntoTheKeyField)
{
    const std::string marker = dir.File("never.exe");
    Start("[3+122]\r\nAction=" + marker + "\r\n");
    ASSERT_TRUE(CombinationHeld(MOD_CONTROL | MOD_ALT, VK_F11));
    main->ShowMainWindow();
    main->AddBitBtnClick();
    SetForegroundWindow(editor->Handle());
    SetFocus(editor->HotKey());
    EXPECT_FALSE(CombinationHeld(MOD_CONTROL | MOD_ALT, VK_F11)) << "quickdex still holds it while typing";
    PressCombination(MOD_CONTROL | MOD_ALT, VK_F11);
    PumpUntil([&] { return SendMessageA(editor->HotKey(), HKM_GETHOTKEY, 0, 0) != 0; }, 5000);
    EXPECT_EQ(SendMessageA(editor->HotKey(), HKM_GETHOTKEY, 0, 0), MAKEWORD(VK_F11, HOTKEYF_CONTROL | HOTKEYF_ALT));
    // Leaving the field, and closing the editor, bring the hotkeys back.
    SetFocus(editor->Path_LabEdit());
    EXPECT_TRUE(CombinationHeld(MOD_CONTROL | MOD_ALT, VK_F11));
    SetFocus(editor->HotKey());
    editor->Close();
    EXPECT_TRUE(CombinationHeld(MOD_CONTROL | MOD_ALT, VK_F11));
    EXPECT_FALSE(main->Engine().Stopped);
}

TEST_F(WindowLayerTest, CombinationAnotherProgramHoldsIsTypedIntoTheKeyFieldAndNamed)
{
    // Another program holds Ctrl+Alt+F6 and counts its presses.
    HotkeyWindow holder;
    int holderPresses = 0;
    holder.onHotkey = [&](WPARAM, LPARAM) { ++holderPresses; };
    ASSERT_TRUE(RegisterHotKey(holder.Handle(), 1, MOD_CONTROL | MOD_ALT, VK_F6));
    Start("");
    main->ShowMainWindow();
    main->AddBitBtnClick();
    SetForegroundWindow(editor->Handle());
    SetFocus(editor->HotKey());
    auto field = [&] { return static_cast<WORD>(SendMessageA(editor->HotKey(), HKM_GETHOTKEY, 0, 0)); };

    PressCombination(MOD_CONTROL | MOD_ALT, VK_F6);
    EXPECT_TRUE(PumpUntil([&] { return field() != 0; }, 3000)) << "the key field stayed empty";
    PumpUntil([] { return false; }, 300);
    EXPECT_EQ(field(), MAKEWORD(VK_F6, HOTKEYF_CONTROL | HOTKEYF_ALT));
    EXPECT_EQ(win32::WindowText(editor->StatusLine()),
              "Ctrl + ALT + F6 is in use by another program; it will be listed as not active.");
    EXPECT_EQ(holderPresses, 0) << "the holder took the press typed into the field";
    // The field keeps it once the keys are up; the next one replaces it.
    PressCombination(MOD_CONTROL | MOD_SHIFT, VK_DELETE);
    EXPECT_TRUE(PumpUntil([&] { return LOBYTE(field()) == VK_DELETE; }, 3000));
    EXPECT_EQ(HIBYTE(field()) & ~HOTKEYF_EXT, HOTKEYF_CONTROL | HOTKEYF_SHIFT);
    EXPECT_EQ(GetFocus(), editor->HotKey());

    // Tab leaves the field, as in the program's loop; then the holder has its
    // combination again.
    auto pump = [](const std::function<bool()>& done) {
        const ULONGLONG end = GetTickCount64() + 3000;
        while (!done() && GetTickCount64() < end) {
            MSG msg;
            while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
                if (TApplication::MoveFocus(msg))
                    continue;
                TranslateMessage(&msg);
                DispatchMessageA(&msg);
            }
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
        }
        return done();
    };
    PressCombination(0, VK_TAB);
    EXPECT_TRUE(pump([&] { return GetFocus() != editor->HotKey(); })) << "Tab stayed in the field";
    EXPECT_EQ(GetFocus(), FindControl(editor->Handle(), "Button", "OK"));
    PressCombination(MOD_CONTROL | MOD_ALT, VK_F6);
    EXPECT_TRUE(pump([&] { return holderPresses == 1; })) << "the holder lost its hotkey";
    EXPECT_EQ(LOBYTE(field()), VK_DELETE);

    // Shift+Tab comes back; Escape there empties the field, as it always did.
    PressCombination(MOD_SHIFT, VK_TAB);
    EXPECT_TRUE(pump([&] { return GetFocus() == editor->HotKey(); })) << "Shift+Tab did not come back";
    // (With its scan code, as a keyboard sends it: the field reads the key
    // of the character Escape makes from that code.)
    INPUT escape[2] = {};
    for (INPUT& in : escape) {
        in.type = INPUT_KEYBOARD;
        in.ki.wVk = VK_ESCAPE;
        in.ki.wScan = static_cast<WORD>(MapVirtualKeyA(VK_ESCAPE, MAPVK_VK_TO_VSC));
    }
    escape[1].ki.dwFlags = KEYEVENTF_KEYUP;
    SendInput(2, escape, sizeof(INPUT));
    EXPECT_TRUE(pump([&] { return field() == 0; })) << "Escape did not reach the field: " << std::hex << field();
    EXPECT_TRUE(editor->Visible());
    // Closed with the focus in the field, the capture ends with the editor.
    editor->Close();
    PressCombination(MOD_CONTROL | MOD_ALT, VK_F6);
    EXPECT_TRUE(pump([&] { return holderPresses == 2; })) << "the capture outlived the editor";
    UnregisterHotKey(holder.Handle(), 1);
}

TEST_F(WindowLayerTest, CombinationTakenWhileTheKeyFieldStoodAsideIsMarkedWhenItComesBack)
{
    Start("[3+121]\r\nAction=notepad.exe\r\n[3+79]\r\nAction=regedit.exe\r\n");
    ASSERT_EQ(StateImage(0), 1);
    ASSERT_EQ(shell.Tip(), "");
    main->ShowMainWindow();
    main->AddBitBtnClick();
    SetForegroundWindow(editor->Handle());
    SetFocus(editor->HotKey());
    ASSERT_FALSE(CombinationHeld(MOD_CONTROL | MOD_ALT, VK_F10));
    // Another program takes Ctrl+Alt+F10 while the user types.
    ASSERT_TRUE(RegisterHotKey(nullptr, 0x3004, MOD_CONTROL | MOD_ALT, VK_F10));
    SetFocus(editor->Path_LabEdit());
    EXPECT_EQ(StateImage(0), 2) << "the row stayed green";
    EXPECT_EQ(StateImage(1), 1);
    EXPECT_EQ(InfoTip(0), "Ctrl + ALT + F10 is in use by another program.");
    EXPECT_EQ(shell.Tip(), "quickdex: 1 of 2 hotkeys are not active");
    UnregisterHotKey(nullptr, 0x3004);
    editor->Close();
}

TEST_F(WindowLayerTest, RowsTipsAndTrayTellWhichHotkeysDoNotWork)
{
    // This process holds Ctrl+Alt+F9; rows 2 and 3 have the same combination.
    ASSERT_TRUE(RegisterHotKey(nullptr, 0x3002, MOD_CONTROL | MOD_ALT, VK_F9));
    Start("[3+120]\r\nAction=notepad.exe\r\nHint=note\r\n[3+78]\r\nAction=regedit.exe\r\n"
          "[03+78]\r\nAction=cmd.exe\r\n[3+79]\r\nAction=explorer.exe\r\n");
    EXPECT_EQ(StateImage(0), 2);
    EXPECT_EQ(StateImage(1), 1);
    EXPECT_EQ(StateImage(2), 2);
    EXPECT_EQ(StateImage(3), 1);
    EXPECT_EQ(InfoTip(0), "Ctrl + ALT + F9 is in use by another program.\r\nnote");
    EXPECT_EQ(InfoTip(2), "Same hotkey as row 2 (Ctrl + ALT + N): the first one wins.");
    EXPECT_EQ(InfoTip(3), "");
    auto tip = [&] { return shell.Tip(); };
    EXPECT_EQ(tip(), "quickdex: 2 of 4 hotkeys are not active");

    SendMessageA(main->Handle(), WM_COMMAND, ids::Stop_N, 0);
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(StateImage(row), 3);
    SendMessageA(main->Handle(), WM_COMMAND, ids::Stop_N, 0);
    EXPECT_EQ(StateImage(0), 2);
    EXPECT_EQ(StateImage(1), 1);

    // Freed, and the window shown: tried again, the tip goes.
    UnregisterHotKey(nullptr, 0x3002);
    main->ShowMainWindow();
    EXPECT_EQ(StateImage(0), 1);
    EXPECT_EQ(StateImage(2), 2) << "a duplicate cannot be healed";
    EXPECT_EQ(tip(), "quickdex: 1 of 4 hotkeys are not active");
}

TEST_F(WindowLayerTest, EditorStatusLineTellsFreeHeldAndBound)
{
    ASSERT_TRUE(RegisterHotKey(nullptr, 0x3003, MOD_CONTROL | MOD_ALT, VK_F8));
    Start("[3+78]\r\nAction=notepad.exe\r\n");
    main->AddBitBtnClick();
    auto type = [&](WORD vk) {
        SendMessageA(editor->HotKey(), HKM_SETHOTKEY, MAKEWORD(vk, HOTKEYF_CONTROL | HOTKEYF_ALT), 0);
        SendMessageA(editor->Handle(), WM_COMMAND, MAKEWPARAM(editor_ids::IdHotKey, EN_CHANGE),
                     reinterpret_cast<LPARAM>(editor->HotKey()));
        return win32::WindowText(editor->StatusLine());
    };
    EXPECT_EQ(type(VK_F7), "Ctrl + ALT + F7 is free.");
    EXPECT_EQ(type(VK_F8), "Ctrl + ALT + F8 is in use by another program; it will be listed as not active.");
    EXPECT_EQ(type('N'), "Ctrl + ALT + N is already bound in quickdex: row 1 (notepad.exe).");
    UnregisterHotKey(nullptr, 0x3003);
    // The status line sits under the layout, which keeps its place.
    RECT status, ok;
    GetWindowRect(editor->StatusLine(), &status);
    GetWindowRect(FindControl(editor->Handle(), "Button", "OK"), &ok);
    EXPECT_GT(status.top, ok.bottom);
}

TEST_F(WindowLayerTest, EditorStatusLineWarnsOfCombinationsThatWorkAgainstTheUserOnWindows)
{
    Start("");
    main->AddBitBtnClick();
    std::vector<std::string> shown;
    auto type = [&](WORD vk, BYTE flags) {
        SendMessageA(editor->HotKey(), HKM_SETHOTKEY, MAKEWORD(vk, flags), 0);
        SendMessageA(editor->Handle(), WM_COMMAND, MAKEWPARAM(editor_ids::IdHotKey, EN_CHANGE),
                     reinterpret_cast<LPARAM>(editor->HotKey()));
        shown.push_back(win32::WindowText(editor->StatusLine()));
        return shown.back();
    };
    EXPECT_EQ(type(VK_F12, 0), "F12 alone is reserved by Windows for debuggers; choose another key.");
    EXPECT_EQ(type(VK_F5, 0), "F5 is free, but not while an admin program is in front.");
    EXPECT_EQ(type(VK_F5, HOTKEYF_SHIFT),
              "Shift + F5 is free, but not while an admin program is in front.");
    EXPECT_EQ(type(VK_F5, HOTKEYF_CONTROL), "Ctrl + F5 is free.");
    // The layouts installed here (Wine's US one) type nothing with AltGr+Q.
    EXPECT_EQ(type('Q', HOTKEYF_CONTROL | HOTKEYF_ALT), "Ctrl + ALT + Q is free.");
    // A German layout beside it: AltGr+Q types "@".
    editor->SetAltGrText([](int key, bool shift) -> std::optional<std::string> {
        if (key == 'Q' && !shift)
            return "@";
        return std::nullopt;
    });
    EXPECT_EQ(type('Q', HOTKEYF_CONTROL | HOTKEYF_ALT),
              "Ctrl + ALT + Q is free, but types \"@\" on an installed layout.");
    EXPECT_EQ(type('Q', HOTKEYF_CONTROL | HOTKEYF_ALT | HOTKEYF_SHIFT), "Ctrl + Shift + Alt + Q is free.");
    // One that this code page cannot show.
    editor->SetAltGrText([](int, bool) -> std::optional<std::string> { return ""; });
    EXPECT_EQ(type(VK_OEM_PLUS, HOTKEYF_CONTROL | HOTKEYF_ALT),
              "Ctrl + ALT + = is free, but types a character on an installed layout.");
    // The longest captions of each kind.
    type('W', HOTKEYF_CONTROL | HOTKEYF_ALT | HOTKEYF_SHIFT);
    editor->SetAltGrText([](int, bool) -> std::optional<std::string> { return "@"; });
    type('W', HOTKEYF_CONTROL | HOTKEYF_ALT | HOTKEYF_SHIFT);
    EXPECT_EQ(type(VK_SCROLL, HOTKEYF_SHIFT),
              "Shift + Soroll Lock is free, but not while an admin program is in front.");
    // The line shows each of them whole.
    RECT line;
    GetClientRect(editor->StatusLine(), &line);
    HDC dc = GetDC(editor->StatusLine());
    const HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(editor->StatusLine(), WM_GETFONT, 0, 0)));
    for (const std::string& text : shown) {
        SIZE size{};
        GetTextExtentPoint32A(dc, text.c_str(), static_cast<int>(text.size()), &size);
        EXPECT_LE(size.cx, line.right) << "cut off: " << text;
    }
    SelectObject(dc, old);
    ReleaseDC(editor->StatusLine(), dc);
    editor->Close();
}

// Listens in on the session's notifications as the system would take them:
// at logon the first registrations are refused until the services are up.
class SessionRecorder {
public:
    explicit SessionRecorder(int refusals) : refusals_(refusals)
    {
        auto& calls = win32::SessionNotes::SystemCalls();
        saved_ = calls;
        calls.registerNotes = [this](HWND window, DWORD) {
            registered.push_back(window);
            if (refusals_ > 0) {
                --refusals_;
                SetLastError(RPC_S_INVALID_BINDING);
                return false;
            }
            return true;
        };
        calls.unregisterNotes = [this](HWND window) {
            unregistered.push_back(window);
            return true;
        };
    }
    ~SessionRecorder() { win32::SessionNotes::SystemCalls() = saved_; }
    SessionRecorder(const SessionRecorder&) = delete;
    SessionRecorder& operator=(const SessionRecorder&) = delete;

    std::vector<HWND> registered, unregistered;

private:
    int refusals_;
    win32::SessionNotes::Calls saved_;
};

TEST_F(WindowLayerTest, SessionNotesRefusedAtLogonAreAskedForAgainAndGivenBackAtExit)
{
    SessionRecorder session(2);
    Start("[3+121]\r\nAction=x\r\n");
    const HWND window = main->Handle();
    ASSERT_EQ(session.registered, std::vector<HWND>{window});
    // Asked for again until the system takes it, then no more.
    EXPECT_TRUE(PumpUntil([&] { return session.registered.size() == 3; }, 10000))
        << session.registered.size() << " registrations";
    PumpUntil([] { return false; }, 2500);
    EXPECT_EQ(session.registered, (std::vector<HWND>{window, window, window}));
    EXPECT_TRUE(session.unregistered.empty());
    // Exit gives it back, while the window is still there to name.
    main->Close();
    MSG quit;
    PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);
    EXPECT_EQ(session.unregistered, std::vector<HWND>{window});
    main.reset();
    EXPECT_EQ(session.unregistered.size(), 1u) << "given back twice";
}

TEST_F(WindowLayerTest, SecondStartRefusedTheGuardOfACopyRunningAsAdministratorShowsThatCopy)
{
    Start("[3+121]\r\nAction=x\r\n");
    const SingleInstance running(dir.Dir());
    ASSERT_FALSE(running.AlreadyRunning());
    running.Claim(main->Handle());
    ASSERT_FALSE(IsWindowVisible(main->Handle()));
    // Started normally beside a copy that runs as administrator, as WinMain
    // starts: the system refuses the running copy's guard.
    const SingleInstance second(dir.Dir(), [](const char*) -> HANDLE {
        SetLastError(ERROR_ACCESS_DENIED);
        return nullptr;
    });
    if (second.AlreadyRunning())
        second.ShowRunningCopy();
    EXPECT_TRUE(PumpUntil([&] { return IsWindowVisible(main->Handle()) != FALSE; }, 5000))
        << "the second copy ran in full beside the running one";
    running.Release(main->Handle());
}

TEST_F(WindowLayerTest, LateBoundSystemCallsResolve)
{
    // The very functions the program calls, looked up as it looks them up.
    EXPECT_NE(ReleaseItemList(), nullptr) << "shell32 ordinal 155";
    EXPECT_NE(win32::OpenFileDialog(), nullptr);
    EXPECT_NE(win32::MciSendString(), nullptr);
    EXPECT_NE(win32::RegisterSessionNotes(), nullptr);
    EXPECT_NE(win32::UnregisterSessionNotes(), nullptr);
}

} // namespace
} // namespace quickdex
