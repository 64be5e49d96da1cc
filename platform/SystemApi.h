#pragma once
// Starting programs and controlling the machine: the calls behind the built-in
// actions and the shell open. Every launch is fire-and-forget; the results are
// returned only so that the platform layer stays an honest mirror of the calls.
#include <cstdint>
#include <optional>
#include <string>

namespace quickdex {

using TokenHandle = std::uintptr_t;

struct Luid {
    std::uint32_t lowPart = 0;
    std::int32_t highPart = 0;
    bool operator==(const Luid&) const = default;
};

class ISystemApi {
public:
    virtual ~ISystemApi() = default;

    virtual void WinExec(const char* commandLine, int showMode) = 0;
    // ShellExecuteA(owner 0, no verb, file, no parameters, no directory, showMode).
    virtual void ShellExecuteFile(const char* file, int showMode) = 0;
    // mciSendStringA(command, no return buffer, length 0, no notify window).
    virtual void MciSendString(const char* command) = 0;

    // GetVersionExA with the plain 148-byte record: the platform id, or
    // nothing when the query fails.
    virtual std::optional<std::uint32_t> VersionPlatformId() = 0;

    virtual std::optional<TokenHandle> OpenProcessToken(std::uint32_t access) = 0;
    virtual std::optional<Luid> LookupPrivilege(const char* name) = 0;
    // AdjustTokenPrivileges with one privilege of the given attributes, the
    // previous state received into a 16-byte buffer and not used.
    virtual bool AdjustTokenPrivilege(TokenHandle token, Luid luid, std::uint32_t attributes) = 0;
    virtual void CloseHandle(TokenHandle token) = 0;

    virtual bool RequestExitWindows(unsigned flags, unsigned reserved) = 0;

    // The system folder (GetSystemDirectoryA), ending in a backslash: the
    // system's own programs are started from there by full path, never
    // looked up by name where a planted copy could answer first.
    virtual std::string SystemFolder() = 0;

    // The full long path of the program the shell would start for `target`
    // (an existing .exe or .com file: a path as given, a bare name through
    // App Paths and then the search path), or nothing for documents,
    // folders, addresses and whatever is not found.
    virtual std::optional<std::string> ResolveProgram(const std::string& target) = 0;
    // Brings the most recently active visible, unowned top-level window of a
    // process whose image is `programPath` to the front, restoring it when
    // minimised; with `toggle`, a window already in front is minimised
    // instead. Returns false when no such window exists. Never waits on the
    // other program.
    virtual bool BringToFront(const std::string& programPath, bool toggle) = 0;
};

} // namespace quickdex
