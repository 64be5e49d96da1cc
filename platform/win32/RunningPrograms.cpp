// Programs that already run: which program a target names, finding its
// windows and bringing one to the front; and the opens and launches that let
// a program they start take the foreground.
#include "platform/win32/Win32Platform.h"

#include "platform/portable/ProgramResolution.h"
#include "platform/win32/SystemLibraries.h"
#include "platform/win32/Text.h"

#include <shellapi.h>
#include <shlobj.h>

#include <algorithm>
#include <array>
#include <memory>
#include <utility>
#include <vector>

namespace quickdex::win32 {
namespace {

// A path as the system would write it in full: absolute, every short (8.3)
// name in its long form; the long form is skipped when the file is missing.
std::string FullLongPath(const std::string& path)
{
    const std::wstring wide = Wide(path);
    std::vector<wchar_t> full(MAX_PATH);
    DWORD n = GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (n >= full.size()) {
        full.resize(n + 1);
        n = GetFullPathNameW(wide.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    }
    if (n == 0 || n >= full.size())
        return path;
    std::vector<wchar_t> longer(MAX_PATH);
    DWORD m = GetLongPathNameW(full.data(), longer.data(), static_cast<DWORD>(longer.size()));
    if (m >= longer.size()) {
        longer.resize(m + 1);
        m = GetLongPathNameW(full.data(), longer.data(), static_cast<DWORD>(longer.size()));
    }
    if (m == 0 || m >= longer.size())
        return Utf8(std::wstring_view(full.data(), n));
    return Utf8(std::wstring_view(longer.data(), m));
}

// Upper case by the system's rules for every script, as paths compare.
std::string Upper(const std::string& text)
{
    std::wstring wide = Wide(text);
    if (!wide.empty())
        CharUpperBuffW(wide.data(), static_cast<DWORD>(wide.size()));
    return Utf8(wide);
}

class Win32ProgramLookup final : public IProgramLookup {
public:
    std::optional<std::string> AppPath(const std::string& name) override
    {
        const std::wstring subKey = Wide("SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\App Paths\\" + name);
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, subKey.c_str(), 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS)
            return std::nullopt;
        DWORD type = 0;
        DWORD size = 0;
        std::optional<std::wstring> value;
        if (RegQueryValueExW(key, nullptr, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
            (type == REG_SZ || type == REG_EXPAND_SZ)) {
            std::vector<wchar_t> buffer(size / sizeof(wchar_t) + 2, L'\0');
            DWORD got = size;
            if (RegQueryValueExW(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(buffer.data()), &got) ==
                ERROR_SUCCESS)
                value = std::wstring(buffer.data());
        }
        RegCloseKey(key);
        if (!value)
            return std::nullopt;
        if (type == REG_EXPAND_SZ) {
            const DWORD needed = ExpandEnvironmentStringsW(value->c_str(), nullptr, 0);
            std::vector<wchar_t> expanded(needed + 1, L'\0');
            if (needed && ExpandEnvironmentStringsW(value->c_str(), expanded.data(), needed + 1))
                value = std::wstring(expanded.data());
        }
        return Unquoted(Utf8(*value));
    }

    static std::string Unquoted(std::string value)
    {
        if (value.size() >= 2 && value.front() == '"' && value.back() == '"')
            value = value.substr(1, value.size() - 2);
        return value;
    }

    std::optional<std::string> FindOnSearchPath(const std::string& name) override
    {
        const std::wstring wide = Wide(name);
        std::vector<wchar_t> found(MAX_PATH);
        DWORD n = SearchPathW(nullptr, wide.c_str(), L".exe", static_cast<DWORD>(found.size()), found.data(), nullptr);
        if (n >= found.size()) {
            found.resize(n + 1);
            n = SearchPathW(nullptr, wide.c_str(), L".exe", static_cast<DWORD>(found.size()), found.data(), nullptr);
        }
        if (n == 0 || n >= found.size())
            return std::nullopt;
        return Utf8(std::wstring_view(found.data(), n));
    }

    std::optional<std::string> ExistingFile(const std::string& path) override
    {
        const std::string full = FullLongPath(path);
        const DWORD attributes = GetFileAttributesW(Wide(full).c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
            return std::nullopt;
        return full;
    }

    std::optional<std::string> ShortcutTarget(const std::string& path) override
    {
        // The shell's own reader of shortcuts. ole32 is bound late, as COM
        // is started late: most sessions never ask.
        using Create = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, LPVOID*);
        static const auto create = LateBound<Create>("ole32.dll", "CoCreateInstance");
        // CLSID_ShellLink, spelled out rather than taken from libuuid.
        static constexpr CLSID shellLink = {0x00021401, 0, 0, {0xC0, 0, 0, 0, 0, 0, 0, 0x46}};
        EnsureCom();
        IShellLinkW* link = nullptr;
        if (!create || FAILED(create(shellLink, nullptr, CLSCTX_INPROC_SERVER, __uuidof(IShellLinkW),
                                     reinterpret_cast<void**>(&link))))
            return std::nullopt;
        std::optional<std::string> target;
        IPersistFile* file = nullptr;
        if (SUCCEEDED(link->QueryInterface(__uuidof(IPersistFile), reinterpret_cast<void**>(&file)))) {
            const std::wstring wide = Wide(path);
            // Read as stored, never "resolved": that would search the disk
            // for a moved target, or ask the user, inside a key press.
            if (SUCCEEDED(file->Load(wide.c_str(), STGM_READ))) {
                std::vector<wchar_t> buffer(MAX_PATH * 4, L'\0');
                if (link->GetPath(buffer.data(), static_cast<int>(buffer.size()), nullptr, 0) == S_OK && buffer[0])
                    target = Utf8(buffer.data());
            }
            file->Release();
        }
        link->Release();
        return target;
    }
};

// The image of a process, in full long form and upper case; empty when the
// process cannot be asked (it ended, or it is another user's).
std::string ProcessImage(DWORD process)
{
    HANDLE handle = OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION, FALSE, process);
    if (!handle)
        return {};
    std::vector<wchar_t> image(MAX_PATH * 4);
    DWORD n = static_cast<DWORD>(image.size());
    const bool got = QueryFullProcessImageNameW(handle, 0, image.data(), &n) != FALSE;
    CloseHandle(handle);
    return got ? Upper(FullLongPath(Utf8(std::wstring_view(image.data(), n)))) : std::string();
}

// Whether the desktop composition hides a window (a window of another
// virtual desktop, a suspended packaged program's): on Windows 8 and later
// the taskbar and Alt+Tab leave such windows out. dwmapi is bound late: a
// session that never brings a program to the front never loads it.
bool Cloaked(HWND window)
{
    if (const auto& seam = CloakedSeam())
        return seam(window);
    using GetAttribute = HRESULT(WINAPI*)(HWND, DWORD, PVOID, DWORD);
    static const auto get = LateBound<GetAttribute>("dwmapi.dll", "DwmGetWindowAttribute");
    constexpr DWORD DwmwaCloaked = 14;
    DWORD cloaked = 0;
    return get && SUCCEEDED(get(window, DwmwaCloaked, &cloaked, sizeof cloaked)) && cloaked != 0;
}

// The windows of the shell's own that run in explorer.exe: the taskbars and
// the desktop. A binding of explorer.exe means its folder windows.
bool IsShellWindow(HWND window)
{
    if (window == GetShellWindow())
        return true;
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    for (const char* shell : {"Shell_TrayWnd", "Shell_SecondaryTrayWnd", "Progman", "WorkerW"})
        if (lstrcmpA(name, shell) == 0)
            return true;
    return false;
}

// A window the taskbar and Alt+Tab show: visible, a program's own (unowned,
// or marked to be shown), no tool window (palettes, a browser's picture in
// picture), nothing that takes no activation, with a size, not hidden by the
// composition.
bool ShownAsProgramWindow(HWND window)
{
    if (!IsWindowVisible(window))
        return false;
    const auto extended = static_cast<DWORD>(GetWindowLongPtrA(window, GWL_EXSTYLE));
    if (extended & WS_EX_TOOLWINDOW)
        return false;
    if (!(extended & WS_EX_APPWINDOW) && (GetWindow(window, GW_OWNER) || (extended & WS_EX_NOACTIVATE)))
        return false;
    RECT r{};
    if (!GetWindowRect(window, &r) || r.right <= r.left || r.bottom <= r.top)
        return false;
    return !Cloaked(window);
}

// The program's windows, in z-order: the most recently active first.
struct WindowSearch {
    std::string program; // upper case
    std::vector<std::pair<DWORD, bool>> processes; // each process asked once
    std::vector<HWND> found;
};

BOOL CALLBACK CollectProgramWindows(HWND window, LPARAM param)
{
    auto& search = *reinterpret_cast<WindowSearch*>(param);
    if (!ShownAsProgramWindow(window))
        return TRUE;
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    const auto known = std::find_if(search.processes.begin(), search.processes.end(),
                                    [&](const auto& p) { return p.first == process; });
    const bool matches = known != search.processes.end()
                             ? known->second
                             : search.processes.emplace_back(process, ProcessImage(process) == search.program).second;
    if (matches && !IsShellWindow(window))
        search.found.push_back(window);
    return TRUE;
}

// Whether the foreground is `window` or a window it owns (its dialog).
bool HoldsForeground(HWND window, HWND foreground)
{
    for (HWND w = foreground; w; w = GetWindow(w, GW_OWNER))
        if (w == window)
            return true;
    return false;
}

// Brings a program's window to the front, the foreground going to the
// window of it that takes input: its dialog, when one is open over it.
void Activate(HWND window)
{
    HWND input = GetLastActivePopup(window);
    if (!input || !IsWindowVisible(input) || !IsWindowEnabled(input))
        input = window;
    // The other program's thread does the restoring: the asynchronous call
    // never waits on it, so a program that hangs cannot hold our loop. The
    // right to the foreground the press gave us goes on to it.
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    AllowSetForegroundWindow(process);
    if (IsIconic(window))
        ShowWindowAsync(window, SW_RESTORE);
    SetForegroundWindow(input);
}

// Where a target that may be gone is looked for: only local disks are
// asked; the shell's own search would wait on a server that is off line.
class Win32TargetPlaces final : public ITargetPlaces {
public:
    bool OnLocalDisk(const std::string& path) override
    {
        if (path.size() < 2 || path[1] != ':')
            return false;
        const auto letter = static_cast<std::size_t>((static_cast<unsigned char>(path[0]) | 0x20) - 'a');
        if (letter >= drives_.size())
            return false;
        if (drives_[letter] == Unknown) {
            const wchar_t root[] = {static_cast<wchar_t>(L'A' + letter), L':', L'\\', L'\0'};
            const UINT type = GetDriveTypeW(root);
            drives_[letter] = type == DRIVE_FIXED || type == DRIVE_RAMDISK ? Local : Elsewhere;
        }
        return drives_[letter] == Local;
    }
    bool Exists(const std::string& path) override
    {
        // Many targets often share a folder: one that is gone is asked once.
        const std::size_t name = path.find_last_of("\\/");
        const std::string folder = Upper(path.substr(0, name == std::string::npos ? 0 : name));
        if (std::find(goneFolders_.begin(), goneFolders_.end(), folder) != goneFolders_.end())
            return false;
        if (GetFileAttributesW(Wide(path).c_str()) != INVALID_FILE_ATTRIBUTES)
            return true;
        if (GetLastError() == ERROR_PATH_NOT_FOUND)
            goneFolders_.push_back(folder);
        return false;
    }
    std::optional<std::string> AppPath(const std::string& name) override { return lookup_.AppPath(name); }
    std::vector<std::string> SearchFolders() override
    {
        if (!folders_.empty())
            return folders_;
        auto folder = [this](UINT (WINAPI *get)(LPWSTR, UINT)) {
            wchar_t buffer[MAX_PATH + 1] = {};
            const UINT n = get(buffer, MAX_PATH);
            if (n == 0 || n >= MAX_PATH)
                return false;
            folders_.push_back(Utf8(std::wstring_view(buffer, n)));
            return true;
        };
        wchar_t current[MAX_PATH + 1] = {};
        if (const DWORD n = GetCurrentDirectoryW(MAX_PATH, current); n > 0 && n < MAX_PATH)
            folders_.push_back(Utf8(std::wstring_view(current, n)));
        folders_.push_back(ExeDir());
        folder(GetSystemDirectoryW);
        if (folder(GetWindowsDirectoryW))
            folders_.push_back(folders_.back() + "\\System"); // the 16-bit system folder
        const DWORD size = GetEnvironmentVariableW(L"PATH", nullptr, 0);
        std::wstring path(size, L'\0');
        if (size > 0 && GetEnvironmentVariableW(L"PATH", path.data(), size) == size - 1) {
            path.resize(size - 1);
            std::size_t start = 0;
            while (start <= path.size()) {
                std::size_t end = path.find(L';', start);
                if (end == std::wstring::npos)
                    end = path.size();
                std::wstring entry = path.substr(start, end - start);
                if (entry.size() >= 2 && entry.front() == L'"' && entry.back() == L'"')
                    entry = entry.substr(1, entry.size() - 2);
                if (!entry.empty())
                    folders_.push_back(Utf8(entry));
                start = end + 1;
            }
        }
        return folders_;
    }

private:
    enum Drive : char { Unknown, Local, Elsewhere };
    std::array<Drive, 26> drives_{};
    std::vector<std::string> folders_;
    std::vector<std::string> goneFolders_; // upper case
    Win32ProgramLookup lookup_;
};

} // namespace

bool TargetsMissing::operator()(const std::string& target)
{
    if (!places_)
        places_ = std::make_shared<Win32TargetPlaces>();
    return TargetKnownMissing(target, *places_);
}

std::function<void(const std::string&)>& ProgramLookupSeam()
{
    static std::function<void(const std::string&)> seam;
    return seam;
}

std::optional<std::string> SystemApi::ResolveProgram(const std::string& target)
{
    if (const auto& seam = ProgramLookupSeam())
        seam(target);
    Win32ProgramLookup lookup;
    return ResolveProgramTarget(target, lookup);
}

bool SystemApi::BringToFront(const std::string& programPath, FrontMode mode)
{
    WindowSearch search;
    search.program = Upper(FullLongPath(programPath));
    EnumWindows(CollectProgramWindows, reinterpret_cast<LPARAM>(&search));
    if (search.found.empty())
        return false;

    const HWND foreground = GetForegroundWindow();
    const auto inFront = std::find_if(search.found.begin(), search.found.end(),
                                      [&](HWND w) { return HoldsForeground(w, foreground); });
    if (inFront == search.found.end()) {
        Activate(search.found.front()); // the most recently active
    } else if (mode == FrontMode::Toggle && !IsIconic(*inFront)) {
        ShowWindowAsync(*inFront, SW_MINIMIZE);
    } else if (mode == FrontMode::Cycle) {
        // Each press brings the window that has been away from the front
        // longest: the last in z-order. Round and round, every window of the
        // program comes once, in turn.
        Activate(search.found.back());
    } else {
        Activate(*inFront);
    }
    return true;
}

std::function<bool(HWND)>& CloakedSeam()
{
    static std::function<bool(HWND)> seam;
    return seam;
}

std::function<BOOL(SHELLEXECUTEINFOW&)>& ShellExecuteSeam()
{
    static std::function<BOOL(SHELLEXECUTEINFOW&)> seam = [](SHELLEXECUTEINFOW& info) {
        return ShellExecuteExW(&info);
    };
    return seam;
}

namespace {

// ShellExecuteExA, keeping the handle of the process started, when there is
// one (not for a document handed to a running program), just long enough to
// pass the foreground on: the press gave it to us.
bool ExecuteAllowingForeground(SHELLEXECUTEINFOW& info)
{
    EnsureCom(); // the shell may hand the file to an extension that needs it
    info.cbSize = sizeof info;
    // No box of the shell's: a launch reports nothing. No SEE_MASK_NOASYNC:
    // the calling thread runs a message loop and lives on.
    info.fMask |= SEE_MASK_NOCLOSEPROCESS | SEE_MASK_FLAG_NO_UI;
    if (!ShellExecuteSeam()(info))
        return false;
    if (info.hProcess) {
        AllowSetForegroundWindow(GetProcessId(info.hProcess));
        CloseHandle(info.hProcess);
    }
    return true;
}

} // namespace

LaunchOutcome SystemApi::Launch(const LaunchRequest& request)
{
    // The wide call: a target, arguments or folder of any script reach the
    // program as written.
    const std::wstring verb = request.verb ? Wide(request.verb) : std::wstring();
    const std::wstring file = Wide(request.file);
    const std::wstring parameters = Wide(request.parameters);
    const std::wstring directory = Wide(request.directory);
    SHELLEXECUTEINFOW info{};
    info.lpVerb = request.verb ? verb.c_str() : nullptr;
    info.lpFile = file.c_str();
    info.lpParameters = parameters.empty() ? nullptr : parameters.c_str();
    info.lpDirectory = directory.empty() ? nullptr : directory.c_str();
    info.nShow = request.showMode;
    if (ExecuteAllowingForeground(info))
        return LaunchOutcome::Started;
    const DWORD error = GetLastError();
    if (error == ERROR_CANCELLED)
        return LaunchOutcome::Declined;
    if (error == ERROR_NO_ASSOCIATION || reinterpret_cast<INT_PTR>(info.hInstApp) == SE_ERR_NOASSOC)
        return LaunchOutcome::NoSuchVerb;
    return LaunchOutcome::Failed;
}

std::string SystemApi::ExpandEnvironment(const std::string& text)
{
    const std::wstring wide = Wide(text);
    std::vector<wchar_t> buffer(wide.size() + MAX_PATH);
    for (;;) {
        const DWORD n = ExpandEnvironmentStringsW(wide.c_str(), buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0)
            return text;
        if (n <= buffer.size())
            return Utf8(buffer.data()); // n counts the closing zero
        buffer.resize(n);
    }
}

void OpenAllowingForeground(const char* file, int showMode)
{
    // What ShellExecute does (it sets no-UI itself).
    const std::wstring wide = Wide(file);
    SHELLEXECUTEINFOW info{};
    info.lpFile = wide.c_str();
    info.nShow = showMode;
    ExecuteAllowingForeground(info);
}

} // namespace quickdex::win32
