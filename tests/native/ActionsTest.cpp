#include "engine/ActionFunction.h"
#include "engine/BuiltInActions.h"
#include "support/Fakes.h"

#include <gtest/gtest.h>

namespace quickdex {
namespace {

using namespace quickdex::test;

class ActionsTest : public ::testing::Test {
protected:
    FakeSystemApi system;
    FakeProgramWindow window;
    BuiltInActions actions{system, window};
};

TEST_F(ActionsTest, AppletsRunTheirExactCommandLines)
{
    const std::pair<const char*, const char*> table[] = {
        {"Control Panel", "\"D:\\WINNT\\System32\\rundll32.exe\" shell32,Control_RunDLL"},
        {"Add/Remove Programs", "\"D:\\WINNT\\System32\\rundll32.exe\" shell32.dll, Control_RunDLL Appwiz.cpl"},
        {"System Properties", "\"D:\\WINNT\\System32\\rundll32.exe\" shell32.dll, Control_RunDLL Sysdm.cpl"},
        {"Display Properties", "\"D:\\WINNT\\System32\\rundll32.exe\" shell32.dll, Control_RunDLL desk.cpl"},
        {"Date/Time Properties", "\"D:\\WINNT\\System32\\rundll32.exe\" shell32.dll, Control_RunDLL timedate.cpl"},
    };
    for (const auto& [name, commandLine] : table) {
        SCOPED_TRACE(name);
        system.calls.clear();
        EXPECT_TRUE(actions.Run(name));
        EXPECT_EQ(system.calls, (std::vector<std::string>{"WinExec(" + std::string(commandLine) + ",5)"}));
    }
}

TEST_F(ActionsTest, NamesMatchExactly)
{
    for (const char* text : {"", "shut down", "Shut Down ", " Restart", "Volume Control", "close quickdex",
                             "Close/Open CD-ROM\t", "Control Panel\n"}) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(actions.Run(text));
    }
    EXPECT_TRUE(system.calls.empty());
    EXPECT_EQ(window.closes + window.shows, 0);
}

TEST_F(ActionsTest, CdDoorAlternatesWhateverHappens)
{
    for (int i = 0; i < 4; ++i)
        EXPECT_TRUE(actions.Run("Close/Open CD-ROM"));
    const std::vector<std::string> expected = {
        "mci(Set  cdaudio  door  open  wait)",
        "mci(Set  cdaudio  door  closed  wait)",
        "mci(Set  cdaudio  door  open  wait)",
        "mci(Set  cdaudio  door  closed  wait)",
    };
    EXPECT_EQ(system.calls, expected);
    EXPECT_FALSE(actions.CDDoorOpen);
}

TEST_F(ActionsTest, ShutDownAndRestartOnNt)
{
    EXPECT_TRUE(actions.Run("Shut Down"));
    const std::vector<std::string> privilegeOn = {
        "OpenProcessToken(40)", "LookupPrivilegeValue(SeShutdownPrivilege)", "AdjustTokenPrivileges(42,19,2)",
        "CloseHandle(42)"};
    const std::vector<std::string> privilegeOff = {
        "OpenProcessToken(40)", "LookupPrivilegeValue(SeShutdownPrivilege)", "AdjustTokenPrivileges(42,19,0)",
        "CloseHandle(42)"};
    std::vector<std::string> expected = {"GetVersionEx"};
    expected.insert(expected.end(), privilegeOn.begin(), privilegeOn.end());
    expected.push_back("ExitWindowsEx(9,0)");
    expected.insert(expected.end(), privilegeOff.begin(), privilegeOff.end());
    EXPECT_EQ(system.calls, expected);

    system.calls.clear();
    EXPECT_TRUE(actions.Run("Restart"));
    expected[1 + privilegeOn.size()] = "ExitWindowsEx(2,0)";
    EXPECT_EQ(system.calls, expected);
}

TEST_F(ActionsTest, ShutDownOn9xTouchesNoToken)
{
    system.platformId = 1;
    ShutDownWindows(system);
    EXPECT_EQ(system.calls, (std::vector<std::string>{"GetVersionEx", "ExitWindowsEx(9,0)"}));
}

TEST_F(ActionsTest, PrivilegeFailuresStillAskForExit)
{
    system.platformId.reset(); // the version query fails: not 9x
    system.tokenOpens = false;
    RestartWindows(system);
    EXPECT_EQ(system.calls, (std::vector<std::string>{"GetVersionEx", "OpenProcessToken(40)", "ExitWindowsEx(2,0)",
                                                      "OpenProcessToken(40)"}));

    system.calls.clear();
    system.tokenOpens = true;
    system.lookupWorks = false;
    EXPECT_FALSE(SetShutdownPrivilege(system, true));
    EXPECT_EQ(system.calls, (std::vector<std::string>{"OpenProcessToken(40)", "LookupPrivilegeValue(SeShutdownPrivilege)",
                                                      "CloseHandle(42)"}));
    system.lookupWorks = true;
    system.adjustWorks = false;
    EXPECT_FALSE(SetShutdownPrivilege(system, true));
}

TEST_F(ActionsTest, ShellOpenPassesTextWhole)
{
    ShellOpen(system, "\"C:\\Program Files\\x.exe\" -a");
    EXPECT_EQ(system.calls, (std::vector<std::string>{"ShellExecute(\"C:\\Program Files\\x.exe\" -a,1)"}));
}

} // namespace
} // namespace quickdex
