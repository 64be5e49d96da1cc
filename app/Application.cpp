#include "app/Application.h"

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

void TApplication::ShowException(const std::exception& error)
{
    const std::string text = ErrorBoxText(error.what());
    MessageBoxA(Handle(), text.c_str(), title_.c_str(), MB_ICONERROR | MB_OK);
}

int TApplication::Run()
{
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        // Tab moves between the controls of whichever window has them.
        if (msg.message == WM_KEYDOWN && msg.wParam == VK_TAB) {
            HWND root = GetAncestor(msg.hwnd, GA_ROOT);
            if (root && IsDialogMessageA(root, &msg))
                continue;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

LRESULT TApplication::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ACTIVATE:
        // The application window is never the one to work in: pass the
        // activation on to the main window when it is shown.
        if (LOWORD(wParam) != WA_INACTIVE && mainWindow_ && IsWindowVisible(mainWindow_)) {
            SetActiveWindow(mainWindow_);
            return 0;
        }
        break;
    case WM_SYSCOMMAND:
        // Restoring from the taskbar button brings the main window back.
        if ((wParam & 0xFFF0) == SC_RESTORE && mainWindow_) {
            const LRESULT result = Default(message, wParam, lParam);
            ShowWindow(mainWindow_, SW_SHOW);
            SetForegroundWindow(mainWindow_);
            return result;
        }
        break;
    case WM_CLOSE:
        if (mainWindow_)
            PostMessageA(mainWindow_, WM_CLOSE, 0, 0);
        return 0;
    default:
        break;
    }
    return Default(message, wParam, lParam);
}

} // namespace quickdex
