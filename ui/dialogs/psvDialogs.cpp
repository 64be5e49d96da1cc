#include "ui/dialogs/psvDialogs.h"

#include "platform/win32/SystemLibraries.h"

#include <shlobj.h>

#include <vector>

namespace quickdex {
namespace {

} // namespace

ItemListFree ReleaseItemList()
{
    static const ItemListFree release = [] {
        HMODULE shell = GetModuleHandleA("shell32.dll");
        if (!shell)
            shell = LoadLibraryExA("shell32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        return reinterpret_cast<ItemListFree>(
            reinterpret_cast<void*>(GetProcAddress(shell, MAKEINTRESOURCEA(155))));
    }();
    return release;
}

namespace {

// The thread's top-level windows that are visible and enabled now.
std::vector<HWND> EnabledThreadWindows()
{
    std::vector<HWND> windows;
    EnumThreadWindows(
        GetCurrentThreadId(),
        [](HWND hwnd, LPARAM param) -> BOOL {
            if (IsWindowVisible(hwnd) && IsWindowEnabled(hwnd))
                reinterpret_cast<std::vector<HWND>*>(param)->push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&windows));
    return windows;
}

} // namespace

bool TpsvBrowseFolderDialog::Execute()
{
    char displayName[261] = {};
    BROWSEINFOA info{};
    info.hwndOwner = owner_;
    info.pidlRoot = nullptr; // the desktop: the whole shell namespace
    info.pszDisplayName = displayName;
    info.lpszTitle = Caption.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;

    // The program's windows take no input while the dialog is open; exactly
    // those that were enabled are enabled again, also when the call fails.
    const std::vector<HWND> disabled = EnabledThreadWindows();
    for (HWND window : disabled)
        EnableWindow(window, FALSE);
    win32::EnsureCom();
    LPITEMIDLIST item = SHBrowseForFolderA(&info);
    for (HWND window : disabled)
        EnableWindow(window, TRUE);

    if (!item)
        return false;
    SHGetPathFromIDListA(item, displayName);
    displayName[sizeof displayName - 1] = '\0';
    FolderPath = displayName;
    if (ItemListFree release = ReleaseItemList())
        release(item);
    return true;
}

} // namespace quickdex
