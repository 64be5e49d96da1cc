// Bindings with IfRunning on the real system: real hotkeys and key presses,
// real programs started, found and brought to the front. The probe program
// records its process and every activation beside itself; the foreground is
// read from the system.
#include "ProbeEngine.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

namespace quickdex {
namespace {

using namespace quickdex::test;

class IfRunningTest : public ProbeEngineTest {};

TEST_F(IfRunningTest, FrontStartsOnceThenBringsTheWindowBackAndRestoresIt)
{
    const std::string probe = Probe("a");
    Bind(Section("6+70", probe, "front"));

    for (int press = 1; press <= 3; ++press) {
        SCOPED_TRACE(press);
        if (press > 1)
            TakeForeground();
        PressCombination(MOD_CONTROL | MOD_SHIFT, 'F');
        EXPECT_TRUE(InFront(probe)) << "the probe's window is not in front";
    }
    Idle(1000);
    EXPECT_EQ(Starts(probe).size(), 1u) << "a running program was started again";

    HWND w = ProbeWindow(probe);
    ShowWindow(w, SW_MINIMIZE);
    ASSERT_TRUE(Wait([&] { return IsIconic(w) != FALSE; }));
    PressCombination(MOD_CONTROL | MOD_SHIFT, 'F');
    EXPECT_TRUE(InFront(probe)) << "a minimised window was not restored to the front";
    EXPECT_EQ(Starts(probe).size(), 1u);
}

TEST_F(IfRunningTest, ToggleMinimisesWhatIsInFrontAndRestoresIt)
{
    const std::string probe = Probe("a");
    Bind(Section("6+71", probe, "Toggle"));

    PressCombination(MOD_CONTROL | MOD_SHIFT, 'G');
    ASSERT_TRUE(InFront(probe)) << "not started in front";
    HWND w = ProbeWindow(probe);
    PressCombination(MOD_CONTROL | MOD_SHIFT, 'G');
    EXPECT_TRUE(Wait([&] { return IsIconic(w) != FALSE; })) << "the window in front was not minimised";
    PressCombination(MOD_CONTROL | MOD_SHIFT, 'G');
    EXPECT_TRUE(InFront(probe)) << "the minimised window was not restored to the front";
    EXPECT_EQ(ProbeWindow(probe), w);
    EXPECT_EQ(Starts(probe).size(), 1u);
}

// Without the key a press starts the target again, as always; and the
// started program takes the foreground.
TEST_F(IfRunningTest, WithoutTheKeyEveryPressStartsOneMore)
{
    const std::string probe = Probe("a");
    Bind(Section("6+72", probe, "") + Section("6+73", probe, "sometimes"));

    for (std::size_t press = 1; press <= 3; ++press) {
        PressCombination(MOD_CONTROL | MOD_SHIFT, press == 3 ? 'I' : 'H'); // an unknown value counts as none
        ASSERT_TRUE(Wait([&] { return Starts(probe).size() >= press; })) << "press " << press;
        EXPECT_TRUE(InFront(probe)) << "the program started by press " << press << " is not in front";
    }
    Idle(1000);
    EXPECT_EQ(Starts(probe).size(), 3u);
}

// Two programs of the same file name in different folders: each binding
// finds its own, by the full path of the process's image.
TEST_F(IfRunningTest, SameFileNameInTwoFoldersEachBindingFindsItsOwn)
{
    const std::string a = Probe("a");
    const std::string b = Probe("b");
    Bind(Section("6+74", a, "front") + Section("6+75", b, "front"));

    PressCombination(MOD_CONTROL | MOD_SHIFT, 'J');
    ASSERT_TRUE(InFront(a));
    PressCombination(MOD_CONTROL | MOD_SHIFT, 'K');
    ASSERT_TRUE(InFront(b)) << "b was taken for a, which runs";
    PressCombination(MOD_CONTROL | MOD_SHIFT, 'J');
    EXPECT_TRUE(InFront(a));
    PressCombination(MOD_CONTROL | MOD_SHIFT, 'K');
    EXPECT_TRUE(InFront(b));
    EXPECT_EQ(Starts(a).size(), 1u);
    EXPECT_EQ(Starts(b).size(), 1u);
}

// A document is opened as always, even when the program that opens it runs
// and the binding asks for the front: every press opens it again.
TEST_F(IfRunningTest, DocumentTargetIgnoresTheKey)
{
    const std::string probe = Probe("a");
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, ".qdxprobe", 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>("quickdexProbeDocument"), 22);
    RegCloseKey(key);
    const std::string command = "\"" + probe + "\" \"%1\"";
    ASSERT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, "quickdexProbeDocument\\shell\\open\\command", 0, nullptr, 0,
                              KEY_WRITE, nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                   static_cast<DWORD>(command.size() + 1));
    RegCloseKey(key);

    const std::string document = dir.File("notes.qdxprobe");
    dir.Write("notes.qdxprobe", "text");
    Bind(Section("6+76", document, "front"));
    PressCombination(MOD_CONTROL | MOD_SHIFT, 'L');
    const bool first = Wait([&] { return Starts(probe).size() == 1 && ProbeWindow(probe); });
    PressCombination(MOD_CONTROL | MOD_SHIFT, 'L');
    const bool second = Wait([&] { return Starts(probe).size() == 2; });
    RegDeleteTreeA(HKEY_CLASSES_ROOT, "quickdexProbeDocument");
    RegDeleteTreeA(HKEY_CLASSES_ROOT, ".qdxprobe");
    EXPECT_TRUE(first) << "the document was not opened";
    EXPECT_TRUE(second) << "the document was not opened again while its program runs";
}

} // namespace
} // namespace quickdex
