// help.chm, as the build puts it beside the exe: a compiled-help file whose
// directory lists every topic of the help project.
#include "WinSupport.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

namespace quickdex {
namespace {

TEST(HelpFile, IsACompiledHelpFileWithEveryTopic)
{
    const std::string chm = test::TestProgramDir() + "help.chm";
    std::ifstream in(chm, std::ios::binary);
    ASSERT_TRUE(in) << "no help.chm beside the exe";
    const std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_GT(bytes.size(), 4096u);
    EXPECT_EQ(bytes.substr(0, 4), "ITSF"); // the compiled-help signature
    for (const char* topic : {"/index.html", "/bindings.html", "/categories.html", "/stopstart.html", "/autorun.html",
                              "/actions.html", "/toc.hhc"}) {
        SCOPED_TRACE(topic);
        EXPECT_NE(bytes.find(topic), std::string::npos);
    }
}

} // namespace
} // namespace quickdex
