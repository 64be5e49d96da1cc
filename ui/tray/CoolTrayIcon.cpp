#include "ui/tray/CoolTrayIcon.h"

#include "platform/win32/Window.h"

#include <algorithm>
#include <cstring>

namespace quickdex {
namespace {

constexpr UINT_PTR CycleTimerId = 1;
constexpr const char* TrayWindowClass = "TCoolTrayIconWindow";
constexpr const char* ComponentProperty = "quickdex.CoolTrayIcon";

// The smallest form of the record, which every shell takes: 88 bytes in a
// 32-bit program, NOTIFYICONDATAA_V1_SIZE in ours.
constexpr DWORD IconDataSize = NOTIFYICONDATAA_V1_SIZE;

TCoolTrayIcon* ComponentOf(HWND hwnd)
{
    return static_cast<TCoolTrayIcon*>(GetPropA(hwnd, ComponentProperty));
}

TrayShiftState KeyboardShiftState()
{
    TrayShiftState state;
    state.shift = GetKeyState(VK_SHIFT) < 0;
    state.alt = GetKeyState(VK_MENU) < 0;
    state.ctrl = GetKeyState(VK_CONTROL) < 0;
    return state;
}

} // namespace

TCoolTrayIcon::TCoolTrayIcon(HWND owner, HWND application) : owner_(owner), application_(application)
{
    static bool registered = false;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!registered) {
        WNDCLASSA wc{};
        wc.lpfnWndProc = &TCoolTrayIcon::TrayWindowProc;
        wc.hInstance = instance;
        wc.lpszClassName = TrayWindowClass;
        RegisterClassA(&wc);
        registered = true;
    }
    window_ = CreateWindowExA(0, TrayWindowClass, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, instance, nullptr);
    SetPropA(window_, ComponentProperty, this);

    iconData_.cbSize = IconDataSize;
    iconData_.hWnd = window_;
    iconData_.uID = TrayIconId;
    iconData_.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    iconData_.uCallbackMessage = WM_TRAYCALLBACK;

    // Watch the application window first, then the owner.
    if (application_) {
        SetPropA(application_, ComponentProperty, this);
        savedApplicationProc_ = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(
            application_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TCoolTrayIcon::WatchApplicationWindow)));
    }
    if (owner_) {
        SetPropA(owner_, ComponentProperty, this);
        savedOwnerProc_ = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(owner_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&TCoolTrayIcon::WatchOwnerWindow)));
    }
}

TCoolTrayIcon::~TCoolTrayIcon()
{
    SetIconVisible(false);
    if (icon_)
        DestroyIcon(icon_);
    icon_ = nullptr;
    KillTimer(window_, CycleTimerId);
    RemovePropA(window_, ComponentProperty);
    DestroyWindow(window_);
    if (application_ && savedApplicationProc_ && IsWindow(application_)) {
        SetWindowLongPtrA(application_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(savedApplicationProc_));
        RemovePropA(application_, ComponentProperty);
    }
    if (owner_ && savedOwnerProc_ && IsWindow(owner_)) {
        SetWindowLongPtrA(owner_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(savedOwnerProc_));
        RemovePropA(owner_, ComponentProperty);
    }
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
    iconData_.hIcon = icon_;
    std::memset(iconData_.szTip, 0, sizeof iconData_.szTip);
    if (!hint_.empty() && showHint_) {
        const std::size_t n = std::min<std::size_t>(hint_.size(), 63);
        std::memcpy(iconData_.szTip, hint_.data(), n);
    }
    return true;
}

bool TCoolTrayIcon::AddIcon()
{
    iconVisible_ = true;
    added_ = PrepareIconData() && Shell_NotifyIconA(NIM_ADD, &iconData_);
    return added_;
}

bool TCoolTrayIcon::RemoveIcon()
{
    iconVisible_ = false;
    added_ = false;
    return PrepareIconData() && Shell_NotifyIconA(NIM_DELETE, &iconData_);
}

bool TCoolTrayIcon::UpdateIcon()
{
    // Each call is a message to the shell's process: none before the icon
    // is added (the shell would refuse it), and the add carries the picture.
    if (!added_)
        return false;
    return PrepareIconData() && Shell_NotifyIconA(NIM_MODIFY, &iconData_);
}

void TCoolTrayIcon::SetIconList(HIMAGELIST list)
{
    iconList_ = list;
    SetIconIndex(0);
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
        if (HICON picture = ImageList_GetIcon(iconList_, iconIndex_, ILD_NORMAL)) {
            if (icon_)
                DestroyIcon(icon_);
            icon_ = picture;
        }
    } else {
        iconIndex_ = 0;
    }
    UpdateIcon();
}

void TCoolTrayIcon::SetIcon(HICON icon)
{
    if (icon_)
        DestroyIcon(icon_);
    icon_ = icon ? CopyIcon(icon) : nullptr;
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
    hint_ = hint;
    UpdateIcon();
}

void TCoolTrayIcon::SetShowHint(bool show)
{
    showHint_ = show;
    UpdateIcon();
}

void TCoolTrayIcon::SetCycleIcons(bool cycle)
{
    cycleIcons_ = cycle;
    if (cycle)
        SetIconIndex(0);
    if (cycle && cycleInterval_)
        SetTimer(window_, CycleTimerId, cycleInterval_, nullptr);
    else
        KillTimer(window_, CycleTimerId);
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
    if (HICON picture = ImageList_GetIcon(iconList_, iconIndex_, ILD_NORMAL)) {
        if (icon_)
            DestroyIcon(icon_);
        icon_ = picture;
    }
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

void TCoolTrayIcon::HandleTrayMessage(UINT mouseMessage)
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

LRESULT CALLBACK TCoolTrayIcon::TrayWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    TCoolTrayIcon* self = ComponentOf(hwnd);
    if (self) {
        try {
            switch (message) {
            case WM_TRAYCALLBACK:
                self->HandleTrayMessage(static_cast<UINT>(lParam));
                return 0;
            case WM_TIMER:
                if (wParam == CycleTimerId) {
                    self->CycleTick();
                    return 0;
                }
                break;
            case WM_QUERYENDSESSION:
                return 1;
            default:
                break;
            }
        } catch (const std::exception& e) {
            win32::ReportError(e);
            return 0;
        }
    }
    return DefWindowProcA(hwnd, message, wParam, lParam);
}

LRESULT CALLBACK TCoolTrayIcon::WatchApplicationWindow(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    TCoolTrayIcon* self = ComponentOf(hwnd);
    if (!self)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == WM_SIZE && wParam == SIZE_MINIMIZED && self->MinimizeToTray)
        self->HideToTray();
    return CallWindowProcA(self->savedApplicationProc_, hwnd, message, wParam, lParam);
}

LRESULT CALLBACK TCoolTrayIcon::WatchOwnerWindow(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    TCoolTrayIcon* self = ComponentOf(hwnd);
    if (!self)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    if (message == WM_SHOWWINDOW && wParam == 1 && lParam == 0 && self->application_) {
        // Shown by a call: bring back the taskbar button and come to the front.
        ShowWindow(self->application_, SW_RESTORE);
        SetForegroundWindow(self->application_);
        SetForegroundWindow(hwnd);
    } else if (message == WM_WINDOWPOSCHANGED && self->ActiveControl) {
        HWND control = self->ActiveControl();
        if (control && IsWindow(control) && IsWindowVisible(control) && GetActiveWindow() == hwnd)
            SetFocus(control);
    }
    return CallWindowProcA(self->savedOwnerProc_, hwnd, message, wParam, lParam);
}

} // namespace quickdex
