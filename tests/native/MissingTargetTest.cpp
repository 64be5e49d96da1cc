// Which targets a press is sure to open nothing for, and that finding it out
// never asks anything of a server or a removable drive.
#include "engine/HotkeyStates.h"
#include "platform/portable/ProgramResolution.h"
#include "support/Fakes.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace quickdex {
namespace {

// A computer with C: a local disk, N: a server's share and E: a CD drive.
class FakePlaces : public ITargetPlaces {
public:
    bool OnLocalDisk(const std::string& path) override
    {
        return path.size() >= 2 && (path[0] == 'C' || path[0] == 'c') && path[1] == ':';
    }
    bool Exists(const std::string& path) override
    {
        if (!OnLocalDisk(path))
            remoteAsked.push_back(path);
        return files.count(path) > 0;
    }
    std::optional<std::string> AppPath(const std::string& name) override
    {
        const auto it = appPaths.find(name);
        return it == appPaths.end() ? std::nullopt : std::optional<std::string>(it->second);
    }
    std::vector<std::string> SearchFolders() override { return folders; }

    std::set<std::string> files;
    std::map<std::string, std::string> appPaths;
    std::vector<std::string> folders = {"C:\\quickdex", "C:\\Windows\\system32", "C:\\Windows"};
    std::vector<std::string> remoteAsked; // must stay empty
};

TEST(MissingTarget, FullPathsOnALocalDiskAsTheShellTriesThem)
{
    FakePlaces places;
    places.files = {"C:\\Tools\\pf.exe", "C:\\Docs\\report.doc", "C:\\Docs", "C:\\Tools\\run.cmd"};
    EXPECT_FALSE(TargetKnownMissing("C:\\Tools\\pf.exe", places));
    EXPECT_FALSE(TargetKnownMissing("C:\\Docs\\report.doc", places)) << "a document";
    EXPECT_FALSE(TargetKnownMissing("C:\\Docs", places)) << "a folder";
    EXPECT_FALSE(TargetKnownMissing("C:\\Tools\\pf", places)) << "the shell adds .exe";
    EXPECT_FALSE(TargetKnownMissing("C:\\Tools\\run", places)) << "the shell adds .cmd, last";
    EXPECT_TRUE(TargetKnownMissing("C:\\Tools\\gone.exe", places));
    EXPECT_TRUE(TargetKnownMissing("c:/tools/gone", places));
    EXPECT_TRUE(TargetKnownMissing("C:\\Docs\\report.docx", places)) << "an extension is not replaced";
    // The target text is handed to the shell whole: arguments in it open nothing.
    EXPECT_TRUE(TargetKnownMissing("C:\\Tools\\pf.exe C:\\notes\\today.txt", places));
}

TEST(MissingTarget, BareNamesThroughAppPathsAndEveryFolderTheShellSearches)
{
    FakePlaces places;
    places.files = {"C:\\Windows\\system32\\notepad.exe", "C:\\Windows\\regedit.exe", "C:\\Program Files\\x\\x.exe",
                    "C:\\quickdex\\readme.txt"};
    places.appPaths["xtool.exe"] = "C:\\Program Files\\x\\x.exe";
    places.appPaths["wordpad.exe"] = "C:\\Program Files\\Windows NT\\Accessories\\wordpad.exe"; // removed since
    EXPECT_FALSE(TargetKnownMissing("notepad.exe", places));
    EXPECT_FALSE(TargetKnownMissing("notepad", places));
    EXPECT_FALSE(TargetKnownMissing("regedit", places)) << "the last folder searched";
    EXPECT_FALSE(TargetKnownMissing("xtool", places)) << "App Paths names it with .exe";
    EXPECT_FALSE(TargetKnownMissing("readme.txt", places)) << "a document in the current folder";
    EXPECT_TRUE(TargetKnownMissing("wordpad.exe", places)) << "its App Paths key names a file that is gone";
    EXPECT_TRUE(TargetKnownMissing("sndvol32.exe", places));
}

TEST(MissingTarget, WhatWouldWaitOnAServerOrADriveIsNeverAskedAndNeverMarked)
{
    FakePlaces places;
    EXPECT_FALSE(TargetKnownMissing("\\\\server\\share\\tool.exe", places));
    EXPECT_FALSE(TargetKnownMissing("//server/share/tool.exe", places));
    EXPECT_FALSE(TargetKnownMissing("N:\\Tools\\tool.exe", places)) << "a mapped drive";
    EXPECT_FALSE(TargetKnownMissing("E:\\setup.exe", places)) << "a CD";
    places.appPaths["far.exe"] = "N:\\far\\far.exe";
    EXPECT_FALSE(TargetKnownMissing("far.exe", places)) << "App Paths naming a server's file";
    // A bare name found in no local folder, with a server's folder on PATH.
    places.folders.push_back("N:\\bin");
    places.folders.push_back("\\\\server\\bin");
    EXPECT_FALSE(TargetKnownMissing("nowhere.exe", places));
    EXPECT_TRUE(places.remoteAsked.empty()) << places.remoteAsked.front();
}

TEST(MissingTarget, WhatIsNoFileIsNeverMissing)
{
    FakePlaces places;
    for (const char* target : {"", "http://example.com/", "mailto:someone@example.com", "shell:startup",
                               "ms-settings:display", "\"C:\\Program Files\\gone.exe\"", "%WINDIR%\\gone.exe",
                               "Tools\\gone.exe", "C:gone.exe"})
        EXPECT_FALSE(TargetKnownMissing(target, places)) << target;
}

// The row's tip says it before how the target starts and its note.
TEST(MissingTarget, TheRowsTipSaysSo)
{
    test::EngineOnFakes fakes;
    fakes.dir.Write("hotkey.ini", "[3+65]\r\nAction=wordpad.exe\r\nHint=letters\r\n");
    fakes.engine.ReloadAndRegister();
    const RowOfSlot row = [](int slot) { return slot - 1; };
    EXPECT_EQ(InfoTip(fakes.engine, 1, row, true),
              "wordpad.exe cannot be found on this computer: a press opens nothing.\r\nletters");
    EXPECT_EQ(InfoTip(fakes.engine, 1, row, false), "letters");
}

} // namespace
} // namespace quickdex
