// The floor quickdex is measured against: the least a resident hotkey
// program can do. It reads hotkey.ini beside itself once, makes one hidden
// window, adds one tray icon, registers every binding and waits; a hotkey
// starts its target with ShellExecuteA. Nothing else: no list, no menus, no
// dialogs, no error boxes.
//   baseline.exe commoncontrols   the same, with the common-controls library
//                                 loaded and its classes registered first,
//                                 as any program with a list view has it
//   baseline.exe show             the same, with its window shown
#include <windows.h>
#include <shellapi.h>
#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

struct Binding {
    UINT modifiers;
    UINT key;
    std::string action;
};

std::vector<Binding> bindings;

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_HOTKEY:
        if (wParam >= 1 && wParam <= bindings.size())
            ShellExecuteA(window, nullptr, bindings[wParam - 1].action.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        return 0;
    case WM_CLOSE:
        DestroyWindow(window);
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int)
{
    if (std::strstr(commandLine, "commoncontrols")) {
        using InitControls = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
        if (HMODULE library = LoadLibraryA("comctl32.dll")) {
            const auto init =
                reinterpret_cast<InitControls>(reinterpret_cast<void*>(GetProcAddress(library, "InitCommonControlsEx")));
            const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
            if (init)
                init(&controls);
        }
    }
    char exe[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::string ini(exe, length);
    ini = ini.substr(0, ini.rfind('\\') + 1) + "hotkey.ini";

    std::vector<char> names(16384);
    const DWORD n = GetPrivateProfileSectionNamesA(names.data(), static_cast<DWORD>(names.size()), ini.c_str());
    char action[2048];
    for (const char* name = names.data(); name < names.data() + n && *name; name += std::strlen(name) + 1) {
        const char* plus = std::strchr(name, '+');
        if (!plus)
            continue;
        GetPrivateProfileStringA(name, "Action", "", action, sizeof action, ini.c_str());
        bindings.push_back({static_cast<UINT>(std::atoi(name)), static_cast<UINT>(std::atoi(plus + 1)), action});
    }

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProc;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = "quickdexBaseline";
    RegisterClassA(&windowClass);
    HWND window = CreateWindowExA(0, windowClass.lpszClassName, "quickdex baseline", WS_OVERLAPPEDWINDOW, 0, 0, 100,
                                  100, nullptr, nullptr, instance, nullptr);

    if (std::strstr(commandLine, "show"))
        ShowWindow(window, SW_SHOWNORMAL);

    NOTIFYICONDATAA icon{};
    icon.cbSize = sizeof icon;
    icon.hWnd = window;
    icon.uID = 1;
    icon.uFlags = NIF_ICON | NIF_TIP;
    icon.hIcon = LoadIconA(nullptr, MAKEINTRESOURCEA(32512)); // IDI_APPLICATION
    std::strcpy(icon.szTip, "baseline");
    Shell_NotifyIconA(NIM_ADD, &icon);

    for (std::size_t i = 0; i < bindings.size(); ++i)
        RegisterHotKey(window, static_cast<int>(i + 1), bindings[i].modifiers, bindings[i].key);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
    Shell_NotifyIconA(NIM_DELETE, &icon);
    return 0;
}
