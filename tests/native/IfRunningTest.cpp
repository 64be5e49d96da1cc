// The IfRunning key: read with the bindings, and what a press of such a binding asks of the system; and which targets
// are programs.
#include "engine/HotkeyEngine.h"
#include "engine/ProgramTarget.h"
#include "platform/portable/IniFile.h"
#include "store/Errors.h"
#include "store/IfRunning.h"
#include "support/Fakes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace quickdex {
namespace {

using namespace quickdex::test;

class IfRunningPressTest : public ::testing::Test, protected EngineOnFakes {
protected:
    // The calls one press of Alt + `key` made.
    std::vector<std::string> PressCalls(int key)
    {
        system.calls.clear();
        engine.WMHotKey(Press(1, key));
        return system.calls;
    }

};

using Calls = std::vector<std::string>;

// What may wait on the disk or the network leaves the press: the program
// lookup, the bringing to the front and the launch run as one job elsewhere,
// in the order of the presses; a built-in action is done at once.
TEST_F(IfRunningPressTest, LookupAndLaunchLeaveThePressBuiltInsDoNot)
{
    dir.Write("hotkey.ini", "[1+1]\r\nAction=tool.exe\r\nIfRunning=front\r\n"
                            "[1+2]\r\nAction=Show quickdex\r\n"
                            "[1+3]\r\nAction=b.doc\r\n");
    engine.ReloadAndRegister();
    system.programs["tool.exe"] = "C:\\Tools\\tool.exe";
    launches.hold = true;

    EXPECT_EQ(PressCalls(1), Calls{}) << "the press waited on the lookup itself";
    EXPECT_EQ(PressCalls(3), Calls{});
    EXPECT_EQ(PressCalls(2), Calls{});
    EXPECT_EQ(window.shows, 1) << "the built-in action was not done on the press";
    ASSERT_EQ(launches.held.size(), 2u);

    for (const auto& job : launches.held)
        job();
    EXPECT_EQ(system.calls, (Calls{"ResolveProgram(tool.exe)", "Front(C:\\Tools\\tool.exe)",
                                   "ShellExecute(tool.exe,1)", "ShellExecute(b.doc,1)"}));
}

TEST_F(IfRunningPressTest, KeyValuesAsReadDecideWhatAPressAsks)
{
    dir.Write("hotkey.ini", "[1+1]\r\nAction=tool.exe\r\nHint=h\r\nSort=s\r\n"
                            "[1+2]\r\nAction=tool.exe\r\nIfRunning=front\r\n"
                            "[1+3]\r\nAction=tool.exe\r\nifrunning = TOGGLE\r\n"
                            "[1+4]\r\nAction=tool.exe\r\nIfRunning=sometimes\r\n"
                            "[1+5]\r\nAction=tool.exe\r\nIfRunning=\r\n"
                            "[1+6]\r\nIfRunning=\"Front\"\r\nAction=tool.exe\r\n"
                            "[1+7]\r\nAction=tool.exe\r\nIfRunning=toggle\r\nIfRunning=front\r\n"
                            "[1+8]\r\nAction=tool.exe\r\nIfRunning\r\nIfRunning=front\r\n"
                            "[1+9]\r\nAction=tool.exe\r\nIfRunningX=front\r\n");
    system.programs["tool.exe"] = "C:\\Tools\\tool.exe";
    system.running.insert("C:\\Tools\\tool.exe");
    engine.ReloadAndRegister();

    const Calls opened = {"ShellExecute(tool.exe,1)"};
    const Calls front = {"ResolveProgram(tool.exe)", "Front(C:\\Tools\\tool.exe)"};
    const Calls toggle = {"ResolveProgram(tool.exe)", "Toggle(C:\\Tools\\tool.exe)"};
    EXPECT_EQ(PressCalls(1), opened) << "no key: opened, nothing resolved";
    EXPECT_EQ(PressCalls(2), front);
    EXPECT_EQ(PressCalls(3), toggle) << "key name and value without regard to case";
    EXPECT_EQ(PressCalls(4), opened) << "an unknown value counts as none";
    EXPECT_EQ(PressCalls(5), opened);
    EXPECT_EQ(PressCalls(6), front) << "quotes dropped as on any value; the key's place does not matter";
    EXPECT_EQ(PressCalls(7), toggle) << "the first key of the name counts";
    EXPECT_EQ(PressCalls(8), opened) << "a first key without '=' counts, as nothing";
    EXPECT_EQ(PressCalls(9), opened);
}

TEST_F(IfRunningPressTest, FallsBackToOpeningAndBuiltInsIgnoreTheKey)
{
    dir.Write("hotkey.ini", "[1+1]\r\nAction=tool.exe\r\nIfRunning=front\r\n"
                            "[1+2]\r\nAction=notes.txt\r\nIfRunning=toggle\r\n"
                            "[1+3]\r\nAction=Control Panel\r\nIfRunning=front\r\n");
    system.programs["tool.exe"] = "C:\\Tools\\tool.exe"; // a program, but not running
    engine.ReloadAndRegister();

    EXPECT_EQ(PressCalls(1), (Calls{"ResolveProgram(tool.exe)", "Front(C:\\Tools\\tool.exe)", "ShellExecute(tool.exe,1)"}));
    EXPECT_EQ(PressCalls(2), (Calls{"ResolveProgram(notes.txt)", "ShellExecute(notes.txt,1)"}));
    EXPECT_EQ(PressCalls(3), (Calls{"WinExec(\"D:\\WINNT\\System32\\rundll32.exe\" shell32,Control_RunDLL,5)"}));
}

// A long section: the IfRunning at its end still counts.
TEST_F(IfRunningPressTest, SectionLongerThanTheSectionBuffer)
{
    std::string text = "[1+1]\r\nAction=tool.exe\r\n";
    for (int i = 0; i < 20; ++i)
        text += "Note" + std::to_string(i) + "=" + std::string(2000, 'n') + "\r\n";
    text += "IfRunning=toggle\r\n";
    dir.Write("hotkey.ini", text);
    system.programs["tool.exe"] = "C:\\Tools\\tool.exe";
    system.running.insert("C:\\Tools\\tool.exe");
    engine.ReloadAndRegister();
    EXPECT_EQ(PressCalls(1), (Calls{"ResolveProgram(tool.exe)", "Toggle(C:\\Tools\\tool.exe)"}));
}

// A small file system and registry: what exists, what App Paths and the
// search path say; every question recorded.
class FakeLookup : public IProgramLookup {
public:
    std::optional<std::string> AppPath(const std::string& name) override
    {
        asked.push_back("AppPath(" + name + ")");
        return Find(appPaths, name);
    }
    std::optional<std::string> FindOnSearchPath(const std::string& name) override
    {
        asked.push_back("Search(" + name + ")");
        return Find(searchPath, name);
    }
    std::optional<std::string> ExistingFile(const std::string& path) override
    {
        asked.push_back("Exists(" + path + ")");
        return Find(files, path);
    }
    static std::optional<std::string> Find(const std::map<std::string, std::string>& map, const std::string& key)
    {
        const auto it = map.find(key);
        return it == map.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
    std::optional<std::string> ShortcutTarget(const std::string& path) override
    {
        asked.push_back("Shortcut(" + path + ")");
        return Find(shortcuts, path);
    }
    std::map<std::string, std::string> appPaths, searchPath, files; // files: as given -> full long path
    std::map<std::string, std::string> shortcuts;                   // shortcut -> the path it starts
    std::vector<std::string> asked;
};

TEST(ProgramTarget, BareNamesThroughAppPathsThenTheSearchPath)
{
    FakeLookup lookup;
    lookup.appPaths["editor.exe"] = "C:\\Program Files\\Editor\\editor.exe";
    lookup.files["C:\\Program Files\\Editor\\editor.exe"] = "C:\\Program Files\\Editor\\editor.exe";
    lookup.searchPath["editor.exe"] = "C:\\Windows\\editor.exe"; // App Paths comes first
    lookup.files["C:\\Windows\\editor.exe"] = "C:\\Windows\\editor.exe";
    EXPECT_EQ(ResolveProgramTarget("editor.exe", lookup), "C:\\Program Files\\Editor\\editor.exe");

    lookup.appPaths["gone.exe"] = "C:\\Old\\gone.exe"; // registered, but the file is missing
    lookup.searchPath["gone.exe"] = "C:\\Windows\\GONE.EXE";
    lookup.files["C:\\Windows\\GONE.EXE"] = "C:\\Windows\\GONE.EXE";
    EXPECT_EQ(ResolveProgramTarget("gone.exe", lookup), "C:\\Windows\\GONE.EXE");

    lookup.searchPath["calc"] = "C:\\Windows\\system32\\calc.exe";
    lookup.files["C:\\Windows\\system32\\calc.exe"] = "C:\\Windows\\system32\\calc.exe";
    EXPECT_EQ(ResolveProgramTarget("calc", lookup), "C:\\Windows\\system32\\calc.exe");

    lookup.searchPath["readme.txt"] = "C:\\Windows\\readme.txt";
    lookup.files["C:\\Windows\\readme.txt"] = "C:\\Windows\\readme.txt";
    EXPECT_EQ(ResolveProgramTarget("readme.txt", lookup), std::nullopt) << "a document is not a program";
    EXPECT_EQ(ResolveProgramTarget("nowhere.exe", lookup), std::nullopt);
}

TEST(ProgramTarget, PathsAsGivenAndWhatIsNoProgram)
{
    FakeLookup lookup;
    lookup.files["C:\\Tools\\TOOL~1.EXE"] = "C:\\Tools\\Tool Long.exe";
    lookup.files["C:\\Tools\\old.COM"] = "C:\\Tools\\old.COM";
    lookup.files["C:\\Tools\\run.bat"] = "C:\\Tools\\run.bat";
    lookup.files["tools/x.exe"] = "C:\\Work\\tools\\x.exe";
    lookup.appPaths["C:\\Tools\\missing.exe"] = "C:\\Tools\\old.COM"; // must not be asked
    EXPECT_EQ(ResolveProgramTarget("C:\\Tools\\TOOL~1.EXE", lookup), "C:\\Tools\\Tool Long.exe");
    EXPECT_EQ(ResolveProgramTarget("C:\\Tools\\old.COM", lookup), "C:\\Tools\\old.COM");
    EXPECT_EQ(ResolveProgramTarget("tools/x.exe", lookup), "C:\\Work\\tools\\x.exe");
    EXPECT_EQ(ResolveProgramTarget("C:\\Tools\\run.bat", lookup), std::nullopt) << "a batch file runs in cmd";
    EXPECT_EQ(ResolveProgramTarget("C:\\Tools\\missing.exe", lookup), std::nullopt);
    EXPECT_EQ(ResolveProgramTarget("C:\\Tools", lookup), std::nullopt) << "a folder";

    lookup.asked.clear();
    for (const char* address : {"http://example.com/setup.exe", "mailto:a@b.c", "shell:startup", ""})
        EXPECT_EQ(ResolveProgramTarget(address, lookup), std::nullopt) << address;
    EXPECT_TRUE(lookup.asked.empty()) << "an address was looked up as a file";
}

// "C:\Tools\pf" starts C:\Tools\pf.exe: the shell tries the extensions in
// its order; a name that exists as written is taken as written. A shortcut
// stands for what it starts.
TEST(ProgramTarget, ExtensionsTheShellAddsAndShortcuts)
{
    FakeLookup lookup;
    lookup.files["C:\\Tools\\pf.exe"] = "C:\\Tools\\pf.exe";
    lookup.files["C:\\Tools\\pf.com"] = "C:\\Tools\\pf.com";
    lookup.files["C:\\Tools\\job.bat"] = "C:\\Tools\\job.bat";
    lookup.files["C:\\Tools\\job.exe"] = "C:\\Tools\\job.exe";
    lookup.files["C:\\Tools\\plain"] = "C:\\Tools\\plain";
    lookup.files["C:\\Tools\\plain.exe"] = "C:\\Tools\\plain.exe";
    EXPECT_EQ(ResolveProgramTarget("C:\\Tools\\pf", lookup), "C:\\Tools\\pf.com") << ".com comes before .exe";
    EXPECT_EQ(ResolveProgramTarget("C:\\Tools\\job", lookup), "C:\\Tools\\job.exe");
    EXPECT_EQ(ResolveProgramTarget("C:\\Tools\\plain", lookup), std::nullopt) << "the file as written is no program";
    EXPECT_EQ(ResolveProgramTarget("C:\\Tools\\pf.txt", lookup), std::nullopt) << "an extension is not added to";
    EXPECT_EQ(ResolveProgramTarget("C:\\Tools.d\\pf", lookup), std::nullopt) << "a dot in a folder is no extension";

    lookup.files["C:\\Links\\Tool.lnk"] = "C:\\Links\\Tool.lnk";
    lookup.shortcuts["C:\\Links\\Tool.lnk"] = "C:\\Tools\\TOOL~1.EXE";
    lookup.files["C:\\Tools\\TOOL~1.EXE"] = "C:\\Tools\\Tool Long.exe";
    lookup.files["C:\\Links\\Notes.LNK"] = "C:\\Links\\Notes.LNK";
    lookup.shortcuts["C:\\Links\\Notes.LNK"] = "C:\\notes.txt";
    lookup.files["C:\\notes.txt"] = "C:\\notes.txt";
    lookup.files["C:\\Links\\Calculator.lnk"] = "C:\\Links\\Calculator.lnk"; // a packaged program: no path
    lookup.files["C:\\Links\\Moved.lnk"] = "C:\\Links\\Moved.lnk";
    lookup.shortcuts["C:\\Links\\Moved.lnk"] = "C:\\Gone\\tool.exe";
    EXPECT_EQ(ResolveProgramTarget("C:\\Links\\Tool.lnk", lookup), "C:\\Tools\\Tool Long.exe");
    EXPECT_EQ(ResolveProgramTarget("C:\\Links\\Tool", lookup), "C:\\Tools\\Tool Long.exe") << "through .lnk added";
    EXPECT_EQ(ResolveProgramTarget("C:\\Links\\Notes.LNK", lookup), std::nullopt) << "a shortcut to a document";
    EXPECT_EQ(ResolveProgramTarget("C:\\Links\\Calculator.lnk", lookup), std::nullopt);
    EXPECT_EQ(ResolveProgramTarget("C:\\Links\\Moved.lnk", lookup), std::nullopt);

    lookup.appPaths["pf.exe"] = "C:\\Tools\\pf.exe";
    EXPECT_EQ(ResolveProgramTarget("pf", lookup), "C:\\Tools\\pf.exe") << "App Paths know the name with .exe";
}

} // namespace
} // namespace quickdex
