#include "platform/win32/Win32Platform.h"

#include "platform/portable/Paths.h"
#include "platform/portable/ProfileValue.h"
#include "platform/win32/SystemLibraries.h"
#include "platform/win32/Text.h"

#include <mmsystem.h>
#include <shellapi.h>

#include <algorithm>
#include <cstring>
#include <optional>
#include <vector>

namespace quickdex::win32 {
namespace {

bool SameName(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return CharUpperA(reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(static_cast<unsigned char>(x)))) ==
                      CharUpperA(reinterpret_cast<LPSTR>(static_cast<UINT_PTR>(static_cast<unsigned char>(y))));
           });
}

std::optional<std::vector<std::string>> SectionNames(const std::string& path)
{
    return WholeList([&](char* out, std::uint32_t size) { return GetPrivateProfileSectionNamesA(out, size, path.c_str()); });
}

struct Entry {
    std::string section, line; // line: "key=value" as the system lists it
    bool operator==(const Entry&) const = default;
};

// Everything a profile file holds, section by section, as the system reads it.
std::optional<std::vector<Entry>> ReadEntries(const std::string& path)
{
    const auto names = SectionNames(path);
    if (!names)
        return std::nullopt;
    std::vector<Entry> entries;
    for (const std::string& section : *names) {
        const auto lines = WholeList([&](char* out, std::uint32_t size) {
            return GetPrivateProfileSectionA(section.c_str(), out, size, path.c_str());
        });
        if (!lines)
            return std::nullopt;
        for (const std::string& line : *lines)
            entries.push_back({section, line});
    }
    return entries;
}

std::string KeyOf(const std::string& line)
{
    return TrimBoth(line.substr(0, line.find('=')));
}

// Whether `copy` holds exactly `original` with the one change asked for.
// The system's write does not always report a disk that filled in the
// middle of it (Wine's does not): the file is then cut short, and it must
// not replace hotkey.ini.
bool WriteLanded(const std::string& original, const std::string& copy, const char* section, const char* key,
                 const char* value)
{
    const std::string target = TrimBoth(section);
    const std::string targetKey = key ? TrimBoth(key) : std::string();
    const auto others = [&](const std::string& path) -> std::optional<std::vector<Entry>> {
        auto entries = ReadEntries(path);
        if (entries)
            std::erase_if(*entries, [&](const Entry& e) {
                return SameName(e.section, target) && (!key || SameName(KeyOf(e.line), targetKey));
            });
        return entries;
    };
    const auto before = others(original);
    if (!before || before != others(copy))
        return false;
    if (!key) { // the section is erased: one fewer of that name
        const auto count = [&](const std::string& path) -> long {
            const auto names = SectionNames(path);
            if (!names)
                return -2;
            return std::count_if(names->begin(), names->end(), [&](const std::string& n) { return SameName(n, target); });
        };
        const auto had = count(original);
        return had == 0 || (had > 0 && count(copy) == had - 1);
    }
    if (!value || std::strpbrk(value, "\r\n"))
        return true; // a deleted key; a value broken over lines reads back otherwise
    const std::string expected = ValueAsRead(TrimBoth(value), static_cast<std::uint32_t>(std::strlen(value) + 2));
    std::vector<char> buffer(expected.size() + 2);
    const DWORD n = GetPrivateProfileStringA(section, key, "\x01", buffer.data(), static_cast<DWORD>(buffer.size()),
                                             copy.c_str());
    return std::string(buffer.data(), n) == expected;
}

} // namespace

std::uint32_t Profile::GetString(const char* section, const char* key, const char* fallback, char* buffer,
                                 std::uint32_t size, const char* path)
{
    return GetPrivateProfileStringA(section, key, fallback, buffer, size, path);
}

std::uint32_t Profile::GetSection(const char* section, char* buffer, std::uint32_t size, const char* path)
{
    return GetPrivateProfileSectionA(section, buffer, size, path);
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
    if (!CopyFileA(path, copy.c_str(), FALSE)) {
        DeleteFileA(copy.c_str()); // a copy the disk ran out of room for
        return false;
    }
    bool written = WritePrivateProfileStringA(section, key, value, copy.c_str()) != FALSE;
    WritePrivateProfileStringA(nullptr, nullptr, nullptr, copy.c_str()); // the system forgets the copy
    written = written && WriteLanded(path, copy, section, key, value);
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
    // While a combination is held the keyboard repeats its key-down; without
    // MOD_NOREPEAT each repeat is another hotkey message, and another start.
    return RegisterHotKey(window_, id, modifiers | MOD_NOREPEAT, virtualKey) != FALSE;
}

bool HotkeyApi::Unregister(int id)
{
    return UnregisterHotKey(window_, id) != FALSE;
}

std::string SystemApi::SystemFolder()
{
    char folder[MAX_PATH] = {};
    const UINT n = GetSystemDirectoryA(folder, MAX_PATH);
    std::string path(folder, n < MAX_PATH ? n : 0);
    if (!path.empty() && path.back() != '\\')
        path += '\\';
    return path;
}

void SystemApi::WinExec(const char* commandLine, int showMode)
{
    ::WinExec(commandLine, static_cast<UINT>(showMode));
}

void SystemApi::ShellExecuteFile(const char* file, int showMode)
{
    OpenAllowingForeground(file, showMode);
}

void SystemApi::MciSendString(const char* command)
{
    if (const auto send = win32::MciSendString())
        send(command, nullptr, 0, nullptr);
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
    // Any folder, whatever its script (a user name the code page cannot
    // hold): the wide call, and long paths: the buffer grows until it fits.
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n = GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0)
            return {};
        if (n < buffer.size())
            return Utf8(std::wstring_view(buffer.data(), n));
        buffer.resize(buffer.size() * 2);
    }
}

std::string ExeDir()
{
    return ExeDirOf(ModuleFileName());
}

} // namespace quickdex::win32
