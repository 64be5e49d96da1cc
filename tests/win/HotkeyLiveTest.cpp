// The engine on the real system: real hotkeys on a real window, real key
// presses through SendInput, real programs started through the shell.
#include "LiveEngine.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace quickdex {
namespace {

using namespace quickdex::test;

class HotkeyLiveTest : public LiveEngineTest {};

// The whole road: file, reload cycle, registration, a key press, the
// dispatch and the shell starting the target; Stop and Start in between.
TEST_F(HotkeyLiveTest, Smoke_PressRunsTargetAndStopStartToggles)
{
    const std::string a = Marker("a");
    dir.Write("hotkey.ini", "[3+81]\r\nAction=" + a + "\r\nHint=marker\r\nSort=Test\r\n");
    engine.ReloadAndRegister();
    ASSERT_EQ(view.rows.size(), 1u);
    EXPECT_EQ(view.rows[0].caption, "Ctrl + ALT + Q");

    PressCombination(MOD_CONTROL | MOD_ALT, 'Q');
    ASSERT_TRUE(WaitForRuns("a", 1)) << "the press did not start the target";

    engine.ToggleStop();
    PressCombination(MOD_CONTROL | MOD_ALT, 'Q');
    Idle(2500);
    EXPECT_EQ(Runs("a"), 1) << "a stopped hotkey still ran its target";

    engine.ToggleStop();
    PressCombination(MOD_CONTROL | MOD_ALT, 'Q');
    ASSERT_TRUE(WaitForRuns("a", 2)) << "Start did not bring the hotkey back";
    engine.UnregisterAll();
}

TEST_F(HotkeyLiveTest, SameCombinationTwiceFirstSlotWins)
{
    const std::string first = Marker("first");
    const std::string second = Marker("second");
    dir.Write("hotkey.ini", "[6+87]\r\nAction=" + first + "\r\n[06+87]\r\nAction=" + second + "\r\n");
    engine.ReloadAndRegister();
    ASSERT_EQ(engine.Hotkeys.HotkeyCount, 2);

    PressCombination(MOD_CONTROL | MOD_SHIFT, 'W');
    ASSERT_TRUE(WaitForRuns("first", 1));
    Idle(1500);
    EXPECT_EQ(Runs("second"), 0);
    engine.UnregisterAll();
}

// What registration leaves behind: after the engine is gone, the same
// combination can be registered by anyone, and the atoms are given back.
TEST_F(HotkeyLiveTest, UnregisterAllReleasesCombinationsAndAtoms)
{
    dir.Write("hotkey.ini", "[5+69]\r\nAction=x\r\n");
    for (int i = 0; i < 200; ++i)
        engine.ReloadAndRegister();
    EXPECT_FALSE(RegisterHotKey(nullptr, 1, MOD_SHIFT | MOD_ALT, 'E')) << "the binding is not registered";
    engine.UnregisterAll();
    EXPECT_TRUE(RegisterHotKey(nullptr, 1, MOD_SHIFT | MOD_ALT, 'E'));
    UnregisterHotKey(nullptr, 1);

    // One reference is held per registered slot; releasing it frees the atom.
    const ATOM atom = GlobalFindAtomA("hotkey1");
    ASSERT_NE(atom, 0);
    engine.ReleaseAtoms();
    EXPECT_EQ(GlobalFindAtomA("hotkey1"), 0) << "an atom reference was leaked";
}

} // namespace
} // namespace quickdex
