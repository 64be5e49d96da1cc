// The hotkeys the system refuses, and how they heal: what each slot's state
// says, what the system holds after each road of the key field standing
// aside, and what trying again takes and leaves.
#include "engine/HotkeyEngine.h"
#include "engine/HotkeyStates.h"
#include "support/Fakes.h"

#include <gtest/gtest.h>

#include <map>

namespace quickdex {
namespace {

using namespace quickdex::test;

using Combination = std::pair<unsigned, unsigned>;

// Ctrl+Alt (3) with F9 (120), N (78), O (79).
const Combination F9{3, 120};
const Combination N{3, 78};
const Combination O{3, 79};

class RefusedHotkeysTest : public ::testing::Test, protected EngineOnFakes {
protected:
    void Load(const std::string& ini)
    {
        dir.Write("hotkey.ini", ini);
        engine.ReloadAndRegister();
    }
    // The combinations the system holds for quickdex, with their ids.
    std::map<Combination, int> Held() const
    {
        std::map<Combination, int> held;
        for (const auto& [id, combo] : hotkeys.registered)
            held[combo] = id;
        return held;
    }
    std::vector<SlotState> States(int slots) const
    {
        std::vector<SlotState> states;
        for (int slot = 1; slot <= slots; ++slot)
            states.push_back(engine.StatusOf(slot).state);
        return states;
    }
    // What a press of Ctrl+Alt+`key` started.
    std::vector<std::string> PressCalls(int key)
    {
        system.calls.clear();
        engine.WMHotKey(Press(3, key));
        return system.calls;
    }
};

const char* const ThreeAndADuplicate = "[3+120]\r\nAction=held\r\n[3+78]\r\nAction=first\r\n"
                                       "[03+78]\r\nAction=second\r\n[3+79]\r\nAction=fine\r\n";

TEST_F(RefusedHotkeysTest, StatusOfEachKindOfSlot)
{
    hotkeys.heldElsewhere.insert(F9);
    Load(std::string(ThreeAndADuplicate) + "[3+78]\r\nAction=third\r\n");
    using S = SlotState;
    EXPECT_EQ(States(6), (std::vector<S>{S::HeldElsewhere, S::Active, S::SameAsEarlier, S::Active,
                                         S::SameAsEarlier, S::Empty}));
    // Every duplicate names the first binding of its combination, the one
    // the system gave it to.
    EXPECT_EQ(engine.StatusOf(3).earlierSlot, 2);
    EXPECT_EQ(engine.StatusOf(5).earlierSlot, 2);
    EXPECT_EQ(engine.RefusedCount(), 3);
    EXPECT_EQ(engine.BoundCount(), 5);
    EXPECT_EQ(PressCalls(78), (std::vector<std::string>{"ShellExecute(first,1)"}));

    engine.ToggleStop();
    EXPECT_EQ(States(6), (std::vector<S>{S::Stopped, S::Stopped, S::Stopped, S::Stopped, S::Stopped, S::Empty}));
    EXPECT_EQ(engine.RefusedCount(), 0);
}

TEST_F(RefusedHotkeysTest, RetryTakesWhatWasFreedAndTouchesNothingElse)
{
    hotkeys.heldElsewhere.insert(F9);
    Load(ThreeAndADuplicate);
    const auto before = Held();
    ASSERT_EQ(before.size(), 2u);

    // Still held: nothing gained, nothing lost.
    EXPECT_EQ(engine.RetryRefused(), 0);
    EXPECT_EQ(Held(), before);

    hotkeys.heldElsewhere.clear();
    hotkeys.registerCalls.clear();
    const int unregistered = hotkeys.unregisterCalls;
    EXPECT_EQ(engine.RetryRefused(), 1);
    // Only the freed combination was asked for; the working ones kept their
    // registration and the duplicate was not tried (the system would refuse it).
    ASSERT_EQ(hotkeys.registerCalls.size(), 1u);
    EXPECT_EQ(Combination(hotkeys.registerCalls[0].modifiers, hotkeys.registerCalls[0].key), F9);
    EXPECT_EQ(hotkeys.unregisterCalls, unregistered);
    auto after = Held();
    EXPECT_EQ(after.size(), 3u);
    after.erase(F9);
    EXPECT_EQ(after, before) << "a working hotkey changed its id";
    EXPECT_EQ(engine.StatusOf(1).state, SlotState::Active);
    EXPECT_EQ(engine.StatusOf(3).state, SlotState::SameAsEarlier);
    EXPECT_EQ(PressCalls(120), (std::vector<std::string>{"ShellExecute(held,1)"}));
    EXPECT_EQ(engine.RetryRefused(), 0) << "nothing left to heal";
}

TEST_F(RefusedHotkeysTest, RetryNeitherWhileStoppedNorWhileStandingAside)
{
    hotkeys.heldElsewhere.insert(F9);
    Load(ThreeAndADuplicate);
    hotkeys.heldElsewhere.clear();

    engine.ToggleStop();
    EXPECT_EQ(engine.RetryRefused(), 0);
    EXPECT_TRUE(hotkeys.registered.empty()) << "a retry registered while stopped";
    engine.ToggleStop(); // the start registers everything anew, F9 included
    EXPECT_EQ(Held().count(F9), 1u);

    hotkeys.heldElsewhere.insert(F9);
    Load(ThreeAndADuplicate); // refused again
    hotkeys.heldElsewhere.clear();
    engine.StandAside(true);
    EXPECT_EQ(engine.RetryRefused(), 0);
    EXPECT_TRUE(hotkeys.registered.empty()) << "a retry registered while the key field is typed in";
    engine.StandAside(false);
    EXPECT_EQ(engine.RetryRefused(), 1);
}

TEST_F(RefusedHotkeysTest, RetryGivesASlotWithoutAtomItsRegistration)
{
    hotkeys.failAtoms = true;
    Load("[3+79]\r\nAction=fine\r\n");
    EXPECT_EQ(view.messages, (std::vector<std::string>{"Register hotkey fail"}));
    EXPECT_TRUE(hotkeys.registered.empty());
    hotkeys.failAtoms = false;
    EXPECT_EQ(engine.RetryRefused(), 1);
    EXPECT_EQ(Held().count(O), 1u);
    EXPECT_EQ(PressCalls(79), (std::vector<std::string>{"ShellExecute(fine,1)"}));
}

// Every road in and out of standing aside: the system holds none of the
// program's combinations while the key field is typed in, and afterwards
// holds what the state of the program says it should.
TEST_F(RefusedHotkeysTest, StandAsideOnEveryRoad)
{
    hotkeys.heldElsewhere.insert(F9);
    Load(ThreeAndADuplicate);
    const auto working = Held();
    ASSERT_EQ(working.size(), 2u);

    // In and out: the same combinations under the same ids; the refused one
    // stays refused and was not asked for.
    engine.StandAside(true);
    EXPECT_TRUE(hotkeys.registered.empty());
    EXPECT_EQ(States(4)[1], SlotState::Active) << "the list turns red while the user types";
    engine.StandAside(true); // the focus comes back to the field: nothing twice
    EXPECT_TRUE(hotkeys.registered.empty());
    hotkeys.registerCalls.clear();
    engine.StandAside(false);
    EXPECT_EQ(Held(), working);
    EXPECT_EQ(hotkeys.registerCalls.size(), 2u);
    engine.StandAside(false);
    EXPECT_EQ(hotkeys.registerCalls.size(), 2u);

    // Taken by another program while the user typed: refused when it comes back.
    engine.StandAside(true);
    hotkeys.heldElsewhere.insert(N);
    engine.StandAside(false);
    EXPECT_EQ(engine.StatusOf(2).state, SlotState::HeldElsewhere);
    EXPECT_EQ(Held().count(N), 0u);
    EXPECT_EQ(Held().count(O), 1u);
    EXPECT_EQ(TrayTip(engine), "quickdex: 3 of 4 hotkeys are not active");
    hotkeys.heldElsewhere.clear();
    EXPECT_EQ(engine.RetryRefused(), 2) << "F9 and N heal together";

    // The editor writes while the field stands aside: the reload registers
    // everything, and leaving the field later registers nothing twice.
    engine.StandAside(true);
    Load(ThreeAndADuplicate);
    EXPECT_EQ(Held().size(), 3u);
    const int unregistered = hotkeys.unregisterCalls;
    engine.StandAside(false);
    EXPECT_EQ(Held().size(), 3u);
    EXPECT_EQ(hotkeys.unregisterCalls, unregistered);

    // Stopped while the field stands aside: leaving it brings nothing back.
    engine.StandAside(true);
    engine.ToggleStop();
    engine.StandAside(false);
    EXPECT_TRUE(hotkeys.registered.empty()) << "hotkeys came back while stopped";
    EXPECT_EQ(States(1)[0], SlotState::Stopped);
    engine.ToggleStop();
    EXPECT_EQ(Held().size(), 3u);

    // Standing aside, then every hotkey given up (the program ends).
    engine.StandAside(true);
    engine.UnregisterAll();
    engine.StandAside(false);
    EXPECT_TRUE(hotkeys.registered.empty());
}

} // namespace
} // namespace quickdex
