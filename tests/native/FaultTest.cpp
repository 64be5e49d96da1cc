// hotkey.ini and Set.ini when the file system refuses a write.
#include "platform/portable/IniFile.h"
#include "platform/portable/PortableFiles.h"
#include "support/FaultChecks.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <string>

#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quickdex {
namespace {

std::string Joined(const std::vector<std::string>& lines)
{
    std::string text;
    for (const auto& line : lines)
        text += line + "\n";
    return text;
}

// A disk that fills during the write, simulated with a file-size limit in a
// child process: the temporary copy cannot grow past the old file's size.
TEST(FaultTest, WritesPastAFileSizeLimitFailAndKeepEveryByte)
{
    test::TempDir dir;
    dir.Write(HotkeyFileName, test::BindingsFile(100));
    dir.Write(CategoryFileName, test::SetFile());
    const auto limit = static_cast<rlim_t>(test::BindingsFile(100).size());

    int pipeEnds[2];
    ASSERT_EQ(pipe(pipeEnds), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        close(pipeEnds[0]);
        std::signal(SIGXFSZ, SIG_IGN); // the write fails with EFBIG instead of killing us
        const rlimit small{limit, limit};
        setrlimit(RLIMIT_FSIZE, &small);
        PortableFiles files;
        const std::string report = Joined(test::CheckRefusedWrites(files, dir.Dir(), true));
        (void)!write(pipeEnds[1], report.data(), report.size());
        _exit(0);
    }
    close(pipeEnds[1]);
    std::string report;
    char chunk[512];
    for (ssize_t n; (n = read(pipeEnds[0], chunk, sizeof chunk)) > 0;)
        report.append(chunk, static_cast<std::size_t>(n));
    close(pipeEnds[0]);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_EQ(report, "");
    EXPECT_EQ(dir.Read(HotkeyFileName), test::BindingsFile(100));
}

// The real faults, on folders scripts/faults.sh prepares: a tmpfs filled to
// the last byte, and a read-only mount. Skipped when not given.
void CheckPreparedFolder(const char* variable, bool onlyGrowing = false)
{
    const char* dir = std::getenv(variable);
    if (!dir)
        GTEST_SKIP() << variable << " not set (scripts/faults.sh sets it)";
    PortableFiles files;
    EXPECT_EQ(Joined(test::CheckRefusedWrites(files, std::string(dir) + "/", onlyGrowing)), "");
}

TEST(FaultTest, FullDiskRefusesEveryWrite)
{
    CheckPreparedFolder("QUICKDEX_FULL_DIR");
}

// Room for a copy of the file, not for what the write adds.
TEST(FaultTest, DiskFillingDuringTheWriteRefusesIt)
{
    CheckPreparedFolder("QUICKDEX_NEARLY_FULL_DIR", true);
}

TEST(FaultTest, ReadOnlyFolderRefusesEveryWrite)
{
    CheckPreparedFolder("QUICKDEX_READONLY_DIR");
}

} // namespace
} // namespace quickdex
