#pragma once
// What the fuzz targets share: a private folder for the files they hand to
// the INI engine, and a check that aborts with a message libFuzzer reports.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>

#include <unistd.h>

namespace quickdex::fuzz {

// One folder per fuzzing process, under $TMPDIR (or /tmp), removed at exit.
class ScratchDir {
public:
    ScratchDir()
    {
        path_ = std::filesystem::temp_directory_path() / ("quickdex-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(path_);
    }
    ~ScratchDir()
    {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string File(const char* name) const { return (path_ / name).string(); }
    // The folder with a trailing separator, as the store expects it.
    std::string Dir() const { return path_.string() + "/"; }

    void Write(const char* name, std::string_view content) const
    {
        std::ofstream(path_ / name, std::ios::binary | std::ios::trunc).write(content.data(),
                                                                             static_cast<std::streamsize>(content.size()));
    }

    std::string Read(const char* name) const
    {
        std::ifstream in(path_ / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

private:
    std::filesystem::path path_;
};

inline ScratchDir& Scratch()
{
    static ScratchDir dir;
    return dir;
}

#define FUZZ_CHECK(condition)                                                                        \
    do {                                                                                             \
        if (!(condition)) {                                                                          \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);        \
            std::abort();                                                                            \
        }                                                                                            \
    } while (0)

} // namespace quickdex::fuzz
