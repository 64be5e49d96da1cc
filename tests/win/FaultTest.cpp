// hotkey.ini and Set.ini written through the system's calls when the file
// system refuses: on folders scripts/faults.sh prepares (a full tmpfs and a
// read-only mount, seen by Wine as Z:\...). Skipped when not given.
#include "platform/win32/Files.h"
#include "platform/win32/Win32Platform.h"
#include "support/FaultChecks.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace quickdex {
namespace {

void CheckPreparedFolder(const char* variable, bool onlyGrowing = false)
{
    const char* dir = std::getenv(variable);
    if (!dir)
        GTEST_SKIP() << variable << " not set (scripts/faults.sh sets it)";
    win32::Files files;
    std::string problems;
    for (const auto& line : test::CheckRefusedWrites(files, std::string(dir) + "\\", onlyGrowing))
        problems += line + "\n";
    EXPECT_EQ(problems, "");
}

TEST(Win32FaultTest, FullDiskRefusesEveryWrite)
{
    CheckPreparedFolder("QUICKDEX_FULL_DIR");
}

// Room for a copy of the file, not for what the write adds.
TEST(Win32FaultTest, DiskFillingDuringTheWriteRefusesIt)
{
    CheckPreparedFolder("QUICKDEX_NEARLY_FULL_DIR", true);
}

TEST(Win32FaultTest, ReadOnlyFolderRefusesEveryWrite)
{
    CheckPreparedFolder("QUICKDEX_READONLY_DIR");
}

} // namespace
} // namespace quickdex
