#include "ui/dialogs/psvDialogs.h"

#include "platform/win32/SystemLibraries.h"
#include "platform/win32/Text.h"

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
    // The wide calls: a folder of any script comes back as it is named.
    wchar_t displayName[MAX_PATH + 1] = {};
    const std::wstring title = win32::Wide(Caption);
    BROWSEINFOW info{};
    info.hwndOwner = owner_;
    info.pidlRoot = nullptr; // the desktop: the whole shell namespace
    info.pszDisplayName = displayName;
    info.lpszTitle = title.c_str();
    info.ulFlags = BIF_RETURNONLYFSDIRS;

    // The program's windows take no input while the dialog is open; exactly
    // those that were enabled are enabled again, also when the call fails.
    const std::vector<HWND> disabled = EnabledThreadWindows();
    for (HWND window : disabled)
        EnableWindow(window, FALSE);
    win32::EnsureCom();
    LPITEMIDLIST item = SHBrowseForFolderW(&info);
    for (HWND window : disabled)
        EnableWindow(window, TRUE);

    if (!item)
        return false;
    // Past MAX_PATH: the call that takes the buffer's size.
    std::vector<wchar_t> path(32768, L'\0');
    using PathFromList = BOOL(WINAPI*)(LPCITEMIDLIST, LPWSTR, int, UINT);
    static const auto longPath = win32::LateBound<PathFromList>("shell32.dll", "SHGetPathFromIDListEx");
    if (!longPath || !longPath(item, path.data(), static_cast<int>(path.size()), 0))
        SHGetPathFromIDListW(item, path.data());
    FolderPath = win32::Utf8(path.data());
    if (ItemListFree release = ReleaseItemList())
        release(item);
    return true;
}

} // namespace quickdex
