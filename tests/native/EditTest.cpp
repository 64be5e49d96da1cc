#include "platform/portable/IniFile.h"
#include "platform/portable/PortableFiles.h"
#include "store/BindingEdit.h"
#include "store/Categories.h"
#include "store/Errors.h"
#include "store/HotkeyStore.h"
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

// Real files, with the replace answering as told when `refuse` is set.
class RefusingFiles : public IFiles {
public:
    FileContent Read(const std::string& path) override { return inner.Read(path); }
    ReplaceOutcome Replace(const std::string& path, const std::string& bytes) override
    {
        ++replaces;
        return refuse ? *refuse : inner.Replace(path, bytes);
    }
    std::string CodePageToUtf8(std::string_view text) const override { return inner.CodePageToUtf8(text); }
    std::optional<std::string> Utf8ToCodePage(std::string_view utf8) const override { return inner.Utf8ToCodePage(utf8); }
    PortableFiles inner;
    std::optional<ReplaceOutcome> refuse;
    int replaces = 0;
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
}

class EditFileTest : public ::testing::Test {
protected:
    std::string Path() const { return dir.File("hotkey.ini"); }

    // What a reload shows: the table and the list's rows, in slot order.
    std::vector<test::Row> Reload()
    {
        table = HotkeyTable{};
        test::FakeView view;
        store.Load(table, view);
        return view.rows;
    }

    // What the editor writes when it was opened on slot `slot` as loaded and
    // `edit` changed its fields (and `choice`, when given, its choice).
    template <class Edit>
    void Change(int slot, Edit edit, std::optional<IfRunningMode> choice = std::nullopt)
    {
        Reload();
        const Tquickdex loaded = table[slot];
        BindingFields fields{Shortcut(loaded.Modifiers, loaded.Key), loaded.Action, loaded.Hint, loaded.Sort,
                             loaded.Arguments, loaded.StartIn, loaded.Window, loaded.Admin};
        edit(fields);
        const BindingId id = table.IdOf(slot);
        store.Write(&id, BindingFromFields(fields, choice.value_or(loaded.IfRunning), &loaded));
    }
    void Add(const BindingFields& fields, IfRunningMode choice = IfRunningMode::Start)
    {
        store.Write(nullptr, BindingFromFields(fields, choice, nullptr));
    }
    void Delete(int slot)
    {
        Reload();
        store.Erase(table.IdOf(slot));
    }

    TempDir dir;
    FailingProfile profile; // Set.ini
    RefusingFiles files;
    HotkeyStore store{files, dir.File("hotkey.ini")};
    HotkeyTable table;
};

TEST_F(EditFileTest, AddAppendsKeysInOrderAndReplacesInPlace)
{
    dir.Write("hotkey.ini", "[0+112]\r\nAction=calc.exe\r\n");
    Add({Shortcut(3, 65), "notepad.exe", "", "Other"});
    EXPECT_EQ(dir.Read("hotkey.ini"),
              "[0+112]\r\nAction=calc.exe\r\n[3+65]\r\nAction=notepad.exe\r\nHint=\r\nSort=Other\r\n");
    Add({Shortcut(0, 112), "  spaced  ", "h", "Games"});
    EXPECT_EQ(dir.Read("hotkey.ini"), "[0+112]\r\nAction=spaced  \r\nHint=h\r\nSort=Games\r\n[3+65]\r\n"
                                      "Action=notepad.exe\r\nHint=\r\nSort=Other\r\n");
    // An add onto a bound combination replaces that binding whole: its choice too.
    dir.Write("hotkey.ini", "[3+65]\r\nAction=a\r\nIfRunning=toggle\r\n");
    Add({Shortcut(3, 65), "b", "", "Other"});
    EXPECT_EQ(dir.Read("hotkey.ini"), "[3+65]\r\nAction=b\r\n");
    // A new file is made, with nothing before the section.
    std::filesystem::remove(Path());
    Add({Shortcut(2, 65), "x", "", "Other"}, IfRunningMode::Front);
    EXPECT_EQ(dir.Read("hotkey.ini"), "[2+65]\r\nAction=x\r\nHint=\r\nSort=Other\r\nIfRunning=front\r\n");
}

// The binding keeps its place and only the lines of the edited fields
// change; comments, blank lines and keys the editor does not know stay.
TEST_F(EditFileTest, SameCombinationRewritesOnlyTheEditedLinesInPlace)
{
    const std::string original = "; my bindings\r\n[1+65]\r\nAction=a.exe\r\nIfRunning=front\r\nHint=x\r\nSort=S\r\n"
                                 "Extra=kept\r\n\r\n[1+66]\r\nAction=b.exe\r\nHint=y\r\nSort=T\r\n";
    dir.Write("hotkey.ini", original);
    Change(1, [](BindingFields& f) { f.hint = "new note"; });
    const std::string hinted = Replaced(original, "Hint=x", "Hint=new note");
    EXPECT_EQ(dir.Read("hotkey.ini"), hinted);

    Change(1, [](BindingFields& f) {
        f.path = "c.exe";
        f.sort = "U";
    });
    EXPECT_EQ(dir.Read("hotkey.ini"), Replaced(Replaced(hinted, "Action=a.exe", "Action=c.exe"), "Sort=S", "Sort=U"));

    // The choice taken away: its line goes, and only it.
    dir.Write("hotkey.ini", original);
    Change(1, [](BindingFields&) {}, IfRunningMode::Start);
    EXPECT_EQ(dir.Read("hotkey.ini"), Replaced(original, "IfRunning=front\r\n", ""));
    // Nothing changed: nothing written, not even the file's replace.
    dir.Write("hotkey.ini", original);
    files.replaces = 0;
    Change(1, [](BindingFields&) {});
    EXPECT_EQ(files.replaces, 0);
}

TEST_F(EditFileTest, HintChangeOfTheFirstOf120StaysFirstAndLoaded)
{
    const std::string original = Sections(120);
    dir.Write("hotkey.ini", original);
    Change(1, [](BindingFields& f) { f.hint = "first"; });
    EXPECT_EQ(dir.Read("hotkey.ini"), Replaced(original, "Hint=h1\r\n", "Hint=first\r\n"));
    const auto rows = Reload();
    ASSERT_EQ(rows.size(), 100u);
    EXPECT_EQ(table.SectionOf(1), "0+101");
    EXPECT_EQ(table[1].Hint, "first");
    EXPECT_EQ(rows[0].action, "tool1");
}

// A new combination: the new section gets Action, Hint, Sort and the
// choice, then the keys the editor does not know, values taken whole from
// the file; the old section goes.
TEST_F(EditFileTest, NewCombinationTakesOverTheWholeSection)
{
    const std::string target(3003, 't');
    dir.Write("hotkey.ini", "[1+65]\r\nIfRunning=front\r\nAction=" + target +
                                "\r\nNote=mine\r\nHint=x\r\nSort=\"S\"\r\n[1+66]\r\nAction=b\r\nHint=y\r\nSort=T\r\n");
    Change(1, [](BindingFields& f) {
        f.hotKey = Shortcut(6, 70);
        f.hint = "moved";
    });
    EXPECT_EQ(dir.Read("hotkey.ini"), "[1+66]\r\nAction=b\r\nHint=y\r\nSort=T\r\n[6+70]\r\nAction=" + target +
                                          "\r\nHint=moved\r\nSort=\"S\"\r\nIfRunning=front\r\nNote=mine\r\n");
}

TEST_F(EditFileTest, LongTargetSurvivesAHintChangeAndLongInputIsRefused)
{
    const std::string target(3003, 't');
    const std::string original = "[1+65]\r\nAction=" + target + "\r\nHint=x\r\nSort=S\r\n";
    dir.Write("hotkey.ini", original);
    Reload();
    ASSERT_EQ(table[1].Action.size(), 2047u); // what the editor is filled with
    Change(1, [](BindingFields& f) { f.hint = "y"; });
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
    refused("The hint is longer than 2,047 characters", [&] { Change(1, [&](BindingFields& f) { f.hint = tooLong; }); });
    refused("The target is longer than 2,047 characters", [&] {
        Change(1, [&](BindingFields& f) {
            f.hotKey = Shortcut(2, 66);
            f.path = tooLong;
        });
    });
    refused("The category is longer than 2,047 characters", [&] { Add({Shortcut(2, 67), "c", "", tooLong}); });

    // 2,047 fit, and come back whole.
    Add({Shortcut(2, 67), std::string(2047, 'a'), std::string(2047, 'h'), "S"});
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
    Change(1, [](BindingFields& f) { f.hint = "y"; });
    EXPECT_EQ(dir.Read("hotkey.ini"),
              "[8+65]\r\nAction=a\r\nHint=y\r\nSort=S\r\n[10+66]\r\nAction=b\r\nHint=\r\nSort=S\r\n");
}

// Onto a combination another binding holds, however its section is spelled:
// one binding is left, in that binding's place, exactly as the editor
// showed it. The replaced binding's choice once survived (a.exe then
// toggled), and a differently spelled section once got a second, empty one.
TEST_F(EditFileTest, ChangeOntoAnotherBindingLeavesOneAsTheEditorShowedIt)
{
    dir.Write("hotkey.ini", "[1+65]\r\nAction=a.exe\r\nHint=x\r\nSort=S\r\n[1+66]\r\nAction=b.exe\r\nHint=y\r\nSort=T\r\n"
                            "IfRunning=toggle\r\n");
    Change(1, [](BindingFields& f) { f.hotKey = Shortcut(1, 66); });
    EXPECT_EQ(dir.Read("hotkey.ini"), "[1+66]\r\nAction=a.exe\r\nHint=x\r\nSort=S\r\n");
    ASSERT_EQ(Reload().size(), 1u);
    EXPECT_EQ(table[1].IfRunning, IfRunningMode::Start);

    dir.Write("hotkey.ini", "[1+65]\r\nAction=a.exe\r\nHint=x\r\nSort=S\r\n[02+66]\r\nAction=b.exe\r\nKeep=1\r\n"
                            "[0+112]\r\nAction=f\r\n");
    Change(1, [](BindingFields& f) { f.hotKey = Shortcut(2, 66); }, IfRunningMode::Front);
    EXPECT_EQ(dir.Read("hotkey.ini"),
              "[02+66]\r\nAction=a.exe\r\nKeep=1\r\nHint=x\r\nSort=S\r\nIfRunning=front\r\n[0+112]\r\nAction=f\r\n");
    const auto rows = Reload();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].caption, "Ctrl + B");
    EXPECT_EQ(table[1].IfRunning, IfRunningMode::Front);
}

// Two sections of one name: each row shows and edits its own, and a delete
// erases exactly the one chosen. Deleting the second (marked as shadowed)
// once erased the first, and the never-shown one became the live hotkey.
TEST_F(EditFileTest, DuplicateSectionsAreEditedAndErasedOneByOne)
{
    const std::string original = "[1+65]\r\nAction=a.exe\r\n[3+67]\r\nAction=marker.exe\r\nHint=first C\r\n"
                                 "[3+67]\r\nAction=notepad.exe\r\nHint=second C\r\n";
    dir.Write("hotkey.ini", original);
    Delete(3);
    EXPECT_EQ(dir.Read("hotkey.ini"), "[1+65]\r\nAction=a.exe\r\n[3+67]\r\nAction=marker.exe\r\nHint=first C\r\n");

    dir.Write("hotkey.ini", original);
    Change(3, [](BindingFields& f) { f.hint = "edited"; });
    EXPECT_EQ(dir.Read("hotkey.ini"), Replaced(original, "Hint=second C", "Hint=edited"));
    Delete(2);
    EXPECT_EQ(dir.Read("hotkey.ini"), "[1+65]\r\nAction=a.exe\r\n[3+67]\r\nAction=notepad.exe\r\nHint=edited\r\n");
}

// The file changed behind the list's back: the binding a row stood for is
// gone or no longer tells itself apart. Nothing is written.
TEST_F(EditFileTest, BindingNoLongerWhereTheListShowedItIsRefused)
{
    dir.Write("hotkey.ini", "[1+65]\r\nAction=a\r\n[1+66]\r\nAction=b\r\n");
    Reload();
    const BindingId second = table.IdOf(2);
    const std::string handEdited = "[1+65]\r\nAction=a\r\n[1+67]\r\nAction=c\r\n";
    dir.Write("hotkey.ini", handEdited);
    EXPECT_THROW(store.Erase(second), BindingChangedError);
    EXPECT_THROW(store.Write(&second, table[2]), BindingChangedError);
    EXPECT_EQ(dir.Read("hotkey.ini"), handEdited);
    // Moved by a hand edit but still one of its name: found.
    dir.Write("hotkey.ini", "[1+66]\r\nAction=b\r\n[1+65]\r\nAction=a\r\n");
    store.Erase(second);
    EXPECT_EQ(dir.Read("hotkey.ini"), "[1+65]\r\nAction=a\r\n");
}

TEST_F(EditFileTest, ChangePastTheHundredthBindingIsRefusedBeforeWriting)
{
    const auto expectRefused = [&](std::uint16_t hotKey, const std::string& text) {
        const std::string before = dir.Read("hotkey.ini");
        try {
            Change(1, [&](BindingFields& f) { f.hotKey = hotKey; });
            ADD_FAILURE() << "no error";
        } catch (const BindingOutOfReachError& e) {
            EXPECT_EQ(std::string(e.what()), text);
        }
        EXPECT_EQ(dir.Read("hotkey.ini"), before);
    };
    dir.Write("hotkey.ini", Sections(120));
    expectRefused(Shortcut(2, 65), "hotkey.ini holds 120 bindings and only the first 100 work: the changed binding "
                                   "would be number 120 and would not work. Delete unused bindings first");
    // Onto a binding that is not loaded either.
    expectRefused(Shortcut(0, 210), "hotkey.ini holds 120 bindings and only the first 100 work: the changed binding "
                                    "would be number 109 and would not work. Delete unused bindings first");

    // With 100 and a section that is no binding, the changed binding becomes
    // the 100th, and works.
    dir.Write("hotkey.ini", "[General]\r\nTheme=dark\r\n" + Sections(100));
    Change(1, [](BindingFields& f) { f.hotKey = Shortcut(2, 65); });
    const auto rows = Reload();
    ASSERT_EQ(rows.size(), 100u);
    EXPECT_EQ(rows[99].caption, "Ctrl + A");
    EXPECT_EQ(rows[99].action, "tool1");
}

// A replace the file refuses, for every kind of write: the error names the
// file (and the cause, when another program holds it), and the file keeps
// every byte. A binding is written whole or not at all.
TEST_F(EditFileTest, RefusedSaveLeavesTheFileAsItWas)
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
    const std::pair<const char*, std::function<void()>> writes[] = {
        {"same combination", [&] { Change(1, editAll(Shortcut(1, 65)), IfRunningMode::Toggle); }},
        {"free combination", [&] { Change(1, editAll(Shortcut(1, 67)), IfRunningMode::Front); }},
        {"another binding's", [&] { Change(1, editAll(Shortcut(1, 66))); }},
        {"add", [&] { Add({Shortcut(2, 90), "z", "", "Other"}, IfRunningMode::Front); }},
        {"delete", [&] { Delete(2); }},
    };
    const std::pair<ReplaceOutcome, std::string> refusals[] = {
        {ReplaceOutcome::ReadOnly, "Unable to write to " + Path()},
        {ReplaceOutcome::Failed, "Unable to write to " + Path()},
        {ReplaceOutcome::InUse, "Unable to write to " + Path() +
                                    ": another program keeps the file open (a virus scanner, the search indexer or a "
                                    "sync client). Nothing was changed; try again in a moment"},
    };
    for (const auto& [name, write] : writes) {
        for (const auto& [outcome, text] : refusals) {
            SCOPED_TRACE(std::string(name) + ": " + text);
            dir.Write("hotkey.ini", original);
            files.refuse = outcome;
            try {
                write();
                ADD_FAILURE() << "no error";
            } catch (const WriteError& e) {
                EXPECT_EQ(std::string(e.what()), text);
            }
            EXPECT_EQ(dir.Read("hotkey.ini"), original);
        }
        files.refuse.reset();
        dir.Write("hotkey.ini", original);
        write();
        EXPECT_NE(dir.Read("hotkey.ini"), original) << name;
    }
}

TEST_F(EditFileTest, EraseKeepsWhatFollowsAndRenumbersSlots)
{
    dir.Write("hotkey.ini", "[1+65]\r\nAction=a\r\n[2+66]\r\nAction=b\r\n\r\n; the next one is C\r\n[4+67]\r\nAction=c\r\n");
    Delete(2);
    EXPECT_EQ(dir.Read("hotkey.ini"), "[1+65]\r\nAction=a\r\n\r\n; the next one is C\r\n[4+67]\r\nAction=c\r\n");
    const auto rows = Reload();
    ASSERT_EQ(table.HotkeyCount, 2);
    EXPECT_EQ(table[2].Action, "c");
    EXPECT_EQ(table[2].Modifiers, 4);
    EXPECT_EQ(rows[1].slot, 2);

    // A hand-written name is erased as it stands.
    dir.Write("hotkey.ini", "[02+65]\r\nAction=a\r\n");
    Delete(1);
    EXPECT_EQ(Reload().size(), 0u);
#ifndef _WIN32
    dir.Write("hotkey.ini", "[1+65]\nAction=a\n");
    std::filesystem::permissions(Path(), std::filesystem::perms::owner_read);
    EXPECT_THROW(Delete(1), WriteError);
    EXPECT_EQ(dir.Read("hotkey.ini"), "[1+65]\nAction=a\n");
#endif
}

// Values the program does not know are read as no choice, and kept as they
// stand through a change; a file saved with a UTF-8 mark keeps it.
TEST_F(EditFileTest, UnknownValuesAndTheUtf8MarkAreKept)
{
    dir.Write("hotkey.ini", "[1+65]\r\nAction=a\r\nIfRunning=sometimes\r\n");
    Reload();
    EXPECT_EQ(table[1].IfRunning, IfRunningMode::Start);
    Change(1, [](BindingFields& f) { f.hint = "h"; });
    EXPECT_EQ(dir.Read("hotkey.ini"), "[1+65]\r\nAction=a\r\nIfRunning=sometimes\r\nHint=h\r\n");

    dir.Write("hotkey.ini", "\xEF\xBB\xBF[1+65]\r\nAction=a\r\n");
    Change(1, [](BindingFields& f) { f.path = "b"; });
    Add({Shortcut(1, 66), "c", "", "Other"});
    EXPECT_EQ(dir.Read("hotkey.ini"),
              "\xEF\xBB\xBF[1+65]\r\nAction=b\r\n[1+66]\r\nAction=c\r\nHint=\r\nSort=Other\r\n");
    ASSERT_EQ(Reload().size(), 2u);
    EXPECT_EQ(table[1].Action, "b");
}

// The launch options: written after the binding's other keys, only when
// set; read back; values the program does not know read as no option and
// stay as they stand through a change.
TEST_F(EditFileTest, LaunchOptionsAreWrittenWhenSetAndUnknownValuesKept)
{
    Tquickdex all =
        BindingFromFields({.hotKey = Shortcut(2, 65), .path = "notepad.exe", .hint = "n", .sort = "Tools"},
                          IfRunningMode::Cycle, nullptr);
    all.Arguments = "%USERPROFILE%\\notes.txt";
    all.StartIn = "C:\\work";
    all.Window = WindowMode::Max;
    all.Admin = true;
    store.Write(nullptr, all);
    const std::string written = "[2+65]\r\nAction=notepad.exe\r\nHint=n\r\nSort=Tools\r\nIfRunning=cycle\r\n"
                                "Arguments=%USERPROFILE%\\notes.txt\r\nStartIn=C:\\work\r\nWindow=max\r\nAdmin=1\r\n";
    EXPECT_EQ(dir.Read("hotkey.ini"), written);
    Reload();
    EXPECT_EQ(table[1].IfRunning, IfRunningMode::Cycle);
    EXPECT_EQ(table[1].Arguments, "%USERPROFILE%\\notes.txt");
    EXPECT_EQ(table[1].StartIn, "C:\\work");
    EXPECT_EQ(table[1].Window, WindowMode::Max);
    EXPECT_TRUE(table[1].Admin);
    // A change of the hint keeps every option the user did not touch.
    Change(1, [](BindingFields& f) { f.hint = "m"; });
    EXPECT_EQ(dir.Read("hotkey.ini"), Replaced(written, "Hint=n", "Hint=m"));
    // Options taken away: their lines go.
    Reload();
    Tquickdex none = table[1];
    none.Arguments.clear();
    none.Window = WindowMode::Normal;
    none.Admin = false;
    store.Write(&table.IdOf(1), none);
    EXPECT_EQ(dir.Read("hotkey.ini"), "[2+65]\r\nAction=notepad.exe\r\nHint=m\r\nSort=Tools\r\nIfRunning=cycle\r\n"
                                      "StartIn=C:\\work\r\n");

    const std::string odd = "[2+65]\r\nAction=a\r\nWindow=huge\r\nAdmin=yes\r\nIfRunning=Cycle\r\n"
                            "[2+66]\r\nAction=b\r\nwindow = NORMAL\r\nArguments=\r\n";
    dir.Write("hotkey.ini", odd);
    Reload();
    EXPECT_EQ(table[1].Window, WindowMode::Normal);
    EXPECT_FALSE(table[1].Admin);
    EXPECT_EQ(table[1].IfRunning, IfRunningMode::Cycle);
    EXPECT_FALSE(table[2].HasLaunchOptions());
    Change(1, [](BindingFields& f) { f.hint = "h"; });
    Change(2, [](BindingFields& f) { f.hint = "h"; });
    EXPECT_EQ(dir.Read("hotkey.ini"), "[2+65]\r\nAction=a\r\nWindow=huge\r\nAdmin=yes\r\nIfRunning=Cycle\r\nHint=h\r\n"
                                      "[2+66]\r\nAction=b\r\nwindow = NORMAL\r\nArguments=\r\nHint=h\r\n");
    // Set from the editor over an unknown value: the value is replaced in place.
    Reload();
    Tquickdex minimised = table[1];
    minimised.Window = WindowMode::Min;
    store.Write(&table.IdOf(1), minimised);
    EXPECT_NE(dir.Read("hotkey.ini").find("Window=min\r\nAdmin=yes"), std::string::npos);
}

TEST_F(EditFileTest, CategoriesInSetIni)
{
    Categories categories(files, dir.Dir());
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

// Every refused save of an add, a delete or a rename says so and leaves the
// file as it was: the list on screen then stays as it was too.
TEST_F(EditFileTest, CategoryChangesRefusedChangeNothing)
{
    const std::string original = "[Sort]\r\nWork=0\r\nGames=0\r\n";
    const struct {
        const char* what;
        std::function<void(const Categories&)> change;
    } cases[] = {
        {"add", [](const Categories& c) { c.AddCategory("Home"); }},
        {"delete", [](const Categories& c) { c.DeleteCategory("Work"); }},
        {"rename to a new key", [](const Categories& c) { c.RenameCategory("Work", "Office"); }},
        {"rename in another case", [](const Categories& c) { c.RenameCategory("Work", "WORK"); }},
    };
    Categories categories(files, dir.Dir());
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        dir.Write("Set.ini", original);
        files.refuse = ReplaceOutcome::Failed;
        try {
            c.change(categories);
            ADD_FAILURE() << "no error";
        } catch (const WriteError& e) {
            EXPECT_EQ(std::string(e.what()), "Unable to write to " + dir.Dir() + "Set.ini");
        }
        EXPECT_EQ(dir.Read("Set.ini"), original);
        files.refuse.reset();
        c.change(categories);
        EXPECT_NE(dir.Read("Set.ini"), original);
    }
}

} // namespace
} // namespace quickdex
