#include "platform/portable/IniFile.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace quickdex {
namespace {

class IniFileTest : public ::testing::Test {
protected:
    std::string Get(const char* section, const char* key, const char* def = "", std::uint32_t size = 2048)
    {
        std::vector<char> buf(size + 1, '#');
        const auto n = ini.GetString(section, key, def, buf.data(), size, path.c_str());
        EXPECT_EQ(n, std::strlen(buf.data()));
        return std::string(buf.data(), n);
    }
    // A name list as "a|b|c".
    std::string List(const char* section, std::uint32_t size = 16384, std::uint32_t* ret = nullptr)
    {
        std::vector<char> buf(size, '#');
        const auto n = ini.GetString(section, nullptr, "", buf.data(), size, path.c_str());
        if (ret)
            *ret = n;
        std::string out;
        for (std::uint32_t i = 0; i < n; ++i)
            out += buf[i] ? buf[i] : '|';
        return out;
    }
    bool Write(const char* section, const char* key, const char* value)
    {
        return ini.WriteString(section, key, value, path.c_str());
    }
    std::string Content() { return dir.Read("t.ini"); }

    test::TempDir dir;
    std::string path = dir.File("t.ini");
    PortableProfile ini;
};

TEST_F(IniFileTest, ReadsWithWindowsTrimmingQuotesAndCase)
{
    dir.Write("t.ini", "junk before any section\r\n"
                       "  [Main]  trailing text\r\n"
                       "  Name   =   spaced value   \r\n"
                       "quoted=\"in quotes\"\r\n"
                       "single='x'\r\n"
                       "half=\"open\r\n"
                       "lone=\"\r\n"
                       "; comment=not a key\r\n"
                       "noequals\r\n"
                       "dup=first\r\n"
                       "DUP=second\r\n"
                       "[main]\r\n"
                       "other=in the second main\r\n");
    EXPECT_EQ(Get("Main", "Name"), "spaced value");
    EXPECT_EQ(Get(" MAIN ", " name "), "spaced value");
    EXPECT_EQ(Get("Main", "quoted"), "in quotes");
    EXPECT_EQ(Get("Main", "single"), "x");
    EXPECT_EQ(Get("Main", "half"), "\"open");
    EXPECT_EQ(Get("Main", "lone"), "\"");
    EXPECT_EQ(Get("Main", "dup"), "first");
    EXPECT_EQ(Get("Main", "other", "dflt"), "dflt"); // only the first [main] is searched
    EXPECT_EQ(Get("Main", "noequals", "d"), "d");
    EXPECT_EQ(Get("Main", "missing", "def   "), "def"); // trailing blanks of a default go
    EXPECT_EQ(Get("Main", "missing", "\"q\""), "q");
    EXPECT_EQ(Get("Nope", "x", "d"), "d");
    EXPECT_EQ(Get("Main", "", "d"), "d"); // no key without a name here
    EXPECT_EQ(List(nullptr), "Main|main|");
    EXPECT_EQ(List("Main"), "Name|quoted|single|half|lone|dup|DUP|");
    EXPECT_EQ(List("Nope"), "");
}

TEST_F(IniFileTest, ShortBuffersTruncateLikeWindows)
{
    dir.Write("t.ini", "[abc]\nkey=0123456789\nk2=v\n[defgh]\nq=\"quoted\"\n");
    EXPECT_EQ(Get("abc", "key", "", 5), "0123");
    EXPECT_EQ(Get("abc", "key", "", 11), "0123456789");
    EXPECT_EQ(Get("defgh", "q", "", 7), "quote");  // cut inside: the quote goes with the cut
    EXPECT_EQ(Get("defgh", "q", "", 8), "quoted");
    std::uint32_t ret = 0;
    EXPECT_EQ(List(nullptr, 6, &ret), "abc|"); // "defgh" does not fit
    EXPECT_EQ(ret, 4u);
    EXPECT_EQ(List(nullptr, 9, &ret), "abc|def");
    EXPECT_EQ(ret, 7u);
    EXPECT_EQ(List("abc", 6, &ret), "key|");
    EXPECT_EQ(ret, 4u);
    // One- and two-byte buffers: only the terminator, never a byte before
    // the buffer (the allocation is exact, so the sanitizer build sees it).
    for (std::uint32_t size : {1u, 2u}) {
        EXPECT_EQ(List("abc", size, &ret), "");
        EXPECT_EQ(ret, 0u);
        EXPECT_EQ(List(nullptr, size, &ret), "");
        EXPECT_EQ(ret, 0u);
    }
}

TEST_F(IniFileTest, WritesAppendReplaceAndKeepOtherLines)
{
    const std::string original = "; my bindings\n"
                                 "[A]\n"
                                 "x = 1\n"
                                 "\n"
                                 "; about B\n"
                                 "[B]\n"
                                 "y=2\n";
    dir.Write("t.ini", original);
    ASSERT_TRUE(Write("a", "X", "one"));   // replace in place, the name as written stays
    EXPECT_EQ(Content(), "; my bindings\n[A]\nx = one\n\n; about B\n[B]\ny=2\n");
    ASSERT_TRUE(Write("A", "z", "3"));     // new key after the section's last line
    EXPECT_EQ(Content(), "; my bindings\n[A]\nx = one\nz=3\n\n; about B\n[B]\ny=2\n");
    ASSERT_TRUE(Write("C", "w", "  4"));   // new section at the end, leading blanks dropped
    EXPECT_EQ(Content(), "; my bindings\n[A]\nx = one\nz=3\n\n; about B\n[B]\ny=2\n[C]\nw=4\n");
    ASSERT_TRUE(Write("A", "x", nullptr)); // delete a key
    ASSERT_TRUE(Write("b", nullptr, nullptr)); // erase a section
    EXPECT_EQ(Content(), "; my bindings\n[A]\nz=3\n\n; about B\n[C]\nw=4\n");
    EXPECT_EQ(List(nullptr), "A|C|");
}

TEST_F(IniFileTest, WritesKeepLineEndingsAndFinishLastLine)
{
    dir.Write("t.ini", "[A]\r\nx=1");
    ASSERT_TRUE(Write("A", "x", "2"));
    EXPECT_EQ(Content(), "[A]\r\nx=2");
    ASSERT_TRUE(Write("A", "y", "3"));
    EXPECT_EQ(Content(), "[A]\r\nx=2\r\ny=3\r\n");
    dir.Write("t.ini", "[A]\r\nflag  \r\n");
    ASSERT_TRUE(Write("A", "FLAG", "on"));
    EXPECT_EQ(Content(), "[A]\r\nflag=on\r\n");
}

TEST_F(IniFileTest, MissingFileAndFolder)
{
    EXPECT_EQ(Get("A", "x", "d"), "d");
    EXPECT_EQ(List(nullptr), "");
    EXPECT_TRUE(Write("A", nullptr, nullptr)); // nothing to erase: no file made
    EXPECT_FALSE(dir.Exists("t.ini"));
    ASSERT_TRUE(Write("A", "x", "1"));
    EXPECT_EQ(Content(), "[A]\r\nx=1\r\n");
    const std::string inMissing = dir.File("no/such/folder.ini");
    EXPECT_FALSE(ini.WriteString("A", "x", "1", inMissing.c_str()));
    EXPECT_FALSE(ini.WriteString(nullptr, nullptr, nullptr, path.c_str()));
}

TEST_F(IniFileTest, ReadOnlyFileIsNeverChangedAndNoTempFilesStay)
{
    dir.Write("t.ini", "[A]\nx=1\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
    EXPECT_FALSE(Write("A", "x", "2"));
    EXPECT_FALSE(Write("A", nullptr, nullptr));
    EXPECT_FALSE(Write("A", "x", "1"));
    EXPECT_EQ(Content(), "[A]\nx=1\n");
    std::filesystem::permissions(path, std::filesystem::perms::owner_all);
    EXPECT_TRUE(Write("A", "x", "2"));
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir.Path()))
        ++files;
    EXPECT_EQ(files, 1);
}

TEST_F(IniFileTest, UnchangedValueDoesNotRewrite)
{
    dir.Write("t.ini", "[A]\nx=1\n");
    const auto before = std::filesystem::last_write_time(path);
    EXPECT_TRUE(Write("A", "x", "1"));
    EXPECT_EQ(std::filesystem::last_write_time(path), before);
}

TEST_F(IniFileTest, NulBytesAndBomDoNotConfuseTheParser)
{
    static const char text[] = "\xEF\xBB\xBF[A]\nx=ab\0cd\n[B\0C]\ny=1\n";
    dir.Write("t.ini", std::string(text, sizeof text - 1));
    EXPECT_EQ(Get("A", "x"), "ab");
    EXPECT_EQ(List(nullptr), "A|B|");
}

} // namespace
} // namespace quickdex
