#include "platform/portable/IniFile.h"
#include "platform/portable/PortableFiles.h"
#include "store/HotkeyStore.h"
#include "store/Errors.h"
#include "store/Hotkeys.h"
#include "support/Fakes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <climits>
#include <random>

namespace quickdex {
namespace {

using test::FakeView;
using test::TempDir;

TEST(SectionName, EncodesModifiersFirst)
{
    EXPECT_EQ(SectionName(2, 65), "2+65");
    EXPECT_EQ(SectionName(6, 116), "6+116");
    EXPECT_EQ(SectionName(0, 112), "0+112");
}

TEST(SectionName, SplitsAndConverts)
{
    struct Case {
        std::string name;
        int half;
        int value;
    };
    const Case good[] = {
        {"2+65", 1, 2},  {"2+65", 2, 65}, {"02+65", 1, 2}, {" 3+ 65", 2, 65},
        {"-1+5", 1, -1}, {"0+112", 7, 112},
    };
    for (const Case& c : good) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(SplitSectionName(c.name, c.half), c.value);
    }
}

TEST(SectionName, ConversionFailuresNameTheFailingHalf)
{
    struct Case {
        std::string name;
        int half;
        std::string message;
    };
    const Case bad[] = {
        {"65", 1, "'' is not a valid integer value"},        // no "+": empty first half
        {"2+6+5", 2, "'6+5' is not a valid integer value"},   // two "+"
        {"+65", 1, "'' is not a valid integer value"},
        {"2+", 2, "'' is not a valid integer value"},
        {"2 +65", 1, "'2 ' is not a valid integer value"},    // trailing blank
        {"0x2+65", 1, "'0x2' is not a valid integer value"},
        {"$2+65", 1, "'$2' is not a valid integer value"},
        {"2+99999999999", 2, "'99999999999' is not a valid integer value"},
        {"-+65", 1, "'-' is not a valid integer value"},
    };
    for (const Case& c : bad) {
        SCOPED_TRACE(c.name);
        try {
            SplitSectionName(c.name, c.half);
            ADD_FAILURE() << "no error";
        } catch (const ConversionError& e) {
            EXPECT_EQ(std::string(e.what()), c.message);
        }
    }
    EXPECT_EQ(StrToInt("-2147483648"), INT_MIN);
    EXPECT_EQ(StrToInt("2147483647"), INT_MAX);
    EXPECT_THROW(StrToInt("2147483648"), ConversionError);
}

TEST(ErrorBox, FullStopOnlyAfterCharactersThatSortAfterIt)
{
    EXPECT_EQ(ErrorBoxText("'' is not a valid integer value"), "'' is not a valid integer value.");
    EXPECT_EQ(ErrorBoxText("Unable to write to C:\\q\\hotkey.ini"), "Unable to write to C:\\q\\hotkey.ini.");
    EXPECT_EQ(ErrorBoxText("done."), "done.");
    EXPECT_EQ(ErrorBoxText("why?"), "why?.");   // '?' sorts after '.'
    EXPECT_EQ(ErrorBoxText("wow!"), "wow!");    // '!' sorts before it
    EXPECT_EQ(ErrorBoxText("a-"), "a-");
    EXPECT_EQ(ErrorBoxText(""), "");
}

TEST(ExeDir, AlwaysEndsInBackslash)
{
    EXPECT_EQ(ExeDirOf("C:\\Tools\\quickdex.exe"), "C:\\Tools\\");
    EXPECT_EQ(ExeDirOf("C:\\quickdex.exe"), "C:\\");
    EXPECT_EQ(ExeDirOf("/tmp/x/quickdex"), "/tmp/x/\\");
}

class LoadTest : public ::testing::Test {
protected:
    LoadResult Load(const std::string& content)
    {
        dir.Write("hotkey.ini", content);
        return Reload();
    }
    LoadResult Reload()
    {
        rows.rows.clear();
        table = HotkeyTable{};
        return store.Load(table, rows);
    }
    std::string Path() const { return dir.File("hotkey.ini"); }

    TempDir dir;
    PortableFiles files;
    PortableProfile profile; // the reference single-value reads
    HotkeyStore store{files, dir.File("hotkey.ini")};
    HotkeyTable table;
    FakeView rows;
};

TEST_F(LoadTest, MissingFileGivesEmptyTable)
{
    const LoadResult r = Reload();
    EXPECT_EQ(r.sections, 0);
    EXPECT_EQ(table.HotkeyCount, 0);
    EXPECT_TRUE(rows.rows.empty());
    EXPECT_EQ(rows.loadsDone, 1);
    EXPECT_FALSE(dir.Exists("hotkey.ini"));
}

TEST_F(LoadTest, ReadsSlotsInFileOrderWithDefaults)
{
    Load("[2+65]\r\nAction=C:\\Windows\\notepad.exe\r\nHint=Editor\r\nSort=Other\r\n"
         "[0+112]\r\nAction=calc.exe\r\n"
         "[6+116]\r\nSort=Work\r\nHint=h\r\nAction=Shut Down\r\n");
    ASSERT_EQ(table.HotkeyCount, 3);
    EXPECT_EQ(table[1].Modifiers, 2);
    EXPECT_EQ(table[1].Key, 65);
    EXPECT_EQ(table[1].Action, "C:\\Windows\\notepad.exe");
    EXPECT_EQ(table[1].Hint, "Editor");
    EXPECT_EQ(table[2].Hint, "");
    EXPECT_EQ(table[2].Sort, "Other"); // missing Sort
    EXPECT_EQ(table[3].Action, "Shut Down");

    ASSERT_EQ(rows.rows.size(), 3u);
    EXPECT_EQ(rows.rows[0].slot, 1);
    EXPECT_EQ(rows.rows[0].caption, "Ctrl + A");
    EXPECT_EQ(rows.rows[1].caption, "F1");
    EXPECT_EQ(rows.rows[1].sort, "Other");
    EXPECT_EQ(rows.rows[2].caption, "Ctrl + Shift + F5");
    EXPECT_EQ(rows.rows[2].action, "Shut Down");
}

// One section that is no binding used to stop the load: no row, no hotkey.
TEST_F(LoadTest, SectionsThatAreNoBindingAreSkippedReportedAndKept)
{
    struct Case {
        const char* name;
        const char* failing; // the half the error names
    } cases[] = {{"General", ""}, {"65", ""}, {"2+6+5", "6+5"}, {"+", ""}, {"a+b", "a"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string content = std::string("[1+65]\nAction=x\n[") + c.name + "]\nTheme=dark\n[4+66]\nAction=y\n";
        const LoadResult r = Load(content);
        ASSERT_EQ(table.HotkeyCount, 2);
        EXPECT_EQ(table[1].Action, "x");
        EXPECT_EQ(table[2].Action, "y");
        EXPECT_EQ(table[2].Modifiers, 4);
        EXPECT_EQ(rows.rows.size(), 2u);
        EXPECT_EQ(r.foreign, std::vector<std::string>{c.name});
        EXPECT_EQ(ForeignSectionsText(r).rfind(std::string("'") + c.failing + "' is not a valid integer value.", 0), 0u);
        EXPECT_NE(ForeignSectionsText(r).find(std::string("[") + c.name + "]"), std::string::npos);
        EXPECT_EQ(dir.Read("hotkey.ini"), content);
    }
    // Two good bindings and 60,000 notes: both load, and the notice names a few.
    std::string content = "[1+65]\nAction=x\n[1+66]\nAction=y\n";
    for (int i = 0; i < 60000; ++i)
        content += "[note" + std::to_string(100000 + i) + "]\n";
    const LoadResult r = Load(content);
    EXPECT_EQ(table.HotkeyCount, 2);
    EXPECT_EQ(r.foreign.size(), 60000u);
    EXPECT_NE(ForeignSectionsText(r).find("[note100000], [note100001], [note100002] and 59997 more"),
              std::string::npos);
    EXPECT_EQ(ForeignSectionsText(Load("[1+65]\n")), "");
}

TEST_F(LoadTest, LongValuesAreCutTo2047Characters)
{
    const std::string longText(10000, 'x');
    Load("[2+65]\nAction=" + longText + "\nHint=" + std::string(2047, 'h') + "\n");
    EXPECT_EQ(table[1].Action, std::string(2047, 'x'));
    EXPECT_EQ(table[1].Hint, std::string(2047, 'h'));
}

TEST_F(LoadTest, MoreThanHundredBindingsNeverPassSlot100AndAreCountedRight)
{
    std::string content;
    for (int i = 1; i <= 500; ++i)
        content += "[0+" + std::to_string(i) + "]\nAction=a" + std::to_string(i) + "\n";
    LoadResult r = Load(content);
    EXPECT_EQ(r.sections, 500);
    EXPECT_EQ(r.ignored, 400);
    EXPECT_EQ(table.HotkeyCount, MaxHotkeys);
    EXPECT_EQ(table[100].Key, 100);
    EXPECT_EQ(rows.rows.size(), 100u);
    EXPECT_EQ(dir.Read("hotkey.ini"), content); // the extra sections stay in the file
    EXPECT_EQ(IgnoredBindingsText(r), "hotkey.ini holds 500 bindings; only the first 100 are used");

    // 12,002 sections with long names once said "holds 1821 bindings": the
    // name list was cut at 16 KB.
    content.clear();
    for (int i = 1; i <= 12002; ++i)
        content += "[" + std::string(20, '0') + "3+" + std::to_string(1000 + i) + "]\r\nAction=t\r\n";
    r = Load(content);
    EXPECT_EQ(r.bindings, 12002);
    EXPECT_EQ(table.HotkeyCount, MaxHotkeys);
    EXPECT_EQ(IgnoredBindingsText(r), "hotkey.ini holds 12002 bindings; only the first 100 are used");
    EXPECT_EQ(IgnoredBindingsText(Load("[1+65]\n")), "");
}

// Two sections of one name are two rows, each showing its own values.
TEST_F(LoadTest, DuplicateSectionsEachShowTheirOwnValues)
{
    Load("[1+65]\r\nAction=a.exe\r\n[3+67]\r\nAction=marker.exe\r\nHint=first C\r\n"
         "[3+67]\r\nAction=notepad.exe\r\nHint=second C\r\n");
    ASSERT_EQ(table.HotkeyCount, 3);
    EXPECT_EQ(table[2].Action, "marker.exe");
    EXPECT_EQ(table[3].Action, "notepad.exe");
    EXPECT_EQ(table[3].Hint, "second C");
    EXPECT_EQ(rows.rows[2].action, "notepad.exe");
    EXPECT_NE(table.IdOf(2), table.IdOf(3));
}

// A file saved as "UTF-8 with BOM" loads whole (Windows' profile calls would
// take the mark as part of the first section's name and lose that binding).
TEST_F(LoadTest, Utf8MarkIsNotPartOfTheFirstSection)
{
    Load("\xEF\xBB\xBF[3+67]\r\nAction=first.exe\r\n[3+68]\r\nAction=second.exe\r\n");
    ASSERT_EQ(table.HotkeyCount, 2);
    EXPECT_EQ(table[1].Key, 67);
    EXPECT_EQ(table[1].Action, "first.exe");
    EXPECT_EQ(table.SectionOf(1), "3+67");
}

TEST_F(LoadTest, OneReadAnswersLikeSingleValueReads)
{
    const std::string longValue(3000, 'L');
    Load("[1+65]\r\n ACTION = \"quoted\" \r\naction=second\r\n;Hint=comment\r\nHint\r\nhint=late\r\nSort='s'\r\n"
         "[1+66]\r\nAction=a=b=c\r\n=nameless\r\nSORT=\"half\r\n"
         "[1+67]\r\nAction=\"" + longValue + "\"\r\nHint=\"\r\n"
         "[1+68]\r\nNote=" + std::string(40000, 'n') + "\r\nAction=after a long line\r\n"
         "[1+69]\r\n"
         "[1+70]\r\n  Action = notepad.exe  \r\n\tHint\t=\t\"my note\"\t\r\n SORT = 'Work' \r\n"
         "[1+71]\r\n action = \" spaced \" \r\nHint =\r\n Sort \r\n");
    ASSERT_EQ(table.HotkeyCount, 7);
    for (int slot = 1; slot <= 7; ++slot) {
        SCOPED_TRACE(table.SectionOf(slot));
        EXPECT_EQ(table[slot].Action, ReadValue(profile, Path(), table.SectionOf(slot), "Action", ""));
        EXPECT_EQ(table[slot].Hint, ReadValue(profile, Path(), table.SectionOf(slot), "Hint", ""));
        EXPECT_EQ(table[slot].Sort, ReadValue(profile, Path(), table.SectionOf(slot), "Sort", DefaultSort));
    }
    EXPECT_EQ(table[1].Action, "quoted");
    EXPECT_EQ(table[1].Hint, ""); // the first Hint has no '='
    EXPECT_EQ(table[1].Sort, "s");
    EXPECT_EQ(table[2].Action, "a=b=c");
    EXPECT_EQ(table[2].Sort, "\"half");
    EXPECT_EQ(table[3].Action.size(), 2047u);
    EXPECT_EQ(table[4].Action, "after a long line");
    EXPECT_EQ(table[5].Sort, "Other");
    EXPECT_EQ(table[6].Hint, "my note");
    EXPECT_EQ(table[7].Action, " spaced ");
    EXPECT_EQ(table[7].Sort, "Other"); // a line without '=' is no value
}

TEST_F(LoadTest, HostileFilesLoadWithinBounds)
{
    const std::string hundred = [] {
        std::string text;
        for (int i = 1; i <= 100; ++i)
            text += "[2+" + std::to_string(i) + "]\r\nAction=a" + std::to_string(i) + "\r\n";
        return text;
    }();
    {
        SCOPED_TRACE("10 MB of comments after the bindings");
        std::string content = hundred;
        while (content.size() < 10u * 1024 * 1024)
            content += "; " + std::string(1000, 'c') + "\r\n";
        Load(content);
        EXPECT_EQ(table.HotkeyCount, 100);
        EXPECT_EQ(table[100].Action, "a100");
    }
    {
        SCOPED_TRACE("a 100,000-character value and a 100,000-character section name");
        Load("[2+65]\nAction=" + std::string(100000, 'v') + "\n[" + std::string(100000, '1') + "+66]\nAction=b\n");
        EXPECT_EQ(table.HotkeyCount, 1); // the name overflows: no binding
        EXPECT_EQ(table[1].Action.size(), 2047u);
    }
    {
        SCOPED_TRACE("zero bytes end names and values");
        static const char text[] = "[2+65\0junk]\nAction=a\0b\nHint=\0\n";
        Load(std::string(text, sizeof text - 1));
        EXPECT_EQ(table.HotkeyCount, 1);
        EXPECT_EQ(table[1].Action, "a");
        EXPECT_EQ(table[1].Hint, "");
    }
    {
        SCOPED_TRACE("binary garbage");
        std::mt19937 random(12345);
        for (int round = 0; round < 20; ++round) {
            std::string junk(64 * 1024, '\0');
            for (char& c : junk)
                c = static_cast<char>(random());
            Load(junk);
            EXPECT_LE(table.HotkeyCount, MaxHotkeys);
            EXPECT_EQ(rows.rows.size(), static_cast<std::size_t>(table.HotkeyCount));
        }
    }
}

} // namespace
} // namespace quickdex
