// Every window moved to a monitor of another DPI, as the system tells it
// (WM_DPICHANGED with its suggested rectangle), and back: where its controls
// stand and how big its text is, against the 96-dpi layout scaled.
#include "ProgramWindows.h"
#include "WinSupport.h"
#include "platform/win32/Dpi.h"
#include "platform/win32/Handles.h"
#include "../../res/resource.h"

#include <gtest/gtest.h>

#include <array>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace quickdex {
namespace {

using namespace quickdex::test;

constexpr int High = 144; // 150 %

std::string ClassOf(HWND window)
{
    char name[64] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

// A control's rectangle in its parent's client area.
RECT InParent(HWND control)
{
    RECT r;
    GetWindowRect(control, &r);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

// The controls a form lays out: its own children and its panels'.
std::vector<HWND> LaidOut(HWND form)
{
    std::vector<HWND> found;
    EnumChildWindows(
        form,
        [](HWND child, LPARAM data) -> BOOL {
            auto& out = *reinterpret_cast<std::vector<HWND>*>(data);
            HWND parent = GetParent(child);
            if (parent == GetAncestor(child, GA_ROOT) || ClassOf(parent) == "TPanel")
                out.push_back(child);
            return TRUE;
        },
        reinterpret_cast<LPARAM>(&found));
    return found;
}

// Panels and etched lines draw no text; the picture buttons show pictures only.
bool ShowsText(HWND control)
{
    const std::string name = ClassOf(control);
    if (name == "Static" && (GetWindowLongA(control, GWL_STYLE) & SS_TYPEMASK) == SS_ETCHEDHORZ)
        return false;
    return name != "TPanel" && name != "ToolbarWindow32";
}

int FontHeight(HWND control)
{
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    LOGFONTA face{};
    if (!font || !GetObjectA(font, sizeof face, &face))
        return 0;
    return face.lfHeight;
}

std::string FontFace(HWND control)
{
    HFONT font = reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
    LOGFONTA face{};
    if (!font || !GetObjectA(font, sizeof face, &face))
        return "";
    return face.lfFaceName;
}

void SendDpiChanged(HWND form, int dpi, const RECT& suggested)
{
    SendMessageA(form, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

RECT Scaled(const RECT& r, int dpi)
{
    return RECT{MulDiv(r.left, dpi, 96), MulDiv(r.top, dpi, 96), MulDiv(r.right, dpi, 96), MulDiv(r.bottom, dpi, 96)};
}

class DpiTest : public ProgramWindowsTest {
protected:
    void SetUp() override
    {
        if (win32::ScreenDpi() != 96)
            GTEST_SKIP() << "the layout's numbers are for a screen of 96 dpi";
        Start("[3+78]\r\nAction=notepad.exe\r\nSort=Tools\r\n[7+145]\r\nAction=x\r\n");
    }

    // Moves `form` to 150 % and back, checking every laid-out control against
    // its place at 96 dpi scaled, and its text against 8 points at that DPI.
    void RoundTrip(HWND form, const char* name)
    {
        SCOPED_TRACE(name);
        const std::vector<HWND> controls = LaidOut(form);
        ASSERT_FALSE(controls.empty());
        std::map<HWND, RECT> at96;
        for (HWND c : controls) {
            at96[c] = InParent(c);
            if (ShowsText(c)) {
                EXPECT_EQ(FontHeight(c), -11) << ClassOf(c) << " at 96 dpi";
                EXPECT_EQ(FontFace(c), "Microsoft Sans Serif") << ClassOf(c);
            }
        }
        RECT window96;
        GetWindowRect(form, &window96);

        // The system suggests a rectangle on the other monitor; the window takes it.
        const RECT suggested{window96.left + 40, window96.top + 30,
                             window96.left + 40 + MulDiv(window96.right - window96.left, High, 96),
                             window96.top + 30 + MulDiv(window96.bottom - window96.top, High, 96)};
        SendDpiChanged(form, High, suggested);
        RECT now;
        GetWindowRect(form, &now);
        EXPECT_TRUE(EqualRect(&now, &suggested)) << "the window does not take the suggested rectangle";
        for (HWND c : controls) {
            SCOPED_TRACE(ClassOf(c) + " id " + std::to_string(GetDlgCtrlID(c)));
            const RECT want = Scaled(at96[c], High);
            const RECT got = InParent(c);
            EXPECT_EQ(got.left, want.left);
            EXPECT_EQ(got.top, want.top);
            // An etched line is as thick as its edges, at any DPI; a drop-down
            // list's field is as high as its font, not its table height.
            const bool line = (GetWindowLongA(c, GWL_STYLE) & SS_TYPEMASK) == SS_ETCHEDHORZ && ClassOf(c) == "Static";
            if (line) {
                EXPECT_EQ(got.bottom - got.top, at96[c].bottom - at96[c].top);
                EXPECT_NEAR(got.right, want.right, 1);
            } else {
                EXPECT_EQ(got.right, want.right);
            }
            if (ClassOf(c) != "ComboBox" && !line) {
                EXPECT_EQ(got.bottom, want.bottom);
            }
            if (ShowsText(c)) {
                EXPECT_EQ(FontHeight(c), -MulDiv(8, High, 72));
            }
        }

        // And back: nothing moved by a pixel from where it started.
        SendDpiChanged(form, 96, window96);
        GetWindowRect(form, &now);
        EXPECT_TRUE(EqualRect(&now, &window96));
        for (HWND c : controls) {
            SCOPED_TRACE(ClassOf(c) + " id " + std::to_string(GetDlgCtrlID(c)));
            const RECT got = InParent(c);
            EXPECT_TRUE(EqualRect(&got, &at96[c]))
                << got.left << "," << got.top << "," << got.right << "," << got.bottom << " against " << at96[c].left
                << "," << at96[c].top << "," << at96[c].right << "," << at96[c].bottom;
            if (ShowsText(c)) {
                EXPECT_EQ(FontHeight(c), -11);
            }
        }
    }
};

TEST_F(DpiTest, EveryWindowLaysItselfOutAgainAtTheNewDpiAndBack)
{
    RoundTrip(main->Handle(), "main window");
    RoundTrip(editor->Handle(), "hotkey editor");
    RoundTrip(chooser->Handle(), "action chooser");
    RoundTrip(sortForm->Handle(), "category editor");
    RoundTrip(sortName->Handle(), "category name");
    RoundTrip(about->Handle(), "About");
}

TEST_F(DpiTest, TablePlacesAtOneAndAHalfTimes)
{
    // A few places straight from the layouts: the main window's Exit button
    // (320, 8, 65 x 25 on its panel), About's Close (240, 160, 57 x 21).
    RECT main96;
    GetWindowRect(main->Handle(), &main96);
    SendDpiChanged(main->Handle(), High, main96);
    const RECT exit = InParent(FindControl(main->Handle(), "Button", "Exit"));
    EXPECT_EQ(exit.left, 480);
    EXPECT_EQ(exit.top, 12);
    EXPECT_EQ(exit.right - exit.left, 98);
    EXPECT_EQ(exit.bottom - exit.top, 38);

    RECT about96;
    GetWindowRect(about->Handle(), &about96);
    SendDpiChanged(about->Handle(), High, about96);
    const RECT close = InParent(FindControl(about->Handle(), "Button", "Close"));
    EXPECT_EQ(close.left, 360);
    EXPECT_EQ(close.top, 240);
    EXPECT_EQ(close.right - close.left, 86);
    EXPECT_EQ(close.bottom - close.top, 32);
}

TEST_F(DpiTest, ListColumnsFillTheListAtEveryDpi)
{
    HWND list = main->ListView();
    const auto total = [&] {
        int sum = 0;
        for (int i = 0; i < 3; ++i)
            sum += ListView_GetColumnWidth(list, i);
        return sum;
    };
    const int at96 = total();
    EXPECT_EQ(at96, 380);
    RECT r;
    GetWindowRect(main->Handle(), &r);
    SendDpiChanged(main->Handle(), High, r);
    EXPECT_EQ(total(), MulDiv(380, High, 96)) << "the columns no longer fill the list";
    EXPECT_GE(ListView_GetColumnWidth(list, 0), MulDiv(100, High, 96));
    EXPECT_GE(ListView_GetColumnWidth(list, 1), MulDiv(80, High, 96));
    SendDpiChanged(main->Handle(), 96, r);
    EXPECT_EQ(total(), at96);
}

TEST_F(DpiTest, PictureButtonsScaleWithTheEditor)
{
    main->AddBitBtnClick(); // its first showing gives the buttons their pictures
    RECT r;
    GetWindowRect(editor->Handle(), &r);
    SendDpiChanged(editor->Handle(), High, r);
    POINT origin{0, 0};
    ClientToScreen(editor->Handle(), &origin);
    for (int i = 0; i < 3; ++i) {
        RECT button;
        SendMessageA(editor->Buttons(), TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&button));
        MapWindowPoints(editor->Buttons(), nullptr, reinterpret_cast<POINT*>(&button), 2);
        EXPECT_EQ(button.left - origin.x, MulDiv(360 + 24 * i, High, 96)) << "button " << i;
        EXPECT_EQ(button.top - origin.y, MulDiv(24, High, 96)) << "button " << i;
        EXPECT_EQ(button.right - button.left, MulDiv(24, High, 96)) << "button " << i;
    }
    SendDpiChanged(editor->Handle(), 96, r);
    editor->Close();
}

// The width of the picture the system takes from an icon of the exe for
// `size` pixels: the one drawn for that size when the icon has it.
int DrawnWidthFor(int iconId, int size)
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    HRSRC group = FindResourceA(instance, MAKEINTRESOURCEA(iconId), MAKEINTRESOURCEA(14)); // RT_GROUP_ICON
    if (!group)
        return 0;
    auto* directory = static_cast<BYTE*>(LockResource(LoadResource(instance, group)));
    const int entry = LookupIconIdFromDirectoryEx(directory, TRUE, size, size, LR_DEFAULTCOLOR);
    HRSRC picture = FindResourceA(instance, MAKEINTRESOURCEA(entry), MAKEINTRESOURCEA(3)); // RT_ICON
    if (!picture)
        return 0;
    // The entry's own header: a BITMAPINFOHEADER (or a PNG, which these are not).
    const auto* header = static_cast<const BITMAPINFOHEADER*>(LockResource(LoadResource(instance, picture)));
    return header && header->biSize == sizeof(BITMAPINFOHEADER) ? header->biWidth : 0;
}

TEST(TrayPictures, DrawnForEverySmallIconSize)
{
    for (const int id : {IDI_TRAY_RUNNING, IDI_TRAY_STOPPED, IDI_TRAY_GREEN, IDI_TRAY_PLUS, IDI_TRAY_MINUS})
        for (const int size : {16, 20, 24, 32})
            EXPECT_EQ(DrawnWidthFor(id, size), size) << "icon " << id << " has no picture of " << size << " pixels";
}

TEST(TrayPictures, FivePicturesAtTheSystemsSmallIconSize)
{
    const std::array ids = {IDI_TRAY_RUNNING, IDI_TRAY_STOPPED, IDI_TRAY_GREEN, IDI_TRAY_PLUS, IDI_TRAY_MINUS};
    const win32::ImageListHandle list = win32::LoadSmallIcons(ids);
    ASSERT_TRUE(list);
    EXPECT_EQ(ImageList_GetImageCount(list.get()), 5);
    int width = 0, height = 0;
    ImageList_GetIconSize(list.get(), &width, &height);
    EXPECT_EQ(width, GetSystemMetrics(SM_CXSMICON));
    EXPECT_EQ(height, GetSystemMetrics(SM_CYSMICON));
}

// The windows' icons have a picture drawn for every small-icon size too.
TEST(WindowIcons, DrawnForEverySmallIconSize)
{
    for (const int id : {IDI_APP, IDI_EDITOR})
        for (const int size : {16, 20, 24, 32, 48})
            EXPECT_EQ(DrawnWidthFor(id, size), size) << "icon " << id << " has no picture of " << size << " pixels";
}

// What one picture of an image list shows, drawn over white.
struct Drawn {
    std::vector<COLORREF> pixels;
    int size = 0;
    COLORREF At(int x, int y) const { return pixels[static_cast<std::size_t>(y * size + x)]; }
    // The mean of every pixel, channel by channel.
    std::array<int, 3> Mean() const
    {
        std::array<long, 3> sum{};
        for (const COLORREF c : pixels) {
            sum[0] += GetRValue(c);
            sum[1] += GetGValue(c);
            sum[2] += GetBValue(c);
        }
        const long n = static_cast<long>(pixels.size());
        return {static_cast<int>(sum[0] / n), static_cast<int>(sum[1] / n), static_cast<int>(sum[2] / n)};
    }
};

Drawn DrawPicture(HIMAGELIST list, int index)
{
    Drawn out;
    int height = 0;
    ImageList_GetIconSize(list, &out.size, &height);
    HDC screen = GetDC(nullptr);
    HDC dc = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, out.size, out.size);
    HGDIOBJ old = SelectObject(dc, bitmap);
    RECT all{0, 0, out.size, out.size};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    ImageList_Draw(list, index, dc, 0, 0, ILD_NORMAL);
    for (int y = 0; y < out.size; ++y)
        for (int x = 0; x < out.size; ++x)
            out.pixels.push_back(GetPixel(dc, x, y));
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return out;
}

bool Reddish(COLORREF c)
{
    return GetRValue(c) > 150 && GetGValue(c) < 110 && GetBValue(c) < 110;
}

bool Light(COLORREF c)
{
    return GetRValue(c) > 220 && GetGValue(c) > 200 && GetBValue(c) > 200;
}

// Each strip at each size it is drawn at: as many pictures as at 16 pixels,
// of its own size, in the same order (each reads, in the mean, as the same
// picture at 16 pixels: a strip cut at the wrong width or put in the wrong
// order would not).
TEST(DrawnPictures, EveryStripHoldsTheSamePicturesAtEverySize)
{
    struct Strip {
        const char* name;
        int count;
        std::array<win32::DrawnStrip, 4> drawn;
    };
    const std::array strips = {
        Strip{"editor buttons", 3, {{{16, IDB_BUTTONS}, {20, IDB_BUTTONS20}, {24, IDB_BUTTONS24}, {32, IDB_BUTTONS32}}}},
        Strip{"row marks", 4, {{{16, IDB_MARKS16}, {20, IDB_MARKS20}, {24, IDB_MARKS24}, {32, IDB_MARKS32}}}},
        Strip{"chooser", 17, {{{16, IDB_CHOOSER}, {20, IDB_CHOOSER20}, {24, IDB_CHOOSER24}, {32, IDB_CHOOSER32}}}},
    };
    for (const Strip& strip : strips) {
        SCOPED_TRACE(strip.name);
        const win32::ImageListHandle at16 = win32::LoadImageStrip(strip.drawn[0].bitmapId, 16, 16);
        ASSERT_EQ(ImageList_GetImageCount(at16.get()), strip.count);
        for (const win32::DrawnStrip& sized : strip.drawn) {
            SCOPED_TRACE(std::to_string(sized.size) + " px");
            const win32::ImageListHandle list = win32::LoadImageStrip(sized.bitmapId, sized.size, sized.size);
            ASSERT_EQ(ImageList_GetImageCount(list.get()), strip.count) << "the strip is not as wide as its pictures";
            for (int i = 0; i < strip.count; ++i) {
                const std::array<int, 3> want = DrawPicture(at16.get(), i).Mean();
                const std::array<int, 3> got = DrawPicture(list.get(), i).Mean();
                for (std::size_t c = 0; c < 3; ++c)
                    EXPECT_NEAR(got[c], want[c], 24) << "picture " << i << ", channel " << c;
            }
        }
    }
}

// The fourth mark, "the target cannot be found", is told from the other three
// by its shape: a red sign in a light disc, where theirs are plain discs.
TEST(DrawnPictures, TheMissingMarkHasASignInALightDisc)
{
    for (const auto& [size, id] : {std::pair{16, IDB_MARKS16}, {20, IDB_MARKS20}, {24, IDB_MARKS24}, {32, IDB_MARKS32}}) {
        SCOPED_TRACE(std::to_string(size) + " px");
        const win32::ImageListHandle list = win32::LoadImageStrip(id, size, size);
        ASSERT_EQ(ImageList_GetImageCount(list.get()), 4);
        const int centre = size / 2;
        const int between = size / 2 + size * 3 / 16; // halfway from the centre to the rim
        const Drawn missing = DrawPicture(list.get(), 3);
        EXPECT_TRUE(Reddish(missing.At(centre, centre))) << std::hex << missing.At(centre, centre);
        EXPECT_TRUE(Light(missing.At(between, centre))) << std::hex << missing.At(between, centre);
        for (int i = 0; i < 3; ++i) {
            const Drawn plain = DrawPicture(list.get(), i);
            EXPECT_EQ(plain.At(centre, centre), plain.At(between, centre)) << "mark " << i + 1 << " is not plain";
            EXPECT_FALSE(Reddish(plain.At(centre, centre))) << "mark " << i + 1;
        }
    }
}

// The size of an icon's picture.
int IconWidth(HICON icon)
{
    ICONINFO info{};
    if (!icon || !GetIconInfo(icon, &info))
        return 0;
    BITMAP bitmap{};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof bitmap, &bitmap);
    if (info.hbmColor)
        DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bitmap.bmWidth;
}

int PictureSize(HIMAGELIST list)
{
    int width = 0, height = 0;
    if (!list || !ImageList_GetIconSize(list, &width, &height))
        return 0;
    EXPECT_EQ(width, height);
    return width;
}

// Moved from monitor to monitor, every window shows pictures drawn for the
// DPI it stands at, read from the controls themselves, and icons of the size
// the system asks for there; the icons it showed before are given back.
TEST_F(DpiTest, PicturesAndIconsOfTheSizeForEachDpi)
{
    main->AddBitBtnClick(); // the first showings give the pictures
    chooser->Show();
    const std::vector<std::pair<win32::Form*, const char*>> forms = {
        {&*main, "main window"}, {&*editor, "hotkey editor"}, {&*chooser, "action chooser"},
        {&*sortForm, "category editor"}, {&*sortName, "category name"}, {&*about, "About"}};
    for (const int dpi : {96, 144, 96, 120, 192, 96}) {
        SCOPED_TRACE(std::to_string(dpi) + " dpi");
        for (const auto& [form, name] : forms) {
            SCOPED_TRACE(name);
            RECT r;
            GetWindowRect(form->Handle(), &r);
            const auto oldSmall = reinterpret_cast<HICON>(SendMessageA(form->Handle(), WM_GETICON, ICON_SMALL, 0));
            const auto oldBig = reinterpret_cast<HICON>(SendMessageA(form->Handle(), WM_GETICON, ICON_BIG, 0));
            if (dpi != form->Dpi())
                SendDpiChanged(form->Handle(), dpi, r);
            const auto nowSmall = reinterpret_cast<HICON>(SendMessageA(form->Handle(), WM_GETICON, ICON_SMALL, 0));
            const auto nowBig = reinterpret_cast<HICON>(SendMessageA(form->Handle(), WM_GETICON, ICON_BIG, 0));
            EXPECT_EQ(IconWidth(nowSmall), MulDiv(16, dpi, 96));
            EXPECT_EQ(IconWidth(nowBig), MulDiv(32, dpi, 96));
            if (nowSmall != oldSmall) {
                EXPECT_EQ(IconWidth(oldSmall), 0) << "the icon it showed before still lives";
                EXPECT_EQ(IconWidth(oldBig), 0) << "the icon it showed before still lives";
            }
        }
        const int size = MulDiv(16, dpi, 96);
        const auto buttons = reinterpret_cast<HIMAGELIST>(SendMessageA(editor->Buttons(), TB_GETIMAGELIST, 0, 0));
        EXPECT_EQ(PictureSize(buttons), size) << "editor buttons";
        EXPECT_EQ(ImageList_GetImageCount(buttons), 3);
        const auto marks = reinterpret_cast<HIMAGELIST>(
            SendMessageA(main->ListView(), LVM_GETIMAGELIST, LVSIL_STATE, 0));
        EXPECT_EQ(PictureSize(marks), size) << "row marks";
        EXPECT_EQ(ImageList_GetImageCount(marks), 4);
        const auto leaves = reinterpret_cast<HIMAGELIST>(
            SendMessageA(chooser->TreeView(), TVM_GETIMAGELIST, TVSIL_STATE, 0));
        EXPECT_EQ(PictureSize(leaves), size) << "chooser";
        EXPECT_EQ(ImageList_GetImageCount(leaves), 17);
        // Rows at least as high as their pictures: none overlaps the next.
        EXPECT_GE(TreeView_GetItemHeight(chooser->TreeView()), size) << "chooser";
        RECT row{};
        ListView_GetItemRect(main->ListView(), 0, &row, LVIR_BOUNDS);
        EXPECT_GE(row.bottom - row.top, size) << "row marks";
    }
    chooser->Close();
    editor->Close();
}

// Where the windows open, on this machine's one monitor: as they always did.
TEST_F(DpiTest, DialogsOpenCentredOnTheScreen)
{
    main->ShowMainWindow();
    for (win32::Form* form : std::initializer_list<win32::Form*>{&*sortForm, &*about}) {
        form->Show();
        RECT r;
        GetWindowRect(form->Handle(), &r);
        EXPECT_EQ(r.left, (GetSystemMetrics(SM_CXSCREEN) - (r.right - r.left)) / 2) << form->Caption();
        EXPECT_EQ(r.top, (GetSystemMetrics(SM_CYSCREEN) - (r.bottom - r.top)) / 2) << form->Caption();
        form->Close();
    }
    ShowWindow(main->Handle(), SW_HIDE);
}

TEST_F(DpiTest, MainWindowOpensWhereItWasOnTheUsersMonitor)
{
    RECT first;
    GetWindowRect(main->Handle(), &first);
    EXPECT_EQ(first.left, (GetSystemMetrics(SM_CXSCREEN) - (first.right - first.left)) / 2);
    EXPECT_EQ(first.top, (GetSystemMetrics(SM_CYSCREEN) - (first.bottom - first.top)) / 2);

    // Moved by the user, hidden, and shown again from the tray with the
    // pointer elsewhere on the same monitor: it stays where it was put.
    main->ShowMainWindow();
    SetWindowPos(main->Handle(), nullptr, 20, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ShowWindow(main->Handle(), SW_HIDE); // to the tray
    SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 5, GetSystemMetrics(SM_CYSCREEN) - 5);
    main->ShowMainWindow();
    RECT again;
    GetWindowRect(main->Handle(), &again);
    EXPECT_EQ(again.left, 20);
    EXPECT_EQ(again.top, 30);
    ShowWindow(main->Handle(), SW_HIDE);
}

} // namespace
} // namespace quickdex
