#include "platform/win32/LaunchQueue.h"

#include "platform/win32/SystemLibraries.h"

#include <deque>

#include <windows.h>

namespace quickdex::win32 {
namespace {

// More presses than this stuck at once on servers that do not answer wait
// their turn.
constexpr int MostWorkers = 8;
// How long the end of the program waits for launches under way.
constexpr DWORD ExitWaitMs = 2000;

} // namespace

// What the queue and its workers share. A worker holds it for its whole life:
// one left behind at exit still finds it.
struct LaunchQueue::Shared {
    SRWLOCK lock = SRWLOCK_INIT;
    CONDITION_VARIABLE changed = CONDITION_VARIABLE_INIT;
    std::deque<std::function<void()>> jobs;
    int workers = 0; // alive
    int idle = 0;    // of them, waiting for a job
    bool closing = false;
};

namespace {

using Shared = LaunchQueue::Shared;

class Locked {
public:
    explicit Locked(Shared& shared) : shared_(shared) { AcquireSRWLockExclusive(&shared_.lock); }
    ~Locked() { ReleaseSRWLockExclusive(&shared_.lock); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

private:
    Shared& shared_;
};

DWORD WINAPI Work(LPVOID parameter)
{
    const std::unique_ptr<std::shared_ptr<Shared>> held(static_cast<std::shared_ptr<Shared>*>(parameter));
    Shared& shared = **held;
    {
        const ThreadApartment apartment;
        for (;;) {
            std::function<void()> job;
            {
                const Locked locked(shared);
                while (shared.jobs.empty() && !shared.closing) {
                    ++shared.idle;
                    SleepConditionVariableSRW(&shared.changed, &shared.lock, INFINITE, 0);
                    --shared.idle;
                }
                if (shared.closing)
                    break;
                job = std::move(shared.jobs.front());
                shared.jobs.pop_front();
            }
            try {
                job();
            } catch (...) {
                // A launch reports nothing; the next press is served as always.
            }
            job = nullptr;
            const Locked locked(shared);
            // One waiting worker is enough.
            if (shared.jobs.empty() && shared.idle > 0)
                break;
        }
    }
    const Locked locked(shared);
    --shared.workers;
    WakeAllConditionVariable(&shared.changed);
    return 0;
}

} // namespace

LaunchQueue::LaunchQueue() : shared_(std::make_shared<Shared>()) {}

LaunchQueue::~LaunchQueue()
{
    Shared& shared = *shared_;
    const Locked locked(shared);
    shared.closing = true;
    shared.jobs.clear(); // not started: the program ends before them
    WakeAllConditionVariable(&shared.changed);
    // A launch under way is let finish, for a moment: a press just before
    // Exit still starts its program. One that waits on a server that does not
    // answer is left as it is; the end of the process ends it. Stopping it
    // here (TerminateThread) could leave a lock of the heap or the loader
    // held, and the rest of the exit would wait on that for ever.
    const ULONGLONG end = GetTickCount64() + ExitWaitMs;
    while (shared.workers > 0) {
        const ULONGLONG now = GetTickCount64();
        if (now >= end)
            break;
        SleepConditionVariableSRW(&shared.changed, &shared.lock, static_cast<DWORD>(end - now), 0);
    }
}

void LaunchQueue::Post(std::function<void()> job)
{
    // The press gave this process the right to the foreground until the next
    // input. It is passed on now, while the press is surely being handled, to
    // whichever program the job starts or hands a document to. The right is
    // the process's, not the thread's: the worker may still use it to bring a
    // running program to the front once the lookup has found it. When the
    // lookup waited on the network and the user typed meanwhile, the system
    // refuses that, rightly: the window does not jump in under the typing.
    AllowSetForegroundWindow(ASFW_ANY);
    bool more = false;
    {
        const Locked locked(*shared_);
        if (shared_->closing)
            return;
        shared_->jobs.push_back(std::move(job));
        more = static_cast<std::size_t>(shared_->idle) < shared_->jobs.size() && shared_->workers < MostWorkers;
        if (more)
            ++shared_->workers;
        WakeConditionVariable(&shared_->changed);
    }
    if (!more)
        return;
    auto* held = new std::shared_ptr<Shared>(shared_);
    if (HANDLE thread = CreateThread(nullptr, 0, Work, held, 0, nullptr)) {
        CloseHandle(thread); // never joined: see the destructor
        return;
    }
    delete held;
    std::function<void()> waiting;
    {
        const Locked locked(*shared_);
        --shared_->workers;
        // No thread to be had: with no worker at all, the press is served
        // here, as it always was, rather than never.
        if (shared_->workers == 0 && !shared_->jobs.empty()) {
            waiting = std::move(shared_->jobs.front());
            shared_->jobs.pop_front();
        }
    }
    if (waiting)
        waiting();
}

} // namespace quickdex::win32
