#include "engine/HotkeyEngine.h"
#include "platform/portable/IniFile.h"
#include "store/Errors.h"
#include "support/Fakes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace quickdex {
namespace {

using namespace quickdex::test;

class EngineTest : public ::testing::Test, protected EngineOnFakes {
protected:
    void WriteIni(const std::string& content) { dir.Write("hotkey.ini", content); }
    std::vector<std::pair<unsigned, unsigned>> Registered() const
    {
        std::vector<std::pair<unsigned, unsigned>> out;
        for (const auto& [id, combo] : hotkeys.registered)
            out.push_back(combo);
        std::sort(out.begin(), out.end());
        return out;
    }

};

TEST_F(EngineTest, ReloadAndRegisterRegistersEveryBoundSlotUnderAnIdOfItsOwn)
{
    WriteIni("[2+65]\nAction=a.exe\n[0+112]\nAction=b.exe\n[3+0]\nAction=empty key\n");
    engine.ReloadAndRegister();
    EXPECT_EQ(engine.Hotkeys.HotkeyCount, 3);
    EXPECT_EQ(view.rows.size(), 3u);
    EXPECT_EQ(view.trayImage, TrayImageRunning);
    EXPECT_EQ(Registered(), (std::vector<std::pair<unsigned, unsigned>>{{0, 112}, {2, 65}}));
    // Two ids, both in the range the system leaves to applications.
    ASSERT_EQ(hotkeys.registered.size(), 2u);
    for (const auto& [id, combo] : hotkeys.registered)
        EXPECT_TRUE(id >= 0 && id <= 0x3FFF) << id;
    // The slot with key 0 takes no atom and registers nothing.
    EXPECT_EQ(hotkeys.RefsOf("hotkey3"), 0);
    // Each press runs its own slot.
    engine.WMHotKey(Press(0, 112));
    engine.WMHotKey(Press(2, 65));
    EXPECT_EQ(system.calls, (std::vector<std::string>{"ShellExecute(b.exe,1)", "ShellExecute(a.exe,1)"}));
}

TEST_F(EngineTest, UnregisterDropsWhatIsRegisteredAndNothingElse)
{
    WriteIni("[2+65]\nAction=a.exe\n[2+66]\nAction=b.exe\n");
    hotkeys.heldElsewhere.insert({2, 66}); // refused: another program holds it
    engine.ReloadAndRegister();
    EXPECT_EQ(hotkeys.unregisterCalls, 0);
    engine.ReloadAndRegister();
    EXPECT_EQ(hotkeys.unregisterCalls, 1); // only Ctrl+A was registered
    EXPECT_EQ(Registered(), (std::vector<std::pair<unsigned, unsigned>>{{2, 65}}));
    engine.UnregisterAll();
    engine.UnregisterAll();
    EXPECT_EQ(hotkeys.unregisterCalls, 2);
    EXPECT_TRUE(hotkeys.registered.empty());
}

TEST_F(EngineTest, ThousandReloadsKeepOneAtomReferencePerSlotAndStableIds)
{
    std::string content;
    for (int i = 0; i < 100; ++i)
        content += "[1+" + std::to_string(150 + i) + "]\nAction=x\n";
    WriteIni(content);
    engine.ReloadAndRegister();
    const auto firstIds = hotkeys.registered;
    for (int i = 0; i < 1000; ++i)
        engine.ReloadAndRegister();
    EXPECT_EQ(hotkeys.registered, firstIds) << "a combination changed its id";
    EXPECT_EQ(hotkeys.atoms.size(), 100u);
    for (int slot = 1; slot <= 100; ++slot)
        EXPECT_EQ(hotkeys.RefsOf(AtomName(slot)), 1) << slot;
    EXPECT_EQ(hotkeys.registered.size(), 100u);
    engine.ReleaseAtoms();
    EXPECT_TRUE(hotkeys.atoms.empty());
}

TEST_F(EngineTest, AtomFailureShowsMessageOncePerSlotAndGoesOn)
{
    WriteIni("[2+65]\n[2+66]\n");
    hotkeys.failAtoms = true;
    engine.ReloadAndRegister();
    EXPECT_EQ(view.messages, (std::vector<std::string>{"Register hotkey fail", "Register hotkey fail"}));
    EXPECT_TRUE(hotkeys.registered.empty());
    EXPECT_EQ(view.rows.size(), 2u);
}

// A section that is no binding once stopped every hotkey: now the others
// load and register, and the old cycle's registrations are given back.
TEST_F(EngineTest, SectionThatIsNoBindingLeavesTheOthersWorking)
{
    WriteIni("[2+65]\nAction=a\n");
    engine.ReloadAndRegister();
    WriteIni("[2+66]\nAction=b\n[General]\nTheme=dark\n[2+67]\nAction=c\n");
    const LoadResult loaded = engine.ReloadAndRegister();
    EXPECT_EQ(loaded.foreign, std::vector<std::string>{"General"});
    EXPECT_EQ(view.rows.size(), 2u);
    EXPECT_EQ(Registered(), (std::vector<std::pair<unsigned, unsigned>>{{2, 66}, {2, 67}}));
    engine.WMHotKey(Press(2, 65));
    EXPECT_TRUE(system.calls.empty());
    engine.WMHotKey(Press(2, 67));
    EXPECT_EQ(system.calls, (std::vector<std::string>{"ShellExecute(c,1)"}));
}

TEST_F(EngineTest, StopAndStartTwiceInARow)
{
    WriteIni("[2+65]\nAction=a\n");
    engine.ReloadAndRegister();
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        engine.ToggleStop();
        EXPECT_TRUE(engine.Stopped);
        EXPECT_EQ(view.stopCaption, "Start");
        EXPECT_EQ(view.trayImage, TrayImageStopped);
        EXPECT_TRUE(hotkeys.registered.empty());
        EXPECT_EQ(view.rows.size(), 1u); // the list stays

        // A change while stopped is listed, not registered.
        WriteIni("[2+65]\nAction=a\n[4+67]\nAction=c\n");
        engine.ReloadAfterChange();
        EXPECT_EQ(view.rows.size(), 2u);
        EXPECT_TRUE(hotkeys.registered.empty());
        EXPECT_EQ(view.trayImage, TrayImageStopped);

        engine.ToggleStop();
        EXPECT_FALSE(engine.Stopped);
        EXPECT_EQ(view.stopCaption, "Stop");
        EXPECT_EQ(view.trayImage, TrayImageRunning);
        EXPECT_EQ(Registered(), (std::vector<std::pair<unsigned, unsigned>>{{2, 65}, {4, 67}}));
        WriteIni("[2+65]\nAction=a\n");
        engine.ReloadAfterChange();
    }
}

TEST_F(EngineTest, DispatchFirstMatchingSlotWins)
{
    WriteIni("[2+65]\nAction=first\n[02+65]\nAction=second\n[0+0]\nAction=zero\n");
    engine.ReloadAndRegister();
    EXPECT_EQ(hotkeys.registered.size(), 1u); // the system refuses the duplicate
    engine.WMHotKey(Press(2, 65));
    engine.WMHotKey(Press(0, 0)); // an empty slot never matches
    engine.WMHotKey(Press(2, 66));
    engine.WMHotKey(Press(2, 65) | 0x10000000u); // key word 0x1041 is not 0x41
    engine.WMHotKey(Press(0x4000 | 2, 65)); // with the no-repeat flag it was registered with (Wine sends it)
    EXPECT_EQ(system.calls, (std::vector<std::string>{"ShellExecute(first,1)", "ShellExecute(first,1)"}));
}

TEST_F(EngineTest, DispatchBuiltInVersusShellOpen)
{
    WriteIni("[1+1]\nAction=Control Panel\n"
             "[1+2]\nAction=control panel\n"
             "[1+3]\nAction=Control Panel \n" // the trailing blank is trimmed by the file format
             "[1+4]\nAction=\"Shut Down \"\n"
             "[1+5]\nAction=\n"
             "[1+6]\nAction=notepad.exe C:\\a b.txt\n"
             "[1+7]\nAction=Close quickdex\n"
             "[1+8]\nAction=Show quickdex\n");
    engine.ReloadAndRegister();
    for (int key = 1; key <= 6; ++key)
        engine.WMHotKey(Press(1, key));
    const std::vector<std::string> expected = {
        "WinExec(\"D:\\WINNT\\System32\\rundll32.exe\" shell32,Control_RunDLL,5)",
        "ShellExecute(control panel,1)",
        "WinExec(\"D:\\WINNT\\System32\\rundll32.exe\" shell32,Control_RunDLL,5)",
        "ShellExecute(Shut Down ,1)",
        "ShellExecute(,1)",
        "ShellExecute(notepad.exe C:\\a b.txt,1)",
    };
    EXPECT_EQ(system.calls, expected);
    engine.WMHotKey(Press(1, 7));
    engine.WMHotKey(Press(1, 8));
    EXPECT_EQ(window.closes, 1);
    EXPECT_EQ(window.shows, 1);
    EXPECT_EQ(system.calls.size(), expected.size());
}

} // namespace
} // namespace quickdex
