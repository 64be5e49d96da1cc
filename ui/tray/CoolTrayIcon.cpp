#include "ui/tray/CoolTrayIcon.h"

#include "platform/win32/MessagePump.h"

#include <algorithm>
#include <cstring>

namespace quickdex {
namespace {

constexpr UINT_PTR CycleTimerId = 1;
// An add the shell refused (started with Windows before the taskbar is
// ready; a taskbar made later says TaskbarCreated, but a busy one says
// nothing) is tried again on this timer until the shell takes the icon.
constexpr UINT_PTR AddRetryTimerId = 2;
constexpr UINT AddRetryInterval = 2000;

// The smallest form of the record, which every shell takes: 88 bytes in a
// 32-bit program, NOTIFYICONDATAA_V1_SIZE in ours.
constexpr DWORD IconDataSize = NOTIFYICONDATAA_V1_SIZE;

TrayShiftState KeyboardShiftState()
{
    TrayShiftState state;
    state.shift = GetKeyState(VK_SHIFT) < 0;
    state.alt = GetKeyState(VK_MENU) < 0;
    state.ctrl = GetKeyState(VK_CONTROL) < 0;
    return state;
}

} // namespace

// The hidden window that receives the icon's messages.
class TCoolTrayIcon::TrayWindow final : public win32::Window {
public:
    explicit TrayWindow(TCoolTrayIcon& tray) : tray_(tray)
    {
        Create({.className = "TCoolTrayIconWindow", .style = WS_POPUP, .x = 0, .y = 0, .width = 0, .height = 0});
    }

protected:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (const std::optional<LRESULT> answer = tray_.HandleTrayMessage(message, wParam, lParam))
            return *answer;
        return Default(message, wParam, lParam);
    }

private:
    TCoolTrayIcon& tray_;
};

TCoolTrayIcon::ShellCall& TCoolTrayIcon::NotifyShell()
{
    static ShellCall call = [](DWORD message, NOTIFYICONDATAA& data) {
        return Shell_NotifyIconA(message, &data) != FALSE;
    };
    return call;
}

TCoolTrayIcon::TCoolTrayIcon(HWND owner, HWND application)
    : owner_(owner), application_(application), window_(std::make_unique<TrayWindow>(*this))
{
    iconData_.cbSize = IconDataSize;
    iconData_.hWnd = window_->Handle();
    iconData_.uID = TrayIconId;
    iconData_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    iconData_.uCallbackMessage = WM_TRAYCALLBACK;
    // Broadcast to every top-level window when the shell's taskbar is made
    // anew: its icons are gone and must be added again.
    taskbarCreated_ = RegisterWindowMessageA("TaskbarCreated");

    if (application_) {
        applicationWatch_.Attach(application_, [this](UINT message, WPARAM wParam, LPARAM) -> std::optional<LRESULT> {
            if (message == WM_SIZE && wParam == SIZE_MINIMIZED && MinimizeToTray)
                HideToTray();
            return std::nullopt;
        });
    }
}

void TCoolTrayIcon::OwnerMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_SHOWWINDOW && wParam == TRUE && lParam == 0 && application_) {
        // Shown by a call: the taskbar button comes back, out of the
        // minimised state. The application window is not activated on the
        // way: the owner, still hidden here, takes the activation as it is
        // shown, and comes to the front once it is on the screen.
        ShowWindow(application_, SW_SHOWNOACTIVATE);
        comingToFront_ = true;
    } else if (message == WM_WINDOWPOSCHANGED && comingToFront_ &&
               (reinterpret_cast<const WINDOWPOS*>(lParam)->flags & SWP_SHOWWINDOW)) {
        comingToFront_ = false;
        // Showing activates the owner, and takes the foreground with it when
        // the system allows; asked only when it did not.
        if (GetForegroundWindow() != owner_)
            SetForegroundWindow(owner_);
    }
    if (message == WM_WINDOWPOSCHANGED && GetActiveWindow() == owner_) {
        // Moved or brought up: the focus stays with the owner's control
        // that had it (the owner gives it back on WM_SETFOCUS).
        HWND focus = GetFocus();
        if (!focus || !IsChild(owner_, focus))
            SetFocus(owner_);
    }
}

TCoolTrayIcon::~TCoolTrayIcon()
{
    SetIconVisible(false);
    if (window_)
        KillTimer(window_->Handle(), CycleTimerId);
}

HWND TCoolTrayIcon::Handle() const
{
    return window_->Handle();
}

void TCoolTrayIcon::Loaded()
{
    if (StartMinimized && application_)
        ShowWindow(application_, SW_HIDE); // no taskbar button
    UpdateIcon();
    SetIconVisible(iconVisible_);
}

bool TCoolTrayIcon::PrepareIconData()
{
    iconData_.hIcon = icon_.get();
    std::memset(iconData_.szTip, 0, sizeof iconData_.szTip);
    if (!hint_.empty() && showHint_) {
        const std::size_t n = std::min<std::size_t>(hint_.size(), 63);
        std::memcpy(iconData_.szTip, hint_.data(), n);
    }
    return true;
}

bool TCoolTrayIcon::Notify(DWORD message)
{
    return PrepareIconData() && NotifyShell()(message, iconData_);
}

bool TCoolTrayIcon::AddIcon()
{
    iconVisible_ = true;
    // Every hide into the tray asks for the icon again. Once the shell holds
    // it, a second add would be refused; the picture is brought up to date
    // instead, and the icon stays known as added.
    if (added_)
        return Notify(NIM_MODIFY);
    added_ = Notify(NIM_ADD);
    if (added_)
        KillTimer(Handle(), AddRetryTimerId);
    else
        SetTimer(Handle(), AddRetryTimerId, AddRetryInterval, nullptr);
    return added_;
}

bool TCoolTrayIcon::RemoveIcon()
{
    iconVisible_ = false;
    KillTimer(Handle(), AddRetryTimerId);
    added_ = false;
    return Notify(NIM_DELETE);
}

bool TCoolTrayIcon::UpdateIcon()
{
    // Each call is a message to the shell's process: none before the icon
    // is added (the shell would refuse it), and the add carries the picture.
    if (!added_)
        return false;
    return Notify(NIM_MODIFY);
}

void TCoolTrayIcon::SetIconList(HIMAGELIST list)
{
    iconList_ = list;
    SetIconIndex(0);
}

void TCoolTrayIcon::ShowPicture(int index)
{
    if (HICON picture = ImageList_GetIcon(iconList_, index, ILD_NORMAL))
        icon_.reset(picture);
}

void TCoolTrayIcon::SetIconIndex(int index)
{
    if (iconList_) {
        const int count = ImageList_GetImageCount(iconList_);
        const int wanted = index < count ? index : count - 1;
        if (icon_ && wanted == iconIndex_ && iconList_ == shownList_)
            return; // the picture shown already: every reload asks for it again
        iconIndex_ = wanted;
        shownList_ = iconList_;
        ShowPicture(iconIndex_);
    } else {
        iconIndex_ = 0;
    }
    UpdateIcon();
}

void TCoolTrayIcon::SetIcon(HICON icon)
{
    icon_.reset(icon ? CopyIcon(icon) : nullptr);
    shownList_ = nullptr; // not a picture of the list
    UpdateIcon();
}

void TCoolTrayIcon::SetIconVisible(bool visible)
{
    if (visible)
        AddIcon();
    else
        RemoveIcon();
}

void TCoolTrayIcon::SetHint(const std::string& hint)
{
    if (hint == hint_)
        return;
    hint_ = hint;
    UpdateIcon();
}

void TCoolTrayIcon::SetShowHint(bool show)
{
    if (show == showHint_)
        return; // every showing of the rows asks again: no message to the shell
    showHint_ = show;
    UpdateIcon();
}

void TCoolTrayIcon::SetCycleIcons(bool cycle)
{
    cycleIcons_ = cycle;
    if (cycle)
        SetIconIndex(0);
    if (cycle && cycleInterval_)
        SetTimer(Handle(), CycleTimerId, cycleInterval_, nullptr);
    else
        KillTimer(Handle(), CycleTimerId);
}

void TCoolTrayIcon::SetCycleInterval(UINT milliseconds)
{
    cycleInterval_ = milliseconds;
    if (cycleIcons_)
        SetCycleIcons(true);
}

int TCoolTrayIcon::CycleNextIndex() const
{
    if (!iconList_)
        return 0;
    return iconIndex_ < ImageList_GetImageCount(iconList_) ? iconIndex_ + 1 : 0;
}

void TCoolTrayIcon::CycleTick()
{
    if (!iconList_)
        return;
    ShowPicture(iconIndex_);
    shownList_ = nullptr; // the index runs one ahead of the picture now
    if (OnCycle)
        OnCycle(CycleNextIndex());
    UpdateIcon();
    iconIndex_ = iconIndex_ + 1 < ImageList_GetImageCount(iconList_) ? iconIndex_ + 1 : 0;
}

void TCoolTrayIcon::HideToTray()
{
    if (owner_) {
        ShowWindow(owner_, SW_HIDE);
        if (application_)
            ShowWindow(application_, SW_HIDE); // the taskbar button goes
    }
    SetIconVisible(true);
}

void TCoolTrayIcon::ShowMenuAtCursor()
{
    POINT cursor;
    if (!PopupMenu || !GetCursorPos(&cursor))
        return;
    win32::ProcessMessages();
    // The menu closes when the user clicks elsewhere only if the program owns
    // the foreground, also while its window is hidden.
    SetForegroundWindow(owner_);
    TrackPopupMenu(PopupMenu, TPM_LEFTALIGN | TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, owner_, nullptr);
    PostMessageA(owner_, WM_NULL, 0, 0);
}

std::optional<LRESULT> TCoolTrayIcon::HandleTrayMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_TRAYCALLBACK:
        HandleMouse(static_cast<UINT>(lParam));
        return 0;
    case WM_TIMER:
        if (wParam == CycleTimerId) {
            CycleTick();
            return 0;
        }
        if (wParam == AddRetryTimerId) {
            if (iconVisible_ && !added_)
                AddIcon();
            else
                KillTimer(Handle(), AddRetryTimerId);
            return 0;
        }
        break;
    case WM_QUERYENDSESSION:
        return 1;
    default:
        if (message == taskbarCreated_ && taskbarCreated_ != 0) {
            // The new taskbar holds none of the old icons.
            added_ = false;
            if (iconVisible_)
                AddIcon();
            if (OnTaskbarCreated)
                OnTaskbarCreated();
            return 0;
        }
        break;
    }
    return std::nullopt;
}

void TCoolTrayIcon::HandleMouse(UINT mouseMessage)
{
    if (!Enabled)
        return;
    POINT at{};
    GetCursorPos(&at);
    TrayShiftState state = KeyboardShiftState();
    switch (mouseMessage) {
    case WM_MOUSEMOVE:
        if (OnMouseMove)
            OnMouseMove(state, at.x, at.y);
        break;
    case WM_LBUTTONDOWN:
        state.left = true;
        if (OnMouseDown)
            OnMouseDown(MouseButton::Left, state, at.x, at.y);
        clickPending_ = true;
        if (LeftPopup)
            ShowMenuAtCursor();
        break;
    case WM_LBUTTONUP:
        state.left = true;
        if (clickPending_) {
            clickPending_ = false;
            if (OnClick)
                OnClick();
        }
        if (OnMouseUp)
            OnMouseUp(MouseButton::Left, state, at.x, at.y);
        break;
    case WM_LBUTTONDBLCLK:
        if (OnDblClick)
            OnDblClick();
        if (PopupMenu && !LeftPopup) {
            // The menu's default item, if it has one, answers a double click.
            const UINT item = GetMenuDefaultItem(PopupMenu, FALSE, 0);
            if (item != static_cast<UINT>(-1))
                PostMessageA(owner_, WM_COMMAND, MAKEWPARAM(item, 0), 0);
        }
        break;
    case WM_RBUTTONDOWN:
        state.right = true;
        if (OnMouseDown)
            OnMouseDown(MouseButton::Right, state, at.x, at.y);
        ShowMenuAtCursor();
        break;
    case WM_RBUTTONUP:
        state.right = true;
        if (OnMouseUp)
            OnMouseUp(MouseButton::Right, state, at.x, at.y);
        break;
    case WM_MBUTTONDOWN:
        state.middle = true;
        if (OnMouseDown)
            OnMouseDown(MouseButton::Middle, state, at.x, at.y);
        break;
    case WM_MBUTTONUP:
        state.middle = true;
        if (OnMouseUp)
            OnMouseUp(MouseButton::Middle, state, at.x, at.y);
        break;
    default:
        break;
    }
}

} // namespace quickdex
