#pragma once
// Listens in on what the program asks of the shell's ShellExecuteExW, and
// answers as the shell would: started, or the user refused the consent
// prompt (ERROR_CANCELLED), which no test can click.
#include "platform/win32/Text.h"
#include "platform/win32/Win32Platform.h"

#include <atomic>
#include <mutex>
#include <string>
#include <vector>

#include <windows.h>

namespace quickdex::test {

class LaunchRecorder {
public:
    struct Call {
        std::string verb, file, parameters, directory;
        int show;
        ULONG mask;
    };

    LaunchRecorder()
    {
        win32::ShellExecuteSeam() = [this](SHELLEXECUTEINFOW& info) -> BOOL {
            auto text = [](const wchar_t* s) { return s ? win32::Utf8(s) : std::string("(null)"); };
            const std::lock_guard hold(mutex_);
            calls_.push_back({text(info.lpVerb), text(info.lpFile), text(info.lpParameters), text(info.lpDirectory),
                              info.nShow, info.fMask});
            if (const DWORD error = refuseWith) {
                SetLastError(error);
                return FALSE;
            }
            info.hProcess = nullptr;
            return TRUE;
        };
    }
    ~LaunchRecorder()
    {
        win32::ShellExecuteSeam() = [](SHELLEXECUTEINFOW& info) { return ShellExecuteExW(&info); };
    }
    LaunchRecorder(const LaunchRecorder&) = delete;
    LaunchRecorder& operator=(const LaunchRecorder&) = delete;

    // The launches run on the program's launch thread: what they asked is
    // read from the test's.
    std::vector<Call> Calls() const
    {
        const std::lock_guard hold(mutex_);
        return calls_;
    }
    std::atomic<DWORD> refuseWith = 0; // 0: every launch is started

private:
    mutable std::mutex mutex_;
    std::vector<Call> calls_;
};

} // namespace quickdex::test
