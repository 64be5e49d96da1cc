// Every character is kept: the files stay in the system's code page (here
// Latin-1) byte for byte while every text fits it, and become UTF-16 with
// their mark, the old file kept as .bak, the first time one does not.
#include "platform/portable/PortableFiles.h"
#include "platform/portable/Utf.h"
#include "store/BindingEdit.h"
#include "store/Categories.h"
#include "store/Errors.h"
#include "store/HotkeyStore.h"
#include "support/Fakes.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

namespace quickdex {
namespace {

// The same text as the file holds it in UTF-16 with its mark.
std::string Utf16File(const std::string& utf8)
{
    std::string bytes = "\xFF\xFE";
    for (char16_t unit : Utf8ToUtf16(utf8)) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>(unit >> 8);
    }
    return bytes;
}

class EncodingTest : public ::testing::Test {
protected:
    std::vector<test::Row> Reload()
    {
        table = HotkeyTable{};
        test::FakeView view;
        store.Load(table, view);
        return view.rows;
    }
    bool ChangeHint(int slot, const std::string& hint)
    {
        Reload();
        Tquickdex binding = table[slot];
        binding.Hint = hint;
        return store.Write(&table.IdOf(slot), binding);
    }

    test::TempDir dir;
    PortableFiles files;
    HotkeyStore store{files, dir.File("hotkey.ini")};
    Categories categories{files, dir.Dir()};
    HotkeyTable table;
};

const char* const Chinese = "\xE4\xB8\xAD\xE6\x96\x87\xE6\x8F\x90\xE7\xA4\xBA"; // 中文提示
const char* const Target = "C:\\\xE6\xB5\x8B\xE8\xAF\x95\\\xF0\x9F\x98\x80 caf\xC3\xA9.exe"; // C:\测试\😀 café.exe

TEST_F(EncodingTest, CodePageFileStaysByteForByteWhileEveryTextFits)
{
    // "Café" and "Zoë" in the code page; a hand-written line with bytes the
    // program never writes; no mark.
    const std::string original = "; caf\xE9 notes\r\n[1+65]\r\nAction=caf\xE9.exe\r\nHint=\r\nSort=Other\r\n"
                                 "[1+66]\r\nAction=b\r\nHint=\x80\x81\xFF\r\n";
    dir.Write("hotkey.ini", original);
    ASSERT_EQ(Reload().size(), 2u);
    EXPECT_EQ(table[1].Action, "caf\xC3\xA9.exe");
    EXPECT_FALSE(ChangeHint(1, "Zo\xC3\xAB"));
    const std::string zoe = "; caf\xE9 notes\r\n[1+65]\r\nAction=caf\xE9.exe\r\nHint=Zo\xEB\r\nSort=Other\r\n"
                            "[1+66]\r\nAction=b\r\nHint=\x80\x81\xFF\r\n";
    EXPECT_EQ(dir.Read("hotkey.ini"), zoe);
    Tquickdex added;
    added.Modifiers = 1;
    added.Key = 67;
    added.Action = "\xC3\xA9t\xC3\xA9.exe";
    added.Sort = "Other";
    EXPECT_FALSE(store.Write(nullptr, added));
    store.Erase(table.IdOf(2));
    EXPECT_EQ(dir.Read("hotkey.ini"), "; caf\xE9 notes\r\n[1+65]\r\nAction=caf\xE9.exe\r\nHint=Zo\xEB\r\nSort=Other\r\n"
                                      "[1+67]\r\nAction=\xE9t\xE9.exe\r\nHint=\r\nSort=Other\r\n");
    EXPECT_FALSE(dir.Exists("hotkey.ini.bak"));
}

TEST_F(EncodingTest, FirstTextOutsideTheCodePageTurnsTheFileIntoUtf16KeepingTheOld)
{
    const std::string original = "; caf\xE9 notes\r\n[1+65]\r\nAction=caf\xE9.exe\r\nHint=\r\n";
    dir.Write("hotkey.ini", original);
    Reload();
    Tquickdex binding = table[1];
    binding.Action = Target;
    binding.Hint = Chinese;
    EXPECT_TRUE(store.Write(&table.IdOf(1), binding));
    EXPECT_EQ(dir.Read("hotkey.ini.bak"), original);
    const std::string utf8 = std::string("; caf\xC3\xA9 notes\r\n[1+65]\r\nAction=") + Target + "\r\nHint=" + Chinese + "\r\n";
    EXPECT_EQ(dir.Read("hotkey.ini"), Utf16File(utf8));
    ASSERT_EQ(Reload().size(), 1u);
    EXPECT_EQ(table[1].Action, Target);
    EXPECT_EQ(table[1].Hint, Chinese);

    // UTF-16 stays UTF-16, with no second copy and no second notice.
    EXPECT_FALSE(ChangeHint(1, "plain"));
    EXPECT_EQ(dir.Read("hotkey.ini").rfind("\xFF\xFE", 0), 0u);
    EXPECT_EQ(dir.Read("hotkey.ini.bak"), original);
    Reload();
    EXPECT_EQ(table[1].Action, Target);
    EXPECT_EQ(table[1].Hint, "plain");
    // A value that fits 2,047 characters of UTF-16 though it takes more bytes.
    const std::string long16 = [] {
        std::string s;
        for (int i = 0; i < 2047; ++i)
            s += "\xE4\xB8\xAD";
        return s;
    }();
    EXPECT_FALSE(ChangeHint(1, long16));
    Reload();
    EXPECT_EQ(table[1].Hint, long16);
    EXPECT_THROW(ChangeHint(1, long16 + "x"), ValueTooLongError);
}

// A file written by hand in UTF-8 without a mark is read as the system reads
// it (in the code page), and one saved as UTF-16 by Notepad reads whole.
TEST_F(EncodingTest, HandWrittenFilesReadAsTheSystemReadsThem)
{
    dir.Write("hotkey.ini", "[1+65]\r\nAction=caf\xC3\xA9\r\n");
    Reload();
    EXPECT_EQ(table[1].Action, "caf\xC3\x83\xC2\xA9"); // two Latin-1 characters, as the system shows them
    dir.Write("hotkey.ini", Utf16File(std::string("[1+65]\r\nAction=") + Target + "\r\n[1+66]\r\nHint=" + Chinese));
    ASSERT_EQ(Reload().size(), 2u);
    EXPECT_EQ(table[1].Action, Target);
    EXPECT_EQ(table[2].Hint, Chinese);
}

// A refused save during the conversion leaves the file as it was.
TEST_F(EncodingTest, RefusedConversionChangesNothing)
{
    const std::string original = "[1+65]\r\nAction=a\r\n";
    dir.Write("hotkey.ini", original);
    std::filesystem::permissions(dir.File("hotkey.ini"), std::filesystem::perms::owner_read);
    EXPECT_THROW(ChangeHint(1, Chinese), WriteError);
    EXPECT_EQ(dir.Read("hotkey.ini"), original);
    std::filesystem::permissions(dir.File("hotkey.ini"), std::filesystem::perms::owner_all);
}

TEST_F(EncodingTest, CategoriesInAnyScript)
{
    dir.Write("Set.ini", "[Sort]\r\nCaf\xE9=0\r\n");
    EXPECT_FALSE(categories.AddCategory("Zo\xC3\xAB"));
    EXPECT_EQ(dir.Read("Set.ini"), "[Sort]\r\nCaf\xE9=0\r\nZo\xEB=0\r\n");
    EXPECT_TRUE(categories.AddCategory("\xE7\xB1\xBB\xE5\x88\xAB")); // 类别
    EXPECT_EQ(dir.Read("Set.ini.bak"), "[Sort]\r\nCaf\xE9=0\r\nZo\xEB=0\r\n");
    EXPECT_EQ(dir.Read("Set.ini"), Utf16File("[Sort]\r\nCaf\xC3\xA9=0\r\nZo\xC3\xAB=0\r\n\xE7\xB1\xBB\xE5\x88\xAB=0\r\n"));
    EXPECT_EQ(categories.ReadCategories(),
              (std::vector<std::string>{"Caf\xC3\xA9", "Zo\xC3\xAB", "\xE7\xB1\xBB\xE5\x88\xAB"}));
    EXPECT_FALSE(categories.RenameCategory("Caf\xC3\xA9", "\xF0\x9F\x98\x80"));
    EXPECT_EQ(categories.ReadCategories(),
              (std::vector<std::string>{"Zo\xC3\xAB", "\xE7\xB1\xBB\xE5\x88\xAB", "\xF0\x9F\x98\x80"}));
}

TEST(Utf, RoundTripsAndCounts)
{
    for (const std::string& text : {std::string(""), std::string("plain"), std::string(Target), std::string(Chinese)}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(Utf16ToUtf8(Utf8ToUtf16(text)), text);
    }
    EXPECT_EQ(Utf16Length(Target), std::string("C:\\xx\\xx caf\xE9.exe").size()); // the emoji takes two units
    EXPECT_EQ(CutToUtf16Units(Target, 6), "C:\\\xE6\xB5\x8B\xE8\xAF\x95\\");
    EXPECT_EQ(CutToUtf16Units(Target, 7), "C:\\\xE6\xB5\x8B\xE8\xAF\x95\\"); // never half an emoji
    EXPECT_EQ(Utf8ToUtf16("\xC3"), u"\xFFFD");                            // a cut character
    EXPECT_EQ(Utf16ToUtf8(u"\xD800x"), "\xEF\xBF\xBDx");                 // a lone surrogate
}

} // namespace
} // namespace quickdex
