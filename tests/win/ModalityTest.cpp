// Which of the program's windows takes input while another of its windows or
// a box of the system is open, seen as the user meets it: which window is
// enabled, which is in front, where the focus is.
#include "DialogAnswerer.h"
#include "ProgramWindows.h"
#include "WinSupport.h"

#include <gtest/gtest.h>

#include <functional>

namespace quickdex {
namespace {

using namespace quickdex::test;

HWND FocusOfThread(DWORD thread)
{
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return GetGUIThreadInfo(thread, &info) ? info.hwndFocus : nullptr;
}

// The top-level window the user sees at the middle of `window`.
HWND InFrontAtMiddleOf(HWND window)
{
    RECT r;
    GetWindowRect(window, &r);
    return GetAncestor(WindowFromPoint(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2}), GA_ROOT);
}

class ModalityTest : public ProgramWindowsTest {
protected:
    ModalityTest()
    {
        // Another program's window, where the user works meanwhile.
        elsewhere_ = CreateWindowExA(0, "STATIC", "elsewhere", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 1024, 768,
                                     nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    }
    ~ModalityTest() override
    {
        DestroyWindow(elsewhere_);
        // The mouse move the system makes up for the windows now under the
        // cursor is handled here, not in the next test's first click.
        PumpUntil([] { return false; }, 200);
    }

    void GoElsewhere()
    {
        SetForegroundWindow(elsewhere_);
        PumpUntil([&] { return GetForegroundWindow() == elsewhere_; }, 2000);
    }
    void ClickTray()
    {
        HWND tray = main->CoolTrayIcon().Handle();
        SendMessageA(tray, WM_TRAYCALLBACK, TrayIconId, WM_LBUTTONDOWN);
        SendMessageA(tray, WM_TRAYCALLBACK, TrayIconId, WM_LBUTTONUP);
    }

    HWND elsewhere_ = nullptr;
};

TEST_F(ModalityTest, ShowingTheMainWindowUnderAnOpenDialogBringsTheDialogToTheFront)
{
    // Ctrl+Shift+P shows the main window. (Not with Alt: Alt let go after a
    // press the hotkey took would open the window menu of the window in front.)
    Start("[6+80]\r\nAction=Show quickdex\r\n[3+81]\r\nAction=x\r\n");
    HWND mainWindow = main->Handle();
    struct Road {
        const char* name;
        std::function<void()> show;
    };
    const Road roads[] = {
        {"a click on the tray icon", [&] { ClickTray(); }},
        {"the Show quickdex hotkey",
         [&] {
             PressCombination(MOD_CONTROL | MOD_SHIFT, 'P');
             PumpUntil([] { return false; }, 300);
         }},
        {"a second start", [&] { SendMessageA(mainWindow, RegisterWindowMessageA(ShowRunningMessage), 0, 0); }},
    };
    main->ShowMainWindow();
    for (const Road& road : roads) {
        SCOPED_TRACE(road.name);
        main->AddBitBtnClick();
        ASSERT_TRUE(editor->Visible());
        GoElsewhere();
        ASSERT_EQ(GetForegroundWindow(), elsewhere_);

        road.show();
        PumpUntil([&] { return GetForegroundWindow() == editor->Handle(); }, 1000);
        EXPECT_EQ(GetForegroundWindow(), editor->Handle()) << "the disabled main window came to the front";
        EXPECT_TRUE(IsChild(editor->Handle(), FocusOfThread(GetCurrentThreadId())))
            << "the focus is not in the editor";
        EXPECT_EQ(InFrontAtMiddleOf(editor->Handle()), editor->Handle());
        EXPECT_FALSE(IsWindowEnabled(mainWindow));
        editor->Close();
        EXPECT_TRUE(IsWindowEnabled(mainWindow));
    }

    // The chooser above the editor: it is the one brought back.
    main->AddBitBtnClick();
    editor->SpeedButton3Click();
    GoElsewhere();
    ClickTray();
    PumpUntil([&] { return GetForegroundWindow() == chooser->Handle(); }, 1000);
    EXPECT_EQ(GetForegroundWindow(), chooser->Handle());
    EXPECT_TRUE(IsChild(chooser->Handle(), FocusOfThread(GetCurrentThreadId())));
    chooser->Close();
    editor->Close();
}

TEST_F(ModalityTest, ShowingTheMainWindowUnderTheDeleteQuestionBringsTheQuestionToTheFront)
{
    Start("[3+81]\r\nAction=x\r\n");
    main->ShowMainWindow();
    ListView_SetItemState(main->ListView(), 0, LVIS_SELECTED, LVIS_SELECTED);
    const DWORD thread = GetCurrentThreadId();
    HWND tray = main->CoolTrayIcon().Handle();
    HWND elsewhere = elsewhere_;
    HWND foreground = nullptr;
    bool focusInQuestion = false;
    HWND question = nullptr;
    DialogAnswerer answerer;
    answerer.SetInstead([&](HWND box) {
        question = box;
        SetForegroundWindow(elsewhere);
        Sleep(200);
        PostMessageA(tray, WM_TRAYCALLBACK, TrayIconId, WM_LBUTTONDOWN);
        PostMessageA(tray, WM_TRAYCALLBACK, TrayIconId, WM_LBUTTONUP);
        for (int i = 0; i < 50 && !(GetForegroundWindow() == box && IsChild(box, FocusOfThread(thread))); ++i)
            Sleep(20);
        foreground = GetForegroundWindow();
        focusInQuestion = IsChild(box, FocusOfThread(thread)) != FALSE;
        PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
    });
    main->DelBitBtnClick();
    ASSERT_NE(question, nullptr);
    EXPECT_EQ(foreground, question) << "the disabled main window came to the front";
    EXPECT_TRUE(focusInQuestion) << "the focus is not in the question";
    EXPECT_NE(Ini().find("[3+81]"), std::string::npos);
}

// The boxes of the system count among what holds the main window disabled:
// About opened and closed over the Delete question, or the question answered
// while About is open, never leaves the main window taking input under the
// window that still holds it.
TEST_F(ModalityTest, BoxesCountAmongWhatHoldsTheMainWindow)
{
    Start("[3+81]\r\nAction=x\r\n[3+82]\r\nAction=y\r\n");
    main->ShowMainWindow();
    HWND mainWindow = main->Handle();
    HWND aboutWindow = about->Handle();
    auto waitFor = [](const std::function<bool()>& done) {
        for (int i = 0; i < 100 && !done(); ++i)
            Sleep(20);
        return done();
    };

    // About from the tray over the open question, then closed.
    {
        ListView_SetItemState(main->ListView(), 0, LVIS_SELECTED, LVIS_SELECTED);
        bool aboutShown = false;
        bool enabledUnderQuestion = true;
        HWND inFront = nullptr;
        DialogAnswerer answerer;
        answerer.SetInstead([&](HWND box) {
            PostMessageA(mainWindow, WM_COMMAND, ids::N1, 0);
            aboutShown = waitFor([&] { return IsWindowVisible(aboutWindow) != FALSE; });
            PostMessageA(aboutWindow, WM_CLOSE, 0, 0);
            waitFor([&] { return !IsWindowVisible(aboutWindow); });
            Sleep(100);
            enabledUnderQuestion = IsWindowEnabled(mainWindow) != FALSE;
            inFront = GetForegroundWindow();
            PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
        });
        main->DelBitBtnClick();
        ASSERT_TRUE(aboutShown);
        EXPECT_FALSE(enabledUnderQuestion) << "closing About enabled the main window under the open question";
        EXPECT_NE(inFront, mainWindow);
        EXPECT_TRUE(IsWindowEnabled(mainWindow)) << "answered and nothing else open";
    }

    // The question answered while About is open: About still holds it.
    {
        ListView_SetItemState(main->ListView(), 0, LVIS_SELECTED, LVIS_SELECTED);
        DialogAnswerer answerer;
        answerer.SetInstead([&](HWND box) {
            PostMessageA(mainWindow, WM_COMMAND, ids::N1, 0);
            waitFor([&] { return IsWindowVisible(aboutWindow) != FALSE; });
            PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
        });
        main->DelBitBtnClick();
        ASSERT_TRUE(about->Visible());
        EXPECT_FALSE(IsWindowEnabled(mainWindow)) << "the answered question enabled the main window under About";
        about->Close();
        EXPECT_TRUE(IsWindowEnabled(mainWindow));
        EXPECT_EQ(GetForegroundWindow(), mainWindow);
    }
    EXPECT_EQ(Ini(), "[3+81]\r\nAction=x\r\n[3+82]\r\nAction=y\r\n") << "a Cancel erased a binding";
}

} // namespace
} // namespace quickdex
