// A press of a binding that says how its target starts: what it asks of the
// system, for each launch option alone and together; and which window a press
// asks for when its program runs already.
#include "engine/HotkeyEngine.h"
#include "support/Fakes.h"

#include <gtest/gtest.h>

namespace quickdex {
namespace {

using namespace quickdex::test;
using Calls = std::vector<std::string>;

class LaunchOptionsTest : public ::testing::Test, protected EngineOnFakes {
protected:
    // The calls one press of Alt + `key` made, after the file was read.
    Calls PressCalls(int key)
    {
        system.calls.clear();
        engine.WMHotKey(Press(1, key));
        return system.calls;
    }
    void Load(const std::string& ini)
    {
        dir.Write("hotkey.ini", ini);
        engine.ReloadAndRegister();
    }
};

// The show commands are the system's own numbers: SW_SHOWNORMAL 1,
// SW_SHOWMINNOACTIVE 7, SW_SHOWMAXIMIZED 3.
TEST_F(LaunchOptionsTest, EachOptionAloneAndAllTogether)
{
    Load("[1+1]\r\nAction=C:\\Tools\\tool.exe\r\nArguments=-x \"a b\"\r\n"
         "[1+2]\r\nAction=C:\\Tools\\tool.exe\r\nStartIn=C:\\work\r\n"
         "[1+3]\r\nAction=C:\\Tools\\tool.exe\r\nWindow=min\r\n"
         "[1+4]\r\nAction=C:\\Tools\\tool.exe\r\nWindow=MAX\r\n"
         "[1+5]\r\nAction=C:\\Tools\\tool.exe\r\nAdmin=1\r\n"
         "[1+6]\r\nAction=C:\\Tools\\tool.exe\r\nHint=h\r\nSort=s\r\nArguments=in.txt\r\nStartIn=D:\\\r\n"
         "Window=max\r\nAdmin=1\r\n");
    EXPECT_EQ(PressCalls(1), (Calls{"Expand(-x \"a b\")", "Launch(-|C:\\Tools\\tool.exe|-x \"a b\"||1)"}));
    EXPECT_EQ(PressCalls(2), (Calls{"Expand(C:\\work)", "Launch(-|C:\\Tools\\tool.exe||C:\\work|1)"}));
    EXPECT_EQ(PressCalls(3), (Calls{"Launch(-|C:\\Tools\\tool.exe|||7)"}));
    EXPECT_EQ(PressCalls(4), (Calls{"Launch(-|C:\\Tools\\tool.exe|||3)"}));
    EXPECT_EQ(PressCalls(5), (Calls{"Launch(runas|C:\\Tools\\tool.exe|||1)"}));
    EXPECT_EQ(PressCalls(6),
              (Calls{"Expand(in.txt)", "Expand(D:\\)", "Launch(runas|C:\\Tools\\tool.exe|in.txt|D:\\|3)"}));
}

// A file without the keys, or with values the program does not know, hands
// the Action to the shell whole, as always.
TEST_F(LaunchOptionsTest, NoOptionOrUnknownValuesOpenAsAlways)
{
    Load("[1+1]\r\nAction=notepad.exe C:\\notes\\today.txt\r\nHint=\r\nSort=Other\r\n"
         "[1+2]\r\nAction=tool.exe\r\nWindow=huge\r\nAdmin=yes\r\nWindow=max\r\n"
         "[1+3]\r\nAction=tool.exe\r\nArguments=\r\nStartIn=\r\nWindow=normal\r\n");
    EXPECT_EQ(PressCalls(1), (Calls{"ShellExecute(notepad.exe C:\\notes\\today.txt,1)"}));
    EXPECT_EQ(PressCalls(2), (Calls{"ShellExecute(tool.exe,1)"})) << "the first key of a name counts";
    EXPECT_EQ(PressCalls(3), (Calls{"ShellExecute(tool.exe,1)"}));
}

TEST_F(LaunchOptionsTest, EnvironmentNamesExpandInArgumentsAndStartInOnly)
{
    system.environment = {{"USERPROFILE", "C:\\Users\\ann"}, {"X", "%Y%"}};
    Load("[1+1]\r\nAction=%USERPROFILE%\\tool.exe\r\nArguments=%USERPROFILE%\\a.txt %NOPE% 100%\r\n"
         "StartIn=%USERPROFILE%\\work\r\n"
         "[1+2]\r\nAction=tool.exe\r\nArguments=%X%%X%\r\n");
    EXPECT_EQ(PressCalls(1).back(),
              "Launch(-|%USERPROFILE%\\tool.exe|C:\\Users\\ann\\a.txt %NOPE% 100%|C:\\Users\\ann\\work|1)")
        << "the Action goes to the shell as written";
    EXPECT_EQ(PressCalls(2).back(), "Launch(-|tool.exe|%Y%%Y%||1)") << "a value is not expanded again";
}

// A refused consent prompt is the user's answer: the program is not started
// another way and nothing is shown. A type without "runas" (a document, an
// address) is opened with its own verb.
TEST_F(LaunchOptionsTest, AdministratorRefusedOrNotOfferedByTheType)
{
    Load("[1+1]\r\nAction=tool.exe\r\nAdmin=1\r\n"
         "[1+2]\r\nAction=C:\\notes.txt\r\nAdmin=1\r\nWindow=max\r\n");
    system.launchAnswer = LaunchOutcome::Declined;
    EXPECT_EQ(PressCalls(1), (Calls{"Launch(runas|tool.exe|||1)"}));
    system.launchAnswer = LaunchOutcome::Failed;
    EXPECT_EQ(PressCalls(1), (Calls{"Launch(runas|tool.exe|||1)"})) << "a failure is not retried without consent";
    EXPECT_TRUE(view.messages.empty());

    system.noSuchVerb.insert("C:\\notes.txt");
    EXPECT_EQ(PressCalls(2), (Calls{"Launch(runas|C:\\notes.txt|||3)", "Launch(-|C:\\notes.txt|||3)"}));
}

TEST_F(LaunchOptionsTest, BuiltInActionsIgnoreTheOptions)
{
    Load("[1+1]\r\nAction=Control Panel\r\nArguments=x\r\nStartIn=C:\\\r\nWindow=max\r\nAdmin=1\r\n"
         "[1+2]\r\nAction=Show quickdex\r\nAdmin=1\r\n");
    EXPECT_EQ(PressCalls(1), (Calls{"WinExec(\"D:\\WINNT\\System32\\rundll32.exe\" shell32,Control_RunDLL,5)"}));
    EXPECT_EQ(PressCalls(2), Calls{});
    EXPECT_EQ(window.shows, 1);
}

// IfRunning first: a running program is brought back; when it does not run
// (or is no program), the target starts with its options.
TEST_F(LaunchOptionsTest, IfRunningComesFirstThenTheLaunch)
{
    system.programs["tool.exe"] = "C:\\Tools\\tool.exe";
    Load("[1+1]\r\nAction=tool.exe\r\nIfRunning=cycle\r\nArguments=-n\r\nWindow=min\r\n"
         "[1+2]\r\nAction=notes.txt\r\nIfRunning=cycle\r\nStartIn=C:\\\r\n");
    EXPECT_EQ(PressCalls(1), (Calls{"ResolveProgram(tool.exe)", "Cycle(C:\\Tools\\tool.exe)", "Expand(-n)",
                                    "Launch(-|tool.exe|-n||7)"}));
    system.running.insert("C:\\Tools\\tool.exe");
    EXPECT_EQ(PressCalls(1), (Calls{"ResolveProgram(tool.exe)", "Cycle(C:\\Tools\\tool.exe)"}));
    EXPECT_EQ(PressCalls(2), (Calls{"ResolveProgram(notes.txt)", "Expand(C:\\)", "Launch(-|notes.txt||C:\\|1)"}));
}

} // namespace
} // namespace quickdex
