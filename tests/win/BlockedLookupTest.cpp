// A press whose target waits on the disk or the network (a server that is
// off line, a mapped drive that is gone) holds nothing else: real hotkeys and
// key presses, the probe program as the targets, the program lookup held by
// the test as such a server would hold it.
#include "ProbeEngine.h"
#include "platform/win32/LaunchQueue.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>

namespace quickdex {
namespace {

using namespace quickdex::test;

// Long enough that nothing the test waits for comes after it by chance.
constexpr DWORD HeldMs = 60000;

class BlockedLookupTest : public ProbeEngineTest {
protected:
    // Every lookup of `target` waits until the test lets it go.
    void HoldLookupsOf(const std::string& target)
    {
        win32::ProgramLookupSeam() = [this, target](const std::string& asked) {
            if (asked != target)
                return;
            ++waiting_;
            reached = true;
            WaitForSingleObject(release_, HeldMs);
            --waiting_;
        };
    }
    bool Held() const { return waiting_ > 0; }
    void Release() { SetEvent(release_); }

    void TearDown() override
    {
        Release();
        PumpUntil([&] { return !Held(); }, HeldMs);
        win32::ProgramLookupSeam() = nullptr;
        CloseHandle(release_);
        ProbeEngineTest::TearDown();
    }

    std::atomic<bool> reached = false;

private:
    HANDLE release_ = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::atomic<int> waiting_ = 0;
};

// The window is asked from another thread, as the tray and other programs
// ask it: whether it answers within two seconds.
class Asker {
public:
    explicit Asker(HWND window)
        : thread_([this, window] {
              DWORD_PTR result = 0;
              answer_ = SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 2000, &result) != 0 ? 1 : 0;
          })
    {
    }
    ~Asker() { thread_.join(); }
    bool Done() const { return answer_ >= 0; }
    bool Answered() const { return answer_ == 1; }

private:
    std::atomic<int> answer_ = -1;
    std::thread thread_;
};

TEST_F(BlockedLookupTest, AnotherPressStartsItsTargetAndTheWindowAnswersWhileALookupWaits)
{
    const std::string slow = Probe("slow"); // IfRunning: its press looks the program up first
    const std::string quick = Probe("quick");
    HoldLookupsOf(slow);
    Bind(Section("6+72", slow, "front") + Section("6+74", quick, ""));

    PressCombination(MOD_CONTROL | MOD_SHIFT, 'H');
    PressCombination(MOD_CONTROL | MOD_SHIFT, 'J');
    Asker asker(window.Handle());
    bool quickStartedWhileHeld = false;
    EXPECT_TRUE(Wait([&] {
        if (Starts(quick).empty() || !asker.Done())
            return false;
        quickStartedWhileHeld = Held();
        return true;
    })) << "the second press did not start its target";
    EXPECT_TRUE(reached) << "the first press never looked its program up";
    EXPECT_TRUE(quickStartedWhileHeld) << "the second press waited for the first one's lookup";
    EXPECT_TRUE(asker.Answered()) << "the window did not answer while a lookup waited";

    // Once the server answers, the first press starts its program too.
    Release();
    EXPECT_TRUE(InFront(slow)) << "the held press did not start its program once let go";
    EXPECT_EQ(Starts(slow).size(), 1u);
    EXPECT_EQ(Starts(quick).size(), 1u);
}

// A running program brought to the front by one binding while another's
// lookup waits; then the one that waited finds its program running too.
TEST_F(BlockedLookupTest, FrontWorksWhileAnotherLookupWaits)
{
    const std::string slow = Probe("slow");
    const std::string running = Probe("running");
    Bind(Section("6+72", slow, "front") + Section("6+75", running, "front"));
    PressCombination(MOD_CONTROL | MOD_SHIFT, 'K');
    ASSERT_TRUE(InFront(running));
    TakeForeground();

    HoldLookupsOf(slow);
    PressCombination(MOD_CONTROL | MOD_SHIFT, 'H');
    ASSERT_TRUE(Wait([&] { return reached.load(); }));
    PressCombination(MOD_CONTROL | MOD_SHIFT, 'K');
    bool broughtWhileHeld = false;
    EXPECT_TRUE(Wait([&] {
        HWND w = ProbeWindow(running);
        if (!w || GetForegroundWindow() != w)
            return false;
        broughtWhileHeld = Held();
        return true;
    })) << "the running program was not brought to the front";
    EXPECT_TRUE(broughtWhileHeld) << "the press waited for another binding's lookup";
    EXPECT_EQ(Starts(running).size(), 1u) << "a running program was started again";
    Release();
    EXPECT_TRUE(InFront(slow));
}

// The end of the program does not wait for a launch that waits on a server:
// the queue goes while its job still waits, and the job ends later by itself.
TEST(LaunchQueueTest, EndsWithoutWaitingForAJobThatWaits)
{
    struct State {
        HANDLE release = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        std::atomic<bool> started = false, finished = false;
        ~State() { CloseHandle(release); }
    };
    auto state = std::make_shared<State>();
    {
        win32::LaunchQueue queue;
        queue.Post([state] {
            state->started = true;
            WaitForSingleObject(state->release, HeldMs);
            state->finished = true;
        });
        ASSERT_TRUE(PumpUntil([&] { return state->started.load(); }, 20000)) << "the job never ran";
    }
    EXPECT_FALSE(state->finished) << "the queue's end waited for the held job";
    SetEvent(state->release);
    EXPECT_TRUE(PumpUntil([&] { return state->finished.load(); }, 20000));
}

// Jobs posted one after another, each while the one before may still run, all
// run; one worker that finds the queue empty waits for the next.
TEST(LaunchQueueTest, RunsEveryJobPosted)
{
    auto ran = std::make_shared<std::atomic<int>>(0);
    win32::LaunchQueue queue;
    for (int i = 0; i < 50; ++i)
        queue.Post([ran] { ++*ran; });
    EXPECT_TRUE(PumpUntil([&] { return *ran == 50; }, 20000)) << *ran << " of 50 ran";
    queue.Post([ran] { ++*ran; });
    EXPECT_TRUE(PumpUntil([&] { return *ran == 51; }, 20000));
}

} // namespace
} // namespace quickdex
