#pragma once
// Starting programs and controlling the machine: the calls behind the built-in
// actions and the shell open. Every launch is fire-and-forget; the results are
// returned only so that the platform layer stays an honest mirror of the calls.
#include <cstdint>
#include <optional>
#include <string>

namespace quickdex {

using TokenHandle = std::uintptr_t;

// What a press asks the shell to start when the binding says how: the
// target, its arguments, the folder it starts in, the verb ("runas" for an
// administrator; null for the file's default) and the show command.
struct LaunchRequest {
    std::string file;
    std::string parameters; // empty: none
    std::string directory;  // empty: the shell's choice
    const char* verb = nullptr;
    int showMode = 1; // SW_SHOWNORMAL
};

enum class LaunchOutcome {
    Started,
    Declined,   // the user refused the consent prompt: no error
    NoSuchVerb, // the target's type has no such verb (a document asked for "runas")
    Failed,     // the shell could not start it (the file is missing, ...)
};

// What a press does to a program that runs already: its most recently
// active window to the front; that, or minimise it when it is in front; or
// its next window when one of its windows is in front.
enum class FrontMode { Front, Toggle, Cycle };

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
    // ShellExecuteExA with the request's parts; the started program may take
    // the foreground. Shows no box of its own.
    virtual LaunchOutcome Launch(const LaunchRequest& request) = 0;
    // `text` with every %NAME% of the environment replaced by its value
    // (ExpandEnvironmentStrings): a name that is not set stays as written.
    virtual std::string ExpandEnvironment(const std::string& text) = 0;
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
    // Brings a window of a process whose image is `programPath` to the
    // front as `mode` says, restoring it when minimised; the foreground goes
    // to the window of it that takes input (its dialog, when it has one
    // open). Its windows are the ones the taskbar shows for it. Returns false
    // when it has none. Never waits on the other program.
    virtual bool BringToFront(const std::string& programPath, FrontMode mode) = 0;
};

} // namespace quickdex
