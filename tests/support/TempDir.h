#pragma once
// A fresh folder for one test, removed afterwards; paths in the form the
// program uses (ExeDir ends in a backslash on Windows, a slash elsewhere is
// turned into one by the code that needs it).
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>

namespace quickdex::test {

class TempDir {
public:
    TempDir()
    {
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() / ("quickdex-test-" + std::to_string(rd()) + std::to_string(rd()));
        std::filesystem::create_directories(path_);
    }
    ~TempDir()
    {
        std::error_code ec;
        std::filesystem::permissions(path_, std::filesystem::perms::owner_all, std::filesystem::perm_options::add, ec);
        std::filesystem::remove_all(path_, ec);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    // The folder as ExeDir gives it: with a trailing separator.
    std::string Dir() const
    {
#ifdef _WIN32
        return path_.string() + "\\";
#else
        return path_.string() + "/";
#endif
    }

    void Write(const std::string& name, const std::string& content) const
    {
        std::ofstream(path_ / name, std::ios::binary) << content;
    }
    std::string Read(const std::string& name) const
    {
        std::ifstream in(path_ / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }
    bool Exists(const std::string& name) const { return std::filesystem::exists(path_ / name); }

private:
    std::filesystem::path path_;
};

} // namespace quickdex::test
