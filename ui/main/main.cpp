#include "ui/main/main.h"

#include "../../res/resource.h"
#include "store/Errors.h"
#include "store/KeyNames.h"
#include "ui/ProductInfo.h"
#include "ui/main/MainIds.h"

#include <array>
#include <cstring>
#include <vector>

namespace quickdex {
namespace {

constexpr int ClientWidth = 394;
constexpr int ClientHeight = 404;
constexpr int PanelHeight = 44;
constexpr DWORD FormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;

// The notice ends in the ideographic full stop, stored in GB2312 (A1 A3);
// it is shown through the wide call so that it reads right on any code page.
constexpr const char* SelectToDeleteNotice = "Please select the item you want to delete\xA1\xA3";
constexpr unsigned ChineseCodePage = 936;

struct MenuItem {
    int id; // 0: a separator
    const char* text;
};

HMENU BuildMenu(std::initializer_list<MenuItem> items, bool popup = true)
{
    HMENU menu = popup ? CreatePopupMenu() : CreateMenu();
    for (const MenuItem& item : items) {
        if (item.id == 0)
            AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        else
            AppendMenuA(menu, MF_STRING, static_cast<UINT_PTR>(item.id), item.text);
    }
    return menu;
}

std::string ItemText(HWND list, int row, int column)
{
    std::vector<char> buffer(4096, '\0');
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    SendMessageA(list, LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return buffer.data();
}

} // namespace

TMainForm::TMainForm(TApplication& application, std::string exeDir, AutoRunSetting autoRun)
    : app_(application), exeDir_(std::move(exeDir)), autoRun_(std::move(autoRun))
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    CreateMenus();
    const SIZE size = win32::WindowSizeForClient(ClientWidth, ClientHeight, FormStyle, 0, true);
    Create({.className = MainWindowClass,
            .title = MainWindowCaption,
            .style = FormStyle,
            .x = (GetSystemMetrics(SM_CXSCREEN) - size.cx) / 2,
            .y = (GetSystemMetrics(SM_CYSCREEN) - size.cy) / 2,
            .width = size.cx,
            .height = size.cy,
            .parent = app_.Handle(), // owned by the application window: no taskbar button of its own
            .menu = mainMenu_,
            .icon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_APP))});
    app_.SetMainWindow(Handle());

    hotkeyApi_ = std::make_unique<win32::HotkeyApi>(Handle());
    engine_ = std::make_unique<HotkeyEngine>(HotkeyEngine::Services{profile_, *hotkeyApi_, system_, *this, *this},
                                             exeDir_);
    font_ = win32::CreateUiFont("MS Sans Serif", 8);
    CreateChildren();
    CreateTrayIcon();
    FormCreate();
}

TMainForm::~TMainForm()
{
    tray_.reset();
    engine_.reset();
    if (imageList_)
        ImageList_Destroy(imageList_);
    // The bar menu goes with the window; the popups are ours.
    DestroyMenu(trayMenu_);
    DestroyMenu(listMenu_);
}

void TMainForm::CreateMenus()
{
    mainMenu_ = CreateMenu();
    AppendMenuA(mainMenu_, MF_POPUP, reinterpret_cast<UINT_PTR>(BuildMenu({{ids::MStop_N, StopCaption}, {0, nullptr}, {ids::N4, "Exit"}})),
                "File");
    AppendMenuA(mainMenu_, MF_POPUP,
                reinterpret_cast<UINT_PTR>(BuildMenu({{ids::AutoRun_N, "AutoRun"}, {0, nullptr}, {ids::Sort_N, "Edit Sort"}})),
                "Set");
    AppendMenuA(mainMenu_, MF_POPUP,
                reinterpret_cast<UINT_PTR>(BuildMenu({{ids::N7, "Go to quickdex Home Page ->"},
                                                      {ids::N6, "E-Mail"},
                                                      {0, nullptr},
                                                      {ids::N3, "Help"},
                                                      {ids::N5, "About"}})),
                "Help");
    trayMenu_ = BuildMenu({{ids::Stop_N, StopCaption}, {ids::Show_N, "Show"}, {0, nullptr}, {ids::N1, "About"}, {ids::N2, "Exit"}});
    listMenu_ = BuildMenu({{ids::Add_N, "Add"}, {ids::Change_N, "Change"}, {ids::Delete_N, "Delete"}});
}

void TMainForm::CreateChildren()
{
    const int listHeight = ClientHeight - PanelHeight;
    static constexpr std::array formControls = {
        win32::ControlSpec{ids::M_GroupBox, WC_BUTTONA, "Set HotKey", 0, 0, ClientWidth, ClientHeight - PanelHeight,
                           BS_GROUPBOX},
        // Inside the group box's frame, below its caption.
        win32::ControlSpec{ids::M_ListView, WC_LISTVIEWA, "", 2, 15, ClientWidth - 4, ClientHeight - PanelHeight - 17,
                           WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_SINGLESEL, 0},
    };
    const auto handles = win32::CreateControls(Handle(), formControls, font_.get());
    groupBox_ = handles[0];
    listView_ = handles[1];

    panel_ = std::make_unique<win32::Panel>(Handle(), ids::B_Panel, 0, listHeight, ClientWidth, PanelHeight);
    static constexpr std::array panelControls = {
        win32::ControlSpec{ids::AddBitBtn, WC_BUTTONA, "Add", 8, 8, 57, 25, WS_TABSTOP | BS_PUSHBUTTON},
        win32::ControlSpec{ids::ChangeBitBtn, WC_BUTTONA, "Change", 72, 8, 57, 25, WS_TABSTOP | BS_PUSHBUTTON},
        win32::ControlSpec{ids::DelBitBtn, WC_BUTTONA, "Delete", 136, 8, 57, 25, WS_TABSTOP | BS_PUSHBUTTON},
        win32::ControlSpec{ids::Mini_BitBtn, WC_BUTTONA, "Hide", 256, 8, 57, 25, WS_TABSTOP | BS_PUSHBUTTON},
        win32::ControlSpec{ids::C_BitBtn, WC_BUTTONA, "Exit", 320, 8, 65, 25, WS_TABSTOP | BS_PUSHBUTTON},
    };
    win32::CreateControls(panel_->Handle(), panelControls, font_.get());

    ListView_SetExtendedListViewStyle(listView_, LVS_EX_FULLROWSELECT | LVS_EX_INFOTIP);
    struct Column {
        const char* caption;
        int width;
    };
    static constexpr std::array<Column, 3> columns = {{{"HotKey", 100}, {"Applicaton/Action", 200}, {"Sort", 80}}};
    for (int i = 0; i < static_cast<int>(columns.size()); ++i) {
        LVCOLUMNA column{};
        column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        column.pszText = const_cast<char*>(columns[static_cast<std::size_t>(i)].caption);
        column.cx = win32::Scale(columns[static_cast<std::size_t>(i)].width);
        column.iSubItem = i;
        SendMessageA(listView_, LVM_INSERTCOLUMNA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&column));
    }
}

void TMainForm::CreateTrayIcon()
{
    HINSTANCE instance = GetModuleHandleA(nullptr);
    imageList_ = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 5, 0);
    for (int id : {IDI_TRAY_RUNNING, IDI_TRAY_STOPPED, IDI_TRAY_GREEN, IDI_TRAY_PLUS, IDI_TRAY_MINUS}) {
        HICON icon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, 16, 16, 0));
        ImageList_AddIcon(imageList_, icon);
        DestroyIcon(icon);
    }

    tray_ = std::make_unique<TCoolTrayIcon>(Handle(), app_.Handle());
    tray_->SetIconList(imageList_);
    tray_->PopupMenu = trayMenu_;
    tray_->StartMinimized = true;
    tray_->MinimizeToTray = true;
    tray_->OnClick = [this] { CoolTrayIconClick(); };
    tray_->ActiveControl = [this] { return lastFocus_ ? lastFocus_ : listView_; };
    tray_->Loaded();
}

void TMainForm::FormCreate()
{
    sort_ = ListSortState{};
    engine_->Actions.CDDoorOpen = false;
    engine_->Stopped = false;
    // A broken AutoRun value is shown, but it does not keep the bindings
    // from being loaded and registered.
    win32::Guarded([this] { ReadAutoRunSetting(); });
    win32::Guarded([this] {
        const LoadResult loaded = ReloadAndRegister();
        if (loaded.ignored > 0) {
            const std::string text = "hotkey.ini holds " + std::to_string(loaded.sections) +
                                     " bindings; only the first " + std::to_string(MaxHotkeys) + " are used";
            MessageBoxText(text, MB_ICONINFORMATION | MB_OK);
        }
    });
}

void TMainForm::FormClose()
{
    UnregisterAll();
}

void TMainForm::Close()
{
    FormClose();
    DestroyWindow(Handle());
}

void TMainForm::CloseMainWindow()
{
    // Posted: the hotkey that asks for it is still being handled.
    PostMessageA(Handle(), WM_CLOSE, 0, 0);
}

void TMainForm::ShowMainWindow()
{
    if (!IsWindowVisible(Handle()))
        ShowWindow(Handle(), SW_SHOW); // the tray's watcher brings back the taskbar button
    SetForegroundWindow(Handle());
}

int TMainForm::MessageBoxText(const std::string& text, UINT style)
{
    return MessageBoxA(Handle(), text.c_str(), MainWindowCaption, style);
}

// --- Commands ------------------------------------------------------------

void TMainForm::AddBitBtnClick()
{
    if (!editor_)
        return;
    editor_->SetCaption("Add Hotkey");
    editor_->Show();
}

void TMainForm::ChangeBitBtnClick()
{
    const int slot = SelectedSlot();
    if (slot == 0) {
        MessageBoxText("Please select the item you want to change", MB_ICONINFORMATION | MB_OK);
        return;
    }
    if (!editor_)
        return;
    const Tquickdex& binding = engine_->Hotkeys[slot];
    const auto key = static_cast<std::uint16_t>(binding.Key);
    editor_->SetFields(MakeShortcut(key, ModifiersToShiftState(binding.Modifiers)), binding.Action, binding.Hint,
                       binding.Sort, engine_->Hotkeys.SectionOf(slot));
    editor_->SetCaption("Change Hotkey");
    editor_->Show();
}

void TMainForm::DelBitBtnClick()
{
    const int row = ListView_GetNextItem(listView_, -1, LVNI_SELECTED);
    if (row < 0) {
        const std::wstring notice = win32::FromCodePage(SelectToDeleteNotice, ChineseCodePage);
        MessageBoxW(Handle(), notice.c_str(), L"quickdex 3.5", MB_ICONINFORMATION | MB_OK);
        return;
    }
    // The section is taken before the question: whatever happens to the list
    // while the box is open, OK erases the binding the user was asked about.
    const std::string section = SelectedSectionName();
    const std::string text = DeleteConfirmationText(ItemText(listView_, row, 0), ItemText(listView_, row, 1),
                                                    ItemText(listView_, row, 2));
    if (MessageBoxText(text, MB_ICONQUESTION | MB_OKCANCEL) == IDCANCEL)
        return;
    EraseSection(profile_, engine_->HotkeyPath(), section);
    AfterBindingChange();
}

void TMainForm::AfterBindingChange()
{
    engine_->ReloadAfterChange();
    sort_.Reset();
}

void TMainForm::Mini_BitBtnClick()
{
    app_.Minimize();
}

void TMainForm::C_BitBtnClick()
{
    Close();
}

void TMainForm::MStop_NClick()
{
    engine_->ToggleStop();
}

void TMainForm::Show_NClick()
{
    ShowMainWindow();
}

void TMainForm::CoolTrayIconClick()
{
    ShowMainWindow();
}

void TMainForm::N5Click()
{
    if (OnShowAbout)
        OnShowAbout();
}

void TMainForm::AutoRun_NClick()
{
    ToggleAutoRun();
}

void TMainForm::Sort_NClick()
{
    if (OnEditSort)
        OnEditSort();
}

void TMainForm::N3Click()
{
    ShellOpen(system_, exeDir_ + HelpFileName);
}

void TMainForm::N7Click()
{
    ShellOpen(system_, HomePageAddress);
}

void TMainForm::N6Click()
{
    ShellOpen(system_, std::string("mailto:") + SupportMailAddress);
}

void TMainForm::ReadAutoRunSetting()
{
    // The tick follows the outcome, also when the read fails half-way.
    bool ticked = autoRunTicked_;
    struct Apply {
        TMainForm& form;
        bool& ticked;
        ~Apply()
        {
            form.autoRunTicked_ = ticked;
            CheckMenuItem(form.mainMenu_, ids::AutoRun_N, MF_BYCOMMAND | (ticked ? MF_CHECKED : MF_UNCHECKED));
        }
    } apply{*this, ticked};
    autoRun_.ReadAutoRunSetting(ticked);
}

void TMainForm::ToggleAutoRun()
{
    bool ticked = autoRunTicked_;
    autoRun_.ToggleAutoRun(ticked);
    autoRunTicked_ = ticked;
    CheckMenuItem(mainMenu_, ids::AutoRun_N, MF_BYCOMMAND | (ticked ? MF_CHECKED : MF_UNCHECKED));
}

// --- The list --------------------------------------------------------------

int TMainForm::SlotOfRow(int row) const
{
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!SendMessageA(listView_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)))
        return 0;
    return static_cast<int>(item.lParam);
}

int TMainForm::SelectedSlot() const
{
    const int row = ListView_GetNextItem(listView_, -1, LVNI_SELECTED);
    return row < 0 ? 0 : SlotOfRow(row);
}

std::string TMainForm::SelectedSectionName() const
{
    const int slot = SelectedSlot();
    return slot == 0 ? std::string() : engine_->Hotkeys.SectionOf(slot);
}

void TMainForm::AddRow(int slot, const Tquickdex& binding)
{
    // The row carries its slot number in its item data: a state index has
    // only four bits, too few for 100 slots.
    const std::string caption = HotkeyCaption(binding.Modifiers, binding.Key);
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = ListView_GetItemCount(listView_);
    item.pszText = const_cast<char*>(caption.c_str());
    item.lParam = slot;
    const int row = static_cast<int>(SendMessageA(listView_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
    const std::string* texts[] = {&binding.Action, &binding.Sort};
    for (int column = 1; column <= 2; ++column) {
        LVITEMA sub{};
        sub.iSubItem = column;
        sub.pszText = const_cast<char*>(texts[column - 1]->c_str());
        SendMessageA(listView_, LVM_SETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&sub));
    }
}

void TMainForm::ClearRows()
{
    // No drawing, scrolling or layout while the rows are rebuilt.
    SendMessageA(listView_, WM_SETREDRAW, FALSE, 0);
    ListView_DeleteAllItems(listView_);
}

void TMainForm::RowsDone()
{
    SendMessageA(listView_, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(listView_, nullptr, TRUE);
}

void TMainForm::SetTrayImage(int index)
{
    if (tray_)
        tray_->SetIconIndex(index);
}

void TMainForm::SetStopCaptions(const char* caption)
{
    ModifyMenuA(mainMenu_, ids::MStop_N, MF_BYCOMMAND | MF_STRING, ids::MStop_N, caption);
    ModifyMenuA(trayMenu_, ids::Stop_N, MF_BYCOMMAND | MF_STRING, ids::Stop_N, caption);
}

void TMainForm::ShowPlainMessage(const char* text)
{
    MessageBoxA(Handle(), text, app_.Title().c_str(), MB_OK);
}

void TMainForm::M_ListViewColumnClick(int column)
{
    sort_.ColumnClicked(column);
    ListView_SortItems(
        listView_,
        [](LPARAM first, LPARAM second, LPARAM form) -> int {
            return reinterpret_cast<const TMainForm*>(form)->M_ListViewCompare(static_cast<int>(first),
                                                                                static_cast<int>(second));
        },
        reinterpret_cast<LPARAM>(this));
}

int TMainForm::M_ListViewCompare(int slot1, int slot2) const
{
    auto text = [this](int slot) {
        const Tquickdex& b = engine_->Hotkeys[slot];
        switch (sort_.SortColumn) {
        case 0:
            return HotkeyCaption(b.Modifiers, b.Key);
        case 1:
            return b.Action;
        default:
            return b.Sort;
        }
    };
    return sort_.Compare(text(slot1), text(slot2));
}

std::string TMainForm::M_ListViewInfoTip(int row) const
{
    const int slot = SlotOfRow(row);
    return slot == 0 ? std::string() : engine_->Hotkeys[slot].Hint;
}

void TMainForm::M_ListViewDblClick()
{
    if (SelectedSlot() != 0)
        ChangeBitBtnClick();
}

void TMainForm::ShowListMenu(LPARAM position)
{
    POINT at{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    if (position == -1) { // from the keyboard: at the list's corner
        at = POINT{0, 0};
        ClientToScreen(listView_, &at);
    }
    TrackPopupMenu(listMenu_, TPM_LEFTALIGN | TPM_RIGHTBUTTON, at.x, at.y, 0, Handle(), nullptr);
}

// --- Messages --------------------------------------------------------------

void TMainForm::OnCommand(int id)
{
    switch (id) {
    case ids::AddBitBtn:
    case ids::Add_N:
        AddBitBtnClick();
        break;
    case ids::ChangeBitBtn:
    case ids::Change_N:
        ChangeBitBtnClick();
        break;
    case ids::DelBitBtn:
    case ids::Delete_N:
        DelBitBtnClick();
        break;
    case ids::Mini_BitBtn:
        Mini_BitBtnClick();
        break;
    case ids::C_BitBtn:
    case ids::N4:
    case ids::N2:
        C_BitBtnClick();
        break;
    case ids::MStop_N:
    case ids::Stop_N:
        MStop_NClick();
        break;
    case ids::Show_N:
        Show_NClick();
        break;
    case ids::N5:
    case ids::N1:
        N5Click();
        break;
    case ids::AutoRun_N:
        AutoRun_NClick();
        break;
    case ids::Sort_N:
        Sort_NClick();
        break;
    case ids::N3:
        N3Click();
        break;
    case ids::N7:
        N7Click();
        break;
    case ids::N6:
        N6Click();
        break;
    default:
        break;
    }
}

LRESULT TMainForm::OnNotify(const NMHDR& header)
{
    if (header.hwndFrom != listView_)
        return 0;
    switch (header.code) {
    case LVN_COLUMNCLICK:
        M_ListViewColumnClick(reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
        break;
    case NM_DBLCLK:
        M_ListViewDblClick();
        break;
    case LVN_GETINFOTIPA: {
        auto& tip = const_cast<NMLVGETINFOTIPA&>(reinterpret_cast<const NMLVGETINFOTIPA&>(header));
        const std::string hint = M_ListViewInfoTip(tip.iItem);
        if (tip.pszText && tip.cchTextMax > 0) {
            const std::size_t n = std::min<std::size_t>(hint.size(), static_cast<std::size_t>(tip.cchTextMax - 1));
            std::memcpy(tip.pszText, hint.data(), n);
            tip.pszText[n] = '\0';
        }
        break;
    }
    case LVN_GETINFOTIPW: {
        auto& tip = const_cast<NMLVGETINFOTIPW&>(reinterpret_cast<const NMLVGETINFOTIPW&>(header));
        const std::wstring hint = win32::FromCodePage(M_ListViewInfoTip(tip.iItem), CP_ACP);
        if (tip.pszText && tip.cchTextMax > 0) {
            const std::size_t n = std::min<std::size_t>(hint.size(), static_cast<std::size_t>(tip.cchTextMax - 1));
            std::wmemcpy(tip.pszText, hint.data(), n);
            tip.pszText[n] = L'\0';
        }
        break;
    }
    default:
        break;
    }
    return 0;
}

LRESULT TMainForm::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_HOTKEY:
        engine_->WMHotKey(static_cast<std::uint32_t>(lParam));
        return 0;
    case WM_SYSCOMMAND:
        // The close button, Close on the window menu and Alt+F4 only
        // minimise; the program ends through Exit.
        if (wParam == SC_CLOSE)
            wParam = SC_MINIMIZE;
        if ((wParam & 0xFFF0) == SC_MINIMIZE) {
            app_.Minimize();
            return 0;
        }
        break;
    case WM_COMMAND:
        if (lParam == 0 || HIWORD(wParam) == BN_CLICKED)
            OnCommand(LOWORD(wParam));
        return 0;
    case WM_NOTIFY:
        return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_CONTEXTMENU:
        if (reinterpret_cast<HWND>(wParam) == listView_) {
            ShowListMenu(lParam);
            return 0;
        }
        break;
    case WM_ACTIVATE:
        if (LOWORD(wParam) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(Handle(), focus))
                lastFocus_ = focus;
        }
        break;
    case WM_SETFOCUS:
        SetFocus(lastFocus_ && IsWindow(lastFocus_) ? lastFocus_ : listView_);
        return 0;
    case WM_CLOSE:
        Close();
        return 0;
    case WM_DESTROY:
        tray_.reset(); // the icon leaves the notification area
        PostQuitMessage(0);
        return 0;
    default:
        break;
    }
    return Default(message, wParam, lParam);
}

} // namespace quickdex
