// A windowed target for the live tests: opens a visible top-level window,
// appends to "<own name>.log" beside itself "start <process id> <command
// line>", "folder <current folder>" and "show <the show command it was
// given, or - for none>", then "active" each time its window is activated,
// and ends when the window is closed. A test reads what it did from that
// file. Words on its command line ask for more windows:
//   /windows:N   N program windows in all (titled "probe 1" to "probe N")
//   /dialog      its window disabled under a window of its own that takes
//                the input, as under a modal dialog
//   /tool        a topmost tool window besides (a palette, a picture in picture)
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

std::string logPath;

void Log(const std::string& line)
{
    HANDLE file = CreateFileA(logPath.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    const std::string text = line + "\r\n";
    DWORD written = 0;
    WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(file);
}

LRESULT CALLBACK ProbeProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_ACTIVATE:
        if (LOWORD(wParam) != WA_INACTIVE)
            Log("active");
        break;
    case WM_CLOSE: // any of its windows: the probe ends
        PostQuitMessage(0);
        return 0;
    case WM_SETFOCUS: // as a dialog does, the focus goes on to its field
        if (HWND field = GetWindow(window, GW_CHILD))
            SetFocus(field);
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND Make(const char* className, const char* title, DWORD style, DWORD extended, int x, HWND owner)
{
    return CreateWindowExA(extended, className, title, style, x, 100, 300, 200, owner, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int showMode)
{
    char path[MAX_PATH * 4];
    const DWORD n = GetModuleFileNameA(nullptr, path, sizeof path);
    if (n == 0 || n >= sizeof path)
        return 1;
    logPath = std::string(path, n);
    logPath = logPath.substr(0, logPath.rfind('.')) + ".log";
    Log("start " + std::to_string(GetCurrentProcessId()) + " " + commandLine);
    char folder[MAX_PATH * 4] = {};
    GetCurrentDirectoryA(sizeof folder, folder);
    Log(std::string("folder ") + folder);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    GetStartupInfoA(&startup);
    Log("show " + ((startup.dwFlags & STARTF_USESHOWWINDOW) ? std::to_string(startup.wShowWindow) : "-"));

    const std::string words = commandLine;
    const std::size_t many = words.find("/windows:");
    const int windows = many == std::string::npos ? 1 : std::atoi(words.c_str() + many + 9);

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = ProbeProc;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = "quickdexProbe";
    RegisterClassA(&windowClass);
    HWND mainWindow = Make(windowClass.lpszClassName, windows > 1 ? "probe 1" : path, WS_OVERLAPPEDWINDOW, 0, 100, nullptr);
    if (!mainWindow)
        return 1;
    // The first show takes the show command the program was started with.
    ShowWindow(mainWindow, showMode);
    UpdateWindow(mainWindow);
    for (int i = 2; i <= windows; ++i) {
        const std::string title = "probe " + std::to_string(i);
        ShowWindow(Make(windowClass.lpszClassName, title.c_str(), WS_OVERLAPPEDWINDOW, 0, 100 + 40 * i, nullptr),
                   SW_SHOWNORMAL);
    }
    if (words.find("/tool") != std::string::npos) {
        windowClass.lpszClassName = "quickdexProbeTool";
        RegisterClassA(&windowClass);
        ShowWindow(Make(windowClass.lpszClassName, "tool", WS_POPUP | WS_CAPTION | WS_VISIBLE,
                        WS_EX_TOOLWINDOW | WS_EX_TOPMOST, 600, nullptr),
                   SW_SHOWNA);
    }
    if (words.find("/dialog") != std::string::npos) {
        windowClass.lpszClassName = "quickdexProbeDialog";
        RegisterClassA(&windowClass);
        HWND dialog = Make(windowClass.lpszClassName, "dialog", WS_POPUP | WS_CAPTION | WS_SYSMENU, WS_EX_DLGMODALFRAME,
                           160, mainWindow);
        CreateWindowExA(WS_EX_CLIENTEDGE, "EDIT", "", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 10, 10, 200, 22, dialog,
                        nullptr, instance, nullptr);
        EnableWindow(mainWindow, FALSE);
        ShowWindow(dialog, SW_SHOWNORMAL);
        SetFocus(GetWindow(dialog, GW_CHILD));
    }

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return 0;
}
