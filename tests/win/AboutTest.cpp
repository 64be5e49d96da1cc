// The About window and the hyperlink label, in-process under Wine.
#include "WinSupport.h"
#include "ui/Application.h"
#include "ui/ProductInfo.h"
#include "ui/about/about.h"
#include "../../res/resource.h"

#include <olectl.h>

#include <algorithm>
#include <cstring>

#include <gtest/gtest.h>

#include <optional>

namespace quickdex {
namespace {

using namespace quickdex::test;

// The banner of the exe's resources decoded by the system (OLE's picture
// loader), as 300 x 60 colours: a decoder that is not ours.
std::vector<COLORREF> SystemDecodedBanner()
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HRSRC resource = FindResourceA(instance, MAKEINTRESOURCEA(IDR_BANNER), MAKEINTRESOURCEA(10));
    if (!resource)
        return {};
    const DWORD size = SizeofResource(instance, resource);
    HGLOBAL copy = GlobalAlloc(GMEM_MOVEABLE, size);
    std::memcpy(GlobalLock(copy), LockResource(LoadResource(instance, resource)), size);
    GlobalUnlock(copy);
    IStream* stream = nullptr;
    CreateStreamOnHGlobal(copy, TRUE, &stream);
    IPicture* picture = nullptr;
    std::vector<COLORREF> pixels;
    if (stream && SUCCEEDED(OleLoadPicture(stream, static_cast<LONG>(size), FALSE, IID_IPicture,
                                           reinterpret_cast<void**>(&picture)))) {
        OLE_HANDLE handle = 0;
        picture->get_Handle(&handle);
        HDC dc = CreateCompatibleDC(nullptr);
        HGDIOBJ old = SelectObject(dc, reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)));
        for (int y = 0; y < 60; ++y)
            for (int x = 0; x < 300; ++x)
                pixels.push_back(GetPixel(dc, x, y));
        SelectObject(dc, old);
        DeleteDC(dc);
        picture->Release();
    }
    if (stream)
        stream->Release();
    return pixels;
}

struct Opened {
    HWND owner;
    std::string target;
};

class AboutTest : public ::testing::Test {
protected:
    AboutTest()
    {
        app.SetTitle(ApplicationTitle);
    }
    // A label on a window of its own, its opener recording instead of
    // starting a mail program.
    TNetLabel& Label()
    {
        label.emplace(window.Handle(), 10, 10, 150, 13, win32::UiFont());
        label->Open = [this](HWND owner, const std::string& target) { opened.push_back({owner, target}); };
        return *label;
    }
    void Move(TNetLabel& l) { SendMessageA(l.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(2, 2)); }
    void Leave(TNetLabel& l) { SendMessageA(l.Handle(), WM_MOUSELEAVE, 0, 0); }
    void ClickOn(TNetLabel& l)
    {
        SendMessageA(l.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(2, 2));
        SendMessageA(l.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
    }

    TApplication app;
    HotkeyWindow window; // any parent
    std::optional<TNetLabel> label;
    std::vector<Opened> opened;
};

TEST_F(AboutTest, LabelHoverLeaveClickAndVisitedColour)
{
    TNetLabel& l = Label();
    EXPECT_EQ(l.HyperLinkKind, THyperLink::hlMail);
    EXPECT_EQ(l.Caption(), l.HyperLink); // the link is the caption at first
    EXPECT_EQ(l.FontColor(), 0x000080u); // maroon
    l.HyperLink = "someone@example.org";

    Move(l);
    EXPECT_EQ(l.FontColor(), 0xFF0000u);
    EXPECT_TRUE(l.Underlined());
    Leave(l);
    EXPECT_EQ(l.FontColor(), 0x000080u);
    EXPECT_FALSE(l.Underlined());

    int clicks = 0;
    l.OnClick = [&] {
        ++clicks;
        EXPECT_TRUE(opened.empty()) << "the label's own click runs first";
    };
    Move(l);
    ClickOn(l);
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].target, "mailto:someone@example.org");
    EXPECT_EQ(opened[0].owner, window.Handle());
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(l.FontColor(), 0xFF0000u) << "the hover colour stays until the pointer leaves";
    Leave(l);
    EXPECT_EQ(l.FontColor(), 0x800000u); // visited: navy
    Move(l);
    EXPECT_EQ(l.FontColor(), 0xFF0000u);
    Leave(l);
    EXPECT_EQ(l.FontColor(), 0x800000u);

    const char* prefixes[] = {"http://", "mailto:", "telnet:", "gopher://", "news:", "ftp://"};
    for (int kind = 0; kind < 6; ++kind)
        EXPECT_STREQ(HyperLinkPrefix(static_cast<THyperLink>(kind)), prefixes[kind]);
}

TEST_F(AboutTest, EmptyLinkOpensNothingAndNeverTurnsVisited)
{
    TNetLabel& l = Label();
    l.HyperLink.clear();
    Move(l);
    ClickOn(l);
    Leave(l);
    EXPECT_TRUE(opened.empty());
    EXPECT_EQ(l.FontColor(), 0x000080u);
}

TEST_F(AboutTest, WindowTextsLinksAndBanner)
{
    TAbout_Form about(app);
    EXPECT_EQ(about.Caption(), "About");
    RECT client;
    GetClientRect(about.Handle(), &client);
    EXPECT_EQ(client.right, win32::Scale(302));
    EXPECT_EQ(client.bottom, win32::Scale(186));
    EXPECT_NE(GetWindowLongA(about.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_NE(FindControl(about.Handle(), "Static", "version:"), nullptr);
    EXPECT_NE(FindControl(about.Handle(), "Static", "3.5"), nullptr);
    EXPECT_NE(FindControl(about.Handle(), "Button", "Close"), nullptr);

    TNetLabel& home = about.HomePage_NetLabel();
    EXPECT_EQ(home.HyperLinkKind, THyperLink::hlHTTP);
    EXPECT_EQ(home.Caption(), HomePageAddress);
    EXPECT_EQ(home.HyperLink.find("http://"), std::string::npos);
    std::string openedHome;
    home.Open = [&](HWND, const std::string& target) { openedHome = target; };
    home.Click();
    EXPECT_EQ(openedHome, home.Caption()) << "the address opened is the one shown";
    EXPECT_EQ(about.Mail_NetLabel().Caption(), SupportMailAddress);
    EXPECT_EQ(about.Mail_NetLabel().HyperLinkKind, THyperLink::hlMail);

    // What the window shows of the banner matches the picture in the exe's
    // resources as the system's own decoder reads it.
    about.Show();
    PumpUntil([] { return false; }, 300);
    ASSERT_EQ(about.Banner().width, 300);
    const std::vector<COLORREF> reference = SystemDecodedBanner();
    ASSERT_EQ(reference.size(), 300u * 60u);
    HDC dc = GetDC(about.Handle());
    int differing = 0;
    for (int y = 0; y < 60; y += 3) {
        for (int x = 0; x < 300; x += 3) {
            const COLORREF shown = GetPixel(dc, 1 + x, 1 + y);
            const COLORREF want = reference[static_cast<std::size_t>(y * 300 + x)];
            const int d = std::max({std::abs(GetRValue(shown) - GetRValue(want)),
                                    std::abs(GetGValue(shown) - GetGValue(want)),
                                    std::abs(GetBValue(shown) - GetBValue(want))});
            differing += d > 12;
        }
    }
    ReleaseDC(about.Handle(), dc);
    EXPECT_EQ(differing, 0) << "pixels of the banner on screen differ from the picture";
    about.Close();
}

TEST_F(AboutTest, MainWindowDisabledWhileOpenHoweverItCloses)
{
    HotkeyWindow mainWindow;
    ShowWindow(mainWindow.Handle(), SW_SHOW);
    TAbout_Form about(app);
    about.SetMainWindow(mainWindow.Handle());
    auto closeByButton = [&] { SendMessageA(FindControl(about.Handle(), "Button", "Close"), BM_CLICK, 0, 0); };
    auto closeByBox = [&] { SendMessageA(about.Handle(), WM_CLOSE, 0, 0); };
    auto closeByMenu = [&] { SendMessageA(about.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0); };
    for (const auto& close : {std::function<void()>(closeByButton), std::function<void()>(closeByBox),
                              std::function<void()>(closeByMenu)}) {
        about.Show();
        EXPECT_TRUE(about.Visible());
        EXPECT_FALSE(IsWindowEnabled(mainWindow.Handle()));
        close();
        EXPECT_FALSE(about.Visible());
        EXPECT_TRUE(IsWindowEnabled(mainWindow.Handle()));
    }
}

} // namespace
} // namespace quickdex
