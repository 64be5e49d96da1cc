#pragma once
// What the benchmark and the soak share: timing, prepared folders with a
// hotkey.ini, the resident programs run from outside, key presses, and the
// memory of a process as Linux sees it under Wine.
#include "platform/win32/Files.h"
#include "platform/win32/Win32Platform.h"
#include "ui/main/MainIds.h"
#include "win/Desktop.h"

#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace quickdex::bench {

namespace fs = std::filesystem;

// --- Timing ---------------------------------------------------------------

inline double Now()
{
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER t;
    QueryPerformanceCounter(&t);
    return static_cast<double>(t.QuadPart) / frequency;
}

inline double Median(std::vector<double> values)
{
    if (values.empty())
        return 0;
    std::sort(values.begin(), values.end());
    const std::size_t mid = values.size() / 2;
    return values.size() % 2 ? values[mid] : (values[mid - 1] + values[mid]) / 2;
}

// --- Files ----------------------------------------------------------------

inline std::string ExeDir()
{
    return win32::ExeDir();
}

// 100 distinct combinations a test desktop leaves free: Ctrl+Alt, then
// Ctrl+Shift, then Shift+Alt with letters, digits and F1..F12.
inline std::vector<std::pair<int, int>> Combinations(int count)
{
    std::vector<int> keys;
    for (int k = 'A'; k <= 'Z'; ++k)
        keys.push_back(k);
    for (int k = '0'; k <= '9'; ++k)
        keys.push_back(k);
    for (int k = VK_F1; k <= VK_F12; ++k)
        keys.push_back(k);
    std::vector<std::pair<int, int>> combos;
    for (int modifiers : {MOD_CONTROL | MOD_ALT, MOD_CONTROL | MOD_SHIFT, MOD_SHIFT | MOD_ALT})
        for (int key : keys)
            if (static_cast<int>(combos.size()) < count)
                combos.emplace_back(modifiers, key);
    return combos;
}

// A hotkey.ini of `count` bindings; the last one starts `lastAction`.
inline std::string BindingsFile(int count, const std::string& lastAction)
{
    std::string text;
    const auto combos = Combinations(count);
    for (int i = 0; i < count; ++i) {
        const std::string action = i + 1 == count ? lastAction : "C:\\Tools\\tool" + std::to_string(i + 1) + ".exe";
        text += "[" + std::to_string(combos[i].first) + "+" + std::to_string(combos[i].second) + "]\r\nAction=" + action +
                "\r\nHint=Tool " + std::to_string(i + 1) + "\r\nSort=Tools\r\n";
    }
    return text;
}

inline void WriteFile(const fs::path& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

inline std::uintmax_t FileSize(const fs::path& path)
{
    std::error_code ec;
    const auto size = fs::file_size(path, ec);
    return ec ? 0 : size;
}

// A fresh folder under the system's temporary folder, removed afterwards.
struct Folder {
    explicit Folder(const char* name)
        : path(fs::temp_directory_path() / (std::string("quickdex-bench-") + name + "-" +
                                            std::to_string(GetCurrentProcessId())))
    {
        fs::create_directories(path);
    }
    ~Folder()
    {
        std::error_code ec;
        fs::remove_all(path, ec);
    }
    fs::path path;
};

// --- Programs -------------------------------------------------------------

// The first window of `process` with that class.
inline HWND WindowOf(DWORD process, const char* className)
{
    return test::FindProcessWindow(process, className);
}

struct Program {
    const char* exe;       // beside this program
    const char* mainClass; // the window that takes the request to end
    bool quickdex;
    const char* arguments = "";
};

inline const Program QuickdexProgram{"quickdex.exe", "TMainForm", true};
inline const Program BaselineProgram{"baseline.exe", "quickdexBaseline", false};
// The floor again, with the common-controls library loaded before anything
// else: what any program with a list view pays for the library alone.
inline const Program CommonControlsBaselineProgram{"baseline.exe", "quickdexBaseline", false, "commoncontrols"};
// The floor with its window shown, as quickdex's is once the user opened it.
inline const Program ShownBaselineProgram{"baseline.exe", "quickdexBaseline", false, "show"};

// One run of a resident program from its own folder.
class Running {
public:
    Running(const Program& program, const fs::path& folder) : program_(program)
    {
        const fs::path exe = folder / program.exe;
        CopyFileA((ExeDir() + program.exe).c_str(), exe.string().c_str(), FALSE);
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        std::string commandLine = "\"" + exe.string() + "\"";
        if (*program.arguments)
            commandLine += std::string(" ") + program.arguments;
        started = Now();
        ok_ = CreateProcessA(exe.string().c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                             folder.string().c_str(), &startup, &info_) != FALSE;
    }
    ~Running()
    {
        if (!ok_)
            return;
        if (HWND main = WindowOf(info_.dwProcessId, program_.mainClass))
            PostMessageA(main, program_.quickdex ? WM_COMMAND : WM_CLOSE, program_.quickdex ? ids::N4 : 0, 0);
        if (WaitForSingleObject(info_.hProcess, 10000) == WAIT_TIMEOUT)
            TerminateProcess(info_.hProcess, 1);
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    Running(const Running&) = delete;
    Running& operator=(const Running&) = delete;

    // Seconds from process creation until `modifiers`+`key` is taken;
    // negative when it never is. The probe itself holds the combination for
    // a moment, and a program that registers it in that moment is refused:
    // a program that has gone idle for a second without the combination
    // taken met the probe, and gives CollidedWithProbe.
    static constexpr double CollidedWithProbe = -2;
    double WaitUntilHeld(unsigned modifiers, unsigned key, double timeout = 20) const
    {
        double idleSince = -1;
        while (ok_ && Now() - started < timeout) {
            if (test::CombinationHeld(modifiers, key))
                return Now() - started;
            if (WaitForSingleObject(info_.hProcess, 0) != WAIT_TIMEOUT)
                return -1;
            if (WaitForInputIdle(info_.hProcess, 0) == 0) {
                if (idleSince < 0)
                    idleSince = Now();
                else if (Now() - idleSince > 1)
                    return CollidedWithProbe;
            } else {
                idleSince = -1;
            }
            Sleep(1);
        }
        return -1;
    }

    PROCESS_MEMORY_COUNTERS_EX Memory() const
    {
        PROCESS_MEMORY_COUNTERS_EX counters{};
        counters.cb = sizeof counters;
        GetProcessMemoryInfo(info_.hProcess, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
        return counters;
    }

    HANDLE Process() const { return info_.hProcess; }
    DWORD Id() const { return info_.dwProcessId; }
    bool Alive() const { return ok_ && WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }

    double started = 0;

private:
    const Program& program_;
    PROCESS_INFORMATION info_{};
    bool ok_ = false;
};

inline void Press(unsigned modifiers, WORD key)
{
    test::PressCombination(modifiers, key);
}

// Seconds until the file grows past `size`; negative on time-out.
inline double WaitForGrowth(const fs::path& file, std::uintmax_t size, double since, double timeout = 20)
{
    while (Now() - since < timeout) {
        if (FileSize(file) > size)
            return Now() - since;
        Sleep(1);
    }
    return -1;
}

// Under Wine a program is a Linux process, and some of what the system says
// about another process is missing (its private bytes) or not there at all
// (how often it wakes up). So these figures come from the process's own
// entries in /proc (Z:\proc), found by a part of its command line.
inline std::string ReadWhole(const std::string& path)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                              nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return {};
    std::string text;
    char chunk[4096];
    DWORD n = 0;
    while (ReadFile(file, chunk, sizeof chunk, &n, nullptr) && n > 0)
        text.append(chunk, n);
    CloseHandle(file);
    return text;
}

// The number after `field` in a /proc text, 0 when it is not there.
inline double FieldValue(const std::string& text, const char* field)
{
    const std::size_t at = text.find(field);
    return at == std::string::npos ? 0 : std::atof(text.c_str() + at + std::strlen(field));
}

// The numbered entries of a folder of /proc, as full paths with a trailing "\\".
inline std::vector<std::string> NumberedEntries(const std::string& dir)
{
    std::vector<std::string> entries;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((dir + "*").c_str(), &entry);
    if (search == INVALID_HANDLE_VALUE)
        return entries;
    do {
        if (entry.cFileName[0] >= '0' && entry.cFileName[0] <= '9')
            entries.push_back(dir + entry.cFileName + "\\");
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    return entries;
}

// The /proc folder (Z:\proc\<pid>\) of the process whose command line holds
// `commandLinePart`, other than this program; empty when there is none.
inline std::string LinuxProcessDir(const std::string& commandLinePart)
{
    for (const std::string& dir : NumberedEntries("Z:\\proc\\")) {
        std::string commandLine = ReadWhole(dir + "cmdline");
        std::replace(commandLine.begin(), commandLine.end(), '\0', ' ');
        if (commandLine.find(commandLinePart) != std::string::npos &&
            commandLine.find("quickdex_bench") == std::string::npos)
            return dir;
    }
    return {};
}

// The private pages a process holds and its resident set.
struct LinuxMemory {
    double privateKb = 0;
    double residentKb = 0;
    bool found = false;
};

inline LinuxMemory MemoryOfLinuxProcess(const std::string& commandLinePart)
{
    LinuxMemory memory;
    const std::string dir = LinuxProcessDir(commandLinePart);
    if (dir.empty())
        return memory;
    const std::string rollup = ReadWhole(dir + "smaps_rollup");
    memory.privateKb = FieldValue(rollup, "Private_Clean:") + FieldValue(rollup, "Private_Dirty:");
    memory.residentKb = FieldValue(ReadWhole(dir + "status"), "VmRSS:");
    memory.found = memory.privateKb > 0;
    return memory;
}

// How often a process has gone to sleep waiting for something and been woken
// (voluntary context switches): its main thread (the process's own status,
// the thread that runs the windows and the message loop) and all of its
// threads together (Wine adds a few of its own). Negative when the process
// is gone.
struct Wakeups {
    double mainThread = -1;
    double allThreads = -1;
    int threads = 0;
};

inline Wakeups WakeupsOf(const std::string& procDir)
{
    Wakeups wakeups;
    const std::string status = ReadWhole(procDir + "status");
    if (status.empty())
        return wakeups;
    wakeups.mainThread = FieldValue(status, "\nvoluntary_ctxt_switches:");
    wakeups.allThreads = 0;
    for (const std::string& task : NumberedEntries(procDir + "task\\")) {
        wakeups.allThreads += FieldValue(ReadWhole(task + "status"), "\nvoluntary_ctxt_switches:");
        ++wakeups.threads;
    }
    return wakeups;
}

} // namespace quickdex::bench
