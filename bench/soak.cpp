// The soak: one run of quickdex.exe through many reload cycles and hotkey
// presses, watching what it holds.   soak [presses] [reload cycles]
// Every press of a bound combination must start its target (a marker
// program that appends a line to a file), and the program's objects,
// handles, atoms and memory must not grow beyond noise. A reload cycle is
// Stop then Start from the File menu, which reads hotkey.ini again and
// registers every binding anew.
#include "BenchSupport.h"
#include "platform/win32/SystemLibraries.h"

using namespace quickdex;
using namespace quickdex::bench;

namespace {

struct Sample {
    long presses = 0;
    long reloads = 0;
    long gdiObjects = 0;
    long userObjects = 0;
    DWORD handles = 0;
    int windows = 0;
    ATOM probeAtom = 0;
    LinuxMemory memory;
};

int CountWindows(DWORD process)
{
    struct Count {
        DWORD process;
        int windows;
    } count{process, 0};
    EnumWindows(
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto& c = *reinterpret_cast<Count*>(param);
            DWORD owner = 0;
            GetWindowThreadProcessId(hwnd, &owner);
            if (owner == c.process) {
                ++c.windows;
                EnumChildWindows(
                    hwnd, [](HWND, LPARAM p) -> BOOL { return ++*reinterpret_cast<int*>(p), TRUE; },
                    reinterpret_cast<LPARAM>(&c.windows));
            }
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&count));
    return count.windows;
}

// The handle count the system's process list gives (Wine's own answer to
// GetProcessHandleCount for another process is 0).
DWORD HandleCount(DWORD process)
{
    using Query = LONG(WINAPI*)(ULONG, PVOID, ULONG, PULONG);
    static const auto query = win32::LateBound<Query>("ntdll.dll", "NtQuerySystemInformation");
    if (!query)
        return 0;
    std::vector<unsigned char> buffer(1 << 20);
    ULONG needed = 0;
    if (query(5 /* SystemProcessInformation */, buffer.data(), static_cast<ULONG>(buffer.size()), &needed) != 0)
        return 0;
    // SYSTEM_PROCESS_INFORMATION: NextEntryOffset at 0, UniqueProcessId at 80
    // and HandleCount at 88 on 64-bit systems.
    for (std::size_t at = 0;;) {
        const unsigned char* entry = buffer.data() + at;
        ULONG next = 0;
        std::memcpy(&next, entry, sizeof next);
        ULONG_PTR id = 0;
        std::memcpy(&id, entry + 80, sizeof id);
        if (id == process) {
            ULONG handles = 0;
            std::memcpy(&handles, entry + 88, sizeof handles);
            return handles;
        }
        if (next == 0)
            return 0;
        at += next;
    }
}

// GetGuiResources, or -1 where the system does not count (Wine).
long GuiObjects(HANDLE process, DWORD kind)
{
    SetLastError(0);
    const DWORD n = GetGuiResources(process, kind);
    return n == 0 && GetLastError() == ERROR_CALL_NOT_IMPLEMENTED ? -1 : static_cast<long>(n);
}

// A new global atom's number: it climbs when atoms pile up in the table.
ATOM ProbeAtom()
{
    const ATOM atom = GlobalAddAtomA("quickdex soak probe");
    GlobalDeleteAtom(atom);
    return atom;
}

Sample Take(const Running& run, const fs::path& folder, long presses, long reloads)
{
    Sample s;
    s.presses = presses;
    s.reloads = reloads;
    s.gdiObjects = GuiObjects(run.Process(), GR_GDIOBJECTS);
    s.userObjects = GuiObjects(run.Process(), GR_USEROBJECTS);
    if (!GetProcessHandleCount(run.Process(), &s.handles) || s.handles == 0)
        s.handles = HandleCount(run.Id());
    s.windows = CountWindows(run.Id());
    s.probeAtom = ProbeAtom();
    s.memory = MemoryOfLinuxProcess(folder.filename().string());
    return s;
}

void Print(const Sample& s)
{
    const auto count = [](long n) { return n < 0 ? std::string("n/a") : std::to_string(n); };
    std::printf("  %8ld %8ld %6s %6s %8lu %8d %7u %10.0f %10.0f\n", s.presses, s.reloads, count(s.gdiObjects).c_str(),
                count(s.userObjects).c_str(), s.handles, s.windows, s.probeAtom, s.memory.privateKb, s.memory.residentKb);
    std::fflush(stdout);
}

} // namespace

int main(int argc, char** argv)
{
    const long presses = argc > 1 ? std::atol(argv[1]) : 10000;
    const long reloads = argc > 2 ? std::atol(argv[2]) : 1000;

    Folder folder("soak");
    const fs::path marker = folder.path / "marker.exe";
    const fs::path ran = folder.path / "marker.ran";
    CopyFileA((ExeDir() + "marker.exe").c_str(), marker.string().c_str(), FALSE);
    // 100 bindings; the first, the middle and the last start the marker.
    const auto combos = Combinations(100);
    std::string ini;
    for (int i = 0; i < 100; ++i) {
        const bool pressed = i == 0 || i == 49 || i == 99;
        ini += "[" + std::to_string(combos[i].first) + "+" + std::to_string(combos[i].second) + "]\r\nAction=" +
               (pressed ? marker.string() : "C:\\Tools\\tool" + std::to_string(i + 1) + ".exe") +
               "\r\nHint=Binding " + std::to_string(i + 1) + "\r\nSort=Soak\r\n";
    }
    WriteFile(folder.path / "hotkey.ini", ini);
    const std::pair<int, int> pressed[] = {combos[0], combos[49], combos[99]};

    Running run(QuickdexProgram, folder.path);
    if (run.WaitUntilHeld(combos[99].first, combos[99].second) < 0) {
        std::printf("soak: quickdex.exe did not start\n");
        return 1;
    }
    Sleep(500);
    HWND main = WindowOf(run.Id(), QuickdexProgram.mainClass);

    std::printf("soak: %ld presses and %ld reload cycles in one run of quickdex.exe, 100 bindings\n", presses, reloads);
    std::printf("  %8s %8s %6s %6s %8s %8s %7s %10s %10s\n", "presses", "reloads", "GDI", "USER", "handles", "windows",
                "atom#", "private KB", "RSS KB");
    const Sample first = Take(run, folder.path, 0, 0);
    Print(first);

    const double started = Now();
    long pressesDone = 0, reloadsDone = 0, missed = 0;
    const long steps = std::max(presses, reloads);
    for (long step = 0; step < steps && run.Alive(); ++step) {
        if (step * reloads / steps != (step + 1) * reloads / steps) {
            DWORD_PTR result = 0;
            SendMessageTimeoutA(main, WM_COMMAND, ids::MStop_N, 0, SMTO_NORMAL, 5000, &result); // Stop
            SendMessageTimeoutA(main, WM_COMMAND, ids::MStop_N, 0, SMTO_NORMAL, 5000, &result); // Start: reload
            ++reloadsDone;
        }
        if (step * presses / steps != (step + 1) * presses / steps) {
            const auto& combo = pressed[pressesDone % 3];
            const std::uintmax_t before = FileSize(ran);
            Press(combo.first, static_cast<WORD>(combo.second));
            if (WaitForGrowth(ran, before, Now(), 10) < 0)
                ++missed;
            ++pressesDone;
        }
        if ((step + 1) % (steps / 4 > 0 ? steps / 4 : 1) == 0 && step + 1 < steps)
            Print(Take(run, folder.path, pressesDone, reloadsDone));
    }
    Sleep(1000); // the last markers end
    const Sample last = Take(run, folder.path, pressesDone, reloadsDone);
    Print(last);

    // Every press started the marker once: one line each.
    int lines = 0;
    for (char c : [&] {
             std::ifstream in(ran, std::ios::binary);
             return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
         }())
        lines += c == '\n';
    std::printf("soak: %.0f s; %ld presses, %d targets started, %ld not seen within 10 s; %ld reload cycles\n",
                Now() - started, pressesDone, lines, missed, reloadsDone);
    std::string objects;
    if (first.gdiObjects < 0)
        std::printf("soak: GDI and USER counts: n/a, the system does not count them (Wine's GetGuiResources is a stub)\n");
    else
        objects = "GDI " + std::to_string(last.gdiObjects - first.gdiObjects) + ", USER " +
                  std::to_string(last.userObjects - first.userObjects) + ", ";
    std::printf("soak: growth first to last: %shandles %+ld, windows %+d, private %+.0f KB, RSS %+.0f KB\n",
                objects.c_str(), static_cast<long>(last.handles) - static_cast<long>(first.handles),
                last.windows - first.windows, last.memory.privateKb - first.memory.privateKb,
                last.memory.residentKb - first.memory.residentKb);

    // The program ends; its hotkey atoms go with it.
    PostMessageA(main, WM_COMMAND, ids::N4, 0);
    for (int i = 0; i < 100 && run.Alive(); ++i)
        Sleep(50);
    int atomsLeft = 0;
    for (int slot = 1; slot <= 100; ++slot)
        atomsLeft += GlobalFindAtomA(("hotkey" + std::to_string(slot)).c_str()) != 0;
    std::printf("soak: after Exit, %d of the 100 hotkey atoms remain in the global table\n", atomsLeft);
    const bool ok = lines == pressesDone && missed == 0 && atomsLeft == 0;
    std::printf("soak: %s\n", ok ? "every press dispatched, nothing left behind" : "FAILED");
    return ok ? 0 : 1;
}
