// The main window in-process, on a temporary folder: its real list view,
// menus, message boxes and registry, driven through its handlers and messages.
#include "DialogAnswerer.h"
#include "ProgramWindows.h"
#include "WinSupport.h"
#include "ui/Application.h"
#include "store/KeyNames.h"
#include "support/TempDir.h"
#include "ui/main/MainIds.h"
#include "ui/main/main.h"

#include <gtest/gtest.h>

#include <commctrl.h>
#include <functional>
#include <optional>

namespace quickdex {
namespace {

using namespace quickdex::test;

constexpr const char* TestRunKey = "\\SOFTWARE\\quickdexTest\\Run";

struct RowView {
    std::string caption, action, sort;
    int slot;
    bool operator==(const RowView&) const = default;
};

class RecordingEditor : public IBindingEditor {
public:
    void SetCaption(const char* caption) override { this->caption = caption; }
    void SetBinding(const Tquickdex& binding, const BindingId& id) override
    {
        section = id.section;
        hotKey = MakeShortcut(static_cast<std::uint16_t>(binding.Key), ModifiersToShiftState(binding.Modifiers));
        path = binding.Action;
        hint = binding.Hint;
        sort = binding.Sort;
    }
    void Show() override { ++shows; }
    std::string caption, path, hint, sort, section;
    std::uint16_t hotKey = 0;
    int shows = 0;
};

class MainFormTest : public ::testing::Test {
protected:
    MainFormTest()
    {
        // The user's Run key is made by the first write; the machine's is there.
        HKEY key = nullptr;
        RegCreateKeyExA(HKEY_LOCAL_MACHINE, TestRunKey + 1, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        RegCloseKey(key);
        app.SetTitle(ApplicationTitle);
    }
    ~MainFormTest() override
    {
        form.reset();
        RegDeleteTreeA(HKEY_LOCAL_MACHINE, "SOFTWARE\\quickdexTest");
        RegDeleteTreeA(HKEY_CURRENT_USER, "SOFTWARE\\quickdexTest");
    }

    // With `asUser`, the machine's key cannot be opened for writing, as
    // Windows refuses it to a program started without administrator's rights.
    void Start(const std::string& ini, bool asUser = false)
    {
        dir.Write("hotkey.ini", ini);
        RunKeys keys{.userPath = TestRunKey, .machinePath = TestRunKey, .open = {}};
        keys.open = [asUser](HKEY root, const char* path, REGSAM access, HKEY* key) -> LSTATUS {
            if (asUser && root == HKEY_LOCAL_MACHINE && (access & (KEY_SET_VALUE | KEY_CREATE_SUB_KEY)))
                return ERROR_ACCESS_DENIED;
            return RegOpenKeyExA(root, path, 0, access, key);
        };
        form.emplace(app, dir.Dir(), AutoRunSetting(exePath, std::move(keys)));
        form->SetEditor(&editor);
    }
    std::vector<RowView> Rows() const
    {
        std::vector<RowView> rows;
        HWND list = form->ListView();
        const int count = ListView_GetItemCount(list);
        for (int row = 0; row < count; ++row) {
            char text[3][512] = {};
            for (int column = 0; column < 3; ++column)
                ListView_GetItemText(list, row, column, text[column], 512);
            rows.push_back({text[0], text[1], text[2], form->SlotOfRow(row)});
        }
        return rows;
    }
    std::vector<std::string> Column(int column) const
    {
        std::vector<std::string> out;
        for (const RowView& r : Rows())
            out.push_back(column == 0 ? r.caption : column == 1 ? r.action : r.sort);
        return out;
    }
    void ClickColumn(int column)
    {
        NMLISTVIEW click{};
        click.hdr.hwndFrom = form->ListView();
        click.hdr.idFrom = ids::M_ListView;
        click.hdr.code = LVN_COLUMNCLICK;
        click.iItem = -1;
        click.iSubItem = column;
        SendMessageA(form->Handle(), WM_NOTIFY, ids::M_ListView, reinterpret_cast<LPARAM>(&click));
    }
    void Select(int row) { ListView_SetItemState(form->ListView(), row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED); }
    int RowOfSlotAction(const std::string& action) const
    {
        const auto rows = Rows();
        for (std::size_t i = 0; i < rows.size(); ++i)
            if (rows[i].action == action)
                return static_cast<int>(i);
        return -1;
    }
    std::string InfoTip(int row) { return InfoTipOf(*form, row); }
    std::string MenuText(HMENU menu, int id) const
    {
        char text[128] = {};
        GetMenuStringA(menu, static_cast<UINT>(id), text, sizeof text, MF_BYCOMMAND);
        // As shown: the ampersand only underlines the letter after it.
        std::string shown = text;
        std::erase(shown, '&');
        return shown;
    }
    void SetRunValue(const char* data, DWORD type = REG_SZ, HKEY root = HKEY_CURRENT_USER)
    {
        HKEY key = nullptr;
        RegCreateKeyExA(root, TestRunKey + 1, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr);
        RegSetValueExA(key, "quickdex", 0, type, reinterpret_cast<const BYTE*>(data), static_cast<DWORD>(strlen(data) + 1));
        RegCloseKey(key);
    }
    std::optional<std::string> RunValue(HKEY root = HKEY_CURRENT_USER) const
    {
        char data[1024] = {};
        DWORD size = sizeof data;
        DWORD type = 0;
        if (RegGetValueA(root, TestRunKey + 1, "quickdex", RRF_RT_ANY, &type, data, &size) != ERROR_SUCCESS)
            return std::nullopt;
        return std::string(data);
    }

    const std::string exePath = "C:\\Program Files\\quickdex\\quickdex.exe";
    const std::string runCommand = "\"" + exePath + "\""; // in quotes: never "C:\\Program.exe"
    bool Ticked() const
    {
        return (GetMenuState(form->MainMenu(), ids::AutoRun_N, MF_BYCOMMAND) & MF_CHECKED) != 0;
    }
    TempDir dir;
    ShellRecorder shell;
    TApplication app;
    RecordingEditor editor;
    std::optional<TMainForm> form;
};

const char* const ThreeBindings = "[3+66]\r\nAction=C:\\b.exe\r\nHint=bee\r\nSort=zoo\r\n"
                                  "[2+65]\r\nAction=a.exe\r\nHint=ay\r\nSort=Alpha\r\n"
                                  "[0+112]\r\nAction=Show quickdex\r\nHint=eff one\r\n";

TEST_F(MainFormTest, LayoutTextsAndRowsAfterLoad)
{
    Start(ThreeBindings);
    EXPECT_EQ(win32::WindowText(form->Handle()), "quickdex 3.5");
    EXPECT_FALSE(IsWindowVisible(form->Handle())) << "the main window starts hidden";
    EXPECT_FALSE(IsWindowVisible(app.Handle())) << "no taskbar button at start";
    RECT client;
    GetClientRect(form->Handle(), &client);
    EXPECT_EQ(client.right, win32::Scale(394));
    EXPECT_EQ(client.bottom, win32::Scale(404));
    EXPECT_EQ(GetWindowLongA(form->Handle(), GWL_STYLE) & WS_MAXIMIZEBOX, 0);

    char header[3][64] = {};
    for (int i = 0; i < 3; ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT;
        column.pszText = header[i];
        column.cchTextMax = 64;
        SendMessageA(form->ListView(), LVM_GETCOLUMNA, i, reinterpret_cast<LPARAM>(&column));
    }
    EXPECT_STREQ(header[0], "HotKey");
    EXPECT_STREQ(header[1], "Applicaton/Action");
    EXPECT_STREQ(header[2], "Sort");

    const std::vector<RowView> expected = {
        {"Ctrl + ALT + B", "C:\\b.exe", "zoo", 1},
        {"Ctrl + A", "a.exe", "Alpha", 2},
        {"F1", "Show quickdex", "Other", 3},
    };
    EXPECT_EQ(Rows(), expected);

    EXPECT_EQ(MenuText(form->MainMenu(), ids::MStop_N), "Stop");
    EXPECT_EQ(MenuText(form->MainMenu(), ids::N7), "Go to quickdex Home Page ->");
    EXPECT_EQ(MenuText(form->MainMenu(), ids::Sort_N), "Edit Sort");
    EXPECT_EQ(MenuText(form->TrayMenu(), ids::Show_N), "Show");
    EXPECT_EQ(MenuText(form->ListMenu(), ids::Delete_N), "Delete");
}

TEST_F(MainFormTest, SortingClicksAndRowToBindingAfterSorting)
{
    Start(ThreeBindings);
    ClickColumn(0);
    EXPECT_EQ(Column(0), (std::vector<std::string>{"Ctrl + A", "Ctrl + ALT + B", "F1"}));
    ClickColumn(0);
    EXPECT_EQ(Column(0), (std::vector<std::string>{"F1", "Ctrl + ALT + B", "Ctrl + A"}));
    ClickColumn(0);
    EXPECT_EQ(Column(0), (std::vector<std::string>{"Ctrl + A", "Ctrl + ALT + B", "F1"}));
    ClickColumn(2);
    EXPECT_EQ(Column(2), (std::vector<std::string>{"Alpha", "Other", "zoo"}));
    ClickColumn(2);
    EXPECT_EQ(Column(2), (std::vector<std::string>{"zoo", "Other", "Alpha"}));

    // Sorted by "Sort" descending: every step from a row reaches its own binding.
    const int row = RowOfSlotAction("a.exe");
    ASSERT_EQ(row, 2);
    EXPECT_EQ(InfoTip(row), "ay");
    EXPECT_EQ(InfoTip(0), "bee");
    Select(row);
    form->ChangeBitBtnClick();
    EXPECT_EQ(editor.caption, "Change Hotkey");
    EXPECT_EQ(editor.hotKey, MakeShortcut(65, shiftstate::Ctrl));
    EXPECT_EQ(editor.path, "a.exe");
    EXPECT_EQ(editor.hint, "ay");
    EXPECT_EQ(editor.sort, "Alpha");
    EXPECT_EQ(editor.section, "2+65");

    {
        DialogAnswerer answerer(IDOK);
        form->DelBitBtnClick();
        ASSERT_EQ(answerer.Boxes().size(), 1u);
    }
    EXPECT_EQ(dir.Read("hotkey.ini").find("[2+65]"), std::string::npos);
    EXPECT_NE(dir.Read("hotkey.ini").find("[3+66]"), std::string::npos);
    // Back in slot order, and the next click on the same column sorts up.
    EXPECT_EQ(Column(1), (std::vector<std::string>{"C:\\b.exe", "Show quickdex"}));
    EXPECT_EQ(form->SortState().LastSortColumn, -1);
    ClickColumn(2);
    EXPECT_FALSE(form->SortState().SortDescending);
}

TEST_F(MainFormTest, DeleteConfirmationTextAndCancel)
{
    Start("[1+65]\r\nAction=\"C:\\My Apps\\x.exe\" -a,b\r\nSort=My Work\r\n");
    const std::string before = dir.Read("hotkey.ini");
    Select(0);
    DialogAnswerer answerer(IDCANCEL);
    form->DelBitBtnClick();
    const auto boxes = answerer.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, L"quickdex 3.5");
    EXPECT_EQ(boxes[0].text, L"Are you sure to delete the item \"Alt + A: \"\"\"C:\\My Apps\\x.exe\"\" -a,b\",\"My Work\"\"?");
    EXPECT_TRUE(boxes[0].hasCancel);
    EXPECT_EQ(dir.Read("hotkey.ini"), before);
    EXPECT_EQ(Rows().size(), 1u);
}

// With the rows' marks in the 100-pixel column, every Ctrl+Alt and
// Ctrl+Shift caption was cut ("Ctrl + ALT ..."): each reads whole now, mark
// included, and the columns still fill the list as laid out.
TEST_F(MainFormTest, EveryCaptionReadsWholeBesideItsMark)
{
    Start("[1+65]\r\nAction=a\r\n[7+145]\r\nAction=b\r\n[6+123]\r\nAction=c\r\n[3+81]\r\nAction=d\r\n");
    HWND list = form->ListView();
    int total = 0;
    for (int column = 0; column < 3; ++column)
        total += ListView_GetColumnWidth(list, column);
    EXPECT_EQ(total, win32::Scale(380)) << "the columns no longer fill the list as laid out";
    EXPECT_GE(ListView_GetColumnWidth(list, 1), win32::Scale(80));
    for (int row = 0; row < 4; ++row) {
        const std::string caption = Rows()[static_cast<std::size_t>(row)].caption;
        SCOPED_TRACE(caption);
        EXPECT_NE(ListView_GetItemState(list, row, LVIS_STATEIMAGEMASK), 0u) << "no mark";
        RECT label{};
        ListView_GetItemRect(list, row, &label, LVIR_LABEL);
        const int text = ListView_GetStringWidth(list, caption.c_str());
        EXPECT_GE(label.right - label.left, text + win32::Scale(6));
    }
}

// Two sections of one combination: the second row shows its own values, and
// deleting it erases exactly its section. It once showed the first one's and
// erased the first, making the never-shown binding the live hotkey.
TEST_F(MainFormTest, DeleteOfAShadowedDuplicateErasesExactlyItsSection)
{
    const std::string first = "[1+65]\r\nAction=a.exe\r\n[3+67]\r\nAction=marker.exe\r\nHint=first C\r\n";
    Start(first + "[3+67]\r\nAction=notepad.exe\r\nHint=second C\r\n");
    ASSERT_EQ(Rows().size(), 3u);
    EXPECT_EQ(Rows()[1].action, "marker.exe");
    EXPECT_EQ(Rows()[2].action, "notepad.exe");
    EXPECT_NE(InfoTip(2).find("second C"), std::string::npos);
    Select(2);
    DialogAnswerer answerer(IDOK);
    form->DelBitBtnClick();
    ASSERT_EQ(answerer.Boxes().size(), 1u);
    EXPECT_NE(answerer.Boxes()[0].text.find(L"notepad.exe"), std::wstring::npos);
    EXPECT_EQ(dir.Read("hotkey.ini"), first);
    ASSERT_EQ(Rows().size(), 2u);
    EXPECT_EQ(Rows()[1].action, "marker.exe");
}

TEST_F(MainFormTest, NoSelectionNoticesAndDoubleClickOnNothing)
{
    Start(ThreeBindings);
    DialogAnswerer answerer;
    form->ChangeBitBtnClick();
    form->DelBitBtnClick();
    form->M_ListViewDblClick();
    const auto boxes = answerer.Boxes();
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[0].text, L"Please select the item you want to change");
    // The ideographic full stop, whatever the system's code page.
    EXPECT_EQ(boxes[1].text, L"Please select the item you want to delete\u3002");
    EXPECT_EQ(boxes[1].caption, L"quickdex 3.5");
    EXPECT_EQ(editor.shows, 0);
}

TEST_F(MainFormTest, StopStartCaptionsTrayImageAndRegistrations)
{
    Start("[5+80]\r\nAction=x\r\n");
    auto held = [] {
        if (!RegisterHotKey(nullptr, 77, MOD_SHIFT | MOD_ALT, 'P'))
            return true;
        UnregisterHotKey(nullptr, 77);
        return false;
    };
    EXPECT_TRUE(held());
    SendMessageA(form->Handle(), WM_COMMAND, ids::Stop_N, 0);
    EXPECT_EQ(MenuText(form->MainMenu(), ids::MStop_N), "Start");
    EXPECT_EQ(MenuText(form->TrayMenu(), ids::Stop_N), "Start");
    EXPECT_EQ(shell.ShownGrey(), true) << "the shell does not show the stopped picture";
    EXPECT_FALSE(held());
    EXPECT_EQ(Rows().size(), 1u);
    SendMessageA(form->Handle(), WM_COMMAND, ids::MStop_N, 0);
    EXPECT_EQ(MenuText(form->MainMenu(), ids::MStop_N), "Stop");
    EXPECT_EQ(shell.ShownGrey(), false) << "the shell does not show the running picture";
    EXPECT_TRUE(held());
}

TEST_F(MainFormTest, CloseButtonHidesAndExitReleasesEverything)
{
    Start("[5+81]\r\nAction=x\r\n");
    form->ShowMainWindow();
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_TRUE(IsWindowVisible(app.Handle())) << "the taskbar button comes back with the window";
    SendMessageA(form->Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);
    PumpUntil([&] { return !IsWindowVisible(form->Handle()); }, 5000);
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_FALSE(IsWindowVisible(app.Handle()));
    EXPECT_TRUE(IsWindow(form->Handle()));

    // Shown again from the tray: the taskbar button comes back out of its
    // minimised state, and the window is in front with the keyboard in it.
    form->ShowMainWindow();
    EXPECT_TRUE(IsWindowVisible(app.Handle()));
    EXPECT_FALSE(IsIconic(app.Handle())) << "the taskbar button stayed minimised";
    PumpUntil([&] { return GetForegroundWindow() == form->Handle(); }, 2000);
    EXPECT_EQ(GetForegroundWindow(), form->Handle());
    EXPECT_TRUE(IsChild(form->Handle(), GetFocus())) << "the keyboard goes to no control of the window";

    form->C_BitBtnClick();
    EXPECT_FALSE(IsWindow(form->Handle()));
    EXPECT_TRUE(RegisterHotKey(nullptr, 78, MOD_SHIFT | MOD_ALT, 'Q'));
    UnregisterHotKey(nullptr, 78);
    MSG quit;
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "closing did not end the loop";
}

// A binding whose target is gone from the computer (a program the system no
// longer ships, a file deleted) is marked so while the window shows it, and
// its tip says so; it is asked again whenever the window is shown and after
// every edit. The hidden start asks nothing.
TEST_F(MainFormTest, RowOfATargetThatIsGoneIsMarkedAndItsTipSaysSo)
{
    dir.Write("tool.exe", "MZ");
    const std::string tool = dir.File("tool.exe");
    Start("[3+65]\r\nAction=" + tool + "\r\n"
          "[3+66]\r\nAction=wordpad-gone.exe\r\nHint=letters\r\n"
          "[3+67]\r\nAction=C:\\nowhere\\gone.exe\r\n"
          "[3+68]\r\nAction=http://example.com/\r\n"
          "[3+69]\r\nAction=notepad.exe\r\n"
          "[3+70]\r\nAction=Show quickdex\r\n"
          "[3+71]\r\nAction=" + dir.Dir() + "\r\n");
    HWND list = form->ListView();
    auto marks = [&] {
        std::vector<int> out;
        for (int row = 0, n = ListView_GetItemCount(list); row < n; ++row)
            out.push_back(static_cast<int>(ListView_GetItemState(list, row, LVIS_STATEIMAGEMASK) >> 12));
        return out;
    };
    ASSERT_EQ(Rows().size(), 7u);
    EXPECT_EQ(marks(), (std::vector<int>{1, 1, 1, 1, 1, 1, 1})) << "asked while hidden";
    // Marked before the window is on the screen: no row changes its mark
    // under the user's eyes, and the window is painted once.
    struct Watch {
        std::function<std::vector<int>()> marks;
        std::vector<int> atShow;
    } watch{marks, {}};
    const SUBCLASSPROC watcher = [](HWND w, UINT m, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) -> LRESULT {
        auto& seen = *reinterpret_cast<Watch*>(data);
        if (m == WM_SHOWWINDOW && wp && seen.atShow.empty())
            seen.atShow = seen.marks();
        return DefSubclassProc(w, m, wp, lp);
    };
    ASSERT_TRUE(SetWindowSubclass(form->Handle(), watcher, 1, reinterpret_cast<DWORD_PTR>(&watch)));
    form->ShowMainWindow();
    RemoveWindowSubclass(form->Handle(), watcher, 1);
    EXPECT_EQ(watch.atShow, (std::vector<int>{1, 4, 4, 1, 1, 1, 1})) << "as the window came on the screen";
    EXPECT_EQ(marks(), (std::vector<int>{1, 4, 4, 1, 1, 1, 1}));
    EXPECT_EQ(InfoTip(1), "wordpad-gone.exe cannot be found on this computer: a press opens nothing.\r\nletters");
    EXPECT_EQ(InfoTip(0), "");

    ShowWindow(form->Handle(), SW_HIDE);
    ASSERT_TRUE(DeleteFileA(tool.c_str()));
    form->ShowMainWindow();
    PumpUntil([&] { return marks()[0] == 4; }, 5000);
    EXPECT_EQ(marks()[0], 4) << "the program removed while the window was hidden";

    dir.Write("tool.exe", "MZ");
    form->AfterBindingChange();
    PumpUntil([&] { return marks()[0] == 1; }, 5000);
    EXPECT_EQ(marks(), (std::vector<int>{1, 4, 4, 1, 1, 1, 1}));
    // Stopped, every row says so, whatever its target.
    form->MStop_NClick();
    EXPECT_EQ(marks(), (std::vector<int>{3, 3, 3, 3, 3, 3, 3}));
}

TEST_F(MainFormTest, AutoRunTickAtStartAndToggle)
{
    // No value: unticked; the item writes the command, then deletes it.
    Start("");
    EXPECT_FALSE(Ticked());
    SendMessageA(form->Handle(), WM_COMMAND, ids::AutoRun_N, 0);
    EXPECT_TRUE(Ticked());
    EXPECT_EQ(RunValue(), runCommand);
    SendMessageA(form->Handle(), WM_COMMAND, ids::AutoRun_N, 0);
    EXPECT_FALSE(Ticked());
    EXPECT_EQ(RunValue(), std::nullopt);
    form.reset();

    struct Case {
        std::string value;
        bool ticked;
        std::optional<std::string> after;
    };
    const Case cases[] = {
        {runCommand, true, runCommand},                                     // the current command: left alone
        {exePath, true, runCommand},                                        // without its quotes: quoted
        {"\"C:\\Old\\quickdex.exe\"", true, runCommand},                 // another copy: replaced
        {"\"c:\\program files\\quickdex\\quickdex.exe\"", true, runCommand}, // case counts
        {"", false, std::string()},                                         // empty: unticked, kept
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        SetRunValue(c.value.c_str());
        Start("");
        EXPECT_EQ(Ticked(), c.ticked);
        EXPECT_EQ(RunValue(), c.after);
        EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE), std::nullopt);
        form.reset();
    }
}

TEST_F(MainFormTest, AutoRunOlderMachineWideValueTicksAndGoesWhereTheSystemLetsIt)
{
    struct Case {
        const char* machineValue;
        bool asUser;               // the machine's key refused for writing
        bool tickedAtStart;
        bool tickedAfterClick;
        std::optional<std::string> machineAfter;
        std::optional<std::string> userAfter;
        bool notice;
    };
    const std::string other = "C:\\Old\\quickdex.exe";
    const Case cases[] = {
        // This exe, for every user, and the user may not change that: it stays, and so does the tick.
        {exePath.c_str(), true, true, true, exePath, std::nullopt, true},
        // The same as administrator: it goes.
        {exePath.c_str(), false, true, false, std::nullopt, std::nullopt, false},
        // In other letters and in quotes it is this exe too.
        {"\"c:\\program files\\quickdex\\QUICKDEX.EXE\"", false, true, false, std::nullopt, std::nullopt, false},
        // Another copy's is not touched; turning AutoRun on is the user's own.
        {other.c_str(), true, false, true, other, runCommand, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.machineValue) + (c.asUser ? " as user" : " as administrator"));
        SetRunValue(c.machineValue, REG_SZ, HKEY_LOCAL_MACHINE);
        DialogAnswerer answerer;
        Start("", c.asUser);
        EXPECT_EQ(Ticked(), c.tickedAtStart);
        EXPECT_EQ(RunValue(), std::nullopt) << "written at start";
        SendMessageA(form->Handle(), WM_COMMAND, ids::AutoRun_N, 0);
        EXPECT_EQ(Ticked(), c.tickedAfterClick);
        EXPECT_EQ(RunValue(HKEY_LOCAL_MACHINE), c.machineAfter);
        EXPECT_EQ(RunValue(), c.userAfter);
        const auto boxes = answerer.Boxes();
        ASSERT_EQ(boxes.size(), c.notice ? 1u : 0u);
        if (c.notice) {
            EXPECT_EQ(boxes[0].text, L"quickdex still starts with Windows: an older setting for all users of this "
                                     L"computer names it, and only an administrator can remove that setting.");
            EXPECT_EQ(boxes[0].caption, L"quickdex 3.5");
            EXPECT_EQ(boxes[0].icon, "information");
        }
        form.reset();
        RegDeleteTreeA(HKEY_CURRENT_USER, "SOFTWARE\\quickdexTest");
    }
}

TEST_F(MainFormTest, AutoRunOnTheRealRunKeysIsTheCurrentUsersWithThePathInQuotes)
{
    // The Run keys of this test's own Wine prefix, as the program finds them.
    const char* runKey = RunKeyPath + 1;
    auto value = [&](HKEY root) -> std::optional<std::string> {
        char data[1024] = {};
        DWORD size = sizeof data;
        if (RegGetValueA(root, runKey, "quickdex", RRF_RT_REG_SZ, nullptr, data, &size) != ERROR_SUCCESS)
            return std::nullopt;
        return std::string(data);
    };
    struct Cleanup {
        const char* key;
        ~Cleanup()
        {
            RegDeleteKeyValueA(HKEY_CURRENT_USER, key, "quickdex");
            RegDeleteKeyValueA(HKEY_LOCAL_MACHINE, key, "quickdex");
        }
    } cleanup{runKey};
    // A new profile has no Run key of its own yet.
    RegDeleteKeyValueA(HKEY_CURRENT_USER, runKey, "quickdex");
    dir.Write("hotkey.ini", "");
    form.emplace(app, dir.Dir(), AutoRunSetting(exePath));
    EXPECT_FALSE(form->AutoRunTicked());
    SendMessageA(form->Handle(), WM_COMMAND, ids::AutoRun_N, 0);
    EXPECT_EQ(GetMenuState(form->MainMenu(), ids::AutoRun_N, MF_BYCOMMAND) & MF_CHECKED, static_cast<UINT>(MF_CHECKED));
    EXPECT_EQ(value(HKEY_CURRENT_USER), "\"" + exePath + "\"");
    EXPECT_EQ(value(HKEY_LOCAL_MACHINE), std::nullopt) << "written for every user";
    SendMessageA(form->Handle(), WM_COMMAND, ids::AutoRun_N, 0);
    EXPECT_EQ(value(HKEY_CURRENT_USER), std::nullopt);
    EXPECT_EQ(GetMenuState(form->MainMenu(), ids::AutoRun_N, MF_BYCOMMAND) & MF_CHECKED, 0u);
}

TEST_F(MainFormTest, AutoRunWrongTypeIsShownAndBindingsStillLoad)
{
    SetRunValue("1234", REG_BINARY);
    DialogAnswerer answerer;
    Start("[5+82]\r\nAction=x\r\n");
    const auto boxes = answerer.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"Invalid data type for 'quickdex'"); // "'" sorts before ".": no full stop
    EXPECT_EQ(boxes[0].caption, L"quickdex 3.50");
    EXPECT_EQ(Rows().size(), 1u);
    EXPECT_FALSE(RegisterHotKey(nullptr, 79, MOD_SHIFT | MOD_ALT, 'R')) << "the binding was not registered";
}

TEST_F(MainFormTest, MoreThanHundredSectionsAreReportedOnce)
{
    std::string ini;
    for (int i = 0; i < 150; ++i)
        ini += "[7+" + std::to_string(150 + i) + "]\r\nAction=x\r\n";
    DialogAnswerer answerer;
    Start(ini);
    const auto boxes = answerer.Boxes();
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text, L"hotkey.ini holds 150 bindings; only the first 100 are used");
    EXPECT_EQ(Rows().size(), 100u);
    EXPECT_EQ(form->Engine().Hotkeys.HotkeyCount, 100);
}

// The row marks' pictures belong to the main window, which destroys them
// once: the list view going first leaves them whole.
TEST_F(MainFormTest, MarksPicturesOutliveTheListView)
{
    Start(ThreeBindings);
    const HIMAGELIST marks = ListView_GetImageList(form->ListView(), LVSIL_STATE);
    ASSERT_NE(marks, nullptr);
    const int pictures = ImageList_GetImageCount(marks);
    ASSERT_GT(pictures, 0);
    DestroyWindow(form->ListView());
    EXPECT_EQ(ImageList_GetImageCount(marks), pictures) << "the list view destroyed the pictures it does not own";
}

TEST_F(MainFormTest, ShowingAndReloadingWhatTheTrayShowsAlreadySendTheShellNothing)
{
    // Each message to the shell is a call into its process, which the
    // window's showing and every reload would otherwise wait for.
    Start("[3+65]\r\nAction=notepad.exe\r\n[3+66]\r\nAction=regedit.exe\r\n");
    const int before = shell.Count(NIM_MODIFY);
    form->ShowMainWindow();
    ShowWindow(form->Handle(), SW_HIDE);
    form->ShowMainWindow();
    form->ReloadAndRegister();
    EXPECT_EQ(shell.Count(NIM_MODIFY), before) << "the shell was told what it shows already";
    // A change is still told: stopped, the grey picture and its tip.
    form->MStop_NClick();
    EXPECT_GT(shell.Count(NIM_MODIFY), before);
    EXPECT_EQ(shell.ShownGrey(), true);
}

TEST_F(MainFormTest, TrayIconRecordClicksAndPictures)
{
    Start("");
    const NOTIFYICONDATAA& data = form->CoolTrayIcon().IconData();
    // The smallest record: up to the end of the 64-character tip.
    EXPECT_EQ(data.cbSize, offsetof(NOTIFYICONDATAA, szTip) + 64);
    EXPECT_EQ(data.uID, 1u);
    EXPECT_EQ(data.uCallbackMessage, 0x800u);
    EXPECT_EQ(data.uFlags, static_cast<UINT>(NIF_MESSAGE | NIF_ICON | NIF_TIP));
    EXPECT_EQ(data.szTip[0], '\0');

    int clicks = 0;
    form->CoolTrayIcon().OnClick = [&] {
        ++clicks;
        form->CoolTrayIconClick();
    };
    HWND tray = form->CoolTrayIcon().Handle();
    ASSERT_NE(tray, nullptr);
    ASSERT_TRUE(IsWindow(tray));
    SendMessageA(tray, WM_TRAYCALLBACK, TrayIconId, WM_LBUTTONDOWN);
    EXPECT_EQ(clicks, 0);
    SendMessageA(tray, WM_TRAYCALLBACK, TrayIconId, WM_LBUTTONUP);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    SendMessageA(tray, WM_TRAYCALLBACK, TrayIconId, WM_LBUTTONDBLCLK);
    SendMessageA(tray, WM_TRAYCALLBACK, TrayIconId, WM_LBUTTONUP);
    EXPECT_EQ(clicks, 1) << "a double click raised a second click";

    form->CoolTrayIcon().Enabled = false;
    SendMessageA(tray, WM_TRAYCALLBACK, TrayIconId, WM_LBUTTONDOWN);
    SendMessageA(tray, WM_TRAYCALLBACK, TrayIconId, WM_LBUTTONUP);
    EXPECT_EQ(clicks, 1);
    form->CoolTrayIcon().Enabled = true;

    EXPECT_EQ(SendMessageA(tray, WM_QUERYENDSESSION, 0, 0), 1);

    // Minimising the application hides everything into the tray.
    form->Mini_BitBtnClick();
    PumpUntil([&] { return !IsWindowVisible(form->Handle()); }, 5000);
    EXPECT_FALSE(IsWindowVisible(form->Handle()));
    EXPECT_FALSE(IsWindowVisible(app.Handle()));
}

} // namespace
} // namespace quickdex
