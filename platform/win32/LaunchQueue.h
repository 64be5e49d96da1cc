#pragma once
// The presses' launches on threads of their own, each in a single-threaded
// COM apartment, as the shell wants of a thread that starts files.
#include "platform/LaunchQueue.h"

#include <memory>

namespace quickdex::win32 {

class LaunchQueue final : public ILaunchQueue {
public:
    LaunchQueue();
    // Waits a moment for a launch under way; one that still waits then (its
    // server does not answer) is left to the end of the process.
    ~LaunchQueue() override;
    LaunchQueue(const LaunchQueue&) = delete;
    LaunchQueue& operator=(const LaunchQueue&) = delete;

    // One worker, started on the first press, runs the jobs in turn; a job
    // posted while every worker is busy gets one more, so a launch that waits
    // on the network holds no other press.
    void Post(std::function<void()> job) override;

    struct Shared;

private:
    std::shared_ptr<Shared> shared_;
};

} // namespace quickdex::win32
