#pragma once
// The engine on the real system with the probe program as the target: copies
// of the probe in folders of the test's own, what each start of one recorded
// beside it, and a window of the test's own to take the foreground away.
#include "LiveEngine.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

namespace quickdex::test {

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

class ProbeEngineTest : public LiveEngineTest {
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
    // What each start of a probe recorded: its command line as the system
    // gave it, the folder it started in, the show command it was given.
    struct Run {
        DWORD pid = 0;
        std::string commandLine, folder, show;
    };
    std::vector<Run> Runs(const std::string& probe)
    {
        Starts(probe); // each process is closed at the end
        std::ifstream log(probe.substr(0, probe.rfind('.')) + ".log");
        std::vector<Run> runs;
        for (std::string line; std::getline(log, line);) {
            if (!line.empty() && line.back() == '\r')
                line.pop_back();
            const std::size_t blank = line.find(' ');
            const std::string word = line.substr(0, blank);
            const std::string rest = blank == std::string::npos ? "" : line.substr(blank + 1);
            if (word == "start") {
                const std::size_t after = rest.find(' ');
                runs.push_back({static_cast<DWORD>(std::stoul(rest)), after == std::string::npos ? "" : rest.substr(after + 1)});
            } else if (word == "folder" && !runs.empty()) {
                runs.back().folder = rest;
            } else if (word == "show" && !runs.empty()) {
                runs.back().show = rest;
            }
        }
        return runs;
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
        // Asked again while it is not in front: a program that is still
        // coming to the front as the test asks can take it back.
        ASSERT_TRUE(Wait([&] {
            if (GetForegroundWindow() == other.Handle())
                return true;
            SetForegroundWindow(other.Handle());
            return false;
        }));
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

} // namespace quickdex::test
