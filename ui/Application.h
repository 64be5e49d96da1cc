#pragma once
// The application object: the title, the invisible application window that
// owns every other window and carries the taskbar button, the program's
// message boxes and standard error box, and the message loop.
#include "../res/version.h"
#include "platform/win32/Window.h"

#include <exception>
#include <string>

namespace quickdex {

inline constexpr const char* ApplicationTitle = "quickdex " QUICKDEX_VERSION_TITLE;

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

    // A message box of the program, owned by `owner` so that it stands above
    // that window and blocks it until it is answered.
    int Box(HWND owner, const std::string& text, const char* caption, UINT style);
    int Box(HWND owner, const std::wstring& text, const wchar_t* caption, UINT style);

    // The standard error box: the text with its full stop, the error icon,
    // OK, and the application title as caption; above the window the user
    // works in.
    void ShowException(const std::exception& error);

    // A modal loop of the system runs while one of these lives: a message
    // box, the file or the folder dialog.
    class ModalLoop {
    public:
        explicit ModalLoop(TApplication& application);
        ~ModalLoop();
        ModalLoop(const ModalLoop&) = delete;
        ModalLoop& operator=(const ModalLoop&) = delete;

    private:
        TApplication& application_;
    };
    bool InModalLoop() const { return modalLoops_ > 0; }
    // Ends the modal loops as Cancel; once the last has returned, the main
    // window is closed. An unanswered question is never taken for a yes.
    void CloseAfterModalLoops();

    // Runs the message loop until the main window is closed.
    int Run();
    // A Tab or Shift+Tab of the loop, handled: the focus moved.
    static bool MoveFocus(MSG& msg);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    HWND ActiveWindowOfProgram() const;

    std::string title_;
    HWND mainWindow_ = nullptr;
    int modalLoops_ = 0;
    bool closePending_ = false;
};

} // namespace quickdex
