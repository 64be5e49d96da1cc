#include "engine/BindingEdit.h"
#include "platform/portable/IniFile.h"
#include "store/Categories.h"
#include "store/Errors.h"
#include "store/Hotkeys.h"
#include "store/KeyNames.h"
#include "support/Fakes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

namespace quickdex {
namespace {

using test::TempDir;

// The real engine on real files, refusing one chosen write (counted from 0).
class FailingProfile : public IProfile {
public:
    std::uint32_t GetString(const char* s, const char* k, const char* d, char* b, std::uint32_t n, const char* p) override
    {
        return inner.GetString(s, k, d, b, n, p);
    }
    std::uint32_t GetSection(const char* s, char* b, std::uint32_t n, const char* p) override
    {
        return inner.GetSection(s, b, n, p);
    }
    bool WriteString(const char* s, const char* k, const char* v, const char* p) override
    {
        if (writes++ == failAt)
            return false;
        return inner.WriteString(s, k, v, p);
    }
    PortableProfile inner;
    int failAt = -1;
    int writes = 0;
};

std::uint16_t Shortcut(int modifiers, int key)
{
    return MakeShortcut(static_cast<std::uint16_t>(key), ModifiersToShiftState(modifiers));
}

// `count` bindings [0+101].. with short values.
std::string Sections(int count)
{
    std::string text;
    for (int i = 1; i <= count; ++i)
        text += "[0+" + std::to_string(100 + i) + "]\r\nAction=tool" + std::to_string(i) + "\r\nHint=h" +
                std::to_string(i) + "\r\nSort=S\r\n";
    return text;
}

std::string Replaced(std::string text, const std::string& from, const std::string& to)
{
    const std::size_t at = text.find(from);
    if (at == std::string::npos)
        ADD_FAILURE() << "no " << from;
    else
        text.replace(at, from.size(), to);
    return text;
}

TEST(BindingEdit, InputAndSectionNames)
{
    EXPECT_FALSE(InputComplete({0, "notepad.exe", "", ""}));
    EXPECT_FALSE(InputComplete({Shortcut(2, 65), "", "hint", "Other"}));
    EXPECT_TRUE(InputComplete({Shortcut(2, 65), "   ", "", ""})); // blanks are text
    EXPECT_FALSE(InputComplete({0x6000, "x", "", ""}));            // modifiers without a key
    EXPECT_EQ(SectionForShortcut(Shortcut(3, 65)), "3+65");
    EXPECT_EQ(SectionForShortcut(Shortcut(0, 112)), "0+112");
    EXPECT_EQ(SectionForShortcut(Shortcut(6, 116)), "6+116");

    // The key field as the editor filled it (Win and the leading zero have
    // no place in it) keeps the section as it stands; a new key gives the
    // new combination's.
    EXPECT_EQ(SectionToWrite("8+65", 0x0041, 0x0041), "8+65");
    EXPECT_EQ(SectionToWrite("02+65", 0x4041, 0x4041), "02+65");
    EXPECT_EQ(SectionToWrite("8+65", 0x0041, 0x4041), "2+65");
    EXPECT_EQ(SectionToWrite("2+300", 0, 0xC070), "3+112"); // a key code the field cannot show
}

class EditFileTest : public ::testing::Test {
protected:
    std::string Path() const { return dir.File("hotkey.ini"); }

    // What a reload shows: the table and the list's rows, in slot order.
    std::vector<test::Row> Reload()
    {
        table = HotkeyTable{};
        test::FakeView view;
        LoadHotkeys(profile.inner, Path(), table, view);
        return view.rows;
    }

    // The change the editor makes from slot `slot` as loaded, after `edit`
    // has been applied to the fields it was filled with.
    template <class Edit>
    BindingChange EditorChange(int slot, Edit edit)
    {
        Reload();
        const Tquickdex& b = table[slot];
        const BindingFields loaded{Shortcut(b.Modifiers, b.Key), b.Action, b.Hint, b.Sort};
        BindingFields edited = loaded;
        edit(edited);
        return {table.SectionOf(slot), SectionToWrite(table.SectionOf(slot), loaded.hotKey, edited.hotKey), loaded,
                edited};
    }

    TempDir dir;
    FailingProfile profile;
    HotkeyTable table;
};

TEST_F(EditFileTest, WriteAppendsKeysInOrderAndReplacesInPlace)
{
    dir.Write("hotkey.ini", "[0+112]\r\nAction=calc.exe\r\n");
    WriteBinding(profile, Path(), {Shortcut(3, 65), "notepad.exe", "", "Other"});
    EXPECT_EQ(dir.Read("hotkey.ini"),
              "[0+112]\r\nAction=calc.exe\r\n[3+65]\r\nAction=notepad.exe\r\nHint=\r\nSort=Other\r\n");
    WriteBinding(profile, Path(), {Shortcut(0, 112), "  spaced  ", "h", "Games"});
    EXPECT_EQ(dir.Read("hotkey.ini"), "[0+112]\r\nAction=spaced  \r\nHint=h\r\nSort=Games\r\n[3+65]\r\n"
                                      "Action=notepad.exe\r\nHint=\r\nSort=Other\r\n");
}

// The binding keeps its place and only the lines of the edited fields
// change; comments, blank lines and keys the editor does not know stay.
TEST_F(EditFileTest, SameCombinationRewritesOnlyTheEditedLinesInPlace)
{
    const std::string original = "; my bindings\r\n[1+65]\r\nAction=a.exe\r\nIfRunning=front\r\nHint=x\r\nSort=S\r\n\r\n"
                                 "[1+66]\r\nAction=b.exe\r\nHint=y\r\nSort=T\r\n";
    dir.Write("hotkey.ini", original);
    ReplaceBinding(profile, Path(), EditorChange(1, [](BindingFields& f) { f.hint = "new note"; }));
    const std::string hinted = Replaced(original, "Hint=x", "Hint=new note");
    EXPECT_EQ(dir.Read("hotkey.ini"), hinted);

    ReplaceBinding(profile, Path(), EditorChange(1, [](BindingFields& f) {
                       f.path = "c.exe";
                       f.sort = "U";
                   }));
    EXPECT_EQ(dir.Read("hotkey.ini"), Replaced(Replaced(hinted, "Action=a.exe", "Action=c.exe"), "Sort=S", "Sort=U"));

    // The editor's present call: every field is written, still in place.
    dir.Write("hotkey.ini", original);
    ReplaceBinding(profile, Path(), "1+65", {Shortcut(1, 65), "a.exe", "new note", "S"});
    EXPECT_EQ(dir.Read("hotkey.ini"), hinted);
}

TEST_F(EditFileTest, HintChangeOfTheFirstOf120StaysFirstAndLoaded)
{
    const std::string original = Sections(120);
    dir.Write("hotkey.ini", original);
    ReplaceBinding(profile, Path(), EditorChange(1, [](BindingFields& f) { f.hint = "first"; }));
    EXPECT_EQ(dir.Read("hotkey.ini"), Replaced(original, "Hint=h1\r\n", "Hint=first\r\n"));
    const auto rows = Reload();
    ASSERT_EQ(rows.size(), 100u);
    EXPECT_EQ(table.SectionOf(1), "0+101");
    EXPECT_EQ(table[1].Hint, "first");
    EXPECT_EQ(rows[0].action, "tool1");

    // Also through the editor's present call.
    ReplaceBinding(profile, Path(), "0+101", {Shortcut(0, 101), "tool1", "again", "S"});
    Reload();
    EXPECT_EQ(table.SectionOf(1), "0+101");
    EXPECT_EQ(table[1].Hint, "again");
}

// A new combination: the new section gets Action, Hint, Sort, then the keys
// the editor does not know, values taken whole from the file; the old
// section goes.
TEST_F(EditFileTest, NewCombinationTakesOverTheWholeSection)
{
    const std::string target(3003, 't');
    dir.Write("hotkey.ini", "[1+65]\r\nIfRunning=front\r\nAction=" + target +
                                "\r\nHint=x\r\nSort=S\r\n[1+66]\r\nAction=b\r\nHint=y\r\nSort=T\r\n");
    ReplaceBinding(profile, Path(), EditorChange(1, [](BindingFields& f) {
                       f.hotKey = Shortcut(6, 70);
                       f.hint = "moved";
                   }));
    EXPECT_EQ(dir.Read("hotkey.ini"), "[1+66]\r\nAction=b\r\nHint=y\r\nSort=T\r\n[6+70]\r\nAction=" + target +
                                          "\r\nHint=moved\r\nSort=S\r\nIfRunning=front\r\n");
}

TEST_F(EditFileTest, LongTargetSurvivesAHintChangeAndLongInputIsRefused)
{
    const std::string target(3003, 't');
    const std::string original = "[1+65]\r\nAction=" + target + "\r\nHint=x\r\nSort=S\r\n";
    dir.Write("hotkey.ini", original);
    Reload();
    ASSERT_EQ(table[1].Action.size(), 2047u); // what the editor is filled with
    ReplaceBinding(profile, Path(), EditorChange(1, [](BindingFields& f) { f.hint = "y"; }));
    EXPECT_EQ(dir.Read("hotkey.ini"), Replaced(original, "Hint=x", "Hint=y"));

    // 2,048 characters typed into a field: refused, nothing written.
    const std::string before = dir.Read("hotkey.ini");
    const auto refused = [&](const std::string& text, const std::function<void()>& write) {
        try {
            write();
            ADD_FAILURE() << "no error for " << text;
        } catch (const ValueTooLongError& e) {
            EXPECT_EQ(std::string(e.what()), text);
        }
        EXPECT_EQ(dir.Read("hotkey.ini"), before);
    };
    const std::string tooLong(2048, 'n');
    refused("The hint is longer than 2,047 characters", [&] {
        ReplaceBinding(profile, Path(), EditorChange(1, [&](BindingFields& f) { f.hint = tooLong; }));
    });
    refused("The target is longer than 2,047 characters", [&] {
        ReplaceBinding(profile, Path(), EditorChange(1, [&](BindingFields& f) {
                           f.hotKey = Shortcut(2, 66);
                           f.path = tooLong;
                       }));
    });
    refused("The category is longer than 2,047 characters",
            [&] { WriteBinding(profile, Path(), {Shortcut(2, 67), "c", "", tooLong}); });
    refused("The target is longer than 2,047 characters",
            [&] { ReplaceBinding(profile, Path(), "1+65", {Shortcut(1, 65), tooLong, "", ""}); });

    // 2,047 fit, and come back whole.
    WriteBinding(profile, Path(), {Shortcut(2, 67), std::string(2047, 'a'), std::string(2047, 'h'), "S"});
    Reload();
    EXPECT_EQ(table[2].Action, std::string(2047, 'a'));
    EXPECT_EQ(table[2].Hint, std::string(2047, 'h'));
}

TEST_F(EditFileTest, WinKeyBindingKeepsItsSection)
{
    dir.Write("hotkey.ini", "[8+65]\r\nAction=a\r\nHint=x\r\nSort=S\r\n[10+66]\r\nAction=b\r\nHint=\r\nSort=S\r\n");
    const auto rows = Reload();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].caption, "Win + A");
    EXPECT_EQ(rows[1].caption, "Ctrl + Win + B");
    ReplaceBinding(profile, Path(), EditorChange(1, [](BindingFields& f) { f.hint = "y"; }));
    EXPECT_EQ(dir.Read("hotkey.ini"),
              "[8+65]\r\nAction=a\r\nHint=y\r\nSort=S\r\n[10+66]\r\nAction=b\r\nHint=\r\nSort=S\r\n");
}

// Onto a combination another binding holds, however its section is spelled:
// one binding is left, in that binding's place, with the changed values.
TEST_F(EditFileTest, ChangeOntoAnotherBindingLeavesOne)
{
    dir.Write("hotkey.ini", "[1+65]\r\nAction=a\r\nHint=x\r\nSort=S\r\n[02+66]\r\nAction=b\r\nHint=\r\nSort=T\r\n"
                            "Keep=1\r\n[0+112]\r\nAction=f\r\n");
    ReplaceBinding(profile, Path(), EditorChange(1, [](BindingFields& f) { f.hotKey = Shortcut(2, 66); }));
    EXPECT_EQ(dir.Read("hotkey.ini"), "[02+66]\r\nAction=a\r\nHint=x\r\nSort=S\r\nKeep=1\r\n[0+112]\r\nAction=f\r\n");

    ReplaceBinding(profile, Path(), "02+66", {Shortcut(0, 112), "onto f", "", "T"});
    EXPECT_EQ(dir.Read("hotkey.ini"), "[0+112]\r\nAction=onto f\r\nHint=\r\nSort=T\r\nKeep=1\r\n");
}

TEST_F(EditFileTest, ChangePastTheHundredthSectionIsRefusedBeforeWriting)
{
    const auto expectRefused = [&](const BindingChange& change, const std::string& text) {
        const std::string before = dir.Read("hotkey.ini");
        try {
            ReplaceBinding(profile, Path(), change);
            ADD_FAILURE() << "no error";
        } catch (const BindingOutOfReachError& e) {
            EXPECT_EQ(std::string(e.what()), text);
        }
        EXPECT_EQ(dir.Read("hotkey.ini"), before);
    };
    dir.Write("hotkey.ini", Sections(120));
    expectRefused(EditorChange(1, [](BindingFields& f) { f.hotKey = Shortcut(2, 65); }),
                  "hotkey.ini holds 120 bindings and only the first 100 work: the changed binding would be number "
                  "120 and would not work. Delete unused bindings first");
    // Onto a binding that is not loaded either.
    expectRefused(EditorChange(1, [](BindingFields& f) { f.hotKey = Shortcut(0, 210); }),
                  "hotkey.ini holds 120 bindings and only the first 100 work: the changed binding would be number "
                  "109 and would not work. Delete unused bindings first");

    // With 100, the changed binding becomes the 100th, and works.
    dir.Write("hotkey.ini", Sections(100));
    ReplaceBinding(profile, Path(), EditorChange(1, [](BindingFields& f) { f.hotKey = Shortcut(2, 65); }));
    const auto rows = Reload();
    ASSERT_EQ(rows.size(), 100u);
    EXPECT_EQ(rows[99].caption, "Ctrl + A");
    EXPECT_EQ(rows[99].action, "tool1");
}

// A write or erase the file refuses, at any step of any kind of change:
// the error names the file, and the file keeps every byte.
TEST_F(EditFileTest, RefusedStepLeavesTheFileAsItWas)
{
    const std::string original = "[1+65]\r\nAction=a\r\nHint=x\r\nSort=S\r\nMore=1\r\n[1+66]\r\nAction=b\r\nHint=y\r\n"
                                 "Sort=T\r\n";
    const auto editAll = [](std::uint16_t hotKey) {
        return [hotKey](BindingFields& f) {
            f.hotKey = hotKey;
            f.path = "changed";
            f.hint = "new";
            f.sort = "Z";
        };
    };
    struct Case {
        const char* name;
        std::function<void()> change;
        int steps; // writes and erases of a change that goes through
    };
    const Case cases[] = {
        {"same combination", [&] { ReplaceBinding(profile, Path(), EditorChange(1, editAll(Shortcut(1, 65)))); }, 3},
        {"free combination", [&] { ReplaceBinding(profile, Path(), EditorChange(1, editAll(Shortcut(1, 67)))); }, 5},
        {"another binding's", [&] { ReplaceBinding(profile, Path(), EditorChange(1, editAll(Shortcut(1, 66)))); }, 5},
        {"present call", [&] { ReplaceBinding(profile, Path(), "1+65", {Shortcut(1, 67), "c", "", ""}); }, 5},
    };
    for (const Case& c : cases) {
        for (int failAt = 0; failAt <= c.steps; ++failAt) {
            SCOPED_TRACE(std::string(c.name) + ", refused step " + std::to_string(failAt));
            dir.Write("hotkey.ini", original);
            profile.writes = 0;
            profile.failAt = failAt;
            try {
                c.change();
                EXPECT_EQ(failAt, c.steps) << "no error";
                EXPECT_NE(dir.Read("hotkey.ini"), original);
                continue;
            } catch (const WriteError& e) {
                EXPECT_EQ(std::string(e.what()), "Unable to write to " + Path());
            }
            EXPECT_EQ(dir.Read("hotkey.ini"), original);
        }
    }
}

TEST_F(EditFileTest, CategoriesInSetIni)
{
    Categories categories(profile.inner, dir.Dir());
    EXPECT_TRUE(categories.ReadCategories().empty());
    categories.AddCategory("Work");
    EXPECT_EQ(dir.Read("Set.ini"), "[Sort]\r\nWork=0\r\n");
    categories.AddCategory("Games");
    EXPECT_THROW(categories.AddCategory("work"), CategoryNameError); // the same key: listed already
    categories.AddCategory("Home");
    EXPECT_EQ(categories.ReadCategories(), (std::vector<std::string>{"Work", "Games", "Home"}));
    categories.RenameCategory("Work", "Office");
    EXPECT_EQ(categories.ReadCategories(), (std::vector<std::string>{"Games", "Home", "Office"}));
    categories.RenameCategory("Games", "Games"); // unchanged: still moves to the end
    EXPECT_EQ(categories.ReadCategories(), (std::vector<std::string>{"Home", "Office", "Games"}));
    EXPECT_THROW(categories.RenameCategory("Games", "home"), CategoryNameError); // another listed key
    categories.DeleteCategory("HOME");
    categories.DeleteCategory("not there");
    EXPECT_THROW(categories.AddCategory(""), CategoryNameError); // refused, nothing written
    EXPECT_EQ(categories.ReadCategories(), (std::vector<std::string>{"Office", "Games"}));
    EXPECT_EQ(dir.Read("Set.ini"), "[Sort]\r\nOffice=0\r\nGames=0\r\n");
    EXPECT_FALSE(dir.Exists("hotkey.ini"));
}

TEST_F(EditFileTest, CategoryWriteRefusedNamesSetIni)
{
    Categories categories(profile, dir.Dir());
    profile.failAt = 0;
    try {
        categories.AddCategory("Work");
        ADD_FAILURE() << "no error";
    } catch (const WriteError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + dir.Dir() + "Set.ini");
    }
}

// Every refused step of a delete or a rename says so and leaves the file
// as it was: the list on screen then stays as it was too.
TEST_F(EditFileTest, CategoryDeleteOrRenameRefusedChangesNothing)
{
    const std::string original = "[Sort]\r\nWork=0\r\nGames=0\r\n";
    const struct {
        const char* what;
        std::function<void(const Categories&)> change;
        int steps; // writes it makes
    } cases[] = {
        {"delete", [](const Categories& c) { c.DeleteCategory("Work"); }, 1},
        {"rename to a new key", [](const Categories& c) { c.RenameCategory("Work", "Office"); }, 2},
        {"rename in another case", [](const Categories& c) { c.RenameCategory("Work", "WORK"); }, 2},
    };
    for (const auto& c : cases) {
        for (int failAt = 0; failAt < c.steps; ++failAt) {
            SCOPED_TRACE(std::string(c.what) + ", write " + std::to_string(failAt) + " refused");
            dir.Write("Set.ini", original);
            FailingProfile failing;
            failing.failAt = failAt;
            Categories categories(failing, dir.Dir());
            try {
                c.change(categories);
                ADD_FAILURE() << "no error";
            } catch (const WriteError& e) {
                EXPECT_EQ(std::string(e.what()), "Unable to write to " + dir.Dir() + "Set.ini");
            }
            // A new case needs the old key erased first; when the write
            // after it is refused, the old name comes back at the end.
            std::vector<std::string> names = categories.ReadCategories();
            std::sort(names.begin(), names.end());
            EXPECT_EQ(names, (std::vector<std::string>{"Games", "Work"}));
        }
    }
}

} // namespace
} // namespace quickdex
