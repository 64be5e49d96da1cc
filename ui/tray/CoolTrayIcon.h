#pragma once
// The notification-area icon of the program, with the hidden window that
// receives its mouse messages, its menu, and the watching that hides the
// program into the tray when it is minimised and brings back the taskbar
// button when the main window is shown.
#include "platform/win32/Handles.h"
#include "platform/win32/Subclass.h"
#include "platform/win32/Window.h"

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

namespace quickdex {

inline constexpr UINT WM_TRAYCALLBACK = WM_USER + 0x400; // 0x800
inline constexpr UINT TrayIconId = 1;

enum class MouseButton { Left, Right, Middle };

struct TrayShiftState {
    bool shift = false;
    bool alt = false;
    bool ctrl = false;
    bool left = false;
    bool right = false;
    bool middle = false;
};

class TCoolTrayIcon {
public:
    // What reaches the shell: Shell_NotifyIconA, unless a test listens in.
    using ShellCall = std::function<bool(DWORD message, NOTIFYICONDATAA& data)>;
    static ShellCall& NotifyShell();

    // `owner` is the window the component belongs to (the main window),
    // `application` the window that carries the taskbar button, which is
    // watched from now on. The owner hands over what it hears through
    // OwnerMessage instead: it hears from its list for every row and every
    // item painted, and a hooked window pays for a lookup on each message
    // (under Wine a round trip to the server), which made filling and
    // painting the list many times slower.
    TCoolTrayIcon(HWND owner, HWND application);
    ~TCoolTrayIcon();
    TCoolTrayIcon(const TCoolTrayIcon&) = delete;
    TCoolTrayIcon& operator=(const TCoolTrayIcon&) = delete;

    // Called once the owner has set the properties: hides the application
    // window when starting minimised, and shows the icon.
    void Loaded();

    // Every message of the owner, before the owner handles it.
    void OwnerMessage(UINT message, WPARAM wParam, LPARAM lParam);

    bool AddIcon();
    bool RemoveIcon();
    bool UpdateIcon();
    void HideToTray();

    void SetIconList(HIMAGELIST list);
    HIMAGELIST IconList() const { return iconList_; }
    void SetIconIndex(int index);
    int IconIndex() const { return iconIndex_; }
    void SetIcon(HICON icon);
    HICON Icon() const { return icon_.get(); }
    void SetIconVisible(bool visible);
    bool IconVisible() const { return iconVisible_; }
    void SetHint(const std::string& hint);
    void SetShowHint(bool show);
    void SetCycleIcons(bool cycle);
    void SetCycleInterval(UINT milliseconds);

    bool Enabled = true;
    HMENU PopupMenu = nullptr; // not owned
    bool LeftPopup = false;
    bool StartMinimized = false;
    bool MinimizeToTray = false;

    std::function<void()> OnClick;
    std::function<void()> OnDblClick;
    std::function<void(MouseButton, TrayShiftState, int, int)> OnMouseDown;
    std::function<void(MouseButton, TrayShiftState, int, int)> OnMouseUp;
    std::function<void(TrayShiftState, int, int)> OnMouseMove;
    std::function<void(int)> OnCycle;
    // The shell's taskbar was made anew (the shell restarted): the icon has
    // been added again.
    std::function<void()> OnTaskbarCreated;

    HWND Handle() const;
    const NOTIFYICONDATAA& IconData() const { return iconData_; }
    int CycleNextIndex() const;

private:
    class TrayWindow;

    bool PrepareIconData();
    bool Notify(DWORD message);
    void ShowMenuAtCursor();
    // The hidden window's messages; nothing: the default handling.
    std::optional<LRESULT> HandleTrayMessage(UINT message, WPARAM wParam, LPARAM lParam);
    void HandleMouse(UINT mouseMessage);
    void CycleTick();
    void ShowPicture(int index);

    HWND owner_;
    HWND application_;
    std::unique_ptr<TrayWindow> window_;
    win32::WindowHook applicationWatch_;
    NOTIFYICONDATAA iconData_{};
    HIMAGELIST iconList_ = nullptr;
    int iconIndex_ = 0;
    win32::IconHandle icon_;
    bool iconVisible_ = true;
    bool added_ = false;             // the shell holds our icon
    HIMAGELIST shownList_ = nullptr; // the list icon_ was taken from
    std::string hint_;
    bool showHint_ = false;
    bool clickPending_ = false;
    bool comingToFront_ = false; // the owner is being shown by a call
    bool cycleIcons_ = false;
    UINT cycleInterval_ = 0;
    UINT taskbarCreated_ = 0;
};

} // namespace quickdex
