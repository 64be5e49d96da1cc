// What the list, its tips, the tray and the editor's status line say of the
// hotkeys, on the engine over the fakes: a combination another program
// holds, one bound twice, the hotkeys stopped.
#include "engine/HotkeyStates.h"
#include "support/Fakes.h"

#include <gtest/gtest.h>

namespace quickdex {
namespace {

using namespace quickdex::test;

// Ctrl+Alt is modifier 3; F7, F8, F9 are keys 118, 119, 120.
const char* const FourBindings = "[3+120]\r\nAction=held\r\nHint=note\r\nIfRunning=front\r\n"
                                 "[3+78]\r\nAction=first\r\n"
                                 "[03+78]\r\nAction=second\r\n"
                                 "[3+79]\r\nAction=fine\r\nHint=h\r\nIfRunning=toggle\r\n";

// A machine whose layouts type nothing with AltGr.
std::optional<std::string> NoAltGr(int, bool)
{
    return std::nullopt;
}

class HotkeyStatesTest : public ::testing::Test, protected EngineOnFakes {
protected:
    void Load(const char* ini)
    {
        dir.Write("hotkey.ini", ini);
        engine.ReloadAndRegister();
    }
    // The list sorted the other way round: slot 1 is the last of four rows.
    static int Reversed(int slot) { return 4 - slot; }
};

TEST_F(HotkeyStatesTest, RowTextsTipsAndTrayOfHeldDuplicateAndWorkingHotkeys)
{
    hotkeys.heldElsewhere.insert({3, 120}); // another program holds Ctrl+Alt+F9
    Load(FourBindings);
    struct Case {
        int slot;
        const char* state;
        const char* tip;
    };
    const Case cases[] = {
        {1, "Ctrl + ALT + F9 is in use by another program.",
         "Ctrl + ALT + F9 is in use by another program.\r\nnote\r\nBrings a running copy to the front."},
        {2, "", ""},
        {3, "Same hotkey as row 3 (Ctrl + ALT + N): the first one wins.",
         "Same hotkey as row 3 (Ctrl + ALT + N): the first one wins."},
        {4, "", "h\r\nBrings a running copy to the front, or minimises it when it is in front."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.slot);
        EXPECT_EQ(StateText(engine, c.slot, Reversed), c.state);
        EXPECT_EQ(InfoTip(engine, c.slot, Reversed), c.tip);
    }
    EXPECT_EQ(InfoTip(engine, 0, Reversed), "") << "a row without a binding";
    EXPECT_EQ(TrayTip(engine), "quickdex: 2 of 4 hotkeys are not active");

    // Stopped, every row says so and the tray has nothing to warn of.
    engine.ToggleStop();
    for (int slot = 1; slot <= 4; ++slot)
        EXPECT_EQ(StateText(engine, slot, Reversed), "The hotkeys are stopped.") << slot;
    EXPECT_EQ(TrayTip(engine), "");

    // Started again with the combination freed: only the duplicate is left.
    hotkeys.heldElsewhere.clear();
    engine.ToggleStop();
    EXPECT_EQ(StateText(engine, 1, Reversed), "");
    EXPECT_EQ(TrayTip(engine), "quickdex: 1 of 4 hotkeys are not active");
}

TEST_F(HotkeyStatesTest, EditorStatusForEachKindOfCombination)
{
    Load(FourBindings);
    std::vector<std::pair<int, int>> asked;
    bool free = true;
    auto isFree = [&](int modifiers, int key) {
        asked.emplace_back(modifiers, key);
        return free;
    };
    struct Case {
        int modifiers, key; // what the key field holds
        int changing;       // the slot of the binding being changed; 0 for an Add
        bool free;          // the system's answer, when it is asked
        const char* status;
    };
    const Case cases[] = {
        {3, 118, 0, true, "Ctrl + ALT + F7 is free."},
        {3, 119, 0, false, "Ctrl + ALT + F8 is in use by another program; it will be listed as not active."},
        {3, 78, 0, true, "Ctrl + ALT + N is already bound in quickdex: row 3 (first)."},
        {3, 78, 2, true, "Ctrl + ALT + N is this binding's own hotkey."},
        // The second section of the combination is shadowed by the first.
        {3, 78, 3, true, "Ctrl + ALT + N is already bound in quickdex: row 3 (first)."},
        {3, 79, 1, true, "Ctrl + ALT + O is already bound in quickdex: row 1 (fine)."},
        {3, 0, 0, true, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.key) + " / " + std::to_string(c.changing));
        free = c.free;
        const BindingId* changing = c.changing ? &engine.Hotkeys.IdOf(c.changing) : nullptr;
        EXPECT_EQ(KeyStatus(engine, c.modifiers, c.key, changing, Reversed, isFree, NoAltGr), c.status);
    }
    // The system is asked only when the table has no answer.
    EXPECT_EQ(asked, (std::vector<std::pair<int, int>>{{3, 118}, {3, 119}}));
}

// How a press starts the target, in words, before the note; nothing for a
// binding without the keys or for a built-in action, which ignores them.
TEST_F(HotkeyStatesTest, TipSaysHowAPressStartsTheTarget)
{
    Load("[1+65]\r\nAction=tool.exe\r\nHint=my note\r\nAdmin=1\r\nWindow=max\r\nStartIn=C:\\work\r\n"
         "[1+66]\r\nAction=tool.exe\r\nArguments=-n %TEMP%\\a.txt\r\nWindow=min\r\nIfRunning=cycle\r\n"
         "[1+67]\r\nAction=Restart\r\nAdmin=1\r\n"
         "[1+68]\r\nAction=tool.exe\r\nWindow=huge\r\nAdmin=yes\r\n"
         "[1+69]\r\nAction=C:\\Windows\\System32\\CALC.EXE\r\nIfRunning=front\r\n");
    auto same = [](int slot) { return slot - 1; };
    EXPECT_EQ(InfoTip(engine, 1, same), "Starts it as administrator, maximised, in C:\\work.\r\nmy note");
    EXPECT_EQ(InfoTip(engine, 2, same), "Starts it with -n %TEMP%\\a.txt, minimised.\r\n"
                                        "Brings a running copy to the front, or its next window when one is in front.");
    EXPECT_EQ(InfoTip(engine, 3, same), "");
    EXPECT_EQ(InfoTip(engine, 4, same), "") << "values the program does not know say nothing";
    EXPECT_EQ(InfoTip(engine, 5, same),
              "Brings a running copy to the front.\r\n"
              "On Windows 10 and 11 the Calculator runs in a window of the system's: each press starts it again.");
}

TEST_F(HotkeyStatesTest, EditorStatusForFreeCombinationsThatWorkAgainstTheUser)
{
    Load(FourBindings);
    bool free = true;
    auto isFree = [&](int, int) { return free; };
    // A German layout beside the US one: AltGr+Q types "@", AltGr+E the euro
    // sign, AltGr+7 "{"; AltGr+Shift+Q nothing; a layout typing a character
    // this code page lacks for AltGr+W.
    auto altGr = [](int key, bool shift) -> std::optional<std::string> {
        if (shift)
            return std::nullopt;
        switch (key) {
        case 'Q':
            return "@";
        case 'E':
            return "\x80";
        case '7':
            return "{";
        case 'W':
            return "";
        default:
            return std::nullopt;
        }
    };
    struct Case {
        int modifiers, key;
        bool free;
        const char* status;
    };
    const Case cases[] = {
        {0, 123, true, "F12 alone is reserved by Windows for debuggers; choose another key."},
        {0, 116, true, "F5 is free, but not while an admin program is in front."},
        {4, 116, true, "Shift + F5 is free, but not while an admin program is in front."},
        {4, 123, true, "Shift + F12 is free, but not while an admin program is in front."},
        {2, 123, true, "Ctrl + F12 is free."},
        {8, 116, true, "Win + F5 is free."},
        {3, 'Q', true, "Ctrl + ALT + Q is free, but types \"@\" on an installed layout."},
        {3, 'E', true, "Ctrl + ALT + E is free, but types \"\x80\" on an installed layout."},
        {3, '7', true, "Ctrl + ALT + 7 is free, but types \"{\" on an installed layout."},
        {3, 'W', true, "Ctrl + ALT + W is free, but types a character on an installed layout."},
        {7, 'Q', true, "Ctrl + Shift + Alt + Q is free."},
        {11, 'Q', true, "Ctrl + ALT + Win + Q is free."}, // AltGr sends no Win
        {2, 'Q', true, "Ctrl + Q is free."},
        {1, 'Q', true, "Alt + Q is free."},
        // Held or bound is said first: such a hotkey would not work at all.
        {0, 123, false, "F12 is in use by another program; it will be listed as not active."},
        {3, 'N', true, "Ctrl + ALT + N is already bound in quickdex: row 3 (first)."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.modifiers) + "+" + std::to_string(c.key));
        free = c.free;
        EXPECT_EQ(KeyStatus(engine, c.modifiers, c.key, nullptr, Reversed, isFree, altGr), c.status);
    }
}

} // namespace
} // namespace quickdex
