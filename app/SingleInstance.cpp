#include "app/SingleInstance.h"

#include "ui/main/main.h"

#include <cctype>
#include <cstdint>
#include <cstdio>

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
    char name[40];
    std::snprintf(name, sizeof name, "quickdex-%08lx", static_cast<unsigned long>(folder_));
    mutex_ = CreateMutexA(nullptr, FALSE, name);
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
