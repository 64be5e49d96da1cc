#pragma once
// Drives a real quickdex.exe from outside: a copy of it in a fresh folder
// with a prepared hotkey.ini, started as its own process.
#include "support/TempDir.h"
#include "platform/win32/Text.h"
#include "platform/win32/Window.h"
#include "ui/main/MainIds.h"
#include "win/WinSupport.h"

#include <string>
#include <vector>

#include <windows.h>
#include <commctrl.h>

namespace quickdex::test {

class QuickdexProcess {
public:
    // `folder` (UTF-8), when given, is a folder of `dir` the copy runs from.
    explicit QuickdexProcess(const TempDir& dir, const std::string& folder = {}) : dir_(dir)
    {
        const std::wstring from = win32::Wide(folder.empty() ? dir.Path().string() : dir.Dir() + folder);
        const std::wstring exe = from + L"\\quickdex.exe";
        CopyFileW(win32::Wide(TestProgramDir() + "quickdex.exe").c_str(), exe.c_str(), FALSE);
        STARTUPINFOW si{};
        si.cb = sizeof si;
        std::wstring commandLine = L"\"" + exe + L"\"";
        started_ = CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, from.c_str(),
                                  &si, &info_) != FALSE;
    }
    ~QuickdexProcess()
    {
        if (!started_)
            return;
        if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT) {
            if (HWND main = MainWindow())
                PostMessageA(main, WM_COMMAND, ids::N4, 0);
            if (WaitForSingleObject(info_.hProcess, 5000) == WAIT_TIMEOUT)
                TerminateProcess(info_.hProcess, 1);
        }
        CloseHandle(info_.hThread);
        CloseHandle(info_.hProcess);
    }
    QuickdexProcess(const QuickdexProcess&) = delete;
    QuickdexProcess& operator=(const QuickdexProcess&) = delete;

    bool Started() const { return started_; }
    DWORD Id() const { return info_.dwProcessId; }
    bool Running() const { return WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT; }
    bool WaitForExit(DWORD ms) const { return WaitForSingleObject(info_.hProcess, ms) == WAIT_OBJECT_0; }

    HWND MainWindow() const { return FindProcessWindow(info_.dwProcessId, "TMainForm"); }
    HWND ApplicationWindow() const { return FindProcessWindow(info_.dwProcessId, "TApplication"); }

    // Waits until the program holds `modifiers`+`key`, that is, until its
    // start-up has registered the bindings.
    //
    // The probe registers the combination itself for a moment; made while the
    // program registers it, it would take it from under the program. So the
    // probe waits until every row of the list carries the mark of a hotkey
    // that was tried (working or refused): the program registers before it
    // marks the rows.
    bool WaitUntilHeld(unsigned modifiers, unsigned key, bool held = true, DWORD ms = 30000) const
    {
        return PumpUntil([&] { return (!held || RowsTried()) && CombinationHeld(modifiers, key) == held; }, ms);
    }

    // Every row's hotkey was tried: its mark is 1 (works), 2 (refused) or
    // 4 (works, but its target is gone).
    bool RowsTried() const
    {
        HWND main = MainWindow();
        HWND list = main ? FindWindowExA(main, nullptr, WC_LISTVIEWA, nullptr) : nullptr;
        const int rows = list ? static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)) : 0;
        for (int row = 0; row < rows; ++row) {
            const auto mark = SendMessageA(list, LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK) >> 12;
            if (mark != 1 && mark != 2 && mark != 4)
                return false;
        }
        return rows > 0;
    }

    // The row count of the main window's list, read across the process line.
    int ListRowCount() const
    {
        HWND main = MainWindow();
        HWND list = main ? FindWindowExA(main, nullptr, WC_LISTVIEWA, nullptr) : nullptr;
        return list ? static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0)) : -1;
    }

private:
    const TempDir& dir_;
    PROCESS_INFORMATION info_{};
    bool started_ = false;
};

// The text of a message box (its static control) and a way to press a button.
inline std::string MessageBoxText(HWND box)
{
    return win32::WindowText(GetDlgItem(box, 0xFFFF));
}

} // namespace quickdex::test
