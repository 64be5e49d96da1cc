// Bindings that say how their program starts, on the real system: real
// hotkeys and key presses, the probe started through the shell, and what the
// probe recorded of its start (command line, folder, show command); which of
// a program's windows a press brings to the front, read from the system.
#include "LaunchRecorder.h"
#include "ProbeEngine.h"

#include <gtest/gtest.h>

#include <set>

namespace quickdex {
namespace {

using namespace quickdex::test;

class LaunchOptionsLiveTest : public ProbeEngineTest {
protected:
    static std::string Binding(const std::string& name, const std::string& action, const std::string& keys)
    {
        return "[" + name + "]\r\nAction=" + action + "\r\nHint=\r\nSort=Test\r\n" + keys;
    }
    // The probe's one start, once it recorded all of it.
    Run OnlyRun(const std::string& probe)
    {
        EXPECT_TRUE(Wait([&] {
            const auto runs = Runs(probe);
            return !runs.empty() && !runs.back().show.empty();
        })) << probe << " was not started";
        Idle(300);
        const std::vector<Run> runs = Runs(probe);
        EXPECT_EQ(runs.size(), 1u) << probe;
        return runs.empty() ? Run{} : runs.back();
    }
    // The windows of a process, by their captions.
    HWND Window(DWORD pid, const char* caption, const char* className = "quickdexProbe")
    {
        HWND found = nullptr;
        Wait([&] { return (found = FindProcessWindow(pid, className, caption)) != nullptr; });
        return found;
    }
    bool Foreground(HWND window)
    {
        return Wait([&] { return GetForegroundWindow() == window && !IsIconic(window); });
    }
};

// The show commands are the system's: SW_SHOWNORMAL 1, SW_SHOWMAXIMIZED 3,
// SW_SHOWMINNOACTIVE 7.
TEST_F(LaunchOptionsLiveTest, EachOptionAloneAndTogetherReachTheProgram)
{
    CreateDirectoryA(dir.File("work").c_str(), nullptr);
    CreateDirectoryA(dir.File("home").c_str(), nullptr);
    SetEnvironmentVariableA("QUICKDEX_TEST_HOME", dir.File("home").c_str());
    struct Row {
        const char* folder;
        std::string keys;
        const char* commandLine;
        std::string startFolder; // empty: not checked
        const char* show;
    };
    const std::vector<Row> rows = {
        {"plain", "", "", "", "1"},
        {"args", "Arguments=one \"two three\"\r\n", "one \"two three\"", "", "1"},
        {"in", "StartIn=" + dir.File("work") + "\r\n", "", dir.File("work"), "1"},
        {"min", "Window=min\r\n", "", "", "7"},
        {"max", "Window=max\r\n", "", "", "3"},
        {"all", "Arguments=%QUICKDEX_TEST_HOME%\\a.txt %NOT_SET_HERE%\r\nStartIn=%QUICKDEX_TEST_HOME%\r\nWindow=max\r\n",
         "", dir.File("home"), "3"},
    };
    std::string ini;
    std::vector<std::string> probes;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        probes.push_back(Probe(rows[i].folder));
        ini += Binding("6+" + std::to_string('M' + i), probes.back(), rows[i].keys);
    }
    Bind(ini);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        SCOPED_TRACE(rows[i].folder);
        PressCombination(MOD_CONTROL | MOD_SHIFT, static_cast<WORD>('M' + i));
        const Run run = OnlyRun(probes[i]);
        // The system puts the program's own quoted path first on the line
        // it hands on; what follows are the arguments.
        const std::string quoted = "\"" + probes[i] + "\"";
        std::string arguments = run.commandLine;
        if (arguments.rfind(quoted, 0) == 0)
            arguments = arguments.substr(quoted.size());
        while (!arguments.empty() && arguments.front() == ' ')
            arguments.erase(0, 1);
        if (std::string(rows[i].folder) == "all")
            EXPECT_EQ(arguments, dir.File("home") + "\\a.txt %NOT_SET_HERE%") << "a name not set stays as written";
        else
            EXPECT_EQ(arguments, rows[i].commandLine);
        if (!rows[i].startFolder.empty())
            EXPECT_EQ(run.folder, rows[i].startFolder);
        EXPECT_EQ(run.show, rows[i].show);
    }
    SetEnvironmentVariableA("QUICKDEX_TEST_HOME", nullptr);
    // Started minimised, it did not take the foreground.
    const std::vector<DWORD> minimised = Starts(probes[3]);
    HWND minWindow = minimised.empty() ? nullptr : FindProcessWindow(minimised.back(), "quickdexProbe");
    EXPECT_TRUE(minWindow && IsIconic(minWindow));
}

// "C:\Tools\pf" is the program C:\Tools\pf.exe: found running, not started again.
TEST_F(LaunchOptionsLiveTest, ExtensionlessTargetIsTheProgramItStarts)
{
    const std::string probe = Probe("x");
    const std::string bare = probe.substr(0, probe.rfind('.'));
    Bind(Binding("6+77", bare, "IfRunning=front\r\n"));
    PressCombination(MOD_CONTROL | MOD_SHIFT, 'M');
    ASSERT_TRUE(InFront(probe)) << "the target was not started";
    TakeForeground();
    PressCombination(MOD_CONTROL | MOD_SHIFT, 'M');
    EXPECT_TRUE(InFront(probe));
    Idle(1000);
    EXPECT_EQ(Starts(probe).size(), 1u) << "each press started another copy";
}

// Three windows of one program and a topmost tool window of the same image:
// each press brings the next of the three, round; the tool window never.
// A window the composition hides (another virtual desktop's) is left out.
TEST_F(LaunchOptionsLiveTest, CycleGoesRoundTheProgramsWindowsOnly)
{
    const std::string probe = Probe("c");
    Bind(Binding("6+78", probe, "IfRunning=cycle\r\nArguments=/windows:3 /tool\r\n"));
    PressCombination(MOD_CONTROL | MOD_SHIFT, 'N');
    ASSERT_TRUE(Wait([&] { return !Starts(probe).empty(); }));
    const DWORD pid = Starts(probe).back();
    const std::vector<HWND> windows = {Window(pid, "probe 1"), Window(pid, "probe 2"), Window(pid, "probe 3")};
    HWND tool = Window(pid, "tool", "quickdexProbeTool");
    ASSERT_TRUE(windows[0] && windows[1] && windows[2] && tool);
    // Found as they are made: shown a moment later.
    ASSERT_TRUE(Wait([&] {
        return IsWindowVisible(tool) && std::all_of(windows.begin(), windows.end(), [](HWND w) { return IsWindowVisible(w) != FALSE; });
    }));

    // The third made the most recently active one, whatever order the
    // probe's own windows took the activation in while they were shown.
    SetForegroundWindow(windows[2]);
    ASSERT_TRUE(Wait([&] { return GetForegroundWindow() == windows[2]; }));
    TakeForeground();
    PressCombination(MOD_CONTROL | MOD_SHIFT, 'N');
    // Not one of them in front: the most recently active comes.
    ASSERT_TRUE(Foreground(windows[2])) << "not the most recently active window";
    std::vector<HWND> seen = {windows[2]};
    for (int press = 0; press < 3; ++press) {
        HWND before = GetForegroundWindow();
        PressCombination(MOD_CONTROL | MOD_SHIFT, 'N');
        EXPECT_TRUE(Wait([&] { return GetForegroundWindow() != before; })) << "press " << press << " changed nothing";
        Idle(200);
        seen.push_back(GetForegroundWindow());
    }
    EXPECT_EQ(std::set<HWND>(seen.begin(), seen.begin() + 3), std::set<HWND>(windows.begin(), windows.end()))
        << "three presses did not show the three windows";
    EXPECT_EQ(seen[3], seen[0]) << "the fourth press did not come round";
    EXPECT_EQ(std::count(seen.begin(), seen.end(), tool), 0) << "the tool window was brought";

    win32::CloakedSeam() = [&](HWND w) { return w == windows[1]; };
    for (int press = 0; press < 4; ++press) {
        PressCombination(MOD_CONTROL | MOD_SHIFT, 'N');
        Idle(400);
        EXPECT_NE(GetForegroundWindow(), windows[1]) << "a cloaked window was brought, press " << press;
    }
    win32::CloakedSeam() = nullptr;
    EXPECT_EQ(Starts(probe).size(), 1u);
}

// A program whose window is disabled under its own dialog: the dialog takes
// the foreground and the focus, not the window that takes no input.
TEST_F(LaunchOptionsLiveTest, DisabledWindowUnderItsDialogBringsTheDialog)
{
    const std::string probe = Probe("d");
    Bind(Binding("6+79", probe, "IfRunning=front\r\nArguments=/dialog\r\n"));
    PressCombination(MOD_CONTROL | MOD_SHIFT, 'O');
    ASSERT_TRUE(Wait([&] { return !Starts(probe).empty(); }));
    const DWORD pid = Starts(probe).back();
    HWND dialog = Window(pid, "dialog", "quickdexProbeDialog");
    ASSERT_NE(dialog, nullptr);
    // Found as soon as it is made: shown, with its owner disabled, a moment later.
    ASSERT_TRUE(Wait([&] { return IsWindowVisible(dialog) && !IsWindowEnabled(FindProcessWindow(pid, "quickdexProbe")); }));
    // Started by a press, it takes the foreground as it opens; only then
    // can the test take it away.
    Foreground(dialog);

    TakeForeground();
    PressCombination(MOD_CONTROL | MOD_SHIFT, 'O');
    EXPECT_TRUE(Foreground(dialog)) << "the dialog is not in front";
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    EXPECT_TRUE(Wait([&] {
        return GetGUIThreadInfo(GetWindowThreadProcessId(dialog, nullptr), &info) && info.hwndActive == dialog &&
               info.hwndFocus && GetParent(info.hwndFocus) == dialog;
    })) << "the focus is not in the dialog";
    EXPECT_EQ(Starts(probe).size(), 1u);
}

// "runas" asked of the shell for Admin; a refused consent prompt shows no
// box and starts nothing else. A binding without the keys asks as always.
TEST_F(LaunchOptionsLiveTest, AdministratorAsksTheShellForRunas)
{
    LaunchRecorder shell;
    Bind(Binding("6+80", "C:\\Tools\\tool.exe", "Admin=1\r\nWindow=max\r\n") + Binding("6+81", "C:\\Tools\\tool.exe", ""));
    PressCombination(MOD_CONTROL | MOD_SHIFT, 'P');
    ASSERT_TRUE(Wait([&] { return shell.Calls().size() == 1; }));
    EXPECT_EQ(shell.Calls()[0].verb, "runas");
    EXPECT_EQ(shell.Calls()[0].file, "C:\\Tools\\tool.exe");
    EXPECT_EQ(shell.Calls()[0].show, SW_SHOWMAXIMIZED);
    EXPECT_TRUE(shell.Calls()[0].mask & SEE_MASK_FLAG_NO_UI) << "the shell may show a box of its own";

    shell.refuseWith = ERROR_CANCELLED;
    PressCombination(MOD_CONTROL | MOD_SHIFT, 'P');
    ASSERT_TRUE(Wait([&] { return shell.Calls().size() == 2; }));
    Idle(1000);
    EXPECT_EQ(shell.Calls().size(), 2u) << "started another way after the user said no";
    EXPECT_EQ(FindProcessWindow(GetCurrentProcessId(), "#32770"), nullptr) << "a box was shown";

    shell.refuseWith = 0;
    PressCombination(MOD_CONTROL | MOD_SHIFT, 'Q');
    ASSERT_TRUE(Wait([&] { return shell.Calls().size() == 3; }));
    EXPECT_EQ(shell.Calls()[2].verb, "(null)");
    EXPECT_EQ(shell.Calls()[2].parameters, "(null)");
    EXPECT_EQ(shell.Calls()[2].directory, "(null)");
    EXPECT_EQ(shell.Calls()[2].show, SW_SHOWNORMAL);
}

} // namespace
} // namespace quickdex
