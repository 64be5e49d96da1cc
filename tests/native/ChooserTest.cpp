#include "engine/BuiltInActions.h"
#include "support/Fakes.h"
#include "ui/dialogs/ChooserTable.h"

#include <gtest/gtest.h>

namespace quickdex {
namespace {

// Every leaf's target, and which of them the dispatcher performs itself.
TEST(Chooser, EveryLeafWritesItsTarget)
{
    struct Expected {
        std::string_view label;
        std::string target;
        bool builtIn;
    };
    const Expected expected[] = {
        {"Paint", "mspaint.exe", false},
        {"notepad", "notepad.exe", false},
        {"wordpad", "wordpad.exe", false},
        {"calc", "calc.exe", false},
        {"MS-Dos Prompt", "cmd.exe", false},
        {"IE", "iexplore.exe", false},
        {"Shut Down", "Shut Down", true},
        {"Restart", "Restart", true},
        {"Control Panel", "Control Panel", true},
        {"Add/Remove Programs", "Add/Remove Programs", true},
        {"System Properties", "System Properties", true},
        {"Display Properties", "Display Properties", true},
        {"Date/Time Properties", "Date/Time Properties", true},
        {"Volume Control", "sndvol.exe", false}, // sndvol32.exe is gone since Windows Vista
        {"Open Web", "http://", false},
        {"Send E-Mail", "mailto:", false},
        {"Close/Open CD-ROM", "Close/Open CD-ROM", true},
        {"Close quickdex", "Close quickdex", true},
        {"Show quickdex", "Show quickdex", true},
    };
    std::size_t index = 0;
    test::FakeSystemApi system;
    test::FakeProgramWindow window;
    BuiltInActions actions(system, window);
    for (const ChooserGroup& group : ChooserTree) {
        for (const ChooserLeaf& leaf : group.leaves) {
            if (leaf.label.empty())
                continue;
            ASSERT_LT(index, std::size(expected));
            const Expected& e = expected[index++];
            SCOPED_TRACE(std::string(leaf.label));
            EXPECT_EQ(leaf.label, e.label);
            EXPECT_EQ(SelectionTargetFor(leaf.label), e.target);
            EXPECT_EQ(actions.Run(SelectionTargetFor(leaf.label)), e.builtIn);
        }
    }
    EXPECT_EQ(index, std::size(expected));
    EXPECT_EQ(SelectionTargetFor("paint"), "paint"); // labels match exactly
}

} // namespace
} // namespace quickdex
