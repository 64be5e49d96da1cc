#pragma once
// The real Windows calls behind the platform interfaces.
#include "platform/HotkeyApi.h"
#include "platform/ProgramLookup.h"
#include "platform/Profile.h"
#include "platform/SystemApi.h"

#include <functional>
#include <memory>
#include <string>

#include <windows.h>

#include <shellapi.h>

namespace quickdex::win32 {

class Profile final : public IProfile {
public:
    std::uint32_t GetString(const char* section, const char* key, const char* fallback, char* buffer,
                            std::uint32_t size, const char* path) override;
    std::uint32_t GetSection(const char* section, char* buffer, std::uint32_t size, const char* path) override;
    bool WriteString(const char* section, const char* key, const char* value, const char* path) override;
};

// Hotkeys of one window.
class HotkeyApi final : public IHotkeyApi {
public:
    explicit HotkeyApi(HWND window) : window_(window) {}
    std::uint16_t AddGlobalAtom(const char* name) override;
    void DeleteGlobalAtom(std::uint16_t atom) override;
    bool Register(int id, unsigned modifiers, unsigned virtualKey) override;
    bool Unregister(int id) override;

private:
    HWND window_;
};

class SystemApi final : public ISystemApi {
public:
    void WinExec(const char* commandLine, int showMode) override;
    void ShellExecuteFile(const char* file, int showMode) override;
    void MciSendString(const char* command) override;
    std::optional<std::uint32_t> VersionPlatformId() override;
    std::optional<TokenHandle> OpenProcessToken(std::uint32_t access) override;
    std::optional<Luid> LookupPrivilege(const char* name) override;
    bool AdjustTokenPrivilege(TokenHandle token, Luid luid, std::uint32_t attributes) override;
    void CloseHandle(TokenHandle token) override;
    bool RequestExitWindows(unsigned flags, unsigned reserved) override;
    std::string SystemFolder() override;
    // RunningPrograms.cpp
    std::optional<std::string> ResolveProgram(const std::string& target) override;
    bool BringToFront(const std::string& programPath, FrontMode mode) override;
    LaunchOutcome Launch(const LaunchRequest& request) override;
    std::string ExpandEnvironment(const std::string& text) override;
};

// The shell's ShellExecuteExA, behind which the program's every open and
// launch goes; a test puts a recorder in its place (the consent prompt of
// "runas" has no place in a test).
std::function<BOOL(SHELLEXECUTEINFOW&)>& ShellExecuteSeam();
// Called with the target before each program lookup, when a test sets it:
// a test holds a lookup there as a server that does not answer would.
std::function<void(const std::string&)>& ProgramLookupSeam();
// Whether the composition hides a window, when a test says so (Wine cloaks
// nothing); empty: the system is asked.
std::function<bool(HWND)>& CloakedSeam();

// Whether a press of a target is sure to open nothing (see
// TargetKnownMissing): asks only local disks, never a server. One object
// serves one pass over the bindings; it keeps the drives' types and the
// search folders it read.
class TargetsMissing {
public:
    bool operator()(const std::string& target);

private:
    std::shared_ptr<ITargetPlaces> places_;
};

// ShellExecuteA's open of `file` (no verb, no parameters, no folder), and the
// program it started may take the foreground. Returns at once.
void OpenAllowingForeground(const char* file, int showMode);

// The full path of the running executable, as the system reports it.
std::string ModuleFileName();
// Its folder, ending in a backslash.
std::string ExeDir();

} // namespace quickdex::win32
