#include "platform/win32/Window.h"

#include <cstdio>
#include <set>

namespace quickdex::win32 {
namespace {

std::function<void(const std::exception&)>& ErrorHandler()
{
    static std::function<void(const std::exception&)> handler;
    return handler;
}

int ScreenDpi()
{
    static const int dpi = [] {
        HDC screen = GetDC(nullptr);
        const int value = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
        if (screen)
            ReleaseDC(nullptr, screen);
        return value > 0 ? value : 96;
    }();
    return dpi;
}

} // namespace

void SetErrorHandler(std::function<void(const std::exception&)> handler)
{
    ErrorHandler() = std::move(handler);
}

void ReportError(const std::exception& error)
{
    if (ErrorHandler())
        ErrorHandler()(error);
    else
        MessageBoxA(nullptr, error.what(), nullptr, MB_ICONERROR | MB_OK);
}

int Scale(int pixels)
{
    return MulDiv(pixels, ScreenDpi(), 96);
}

Window::~Window()
{
    if (hwnd_) {
        SetWindowLongPtrA(hwnd_, GWLP_USERDATA, 0);
        DestroyWindow(hwnd_);
    }
}

void Window::Create(const CreateArgs& args)
{
    static std::set<std::string> registered;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    if (!registered.count(args.className)) {
        WNDCLASSEXA wc{};
        wc.cbSize = sizeof wc;
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = &Window::Trampoline;
        wc.hInstance = instance;
        wc.hIcon = args.icon;
        wc.hIconSm = args.icon;
        wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
        wc.hbrBackground = args.background;
        wc.lpszClassName = args.className;
        RegisterClassExA(&wc);
        registered.insert(args.className);
    }
    hwnd_ = CreateWindowExA(args.exStyle, args.className, args.title, args.style, args.x, args.y, args.width,
                            args.height, args.parent, args.menu, instance, this);
}

LRESULT Window::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    return Default(message, wParam, lParam);
}

LRESULT Window::Default(UINT message, WPARAM wParam, LPARAM lParam)
{
    return DefWindowProcA(hwnd_, message, wParam, lParam);
}

LRESULT CALLBACK Window::Trampoline(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        auto* self = static_cast<Window*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<Window*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self)
        return DefWindowProcA(hwnd, message, wParam, lParam);
    // The one place where errors stop: a command ends where it failed, the
    // standard error box shows why, and the program runs on.
    if (message == WM_NCDESTROY) {
        // The window is gone; the object may live on without it.
        const LRESULT result = DefWindowProcA(hwnd, message, wParam, lParam);
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return result;
    }
    try {
        return self->HandleMessage(message, wParam, lParam);
    } catch (const std::exception& e) {
        ReportError(e);
        return 0;
    }
}

void Form::CreateForm(const char* className, const char* caption, int clientWidth, int clientHeight, HWND owner,
                      HICON icon)
{
    constexpr DWORD style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPSIBLINGS;
    constexpr DWORD exStyle = WS_EX_TOPMOST | WS_EX_DLGMODALFRAME;
    const SIZE size = WindowSizeForClient(clientWidth, clientHeight, style, exStyle, false);
    Create({.className = className,
            .title = caption,
            .style = style,
            .exStyle = exStyle,
            .x = 0,
            .y = 0,
            .width = size.cx,
            .height = size.cy,
            .parent = owner,
            .icon = icon});
    // The small icon in the title bar (a modal frame would show none).
    if (icon)
        SendMessageA(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
}

void Form::Show()
{
    FormShow();
    RECT r;
    GetWindowRect(Handle(), &r);
    const int width = r.right - r.left;
    const int height = r.bottom - r.top;
    SetWindowPos(Handle(), HWND_TOPMOST, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, 0, 0, SWP_NOSIZE);
    ShowWindow(Handle(), SW_SHOW);
    SetForegroundWindow(Handle());
}

void Form::Close()
{
    // The opener is enabled before this window goes, so that it is the one
    // the system activates next.
    FormClose();
    ShowWindow(Handle(), SW_HIDE);
    if (opener_ && IsWindowVisible(opener_) && IsWindowEnabled(opener_))
        SetForegroundWindow(opener_);
}

std::string Form::Caption() const
{
    return WindowText(Handle());
}

LRESULT Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_CLOSE) {
        Close();
        return 0;
    }
    return Default(message, wParam, lParam);
}

Panel::Panel(HWND parent, int id, int x, int y, int width, int height)
{
    Create({.className = "TPanel",
            .style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS,
            .x = Scale(x),
            .y = Scale(y),
            .width = Scale(width),
            .height = Scale(height),
            .parent = parent,
            .menu = reinterpret_cast<HMENU>(static_cast<INT_PTR>(id))});
}

LRESULT Panel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSTATIC:
        return SendMessageA(GetParent(Handle()), message, wParam, lParam);
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

std::vector<HWND> CreateControls(HWND parent, std::span<const ControlSpec> controls, HFONT font)
{
    std::vector<HWND> handles;
    HINSTANCE instance = GetModuleHandleA(nullptr);
    for (const ControlSpec& c : controls) {
        HWND control = CreateWindowExA(c.exStyle, c.className, c.text, WS_CHILD | WS_VISIBLE | c.style, Scale(c.x),
                                       Scale(c.y), Scale(c.width), Scale(c.height), parent,
                                       reinterpret_cast<HMENU>(static_cast<INT_PTR>(c.id)), instance, nullptr);
        if (control && font)
            SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        handles.push_back(control);
    }
    return handles;
}

FontHandle CreateUiFont(const char* face, int points)
{
    const int height = -MulDiv(points, ScreenDpi(), 72);
    return FontHandle(CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                                  CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face));
}

std::wstring FromCodePage(std::string_view text, unsigned codePage)
{
    if (text.empty())
        return {};
    const int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

void ProcessMessages()
{
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam)); // leave it for the loop that ends the program
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

std::string WindowText(HWND window)
{
    const int length = GetWindowTextLengthA(window);
    std::string text(static_cast<std::size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(window, text.data(), length + 1);
    text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
    return text;
}

SIZE WindowSizeForClient(int width, int height, DWORD style, DWORD exStyle, bool hasMenu)
{
    RECT r{0, 0, Scale(width), Scale(height)};
    AdjustWindowRectEx(&r, style, hasMenu, exStyle);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

} // namespace quickdex::win32
