#pragma once
// The small base every window of the program stands on: the window-procedure
// trampoline that turns messages into member calls and stops exceptions at the
// edge, child controls created from a table of positions, and text helpers.
#include <exception>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include <windows.h>

namespace quickdex::win32 {

// Shows an error that reached a window procedure; the application sets it.
void SetErrorHandler(std::function<void(const std::exception&)> handler);
void ReportError(const std::exception& error);

// Runs `action`, and reports any error it raises instead of letting it cross
// into the system (a window procedure, a callback).
template <typename F>
void Guarded(F&& action)
{
    try {
        action();
    } catch (const std::exception& e) {
        ReportError(e);
    }
}

// Pixel sizes are given for 96 dots per inch and scaled to the screen's.
int Scale(int pixels);

class Window {
public:
    struct CreateArgs {
        const char* className = nullptr;
        const char* title = "";
        DWORD style = WS_OVERLAPPEDWINDOW;
        DWORD exStyle = 0;
        int x = CW_USEDEFAULT;
        int y = CW_USEDEFAULT;
        int width = CW_USEDEFAULT;
        int height = CW_USEDEFAULT;
        HWND parent = nullptr; // the owner, for a top-level window
        HMENU menu = nullptr;
        HICON icon = nullptr;
        HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    };

    Window() = default;
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    HWND Handle() const { return hwnd_; }

protected:
    // Registers the class (once per name) and creates the window.
    void Create(const CreateArgs& args);
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT Default(UINT message, WPARAM wParam, LPARAM lParam);

private:
    static LRESULT CALLBACK Trampoline(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
};

// A secondary window of the program: created once, hidden, then only shown
// and hidden. Its show and close handlers run on every showing and every
// close, whichever way it is closed; they make it modal by hand.
class Form : public Window {
public:
    void Show();
    void Close();
    void SetCaption(const std::string& caption) { SetWindowTextA(Handle(), caption.c_str()); }
    std::string Caption() const;
    bool Visible() const { return IsWindowVisible(Handle()) != FALSE; }

protected:
    // A fixed border with only the close box, on top of other windows,
    // owned by `owner` (the application window).
    void CreateForm(const char* className, const char* caption, int clientWidth, int clientHeight, HWND owner,
                    HICON icon);
    virtual void FormShow() {}
    virtual void FormClose() {}
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

    // The window this one disables while shown; it is activated again when
    // this one closes, so that it, not some other window, comes to the front.
    HWND opener_ = nullptr;
};

// A plain panel with a raised bevel that hands its children's commands and
// notifications to its parent, so controls placed on it behave as the form's.
class Panel final : public Window {
public:
    Panel(HWND parent, int id, int x, int y, int width, int height);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// One child control of a form: its id, window class, text, position and size
// (client pixels at 96 dpi) and styles. WS_CHILD and WS_VISIBLE are added.
struct ControlSpec {
    int id;
    const char* className;
    const char* text;
    int x, y, width, height;
    DWORD style = 0;
    DWORD exStyle = 0;
};

// Creates the controls in table (tab) order, each with `font`.
std::vector<HWND> CreateControls(HWND parent, std::span<const ControlSpec> controls, HFONT font);

struct GdiObjectDeleter {
    void operator()(HGDIOBJ object) const { DeleteObject(object); }
};
using FontHandle = std::unique_ptr<std::remove_pointer_t<HFONT>, GdiObjectDeleter>;

// A font by face name and character height in points.
FontHandle CreateUiFont(const char* face, int points);

// A text stored in a code page other than the system's (the delete notice's
// ideographic full stop is stored in GB2312, code page 936), as UTF-16.
std::wstring FromCodePage(std::string_view text, unsigned codePage);

// Handles the messages waiting in this thread's queue, then returns.
void ProcessMessages();

// A window's text as the program's single-byte text.
std::string WindowText(HWND window);

// Sizes a top-level window so that its client area is width x height.
SIZE WindowSizeForClient(int width, int height, DWORD style, DWORD exStyle, bool hasMenu);

} // namespace quickdex::win32
