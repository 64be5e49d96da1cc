#include "ui/about/NetLabel.h"

#include "platform/win32/SystemLibraries.h"

#include <shellapi.h>

#include <utility>

namespace quickdex {

const char* HyperLinkPrefix(THyperLink kind)
{
    switch (kind) {
    case THyperLink::hlHTTP:
        return "http://";
    case THyperLink::hlMail:
        return "mailto:";
    case THyperLink::hlTelnet:
        return "telnet:";
    case THyperLink::hlGopher:
        return "gopher://";
    case THyperLink::hlNews:
        return "news:";
    case THyperLink::hlFTP:
        return "ftp://";
    }
    return "";
}

TNetLabel::TNetLabel(HWND parent, int x, int y, int width, int height, HFONT font) : font_(font)
{
    Create({.className = "TNetLabel",
            .style = WS_CHILD | WS_VISIBLE,
            .x = win32::Scale(x),
            .y = win32::Scale(y),
            .width = win32::Scale(width),
            .height = win32::Scale(height),
            .parent = parent});
    win32::KeepLayout(Handle(), x, y, width, height);
    SetFont(font);

    Open = [](HWND owner, const std::string& target) {
        win32::EnsureCom();
        ShellExecuteA(owner, nullptr, target.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    };
    // In this order: kind, link, colours, cursor (see WM_SETCURSOR), the
    // link as caption, maroon text, and the colour to restore.
    HyperLinkKind = THyperLink::hlMail;
    HyperLink = DefaultHyperLink;
    HLinkColor = 0xFF0000;
    VLinkColor = 0x800000;
    SetCaption(HyperLink);
    SetFontColor(0x000080);
    RestoreColor = color_;
}

TNetLabel::~TNetLabel() = default;

void TNetLabel::SetCaption(const std::string& caption)
{
    SetWindowTextA(Handle(), caption.c_str());
    InvalidateRect(Handle(), nullptr, TRUE);
}

void TNetLabel::SetFontColor(COLORREF color)
{
    color_ = color;
    InvalidateRect(Handle(), nullptr, TRUE);
}

void TNetLabel::SetUnderline(bool on)
{
    underlined_ = on;
    InvalidateRect(Handle(), nullptr, TRUE);
}

void TNetLabel::MouseEnter()
{
    RestoreColor = color_;
    SetFontColor(HLinkColor);
    SetUnderline(true);
}

void TNetLabel::MouseLeave()
{
    SetFontColor(RestoreColor);
    SetUnderline(false);
}

void TNetLabel::Click()
{
    if (OnClick)
        OnClick();
    if (HyperLink.empty())
        return;
    Open(GetParent(Handle()), HyperLinkPrefix(HyperLinkKind) + HyperLink);
    // Shown once the pointer leaves.
    RestoreColor = VLinkColor;
}

void TNetLabel::SetFont(HFONT font)
{
    font_ = font;
    // The same font, underlined, for the hover state.
    LOGFONTA face{};
    GetObjectA(font_, sizeof face, &face);
    face.lfUnderline = TRUE;
    underlineFont_.reset(CreateFontIndirectA(&face));
}

LRESULT TNetLabel::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_SETFONT: // the form's font for another DPI
        SetFont(reinterpret_cast<HFONT>(wParam));
        if (LOWORD(lParam))
            InvalidateRect(Handle(), nullptr, TRUE);
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(font_);
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        RECT r;
        GetClientRect(Handle(), &r);
        FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
        {
            const win32::SelectedObject font(dc, underlined_ ? underlineFont_.get() : font_);
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, color_);
            const std::string text = Caption();
            DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &r,
                      DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOPREFIX);
        }
        EndPaint(Handle(), &ps);
        return 0;
    }
    case WM_SETCURSOR:
        SetCursor(LoadCursor(nullptr, IDC_HAND));
        return TRUE;
    case WM_MOUSEMOVE:
        if (!tracking_) {
            TRACKMOUSEEVENT track{sizeof track, TME_LEAVE, Handle(), 0};
            tracking_ = TrackMouseEvent(&track) != FALSE;
            MouseEnter();
        }
        return 0;
    case WM_MOUSELEAVE:
        tracking_ = false;
        MouseLeave();
        return 0;
    // A click is a press and a release on the label: a release that follows
    // a press elsewhere, or the second press of a double click, opens nothing.
    case WM_LBUTTONDOWN:
        pressed_ = true;
        SetCapture(Handle());
        return 0;
    case WM_LBUTTONUP: {
        const bool wasPressed = std::exchange(pressed_, false);
        if (GetCapture() == Handle())
            ReleaseCapture();
        RECT r;
        GetClientRect(Handle(), &r);
        const POINT at{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        if (wasPressed && PtInRect(&r, at))
            Click();
        return 0;
    }
    case WM_CAPTURECHANGED:
        pressed_ = false;
        return 0;
    default:
        return Default(message, wParam, lParam);
    }
}

} // namespace quickdex
