// Our INI engine against the system's private-profile calls, on the same
// tricky files: the same return values and buffers for every read, and the
// same view of the file after every write.
//
// Intended differences, not compared here:
// - The system rewrites the whole file on a write (every line ends in CRLF,
//   blank lines go, a blank line is put before each section, comments lose
//   their indentation). Windows itself keeps the lines a write does not
//   concern, and so does our engine; the native tests check its bytes. Here
//   a write is compared by what both files then read as.
// - Erasing a section: ours keeps comments and blank lines after the
//   section's last key (they usually introduce what follows); the system
//   drops them with the section. Comments are invisible to reads.
#include "platform/portable/IniFile.h"
#include "platform/win32/Win32Platform.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <algorithm>

#include <cstring>
#include <set>
#include <vector>

namespace quickdex {
namespace {

struct Corpus {
    const char* name;
    std::string text;
    bool compareWrites = true;
};

std::vector<Corpus> TrickyFiles()
{
    std::string manySections, manyKeys;
    for (int i = 0; i < 900; ++i)
        manySections += "[section number " + std::to_string(i) + "]\r\nk=v\r\n";
    manyKeys = "[big]\r\n";
    for (int i = 0; i < 900; ++i)
        manyKeys += "a rather long key name " + std::to_string(i) + "=" + std::to_string(i) + "\r\n";
    return {
        {"crlf", "[2+65]\r\nAction=C:\\Windows\\notepad.exe\r\nHint=Editor\r\nSort=Other\r\n[0+112]\r\nAction=calc.exe\r\n"},
        {"lf", "[2+65]\nAction=notepad.exe\nHint=Editor\n[0+112]\nAction=calc.exe\n"},
        {"cr_only", "[2+65]\rAction=notepad.exe\rHint=Editor\r[0+112]\rAction=calc.exe\r"},
        {"blank_and_comments", "\r\n; leading comment\r\n\r\n[A]\r\n; inside=comment\r\n\r\nx=1\r\n   \r\n\t\r\n"
                               "# hash=not a comment\r\n[B]\r\n\r\n;last\r\ny=2\r\n\r\n"},
        {"duplicates", "[A]\r\nx=1\r\nX=2\r\n[B]\r\ny=1\r\n[a]\r\nx=3\r\nz=4\r\n[A]\r\nw=5\r\n"},
        {"blanks_around", "  [ spaced ]  \r\n  key one   =   value one   \r\n\tTab\t=\tv\t\r\n[plain]\r\n k = v \r\n"},
        {"quotes", "[Q]\r\nd=\"double\"\r\ns='single'\r\nmixed=\"mixed'\r\nempty=\"\"\r\nlone=\"\r\n"
                   "inner=\"a\"b\"\r\nspaced= \"x\" \r\nunclosed='abc\r\nquoteonly='\r\n"},
        {"after_bracket", "[A] trailing text\r\nx=1\r\n[B]]\r\ny=2\r\n[C]x]\r\nz=3\r\n[no close\r\nw=4\r\n"},
        // The system loses the "[]" line when it rewrites the file (its keys
        // join the section before); compared on reads only.
        {"empty_section_name", "[A]\r\nx=1\r\n[]\r\nv=5\r\n[B]\r\ny=2\r\n", false},
        {"before_first_section", "orphan=1\r\nalone\r\n[A]\r\nx=1\r\n"},
        {"no_trailing_newline", "[A]\r\nx=1\r\n[B]\r\ny=last"},
        {"long_values", "[L]\r\nlong=" + std::string(3000, 'x') + "\r\nexact=" + std::string(2047, 'y') +
                            "\r\nover=" + std::string(2048, 'z') + "\r\nq=\"" + std::string(2050, 'q') + "\"\r\n"},
        {"many_sections", manySections},
        {"many_keys", manyKeys},
        {"empty", ""},
        {"only_blanks", "\r\n\r\n  \r\n"},
        {"no_equals", "[A]\r\nflag\r\nother flag  \r\nx=1\r\n=novalue\r\n"},
        {"case", "[MixedCase]\r\nKeyName=1\r\n[UPPER]\r\nKEY=2\r\n"},
        {"hotkey_like", "[02+65]\r\nAction=a\r\n[2+65]\r\nAction=b\r\n[65]\r\n[2+6+5]\r\nAction=c\r\n"},
        {"ctrl_z", "[A]\r\nx=1\x1A\r\n\x1A[B]\r\ny=2\r\n"},
    };
}

// Everything a read can show of a file, through one profile implementation.
class Prober {
public:
    Prober(IProfile& profile, std::string path) : profile_(profile), path_(std::move(path)) {}

    // Returns "ret:<n> buf:<the bytes up to and with the zero at ret>". The
    // bytes after it are not part of the answer: the system's ANSI calls
    // leave them as they were, ours may have written a second zero there.
    std::string Read(const char* section, const char* key, const char* def, std::uint32_t size)
    {
        std::vector<char> buf(size + 16, '\x7F');
        const std::uint32_t n = profile_.GetString(section, key, def, buf.data() + 8, size, path_.c_str());
        const std::size_t shown = std::min<std::size_t>(static_cast<std::size_t>(n) + 1, size);
        return "ret:" + std::to_string(n) + " buf:" + std::string(buf.data() + 8, shown);
    }

    // A whole section, its entries joined by '|'.
    std::string Section(const char* section, std::uint32_t size)
    {
        std::vector<char> buf(size + 16, '\x7F');
        const std::uint32_t n = profile_.GetSection(section, buf.data() + 8, size, path_.c_str());
        std::string shown(buf.data() + 8, std::min<std::size_t>(static_cast<std::size_t>(n) + 1, size));
        std::replace(shown.begin(), shown.end(), '\0', '|');
        return "ret:" + std::to_string(n) + " buf:" + shown;
    }

    std::vector<std::string> Names(const char* section)
    {
        std::vector<char> buf(65536, 0);
        const std::uint32_t n = profile_.GetString(section, nullptr, "", buf.data(), 65536, path_.c_str());
        std::vector<std::string> out;
        for (const char* p = buf.data(); p < buf.data() + n; p += std::strlen(p) + 1)
            out.emplace_back(p);
        return out;
    }

    // The whole file as reads see it. Long lists are compared by their
    // length and first 40 names, which keeps the test quick under Wine.
    std::string View()
    {
        const std::vector<std::string> sections = Names(nullptr);
        std::string view = std::to_string(sections.size()) + " sections\n";
        for (std::size_t s = 0; s < std::min<std::size_t>(sections.size(), 40); ++s) {
            const std::vector<std::string> keys = Names(sections[s].c_str());
            view += "[" + sections[s] + "] " + std::to_string(keys.size()) + " keys\n";
            for (std::size_t k = 0; k < std::min<std::size_t>(keys.size(), 40); ++k)
                view += keys[k] + "=" + Read(sections[s].c_str(), keys[k].c_str(), "", 4096) + "\n";
        }
        return view;
    }

private:
    IProfile& profile_;
    std::string path_;
};

class IniDifferentialTest : public ::testing::Test {
protected:
    // Wine keeps a parsed file for a moment after using it; this call drops it.
    void DropSystemCache(const std::string& path) { WritePrivateProfileStringA(nullptr, nullptr, nullptr, path.c_str()); }

    test::TempDir dir;
    win32::Profile system;
    PortableProfile ours;
};

TEST_F(IniDifferentialTest, ReadsMatchTheSystem)
{
    int index = 0;
    for (const Corpus& file : TrickyFiles()) {
        SCOPED_TRACE(file.name);
        const std::string path = dir.File("read" + std::to_string(index++) + ".ini");
        dir.Write(path.substr(dir.Dir().size()), file.text);
        DropSystemCache(path);
        Prober sys(system, path), own(ours, path);

        for (std::uint32_t size : {16384u, 2u, 3u, 5u, 8u, 13u, 100u})
            EXPECT_EQ(own.Read(nullptr, nullptr, "", size), sys.Read(nullptr, nullptr, "", size)) << "sections, size " << size;

        std::vector<std::string> sections = sys.Names(nullptr);
        if (sections.size() > 20)
            sections.resize(20);
        for (const char* probe : {"missing", "a", " A ", "MIXEDCASE", " spaced ", "spaced", ""})
            sections.emplace_back(probe);
        for (const std::string& section : sections) {
            SCOPED_TRACE("section [" + section + "]");
            for (std::uint32_t size : {16384u, 2u, 3u, 5u, 9u})
                EXPECT_EQ(own.Read(section.c_str(), nullptr, "dflt", size), sys.Read(section.c_str(), nullptr, "dflt", size))
                    << "keys, size " << size;
            EXPECT_EQ(own.Section(section.c_str(), 32767), sys.Section(section.c_str(), 32767)) << "whole section";

            std::vector<std::string> keys = sys.Names(section.c_str());
            if (keys.size() > 10)
                keys.resize(10);
            for (const char* probe : {"x", " x ", "X", "missing", "; inside", "flag", "alone", "#"})
                keys.emplace_back(probe);
            for (const std::string& key : keys) {
                SCOPED_TRACE("key '" + key + "'");
                for (std::uint32_t size : {2048u, 2u, 4u, 6u, 7u})
                    EXPECT_EQ(own.Read(section.c_str(), key.c_str(), "def  ", size),
                              sys.Read(section.c_str(), key.c_str(), "def  ", size))
                        << "value, size " << size;
                EXPECT_EQ(own.Read(section.c_str(), key.c_str(), "\"quoted default\"", 64),
                          sys.Read(section.c_str(), key.c_str(), "\"quoted default\"", 64));
            }
        }
    }
}

TEST_F(IniDifferentialTest, WritesLeaveTheSameView)
{
    struct Op {
        const char* section;
        const char* key;
        const char* value;
    };
    const Op ops[] = {
        {"A", "x", "changed"},       {"A", "x", "changed"},  {"a", "X", "case"},      {"A", "new key", "n"},
        {"2+65", "Action", "z"},     {"New", "k", "v"},      {"New", "k2", "  lead"}, {"new", "k", nullptr},
        {"New", "absent", nullptr},  {"B", nullptr, nullptr}, {"gone", nullptr, nullptr},
        {" A ", " x ", "trimmed"},   {"Q", "d", "\"requoted\""}, {"L", "long", "short now"},
        {"A", "flag", "now set"},    {"0+112", nullptr, nullptr}, {"section number 5", nullptr, nullptr},
        {"big", "a rather long key name 3", nullptr},
    };
    int index = 0;
    for (const Corpus& file : TrickyFiles()) {
        if (!file.compareWrites)
            continue;
        SCOPED_TRACE(file.name);
        const std::string sysPath = dir.File("sys" + std::to_string(index) + ".ini");
        const std::string ownPath = dir.File("own" + std::to_string(index) + ".ini");
        ++index;
        dir.Write(sysPath.substr(dir.Dir().size()), file.text);
        dir.Write(ownPath.substr(dir.Dir().size()), file.text);
        Prober sys(system, sysPath), own(ours, ownPath);
        for (const Op& op : ops) {
            SCOPED_TRACE(std::string(op.section) + "/" + (op.key ? op.key : "(null)") + "=" + (op.value ? op.value : "(null)"));
            const bool sysOk = system.WriteString(op.section, op.key, op.value, sysPath.c_str());
            DropSystemCache(sysPath);
            const bool ownOk = ours.WriteString(op.section, op.key, op.value, ownPath.c_str());
            EXPECT_EQ(ownOk, sysOk);
            // Both files read through the system's calls, so only the files differ.
            Prober ownBySystem(system, ownPath);
            const std::string want = sys.View();
            EXPECT_EQ(ownBySystem.View(), want);
            DropSystemCache(ownPath);
            EXPECT_EQ(own.View(), want);
        }
    }
}

// Windows refuses to write a read-only file. Wine run as root would write it
// anyway (and has been seen to leave it empty), so the platform layer checks
// the attribute itself; both engines must refuse and keep every byte.
TEST_F(IniDifferentialTest, ReadOnlyAndMissingFolderRefuseWrites)
{
    const std::string sysPath = dir.File("ro_sys.ini");
    const std::string ownPath = dir.File("ro_own.ini");
    for (const std::string& path : {sysPath, ownPath}) {
        dir.Write(path.substr(dir.Dir().size()), "[A]\r\nx=1\r\n");
        ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    }
    for (const char* value : {"2", "1"}) {
        EXPECT_FALSE(ours.WriteString("A", "x", value, ownPath.c_str()));
        EXPECT_FALSE(system.WriteString("A", "x", value, sysPath.c_str()));
    }
    EXPECT_FALSE(ours.WriteString("A", nullptr, nullptr, ownPath.c_str()));
    EXPECT_FALSE(system.WriteString("A", nullptr, nullptr, sysPath.c_str()));
    DropSystemCache(sysPath);
    EXPECT_EQ(dir.Read("ro_own.ini"), "[A]\r\nx=1\r\n");
    EXPECT_EQ(dir.Read("ro_sys.ini"), "[A]\r\nx=1\r\n");

    const std::string nowhere = dir.File("missing\\folder.ini");
    EXPECT_FALSE(ours.WriteString("A", "x", "1", nowhere.c_str()));
    EXPECT_FALSE(system.WriteString("A", "x", "1", nowhere.c_str()));
    for (const std::string& path : {sysPath, ownPath})
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

} // namespace
} // namespace quickdex
