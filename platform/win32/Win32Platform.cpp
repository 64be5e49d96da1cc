#include "platform/win32/Win32Platform.h"

#include "store/Hotkeys.h"

#include <mmsystem.h>
#include <shellapi.h>

#include <vector>

namespace quickdex::win32 {

std::uint32_t Profile::GetString(const char* section, const char* key, const char* fallback, char* buffer,
                                 std::uint32_t size, const char* path)
{
    return GetPrivateProfileStringA(section, key, fallback, buffer, size, path);
}

bool Profile::WriteString(const char* section, const char* key, const char* value, const char* path)
{
    // The flush form (all null) and other odd calls go to the system as they are.
    if (!section || !path)
        return WritePrivateProfileStringA(section, key, value, path) != FALSE;

    const DWORD attributes = GetFileAttributesA(path);
    if (attributes == INVALID_FILE_ATTRIBUTES) // no file yet: nothing to lose
        return WritePrivateProfileStringA(section, key, value, path) != FALSE;
    // Windows refuses a read-only file by itself, but Wine run as root does
    // not (and may leave the file empty), so the attribute is checked here.
    if (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))
        return false;

    // The system rewrites the file in place: a full disk in the middle of
    // that would cut it. So the write goes to a copy, which then replaces the
    // file in one step; on any failure the file stays as it was.
    const std::string copy = std::string(path) + ".quickdex-new";
    if (!CopyFileA(path, copy.c_str(), FALSE))
        return false;
    const bool written = WritePrivateProfileStringA(section, key, value, copy.c_str()) != FALSE;
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, copy.c_str()); // the system forgets the copy
    const bool replaced =
        written && MoveFileExA(copy.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH) != FALSE;
    if (!replaced)
        DeleteFileA(copy.c_str());
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, path); // and the old text of the file
    return replaced;
}

std::uint16_t HotkeyApi::AddGlobalAtom(const char* name)
{
    return GlobalAddAtomA(name);
}

void HotkeyApi::DeleteGlobalAtom(std::uint16_t atom)
{
    GlobalDeleteAtom(atom);
}

bool HotkeyApi::Register(int id, unsigned modifiers, unsigned virtualKey)
{
    return RegisterHotKey(window_, id, modifiers, virtualKey) != FALSE;
}

bool HotkeyApi::Unregister(int id)
{
    return UnregisterHotKey(window_, id) != FALSE;
}

void SystemApi::WinExec(const char* commandLine, int showMode)
{
    ::WinExec(commandLine, static_cast<UINT>(showMode));
}

void SystemApi::ShellExecuteFile(const char* file, int showMode)
{
    ShellExecuteA(nullptr, nullptr, file, nullptr, nullptr, showMode);
}

void SystemApi::MciSendString(const char* command)
{
    mciSendStringA(command, nullptr, 0, nullptr);
}

std::optional<std::uint32_t> SystemApi::VersionPlatformId()
{
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof(info); // the plain record: 148 bytes
    static_assert(sizeof(OSVERSIONINFOA) == 148);
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExA(&info))
        return std::nullopt;
#pragma GCC diagnostic pop
    return info.dwPlatformId;
}

std::optional<TokenHandle> SystemApi::OpenProcessToken(std::uint32_t access)
{
    HANDLE token = nullptr;
    if (!::OpenProcessToken(GetCurrentProcess(), access, &token))
        return std::nullopt;
    return reinterpret_cast<TokenHandle>(token);
}

std::optional<Luid> SystemApi::LookupPrivilege(const char* name)
{
    LUID luid{};
    if (!LookupPrivilegeValueA(nullptr, name, &luid))
        return std::nullopt;
    return Luid{luid.LowPart, luid.HighPart};
}

bool SystemApi::AdjustTokenPrivilege(TokenHandle token, Luid luid, std::uint32_t attributes)
{
    TOKEN_PRIVILEGES privileges{};
    privileges.PrivilegeCount = 1;
    privileges.Privileges[0].Luid.LowPart = luid.lowPart;
    privileges.Privileges[0].Luid.HighPart = luid.highPart;
    privileges.Privileges[0].Attributes = attributes;
    // The previous state is received and not used.
    TOKEN_PRIVILEGES previous{};
    static_assert(sizeof(previous) == 16);
    DWORD returned = 0;
    return AdjustTokenPrivileges(reinterpret_cast<HANDLE>(token), FALSE, &privileges, sizeof(previous), &previous,
                                 &returned) != FALSE;
}

void SystemApi::CloseHandle(TokenHandle token)
{
    ::CloseHandle(reinterpret_cast<HANDLE>(token));
}

bool SystemApi::RequestExitWindows(unsigned flags, unsigned reserved)
{
    return ExitWindowsEx(flags, reserved) != FALSE;
}

std::string ModuleFileName()
{
    // Long paths: grow the buffer until the name fits.
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0)
            return {};
        if (n < buffer.size())
            return std::string(buffer.data(), n);
        buffer.resize(buffer.size() * 2);
    }
}

std::string ExeDir()
{
    return ExeDirOf(ModuleFileName());
}

} // namespace quickdex::win32
