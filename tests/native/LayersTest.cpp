// Every include of the program's own headers points down the layers:
// app/ over ui/ over engine/ over store/ over platform/. A lower folder that
// needs something of a higher one gets an interface from below instead.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace {

namespace fs = std::filesystem;

// The layer of a path relative to the source folder; -1: not a layer.
int LayerOf(const std::string& path)
{
    static const std::vector<std::string> layers = {"platform/", "store/", "engine/", "ui/", "app/"};
    for (std::size_t i = 0; i < layers.size(); ++i)
        if (path.rfind(layers[i], 0) == 0)
            return static_cast<int>(i);
    return -1;
}

TEST(Layers, EveryIncludePointsDown)
{
    const fs::path root = QUICKDEX_SOURCE_DIR;
    const std::regex include(R"re(^\s*#\s*include\s*"([^"]+)")re");
    std::vector<std::string> upward;
    int files = 0;
    for (const char* folder : {"platform", "store", "engine", "ui", "app"}) {
        for (const auto& entry : fs::recursive_directory_iterator(root / folder)) {
            const std::string ext = entry.path().extension().string();
            if (ext != ".h" && ext != ".cpp")
                continue;
            ++files;
            const std::string from = fs::relative(entry.path(), root).generic_string();
            std::ifstream in(entry.path());
            for (std::string line; std::getline(in, line);) {
                std::smatch match;
                if (!std::regex_search(line, match, include))
                    continue;
                const std::string to = match[1].str();
                if (LayerOf(to) > LayerOf(from))
                    upward.push_back(from + " -> " + to);
            }
        }
    }
    EXPECT_GT(files, 50) << "the source tree was not found";
    EXPECT_EQ(upward, std::vector<std::string>{});
}

} // namespace
