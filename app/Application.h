#pragma once
// The application object: the title, the invisible application window that
// owns every other window and carries the taskbar button, the standard error
// box, and the message loop.
#include "platform/win32/Window.h"

#include <exception>
#include <string>

namespace quickdex {

inline constexpr const char* ApplicationTitle = "quickdex 3.50";

class TApplication final : public win32::Window {
public:
    TApplication();
    ~TApplication() override;

    void SetTitle(const std::string& title);
    const std::string& Title() const { return title_; }

    // The main window: shown by Restore, closed to end the program.
    void SetMainWindow(HWND window) { mainWindow_ = window; }
    HWND MainWindow() const { return mainWindow_; }

    // Minimising the application minimises its window, which hides the
    // windows it owns; the tray icon then hides it all (see CoolTrayIcon).
    void Minimize();

    // The standard error box: the text with its full stop, the error icon,
    // OK, and the application title as caption.
    void ShowException(const std::exception& error);

    // Runs the message loop until the main window is closed.
    int Run();

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    std::string title_;
    HWND mainWindow_ = nullptr;
};

} // namespace quickdex
