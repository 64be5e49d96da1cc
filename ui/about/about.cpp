#include "ui/about/about.h"

#include "../../res/resource.h"
#include "../../res/version.h"
#include "ui/ProductInfo.h"

#include <array>
#include <cstring>

namespace quickdex {
namespace {

constexpr int ClientWidth = 302;
constexpr int ClientHeight = 186;
constexpr RECT Shape1{0, 0, 302, 62};
constexpr POINT Image1{1, 1};

// The home page without its "http://", which the label puts back.
std::string WithoutScheme(const std::string& address)
{
    const std::string scheme = "http://";
    return address.compare(0, scheme.size(), scheme) == 0 ? address.substr(scheme.size()) : address;
}

} // namespace

TAbout_Form::TAbout_Form(TApplication& application)
{
    CreateForm({.className = "TAbout_Form",
                .caption = "About",
                .clientWidth = ClientWidth,
                .clientHeight = ClientHeight,
                .owner = application.Handle()});
    static constexpr std::array labels = {
        win32::ControlSpec{0, "STATIC", "version:", 8, 72, 90, 13},
        win32::ControlSpec{0, "STATIC", QUICKDEX_VERSION_TEXT, 104, 72, 60, 13},
        win32::ControlSpec{0, "STATIC", "Home Page:", 8, 90, 90, 13},
        win32::ControlSpec{0, "STATIC", "E-Mail:", 8, 109, 90, 13},
        win32::ControlSpec{0, "STATIC", "Copyright:", 8, 127, 90, 13},
        win32::ControlSpec{0, "STATIC", CopyrightText, 104, 127, 190, 13},
        win32::ControlSpec{0, "STATIC", "", 2, 152, 297, 2, SS_ETCHEDHORZ}, // Panel1, a lowered line
        win32::ControlSpec{IDCANCEL, "BUTTON", "Close", 240, 160, 57, 21, WS_TABSTOP | BS_PUSHBUTTON},
    };
    win32::CreateControls(Handle(), labels);

    homePage_ = std::make_unique<TNetLabel>(Handle(), 104, 90, 154, 13, win32::UiFont());
    homePage_->HyperLinkKind = THyperLink::hlHTTP;
    homePage_->HyperLink = WithoutScheme(HomePageAddress);
    homePage_->SetCaption(HomePageAddress);
    homePage_->SetFontColor(0xFF0000);

    // Wider than the 114 pixels the layout gives: fonts wider than MS Sans Serif cut the address.
    mail_ = std::make_unique<TNetLabel>(Handle(), 104, 109, 190, 13, win32::UiFont());
    mail_->HyperLink = SupportMailAddress;
    mail_->SetCaption(SupportMailAddress);
    mail_->SetFontColor(0xFF0000);
}

void TAbout_Form::FormFirstShow()
{
    win32::Guarded([this] { LoadBanner(); });
}

void TAbout_Form::LoadBanner()
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(instance, MAKEINTRESOURCEA(IDR_BANNER), MAKEINTRESOURCEA(10)); // RT_RCDATA
    HGLOBAL loaded = resource ? LoadResource(instance, resource) : nullptr;
    const auto* bytes = static_cast<const std::uint8_t*>(loaded ? LockResource(loaded) : nullptr);
    if (!bytes)
        return;
    banner_ = DecodeJpeg({bytes, SizeofResource(instance, resource)});

    // A top-down 32-bit bitmap of the picture, blue-green-red as GDI wants it.
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = banner_.width;
    info.bmiHeader.biHeight = -banner_.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    bitmap_.reset(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap_)
        return;
    auto* out = static_cast<std::uint8_t*>(bits);
    for (std::size_t i = 0, n = static_cast<std::size_t>(banner_.width) * banner_.height; i < n; ++i) {
        out[i * 4 + 0] = banner_.pixels[i * 3 + 2];
        out[i * 4 + 1] = banner_.pixels[i * 3 + 1];
        out[i * 4 + 2] = banner_.pixels[i * 3 + 0];
        out[i * 4 + 3] = 0;
    }
}

void TAbout_Form::Paint(HDC dc)
{
    // Shape1: a black outline, white inside, framing the banner.
    RECT frame{win32::Scale(Shape1.left, Dpi()), win32::Scale(Shape1.top, Dpi()), win32::Scale(Shape1.right, Dpi()),
               win32::Scale(Shape1.bottom, Dpi())};
    FillRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    FrameRect(dc, &frame, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
    if (!bitmap_)
        return;
    // The picture fills its 300 x 60 place at any scale, as the frame does.
    win32::MemoryDC memory(dc, bitmap_.get());
    const int width = win32::Scale(Image1.x + banner_.width, Dpi()) - win32::Scale(Image1.x, Dpi());
    const int height = win32::Scale(Image1.y + banner_.height, Dpi()) - win32::Scale(Image1.y, Dpi());
    if (width == banner_.width && height == banner_.height) {
        BitBlt(dc, win32::Scale(Image1.x, Dpi()), win32::Scale(Image1.y, Dpi()), width, height, memory.Get(), 0, 0, SRCCOPY);
        return;
    }
    SetStretchBltMode(dc, HALFTONE);
    SetBrushOrgEx(dc, 0, 0, nullptr);
    StretchBlt(dc, win32::Scale(Image1.x, Dpi()), win32::Scale(Image1.y, Dpi()), width, height, memory.Get(), 0, 0, banner_.width,
               banner_.height, SRCCOPY);
}

void TAbout_Form::BitBtn1Click()
{
    Close();
}

LRESULT TAbout_Form::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(Handle(), &ps);
        Paint(dc);
        EndPaint(Handle(), &ps);
        return 0;
    }
    default:
        break;
    }
    return Form::HandleMessage(message, wParam, lParam);
}

} // namespace quickdex
