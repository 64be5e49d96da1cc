#pragma once
// Helpers for the tests that run under Wine: a real window that receives
// hotkey messages, real key presses, and the marker program.
#include "platform/win32/Win32Platform.h"
#include "win/Desktop.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include <windows.h>

namespace quickdex::test {

// A hidden top-level window whose hotkey messages go to `onHotkey`.
class HotkeyWindow {
public:
    HotkeyWindow()
    {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &HotkeyWindow::Proc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "quickdexTestHotkeyWindow";
        RegisterClassA(&wc); // a second registration fails harmlessly
        hwnd_ = CreateWindowExA(0, wc.lpszClassName, "test", WS_OVERLAPPED, 0, 0, 10, 10, nullptr, nullptr,
                                wc.hInstance, this);
    }
    ~HotkeyWindow() { DestroyWindow(hwnd_); }
    HotkeyWindow(const HotkeyWindow&) = delete;
    HotkeyWindow& operator=(const HotkeyWindow&) = delete;

    HWND Handle() const { return hwnd_; }
    std::function<void(WPARAM, LPARAM)> onHotkey;

private:
    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp)
    {
        if (msg == WM_NCCREATE)
            SetWindowLongPtrA(hwnd, GWLP_USERDATA,
                              reinterpret_cast<LONG_PTR>(reinterpret_cast<CREATESTRUCTA*>(lp)->lpCreateParams));
        auto* self = reinterpret_cast<HotkeyWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
        if (msg == WM_HOTKEY && self && self->onHotkey) {
            self->onHotkey(wp, lp);
            return 0;
        }
        return DefWindowProcA(hwnd, msg, wp, lp);
    }
    HWND hwnd_ = nullptr;
};

// The child controls below `root` of a window class, in creation order; with
// `text`, only those that show it.
inline std::vector<HWND> FindControls(HWND root, const char* className, const char* text = nullptr)
{
    struct Search {
        const char* className;
        const char* text;
        std::vector<HWND> found;
    } search{className, text, {}};
    EnumChildWindows(
        root,
        [](HWND hwnd, LPARAM param) -> BOOL {
            auto& s = *reinterpret_cast<Search*>(param);
            char name[64] = {};
            GetClassNameA(hwnd, name, sizeof name);
            if (_stricmp(name, s.className) != 0)
                return TRUE;
            if (s.text) {
                char caption[256] = {};
                GetWindowTextA(hwnd, caption, sizeof caption);
                if (std::string(caption) != s.text)
                    return TRUE;
            }
            s.found.push_back(hwnd);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&search));
    return search.found;
}

inline HWND FindControl(HWND root, const char* className, const char* text = nullptr)
{
    const std::vector<HWND> found = FindControls(root, className, text);
    return found.empty() ? nullptr : found.front();
}

// Handles this thread's messages until `done` holds or `ms` pass.
inline bool PumpUntil(const std::function<bool()>& done, DWORD ms)
{
    const ULONGLONG end = GetTickCount64() + ms;
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        if (done())
            return true;
        if (GetTickCount64() >= end)
            return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 20, QS_ALLINPUT);
    }
}

// The folder of this test program, where the build puts marker.exe.
inline std::string TestProgramDir()
{
    return win32::ExeDir();
}

inline int CountLines(const std::string& path)
{
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING, 0,
                           nullptr);
    if (f == INVALID_HANDLE_VALUE)
        return 0;
    char buf[4096];
    DWORD n = 0;
    int lines = 0;
    while (ReadFile(f, buf, sizeof buf, &n, nullptr) && n > 0)
        for (DWORD i = 0; i < n; ++i)
            lines += buf[i] == '\n';
    CloseHandle(f);
    return lines;
}

// A test folder with copies of the marker program, and what they recorded.
class MarkerTest : public ::testing::Test {
protected:
    // Copies the marker program into the folder under `name`.
    std::string Marker(const std::string& name)
    {
        const std::string target = dir.File(name + ".exe");
        EXPECT_TRUE(CopyFileA((TestProgramDir() + "marker.exe").c_str(), target.c_str(), FALSE));
        return target;
    }
    int Runs(const std::string& name) { return CountLines(dir.File(name + ".ran")); }
    bool WaitForRuns(const std::string& name, int count, DWORD ms = 20000)
    {
        return PumpUntil([&] { return Runs(name) >= count; }, ms);
    }
    void Idle(DWORD ms) { PumpUntil([] { return false; }, ms); }

    TempDir dir;
};

} // namespace quickdex::test
