#include "platform/portable/IniFile.h"
#include "store/Errors.h"
#include "store/Hotkeys.h"
#include "support/Fakes.h"
#include "support/SectionLists.h"
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
        return LoadHotkeys(profile, Path(), table, rows);
    }
    std::string Path() const { return dir.File("hotkey.ini"); }

    TempDir dir;
    PortableProfile profile;
    HotkeyTable table;
    FakeView rows;
};

TEST_F(LoadTest, MissingFileGivesEmptyTable)
{
    const LoadResult r = LoadHotkeys(profile, Path(), table, rows);
    EXPECT_EQ(r.sections, 0);
    EXPECT_EQ(table.HotkeyCount, 0);
    EXPECT_TRUE(rows.rows.empty());
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

TEST_F(LoadTest, MalformedSectionStopsLoadWithoutRows)
{
    for (const char* name : {"65", "2+6+5", "+", "a+b"}) {
        SCOPED_TRACE(name);
        rows.rows.clear();
        table.ClearKeys();
        EXPECT_THROW(Load(std::string("[1+65]\nAction=x\n[") + name + "]\nAction=y\n[4+66]\n"), ConversionError);
        EXPECT_EQ(table.HotkeyCount, 3); // every section counted
        EXPECT_EQ(table[1].Key, 65);     // the slot before the bad one was read
        EXPECT_EQ(table[3].Key, 0);      // nothing after it
        EXPECT_TRUE(rows.rows.empty());  // rows only after the last section
        EXPECT_EQ(rows.loadsDone, 1);    // the list is told the load is over
        rows.loadsDone = 0;
    }
}

TEST_F(LoadTest, LongValuesAreCutTo2047Characters)
{
    const std::string longText(10000, 'x');
    Load("[2+65]\nAction=" + longText + "\nHint=" + std::string(2047, 'h') + "\n");
    EXPECT_EQ(table[1].Action, std::string(2047, 'x'));
    EXPECT_EQ(table[1].Hint, std::string(2047, 'h'));
}

TEST_F(LoadTest, MoreThanHundredSectionsNeverPassSlot100)
{
    std::string content;
    for (int i = 1; i <= 500; ++i)
        content += "[0+" + std::to_string(i) + "]\nAction=a" + std::to_string(i) + "\n";
    const LoadResult r = Load(content);
    EXPECT_EQ(r.sections, 500);
    EXPECT_EQ(r.ignored, 400);
    EXPECT_EQ(table.HotkeyCount, MaxHotkeys);
    EXPECT_EQ(table[100].Key, 100);
    EXPECT_EQ(rows.rows.size(), 100u);
    EXPECT_EQ(dir.Read("hotkey.ini"), content); // the extra sections stay in the file
}

TEST_F(LoadTest, SectionListLongerThanBufferDropsTheCutName)
{
    // 60 names of 300 characters do not fit in 16,384 bytes; the one that is
    // cut must not be read as a binding.
    std::string content;
    for (int i = 0; i < 60; ++i)
        content += "[" + std::string(290, '0') + "1+" + std::to_string(100 + i) + "]\n";
    dir.Write("hotkey.ini", content);
    const auto names = ReadSectionNames(profile, Path());
    ASSERT_FALSE(names.empty());
    EXPECT_LT(names.size(), 60u);
    for (const auto& n : names)
        EXPECT_EQ(n.size(), 295u);
    EXPECT_EQ(SplitSectionName(names[0], 1), 1);
}

// Whatever way the name list meets the end of its buffer, every name that
// came back whole is a binding and a cut one is not.
TEST_F(LoadTest, SectionListAtTheBufferEdgeKeepsEveryWholeName)
{
    for (const test::FillingCase& c : test::FillingCases) {
        SCOPED_TRACE(c.what);
        rows.rows.clear();
        table.ClearKeys();
        Load(test::FillingSectionList(c.lastLength, c.after));
        EXPECT_EQ(table.HotkeyCount, c.complete);
        EXPECT_EQ(rows.rows.size(), static_cast<std::size_t>(c.complete));
        EXPECT_EQ(table[c.complete].Key, 65 + c.complete - 1);
        EXPECT_EQ(table[c.complete].Action, "tool" + std::to_string(c.complete - 1) + ".exe");
        const auto names = ReadSectionNames(profile, Path());
        EXPECT_EQ(names.size(), static_cast<std::size_t>(c.complete));
        if (!names.empty()) {
            EXPECT_EQ(names.back(), test::PaddedSectionName(c.complete - 1, c.complete == 64 ? c.lastLength : 255));
        }
    }
}

TEST_F(LoadTest, OneSectionReadAnswersLikeThreeValueReads)
{
    const std::string longValue(3000, 'L');
    Load("[1+65]\r\n ACTION = \"quoted\" \r\naction=second\r\n;Hint=comment\r\nHint\r\nhint=late\r\nSort='s'\r\n"
         "[1+66]\r\nAction=a=b=c\r\n=nameless\r\nSORT=\"half\r\n"
         "[1+67]\r\nAction=\"" + longValue + "\"\r\nHint=\"\r\n"
         "[1+68]\r\nNote=" + std::string(40000, 'n') + "\r\nAction=after a long line\r\n"
         "[1+69]\r\n");
    ASSERT_EQ(table.HotkeyCount, 5);
    for (int slot = 1; slot <= 5; ++slot) {
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
    EXPECT_EQ(table[4].Action, "after a long line"); // read value by value
    EXPECT_EQ(table[5].Sort, "Other");
}

// The one-read load takes names and values as the single-value read would,
// whatever blanks the system leaves around them.
TEST_F(LoadTest, UntrimmedSectionLinesLoadLikeValueReads)
{
    dir.Write("hotkey.ini", "[1+65]\r\n  Action = notepad.exe  \r\n\tHint\t=\t\"my note\"\t\r\n SORT = 'Work' \r\n"
                            "[1+66]\r\n action = \" spaced \" \r\nHint =\r\n Sort \r\n"
                            "[1+67]\r\n  Hint = \"half \r\n");
    test::RawSectionProfile raw;
    LoadHotkeys(raw, Path(), table, rows);
    ASSERT_EQ(table.HotkeyCount, 3);
    EXPECT_EQ(table[1].Action, "notepad.exe");
    EXPECT_EQ(table[1].Hint, "my note");
    EXPECT_EQ(table[1].Sort, "Work");
    EXPECT_EQ(table[2].Action, " spaced ");
    EXPECT_EQ(table[2].Hint, "");
    EXPECT_EQ(table[2].Sort, "Other"); // a line without '=' is no value
    EXPECT_EQ(table[3].Hint, "\"half");
    for (int slot = 1; slot <= 3; ++slot) {
        SCOPED_TRACE(table.SectionOf(slot));
        EXPECT_EQ(table[slot].Action, ReadValue(raw, Path(), table.SectionOf(slot), "Action", ""));
        EXPECT_EQ(table[slot].Hint, ReadValue(raw, Path(), table.SectionOf(slot), "Hint", ""));
        EXPECT_EQ(table[slot].Sort, ReadValue(raw, Path(), table.SectionOf(slot), "Sort", DefaultSort));
    }
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
        rows.rows.clear();
        Load("[2+65]\nAction=" + std::string(100000, 'v') + "\n[" + std::string(100000, '1') + "+66]\nAction=b\n");
        EXPECT_EQ(table.HotkeyCount, 1); // the cut name is not a binding
        EXPECT_EQ(table[1].Action.size(), 2047u);
    }
    {
        SCOPED_TRACE("zero bytes end names and values");
        rows.rows.clear();
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
            rows.rows.clear();
            std::string junk(64 * 1024, '\0');
            for (char& c : junk)
                c = static_cast<char>(random());
            try {
                Load(junk);
                EXPECT_LE(table.HotkeyCount, MaxHotkeys);
                EXPECT_EQ(rows.rows.size(), static_cast<std::size_t>(table.HotkeyCount));
            } catch (const ConversionError&) {
                EXPECT_TRUE(rows.rows.empty());
            }
        }
    }
}

TEST_F(LoadTest, EraseRenumbersSlots)
{
    Load("[1+65]\nAction=a\n[2+66]\nAction=b\n[4+67]\nAction=c\n");
    EraseSection(profile, Path(), table.SectionOf(2));
    rows.rows.clear();
    table.ClearKeys();
    LoadHotkeys(profile, Path(), table, rows);
    ASSERT_EQ(table.HotkeyCount, 2);
    EXPECT_EQ(table[2].Action, "c");
    EXPECT_EQ(table[2].Modifiers, 4);
    EXPECT_EQ(rows.rows[1].slot, 2);
}

TEST_F(LoadTest, HandWrittenNameIsErasedAsItStands)
{
    Load("[02+65]\nAction=a\n");
    EXPECT_EQ(table[1].Modifiers, 2);
    EXPECT_EQ(table.SectionOf(1), "02+65");
    EraseSection(profile, Path(), table.SectionOf(1));
    table.ClearKeys();
    LoadHotkeys(profile, Path(), table, rows);
    EXPECT_EQ(table.HotkeyCount, 0);
}

TEST_F(LoadTest, EraseOfReadOnlyFileFailsWithPath)
{
#ifndef _WIN32
    Load("[1+65]\nAction=a\n");
    std::filesystem::permissions(Path(), std::filesystem::perms::owner_read);
    try {
        EraseSection(profile, Path(), "1+65");
        ADD_FAILURE() << "no error";
    } catch (const WriteError& e) {
        EXPECT_EQ(std::string(e.what()), "Unable to write to " + Path());
    }
    EXPECT_EQ(dir.Read("hotkey.ini"), "[1+65]\nAction=a\n");
#endif
}

} // namespace
} // namespace quickdex
