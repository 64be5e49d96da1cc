#include "ui/Application.h"

#include "store/Errors.h"

namespace quickdex {

TApplication::TApplication()
{
    // A popup with caption, system menu and minimise box but no size: it is
    // never seen, only its taskbar button is.
    Create({.className = "TApplication",
            .title = "",
            .style = WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX,
            .x = GetSystemMetrics(SM_CXSCREEN) / 2,
            .y = GetSystemMetrics(SM_CYSCREEN) / 2,
            .width = 0,
            .height = 0,
            .icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(1))});
    win32::SetErrorHandler([this](const std::exception& e) { ShowException(e); });
}

TApplication::~TApplication()
{
    win32::SetErrorHandler(nullptr);
}

void TApplication::SetTitle(const std::string& title)
{
    title_ = title;
    SetWindowTextA(Handle(), title.c_str());
}

void TApplication::Minimize()
{
    ShowWindow(Handle(), SW_MINIMIZE);
}

TApplication::ModalLoop::ModalLoop(TApplication& application) : application_(application)
{
    ++application_.modalLoops_;
}

TApplication::ModalLoop::~ModalLoop()
{
    if (--application_.modalLoops_ == 0 && application_.closePending_) {
        application_.closePending_ = false;
        PostMessageA(application_.mainWindow_, WM_CLOSE, 0, 0);
    }
}

void TApplication::CloseAfterModalLoops()
{
    closePending_ = true;
    // The system's boxes and dialogs answer WM_CLOSE as Cancel (a box with
    // only OK as OK, which changes nothing).
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND window, LPARAM) -> BOOL {
            char name[16] = {};
            GetClassNameA(window, name, sizeof name);
            if (std::string(name) == "#32770")
                PostMessageA(window, WM_CLOSE, 0, 0);
            return TRUE;
        },
        0);
}

// The box holds its owner disabled in the count the forms keep: the system
// enables the owner when a box closes unless it found it disabled, and a
// form closing under the box would enable it too.
int TApplication::Box(HWND owner, const std::string& text, const char* caption, UINT style)
{
    ModalLoop loop(*this);
    const win32::DisabledHold hold(owner);
    return MessageBoxW(owner, win32::Wide(text).c_str(), win32::Wide(caption ? caption : "").c_str(), style);
}

int TApplication::Box(HWND owner, const std::wstring& text, const wchar_t* caption, UINT style)
{
    ModalLoop loop(*this);
    const win32::DisabledHold hold(owner);
    return MessageBoxW(owner, text.c_str(), caption, style);
}

HWND TApplication::ActiveWindowOfProgram() const
{
    // The window the user works in: the active one of this thread when it
    // takes input, else the main window when it is shown, else the
    // (invisible) application window.
    HWND active = GetActiveWindow();
    if (active && IsWindowVisible(active) && IsWindowEnabled(active))
        return active;
    if (mainWindow_ && IsWindowVisible(mainWindow_) && IsWindowEnabled(mainWindow_))
        return mainWindow_;
    return Handle();
}

void TApplication::ShowException(const std::exception& error)
{
    Box(ActiveWindowOfProgram(), ErrorBoxText(error.what()), title_.c_str(), MB_ICONERROR | MB_OK);
}

int TApplication::Run()
{
    MSG msg;
    while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
        if (MoveFocus(msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return static_cast<int>(msg.wParam);
}

bool TApplication::MoveFocus(MSG& msg)
{
    // Tab and Shift+Tab move between the controls of whichever window has
    // them; Enter and Escape keep the meanings the windows give them.
    if (msg.message != WM_KEYDOWN || msg.wParam != VK_TAB)
        return false;
    HWND root = GetAncestor(msg.hwnd, GA_ROOT);
    return root && IsDialogMessageW(root, &msg);
}

LRESULT TApplication::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ACTIVATE:
        // The application window is never the one to work in: pass the
        // activation on to the main window when it is shown.
        if (LOWORD(wParam) != WA_INACTIVE && mainWindow_ && IsWindowVisible(mainWindow_)) {
            SetActiveWindow(win32::InputWindowFor(mainWindow_));
            return 0;
        }
        break;
    case WM_SYSCOMMAND:
        // Restoring from the taskbar button brings the main window back.
        if ((wParam & 0xFFF0) == SC_RESTORE && mainWindow_) {
            const LRESULT result = Default(message, wParam, lParam);
            ShowWindow(mainWindow_, SW_SHOW);
            SetForegroundWindow(win32::InputWindowFor(mainWindow_));
            return result;
        }
        // "Close window" on the taskbar button hides the program into the
        // tray, as the close box of the main window does; only Exit and
        // "Close quickdex" end it.
        if ((wParam & 0xFFF0) == SC_CLOSE) {
            Minimize();
            return 0;
        }
        break;
    case WM_CLOSE:
        Minimize();
        return 0;
    default:
        break;
    }
    return Default(message, wParam, lParam);
}

} // namespace quickdex
