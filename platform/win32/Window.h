#pragma once
// The base every window of the program stands on: the window-procedure
// trampoline that turns messages into member calls and stops exceptions at
// the edge; the secondary windows (forms) with their modality, icon, font,
// focus and controls by id; and the panel that groups controls.
#include "platform/win32/Controls.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/ErrorEdge.h"
#include "platform/win32/Handles.h"
#include "platform/win32/Text.h"

#include <memory>
#include <string>
#include <vector>

#include <windows.h>

namespace quickdex::win32 {

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
        HMENU menu = nullptr;  // or the child id
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

// A plain panel with a raised bevel. Its controls belong to the form: their
// commands and notifications go to the form, and Tab moves into and out of it.
class Panel final : public Window {
public:
    Panel(HWND parent, int id, int x, int y, int width, int height);

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// A top-level window of the program, created once and then only shown and
// hidden. A form with an opener is modal by hand: it disables its opener
// while it is shown and enables it again when it goes, however it goes. The
// opener stays disabled while any form that disabled it is still open.
class Form : public Window {
public:
    ~Form() override;

    void Show();
    void Close();
    bool Visible() const { return IsWindowVisible(Handle()) != FALSE; }
    void SetCaption(const std::string& caption) { SetWindowTextUtf8(Handle(), caption); }
    std::string Caption() const { return WindowText(Handle()); }

    // The window this one disables while it is shown (none: not modal).
    void SetOpener(HWND opener) { opener_ = opener; }
    HWND Opener() const { return opener_; }

    // A control of the form by its id, on the form or on one of its panels.
    HWND Item(int id) const;

    // The DPI the form is laid out for.
    int Dpi() const { return dpi_; }
    std::string ItemText(int id) const { return WindowText(Item(id)); }
    void SetItemText(int id, const std::string& text) const { SetWindowTextUtf8(Item(id), text); }

protected:
    struct FormArgs {
        const char* className;
        const char* caption;
        int clientWidth;
        int clientHeight;
        HWND owner = nullptr; // the application window
        int iconId = 1;       // the program's icon
        // A fixed border with only the close box, on top of other windows.
        DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS;
        DWORD exStyle = WS_EX_TOPMOST | WS_EX_DLGMODALFRAME;
        HMENU menu = nullptr;
    };
    // Creates the form hidden, centred on the desktop.
    void CreateForm(const FormArgs& args);
    // Lays the form out for `dpi`: its client area, every child at its
    // 96-dpi place scaled, the font of that DPI; then FormDpiChanged.
    void LayOutForDpi(int dpi);
    // What a form draws or sizes beyond its children's places (column
    // widths, pictures), for the DPI it is laid out for now.
    virtual void FormDpiChanged(int /*dpi*/) {}

    // The monitor the user works on: the opener's while it is shown, else
    // the pointer's.
    HMONITOR UsersMonitor() const;
    // Centred on `monitor` (z-order after `insertAfter`; none: kept) and laid
    // out for the DPI it has there.
    void CentreOn(HMONITOR monitor, HWND insertAfter);
    // A window that stays where the user put it: brought to the user's
    // monitor, centred, only when it stands on another.
    void ComeToUsersMonitor();
    // A panel of the form, which lives as long as the form; its controls are
    // found by Item like the form's own.
    HWND AddPanel(int id, int x, int y, int width, int height);

    // The clicks of the buttons with the ids IDOK and IDCANCEL, for every
    // form in one place. Cancel closes unless a form says otherwise; OK has
    // no meaning of its own.
    virtual void OnOK() {}
    virtual void OnCancel() { Close(); }

    // Builds what the window shows only once it is opened (pictures, lists):
    // run before the first showing, so that start-up does not pay for it.
    virtual void FormFirstShow() {}
    // Run on every showing and on every close; the forms' own work.
    virtual void FormShow() {}
    virtual void FormClose() {}
    // The control that has the focus when the window opens: the first of the
    // tab order.
    virtual HWND FirstControl() const;

    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void PlaceChildren(int dpi);
    // The window's icons drawn for the title bar and the task switcher at
    // `dpi`; the ones they replace are destroyed.
    void SetIcons(int dpi);

    std::vector<std::unique_ptr<Panel>> panels_;
    int dpi_ = 96;
    SIZE client96_{};
    DWORD style_ = 0;
    DWORD exStyle_ = 0;
    bool hasMenu_ = false;
    HWND opener_ = nullptr;
    bool holdsOpener_ = false; // this form disabled the opener
    bool shownOnce_ = false;
    HWND lastFocus_ = nullptr; // the control to give the focus back to
    int iconId_ = 0;
    IconHandle smallIcon_;
    IconHandle bigIcon_;
};

// Holds a window disabled while it lives, counted with the forms that hold
// it: a box of the system opened over the window is one more holder, so
// that neither the box nor a form closing under it enables the window while
// the other still holds it. When the last holder goes, the window, or the
// dialog that still holds it, gets the activation back.
class DisabledHold {
public:
    explicit DisabledHold(HWND window);
    ~DisabledHold();
    DisabledHold(const DisabledHold&) = delete;
    DisabledHold& operator=(const DisabledHold&) = delete;

private:
    HWND window_;
};

// The window the user works in when `window` is to be shown: the window
// itself while it takes input, else the dialog of the program in front that
// holds it disabled (a form, or a box of the system), the last one opened
// of a chain.
HWND InputWindowFor(HWND window);

} // namespace quickdex::win32
