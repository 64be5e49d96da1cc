// Programs that already run: which program a target names, finding its
// window and bringing it to the front; and the open that lets a program it
// starts take the foreground.
#include "platform/win32/Win32Platform.h"

#include "platform/portable/ProgramResolution.h"
#include "platform/win32/SystemLibraries.h"

#include <shellapi.h>

#include <utility>
#include <vector>

namespace quickdex::win32 {
namespace {

// A path as the system would write it in full: absolute, every short (8.3)
// name in its long form; the long form is skipped when the file is missing.
std::string FullLongPath(const std::string& path)
{
    std::vector<char> full(MAX_PATH);
    DWORD n = GetFullPathNameA(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (n >= full.size()) {
        full.resize(n + 1);
        n = GetFullPathNameA(path.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    }
    if (n == 0 || n >= full.size())
        return path;
    std::vector<char> longer(MAX_PATH);
    DWORD m = GetLongPathNameA(full.data(), longer.data(), static_cast<DWORD>(longer.size()));
    if (m >= longer.size()) {
        longer.resize(m + 1);
        m = GetLongPathNameA(full.data(), longer.data(), static_cast<DWORD>(longer.size()));
    }
    if (m == 0 || m >= longer.size())
        return std::string(full.data(), n);
    return std::string(longer.data(), m);
}

std::string Upper(std::string text)
{
    if (!text.empty())
        CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

class Win32ProgramLookup final : public IProgramLookup {
public:
    std::optional<std::string> AppPath(const std::string& name) override
    {
        const std::string subKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" + name;
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, subKey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
            return std::nullopt;
        DWORD type = 0;
        DWORD size = 0;
        std::optional<std::string> value;
        if (RegQueryValueExA(key, nullptr, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
            (type == REG_SZ || type == REG_EXPAND_SZ)) {
            std::vector<char> buffer(size + 2, '\0');
            DWORD got = size;
            if (RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &got) ==
                ERROR_SUCCESS)
                value = std::string(buffer.data());
        }
        RegCloseKey(key);
        if (!value)
            return std::nullopt;
        if (type == REG_EXPAND_SZ) {
            const DWORD needed = ExpandEnvironmentStringsA(value->c_str(), nullptr, 0);
            std::vector<char> expanded(needed + 1, '\0');
            if (needed && ExpandEnvironmentStringsA(value->c_str(), expanded.data(), needed + 1))
                value = std::string(expanded.data());
        }
        if (value->size() >= 2 && value->front() == '"' && value->back() == '"')
            value = value->substr(1, value->size() - 2);
        return value;
    }

    std::optional<std::string> FindOnSearchPath(const std::string& name) override
    {
        std::vector<char> found(MAX_PATH);
        DWORD n = SearchPathA(nullptr, name.c_str(), ".exe", static_cast<DWORD>(found.size()), found.data(), nullptr);
        if (n >= found.size()) {
            found.resize(n + 1);
            n = SearchPathA(nullptr, name.c_str(), ".exe", static_cast<DWORD>(found.size()), found.data(), nullptr);
        }
        if (n == 0 || n >= found.size())
            return std::nullopt;
        return std::string(found.data(), n);
    }

    std::optional<std::string> ExistingFile(const std::string& path) override
    {
        const std::string full = FullLongPath(path);
        const DWORD attributes = GetFileAttributesA(full.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
            return std::nullopt;
        return full;
    }
};

// The image of a process, in full long form and upper case; empty when the
// process cannot be asked (it ended, or it is another user's).
std::string ProcessImage(DWORD process)
{
    HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process);
    if (!handle)
        return {};
    std::vector<char> image(MAX_PATH * 4);
    DWORD n = static_cast<DWORD>(image.size());
    const bool got = QueryFullProcessImageNameA(handle, 0, image.data(), &n) != FALSE;
    CloseHandle(handle);
    return got ? Upper(FullLongPath(std::string(image.data(), n))) : std::string();
}

// The first window in z-order (the most recently active) that is visible,
// unowned and top-level, of a process whose image is `program`.
struct WindowSearch {
    std::string program; // upper case
    std::vector<std::pair<DWORD, bool>> processes; // each process asked once
    HWND found = nullptr;
};

BOOL CALLBACK FindProgramWindow(HWND window, LPARAM param)
{
    auto& search = *reinterpret_cast<WindowSearch*>(param);
    if (!IsWindowVisible(window) || GetWindow(window, GW_OWNER))
        return TRUE;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    bool matches = false;
    bool known = false;
    for (const auto& [id, match] : search.processes)
        if (id == process) {
            matches = match;
            known = true;
            break;
        }
    if (!known) {
        matches = ProcessImage(process) == search.program;
        search.processes.emplace_back(process, matches);
    }
    if (!matches)
        return TRUE;
    search.found = window;
    return FALSE;
}

} // namespace

std::optional<std::string> SystemApi::ResolveProgram(const std::string& target)
{
    Win32ProgramLookup lookup;
    return ResolveProgramTarget(target, lookup);
}

bool SystemApi::BringToFront(const std::string& programPath, bool toggle)
{
    WindowSearch search;
    search.program = Upper(FullLongPath(programPath));
    EnumWindows(FindProgramWindow, reinterpret_cast<LPARAM>(&search));
    const HWND window = search.found;
    if (!window)
        return false;

    // The other program's thread does the showing: the asynchronous calls
    // never wait on it, so a program that hangs cannot hold our loop.
    const HWND foreground = GetForegroundWindow();
    const bool inFront = foreground && (foreground == window || GetAncestor(foreground, GA_ROOTOWNER) == window);
    if (IsIconic(window)) {
        DWORD process = 0;
        GetWindowThreadProcessId(window, &process);
        AllowSetForegroundWindow(process);
        ShowWindowAsync(window, SW_RESTORE);
        SetForegroundWindow(window);
    } else if (toggle && inFront) {
        ShowWindowAsync(window, SW_MINIMIZE);
    } else {
        SetForegroundWindow(window);
    }
    return true;
}

void OpenAllowingForeground(const char* file, int showMode)
{
    EnsureCom(); // the shell may hand the file to an extension that needs it
    // What ShellExecuteA does (it sets no-UI itself), keeping the handle of
    // the process started, when there is one (not for a document handed to
    // a running program), just long enough to pass the foreground on.
    SHELLEXECUTEINFOA info{};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    info.lpFile = file;
    info.nShow = showMode;
    if (ShellExecuteExA(&info) && info.hProcess) {
        AllowSetForegroundWindow(GetProcessId(info.hProcess));
        CloseHandle(info.hProcess);
    }
}

} // namespace quickdex::win32
