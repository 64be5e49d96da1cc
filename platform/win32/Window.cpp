#include "platform/win32/Window.h"

#include <set>

namespace quickdex::win32 {
namespace {

// How many forms hold a window disabled, kept on the window itself: the
// window is enabled again only when the last of them has gone.
constexpr const char* DisabledByForms = "quickdex.DisabledByForms";

void HoldDisabled(HWND window)
{
    const auto count = reinterpret_cast<INT_PTR>(GetPropA(window, DisabledByForms));
    if (count == 0)
        EnableWindow(window, FALSE);
    SetPropA(window, DisabledByForms, reinterpret_cast<HANDLE>(count + 1));
}

void ReleaseDisabled(HWND window)
{
    const auto count = reinterpret_cast<INT_PTR>(GetPropA(window, DisabledByForms));
    if (count > 1) {
        SetPropA(window, DisabledByForms, reinterpret_cast<HANDLE>(count - 1));
        // Still held. A box of the system that closes enables its owner
        // whatever it found (Wine does), so the window is disabled again.
        EnableWindow(window, FALSE);
        return;
    }
    RemovePropA(window, DisabledByForms);
    EnableWindow(window, TRUE);
}

// Hands the activation back after a holder of `window` went: to the window
// when it takes input again, else to the dialog that still holds it. Wine
// does not do this by itself for a window under a topmost one, and the
// system's box, destroyed while its owner was still disabled, handed the
// activation to whatever window came next.
// The end of a window's chain of owners (GA_ROOTOWNER follows GetParent,
// which names the owner of a popup only, not of the overlapped main window).
HWND RootOwner(HWND window)
{
    for (HWND owner; (owner = GetWindow(window, GW_OWNER)) != nullptr;)
        window = owner;
    return window;
}

void ActivateInputWindow(HWND window)
{
    if (window && IsWindowVisible(window))
        SetForegroundWindow(InputWindowFor(window));
}

// An etched line makes itself as long as it was asked and as thick as its
// edges when it is created; placed again, it is sized the same way.
void EtchedLineSize(HWND control, RECT& size)
{
    char name[16] = {};
    GetClassNameA(control, name, sizeof name);
    const LONG style = GetWindowLongA(control, GWL_STYLE);
    const LONG kind = style & SS_TYPEMASK;
    if (lstrcmpiA(name, "Static") != 0 || (kind != SS_ETCHEDHORZ && kind != SS_ETCHEDVERT))
        return;
    if (kind == SS_ETCHEDHORZ)
        size.bottom = size.top;
    else
        size.right = size.left;
    AdjustWindowRectEx(&size, static_cast<DWORD>(style), FALSE, static_cast<DWORD>(GetWindowLongA(control, GWL_EXSTYLE)));
}

} // namespace

DisabledHold::DisabledHold(HWND window) : window_(window)
{
    if (window_)
        HoldDisabled(window_);
}

DisabledHold::~DisabledHold()
{
    if (!window_)
        return;
    ReleaseDisabled(window_);
    ActivateInputWindow(window_);
}

HWND InputWindowFor(HWND window)
{
    if (IsWindowEnabled(window))
        return window;
    // The program's dialogs share the main window's root owner (the
    // application window); the one nearest the top of the z-order that
    // takes input and has a caption (not a tool tip, not a menu) is the one
    // the user last worked in.
    const HWND family = RootOwner(window);
    for (HWND other = GetTopWindow(nullptr); other; other = GetWindow(other, GW_HWNDNEXT)) {
        if (other == window || !IsWindowVisible(other) || !IsWindowEnabled(other))
            continue;
        if ((GetWindowLongA(other, GWL_STYLE) & WS_CAPTION) != WS_CAPTION)
            continue;
        if (other != family && RootOwner(other) == family)
            return other;
    }
    return window;
}

Window::~Window()
{
    if (hwnd_) {
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

void Window::Create(const CreateArgs& args)
{
    // Unicode windows: every text they are given or hold keeps every
    // character, whatever the system's code page.
    static std::set<std::string> registered;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    const std::wstring className = Wide(args.className);
    if (!registered.count(args.className)) {
        WNDCLASSEXW wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &Window::Trampoline;
        wc.hInstance = instance;
        wc.hIcon = args.icon;
        wc.hIconSm = args.icon;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = args.background;
        wc.lpszClassName = className.c_str();
        RegisterClassExW(&wc);
        registered.insert(args.className);
    }
    hwnd_ = CreateWindowExW(args.exStyle, className.c_str(), Wide(args.title).c_str(), args.style, args.x, args.y,
                            args.width, args.height, args.parent, args.menu, instance, this);
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return Default(message, wParam, lParam);
}

LRESULT Window::Default(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcW(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Window::Trampoline(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    if (!self)
        return DefWindowProcW(hwnd, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // The window is gone; the object may live on without it.
        const LRESULT result = DefWindowProcW(hwnd, message, wParam, lParam);
        SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return result;
    }
    // Where the errors of our windows stop: a command ends where it failed,
    // the standard error box shows why, and the program runs on.
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (const std::exception& e) {
        ReportError(e);
        return 0;
    }
}

void Form::CreateForm(const FormArgs& args)
{
    const SIZE size = WindowSizeForClient(args.clientWidth, args.clientHeight, args.style, args.exStyle,
                                          args.menu != nullptr);
    HICON icon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(args.iconId)); // shared, never destroyed
    Create({.className = args.className,
            .title = args.caption,
            .style = args.style,
            // Tab moves through the controls of the panels as through the form's own.
            .exStyle = args.exStyle | WS_EX_CONTROLPARENT,
            .x = (GetSystemMetrics(SM_CXSCREEN) - size.cx) / 2,
            .y = (GetSystemMetrics(SM_CYSCREEN) - size.cy) / 2,
            .width = size.cx,
            .height = size.cy,
            .parent = args.owner,
            .menu = args.menu,
            .icon = icon});
    SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(UiFont()), FALSE);
    // The controls are made at the screen's DPI; a form that opens on a
    // monitor of another DPI is laid out again when it is shown.
    dpi_ = ScreenDpi();
    iconId_ = args.iconId;
    SetIcons(dpi_);
    client96_ = SIZE{args.clientWidth, args.clientHeight};
    style_ = args.style;
    exStyle_ = args.exStyle | WS_EX_CONTROLPARENT;
    hasMenu_ = args.menu != nullptr;
}

Form::~Form()
{
    // The window goes after the form's members: it gives the icons back first.
    if (Handle()) {
        SendMessageA(Handle(), WM_SETICON, ICON_SMALL, 0);
        SendMessageA(Handle(), WM_SETICON, ICON_BIG, 0);
    }
}

void Form::SetIcons(int dpi)
{
    // The small one in the title bar (a modal frame would show none without
    // it), the big one in the task switcher, each drawn for its size.
    IconHandle titleBar = LoadIconAtSize(iconId_, SystemMetricForDpi(SM_CXSMICON, dpi));
    IconHandle switcher = LoadIconAtSize(iconId_, SystemMetricForDpi(SM_CXICON, dpi));
    if (titleBar) {
        SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(titleBar.get()));
        smallIcon_ = std::move(titleBar);
    }
    if (switcher) {
        SendMessageA(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(switcher.get()));
        bigIcon_ = std::move(switcher);
    }
}

void Form::LayOutForDpi(int dpi)
{
    const SIZE size = WindowSizeForClient(client96_.cx, client96_.cy, style_, exStyle_, hasMenu_, dpi);
    SetWindowPos(Handle(), nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    PlaceChildren(dpi);
}

void Form::PlaceChildren(int dpi)
{
    dpi_ = dpi;
    HFONT font = UiFont(dpi);
    SendMessageA(Handle(), WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    // Every child, on the form or on its panels, back at its place scaled;
    // those with the windows' font get it for the new DPI.
    struct Walk {
        int dpi;
        HFONT font;
    } walk{dpi, font};
    EnumChildWindows(
        Handle(),
        [](HWND child, LPARAM data) -> BOOL {
            const auto& w = *reinterpret_cast<const Walk*>(data);
            if (const std::optional<RECT> at = KeptLayout(child)) {
                const int left = Scale(at->left, w.dpi);
                const int top = Scale(at->top, w.dpi);
                RECT size{0, 0, Scale(at->right, w.dpi) - left, Scale(at->bottom, w.dpi) - top};
                EtchedLineSize(child, size);
                SetWindowPos(child, nullptr, left, top, size.right - size.left, size.bottom - size.top,
                             SWP_NOZORDER | SWP_NOACTIVATE);
            }
            if (IsUiFont(reinterpret_cast<HFONT>(SendMessageW(child, WM_GETFONT, 0, 0))))
                SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(w.font), TRUE);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&walk));
    SetIcons(dpi);
    FormDpiChanged(dpi);
    InvalidateRect(Handle(), nullptr, TRUE);
}

HMONITOR Form::UsersMonitor() const
{
    // A dialog goes over the window it was opened from; a window opened from
    // the tray, the keyboard or a hidden window, where the pointer is.
    if (opener_ && IsWindowVisible(opener_))
        return MonitorFromWindow(opener_, MONITOR_DEFAULTTOPRIMARY);
    POINT pointer{};
    GetCursorPos(&pointer);
    return MonitorFromPoint(pointer, MONITOR_DEFAULTTOPRIMARY);
}

void Form::CentreOn(HMONITOR monitor, HWND insertAfter)
{
    // The whole monitor, as the screen is on a single one: the place is the
    // same as it always was there.
    RECT area{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (monitor && GetMonitorInfoA(monitor, &info))
        area = info.rcMonitor;
    const UINT order = insertAfter ? 0 : SWP_NOZORDER | SWP_NOACTIVATE;
    const auto centre = [&] {
        RECT r;
        GetWindowRect(Handle(), &r);
        const int width = r.right - r.left;
        const int height = r.bottom - r.top;
        SetWindowPos(Handle(), insertAfter, area.left + (area.right - area.left - width) / 2,
                     area.top + (area.bottom - area.top - height) / 2, 0, 0, SWP_NOSIZE | order);
    };
    centre();
    // Standing there now, the form takes that monitor's DPI, and is centred
    // again at its new size.
    if (const int dpi = WindowDpi(Handle()); dpi != dpi_) {
        LayOutForDpi(dpi);
        centre();
    }
}

void Form::ComeToUsersMonitor()
{
    HMONITOR monitor = UsersMonitor();
    if (MonitorFromWindow(Handle(), MONITOR_DEFAULTTONEAREST) != monitor)
        CentreOn(monitor, nullptr);
}

void Form::Show()
{
    if (Visible()) { // shown already: only to the front
        SetForegroundWindow(Handle());
        return;
    }
    if (!shownOnce_) {
        FormFirstShow();
        shownOnce_ = true;
    }
    FormShow();
    if (opener_ && !holdsOpener_) {
        HoldDisabled(opener_);
        holdsOpener_ = true;
    }
    CentreOn(UsersMonitor(), HWND_TOPMOST);
    lastFocus_ = nullptr; // a window opens with the focus on its first control
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
    if (GetActiveWindow() == Handle())
        SetFocus(FirstControl());
}

void Form::Close()
{
    FormClose();
    // The opener is enabled before this window is hidden, so that the system
    // can hand it the activation; then it, or the dialog that still holds
    // it, is brought to the front.
    const bool releases = holdsOpener_;
    if (holdsOpener_) {
        ReleaseDisabled(opener_);
        holdsOpener_ = false;
    }
    ShowWindow(Handle(), SW_HIDE);
    if (releases)
        ActivateInputWindow(opener_);
}

HWND Form::Item(int id) const
{
    if (HWND item = GetDlgItem(Handle(), id))
        return item;
    for (const auto& panel : panels_)
        if (HWND item = GetDlgItem(panel->Handle(), id))
            return item;
    return nullptr;
}

HWND Form::AddPanel(int id, int x, int y, int width, int height)
{
    panels_.push_back(std::make_unique<Panel>(Handle(), id, x, y, width, height));
    return panels_.back()->Handle();
}

HWND Form::FirstControl() const
{
    return GetNextDlgTabItem(Handle(), nullptr, FALSE);
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CLOSE:
        Close();
        return 0;
    case WM_ACTIVATE:
        // Leaving: remember which control had the focus, to give it back.
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(Handle(), focus))
                lastFocus_ = focus;
        }
        break;
    case WM_COMMAND:
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDOK) {
            OnOK();
            return 0;
        }
        if (HIWORD(wParam) == BN_CLICKED && LOWORD(wParam) == IDCANCEL) {
            OnCancel();
            return 0;
        }
        break;
    case WM_DPICHANGED: {
        // Moved to a monitor of another DPI (or the scale changed): the
        // system's rectangle keeps the form under the pointer at its new size.
        const auto* suggested = reinterpret_cast<const RECT*>(lParam);
        SetWindowPos(Handle(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
        PlaceChildren(HIWORD(wParam));
        return 0;
    }
    case WM_SETFOCUS: {
        HWND target = lastFocus_;
        if (!target || !IsWindow(target) || !IsWindowVisible(target) || !IsWindowEnabled(target))
            target = FirstControl();
        if (target)
            SetFocus(target);
        return 0;
    }
    default:
        break;
    }
    return Default(message, wParam, lParam);
}

Panel::Panel(HWND parent, int id, int x, int y, int width, int height)
{
    Create({.className = "TPanel",
            .style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
            .exStyle = WS_EX_CONTROLPARENT,
            .x = Scale(x),
            .y = Scale(y),
            .width = Scale(width),
            .height = Scale(height),
            .parent = parent,
            .menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id))});
    KeepLayout(Handle(), x, y, width, height);
}

LRESULT Panel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
        return SendMessageW(GetParent(Handle()), message, wParam, lParam);
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        RECT r;
        GetClientRect(Handle(), &r);
        DrawEdge(dc, &r, BDR_RAISEDINNER, BF_RECT);
        EndPaint(Handle(), &ps);
        return 0;
    }
    default:
        return Default(message, wParam, lParam);
    }
}

} // namespace quickdex::win32
