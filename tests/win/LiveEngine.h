#pragma once
// The engine on the real system in this process: its hotkeys registered on a
// real window, whose hotkey messages it answers, and launches through the
// shell. What a press did is read from the system, not from the engine.
#include "WinSupport.h"
#include "engine/HotkeyEngine.h"
#include "platform/win32/Files.h"
#include "platform/win32/LaunchQueue.h"
#include "support/Fakes.h"

namespace quickdex::test {

class LiveEngineTest : public MarkerTest {
protected:
    void SetUp() override
    {
        ASSERT_NE(window.Handle(), nullptr);
        window.onHotkey = [this](WPARAM, LPARAM lp) { engine.WMHotKey(static_cast<std::uint32_t>(lp)); };
    }

    HotkeyWindow window;
    win32::Files files;
    win32::HotkeyApi hotkeys{window.Handle()};
    win32::SystemApi system;
    FakeProgramWindow programWindow;
    FakeView view;
    win32::LaunchQueue launches;
    HotkeyEngine engine{{files, hotkeys, system, programWindow, view, launches}, dir.Dir()};
};

} // namespace quickdex::test
