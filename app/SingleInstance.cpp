#include "app/SingleInstance.h"

#include "platform/win32/Text.h"

#include "ui/main/main.h"

#include <cctype>
#include <cstdint>

namespace quickdex {
namespace {

constexpr const char* FolderProperty = "quickdex.Folder";

// Hexadecimal digits by hand: the C library's formatting would bring a
// printf engine of 24 KB into the exe.
std::string Hex(std::uint32_t value)
{
    std::string text;
    for (int shift = 28; shift >= 0; shift -= 4)
        text += "0123456789abcdef"[(value >> shift) & 0xF];
    return text;
}

std::uint64_t Fnv1a(const std::string& text)
{
    std::uint64_t hash = 14695981039346656037ull;
    for (unsigned char c : text) {
        hash ^= c;
        hash *= 1099511628211ull;
    }
    return hash | 1u; // never 0, which a window without the property reads
}

// The folder's identity: its volume's serial number and its file index, the
// same however the folder is reached (its 8.3 name, a mapped drive and its
// UNC path, subst, a link, letters outside ASCII in another case). When the
// folder cannot be asked (a share that does not tell), its name stands in,
// ASCII letters folded, as before.
std::string FolderKey(std::string folder)
{
    // A folder is opened by its name without the last backslash, unless it is
    // a drive's root ("C:\").
    if (folder.size() > 3 && (folder.back() == '\\' || folder.back() == '/'))
        folder.pop_back();
    HANDLE handle = CreateFileW(win32::Wide(folder).c_str(), FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (handle != INVALID_HANDLE_VALUE) {
        BY_HANDLE_FILE_INFORMATION info{};
        const bool known = GetFileInformationByHandle(handle, &info) != FALSE;
        CloseHandle(handle);
        if (known)
            return Hex(info.dwVolumeSerialNumber) + "-" + Hex(info.nFileIndexHigh) + Hex(info.nFileIndexLow);
    }
    std::string folded;
    for (unsigned char c : folder)
        folded += static_cast<char>(std::toupper(c));
    return "name-" + Hex(static_cast<std::uint32_t>(Fnv1a(folded)));
}

} // namespace

SingleInstance::SingleInstance(const std::string& exeDir, const CreateGuard& createGuard)
    : key_(FolderKey(exeDir)), folder_(Fnv1a(key_))
{
    const std::string name = "quickdex-" + key_;
    mutex_ = createGuard ? createGuard(name.c_str()) : CreateMutexA(nullptr, FALSE, name.c_str());
    const DWORD error = GetLastError();
    // A copy that runs as administrator holds a guard this one may not open:
    // refused is running too.
    alreadyRunning_ = mutex_ ? error == ERROR_ALREADY_EXISTS : error == ERROR_ACCESS_DENIED;
}

SingleInstance::~SingleInstance()
{
    if (mutex_)
        CloseHandle(mutex_);
}

void SingleInstance::Claim(HWND mainWindow) const
{
    SetPropA(mainWindow, FolderProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(folder_)));
    // Running as administrator, the window takes no message from a copy
    // started normally unless it says so. Windows 7 has the call; it is looked
    // up so that the exe still starts where it is missing.
    using MessageFilter = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
    if (const auto allow = reinterpret_cast<MessageFilter>(reinterpret_cast<void*>(
            GetProcAddress(GetModuleHandleA("user32.dll"), "ChangeWindowMessageFilterEx"))))
        allow(mainWindow, RegisterWindowMessageA(ShowRunningMessage), 1 /* MSGFLT_ALLOW */, nullptr);
}

void SingleInstance::Release(HWND mainWindow) const
{
    RemovePropA(mainWindow, FolderProperty);
}

void SingleInstance::ShowRunningCopy() const
{
    const auto wanted = static_cast<UINT_PTR>(folder_);
    const UINT show = RegisterWindowMessageA(ShowRunningMessage);
    for (HWND window = FindWindowExA(nullptr, nullptr, MainWindowClass, nullptr); window;
         window = FindWindowExA(nullptr, window, MainWindowClass, nullptr)) {
        if (reinterpret_cast<UINT_PTR>(GetPropA(window, FolderProperty)) != wanted)
            continue;
        // The running copy may take the foreground: it is the one the user asked for.
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        AllowSetForegroundWindow(process);
        PostMessageA(window, show, 0, 0);
        return;
    }
}

} // namespace quickdex
