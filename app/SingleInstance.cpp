#include "app/SingleInstance.h"

#include "ui/main/main.h"

#include <cctype>
#include <cstdint>

namespace quickdex {
namespace {

constexpr const char* FolderProperty = "quickdex.Folder";

// The folder as a short key: the same folder however its letters are cased.
std::uint32_t FolderHash(const std::string& folder)
{
    std::uint32_t hash = 2166136261u; // FNV-1a
    for (unsigned char c : folder) {
        hash ^= static_cast<unsigned char>(std::toupper(c));
        hash *= 16777619u;
    }
    return hash | 1u; // never 0, which a window without the property reads
}

} // namespace

SingleInstance::SingleInstance(const std::string& exeDir) : folder_(FolderHash(exeDir))
{
    // "quickdex-" and the hash in hexadecimal (by hand: the C library's
    // formatting would bring a printf engine of 24 KB into the exe).
    std::string name = "quickdex-";
    for (int shift = 28; shift >= 0; shift -= 4)
        name += "0123456789abcdef"[(folder_ >> shift) & 0xF];
    mutex_ = CreateMutexA(nullptr, FALSE, name.c_str());
    alreadyRunning_ = mutex_ && GetLastError() == ERROR_ALREADY_EXISTS;
}

SingleInstance::~SingleInstance()
{
    if (mutex_)
        CloseHandle(mutex_);
}

void SingleInstance::Claim(HWND mainWindow) const
{
    SetPropA(mainWindow, FolderProperty, reinterpret_cast<HANDLE>(static_cast<UINT_PTR>(folder_)));
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
