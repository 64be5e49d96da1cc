// The benchmarks: quickdex against the floor the platform allows, in one run,
// alternating rounds, medians and their ratio.
//   quickdex_bench [rounds] [idle seconds]
//   quickdex_bench [rounds] startup|launch|show|front
//                                    (figures 1 and 4, 2, 8 or 9 alone)
// 1 start-up to ready   quickdex.exe and baseline.exe with 100 bindings
// 2 press to launch     a bound combination through SendInput, against
//                       this program's own ShellExecuteA of the same target
// 3 reload cycle        ReloadAndRegister in-process, against reading the
//                       file once and registering the hotkeys (1, 10, 100)
// 4 memory              private bytes and working set once ready; exe sizes
// 5 dispatch            one hotkey message up to the launch (stubbed)
// 6 hostile files       start-up with a 10 MB hotkey.ini and with 500 sections
// 7 idle wake-ups       voluntary context switches of a ready program that
//                       is left alone [idle seconds, default 60]
// 8 first showing       each window of quickdex.exe, from the command to
//                       the window painted, in a fresh process
// 9 press to front      a binding with IfRunning=front whose program runs,
//                       against this program's own SetForegroundWindow
// Programs it starts sit beside it: quickdex.exe, baseline.exe, marker.exe, probe.exe.
#include "BenchSupport.h"
#include "engine/HotkeyEngine.h"
#include "platform/win32/Controls.h"

#include <windows.h>
#include <psapi.h>
#include <shellapi.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

using namespace quickdex;
using namespace quickdex::bench;

namespace {

void Row(const char* name, double quickdex, double baseline, const char* unit, const char* target)
{
    // Nothing seen on one side (a press that never arrived): no figure, not a ratio of 0.
    if (quickdex <= 0 || baseline <= 0) {
        std::printf("  %-34s %12s %12s %-3s %7s   %s: NOT MEASURED, nothing seen\n", name, quickdex > 0 ? "" : "-",
                    baseline > 0 ? "" : "-", unit, "", target);
        std::fflush(stdout);
        return;
    }
    std::printf("  %-34s %12.2f %12.2f %-3s %7.2f   %s\n", name, quickdex, baseline, unit,
                baseline > 0 ? quickdex / baseline : 0.0, target);
    std::fflush(stdout);
}

// A figure of quickdex alone (the floor has no such window).
void Figure(const char* name, double quickdex, const char* unit, const char* target)
{
    std::printf("  %-34s %12.2f %12s %-3s %7s   %s\n", name, quickdex, "-", unit, "", target);
    std::fflush(stdout);
}

// Starts `program` in `folder` with `bindings` (100 of them, by default the
// last bound to a program that is not there) and waits until it holds the
// last; null when it never does.
std::unique_ptr<Running> StartReady(const Program& program, const Folder& folder,
                                    const std::string& bindings = BindingsFile(100, "C:\\Tools\\last.exe"))
{
    const auto last = Combinations(100).back();
    WriteFile(folder.path / "hotkey.ini", bindings);
    auto run = std::make_unique<Running>(program, folder.path);
    double seconds = run->WaitUntilHeld(last.first, last.second);
    for (int retry = 0; seconds == Running::CollidedWithProbe && retry < 3; ++retry) {
        run.reset();
        run = std::make_unique<Running>(program, folder.path);
        seconds = run->WaitUntilHeld(last.first, last.second);
    }
    if (seconds < 0)
        return nullptr;
    return run;
}

// --- 1 and 4: start-up and memory -------------------------------------------

void StartupAndMemory(int rounds)
{
    const auto combos = Combinations(100);
    const auto last = combos.back();
    // quickdex, the floor, and the floor with the common-controls library:
    // quickdex needs the library (its list, tree, hotkey field, toolbar and
    // tips, and the window hooks), and the last rows say what is left once
    // the library's own share is taken out.
    const Program* programs[] = {&QuickdexProgram, &BaselineProgram, &CommonControlsBaselineProgram};
    const char* folders[] = {"startup-q", "startup-b", "startup-c"};
    std::vector<double> ready[3], privateBytes[3], workingSet[3];
    int collisions = 0;
    for (int round = 0; round < rounds; ++round) {
        for (int which = 0; which < 3; ++which) {
            const Program& program = *programs[which];
            Folder folder(folders[which]);
            WriteFile(folder.path / "hotkey.ini", BindingsFile(100, "C:\\Tools\\last.exe"));
            auto run = std::make_unique<Running>(program, folder.path);
            double seconds = run->WaitUntilHeld(last.first, last.second);
            for (int retry = 0; seconds == Running::CollidedWithProbe && retry < 3; ++retry) {
                ++collisions;
                run.reset();
                run = std::make_unique<Running>(program, folder.path);
                seconds = run->WaitUntilHeld(last.first, last.second);
            }
            if (seconds < 0) {
                std::printf("  %s never registered its last binding\n", program.exe);
                continue;
            }
            ready[which].push_back(seconds * 1000);
            Sleep(300); // settled: whatever start-up still does is done
            const auto memory = run->Memory();
            const LinuxMemory linux = MemoryOfLinuxProcess(folder.path.filename().string());
            // The system's figures where it has them, else the Linux process's.
            privateBytes[which].push_back(memory.PrivateUsage ? static_cast<double>(memory.PrivateUsage) / 1024
                                                              : linux.privateKb);
            workingSet[which].push_back(memory.WorkingSetSize ? static_cast<double>(memory.WorkingSetSize) / 1024
                                                              : linux.residentKb);
        }
    }
    std::printf("1 start-up to ready, 100 bindings (%d rounds%s)\n", rounds,
                collisions ? (", " + std::to_string(collisions) + " run again after meeting the probe").c_str() : "");
    Row("process creation to last hotkey", Median(ready[0]), Median(ready[1]), "ms", "target <= 1.15");
    Row("  floor with common controls", Median(ready[0]), Median(ready[2]), "ms", "recorded");
    std::printf("4 memory once ready, 100 bindings (%d rounds)\n", rounds);
    Row("private bytes (private pages)", Median(privateBytes[0]), Median(privateBytes[1]), "KB", "target <= 1.3");
    Row("  floor with common controls", Median(privateBytes[0]), Median(privateBytes[2]), "KB", "recorded");
    Row("working set", Median(workingSet[0]), Median(workingSet[1]), "KB", "target <= 1.2");
    Row("  floor with common controls", Median(workingSet[0]), Median(workingSet[2]), "KB", "recorded");
    Row("exe size (static, stripped)", static_cast<double>(FileSize(ExeDir() + "quickdex.exe")) / 1024,
        static_cast<double>(FileSize(ExeDir() + "baseline.exe")) / 1024, "KB", "recorded");
}

// Start-up with hostile files: the bindings followed by 10 MB of comment
// lines, and 500 sections (quickdex uses the first 100 and says so in a box,
// which is answered here once the bindings are in).
void HostileStartup(int rounds)
{
    const auto last = Combinations(100).back();
    const std::string bindings = BindingsFile(100, "C:\\Tools\\last.exe");
    std::string tenMegabytes = bindings;
    while (tenMegabytes.size() < 10u * 1024 * 1024)
        tenMegabytes += "; " + std::string(1000, 'c') + "\r\n";
    std::string fiveHundred = bindings;
    for (int i = 101; i <= 500; ++i)
        fiveHundred += "[7+" + std::to_string(1000 + i) + "]\r\nAction=C:\\Tools\\extra.exe\r\n";

    std::printf("6 start-up with hostile files, to the last of 100 bindings (%d rounds)\n", rounds);
    for (const auto& [name, text] : {std::pair<const char*, const std::string&>{"10 MB hotkey.ini", tenMegabytes},
                                     std::pair<const char*, const std::string&>{"500 sections", fiveHundred}}) {
        std::vector<double> ready[2];
        for (int round = 0; round < rounds; ++round) {
            for (int which = 0; which < 2; ++which) {
                const Program& program = which == 0 ? QuickdexProgram : BaselineProgram;
                Folder folder(which == 0 ? "hostile-q" : "hostile-b");
                WriteFile(folder.path / "hotkey.ini", text);
                auto run = std::make_unique<Running>(program, folder.path);
                double seconds = run->WaitUntilHeld(last.first, last.second, 60);
                for (int retry = 0; seconds == Running::CollidedWithProbe && retry < 3; ++retry) {
                    run.reset();
                    run = std::make_unique<Running>(program, folder.path);
                    seconds = run->WaitUntilHeld(last.first, last.second, 60);
                }
                if (seconds >= 0)
                    ready[which].push_back(seconds * 1000);
                // The notice about the unused sections, answered.
                for (int i = 0; i < 100; ++i) {
                    if (HWND box = WindowOf(run->Id(), "#32770")) {
                        PostMessageA(box, WM_COMMAND, IDOK, 0);
                        break;
                    }
                    if (which == 1 || seconds < 0)
                        break;
                    Sleep(20);
                }
            }
        }
        Row(name, Median(ready[0]), Median(ready[1]), "ms", "bounded");
    }
}

// --- 2: press to launch -------------------------------------------------------

// `options`: keys added to the binding pressed (its launch options); the
// floor is the shell's plain open of the same program either way.
void PressToLaunch(int rounds, const std::string& options = "", const char* title = "2 press to launch")
{
    Folder folder("press");
    const fs::path marker = folder.path / "marker.exe";
    const fs::path ran = folder.path / "marker.ran";
    CopyFileA((ExeDir() + "marker.exe").c_str(), marker.string().c_str(), FALSE);
    const auto last = Combinations(100).back();
    const auto quickdex = StartReady(QuickdexProgram, folder, BindingsFile(100, marker.string()) + options);
    if (!quickdex) {
        std::printf("%s: quickdex.exe never registered its bindings\n", title);
        return;
    }
    Sleep(500);
    std::vector<double> viaHotkey, viaShell;
    for (int round = 0; round < rounds; ++round) {
        for (int which = 0; which < 2; ++which) {
            const std::uintmax_t before = FileSize(ran);
            const double start = Now();
            if (which == 0)
                Press(last.first, static_cast<WORD>(last.second));
            else
                ShellExecuteA(nullptr, nullptr, marker.string().c_str(), nullptr, nullptr, SW_SHOWNORMAL);
            const double seconds = WaitForGrowth(ran, before, start);
            if (seconds >= 0)
                (which == 0 ? viaHotkey : viaShell).push_back(seconds * 1000);
            Sleep(100); // the marker ends before the next round
        }
    }
    std::printf("%s, slot 100 of 100 (%d rounds; %zu and %zu launches seen)\n", title, rounds, viaHotkey.size(),
                viaShell.size());
    Row("SendInput to target started", Median(viaHotkey), Median(viaShell), "ms", "target <= 1.10");
}

// --- 7: press to front ----------------------------------------------------------

// A visible window of the bench's own, in front before each round.
HWND MakeVisibleWindow()
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "quickdexBenchFront";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, windowClass.lpszClassName, "bench", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 500, 400, 200,
                           150, nullptr, nullptr, windowClass.hInstance, nullptr);
}

void PumpFor(double seconds)
{
    const double end = Now() + seconds;
    while (Now() < end) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        Sleep(1);
    }
}

// Seconds until `window` is the foreground window; negative on time-out.
double WaitForFront(HWND window, double since, double timeout = 10)
{
    while (Now() - since < timeout) {
        if (GetForegroundWindow() == window)
            return Now() - since;
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE))
            DispatchMessageA(&message);
        Sleep(1);
    }
    return -1;
}

void PressToFront(int rounds, const char* mode = "front")
{
    Folder folder("front");
    const fs::path probe = folder.path / "probe.exe";
    CopyFileA((ExeDir() + "probe.exe").c_str(), probe.string().c_str(), FALSE);
    const auto last = Combinations(100).back();
    const auto quickdex = StartReady(QuickdexProgram, folder, BindingsFile(100, probe.string()) + "IfRunning=" + mode + "\r\n");
    if (!quickdex) {
        std::printf("9 press to front: quickdex.exe never registered its bindings\n");
        return;
    }
    Sleep(500);
    // The first press starts the probe; the rounds find it running.
    Press(last.first, static_cast<WORD>(last.second));
    HWND probeWindow = nullptr;
    for (int i = 0; i < 1000 && !probeWindow; ++i, Sleep(10))
        probeWindow = FindWindowA("quickdexProbe", nullptr);
    if (!probeWindow) {
        std::printf("9 press to front: the probe never started\n");
        return;
    }
    HWND own = MakeVisibleWindow();
    std::vector<double> viaHotkey, direct;
    for (int round = 0; round < rounds; ++round) {
        for (int which = 0; which < 2; ++which) {
            SetForegroundWindow(own);
            if (WaitForFront(own, Now()) < 0)
                continue;
            PumpFor(0.05);
            const double start = Now();
            if (which == 0)
                Press(last.first, static_cast<WORD>(last.second));
            else
                SetForegroundWindow(probeWindow);
            const double seconds = WaitForFront(probeWindow, start);
            if (seconds >= 0)
                (which == 0 ? viaHotkey : direct).push_back(seconds * 1000);
        }
    }
    PostMessageA(probeWindow, WM_CLOSE, 0, 0);
    for (int i = 0; i < 500 && IsWindow(probeWindow); ++i)
        Sleep(10);
    Sleep(200); // the process ends after its window, before the folder goes
    DestroyWindow(own);
    std::printf("9 press to front, IfRunning=%s, program running, slot 100 of 100 (%d rounds; %zu and %zu seen)\n",
                mode, rounds, viaHotkey.size(), direct.size());
    Row("SendInput to its window in front", Median(viaHotkey), Median(direct), "ms", "recorded");
}

// --- 3 and 5: in-process ------------------------------------------------------

// The press's job run at once: the dispatch figure is the engine's own.
class InlineLaunches : public ILaunchQueue {
public:
    void Post(std::function<void()> job) override { job(); }
};

class QuietSystem : public ISystemApi {
public:
    void WinExec(const char*, int) override {}
    void ShellExecuteFile(const char*, int) override { ++launches; }
    void MciSendString(const char*) override {}
    std::optional<std::uint32_t> VersionPlatformId() override { return 2; }
    std::optional<TokenHandle> OpenProcessToken(std::uint32_t) override { return std::nullopt; }
    std::optional<Luid> LookupPrivilege(const char*) override { return std::nullopt; }
    bool AdjustTokenPrivilege(TokenHandle, Luid, std::uint32_t) override { return false; }
    void CloseHandle(TokenHandle) override {}
    bool RequestExitWindows(unsigned, unsigned) override { return false; }
    std::string SystemFolder() override { return {}; }
    std::optional<std::string> ResolveProgram(const std::string&) override { return std::nullopt; }
    bool BringToFront(const std::string&, FrontMode) override { return false; }
    LaunchOutcome Launch(const LaunchRequest&) override
    {
        ++launches;
        return LaunchOutcome::Started;
    }
    std::string ExpandEnvironment(const std::string& text) override { return text; }
    long launches = 0;
};

class QuietWindow : public IProgramWindow {
public:
    void CloseMainWindow() override {}
    void ShowMainWindow() override {}
};

class CountingView : public IEngineView {
public:
    void AddRow(int, const Tquickdex&) override { ++rows; }
    void ClearRows() override { rows = 0; }
    void SetTrayImage(int) override {}
    void SetStopCaptions(const char*) override {}
    void ShowPlainMessage(const char* text) override { std::printf("  message: %s\n", text); }
    int rows = 0;
};

HotkeyEngine* dispatchTarget = nullptr;

LRESULT CALLBACK BenchWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_HOTKEY && dispatchTarget) {
        dispatchTarget->WMHotKey(static_cast<std::uint32_t>(lParam));
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

HWND MakeWindow()
{
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = BenchWindowProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "quickdexBench";
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, windowClass.lpszClassName, "", WS_OVERLAPPEDWINDOW, 0, 0, 10, 10, nullptr, nullptr,
                           windowClass.hInstance, nullptr);
}

// The floor of a reload: drop the old hotkeys, read the file once, register.
int ReadOnceAndRegister(HWND window, const std::string& ini, int previous)
{
    for (int id = 1; id <= previous; ++id)
        UnregisterHotKey(window, id);
    std::vector<char> names(16384);
    const DWORD n = GetPrivateProfileSectionNamesA(names.data(), static_cast<DWORD>(names.size()), ini.c_str());
    char action[2048];
    int id = 0;
    for (const char* name = names.data(); name < names.data() + n && *name; name += std::strlen(name) + 1) {
        const char* plus = std::strchr(name, '+');
        if (!plus)
            continue;
        GetPrivateProfileStringA(name, "Action", "", action, sizeof action, ini.c_str());
        RegisterHotKey(window, ++id, static_cast<UINT>(std::atoi(name)), static_cast<UINT>(std::atoi(plus + 1)));
    }
    return id;
}

void ReloadAndDispatch(int rounds)
{
    HWND engineWindow = MakeWindow();
    HWND baselineWindow = MakeWindow();
    win32::Files files;
    win32::HotkeyApi hotkeys(engineWindow);
    QuietSystem system;
    QuietWindow window;
    CountingView view;
    InlineLaunches launches;

    std::printf("3 reload cycle, in-process (%d rounds each)\n", rounds);
    double perBinding[3] = {}, floorPerBinding[3] = {};
    int sizeIndex = 0;
    for (int count : {1, 10, 100}) {
        Folder folder(("reload" + std::to_string(count)).c_str());
        WriteFile(folder.path / "hotkey.ini", BindingsFile(count, "C:\\Tools\\last.exe"));
        const std::string dir = folder.path.string() + "\\";
        HotkeyEngine engine({files, hotkeys, system, window, view, launches}, dir);
        engine.ReloadAndRegister(); // atoms taken once, as in the program
        engine.UnregisterAll();
        std::vector<double> engineTimes, baselineTimes;
        int registered = 0;
        for (int round = 0; round < rounds; ++round) {
            double start = Now();
            engine.ReloadAndRegister();
            engineTimes.push_back((Now() - start) * 1000);
            engine.UnregisterAll();

            start = Now();
            registered = ReadOnceAndRegister(baselineWindow, dir + "hotkey.ini", 0);
            baselineTimes.push_back((Now() - start) * 1000);
            for (int id = 1; id <= registered; ++id)
                UnregisterHotKey(baselineWindow, id);
        }
        if (view.rows != count || registered != count)
            std::printf("  (loaded %d rows, baseline %d hotkeys, of %d)\n", view.rows, registered, count);
        const std::string name = "ReloadAndRegister, " + std::to_string(count) + " binding" + (count > 1 ? "s" : "");
        Row(name.c_str(), Median(engineTimes), Median(baselineTimes), "ms", count == 100 ? "target <= 2" : "");
        perBinding[sizeIndex] = Median(engineTimes) / count;
        floorPerBinding[sizeIndex++] = Median(baselineTimes) / count;
        engine.ReleaseAtoms();
    }
    // Linear means a steady ratio to the floor: the platform's own cost per
    // binding grows with the file (it looks sections and hotkeys up one by one).
    std::printf("  per binding at 1, 10, 100: quickdex %.3f, %.3f, %.3f ms; baseline %.3f, %.3f, %.3f ms;"
                " ratio %.2f, %.2f, %.2f\n",
                perBinding[0], perBinding[1], perBinding[2], floorPerBinding[0], floorPerBinding[1], floorPerBinding[2],
                perBinding[0] / floorPerBinding[0], perBinding[1] / floorPerBinding[1],
                perBinding[2] / floorPerBinding[2]);

    // Dispatch: the engine's lookup and launch call with the launch stubbed,
    // against the least a lookup can cost (a packed array of combinations).
    Folder folder("dispatch");
    WriteFile(folder.path / "hotkey.ini", BindingsFile(100, "C:\\Tools\\last.exe"));
    HotkeyEngine engine({files, hotkeys, system, window, view, launches}, folder.path.string() + "\\");
    engine.ReloadAndRegister();
    engine.UnregisterAll();
    const auto combos = Combinations(100);
    const std::uint32_t lastParam = static_cast<std::uint32_t>(combos.back().first) |
                                    static_cast<std::uint32_t>(combos.back().second) << 16;
    std::vector<std::uint32_t> packed;
    for (const auto& [modifiers, key] : combos)
        packed.push_back(static_cast<std::uint32_t>(modifiers) | static_cast<std::uint32_t>(key) << 16);
    volatile long floorLaunches = 0;
    std::vector<std::string> actions(100, "C:\\Tools\\tool.exe");
    const auto floorDispatch = [&](std::uint32_t lParam) {
        for (std::size_t i = 0; i < packed.size(); ++i)
            if (packed[i] == lParam) {
                const std::string action = actions[i];
                floorLaunches = floorLaunches + static_cast<long>(action.size() > 0);
                return;
            }
    };
    constexpr int calls = 200000;
    std::vector<double> engineNs, floorNs, messageNs;
    for (int round = 0; round < rounds; ++round) {
        double start = Now();
        for (int i = 0; i < calls; ++i)
            engine.WMHotKey(lastParam);
        engineNs.push_back((Now() - start) * 1e9 / calls);
        start = Now();
        for (int i = 0; i < calls; ++i)
            floorDispatch(lastParam);
        floorNs.push_back((Now() - start) * 1e9 / calls);
    }
    // The same through the window's message handler, as the system delivers it.
    dispatchTarget = &engine;
    for (int round = 0; round < rounds; ++round) {
        constexpr int messages = 20000;
        const double start = Now();
        for (int i = 0; i < messages; ++i)
            SendMessageA(engineWindow, WM_HOTKEY, 100, static_cast<LPARAM>(lastParam));
        messageNs.push_back((Now() - start) * 1e9 / messages);
    }
    dispatchTarget = nullptr;
    std::printf("5 dispatch of one hotkey message, slot 100 of 100, launch stubbed (%d rounds)\n", rounds);
    Row("WMHotKey to the launch call", Median(engineNs), Median(floorNs), "ns", "recorded");
    std::printf("  through the window's message handler: %.0f ns a message (%ld launches counted)\n",
                Median(messageNs), system.launches);
    engine.ReleaseAtoms();
    DestroyWindow(engineWindow);
    DestroyWindow(baselineWindow);
}

// --- 7: idle wake-ups ---------------------------------------------------------

// A resident program that nobody uses should not run at all: every time it
// wakes up (a timer, a poll) it costs the machine a little power and cache.
// Counted from the Linux process, as the system has no count of its own.
void IdleWakeups(double seconds)
{
    Wakeups counted[2], totals[2];
    for (int which = 0; which < 2; ++which) {
        const Program& program = which == 0 ? QuickdexProgram : BaselineProgram;
        Folder folder(which == 0 ? "idle-q" : "idle-b");
        const auto run = StartReady(program, folder);
        if (!run) {
            std::printf("  %s never registered its last binding\n", program.exe);
            continue;
        }
        Sleep(1000); // start-up's own last messages
        const std::string dir = LinuxProcessDir(folder.path.filename().string());
        const Wakeups before = WakeupsOf(dir);
        Sleep(static_cast<DWORD>(seconds * 1000));
        const Wakeups after = WakeupsOf(dir);
        if (dir.empty() || before.mainThread < 0 || after.mainThread < 0) {
            std::printf("  %s: no /proc entry to read\n", program.exe);
            continue;
        }
        counted[which] = {after.mainThread - before.mainThread, after.allThreads - before.allThreads, after.threads};
        totals[which] = after;
    }
    std::printf("7 idle wake-ups, 100 bindings, ready and left alone for %.0f s (from start: %.0f and %.0f, "
                "%d and %d threads)\n",
                seconds, totals[0].allThreads, totals[1].allThreads, totals[0].threads, totals[1].threads);
    std::printf("  %-34s %12.0f %12.0f %-3s %7s   %s\n", "voluntary switches, main thread", counted[0].mainThread,
                counted[1].mainThread, "", "", "target 0");
    std::printf("  %-34s %12.0f %12.0f %-3s %7s   %s\n", "voluntary switches, all threads", counted[0].allThreads,
                counted[1].allThreads, "", "", "recorded");
    std::fflush(stdout);
}

// --- 8: first showing of each window -----------------------------------------

// Whether `window` is on screen with nothing left to paint, its visible
// children included: what the user then sees is the finished window.
bool Painted(HWND window)
{
    if (!IsWindowVisible(window) || GetUpdateRect(window, nullptr, FALSE))
        return false;
    bool clean = true;
    EnumChildWindows(
        window,
        [](HWND child, LPARAM param) -> BOOL {
            if (IsWindowVisible(child) && GetUpdateRect(child, nullptr, FALSE)) {
                *reinterpret_cast<bool*>(param) = false;
                return FALSE;
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&clean));
    return clean;
}

// Seconds from `since` until the window of that class is painted, and in
// `visible` until it was first on screen; negative on time-out.
double WaitUntilPainted(DWORD process, const char* className, double since, double& visible, double timeout = 10)
{
    HWND window = nullptr;
    visible = -1;
    while (Now() - since < timeout) {
        if (!window)
            window = WindowOf(process, className);
        if (window && visible < 0 && IsWindowVisible(window))
            visible = Now() - since;
        if (window && Painted(window))
            return Now() - since;
        Sleep(1);
    }
    return -1;
}

// Whether an update region of another process's window can be seen from
// here: a region this program makes on a painted window must show at once,
// and be gone once the owner has painted it.
bool UpdateRegionsVisible(HWND window)
{
    // The other process may paint before the region is read back: a few
    // tries, and one region seen and then cleared is enough.
    for (int attempt = 0; attempt < 10; ++attempt) {
        InvalidateRect(window, nullptr, FALSE);
        if (!GetUpdateRect(window, nullptr, FALSE)) {
            Sleep(20);
            continue;
        }
        const double start = Now();
        while (Now() - start < 5) {
            if (!GetUpdateRect(window, nullptr, FALSE))
                return true;
            Sleep(1);
        }
        return false;
    }
    return false;
}

// Milliseconds from the call that shows the bare window of the floor until it
// is shown and until it is painted.
struct BareTimes {
    double shown = 0;
    double painted = 0;
};
BareTimes BareListRound(int rows);

// The windows in the order a user first meets them: the main window from the
// tray menu's Show, the hotkey editor from its Add button, the action chooser
// from the editor's action button, About from the Help menu. Each is timed
// the first time it is shown in a fresh process, from the command (posted as
// the menu or the button would) to the window painted.
void FirstShowing(int rounds)
{
    constexpr int ActionButton = 310; // the editor's button that opens the chooser
    struct Step {
        const char* name;
        const char* from; // class of the window that takes the command
        int command;
        const char* shows;
    };
    const Step steps[] = {
        {"main window (tray menu Show)", "TMainForm", ids::Show_N, "TMainForm"},
        {"hotkey editor (Add)", "TMainForm", ids::AddBitBtn, "TAddOrChange_Form"},
        {"action chooser (editor's button)", "TAddOrChange_Form", ActionButton, "TDoList_Form"},
        {"About (Help menu)", "TMainForm", ids::N5, "TAbout_Form"},
    };
    constexpr int stepCount = sizeof steps / sizeof steps[0];
    std::vector<double> times[stepCount], visibleTimes[stepCount];
    std::vector<double> floorShown, floorPainted, floorEmpty;
    int failures = 0;
    const char* method = nullptr;
    for (int round = 0; round < rounds; ++round) {
        // The floor of this round, while no window of quickdex is on the screen.
        const BareTimes full = BareListRound(100);
        floorShown.push_back(full.shown);
        floorPainted.push_back(full.painted);
        floorEmpty.push_back(BareListRound(0).painted);
        Folder folder("show");
        const auto run = StartReady(QuickdexProgram, folder);
        if (!run) {
            ++failures;
            continue;
        }
        Sleep(300); // settled, as in the memory round
        for (int i = 0; i < stepCount; ++i) {
            HWND from = WindowOf(run->Id(), steps[i].from);
            if (!from) {
                ++failures;
                break;
            }
            const double start = Now();
            PostMessageA(from, WM_COMMAND, static_cast<WPARAM>(steps[i].command), 0);
            double visible = -1;
            const double seconds = WaitUntilPainted(run->Id(), steps[i].shows, start, visible);
            if (seconds < 0) {
                std::printf("  round %d: %s was not painted within 10 s\n", round + 1, steps[i].shows);
                ++failures;
                break;
            }
            times[i].push_back(seconds * 1000);
            visibleTimes[i].push_back(visible * 1000);
            if (!method) {
                HWND shown = WindowOf(run->Id(), steps[i].shows);
                method = UpdateRegionsVisible(shown) ? "its update region, read from here"
                                                     : "NOT SEEN: update regions of other processes read as empty here";
            }
            Sleep(200); // what the window does after its first paint
        }
    }
    std::printf("8 first showing of each window, command to painted (%d fresh processes%s)\n", rounds,
                failures ? (", " + std::to_string(failures) + " failed").c_str() : "");
    std::printf("  painted = visible, no update region left on it or its visible children: %s\n",
                method ? method : "n/a");
    // The main window against the bare window with such a list, shown and
    // painted; the other windows have no floor of their own.
    Row(steps[0].name, Median(times[0]), Median(floorPainted), "ms", "target <= 1.2");
    for (int i = 1; i < stepCount; ++i)
        Figure(steps[i].name, Median(times[i]), "ms", "target <= 50");
    std::printf("  of which until visible: %.2f, %.2f, %.2f, %.2f ms\n", Median(visibleTimes[0]),
                Median(visibleTimes[1]), Median(visibleTimes[2]), Median(visibleTimes[3]));
    std::printf("  the floor under the main window: a bare window with such a list, in this process, shown and "
                "painted (%zu rounds)\n",
                floorPainted.size());
    Figure("  shown", Median(floorShown), "ms", "recorded");
    Figure("  painted, 100 rows", Median(floorPainted), "ms", "recorded");
    Figure("  painted, no rows", Median(floorEmpty), "ms", "recorded");
}

// What the platform alone takes to show and paint a list view like the main
// window's (same size, font, columns, `rows` rows with state marks) in a bare
// top-level window of this process: the floor under the main window's first
// showing, measured in the same run, alternating with quickdex's rounds.
BareTimes BareListRound(int rows)
{
    static const char* className = [] {
        WNDCLASSA windowClass{};
        windowClass.lpfnWndProc = DefWindowProcA;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        windowClass.lpszClassName = "quickdexBenchBareList";
        RegisterClassA(&windowClass);
        const INITCOMMONCONTROLSEX controls{sizeof controls, ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&controls);
        return windowClass.lpszClassName;
    }();
    static HBITMAP marks = CreateBitmap(48, 16, 1, 32, nullptr);
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    RECT frame{0, 0, 394, 404};
    AdjustWindowRect(&frame, WS_OVERLAPPEDWINDOW, TRUE);
    HWND top = CreateWindowExA(0, className, "bare list", WS_OVERLAPPEDWINDOW, 300, 150, frame.right - frame.left,
                               frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
    HWND list = CreateWindowExA(0, WC_LISTVIEWA, "",
                                WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS, 2,
                                15, 390, 343, top, nullptr, instance, nullptr);
    SendMessageA(list, WM_SETFONT, reinterpret_cast<WPARAM>(win32::UiFont()), FALSE);
    ListView_SetExtendedListViewStyle(list, LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);
    HIMAGELIST states = ImageList_Create(16, 16, ILC_COLOR32, 3, 0);
    ImageList_Add(states, marks, nullptr);
    ListView_SetImageList(list, states, LVSIL_STATE);
    const int widths[] = {100, 200, 80};
    for (int column = 0; column < 3; ++column) {
        LVCOLUMNA c{};
        c.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        c.pszText = const_cast<char*>("Column");
        c.cx = widths[column];
        c.iSubItem = column;
        SendMessageA(list, LVM_INSERTCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&c));
    }
    for (int row = 0; row < rows; ++row) {
        const std::string caption = "Ctrl+Alt+" + std::to_string(row);
        const std::string action = "C:\\Tools\\tool" + std::to_string(row + 1) + ".exe";
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = const_cast<char*>(caption.c_str());
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        const char* texts[] = {action.c_str(), "Tools"};
        for (int column = 1; column <= 2; ++column) {
            LVITEMA sub{};
            sub.iSubItem = column;
            sub.pszText = const_cast<char*>(texts[column - 1]);
            SendMessageA(list, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&sub));
        }
        ListView_SetItemState(list, row, INDEXTOSTATEIMAGEMASK(1), LVIS_STATEIMAGEMASK);
    }
    const double start = Now();
    ShowWindow(top, SW_SHOW);
    const double shown = Now();
    UpdateWindow(top);
    const double painted = Now();
    DestroyWindow(top);
    ImageList_Destroy(states);
    return {(shown - start) * 1000, (painted - start) * 1000};
}

} // namespace

// --- 10: exit -------------------------------------------------------------

// From the Exit command to the process gone, its Linux process included,
// once its main window has been shown: quickdex against the floor (shown
// too, so that both have had a window on the screen).
void ExitAfterShowing(int rounds)
{
    std::vector<double> ended[2], gone[2];
    int failures = 0;
    for (int round = 0; round < rounds; ++round) {
        for (int which = 0; which < 2; ++which) {
            const Program& program = which == 0 ? QuickdexProgram : ShownBaselineProgram;
            Folder folder("exit");
            const auto run = StartReady(program, folder);
            HWND main = run ? WindowOf(run->Id(), program.mainClass) : nullptr;
            if (!main) {
                ++failures;
                continue;
            }
            if (program.quickdex) {
                PostMessageA(main, WM_COMMAND, ids::Show_N, 0);
                double visible = -1;
                WaitUntilPainted(run->Id(), program.mainClass, Now(), visible);
            }
            Sleep(300);
            const std::string linux = LinuxProcessDir((folder.path / program.exe).string().substr(2));
            const double start = Now();
            PostMessageA(main, program.quickdex ? WM_COMMAND : WM_CLOSE, program.quickdex ? ids::N4 : 0, 0);
            if (WaitForSingleObject(run->Process(), 20000) != WAIT_OBJECT_0) {
                ++failures;
                continue;
            }
            ended[which].push_back((Now() - start) * 1000);
            while (!linux.empty() && !ReadWhole(linux + "status").empty() && Now() - start < 20)
                Sleep(1);
            gone[which].push_back((Now() - start) * 1000);
        }
    }
    std::printf("10 exit once the main window was shown (%d rounds%s)\n", rounds,
                failures ? (", " + std::to_string(failures) + " failed").c_str() : "");
    Row("Exit to process ended", Median(ended[0]), Median(ended[1]), "ms", "");
    Row("Exit to Linux process gone", Median(gone[0]), Median(gone[1]), "ms", "target <= 1.2");
}

// Every launch option at once, an environment name in each text. Under Wine
// "runas" starts the program as any other verb does.
std::string AllLaunchOptions()
{
    return "Arguments=%SystemRoot%\\one two\r\nStartIn=%TEMP%\r\nWindow=max\r\nAdmin=1\r\n";
}

int main(int argc, char** argv)
{
    const int rounds = argc > 1 ? std::max(3, std::atoi(argv[1])) : 11;
    const double idleSeconds = argc > 2 ? std::max(1.0, std::atof(argv[2])) : 60;
    const char* figure = argc > 2 && std::atof(argv[2]) == 0 ? argv[2] : nullptr;
    std::printf("quickdex benchmarks: quickdex against a minimal Win32 program; medians of alternating rounds\n");
    std::printf("  %-34s %12s %12s %-3s %7s\n", "", "quickdex", "baseline", "", "ratio");
    if (figure) {
        if (std::strcmp(figure, "startup") == 0)
            StartupAndMemory(rounds);
        else if (std::strcmp(figure, "launch") == 0) {
            PressToLaunch(rounds * 2);
            PressToLaunch(rounds * 2, AllLaunchOptions(), "2 press to launch with every launch option");
        }
        else if (std::strcmp(figure, "show") == 0) {
            FirstShowing(rounds);
        }
        else if (std::strcmp(figure, "front") == 0) {
            PressToFront(rounds * 2);
            PressToFront(rounds * 2, "cycle");
        }
        else if (std::strcmp(figure, "exit") == 0)
            ExitAfterShowing(rounds);
        else
            std::printf("no figure called %s: startup, launch, show, front or exit\n", figure);
        return 0;
    }
    StartupAndMemory(rounds);
    PressToLaunch(rounds * 2);
    PressToLaunch(rounds * 2, AllLaunchOptions(), "2 press to launch with every launch option");
    ReloadAndDispatch(rounds * 5);
    HostileStartup(std::max(3, rounds / 3));
    IdleWakeups(idleSeconds);
    FirstShowing(rounds);
    PressToFront(rounds * 2);
    PressToFront(rounds * 2, "cycle");
    ExitAfterShowing(rounds);
    return 0;
}
