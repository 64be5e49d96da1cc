#pragma once
// Where a press's launch runs. The lookup of the program and the shell's
// start wait on the disk, and on the network for a target on a server: the
// window's thread must not wait with them, or every hotkey, the tray and the
// windows wait too.
#include <functional>

namespace quickdex {

class ILaunchQueue {
public:
    virtual ~ILaunchQueue() = default;
    // Called while the press is handled, on the thread that got it: the right
    // to the foreground the press gave the program goes on to whatever `job`
    // starts or brings to the front. `job` then runs on another thread and
    // this returns at once; a job that waits holds none posted after it.
    virtual void Post(std::function<void()> job) = 0;
};

} // namespace quickdex
