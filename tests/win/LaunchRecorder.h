#pragma once
// Listens in on what the program asks of the shell's ShellExecuteExW, and
// answers as the shell would: started, or the user refused the consent
// prompt (ERROR_CANCELLED), which no test can click.
#include "platform/win32/Text.h"
#include "platform/win32/Win32Platform.h"

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
            calls.push_back({text(info.lpVerb), text(info.lpFile), text(info.lpParameters), text(info.lpDirectory),
                             info.nShow, info.fMask});
            if (refuseWith) {
                SetLastError(refuseWith);
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

    std::vector<Call> calls;
    DWORD refuseWith = 0; // 0: every launch is started
};

} // namespace quickdex::test
