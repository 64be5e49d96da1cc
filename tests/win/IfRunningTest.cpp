// Bindings with IfRunning on the real system: real hotkeys and key presses,
// real programs started, found and brought to the front. The probe program
// records its process and every activation beside itself; the foreground is
// read from the system.
#include "LiveEngine.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace quickdex {
namespace {

using namespace quickdex::test;

constexpr const char* ProbeClass = "quickdexProbe";
// The presses use Ctrl+Shift, not Alt: the modifiers of a press reach the
// window in front, which may take a lone Alt for its menu key.

// A visible window of the test's own, to take the foreground away from the
// probe between presses, so that each press has something to bring back.
class OtherWindow {
public:
    OtherWindow()
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = DefWindowProcA;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "quickdexTestOther";
        RegisterClassA(&wc);
        hwnd_ = CreateWindowExA(0, wc.lpszClassName, "other", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 400, 300, 200, 150,
                                nullptr, nullptr, wc.hInstance, nullptr);
    }
    ~OtherWindow() { DestroyWindow(hwnd_); }
    OtherWindow(const OtherWindow&) = delete;
    OtherWindow& operator=(const OtherWindow&) = delete;
    HWND Handle() const { return hwnd_; }

private:
    HWND hwnd_ = nullptr;
};

class IfRunningTest : public LiveEngineTest {
protected:
    void TearDown() override
    {
        engine.UnregisterAll();
        // Every probe this test started is closed, and gone before the folder
        // is. A probe writes its log before its window exists: its window is
        // waited for.
        for (DWORD pid : started) {
            HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_TERMINATE, FALSE, pid);
            if (!process)
                continue;
            HWND probe = nullptr;
            PumpUntil([&] {
                probe = FindProcessWindow(pid, ProbeClass);
                return probe || WaitForSingleObject(process, 0) == WAIT_OBJECT_0;
            }, 10000);
            if (probe)
                PostMessageA(probe, WM_CLOSE, 0, 0);
            if (WaitForSingleObject(process, 10000) != WAIT_OBJECT_0) {
                ADD_FAILURE() << "probe " << pid << " did not end";
                TerminateProcess(process, 1);
            }
            CloseHandle(process);
        }
    }

    // A copy of the probe at dir\<folder>\<name>.exe.
    std::string Probe(const std::string& folder, const std::string& name = "probe")
    {
        CreateDirectoryA(dir.File(folder).c_str(), nullptr);
        const std::string target = dir.File(folder + "\\" + name + ".exe");
        EXPECT_TRUE(CopyFileA((TestProgramDir() + "probe.exe").c_str(), target.c_str(), FALSE));
        return target;
    }
    // The process ids a probe recorded, one per start.
    std::vector<DWORD> Starts(const std::string& probe)
    {
        std::ifstream log(probe.substr(0, probe.rfind('.')) + ".log");
        std::vector<DWORD> pids;
        for (std::string line; std::getline(log, line);) {
            std::istringstream words(line);
            std::string word;
            DWORD pid = 0;
            if (words >> word >> pid && word == "start") {
                pids.push_back(pid);
                if (std::find(started.begin(), started.end(), pid) == started.end())
                    started.push_back(pid);
            }
        }
        return pids;
    }
    // The window of the probe's last start, once it exists.
    HWND ProbeWindow(const std::string& probe)
    {
        const std::vector<DWORD> pids = Starts(probe);
        return pids.empty() ? nullptr : FindProcessWindow(pids.back(), ProbeClass);
    }
    bool Wait(const std::function<bool()>& done) { return PumpUntil(done, 20000); }
    bool InFront(const std::string& probe)
    {
        return Wait([&] {
            HWND w = ProbeWindow(probe);
            return w && GetForegroundWindow() == w && !IsIconic(w);
        });
    }
    void TakeForeground()
    {
        SetForegroundWindow(other.Handle());
        ASSERT_TRUE(Wait([&] { return GetForegroundWindow() == other.Handle(); }));
    }
    void Bind(const std::string& sections)
    {
        dir.Write("hotkey.ini", sections);
        engine.ReloadAndRegister();
    }
    static std::string Section(const std::string& name, const std::string& action, const std::string& ifRunning)
    {
        std::string text = "[" + name + "]\r\nAction=" + action + "\r\nHint=\r\nSort=Test\r\n";
        if (!ifRunning.empty())
            text += "IfRunning=" + ifRunning + "\r\n";
        return text;
    }

    OtherWindow other;
    std::vector<DWORD> started;
};

TEST_F(IfRunningTest, FrontStartsOnceThenBringsTheWindowBackAndRestoresIt)
{
    const std::string probe = Probe("a");
    Bind(Section("6+70", probe, "front"));

    for (int press = 1; press <= 3; ++press) {
        SCOPED_TRACE(press);
        if (press > 1)
            TakeForeground();
        PressCombination(MOD_CONTROL | MOD_SHIFT, 'F');
        EXPECT_TRUE(InFront(probe)) << "the probe's window is not in front";
    }
    Idle(1000);
    EXPECT_EQ(Starts(probe).size(), 1u) << "a running program was started again";

    HWND w = ProbeWindow(probe);
    ShowWindow(w, SW_MINIMIZE);
    ASSERT_TRUE(Wait([&] { return IsIconic(w) != FALSE; }));
    PressCombination(MOD_CONTROL | MOD_SHIFT, 'F');
    EXPECT_TRUE(InFront(probe)) << "a minimised window was not restored to the front";
    EXPECT_EQ(Starts(probe).size(), 1u);
}

TEST_F(IfRunningTest, ToggleMinimisesWhatIsInFrontAndRestoresIt)
{
    const std::string probe = Probe("a");
    Bind(Section("6+71", probe, "Toggle"));

    PressCombination(MOD_CONTROL | MOD_SHIFT, 'G');
    ASSERT_TRUE(InFront(probe)) << "not started in front";
    HWND w = ProbeWindow(probe);
    PressCombination(MOD_CONTROL | MOD_SHIFT, 'G');
    EXPECT_TRUE(Wait([&] { return IsIconic(w) != FALSE; })) << "the window in front was not minimised";
    PressCombination(MOD_CONTROL | MOD_SHIFT, 'G');
    EXPECT_TRUE(InFront(probe)) << "the minimised window was not restored to the front";
    EXPECT_EQ(ProbeWindow(probe), w);
    EXPECT_EQ(Starts(probe).size(), 1u);
}

// Without the key a press starts the target again, as always; and the
// started program takes the foreground.
TEST_F(IfRunningTest, WithoutTheKeyEveryPressStartsOneMore)
{
    const std::string probe = Probe("a");
    Bind(Section("6+72", probe, "") + Section("6+73", probe, "sometimes"));

    for (std::size_t press = 1; press <= 3; ++press) {
        PressCombination(MOD_CONTROL | MOD_SHIFT, press == 3 ? 'I' : 'H'); // an unknown value counts as none
        ASSERT_TRUE(Wait([&] { return Starts(probe).size() >= press; })) << "press " << press;
        EXPECT_TRUE(InFront(probe)) << "the program started by press " << press << " is not in front";
    }
    Idle(1000);
    EXPECT_EQ(Starts(probe).size(), 3u);
}

// Two programs of the same file name in different folders: each binding
// finds its own, by the full path of the process's image.
TEST_F(IfRunningTest, SameFileNameInTwoFoldersEachBindingFindsItsOwn)
{
    const std::string a = Probe("a");
    const std::string b = Probe("b");
    Bind(Section("6+74", a, "front") + Section("6+75", b, "front"));

    PressCombination(MOD_CONTROL | MOD_SHIFT, 'J');
    ASSERT_TRUE(InFront(a));
    PressCombination(MOD_CONTROL | MOD_SHIFT, 'K');
    ASSERT_TRUE(InFront(b)) << "b was taken for a, which runs";
    PressCombination(MOD_CONTROL | MOD_SHIFT, 'J');
    EXPECT_TRUE(InFront(a));
    PressCombination(MOD_CONTROL | MOD_SHIFT, 'K');
    EXPECT_TRUE(InFront(b));
    EXPECT_EQ(Starts(a).size(), 1u);
    EXPECT_EQ(Starts(b).size(), 1u);
}

// A document is opened as always, even when the program that opens it runs
// and the binding asks for the front: every press opens it again.
TEST_F(IfRunningTest, DocumentTargetIgnoresTheKey)
{
    const std::string probe = Probe("a");
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, ".qdxprobe", 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>("quickdexProbeDocument"), 22);
    RegCloseKey(key);
    const std::string command = "\"" + probe + "\" \"%1\"";
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, "quickdexProbeDocument\\shell\\open\\command", 0, nullptr, 0,
                              KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                   static_cast<DWORD>(command.size() + 1));
    RegCloseKey(key);

    const std::string document = dir.File("notes.qdxprobe");
    dir.Write("notes.qdxprobe", "text");
    Bind(Section("6+76", document, "front"));
    PressCombination(MOD_CONTROL | MOD_SHIFT, 'L');
    const bool first = Wait([&] { return Starts(probe).size() == 1 && ProbeWindow(probe); });
    PressCombination(MOD_CONTROL | MOD_SHIFT, 'L');
    const bool second = Wait([&] { return Starts(probe).size() == 2; });
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "quickdexProbeDocument");
    RegDeleteTreeA(HKEY_CLASSES_ROOT, ".qdxprobe");
    EXPECT_TRUE(first) << "the document was not opened";
    EXPECT_TRUE(second) << "the document was not opened again while its program runs";
}

} // namespace
} // namespace quickdex
